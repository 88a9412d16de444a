#include "platform/sockets.h"

#include <cstring>

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
#endif

namespace wb::platform {

namespace {

thread_local int t_lastError = 0;

#ifdef _WIN32
constexpr std::intptr_t kNoSocket = static_cast<std::intptr_t>(INVALID_SOCKET);
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
    hostent* result = nullptr;
    int herr = 0;
    std::vector<char> buf(2048);
    for (;;) {
        int rc = gethostbyname_r(name.c_str(), &he, buf.data(), buf.size(), &result, &herr);
        if (rc == ERANGE && buf.size() < (1u << 20)) {
            buf.resize(buf.size() * 2);
            continue;
        }
        break;
    }
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
    hostent* result = nullptr;
    int herr = 0;
    std::vector<char> buf(2048);
    for (;;) {
        int rc = gethostbyaddr_r(&addrNet, 4, AF_INET, &he, buf.data(), buf.size(), &result, &herr);
        if (rc == ERANGE && buf.size() < (1u << 20)) {
            buf.resize(buf.size() * 2);
            continue;
        }
        break;
    }
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
    ULONG size = 16 * 1024;
    std::vector<unsigned char> buf(size);
    auto* info = reinterpret_cast<IP_ADAPTER_ADDRESSES*>(buf.data());
    if (GetAdaptersAddresses(AF_INET, GAA_FLAG_SKIP_ANYCAST | GAA_FLAG_SKIP_MULTICAST, nullptr,
                             info, &size) != NO_ERROR)
        return false;
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

UdpSocket::UdpSocket() : m_handle(kNoSocket) {
    StartSockets();
#ifdef _WIN32
    SOCKET s = socket(AF_INET, SOCK_DGRAM, IPPROTO_UDP);
    m_handle = s == INVALID_SOCKET ? kNoSocket : static_cast<std::intptr_t>(s);
#else
    m_handle = socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, IPPROTO_UDP);
#endif
    if (m_handle == kNoSocket) return;
    auto fd = static_cast<decltype(socket(0, 0, 0))>(m_handle);
    int on = 1;
    setsockopt(fd, SOL_SOCKET, SO_BROADCAST, reinterpret_cast<const char*>(&on), sizeof on);
    // Datagrams to addresses still being resolved stay charged to the socket; with the
    // default buffer a subnet poll stalls in sendto until those resolutions time out.
    int sndbuf = 1 << 20;
    setsockopt(fd, SOL_SOCKET, SO_SNDBUF, reinterpret_cast<const char*>(&sndbuf), sizeof sndbuf);
}

UdpSocket::~UdpSocket() { Close(); }

bool UdpSocket::IsOpen() const { return m_handle != kNoSocket; }

long UdpSocket::SendTo(const void* data, std::size_t len, std::uint32_t addrNet,
                       std::uint16_t port) {
    if (m_handle == kNoSocket) return -1;
    sockaddr_in to{};
    to.sin_family = AF_INET;
    to.sin_port = htons(port);
    to.sin_addr.s_addr = addrNet;
#ifdef _WIN32
    return sendto(static_cast<SOCKET>(m_handle), static_cast<const char*>(data),
                  static_cast<int>(len), 0, reinterpret_cast<const sockaddr*>(&to), sizeof to);
#else
    return static_cast<long>(sendto(static_cast<int>(m_handle), data, len, 0,
                                    reinterpret_cast<const sockaddr*>(&to), sizeof to));
#endif
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
