#pragma once

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

std::string ToHex(const std::string& bytes);
std::string ExpectedFrame(const std::uint8_t (&mac)[6]);

}  // namespace wb::test
