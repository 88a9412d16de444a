#include "platform/sockets.h"

#include "platform/inet_addr.h"
#include "socket_native.h"

namespace wb::platform {

bool StartSockets() {
    static const bool started = [] {
        WSADATA data;
        return WSAStartup(MAKEWORD(1, 1), &data) == 0;
    }();
    return started;
}

namespace native {

int SystemError() { return WSAGetLastError(); }

std::intptr_t OpenUdpSocket(int family) {
    const SOCKET s = socket(family, SOCK_DGRAM, IPPROTO_UDP);
    return s == INVALID_SOCKET ? kNoSocket : static_cast<std::intptr_t>(s);
}

void CloseSocket(std::intptr_t handle) { closesocket(static_cast<SOCKET>(handle)); }

void SetSocketOption(std::intptr_t handle, int level, int name, int value) {
    setsockopt(static_cast<SOCKET>(handle), level, name, reinterpret_cast<const char*>(&value),
               sizeof value);
}

long SendDatagram(std::intptr_t handle, const void* data, std::size_t len, const sockaddr* to,
                  socklen_t toLen) {
    return sendto(static_cast<SOCKET>(handle), static_cast<const char*>(data),
                  static_cast<int>(len), 0, to, toLen);
}

void SendDatagrams(std::intptr_t handle, const std::uint8_t* data, std::size_t len,
                   std::size_t count, const sockaddr* to, socklen_t toLen, SendResult* results) {
    for (std::size_t i = 0; i < count; ++i) {
        const long sent = SendDatagram(handle, data + i * len, len, to, toLen);
        results[i] = {sent, sent < 0 ? WSAGetLastError() : 0};
    }
}

Socket OpenNonBlocking(int family, int type, int protocol) {
    const Socket s = socket(family, type, protocol);
    if (s == INVALID_SOCKET) return s;
    u_long on = 1;
    ioctlsocket(s, FIONBIO, &on);
    return s;
}

void CloseNonBlocking(Socket s) { closesocket(s); }

int PollSockets(PollFd* fds, std::size_t n, int ms) {
    return WSAPoll(fds, static_cast<ULONG>(n), ms);
}

bool ConnectInProgress() { return WSAGetLastError() == WSAEWOULDBLOCK; }

bool IsRefused(int error) { return error == WSAECONNREFUSED; }

int BindToInterface(std::intptr_t handle, const std::string& name, bool v6) {
    // Windows sends a broadcast out of the interface whose address the socket is bound to;
    // an interface is named by one of its IPv4 addresses.
    std::uint32_t address = 0;
    if (v6 || !ParseDottedQuad(name, address)) {
        WSASetLastError(WSAEADDRNOTAVAIL);
        return -1;
    }
    sockaddr_in local{};
    local.sin_family = AF_INET;
    local.sin_addr.s_addr = address;
    return bind(static_cast<SOCKET>(handle), reinterpret_cast<const sockaddr*>(&local),
                sizeof local);
}

}  // namespace native

}  // namespace wb::platform
