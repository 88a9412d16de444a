#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

#include "platform/sockets.h"
#include "socket_api.h"

// The few socket calls whose form differs between POSIX and Winsock, for the platform
// folder's own use; each has one definition in a *_posix.cpp and one in a *_win32.cpp file.
namespace wb::platform::native {

// No socket, on either system (INVALID_SOCKET is all ones, as -1 is).
inline constexpr std::intptr_t kNoSocket = -1;

// The error of the last failed socket call: errno, or the Winsock error.
int SystemError();

std::intptr_t OpenUdpSocket(int family);
void CloseSocket(std::intptr_t handle);
void SetSocketOption(std::intptr_t handle, int level, int name, int value);
long SendDatagram(std::intptr_t handle, const void* data, std::size_t len, const sockaddr* to,
                  socklen_t toLen);
// Makes the socket send through the named interface only; 0, or -1 with SystemError() set.
int BindToInterface(std::intptr_t handle, const std::string& name, bool v6);

// Whether `addrNet` is the broadcast address of one of this machine's interfaces.
bool IsInterfaceBroadcast(std::uint32_t addrNet);

// A resolver's answer copied out of the system's record.
void FillHostEnt(const hostent* he, HostEnt& out);

}  // namespace wb::platform::native
