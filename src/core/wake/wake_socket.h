#pragma once

#include <cstdint>
#include <string>

#include "platform/sockets.h"

namespace wb {

// The UDP port of wake-up frames and poll datagrams: the two bytes 09 00 on the wire.
inline constexpr std::uint16_t kWakePort = 2304;
inline constexpr int kWakeupFrameSize = 102;
inline constexpr int kEthernetAddressSize = 6;
// Sent three times to every polled address so that the host enters the ARP cache.
inline constexpr char kPollDatagram[] = "Doodah";
inline constexpr int kPollDatagramSize = 6;
inline constexpr char kNameNotFound[] = "*名称未被发现*";

// Where datagrams go: IPv4, port 2304, the address in network byte order.
struct WakeDestination {
    std::uint16_t family = 2;  // AF_INET
    std::uint16_t port = kWakePort;
    std::uint32_t addr = 0xFFFFFFFFu;
};

// The one UDP endpoint through which the system sends anything. Every user creates one for
// a single operation (a send, a group wake, a creation run) and destroys it afterwards.
class CWakeSocket final {
public:
    CWakeSocket() = default;
    CWakeSocket(const CWakeSocket&) = delete;
    CWakeSocket& operator=(const CWakeSocket&) = delete;

    // Dotted address, "255.255.255.255" or a host name. False when none of these works;
    // the destination is then the limited broadcast address.
    bool SetDestination(const std::string& text);
    // One frame for the address written in `text`; message 61452 when it cannot be read.
    void SendWakeup(const std::string& text);
    // Wakes every host of a host-list file and appends the outcome to the wake log.
    void WakeGroup(const std::string& groupFile, const std::string& broadcast);

    bool GetLocalAddress();
    void PollSubnet(const std::string& maskText);
    void LookupHostName(const std::string& ipText, std::string& name);

    void Close() { m_socket.Close(); }
    const WakeDestination& Destination() const { return m_destAddr; }
    long SendRaw(const void* data, std::size_t len);

    // Writes the six 0xFF bytes and then whole copies of the address while they fit.
    // Returns the number of bytes written.
    static int FillWakeupFrame(std::uint8_t* buffer, int length, const std::uint8_t* address,
                               int addressLength);

private:
    platform::UdpSocket m_socket;
    platform::HostEnt m_hostEnt;
    const platform::HostEnt* m_pHostEnt = nullptr;  // latest lookup made through this object
    WakeDestination m_destAddr;
};

}  // namespace wb
