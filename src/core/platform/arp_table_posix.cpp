#include "platform/arp_table.h"

#include <arpa/inet.h>
#include <ifaddrs.h>
#include <netinet/in.h>

#include <algorithm>
#include <cstdlib>
#include <thread>

#include "arp_timing.h"
#include "platform/regular_file.h"

namespace wb::platform {

namespace {

bool ReadProcNetArp(std::string& text) {
    return ReadRegularFile("/proc/net/arp", text) == ReadResult::Read;
}

std::map<std::string, std::string> DeviceAddresses() {
    std::map<std::string, std::string> addrs;
    ifaddrs* list = nullptr;
    if (getifaddrs(&list) != 0) return addrs;
    for (ifaddrs* a = list; a; a = a->ifa_next) {
        if (!a->ifa_addr || a->ifa_addr->sa_family != AF_INET || !a->ifa_name) continue;
        char text[INET_ADDRSTRLEN] = {};
        auto* sin = reinterpret_cast<sockaddr_in*>(a->ifa_addr);
        if (inet_ntop(AF_INET, &sin->sin_addr, text, sizeof text)) addrs.emplace(a->ifa_name, text);
    }
    freeifaddrs(list);
    return addrs;
}

// The longest retransmission time of the interfaces with an IPv4 address (each may have
// its own); the system's default when none can be read.
std::chrono::milliseconds RetransTime(const std::map<std::string, std::string>& devices) {
    long longest = 0;
    for (const auto& device : devices) {
        std::string text;
        if (ReadRegularFile("/proc/sys/net/ipv4/neigh/" + device.first + "/retrans_time_ms",
                            text) != ReadResult::Read)
            continue;
        // A value beyond a few seconds is a misconfiguration, not a reason to hang the scan.
        longest = std::max(longest, std::min(std::strtol(text.c_str(), nullptr, 10), 5000L));
    }
    return longest > 0 ? std::chrono::milliseconds(longest) : kDefaultRetransTime;
}

}  // namespace

std::chrono::milliseconds ArpAnswerGrace() {
    return RetransTime(DeviceAddresses()) + kAnswerMargin;
}

bool ReadArpListing(std::string& listing, std::chrono::milliseconds settle) {
    listing.clear();
    const auto deadline = std::chrono::steady_clock::now() + settle;
    const auto devices = DeviceAddresses();
    for (;;) {
        std::string text;
        if (!ReadProcNetArp(text)) return false;
        bool resolving = false;
        listing = FormatProcNetArp(text, devices, resolving);
        if (!resolving || std::chrono::steady_clock::now() >= deadline) return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(25));
    }
}

}  // namespace wb::platform
