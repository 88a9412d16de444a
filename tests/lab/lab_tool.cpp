// The lab's helper program, one mode per run:
//   lab_tool record PORT[,PORT...] FILE   appends one line per UDP datagram that reaches this
//       namespace (IPv4 and IPv6): "DESTINATION HEX", "DESTINATION@PORT HEX" for the other
//       ports; the moment of each (steady clock, ms) goes to FILE.t. Runs until killed.
//   lab_tool sleeper BRIDGE ETHERNET DELAY_MS NAMESPACE   waits on the bridge for a frame
//       holding the wake-up pattern for ETHERNET anywhere (as a network card looks for it),
//       then brings eth0 of NAMESPACE up DELAY_MS later.
//   lab_tool local | poll MASK [FROM] | lookup IP   one wake-socket operation of this host
//       (poll: the subnet of this host or of FROM); each message it shows goes to stderr as
//       "MSG TEXT".
#include <arpa/inet.h>
#include <fcntl.h>
#include <linux/if_ether.h>
#include <linux/if_packet.h>
#include <net/if.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

#include "base/message_box.h"
#include "hostlist/host_names.h"
#include "hostlist/subnet_poll.h"
#include "platform/inet_addr.h"
#include "support/udp_receiver.h"
#include "wake/wake_socket.h"

namespace {

int Record(const std::string& portList, const std::string& file) {
    std::vector<int> ports;
    std::vector<pollfd> fds;
    std::istringstream list(portList);
    for (std::string p; std::getline(list, p, ',');) {
        ports.push_back(std::atoi(p.c_str()));
        const int fd = socket(AF_INET6, SOCK_DGRAM, 0);
        int on = 1, off = 0, big = 8 << 20;
        setsockopt(fd, SOL_SOCKET, SO_REUSEADDR, &on, sizeof on);
        setsockopt(fd, IPPROTO_IPV6, IPV6_V6ONLY, &off, sizeof off);
        setsockopt(fd, IPPROTO_IP, IP_PKTINFO, &on, sizeof on);
        setsockopt(fd, IPPROTO_IPV6, IPV6_RECVPKTINFO, &on, sizeof on);
        setsockopt(fd, SOL_SOCKET, SO_RCVBUFFORCE, &big, sizeof big);
        sockaddr_in6 a{};
        a.sin6_family = AF_INET6;
        a.sin6_port = htons(static_cast<uint16_t>(ports.back()));
        if (bind(fd, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) return 1;
        fds.push_back({fd, POLLIN, 0});
    }
    const int times = open((file + ".t").c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    // The record file comes last: its existence says that the recorder is bound.
    const int out = open(file.c_str(), O_WRONLY | O_CREAT | O_APPEND, 0644);
    while (out >= 0 && times >= 0 && poll(fds.data(), fds.size(), -1) >= 0) {
        for (std::size_t k = 0; k < fds.size(); ++k) {
            if (!(fds[k].revents & POLLIN)) continue;
            char buf[2048];
            char ctrl[256], dest[INET6_ADDRSTRLEN] = "?";
            iovec iov{buf, sizeof buf};
            msghdr msg{nullptr, 0, &iov, 1, ctrl, sizeof ctrl, 0};
            const ssize_t n = recvmsg(fds[k].fd, &msg, 0);
            for (cmsghdr* c = CMSG_FIRSTHDR(&msg); n >= 0 && c; c = CMSG_NXTHDR(&msg, c)) {
                if (c->cmsg_type == IP_PKTINFO && c->cmsg_level == IPPROTO_IP)
                    inet_ntop(AF_INET, &reinterpret_cast<in_pktinfo*>(CMSG_DATA(c))->ipi_addr, dest,
                              sizeof dest);
                if (c->cmsg_type == IPV6_PKTINFO && c->cmsg_level == IPPROTO_IPV6)
                    inet_ntop(AF_INET6, &reinterpret_cast<in6_pktinfo*>(CMSG_DATA(c))->ipi6_addr,
                              dest, sizeof dest);
            }
            const std::string line = dest + (k > 0 ? "@" + std::to_string(ports[k]) : "") + " " +
                                     wb::test::ToHex(std::string(buf, n < 0 ? 0 : n)) + "\n";
            const auto now = std::chrono::steady_clock::now().time_since_epoch();
            const std::string stamp =
                std::to_string(std::chrono::duration_cast<std::chrono::milliseconds>(now).count()) +
                "\n";
            if (n < 0 || write(times, stamp.data(), stamp.size()) < 0 ||
                write(out, line.data(), line.size()) < 0)
                return 1;
        }
    }
    return 1;
}

int Sleeper(char** argv) {
    const std::string pattern = wb::test::FromHex(wb::test::FrameHex(argv[1]));
    const int fd = socket(AF_PACKET, SOCK_RAW, htons(ETH_P_ALL));
    sockaddr_ll ll{AF_PACKET, htons(ETH_P_ALL), static_cast<int>(if_nametoindex(argv[0])), 0, 0, 0,
                   {}};
    if (fd < 0 || bind(fd, reinterpret_cast<sockaddr*>(&ll), sizeof ll) != 0) return 1;
    for (char frame[2048];;) {
        const ssize_t n = recv(fd, frame, sizeof frame, 0);
        if (n > 0 && std::search(frame, frame + n, pattern.begin(), pattern.end()) != frame + n)
            break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(argv[2])));
    execlp("ip", "ip", "-n", argv[3], "link", "set", "eth0", "up", static_cast<char*>(nullptr));
    return 1;
}

}  // namespace

int main(int argc, char** argv) {
    const std::string mode = argc > 1 ? argv[1] : "";
    if (mode == "record" && argc == 4) return Record(argv[2], argv[3]);
    if (mode == "sleeper" && argc == 6) return Sleeper(argv + 2);
    wb::SetMessageHandler([](const wb::MessageRequest& req) {
        std::fprintf(stderr, "MSG %s\n", req.text.c_str());
        return wb::MsgAnswer::Ok;
    });
    std::uint32_t local = 0;
    char buf[16];
    if (mode == "local" && wb::GetLocalAddress(local)) {
        std::printf("%s\n", std::string(wb::platform::FormatInetAddr(local, buf)).c_str());
        return 0;
    }
    if (mode == "poll" && argc >= 3 &&
        (argc > 3 ? (local = wb::platform::InetAddr(argv[3])) != wb::platform::kInetAddrNone
                  : wb::GetLocalAddress(local))) {
        wb::CWakeSocket s;
        wb::PollSubnet(s, local, argv[2]);
        return 0;
    }
    if (mode == "lookup" && argc == 3) {
        std::printf("%s\n", wb::LookupHostName(argv[2]).c_str());
        return 0;
    }
    return 2;
}
