#include <algorithm>
#include <cstdint>
#include <iostream>

#include "base/string_table.h"
#include "cli/cli_args.h"
#include "cli/cli_output.h"
#include "cli/commands.h"
#include "cli/send_options.h"
#include "wake/address_text.h"
#include "wake/wake_socket.h"

namespace wb::cli {

namespace {

const std::string kCommand = "wakeburst send";

// "-" stands for the addresses on standard input, one a line; blank lines are skipped.
std::vector<std::string> ExpandAddresses(const std::vector<std::string>& positional) {
    std::vector<std::string> out;
    for (const std::string& arg : positional) {
        if (arg != "-") {
            out.push_back(arg);
            continue;
        }
        std::string line;
        while (std::getline(std::cin, line)) {
            const auto first = line.find_first_not_of(" \t\r");
            if (first == std::string::npos) continue;
            const auto last = line.find_last_not_of(" \t\r");
            out.push_back(line.substr(first, last - first + 1));
        }
    }
    return out;
}

}  // namespace

int RunSend(const std::vector<std::string>& args) {
    ParsedArgs pa;
    std::string error;
    if (!ParseArgs(args, SendValueOptions(true), QuietFlags(), pa, error) ||
        pa.positional.empty()) {
        PrintErr(kCommand + ": " +
                 (error.empty() ? "expects Ethernet addresses, or - to read them from standard "
                                  "input"
                                : error));
        return kExitUsage;
    }
    SendOptions options;
    if (!ReadSendOptions(pa, kCommand, options)) return kExitUsage;

    // Every address is checked before the first frame leaves. Linux tools write
    // 00:a0:c9:12:34:56; colons read as separators here.
    std::vector<std::string> addresses = ExpandAddresses(pa.positional);
    if (addresses.empty()) {
        PrintErr(kCommand + ": no Ethernet address on standard input");
        return kExitUsage;
    }
    for (std::string& address : addresses) {
        std::uint8_t bytes[kEthernetAddressSize];
        const HostEthernetFault fault = ParseHostEthernet(address, bytes);
        if (fault != HostEthernetFault::None) {
            const char* why =
                fault == HostEthernetFault::AllZero     ? "the all-zero address names no host"
                : fault == HostEthernetFault::Broadcast ? "the broadcast address names no host"
                                                        : "six pairs of hexadecimal digits, as "
                                                          "00:a0:c9:12:34:56";
            PrintErr(FormatString1(IDS_BAD_ETHERNET, Shown(address)) + " (" + why + ")");
            return kExitUsage;
        }
        std::replace(address.begin(), address.end(), ':', '-');
    }

    CWakeSocket socket;
    if (const int code = PrepareSocket(socket, options, kCommand); code != kExitOk) return code;
    if (!socket.SetDestination(options.dest)) {
        PrintErr(kCommand + ": " + Shown(options.dest) + " 是无效的IP地址.");
        return kExitUsage;
    }
    const WakeDestination& dest = socket.Destination();
    if (dest.ipv6 && platform::NeedsScope(dest.ip6) && options.interfaceName.empty()) {
        PrintErr(kCommand + ": bad value for --to: '" + Shown(options.dest) +
                 "' (a link-local or multicast address needs its interface, as in fe80::1%eth0)");
        return kExitUsage;
    }
    platform::IpAddress target;
    if (options.wait.count() > 0 && !WaitTarget(socket, options, kCommand, target))
        return kExitUsage;

    const std::vector<FrameFailure> failures = SendWakeupRounds(socket, addresses, options.rounds);
    socket.Close();
    for (const FrameFailure& f : failures) {
        std::string line = kCommand + ": " + Shown(options.dest) + ": " + f.reason;
        if (addresses.size() > 1) line += " (" + f.address + ")";
        if (f.sent > 0)
            line += " (" + std::to_string(f.sent) + " of " + std::to_string(options.rounds.repeat) +
                    " frames sent)";
        PrintErr(line);
    }
    if (!failures.empty()) return kExitFailed;
    if (!options.quiet) PrintOut("发送到 " + Shown(options.dest));
    if (options.wait.count() == 0) return kExitOk;
    return WaitAndReport({options.host.empty() ? options.dest : options.host}, {target}, options);
}

}  // namespace wb::cli
