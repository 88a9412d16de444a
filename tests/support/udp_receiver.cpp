#include "support/udp_receiver.h"

#include "platform/sockets.h"
#include "socket_api.h"

namespace wb::test {

UdpReceiver::UdpReceiver(std::uint16_t port) {
    platform::StartSockets();
    const sockets::Handle s = socket(AF_INET, sockets::kType, 0);
    if (s == sockets::kInvalid) return;
    const int on = 1, big = 4 << 20;
    if (sockets::kReuseAddress)
        setsockopt(s, SOL_SOCKET, SO_REUSEADDR, reinterpret_cast<const char*>(&on), sizeof on);
    setsockopt(s, SOL_SOCKET, SO_RCVBUF, reinterpret_cast<const char*>(&big), sizeof big);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(port);
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    // Socket handles are small kernel handle values, so they fit the int slot.
    if (bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0)
        m_fd = static_cast<int>(s);
    else
        sockets::Close(s);
}

UdpReceiver::~UdpReceiver() {
    if (m_fd >= 0) sockets::Close(static_cast<sockets::Handle>(m_fd));
}

std::vector<std::string> UdpReceiver::Drain(std::chrono::milliseconds quiet) {
    std::vector<std::string> out;
    const auto s = static_cast<sockets::Handle>(m_fd);
    char buf[2048];
    while (m_fd >= 0) {
        fd_set readable;
        FD_ZERO(&readable);
        FD_SET(s, &readable);
        timeval tv{static_cast<long>(quiet.count() / 1000),
                   static_cast<long>(quiet.count() % 1000 * 1000)};
        if (select(static_cast<int>(s) + 1, &readable, nullptr, nullptr, &tv) <= 0) break;
        const auto n = recv(s, buf, sizeof buf, 0);
        if (n < 0 && sockets::Passing()) continue;
        if (n < 0) break;
        out.emplace_back(buf, static_cast<std::size_t>(n));
    }
    return out;
}

}  // namespace wb::test
