#pragma once

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/select.h>
#include <sys/socket.h>
#include <unistd.h>

// What the receiver needs of the sockets that differs between systems.
namespace wb::test::sockets {

using Handle = int;
constexpr Handle kInvalid = -1;
constexpr int kType = SOCK_DGRAM | SOCK_CLOEXEC;
// A port that an earlier test's receiver just closed can be bound again at once.
constexpr bool kReuseAddress = true;
inline void Close(Handle s) { close(s); }
// A receive error that says nothing about this socket's own datagrams.
inline bool Passing() { return false; }

}  // namespace wb::test::sockets
