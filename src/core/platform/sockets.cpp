#include "platform/sockets.h"

#include "platform/inet_addr.h"

#include <cstring>
#include <system_error>

#ifdef _WIN32
// Winsock 2 before anything that could pull in the old winsock.h.
#include <winsock2.h>
#include <ws2tcpip.h>

#include <iphlpapi.h>
#else
#include <arpa/inet.h>
#include <ifaddrs.h>
#include <net/if.h>
#include <netdb.h>
#include <netinet/in.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#endif

namespace wb::platform {

namespace {

thread_local int t_lastError = 0;

#ifdef _WIN32
constexpr std::intptr_t kNoSocket = static_cast<std::intptr_t>(INVALID_SOCKET);

// The IPv4 adapters in `buf`, grown while the system says the list does not fit (a machine
// with many adapters or addresses outgrows any fixed size); null when it cannot be had.
const IP_ADAPTER_ADDRESSES* Ipv4Adapters(std::vector<unsigned char>& buf) {
    ULONG size = 16 * 1024, rc = ERROR_BUFFER_OVERFLOW;
    for (int tries = 0; rc == ERROR_BUFFER_OVERFLOW && tries < 4; ++tries) {
        buf.resize(size);
        rc = GetAdaptersAddresses(AF_INET, GAA_FLAG_SKIP_ANYCAST | GAA_FLAG_SKIP_MULTICAST, nullptr,
                                  reinterpret_cast<IP_ADAPTER_ADDRESSES*>(buf.data()), &size);
    }
    return rc == NO_ERROR ? reinterpret_cast<const IP_ADAPTER_ADDRESSES*>(buf.data()) : nullptr;
}
#else
constexpr std::intptr_t kNoSocket = -1;

int MapResolverError(int herr) {
    switch (herr) {
        case HOST_NOT_FOUND:
            return kNetErrHostNotFound;
        case TRY_AGAIN:
            return kNetErrTryAgain;
        case NO_RECOVERY:
            return kNetErrNoRecovery;
        case NO_DATA:
            return kNetErrNoData;
        default:
            return herr;  // outside the table: shown as an unknown error
    }
}
#endif

void FillHostEnt(const hostent* he, HostEnt& out) {
    out.name = he->h_name ? he->h_name : "";
    out.addrs.clear();
    if (he->h_addrtype != AF_INET || he->h_length != 4) return;
    for (char** p = he->h_addr_list; p && *p; ++p) {
        std::uint32_t a;
        std::memcpy(&a, *p, 4);
        out.addrs.push_back(a);
    }
}

}  // namespace

int LastNetError() { return t_lastError; }
void SetLastNetError(int code) { t_lastError = code; }

bool StartSockets() {
#ifdef _WIN32
    static const bool started = [] {
        WSADATA data;
        return WSAStartup(MAKEWORD(1, 1), &data) == 0;
    }();
    return started;
#else
    return true;
#endif
}

bool GetLocalHostName(std::string& name) {
    char buf[256] = {};
    if (gethostname(buf, 255) != 0) {
#ifdef _WIN32
        t_lastError = WSAGetLastError();
#else
        t_lastError = kNetErrFault;
#endif
        return false;
    }
    buf[255] = '\0';
    name = buf;
    return true;
}

#ifndef _WIN32
// Calls a reentrant resolver (`call(buffer, size, &result)`), doubling its buffer while it
// says the buffer is too small, up to 1 MiB. The entry found, or null.
template <class Call>
hostent* ResolveWithBuffer(std::vector<char>& buf, Call call) {
    buf.resize(2048);
    hostent* result = nullptr;
    while (call(buf.data(), buf.size(), &result) == ERANGE && buf.size() < (1u << 20))
        buf.resize(buf.size() * 2);
    return result;
}
#endif

bool ResolveHostName(const std::string& name, HostEnt& out) {
#ifdef _WIN32
    // Winsock answers an empty name with the local host; an empty destination must not
    // quietly become this machine.
    if (name.empty()) {
        t_lastError = kNetErrHostNotFound;
        return false;
    }
    const hostent* he = gethostbyname(name.c_str());
    if (!he) {
        t_lastError = WSAGetLastError();
        return false;
    }
    FillHostEnt(he, out);
#else
    hostent he{};
    std::vector<char> buf;
    int herr = 0;
    const hostent* result = ResolveWithBuffer(buf, [&](char* b, std::size_t n, hostent** r) {
        return gethostbyname_r(name.c_str(), &he, b, n, r, &herr);
    });
    if (!result) {
        t_lastError = MapResolverError(herr);
        return false;
    }
    FillHostEnt(result, out);
#endif
    if (out.addrs.empty()) {
        t_lastError = kNetErrNoData;
        return false;
    }
    return true;
}

bool ResolveAddress(std::uint32_t addrNet, HostEnt& out) {
#ifdef _WIN32
    const hostent* he = gethostbyaddr(reinterpret_cast<const char*>(&addrNet), 4, AF_INET);
    if (!he) {
        t_lastError = WSAGetLastError();
        return false;
    }
    FillHostEnt(he, out);
#else
    hostent he{};
    std::vector<char> buf;
    int herr = 0;
    const hostent* result = ResolveWithBuffer(buf, [&](char* b, std::size_t n, hostent** r) {
        return gethostbyaddr_r(&addrNet, 4, AF_INET, &he, b, n, r, &herr);
    });
    if (!result) {
        t_lastError = MapResolverError(herr);
        return false;
    }
    FillHostEnt(result, out);
#endif
    return true;
}

bool FirstInterfaceAddress(std::uint32_t& addrNet) {
#ifdef _WIN32
    std::vector<unsigned char> buf;
    const auto* info = Ipv4Adapters(buf);
    if (!info) return false;
    for (auto* a = info; a; a = a->Next) {
        if (a->OperStatus != IfOperStatusUp || a->IfType == IF_TYPE_SOFTWARE_LOOPBACK) continue;
        for (auto* u = a->FirstUnicastAddress; u; u = u->Next) {
            auto* sin = reinterpret_cast<sockaddr_in*>(u->Address.lpSockaddr);
            if (sin->sin_family != AF_INET || IsLoopbackAddress(sin->sin_addr.s_addr)) continue;
            addrNet = sin->sin_addr.s_addr;
            return true;
        }
    }
    return false;
#else
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0) return false;
    bool found = false;
    for (ifaddrs* a = list; a && !found; a = a->ifa_next) {
        if (!a->ifa_addr || a->ifa_addr->sa_family != AF_INET) continue;
        if (!(a->ifa_flags & IFF_UP) || (a->ifa_flags & IFF_LOOPBACK)) continue;
        auto* sin = reinterpret_cast<sockaddr_in*>(a->ifa_addr);
        if (IsLoopbackAddress(sin->sin_addr.s_addr)) continue;
        addrNet = sin->sin_addr.s_addr;
        found = true;
    }
    freeifaddrs(list);
    return found;
#endif
}

