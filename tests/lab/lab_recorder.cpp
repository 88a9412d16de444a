// Records every UDP datagram that reaches this namespace on a port: one line per datagram,
// "DESTINATION HEX", appended to a file. Runs until it is killed.
#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <string>

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: lab_recorder PORT FILE\n");
        return 2;
    }
    int fd = socket(AF_INET, SOCK_DGRAM, 0);
    int on = 1;
    setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
    setsockopt(fd, IPPROTO_IP, IP_PKTINFO, &on, sizeof on);
    int big = 8 << 20;
    setsockopt(fd, SOL_SOCKET, SO_RCVBUFFORCE, &big, sizeof big);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(static_cast<uint16_t>(std::atoi(argv[1])));
    if (bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
        std::perror("bind");
        return 1;
    }
    int out = open(argv[2], O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0644);
    if (out < 0) return 1;
    static const char digits[] = "0123456789abcdef";
    for (;;) {
        unsigned char buf[2048];
        char ctrl[256];
        iovec iov{buf, sizeof buf};
        msghdr msg{};
        msg.msg_iov = &iov;
        msg.msg_iovlen = 1;
        msg.msg_control = ctrl;
        msg.msg_controllen = sizeof ctrl;
        ssize_t n = recvmsg(fd, &msg, 0);
        if (n < 0) continue;
        char dest[INET_ADDRSTRLEN] = "?";
        for (cmsghdr* c = CMSG_FIRSTHDR(&msg); c; c = CMSG_NXTHDR(&msg, c)) {
            if (c->cmsg_level == IPPROTO_IP && c->cmsg_type == IP_PKTINFO) {
                auto* info = reinterpret_cast<in_pktinfo*>(CMSG_DATA(c));
                inet_ntop(AF_INET, &info->ipi_addr, dest, sizeof dest);
            }
        }
        std::string line = dest;
        line += ' ';
        for (ssize_t i = 0; i < n; ++i) {
            line += digits[buf[i] >> 4];
            line += digits[buf[i] & 15];
        }
        line += '\n';
        if (write(out, line.data(), line.size()) < 0) return 1;
    }
}
