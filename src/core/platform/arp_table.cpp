#include "platform/arp_table.h"

#include "platform/regular_file.h"

#include <algorithm>
#include <cctype>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <sstream>
#include <thread>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <arpa/inet.h>
#include <ifaddrs.h>
#include <netinet/in.h>

#endif

namespace wb::platform {

namespace {

// Resolution sends its second request one retransmission time after the first, and the
// first leaves with the first datagram to the address. A host on the LAN answers within a
// millisecond; the margin is three times the kernel's timer slack at a one-second time-out
// (a 1 s timer fires up to 32 ms late at 250 Hz), so that a host which missed the first
// request is still seen. Hosts that missed both would need a third request; waiting for it would
// double the wait of every scan for hosts that are most likely down.
constexpr std::chrono::milliseconds kAnswerMargin{100};
constexpr std::chrono::milliseconds kDefaultRetransTime{1000};

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
        } else if (!std::isxdigit(static_cast<unsigned char>(c))) {
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

#ifdef _WIN32

// The system's own tool, hidden, its output through a pipe; it is given a time-out so that
// a hanging tool cannot hang the caller.
bool ReadArpListing(std::string& listing, std::chrono::milliseconds settle) {
    listing.clear();
    SECURITY_ATTRIBUTES sa{};
    sa.nLength = sizeof sa;
    sa.bInheritHandle = TRUE;
    HANDLE outRead = nullptr, outWrite = nullptr, inRead = nullptr, inWrite = nullptr;
    if (!CreatePipe(&outRead, &outWrite, &sa, 0)) return false;
    if (!CreatePipe(&inRead, &inWrite, &sa, 0)) {
        CloseHandle(outRead);
        CloseHandle(outWrite);
        return false;
    }
    // Only the child's ends may be inherited.
    SetHandleInformation(outRead, HANDLE_FLAG_INHERIT, 0);
    SetHandleInformation(inWrite, HANDLE_FLAG_INHERIT, 0);

    // The system's tool lists no entry still being resolved: give resolution its time first.
    std::this_thread::sleep_for(settle);

    STARTUPINFOA si{};
    si.cb = sizeof si;
    si.dwFlags = STARTF_USESHOWWINDOW | STARTF_USESTDHANDLES;
    si.wShowWindow = SW_HIDE;
    si.hStdInput = inRead;
    si.hStdOutput = outWrite;
    si.hStdError = outWrite;
    PROCESS_INFORMATION pi{};
    char commandLine[] = "arp -a";
    const BOOL started = CreateProcessA(nullptr, commandLine, nullptr, nullptr, TRUE,
                                        CREATE_NO_WINDOW, nullptr, nullptr, &si, &pi);
    CloseHandle(outWrite);
    CloseHandle(inRead);
    if (!started) {
        CloseHandle(outRead);
        CloseHandle(inWrite);
        return false;
    }

    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    char buf[512];
    bool exited = false;
    for (;;) {
        DWORD avail = 0;
        if (!PeekNamedPipe(outRead, nullptr, 0, nullptr, &avail, nullptr)) break;  // closed
        if (avail > 0) {
            DWORD got = 0;
            if (!ReadFile(outRead, buf, std::min<DWORD>(avail, sizeof buf), &got, nullptr) ||
                got == 0)
                break;
            listing.append(buf, got);
            continue;
        }
        if (exited) break;
        exited = WaitForSingleObject(pi.hProcess, 20) == WAIT_OBJECT_0;
        if (!exited && std::chrono::steady_clock::now() >= deadline) {
            TerminateProcess(pi.hProcess, 1);
            WaitForSingleObject(pi.hProcess, 1000);
            break;
        }
    }
    CloseHandle(pi.hThread);
    CloseHandle(pi.hProcess);
    CloseHandle(outRead);
    CloseHandle(inWrite);
    return true;
}

std::chrono::milliseconds ArpAnswerGrace() { return kDefaultRetransTime + kAnswerMargin; }

#else

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

#endif

}  // namespace wb::platform
