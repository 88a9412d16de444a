#include "platform/sockets.h"

#include <cstring>

#include "platform/inet_addr.h"
#include "socket_native.h"

namespace wb::platform {

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
    return native::IsInterfaceBroadcast(addr.v4);
}

}  // namespace wb::platform
