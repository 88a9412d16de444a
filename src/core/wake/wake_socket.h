#pragma once

#include <chrono>
#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "platform/sockets.h"
#include "platform/ui_language.h"

namespace wb {

// The UDP port of wake-up frames and poll datagrams: the two bytes 09 00 on the wire.
inline constexpr std::uint16_t kWakePort = 2304;
inline constexpr int kWakeupFrameSize = 102;
inline constexpr int kEthernetAddressSize = 6;

// A SecureOn password follows the frame: six bytes (108 in all) or four (106).
inline constexpr int kMaxWakeupFrameSize = kWakeupFrameSize + 6;

// Where datagrams go: by default IPv4, port 2304, the address in network byte order; an
// IPv6 destination is held in `ip6` instead.
struct WakeDestination {
    std::uint16_t family = 2;  // AF_INET
    std::uint16_t port = kWakePort;
    std::uint32_t addr = 0xFFFFFFFFu;
    bool ipv6 = false;
    platform::IpAddress ip6;
};

// How often each host of one wake gets its frame: `repeat` rounds over all the hosts, with
// `interval` between rounds. Once `stopAsked` (when given) answers true, the round under way
// is the last: every host keeps the frames it got, and the wake ends without waiting.
struct WakeRounds {
    static constexpr int kMaxRepeat = 100;
    static constexpr int kMaxIntervalMs = 60000;
    int repeat = 1;
    std::chrono::milliseconds interval{100};
    std::function<bool()> stopAsked;
};

// Why a frame was not sent: the system's text as it is, or a text of our own (the
// catalogue's source), kept so that the wake log can have it in Chinese and the user in
// the user's language.
struct SendFailureReason {
    std::string text;
    bool ours = false;
    std::string In(platform::UiLanguage language = platform::UserUiLanguage()) const;
};

// One host of a wake whose frames did not all leave: its address text as given, how many of
// its frames were sent out of how many were tried, and the reason for the last one that was
// not.
struct FrameFailure {
    std::string address;
    int sent = 0;
    int tried = 0;
    SendFailureReason reason;
};

// The one UDP endpoint through which the system sends anything. Every user creates one for
// a single operation (a send, a group wake, a creation run) and destroys it afterwards.
class CWakeSocket final {
public:
    CWakeSocket() = default;
    CWakeSocket(const CWakeSocket&) = delete;
    CWakeSocket& operator=(const CWakeSocket&) = delete;

    // Dotted address, "255.255.255.255", a host name, or an IPv6 address (with its scope
    // where it needs one). False when none of these works; the destination is then the
    // limited broadcast address.
    bool SetDestination(const std::string& text);
    void SetPort(std::uint16_t port) { m_destAddr.port = port; }
    // Appended to every frame; empty, four or six bytes.
    void SetPassword(const std::vector<std::uint8_t>& password) { m_password = password; }
    // Frames leave through this interface only; false (the reason in LastSendError) when the
    // system refuses. The caller checks first that the interface exists and is up.
    bool SetInterface(const std::string& name);
    // One frame for the address written in `text`; message 61452 when it cannot be read.
    // True only when the whole frame was handed to the network; otherwise LastSendError
    // says why.
    bool SendWakeup(const std::string& text);
    // The frame's length, or 0 (after message 61452) when the text cannot be read.
    std::size_t FillFrame(const std::string& text,
                          std::uint8_t (&frame)[kMaxWakeupFrameSize]) const;
    bool SendFrame(const std::uint8_t* frame, std::size_t len);
    // `count` frames of `len` bytes, one after another in `frames`, to the destination;
    // FrameSent tells of each whether it left, and why not.
    void SendFrames(const std::uint8_t* frames, std::size_t len, std::size_t count,
                    platform::SendResult* results);
    // Whether the frame of `result` was handed whole to the network; if not, the reason is
    // in LastSendError.
    bool FrameSent(const platform::SendResult& result, std::size_t len);
    // In the user's language.
    std::string LastSendError() const { return m_lastError.In(); }
    const SendFailureReason& LastSendFailure() const { return m_lastError; }

    void Close() { m_socket.Close(); }
    const WakeDestination& Destination() const { return m_destAddr; }
    // The bytes sent, or -1 with the system's reason in LastSendError.
    long SendRaw(const void* data, std::size_t len);
    // SendRaw to an IPv4 address (network byte order) at the destination's port, the
    // destination left as it is.
    long SendRawTo(std::uint32_t addrNet, const void* data, std::size_t len);

    // Writes the six 0xFF bytes and then whole copies of the address while they fit.
    // Returns the number of bytes written.
    static int FillWakeupFrame(std::uint8_t* buffer, int length, const std::uint8_t* address,
                               int addressLength);

private:
    platform::UdpSocket m_socket;
    platform::HostEnt m_hostEnt;
    const platform::HostEnt* m_pHostEnt = nullptr;  // latest lookup made through this object
    WakeDestination m_destAddr;
    std::vector<std::uint8_t> m_password;
    SendFailureReason m_lastError;
};

// The dotted IPv4 conversion of `text` (network byte order), kInetAddrNone when it fails.
// The conversion sets no error code of its own, so the socket layer's last error is cleared
// first: a failure reads as code 0, which the error table shows as an unknown error.
std::uint32_t ConvertDottedAddress(const std::string& text);

// Sends every address its frames, round after round, to the socket's destination. Returns
// the hosts for which a frame was not sent (an address that cannot be read included), in
// the order of `addresses`.
std::vector<FrameFailure> SendWakeupRounds(CWakeSocket& socket,
                                           const std::vector<std::string>& addresses,
                                           const WakeRounds& rounds);

}  // namespace wb
