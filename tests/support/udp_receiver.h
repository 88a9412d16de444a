#pragma once

#include <algorithm>
#include <cctype>
#include <chrono>
#include <cstdint>
#include <string>
#include <vector>

namespace wb::test {

// Receives datagrams on 127.0.0.1:port for the loopback tests.
class UdpReceiver final {
public:
    explicit UdpReceiver(std::uint16_t port = 2304);
    ~UdpReceiver();
    UdpReceiver(const UdpReceiver&) = delete;
    UdpReceiver& operator=(const UdpReceiver&) = delete;

    bool IsBound() const { return m_fd >= 0; }
    // Everything that arrives until `quiet` passes without a datagram.
    std::vector<std::string> Drain(
        std::chrono::milliseconds quiet = std::chrono::milliseconds(200));

private:
    int m_fd = -1;
};

inline std::string ToHex(const std::string& bytes) {
    std::string s;
    for (unsigned char c : bytes)
        s += {"0123456789abcdef"[c >> 4], "0123456789abcdef"[c & 15]};
    return s;
}

// "01 00 ff" -> the three bytes; blanks are ignored.
inline std::string FromHex(std::string hex) {
    hex.erase(std::remove(hex.begin(), hex.end(), ' '), hex.end());
    std::string out;
    for (std::size_t i = 0; i + 1 < hex.size(); i += 2)
        out += static_cast<char>(std::stoi(hex.substr(i, 2), nullptr, 16));
    return out;
}

// The wake-up frame for an Ethernet address, in hex ("00a0c9123456" or "00-a0-c9-12-34-56").
inline std::string FrameHex(const std::string& ethernet) {
    std::string mac, hex = "ffffffffffff";
    for (char c : ethernet)
        if (c != '-') mac += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    for (int i = 0; i < 16; ++i)
        hex += mac;
    return hex;
}

}  // namespace wb::test
