#include "alarm/alarm_store.h"
#include "alarm/wake_group.h"
#include "alarm/wake_log.h"
#include "cli/cli_args.h"
#include "cli/cli_output.h"
#include "cli/cli_text.h"
#include "cli/commands.h"
#include "cli/send_options.h"

namespace wb::cli {

namespace {

const std::string kCommand = "wakeburst wake";

}  // namespace

int RunWake(const std::vector<std::string>& args) {
    ParsedArgs pa;
    std::string error;
    if (!ParseArgs(args, SendValueOptions(false), QuietFlags(), pa, error) ||
        pa.positional.size() != 1) {
        PrintErr(kCommand + ": " + (error.empty() ? "expects one host-list file" : error));
        return kExitUsage;
    }
    SendOptions options;
    if (!ReadSendOptions(pa, kCommand, options)) return kExitUsage;
    const std::string& file = pa.positional[0];
    CWakeLogScope log(WakeLogTarget{ResolveStartDir(pa.Get("--dir")), {}});

    std::string report;
    std::vector<std::string> hostIps;
    CWakeSocket socket;
    if (const int code = PrepareSocket(socket, options, kCommand); code != kExitOk) return code;
    const WakeOutcome outcome =
        WakeGroupWithReport(socket, file, options.dest, &report, options.rounds, &hostIps);
    socket.Close();
    if (outcome != WakeOutcome::Woken) {
        if (outcome == WakeOutcome::CannotOpenList)
            report = JoinedLine(report) + ReadFailureReason(file);
        PrintReport(report);
        return kExitFailed;
    }
    PrintWokenReport(report, options.quiet);
    if (options.wait.count() == 0) return kExitOk;

    // Hosts whose line holds an address that is no IPv4 address cannot be asked.
    std::vector<std::string> texts;
    std::vector<platform::IpAddress> hosts;
    for (const std::string& ip : hostIps) {
        platform::IpAddress address;
        if (!platform::ParseIpAddress(ip, address)) continue;
        texts.push_back(ip);
        hosts.push_back(address);
    }
    return WaitAndReport(texts, hosts, options);
}

}  // namespace wb::cli