namespace {

int SystemError() {
#ifdef _WIN32
    return WSAGetLastError();
#else
    return errno;
#endif
}

}  // namespace

bool ParseIpAddress(const std::string& text, IpAddress& out) {
    out = IpAddress{};
    if (ParseDottedQuad(text, out.v4)) return true;
    if (text.find(':') == std::string::npos) return false;
    addrinfo hints{};
    hints.ai_family = AF_INET6;
    hints.ai_socktype = SOCK_DGRAM;
    hints.ai_flags = AI_NUMERICHOST;
    addrinfo* res = nullptr;
    if (getaddrinfo(text.c_str(), nullptr, &hints, &res) != 0 || !res) return false;
    const auto* sin6 = reinterpret_cast<const sockaddr_in6*>(res->ai_addr);
    out.v6 = true;
    std::memcpy(out.bytes6.data(), &sin6->sin6_addr, 16);
    out.scopeId = sin6->sin6_scope_id;
    freeaddrinfo(res);
    return true;
}

std::string FormatIpAddress(const IpAddress& addr) {
    sockaddr_storage ss{};
    socklen_t len = 0;
    if (addr.v6) {
        auto* sin6 = reinterpret_cast<sockaddr_in6*>(&ss);
        sin6->sin6_family = AF_INET6;
        std::memcpy(&sin6->sin6_addr, addr.bytes6.data(), 16);
        sin6->sin6_scope_id = addr.scopeId;
        len = sizeof(sockaddr_in6);
    } else {
        auto* sin = reinterpret_cast<sockaddr_in*>(&ss);
        sin->sin_family = AF_INET;
        sin->sin_addr.s_addr = addr.v4;
        len = sizeof(sockaddr_in);
    }
    char host[NI_MAXHOST] = {};
    if (getnameinfo(reinterpret_cast<sockaddr*>(&ss), len, host, sizeof host, nullptr, 0,
                    NI_NUMERICHOST) != 0)
        return "?";
    return host;
}

