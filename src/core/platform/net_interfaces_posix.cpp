#include "platform/sockets.h"

#include "socket_native.h"

namespace wb::platform {

namespace {

// Whether `pick` says true of an entry of the interface list (an address of an interface);
// it sees them in the system's order and is asked no more once it has.
template <class Pick>
bool AnyInterface(Pick pick) {
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0) return false;
    bool found = false;
    for (ifaddrs* a = list; a && !found; a = a->ifa_next)
        found = pick(*a);
    freeifaddrs(list);
    return found;
}

}  // namespace

bool FirstInterfaceAddress(std::uint32_t& addrNet) {
    return AnyInterface([&addrNet](const ifaddrs& a) {
        if (!a.ifa_addr || a.ifa_addr->sa_family != AF_INET) return false;
        if (!(a.ifa_flags & IFF_UP) || (a.ifa_flags & IFF_LOOPBACK)) return false;
        const auto* sin = reinterpret_cast<const sockaddr_in*>(a.ifa_addr);
        if (IsLoopbackAddress(sin->sin_addr.s_addr)) return false;
        addrNet = sin->sin_addr.s_addr;
        return true;
    });
}

InterfaceState CheckInterface(const std::string& name) {
    if (name.empty() || if_nametoindex(name.c_str()) == 0) return InterfaceState::Missing;
    InterfaceState state = InterfaceState::Missing;
    AnyInterface([&](const ifaddrs& a) {
        if (name != a.ifa_name) return false;
        // Administratively up is not enough: without a carrier nothing leaves.
        const bool up = (a.ifa_flags & IFF_UP) && (a.ifa_flags & IFF_RUNNING);
        state = up ? InterfaceState::Up : InterfaceState::Down;
        return true;
    });
    return state;
}

namespace native {

bool IsInterfaceBroadcast(std::uint32_t addrNet) {
    return AnyInterface([addrNet](const ifaddrs& a) {
        if (!a.ifa_addr || a.ifa_addr->sa_family != AF_INET) return false;
        if (!(a.ifa_flags & IFF_BROADCAST) || !a.ifa_broadaddr) return false;
        return reinterpret_cast<const sockaddr_in*>(a.ifa_broadaddr)->sin_addr.s_addr == addrNet;
    });
}

}  // namespace native

}  // namespace wb::platform
