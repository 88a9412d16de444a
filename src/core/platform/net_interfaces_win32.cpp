#include "platform/sockets.h"

#include <vector>

#include "platform/inet_addr.h"
#include "socket_native.h"

namespace wb::platform {

namespace {

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

// The first IPv4 unicast address of any adapter for which `pick` says true; `pick` sees
// the adapter and the address.
template <class Pick>
bool AnyAdapterAddress(Pick pick) {
    std::vector<unsigned char> buf;
    for (auto* a = Ipv4Adapters(buf); a; a = a->Next) {
        for (auto* u = a->FirstUnicastAddress; u; u = u->Next) {
            const auto* sin = reinterpret_cast<const sockaddr_in*>(u->Address.lpSockaddr);
            if (sin->sin_family == AF_INET && pick(*a, *u, sin->sin_addr.s_addr)) return true;
        }
    }
    return false;
}

}  // namespace

bool FirstInterfaceAddress(std::uint32_t& addrNet) {
    return AnyAdapterAddress([&addrNet](const IP_ADAPTER_ADDRESSES& a,
                                        const IP_ADAPTER_UNICAST_ADDRESS&, std::uint32_t address) {
        if (a.OperStatus != IfOperStatusUp || a.IfType == IF_TYPE_SOFTWARE_LOOPBACK) return false;
        if (IsLoopbackAddress(address)) return false;
        addrNet = address;
        return true;
    });
}

InterfaceState CheckInterface(const std::string& name) {
    std::uint32_t wanted = 0;
    if (!ParseDottedQuad(name, wanted)) return InterfaceState::Missing;
    InterfaceState state = InterfaceState::Missing;
    AnyAdapterAddress([&](const IP_ADAPTER_ADDRESSES& a, const IP_ADAPTER_UNICAST_ADDRESS&,
                          std::uint32_t address) {
        if (address != wanted) return false;
        state = a.OperStatus == IfOperStatusUp ? InterfaceState::Up : InterfaceState::Down;
        return true;
    });
    return state;
}

namespace native {

bool IsInterfaceBroadcast(std::uint32_t addrNet) {
    return AnyAdapterAddress([addrNet](const IP_ADAPTER_ADDRESSES&,
                                       const IP_ADAPTER_UNICAST_ADDRESS& u, std::uint32_t address) {
        const unsigned prefix = u.OnLinkPrefixLength;
        if (prefix == 0 || prefix >= 31) return false;
        const std::uint32_t host = htonl(0xFFFFFFFFu >> prefix);
        return (address | host) == addrNet;
    });
}

}  // namespace native

}  // namespace wb::platform
