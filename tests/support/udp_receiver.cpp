#include "support/udp_receiver.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

namespace wb::test {

UdpReceiver::UdpReceiver(std::uint16_t port) {
    m_fd = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (m_fd < 0) return;
    int on = 1;
    setsockopt(m_fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    int big = 4 << 20;
    setsockopt(m_fd, SOL_SOCKET, SO_RCVBUF, &big, sizeof big);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(port);
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (bind(m_fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
        close(m_fd);
        m_fd = -1;
    }
}

UdpReceiver::~UdpReceiver() {
    if (m_fd >= 0) close(m_fd);
}

std::vector<std::string> UdpReceiver::Drain(std::chrono::milliseconds quiet) {
    std::vector<std::string> out;
    if (m_fd < 0) return out;
    char buf[2048];
    for (;;) {
        pollfd p{m_fd, POLLIN, 0};
        if (poll(&p, 1, static_cast<int>(quiet.count())) <= 0) break;
        ssize_t n = recv(m_fd, buf, sizeof buf, 0);
        if (n < 0) break;
        out.emplace_back(buf, static_cast<std::size_t>(n));
    }
    return out;
}

}  // namespace wb::test
