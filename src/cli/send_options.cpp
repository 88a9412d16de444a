#include "cli/send_options.h"

#include "base/string_table.h"
#include "base/translate.h"
#include "cli/cli_output.h"
#include "cli/commands.h"
#include "wake/address_text.h"
#include "wake/host_wait.h"

namespace wb::cli {

namespace {

constexpr int kMaxWaitSeconds = 3600;

// Decimal digits only: no sign, no blanks, no other base.
bool ReadNumber(const std::string& text, int low, int high, int& out) {
    if (text.size() > 6 || !AllDigits(text)) return false;
    const int value = std::stoi(text);
    if (value < low || value > high) return false;
    out = value;
    return true;
}

void RefuseValue(const std::string& command, const std::string& option, const std::string& value,
                 const std::string& expected) {
    PrintErr(FormatText(WB_TR("wakeburst", "%1: %2 的值有误: '%3' (%4)"),
                        {command, option, EscapeControlChars(value), expected}));
}

bool ReadRanged(const ParsedArgs& pa, const std::string& command, const std::string& option,
                int low, int high, int& out) {
    if (!pa.Has(option)) return true;
    if (ReadNumber(pa.Get(option), low, high, out)) return true;
    RefuseValue(command, option, pa.Get(option), std::to_string(low) + ".." + std::to_string(high));
    return false;
}

// A host to wait for: an address, or a name the resolver knows.
bool ResolveHost(const std::string& text, platform::IpAddress& out) {
    if (platform::ParseIpAddress(text, out)) return true;
    platform::HostEnt he;
    if (text.find(':') != std::string::npos || !platform::ResolveHostName(text, he)) return false;
    out = platform::IpAddress{};
    out.v4 = he.addrs.front();
    return true;
}

}  // namespace

bool IsQuiet(const ParsedArgs& pa) { return pa.Has("-q") || pa.Has("--quiet"); }

bool ReadSendOptions(const ParsedArgs& pa, const std::string& command, SendOptions& out) {
    out.dest = pa.Get("--to", out.dest);
    out.quiet = IsQuiet(pa);
    int port = out.port;
    int repeat = out.rounds.repeat;
    int interval = static_cast<int>(out.rounds.interval.count());
    int wait = 0;
    if (!ReadRanged(pa, command, "--port", 1, 65535, port) ||
        !ReadRanged(pa, command, "--repeat", 1, WakeRounds::kMaxRepeat, repeat) ||
        !ReadRanged(pa, command, "--interval", 0, WakeRounds::kMaxIntervalMs, interval) ||
        !ReadRanged(pa, command, "--wait", 1, kMaxWaitSeconds, wait))
        return false;
    out.port = static_cast<std::uint16_t>(port);
    out.rounds.repeat = repeat;
    out.rounds.interval = std::chrono::milliseconds(interval);
    out.wait = std::chrono::seconds(wait);

    if (pa.Has("--interface")) {
        out.interfaceName = pa.Get("--interface");
        if (out.interfaceName.empty()) {
            RefuseValue(command, "--interface", out.interfaceName,
                        WB_TR("wakeburst", "须为接口的名字"));
            return false;
        }
    }
    if (pa.Has("--password") && !ParseSecureOnPassword(pa.Get("--password"), out.password)) {
        RefuseValue(command, "--password", pa.Get("--password"),
                    WB_TR("wakeburst", "六个字节如 00-11-22-33-44-55, 或四个字节如 1.2.3.4"));
        return false;
    }
    if (pa.Has("--host")) {
        out.host = pa.Get("--host");
        if (!ResolveHost(out.host, out.hostAddress) || platform::NeedsScope(out.hostAddress)) {
            RefuseValue(command, "--host", out.host,
                        WB_TR("wakeburst", "须为 IP 地址 (需要范围时带上范围) 或已知的主机名"));
            return false;
        }
        if (wait == 0) {
            PrintErr(command + WB_TR("wakeburst", ": --host 指明要等待的主机, 需要 --wait"));
            return false;
        }
    }
    return true;
}

int PrepareSocket(CWakeSocket& socket, const SendOptions& options, const std::string& command) {
    socket.SetPort(options.port);
    socket.SetPassword(options.password);
    if (options.interfaceName.empty()) return kExitOk;
    switch (platform::CheckInterface(options.interfaceName)) {
        case platform::InterfaceState::Missing:
            RefuseValue(command, "--interface", options.interfaceName,
                        WB_TR("wakeburst", "没有这个接口"));
            return kExitUsage;
        case platform::InterfaceState::Down:
            RefuseValue(command, "--interface", options.interfaceName,
                        WB_TR("wakeburst", "接口未启用"));
            return kExitUsage;
        case platform::InterfaceState::Up:
            break;
    }
    if (!socket.SetInterface(options.interfaceName)) {
        PrintErr(FormatText(
            WB_TR("wakeburst", "%1: 无法经由 %2 发送: %3"),
            {command, EscapeControlChars(options.interfaceName), socket.LastSendError()}));
        return kExitFailed;
    }
    return kExitOk;
}

bool WaitTarget(const CWakeSocket& socket, const SendOptions& options, const std::string& command,
                platform::IpAddress& target) {
    if (!options.host.empty()) {
        target = options.hostAddress;
        return true;
    }
    const WakeDestination& dest = socket.Destination();
    if (dest.ipv6) {
        target = dest.ip6;
    } else {
        target = platform::IpAddress{};
        target.v4 = dest.addr;
    }
    if (!platform::IsBroadcastOrMulticast(target)) return true;
    PrintErr(FormatText(WB_TR("wakeburst", "%1: %2 通向多台主机; 用 --host 指明要等待的那一台"),
                        {command, EscapeControlChars(options.dest)}));
    return false;
}

void PrintWokenReport(const std::string& report, bool quiet) {
    if (!quiet) {
        PrintOut(report);
        return;
    }
    // The count is the last line; whatever stands before it is about lines of the list.
    const auto last = report.rfind('\n', report.size() >= 2 ? report.size() - 2 : 0);
    if (last != std::string::npos) PrintReport(report.substr(0, last + 1));
}

int WaitAndReport(const std::vector<std::string>& texts,
                  const std::vector<platform::IpAddress>& hosts, const SendOptions& options) {
    const std::vector<bool> awake =
        WaitForHosts(hosts, options.wait, [&](std::size_t i, std::chrono::milliseconds elapsed) {
            // Whole seconds, rounded up: an answer within the first second took 1 s.
            const long long seconds = (elapsed.count() + 999) / 1000;
            if (!options.quiet)
                PrintOut(FormatText(WB_TR("wakeburst", "%1 在 %2 秒后醒来"),
                                    {EscapeControlChars(texts[i]), std::to_string(seconds)}));
        });
    int code = kExitOk;
    for (std::size_t i = 0; i < hosts.size(); ++i) {
        if (awake[i]) continue;
        PrintErr(FormatText(WB_TR("wakeburst", "%1 未在 %2 秒内应答"),
                            {EscapeControlChars(texts[i]), std::to_string(options.wait.count())}));
        code = kExitTimedOut;
    }
    return code;
}

}  // namespace wb::cli
