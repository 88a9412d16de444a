#include <algorithm>
#include <cstdint>
#include <iostream>

#include "base/string_table.h"
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
        const char* why = fault == HostEthernetFault::AllZero ? "the all-zero address names no host"
                          : fault == HostEthernetFault::Broadcast
                              ? "the broadcast address names no host"
                              : "six pairs of hexadecimal digits, as 00:a0:c9:12:34:56";
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
            PrintErr(kCommand + ": " +
                     (r == CInputLines::Result::Failed
                          ? std::string("cannot read standard input")
                          : "line " + std::to_string(lines.Number()) +
                                " of standard input is longer than " +
                                std::to_string(CInputLines::kMaxInputLine) + " bytes") +
                     "; nothing was sent");
            return kExitFailed;
        }
        const auto first = line.find_first_not_of(" \t\r");
        if (first == std::string::npos) continue;
        if (out.size() == kMaxAddresses) {
            PrintErr(kCommand + ": standard input holds more than " +
                     std::to_string(kMaxAddresses) + " addresses; nothing was sent");
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
    PrintErr(kCommand + ": no Ethernet address on standard input");
    return kExitUsage;
}

// The socket set up for the destination, and the address to wait for when waiting.
int PrepareDestination(CWakeSocket& socket, const SendOptions& options,
                       platform::IpAddress& target) {
    if (const int code = PrepareSocket(socket, options, kCommand); code != kExitOk) return code;
    if (!socket.SetDestination(options.dest)) {
        PrintErr(kCommand + ": " + EscapeControlChars(options.dest) + " 是无效的IP地址.");
        return kExitUsage;
    }
    const WakeDestination& dest = socket.Destination();
    if (dest.ipv6 && platform::NeedsScope(dest.ip6) && options.interfaceName.empty()) {
        PrintErr(kCommand + ": bad value for --to: '" + EscapeControlChars(options.dest) +
                 "' (a link-local or multicast address needs its interface, as in fe80::1%eth0)");
        return kExitUsage;
    }
    if (options.wait.count() > 0 && !WaitTarget(socket, options, kCommand, target))
        return kExitUsage;
    return kExitOk;
}

void ReportFailures(const std::vector<FrameFailure>& failures, const SendOptions& options,
                    std::size_t addresses) {
    for (const FrameFailure& f : failures) {
        std::string line = kCommand + ": " + EscapeControlChars(options.dest) + ": " + f.reason;
        if (addresses > 1) line += " (" + f.address + ")";
        if (f.sent > 0)
            line +=
                " (" + std::to_string(f.sent) + " of " + std::to_string(f.tried) + " frames sent)";
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
    if (!options.quiet) PrintOut("发送到 " + EscapeControlChars(options.dest));
    if (options.wait.count() == 0) return kExitOk;
    return WaitAndReport({options.host.empty() ? options.dest : options.host}, {target}, options);
}

}  // namespace wb::cli
