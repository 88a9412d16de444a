#pragma once

#include <winsock2.h>
#include <ws2tcpip.h>

// What the receiver needs of the sockets that differs between systems.
namespace wb::test::sockets {

using Handle = SOCKET;
constexpr Handle kInvalid = INVALID_SOCKET;
constexpr int kType = SOCK_DGRAM;
// Here the option would let a second socket take the port over.
constexpr bool kReuseAddress = false;
inline void Close(Handle s) { closesocket(s); }
// A port-unreachable report from an earlier send shows up on Windows as a receive error.
inline bool Passing() { return WSAGetLastError() == WSAECONNRESET; }

}  // namespace wb::test::sockets
