// The watcher of a sleeping lab host: listens on a bridge for a frame that holds the wake-up
// pattern for the host's Ethernet address (six 0xFF bytes, then the address sixteen times,
// anywhere in the frame, as a network card looks for it), then waits and brings the host's
// link up.
//   lab_sleeper BRIDGE ETHERNET DELAY_MS NAMESPACE
#include <arpa/inet.h>
#include <linux/if_ether.h>
#include <linux/if_packet.h>
#include <net/if.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

int main(int argc, char** argv) {
    if (argc != 5) {
        std::fprintf(stderr, "usage: lab_sleeper BRIDGE ETHERNET DELAY_MS NAMESPACE\n");
        return 2;
    }
    unsigned mac[6];
    if (std::sscanf(argv[2], "%x-%x-%x-%x-%x-%x", &mac[0], &mac[1], &mac[2], &mac[3], &mac[4],
                    &mac[5]) != 6)
        return 2;
    std::string pattern(6, '\xff');
    for (int k = 0; k < 16; ++k) {
        for (unsigned b : mac)
            pattern += static_cast<char>(b);
    }
    int fd = socket(AF_PACKET, SOCK_RAW, htons(ETH_P_ALL));
    sockaddr_ll ll{};
    ll.sll_family = AF_PACKET;
    ll.sll_protocol = htons(ETH_P_ALL);
    ll.sll_ifindex = static_cast<int>(if_nametoindex(argv[1]));
    if (fd < 0 || ll.sll_ifindex == 0 ||
        bind(fd, reinterpret_cast<sockaddr*>(&ll), sizeof ll) != 0) {
        std::perror("lab_sleeper");
        return 1;
    }
    for (;;) {
        char frame[2048];
        const ssize_t n = recv(fd, frame, sizeof frame, 0);
        if (n <= 0) continue;
        if (std::search(frame, frame + n, pattern.begin(), pattern.end()) != frame + n) break;
    }
    close(fd);
    std::this_thread::sleep_for(std::chrono::milliseconds(std::atoi(argv[3])));
    execlp("ip", "ip", "-n", argv[4], "link", "set", "eth0", "up", static_cast<char*>(nullptr));
    return 1;
}
