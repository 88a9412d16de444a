#include "platform/sockets.h"

#include <vector>

#include "socket_native.h"

namespace wb::platform {

namespace {

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

}  // namespace

bool GetLocalHostName(std::string& name) {
    char buf[256] = {};
    if (gethostname(buf, 255) != 0) {
        SetLastNetError(kNetErrFault);
        return false;
    }
    buf[255] = '\0';
    name = buf;
    return true;
}

bool ResolveHostName(const std::string& name, HostEnt& out) {
    hostent he{};
    std::vector<char> buf;
    int herr = 0;
    const hostent* result = ResolveWithBuffer(buf, [&](char* b, std::size_t n, hostent** r) {
        return gethostbyname_r(name.c_str(), &he, b, n, r, &herr);
    });
    if (!result) {
        SetLastNetError(MapResolverError(herr));
        return false;
    }
    native::FillHostEnt(result, out);
    if (out.addrs.empty()) {
        SetLastNetError(kNetErrNoData);
        return false;
    }
    return true;
}

bool ResolveAddress(std::uint32_t addrNet, HostEnt& out) {
    hostent he{};
    std::vector<char> buf;
    int herr = 0;
    const hostent* result = ResolveWithBuffer(buf, [&](char* b, std::size_t n, hostent** r) {
        return gethostbyaddr_r(&addrNet, 4, AF_INET, &he, b, n, r, &herr);
    });
    if (!result) {
        SetLastNetError(MapResolverError(herr));
        return false;
    }
    native::FillHostEnt(result, out);
    return true;
}

}  // namespace wb::platform