bool NeedsScope(const IpAddress& addr) {
    if (!addr.v6 || addr.scopeId != 0) return false;
    const auto& b = addr.bytes6;
    const bool linkLocal = b[0] == 0xfe && (b[1] & 0xc0) == 0x80;
    const bool localMulticast = b[0] == 0xff && (b[1] & 0x0f) <= 2;
    return linkLocal || localMulticast;
}

bool IsBroadcastOrMulticast(const IpAddress& addr) {
    if (addr.v6) return addr.bytes6[0] == 0xff;
    const auto* b = reinterpret_cast<const unsigned char*>(&addr.v4);
    if (addr.v4 == 0xFFFFFFFFu || (b[0] & 0xf0) == 0xe0) return true;
#ifdef _WIN32
    std::vector<unsigned char> buf;
    const auto* info = Ipv4Adapters(buf);
    if (!info) return false;
    for (auto* a = info; a; a = a->Next) {
        for (auto* u = a->FirstUnicastAddress; u; u = u->Next) {
            auto* sin = reinterpret_cast<sockaddr_in*>(u->Address.lpSockaddr);
            const unsigned prefix = u->OnLinkPrefixLength;
            if (sin->sin_family != AF_INET || prefix == 0 || prefix >= 31) continue;
            const std::uint32_t host = htonl(0xFFFFFFFFu >> prefix);
            if ((sin->sin_addr.s_addr | host) == addr.v4) return true;
        }
    }
    return false;
#else
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0) return false;
    bool found = false;
    for (ifaddrs* a = list; a && !found; a = a->ifa_next) {
        if (!a->ifa_addr || a->ifa_addr->sa_family != AF_INET) continue;
        if (!(a->ifa_flags & IFF_BROADCAST) || !a->ifa_broadaddr) continue;
        found = reinterpret_cast<sockaddr_in*>(a->ifa_broadaddr)->sin_addr.s_addr == addr.v4;
    }
    freeifaddrs(list);
    return found;
#endif
}

std::string SystemErrorText(int code) { return std::system_category().message(code); }

InterfaceState CheckInterface(const std::string& name) {
#ifdef _WIN32
    std::uint32_t wanted = 0;
    if (!ParseDottedQuad(name, wanted)) return InterfaceState::Missing;
    std::vector<unsigned char> buf;
    const auto* info = Ipv4Adapters(buf);
    if (!info) return InterfaceState::Missing;
    for (auto* a = info; a; a = a->Next) {
        for (auto* u = a->FirstUnicastAddress; u; u = u->Next) {
            auto* sin = reinterpret_cast<sockaddr_in*>(u->Address.lpSockaddr);
            if (sin->sin_family == AF_INET && sin->sin_addr.s_addr == wanted)
                return a->OperStatus == IfOperStatusUp ? InterfaceState::Up : InterfaceState::Down;
        }
    }
    return InterfaceState::Missing;
#else
    if (name.empty() || if_nametoindex(name.c_str()) == 0) return InterfaceState::Missing;
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0) return InterfaceState::Missing;
    InterfaceState state = InterfaceState::Missing;
    for (ifaddrs* a = list; a; a = a->ifa_next) {
        if (name != a->ifa_name) continue;
        // Administratively up is not enough: without a carrier nothing leaves.
        const bool up = (a->ifa_flags & IFF_UP) && (a->ifa_flags & IFF_RUNNING);
        state = up ? InterfaceState::Up : InterfaceState::Down;
        break;
    }
    freeifaddrs(list);
    return state;
#endif
}

UdpSocket::UdpSocket() : m_handle(kNoSocket) {
    StartSockets();
    Open(false);
}

