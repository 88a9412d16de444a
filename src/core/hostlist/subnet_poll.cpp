#include "hostlist/subnet_poll.h"

#include <cstring>

#include "platform/inet_addr.h"
#include "platform/sockets.h"
#include "wake/network_error.h"

namespace wb {

bool GetLocalAddress(std::uint32_t& addrNet) {
    std::string name;
    platform::HostEnt host;
    if (!platform::GetLocalHostName(name) || !platform::ResolveHostName(name, host)) {
        ReportNetworkError(platform::LastNetError());
        return false;
    }
    // Many systems map their own name to a loopback address; polling 127.x.x.x would find
    // nobody, so take the first real address, or else the first interface's.
    for (std::uint32_t a : host.addrs) {
        if (!platform::IsLoopbackAddress(a)) {
            addrNet = a;
            return true;
        }
    }
    std::uint32_t ifAddr = 0;
    addrNet = platform::FirstInterfaceAddress(ifAddr) ? ifAddr : host.addrs.front();
    return true;
}

void PollSubnet(CWakeSocket& socket, std::uint32_t localAddr, const std::string& maskText) {
    const std::uint32_t mask = ConvertDottedAddress(maskText);
    if (mask == platform::kInetAddrNone) ReportNetworkError(platform::LastNetError());

    std::uint8_t dest[4];
    std::uint8_t maskBytes[4];
    std::memcpy(dest, &localAddr, 4);
    std::memcpy(maskBytes, &mask, 4);
    for (int k = 0; k < 4; ++k)
        dest[k] &= maskBytes[k];

    const int n = 255 - maskBytes[3];
    for (int k = 0; k < n - 1; ++k) {
        ++dest[3];
        std::uint32_t addr;
        std::memcpy(&addr, dest, 4);
        for (int r = 0; r < 3; ++r)
            socket.SendRawTo(addr, kPollDatagram, kPollDatagramSize);
    }
}

}  // namespace wb
