#include "platform/host_probe.h"

#include <cstring>

#include "socket_native.h"

namespace wb::platform {

namespace {

using native::PollFd;
using Fd = native::Socket;
const Fd kNoFd = native::kNoNativeSocket;

socklen_t ToSockaddr(const IpAddress& a, std::uint16_t port, sockaddr_storage& ss) {
    std::memset(&ss, 0, sizeof ss);
    if (a.v6) {
        auto* sin6 = reinterpret_cast<sockaddr_in6*>(&ss);
        sin6->sin6_family = AF_INET6;
        sin6->sin6_port = htons(port);
        std::memcpy(&sin6->sin6_addr, a.bytes6.data(), 16);
        sin6->sin6_scope_id = a.scopeId;
        return sizeof(sockaddr_in6);
    }
    auto* sin = reinterpret_cast<sockaddr_in*>(&ss);
    sin->sin_family = AF_INET;
    sin->sin_port = htons(port);
    sin->sin_addr.s_addr = a.v4;
    return sizeof(sockaddr_in);
}

bool SameHost(const IpAddress& a, const sockaddr_storage& from) {
    if (a.v6 && from.ss_family == AF_INET6)
        return std::memcmp(&reinterpret_cast<const sockaddr_in6*>(&from)->sin6_addr,
                           a.bytes6.data(), 16) == 0;
    if (!a.v6 && from.ss_family == AF_INET)
        return reinterpret_cast<const sockaddr_in*>(&from)->sin_addr.s_addr == a.v4;
    return false;
}

// Echo requests through the ping sockets that Linux offers to the groups allowed by
// net.ipv4.ping_group_range; elsewhere, or when not allowed, there is none and TCP alone
// decides.
Fd OpenPingSocket(bool v6) {
#if defined(__linux__)
    const int protocol = v6 ? static_cast<int>(IPPROTO_ICMPV6) : static_cast<int>(IPPROTO_ICMP);
    return native::OpenNonBlocking(v6 ? AF_INET6 : AF_INET, SOCK_DGRAM, protocol);
#else
    (void)v6;
    return kNoFd;
#endif
}

void SendEcho(Fd fd, const IpAddress& host, std::uint16_t sequence) {
    // Type (echo request: 8, or 128 for ICMPv6), code, checksum, identifier and sequence;
    // the kernel fills in the identifier and the checksum.
    unsigned char echo[16] = {};
    echo[0] = host.v6 ? 128 : 8;
    echo[6] = static_cast<unsigned char>(sequence >> 8);
    echo[7] = static_cast<unsigned char>(sequence);
    sockaddr_storage to;
    const socklen_t len = ToSockaddr(host, 0, to);
    sendto(fd, reinterpret_cast<const char*>(echo), sizeof echo, 0,
           reinterpret_cast<const sockaddr*>(&to), len);
}

}  // namespace

std::vector<bool> ProbeHosts(const std::vector<IpAddress>& hosts,
                             const std::vector<std::uint16_t>& ports,
                             std::chrono::milliseconds budget) {
    StartSockets();
    std::vector<bool> answered(hosts.size(), false);
    std::vector<PollFd> fds;
    std::vector<std::size_t> owner;  // host index of each fd; hosts.size() for a ping socket
    const std::size_t kPing = hosts.size();

    for (std::size_t h = 0; h < hosts.size(); ++h) {
        for (std::uint16_t port : ports) {
            Fd fd = native::OpenNonBlocking(hosts[h].v6 ? AF_INET6 : AF_INET, SOCK_STREAM, 0);
            if (fd == kNoFd) continue;
            sockaddr_storage to;
            const socklen_t len = ToSockaddr(hosts[h], port, to);
            if (connect(fd, reinterpret_cast<const sockaddr*>(&to), len) == 0 ||
                native::IsRefused(native::SystemError())) {
                answered[h] = true;
                native::CloseNonBlocking(fd);
                break;
            }
            if (!native::ConnectInProgress()) {
                native::CloseNonBlocking(fd);
                continue;
            }
            PollFd p{};
            p.fd = fd;
            p.events = POLLOUT;
            fds.push_back(p);
            owner.push_back(h);
        }
    }
    static std::uint16_t sequence = 0;
    ++sequence;
    for (bool v6 : {false, true}) {
        Fd ping = kNoFd;
        for (const IpAddress& host : hosts) {
            if (host.v6 != v6) continue;
            if (ping == kNoFd && (ping = OpenPingSocket(v6)) == kNoFd) break;
            SendEcho(ping, host, sequence);
        }
        if (ping == kNoFd) continue;
        PollFd p{};
        p.fd = ping;
        p.events = POLLIN;
        fds.push_back(p);
        owner.push_back(kPing);
    }

    const auto deadline = std::chrono::steady_clock::now() + budget;
    for (;;) {
        std::size_t waiting = 0;
        for (std::size_t i = 0; i < fds.size(); ++i) {
            if (fds[i].fd == kNoFd) continue;
            if (owner[i] != kPing && answered[owner[i]]) continue;
            ++waiting;
        }
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
            deadline - std::chrono::steady_clock::now());
        if (waiting == 0 || left.count() <= 0) break;
        if (native::PollSockets(fds.data(), fds.size(), static_cast<int>(left.count())) < 0) break;
        for (std::size_t i = 0; i < fds.size(); ++i) {
            PollFd& p = fds[i];
            if (p.fd == kNoFd || p.revents == 0) continue;
            if (owner[i] == kPing) {
                sockaddr_storage from{};
                socklen_t fromLen = sizeof from;
                char reply[256];
                while (recvfrom(p.fd, reply, sizeof reply, 0, reinterpret_cast<sockaddr*>(&from),
                                &fromLen) >= 0) {
                    for (std::size_t h = 0; h < hosts.size(); ++h) {
                        if (SameHost(hosts[h], from)) answered[h] = true;
                    }
                    fromLen = sizeof from;
                }
                p.revents = 0;
                continue;
            }
            int err = 0;
            socklen_t errLen = sizeof err;
            getsockopt(p.fd, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&err), &errLen);
            if (err == 0 || native::IsRefused(err)) answered[owner[i]] = true;
            native::CloseNonBlocking(p.fd);
            p.fd = kNoFd;
        }
    }
    for (PollFd& p : fds) {
        if (p.fd != kNoFd) native::CloseNonBlocking(p.fd);
    }
    return answered;
}

}  // namespace wb::platform
