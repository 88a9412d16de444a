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

// One round of probes: a connection to each port of each host and an echo request to each
// host, all under way at once, and the answers as they come.
class CProbeRound final {
public:
    explicit CProbeRound(const std::vector<IpAddress>& hosts)
        : m_hosts(hosts), m_answered(hosts.size(), false), m_ping(hosts.size()) {}
    CProbeRound(const CProbeRound&) = delete;
    CProbeRound& operator=(const CProbeRound&) = delete;
    ~CProbeRound() {
        for (PollFd& p : m_fds)
            if (p.fd != kNoFd) native::CloseNonBlocking(p.fd);
    }

    void Connect(std::size_t h, const std::vector<std::uint16_t>& ports) {
        for (std::uint16_t port : ports) {
            Fd fd = native::OpenNonBlocking(m_hosts[h].v6 ? AF_INET6 : AF_INET, SOCK_STREAM, 0);
            if (fd == kNoFd) continue;
            sockaddr_storage to;
            const socklen_t len = ToSockaddr(m_hosts[h], port, to);
            if (connect(fd, reinterpret_cast<const sockaddr*>(&to), len) == 0 ||
                native::IsRefused(native::SystemError())) {
                m_answered[h] = true;
                native::CloseNonBlocking(fd);
                return;
            }
            if (native::ConnectInProgress())
                Watch(fd, POLLOUT, h);
            else
                native::CloseNonBlocking(fd);
        }
    }

    void Ping(bool v6, std::uint16_t sequence) {
        Fd ping = kNoFd;
        for (const IpAddress& host : m_hosts) {
            if (host.v6 != v6) continue;
            if (ping == kNoFd && (ping = OpenPingSocket(v6)) == kNoFd) return;
            SendEcho(ping, host, sequence);
        }
        if (ping != kNoFd) Watch(ping, POLLIN, m_ping);
    }

    void Wait(std::chrono::milliseconds budget) {
        const auto deadline = std::chrono::steady_clock::now() + budget;
        for (;;) {
            const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(
                deadline - std::chrono::steady_clock::now());
            if (!Waiting() || left.count() <= 0) return;
            if (native::PollSockets(m_fds.data(), m_fds.size(), static_cast<int>(left.count())) < 0)
                return;
            for (std::size_t i = 0; i < m_fds.size(); ++i) {
                if (m_fds[i].fd == kNoFd || m_fds[i].revents == 0) continue;
                if (m_owner[i] == m_ping)
                    TakeReplies(m_fds[i]);
                else
                    TakeConnection(m_fds[i], m_owner[i]);
            }
        }
    }

    const std::vector<bool>& Answered() const { return m_answered; }

private:
    void Watch(Fd fd, short events, std::size_t owner) {
        PollFd p{};
        p.fd = fd;
        p.events = events;
        m_fds.push_back(p);
        m_owner.push_back(owner);
    }

    // Whether a socket still waits for an answer that could change a result.
    bool Waiting() const {
        for (std::size_t i = 0; i < m_fds.size(); ++i) {
            if (m_fds[i].fd != kNoFd && (m_owner[i] == m_ping || !m_answered[m_owner[i]]))
                return true;
        }
        return false;
    }

    void TakeReplies(PollFd& p) {
        sockaddr_storage from{};
        socklen_t fromLen = sizeof from;
        char reply[256];
        while (recvfrom(p.fd, reply, sizeof reply, 0, reinterpret_cast<sockaddr*>(&from),
                        &fromLen) >= 0) {
            for (std::size_t h = 0; h < m_hosts.size(); ++h) {
                if (SameHost(m_hosts[h], from)) m_answered[h] = true;
            }
            fromLen = sizeof from;
        }
        p.revents = 0;
    }

    void TakeConnection(PollFd& p, std::size_t h) {
        int err = 0;
        socklen_t errLen = sizeof err;
        getsockopt(p.fd, SOL_SOCKET, SO_ERROR, reinterpret_cast<char*>(&err), &errLen);
        if (err == 0 || native::IsRefused(err)) m_answered[h] = true;
        native::CloseNonBlocking(p.fd);
        p.fd = kNoFd;
    }

    const std::vector<IpAddress>& m_hosts;
    std::vector<bool> m_answered;
    std::vector<PollFd> m_fds;
    std::vector<std::size_t> m_owner;  // host index of each socket; m_ping for a ping socket
    const std::size_t m_ping;
};

}  // namespace

std::vector<bool> ProbeHosts(const std::vector<IpAddress>& hosts,
                             const std::vector<std::uint16_t>& ports,
                             std::chrono::milliseconds budget) {
    StartSockets();
    CProbeRound round(hosts);
    for (std::size_t h = 0; h < hosts.size(); ++h)
        round.Connect(h, ports);
    static std::uint16_t sequence = 0;
    ++sequence;
    for (bool v6 : {false, true})
        round.Ping(v6, sequence);
    round.Wait(budget);
    return round.Answered();
}

}  // namespace wb::platform
