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
inline constexpr Socket kNoNativeSocket = static_cast<Socket>(kNoSocket);

// The error of the last failed socket call: errno, or the Winsock error.
int SystemError();

std::intptr_t OpenUdpSocket(int family);
void CloseSocket(std::intptr_t handle);
void SetSocketOption(std::intptr_t handle, int level, int name, int value);
long SendDatagram(std::intptr_t handle, const void* data, std::size_t len, const sockaddr* to,
                  socklen_t toLen);
// `count` datagrams of `len` bytes, one after another in `data`, each to `to`; each one's
// result in `results`.
void SendDatagrams(std::intptr_t handle, const std::uint8_t* data, std::size_t len,
                   std::size_t count, const sockaddr* to, socklen_t toLen, SendResult* results);
// Makes the socket send through the named interface only; 0, or -1 with SystemError() set.
int BindToInterface(std::intptr_t handle, const std::string& name, bool v6);

// A socket that never blocks (and is not inherited), or kNoSocket.
Socket OpenNonBlocking(int family, int type, int protocol);
void CloseNonBlocking(Socket s);
int PollSockets(PollFd* fds, std::size_t n, int ms);
// Whether the last connect() goes on in the background.
bool ConnectInProgress();
// Whether an error says that a host refused the connection (and so answered).
bool IsRefused(int error);

// Whether `addrNet` is the broadcast address of one of this machine's interfaces.
bool IsInterfaceBroadcast(std::uint32_t addrNet);

// A resolver's answer copied out of the system's record.
void FillHostEnt(const hostent* he, HostEnt& out);

}  // namespace wb::platform::native