bool UdpSocket::Open(bool v6) {
    Close();
    m_v6 = v6;
    const int family = v6 ? AF_INET6 : AF_INET;
#ifdef _WIN32
    SOCKET s = socket(family, SOCK_DGRAM, IPPROTO_UDP);
    m_handle = s == INVALID_SOCKET ? kNoSocket : static_cast<std::intptr_t>(s);
#else
    m_handle = socket(family, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_UDP);
#endif
    if (m_handle == kNoSocket) {
        t_lastError = SystemError();
        return false;
    }
    auto fd = static_cast<decltype(socket(0, 0, 0))>(m_handle);
    int on = 1;
    setsockopt(fd, SOL_SOCKET, SO_BROADCAST, reinterpret_cast<const char*>(&on), sizeof on);
    // Datagrams to addresses still being resolved stay charged to the socket; with the
    // default buffer a subnet poll stalls in sendto until those resolutions time out.
    int sndbuf = 1 << 20;
    setsockopt(fd, SOL_SOCKET, SO_SNDBUF, reinterpret_cast<const char*>(&sndbuf), sizeof sndbuf);
    if (!m_interface.empty()) return BindToInterface(m_interface);
    return true;
}

UdpSocket::~UdpSocket() { Close(); }

bool UdpSocket::IsOpen() const { return m_handle != kNoSocket; }

bool UdpSocket::BindToInterface(const std::string& name) {
    m_interface = name;
    if (m_handle == kNoSocket) return false;
    auto fd = static_cast<decltype(socket(0, 0, 0))>(m_handle);
    int rc = -1;
#ifdef _WIN32
    // Windows sends a broadcast out of the interface whose address the socket is bound to.
    sockaddr_in local{};
    local.sin_family = AF_INET;
    std::uint32_t address = 0;
    if (!m_v6 && ParseDottedQuad(name, address)) {
        local.sin_addr.s_addr = address;
        rc = bind(fd, reinterpret_cast<const sockaddr*>(&local), sizeof local);
    } else
        WSASetLastError(WSAEADDRNOTAVAIL);
#elif defined(SO_BINDTODEVICE)
    rc = setsockopt(fd, SOL_SOCKET, SO_BINDTODEVICE, name.c_str(),
                    static_cast<socklen_t>(name.size()));
#elif defined(IP_BOUND_IF)
    const unsigned index = if_nametoindex(name.c_str());
    if (m_v6)
        rc = setsockopt(fd, IPPROTO_IPV6, IPV6_BOUND_IF, &index, sizeof index);
    else
        rc = setsockopt(fd, IPPROTO_IP, IP_BOUND_IF, &index, sizeof index);
#else
    errno = ENOSYS;
#endif
    if (rc != 0) t_lastError = SystemError();
    return rc == 0;
}

long UdpSocket::SendTo(const void* data, std::size_t len, std::uint32_t addrNet,
                       std::uint16_t port) {
    if (m_v6 && !Open(false)) return -1;
    if (m_handle == kNoSocket) {
        t_lastError = kNetErrNotInitialised;
        return -1;
    }
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = addrNet;
#ifdef _WIN32
    long sent = sendto(static_cast<SOCKET>(m_handle), static_cast<const char*>(data),
                       static_cast<int>(len), 0, reinterpret_cast<const sockaddr*>(&to), sizeof to);
#else
    long sent = static_cast<long>(sendto(static_cast<int>(m_handle), data, len, 0,
                                         reinterpret_cast<const sockaddr*>(&to), sizeof to));
#endif
    if (sent < 0) t_lastError = SystemError();
    return sent;
}

long UdpSocket::SendTo6(const void* data, std::size_t len, const IpAddress& addr,
                        std::uint16_t port) {
    if (!m_v6 && !Open(true)) return -1;
    if (m_handle == kNoSocket) {
        t_lastError = kNetErrNotInitialised;
        return -1;
    }
    sockaddr_in6 to{};
    to.sin6_family = AF_INET6;
    to.sin6_port = htons(port);
    std::memcpy(&to.sin6_addr, addr.bytes6.data(), 16);
    to.sin6_scope_id = addr.scopeId;
#ifdef _WIN32
    long sent = sendto(static_cast<SOCKET>(m_handle), static_cast<const char*>(data),
                       static_cast<int>(len), 0, reinterpret_cast<const sockaddr*>(&to), sizeof to);
#else
    long sent = static_cast<long>(sendto(static_cast<int>(m_handle), data, len, 0,
                                         reinterpret_cast<const sockaddr*>(&to), sizeof to));
#endif
    if (sent < 0) t_lastError = SystemError();
    return sent;
}

void UdpSocket::Close() {
    if (m_handle == kNoSocket) return;
#ifdef _WIN32
    closesocket(static_cast<SOCKET>(m_handle));
#else
    close(static_cast<int>(m_handle));
#endif
    m_handle = kNoSocket;
}

}  // namespace wb::platform
