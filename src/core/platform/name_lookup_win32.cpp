#include "platform/sockets.h"

#include "socket_native.h"

namespace wb::platform {

bool GetLocalHostName(std::string& name) {
    char buf[256] = {};
    if (gethostname(buf, 255) != 0) {
        SetLastNetError(WSAGetLastError());
        return false;
    }
    buf[255] = '\0';
    name = buf;
    return true;
}

bool ResolveHostName(const std::string& name, HostEnt& out) {
    // Winsock answers an empty name with the local host; an empty destination must not
    // quietly become this machine.
    if (name.empty()) {
        SetLastNetError(kNetErrHostNotFound);
        return false;
    }
    const hostent* he = gethostbyname(name.c_str());
    if (!he) {
        SetLastNetError(WSAGetLastError());
        return false;
    }
    native::FillHostEnt(he, out);
    if (out.addrs.empty()) {
        SetLastNetError(kNetErrNoData);
        return false;
    }
    return true;
}

bool ResolveAddress(std::uint32_t addrNet, HostEnt& out) {
    const hostent* he = gethostbyaddr(reinterpret_cast<const char*>(&addrNet), 4, AF_INET);
    if (!he) {
        SetLastNetError(WSAGetLastError());
        return false;
    }
    native::FillHostEnt(he, out);
    return true;
}

}  // namespace wb::platform
