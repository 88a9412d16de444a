#include <algorithm>
#include <cstdint>
#include <iostream>

#include "base/string_table.h"
#include "base/translate.h"
#include "cli/cli_args.h"
#include "cli/cli_output.h"
#include "cli/cli_text.h"
#include "cli/commands.h"
#include "cli/send_options.h"
#include "wake/address_text.h"
#include "wake/wake_socket.h"

namespace wb::cli {

namespace {

const std::string kCommand = "wakeburst send";

// Every address is checked before the first frame leaves, so all of them are held until
// then; standard input may bring no more than this many (nothing is sent beyond it).
constexpr std::size_t kMaxAddresses = 100000;

// Only six pairs name a host here; Linux tools write 00:a0:c9:12:34:56, and colons read as
// separators further on. False (and one line said) for a text that is no host's address.
bool AddAddress(const std::string& text, std::vector<std::string>& out) {
    std::uint8_t bytes[kEthernetAddressSize];
    const HostEthernetFault fault = ParseHostEthernet(text, bytes);
    if (fault != HostEthernetFault::None) {
        const char* why = fault == HostEthernetFault::AllZero
                              ? WB_TR("wakeburst", "全零地址不指明任何主机")
                          : fault == HostEthernetFault::Broadcast
                              ? WB_TR("wakeburst", "广播地址不指明任何主机")
                              : WB_TR("wakeburst", "须为六对十六进制数字, 如 00:a0:c9:12:34:56");
        PrintErr(FormatString1(IDS_BAD_ETHERNET, EscapeControlChars(text)) + " (" + why + ")");
        return false;
    }
    std::string address = text;
    std::replace(address.begin(), address.end(), ':', '-');
    out.push_back(std::move(address));
    return true;
}

// The addresses on standard input, one a line (blank lines skipped), after those in `out`.
int ReadInputAddresses(std::vector<std::string>& out) {
    CInputLines lines("-");
    std::string line;
    for (CInputLines::Result r; (r = lines.Next(line)) != CInputLines::Result::End;) {
        if (r != CInputLines::Result::Line) {
            PrintErr(r == CInputLines::Result::Failed
                         ? FormatText(WB_TR("wakeburst", "%1: 无法读取标准输入; 什么也没有发送"),
                                      {kCommand})
                         : FormatText(WB_TR("wakeburst",
                                            "%1: 标准输入的第 %2 行超过 %3 字节; 什么也没有发送"),
                                      {kCommand, std::to_string(lines.Number()),
                                       std::to_string(CInputLines::kMaxInputLine)}));
            return kExitFailed;
        }
        const auto first = line.find_first_not_of(" \t\r");
        if (first == std::string::npos) continue;
        if (out.size() == kMaxAddresses) {
            PrintErr(
                FormatText(WB_TR("wakeburst", "%1: 标准输入中的地址多于 %2 个; 什么也没有发送"),
                           {kCommand, std::to_string(kMaxAddresses)}));
            return kExitFailed;
        }
        const auto last = line.find_last_not_of(" \t\r");
        if (!AddAddress(line.substr(first, last - first + 1), out)) return kExitUsage;
    }
    return kExitOk;
}

// The addresses of the command line, "-" standing for those on standard input. The exit
// code: kExitOk when all of them were read and are addresses.
int ReadAddresses(const std::vector<std::string>& positional, std::vector<std::string>& out) {
    for (const std::string& arg : positional) {
        const int code =
            arg == "-" ? ReadInputAddresses(out) : (AddAddress(arg, out) ? kExitOk : kExitUsage);
        if (code != kExitOk) return code;
    }
    if (!out.empty()) return kExitOk;
    PrintErr(kCommand + WB_TR("wakeburst", ": 标准输入中没有以太网地址"));
    return kExitUsage;
}

// The socket set up for the destination, and the address to wait for when waiting.
int PrepareDestination(CWakeSocket& socket, const SendOptions& options,
                       platform::IpAddress& target) {
    if (const int code = PrepareSocket(socket, options, kCommand); code != kExitOk) return code;
    if (!socket.SetDestination(options.dest)) {
        PrintErr(kCommand + ": " +
                 FormatText(WB_TR("wakeburst", "%1 是无效的IP地址."),
                            {EscapeControlChars(options.dest)}));
        return kExitUsage;
    }
    const WakeDestination& dest = socket.Destination();
    if (dest.ipv6 && platform::NeedsScope(dest.ip6) && options.interfaceName.empty()) {
        PrintErr(
            FormatText(WB_TR("wakeburst", "%1: %2 的值有误: '%3' (%4)"),
                       {kCommand, "--to", EscapeControlChars(options.dest),
                        WB_TR("wakeburst", "链路本地地址和组播地址需要其接口, 如 fe80::1%eth0")}));
        return kExitUsage;
    }
    if (options.wait.count() > 0 && !WaitTarget(socket, options, kCommand, target))
        return kExitUsage;
    return kExitOk;
}

void ReportFailures(const std::vector<FrameFailure>& failures, const SendOptions& options,
                    std::size_t addresses) {
    for (const FrameFailure& f : failures) {
        std::string line =
            kCommand + ": " + EscapeControlChars(options.dest) + ": " + f.reason.In();
        if (addresses > 1) line += " (" + f.address + ")";
        if (f.sent > 0)
            line += FormatText(WB_TR("wakeburst", " (已发送 %2 帧中的 %1 帧)"),
                               {std::to_string(f.sent), std::to_string(f.tried)});
        PrintErr(line);
    }
}

}  // namespace

int RunSend(const ParsedArgs& pa) {
    SendOptions options;
    if (!ReadSendOptions(pa, kCommand, options)) return kExitUsage;
    std::vector<std::string> addresses;
    if (const int code = ReadAddresses(pa.positional, addresses); code != kExitOk) return code;

    CWakeSocket socket;
    platform::IpAddress target;
    if (const int code = PrepareDestination(socket, options, target); code != kExitOk) return code;
    const std::vector<FrameFailure> failures = SendWakeupRounds(socket, addresses, options.rounds);
    socket.Close();
    ReportFailures(failures, options, addresses.size());
    if (!failures.empty()) return kExitFailed;
    if (!options.quiet)
        PrintOut(FormatText(WB_TR("wakeburst", "发送到 %1"), {EscapeControlChars(options.dest)}));
    if (options.wait.count() == 0) return kExitOk;
    return WaitAndReport({options.host.empty() ? options.dest : options.host}, {target}, options);
}

}  // namespace wb::cli
