#include "platform/arp_table.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <vector>

#include "base/string_text.h"

namespace wb::platform {

namespace {

constexpr unsigned kAtfComplete = 0x2;   // the kernel's ATF_COM
constexpr unsigned kAtfPermanent = 0x4;  // ATF_PERM

struct ArpRow {
    std::uint32_t sortKey;
    std::string ip;
    std::string ethernet;
    bool permanent;
};

bool IsResolvedHardwareAddress(const std::string& hw) {
    if (hw.size() != 17) return false;
    bool allZero = true;
    for (std::size_t i = 0; i < hw.size(); ++i) {
        const char c = hw[i];
        if ((i + 1) % 3 == 0) {
            if (c != ':') return false;
        } else if (!IsHexDigit(c)) {
            return false;
        } else if (c != '0') {
            allZero = false;
        }
    }
    return !allZero;
}

// Host order, so that the listing comes out by address as the Windows tool shows it.
std::uint32_t SortKey(const std::string& ip) {
    std::uint32_t key = 0;
    const char* p = ip.c_str();
    for (int k = 0; k < 4; ++k) {
        char* end = nullptr;
        key = (key << 8) | (static_cast<std::uint32_t>(std::strtoul(p, &end, 10)) & 0xFF);
        p = *end == '.' ? end + 1 : end;
    }
    return key;
}

}  // namespace

std::string FormatProcNetArp(std::string_view procNetArp,
                             const std::map<std::string, std::string>& deviceAddrs,
                             bool& resolving) {
    resolving = false;
    std::map<std::string, std::vector<ArpRow>> byDevice;
    std::istringstream in{std::string(procNetArp)};
    std::string line;
    std::getline(in, line);  // column heads
    while (std::getline(in, line)) {
        std::istringstream fields(line);
        std::string ip, hwType, flagsText, hw, mask, device;
        if (!(fields >> ip >> hwType >> flagsText >> hw >> mask >> device)) continue;
        const unsigned flags = static_cast<unsigned>(std::strtoul(flagsText.c_str(), nullptr, 16));
        if (!(flags & kAtfComplete)) {
            resolving = true;
            continue;
        }
        if (!IsResolvedHardwareAddress(hw)) continue;
        std::replace(hw.begin(), hw.end(), ':', '-');
        byDevice[device].push_back({SortKey(ip), ip, hw, (flags & kAtfPermanent) != 0});
    }

    // What the Windows tool prints for an empty table: a listing without entries, which is
    // not the same as no listing at all.
    if (byDevice.empty()) return kNoArpEntries;
    std::string out;
    char buf[128];
    for (auto& [device, rows] : byDevice) {
        std::stable_sort(rows.begin(), rows.end(),
                         [](const ArpRow& a, const ArpRow& b) { return a.sortKey < b.sortKey; });
        auto addr = deviceAddrs.find(device);
        out += "\r\nInterface: ";
        out += addr == deviceAddrs.end() ? std::string("-") : addr->second;
        out += " --- " + device + "\r\n";
        out += "  Internet Address      Physical Address      Type\r\n";
        for (const ArpRow& r : rows) {
            std::snprintf(buf, sizeof buf, "  %-22s%-22s%s\r\n", r.ip.c_str(), r.ethernet.c_str(),
                          r.permanent ? "static" : "dynamic");
            out += buf;
        }
    }
    return out;
}

}  // namespace wb::platform
