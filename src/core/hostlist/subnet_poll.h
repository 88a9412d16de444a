#pragma once

#include <cstdint>
#include <string>

#include "wake/wake_socket.h"

namespace wb {

// Sent three times to every polled address so that the host enters the ARP cache.
inline constexpr char kPollDatagram[] = "Doodah";
inline constexpr int kPollDatagramSize = 6;

// This machine's IPv4 address (network byte order): the first of its name's addresses that
// is not a loopback, else the first interface's. False after the network error's message.
bool GetLocalAddress(std::uint32_t& addrNet);

// Sends the poll datagrams through `socket` to every host address of the subnet that
// `maskText` cuts out of `localAddr`, at the socket's port; the socket's destination stays
// as it was. Only the last byte walks: at most 254 addresses, never the subnet's broadcast.
// A mask text that is not an address is shown as a network error and polls nothing.
void PollSubnet(CWakeSocket& socket, std::uint32_t localAddr, const std::string& maskText);

}  // namespace wb
