#include "alarm/alarm_store.h"
#include "alarm/wake_group.h"
#include "alarm/wake_log.h"
#include "cli/cli_args.h"
#include "cli/cli_output.h"
#include "cli/cli_text.h"
#include "cli/commands.h"
#include "cli/send_options.h"
#include "platform/console.h"

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
    WakeGroupFindings findings;
    findings.wantHostIps = options.wait.count() > 0;
    CWakeSocket socket;
    if (const int code = PrepareSocket(socket, options, kCommand); code != kExitOk) return code;
    WakeOutcome outcome;
    int stopSignal = 0;
    {
        // A stop asked for half way still gives every host of the group its frame and the
        // log its entry; only further rounds and the wait afterwards are given up.
        const platform::CDeferredStop deferStop;
        WakeRounds rounds = options.rounds;
        rounds.stopAsked = [&deferStop] { return deferStop.Signal() != 0; };
        outcome = WakeGroupWithReport(socket, file, options.dest, &report, rounds, &findings);
        socket.Close();
        stopSignal = deferStop.Signal();
    }
    if (outcome == WakeOutcome::CannotOpenList)
        PrintErr(JoinedLine(report) + ReadFailureReason(file));
    else if (outcome != WakeOutcome::Woken)
        PrintReport(report);
    else
        PrintWokenReport(report, options.quiet);
    if (findings.badLines > 0 && outcome != WakeOutcome::CannotOpenList)
        PrintErr(kCommand + ": " + UnreadLinesHint(findings.badLines));
    if (stopSignal != 0) return 128 + stopSignal;
    int code = outcome == WakeOutcome::Woken && findings.badLines == 0 ? kExitOk : kExitFailed;
    if (options.wait.count() == 0 || outcome != WakeOutcome::Woken) return code;
    if (findings.moreHostIps > 0) {
        PrintErr(kCommand + ": --wait follows at most " +
                 std::to_string(WakeGroupFindings::kMaxHostIps) + " hosts, and " + Shown(file) +
                 " names more");
        return kExitFailed;
    }

    // Hosts whose line holds an address that is no IPv4 address cannot be asked.
    std::vector<std::string> texts;
    std::vector<platform::IpAddress> hosts;
    for (const std::string& ip : findings.hostIps) {
        platform::IpAddress address;
        if (!platform::ParseIpAddress(ip, address)) continue;
        texts.push_back(ip);
        hosts.push_back(address);
    }
    const int waited = WaitAndReport(texts, hosts, options);
    return code != kExitOk ? code : waited;
}

}  // namespace wb::cli
