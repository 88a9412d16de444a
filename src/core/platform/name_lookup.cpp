#include "platform/sockets.h"

#include <cstring>

#include "socket_native.h"

namespace wb::platform::native {

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

}  // namespace wb::platform::native
