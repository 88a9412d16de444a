#include <winsock2.h>
#include <ws2tcpip.h>

#include "platform/sockets.h"
#include "support/udp_receiver.h"

namespace wb::test {

UdpReceiver::UdpReceiver(std::uint16_t port) {
    platform::StartSockets();
    SOCKET s = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    if (s == INVALID_SOCKET) return;
    int big = 4 << 20;
    setsockopt(s, SOL_SOCKET, SO_RCVBUF, reinterpret_cast<const char*>(&big), sizeof big);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(port);
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
        closesocket(s);
        return;
    }
    // Socket handles are small kernel handle values, so they fit the int slot.
    m_fd = static_cast<int>(s);
}

UdpReceiver::~UdpReceiver() {
    if (m_fd >= 0) closesocket(static_cast<SOCKET>(m_fd));
}

std::vector<std::string> UdpReceiver::Drain(std::chrono::milliseconds quiet) {
    std::vector<std::string> out;
    if (m_fd < 0) return out;
    const SOCKET s = static_cast<SOCKET>(m_fd);
    char buf[2048];
    for (;;) {
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(s, &readable);
        timeval tv{};
        tv.tv_sec = static_cast<long>(quiet.count() / 1000);
        tv.tv_usec = static_cast<long>(quiet.count() % 1000 * 1000);
        if (select(0, &readable, nullptr, nullptr, &tv) <= 0) break;
        const int n = recv(s, buf, sizeof buf, 0);
        // A port-unreachable report from an earlier send shows up here on Windows.
        if (n < 0 && WSAGetLastError() == WSAECONNRESET) continue;
        if (n < 0) break;
        out.emplace_back(buf, static_cast<std::size_t>(n));
    }
    return out;
}

}  // namespace wb::test
