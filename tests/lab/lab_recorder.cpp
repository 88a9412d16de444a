// Records every UDP datagram that reaches this namespace on some ports, IPv4 and IPv6: one
// line per datagram, "DESTINATION HEX" for the first port and "DESTINATION@PORT HEX" for
// the others, appended to a file; the moment of each (steady clock, ms) goes to FILE.t.
// Runs until it is killed.
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

namespace {

int Bind(int port) {
    int fd = socket(AF_INET6, SOCK_DGRAM, 0);
    int on = 1, off = 0;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    setsockopt(fd, IPPROTO_IPV6, IPV6_V6ONLY, &off, sizeof off);
    setsockopt(fd, IPPROTO_IP, IP_PKTINFO, &on, sizeof on);
    setsockopt(fd, IPPROTO_IPV6, IPV6_RECVPKTINFO, &on, sizeof on);
    int big = 8 << 20;
    setsockopt(fd, SOL_SOCKET, SO_RCVBUFFORCE, &big, sizeof big);
    sockaddr_in6 a{};
    a.sin6_family = AF_INET6;
    a.sin6_port = htons(static_cast<uint16_t>(port));
    a.sin6_addr = in6addr_any;
    if (bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
        std::perror("bind");
        std::exit(1);
    }
    return fd;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: lab_recorder PORT[,PORT...] FILE\n");
        return 2;
    }
    std::vector<int> ports;
    std::istringstream list(argv[1]);
    for (std::string p; std::getline(list, p, ',');)
        ports.push_back(std::atoi(p.c_str()));
    std::vector<pollfd> fds;
    for (int port : ports)
        fds.push_back({Bind(port), POLLIN, 0});
    const std::string times = std::string(argv[2]) + ".t";
    int timesOut = open(times.c_str(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    // The record file comes last: its existence says that the recorder is bound.
    int out = open(argv[2], O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (out < 0 || timesOut < 0) return 1;
    static const char digits[] = "0123456789abcdef";
    for (;;) {
        if (poll(fds.data(), fds.size(), -1) < 0) continue;
        for (std::size_t k = 0; k < fds.size(); ++k) {
            if (!(fds[k].revents & POLLIN)) continue;
            unsigned char buf[2048];
            char ctrl[256];
            iovec iov{buf, sizeof buf};
            msghdr msg{};
            msg.msg_iov = &iov;
            msg.msg_iovlen = 1;
            msg.msg_control = ctrl;
            msg.msg_controllen = sizeof ctrl;
            ssize_t n = recvmsg(fds[k].fd, &msg, 0);
            if (n < 0) continue;
            const auto now = std::chrono::duration_cast<std::chrono::milliseconds>(
                                 std::chrono::steady_clock::now().time_since_epoch())
                                 .count();
            char dest[INET6_ADDRSTRLEN] = "?";
            for (cmsghdr* c = CMSG_FIRSTHDR(&msg); c; c = CMSG_NXTHDR(&msg, c)) {
                if (c->cmsg_level == IPPROTO_IP && c->cmsg_type == IP_PKTINFO) {
                    auto* info = reinterpret_cast<in_pktinfo*>(CMSG_DATA(c));
                    inet_ntop(AF_INET, &info->ipi_addr, dest, sizeof dest);
                } else if (c->cmsg_level == IPPROTO_IPV6 && c->cmsg_type == IPV6_PKTINFO) {
                    auto* info = reinterpret_cast<in6_pktinfo*>(CMSG_DATA(c));
                    inet_ntop(AF_INET6, &info->ipi6_addr, dest, sizeof dest);
                }
            }
            std::string line = dest;
            if (k > 0) line += "@" + std::to_string(ports[k]);
            line += ' ';
            for (ssize_t i = 0; i < n; ++i) {
                line += digits[buf[i] >> 4];
                line += digits[buf[i] & 15];
            }
            line += '\n';
            const std::string stamp = std::to_string(now) + "\n";
            if (write(timesOut, stamp.data(), stamp.size()) < 0) return 1;
            if (write(out, line.data(), line.size()) < 0) return 1;
        }
    }
}
