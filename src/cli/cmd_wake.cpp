#include "alarm/alarm_store.h"
#include "alarm/wake_group.h"
#include "alarm/wake_log.h"
#include "base/string_table.h"
#include "base/translate.h"
#include "cli/cli_args.h"
#include "cli/cli_output.h"
#include "cli/cli_text.h"
#include "cli/commands.h"
#include "cli/send_options.h"
#include "platform/console.h"

namespace wb::cli {

namespace {

const std::string kCommand = "wakeburst wake";

struct GroupWake {
    WakeOutcome outcome = WakeOutcome::Woken;
    std::string report;
    WakeGroupFindings findings;
    int stopSignal = 0;
};

// A stop asked for half way still gives every host of the group its frame and the log its
// entry; only further rounds and the wait afterwards are given up.
void WakeGroup(CWakeSocket& socket, const std::string& file, const SendOptions& options,
               GroupWake& wake) {
    const platform::CDeferredStop deferStop;
    WakeRounds rounds = options.rounds;
    rounds.stopAsked = [&deferStop] { return deferStop.Signal() != 0; };
    wake.outcome =
        WakeGroupWithReport(socket, file, options.dest, &wake.report, rounds, &wake.findings);
    socket.Close();
    wake.stopSignal = deferStop.Signal();
}

void PrintOutcome(const std::string& file, const SendOptions& options, const GroupWake& wake) {
    if (wake.outcome == WakeOutcome::CannotOpenList) {
        PrintErr(JoinedLine(wake.report) + ReadFailureReason(file));
        return;
    }
    if (wake.outcome != WakeOutcome::Woken)
        PrintReport(wake.report);
    else
        PrintWokenReport(wake.report, options.quiet);
    if (wake.findings.badLines > 0)
        PrintErr(kCommand + ": " + UnreadLinesHint(wake.findings.badLines));
}

// Waits for the hosts of the list whose line holds an IP address; the exit code.
int WaitForGroup(const std::string& file, const SendOptions& options,
                 const WakeGroupFindings& findings) {
    if (findings.moreHostIps > 0) {
        PrintErr(FormatText(
            WB_TR("wakeburst", "%1: --wait 至多跟踪 %2 台主机, 而 %3 列出的更多"),
            {kCommand, std::to_string(WakeGroupFindings::kMaxHostIps), EscapeControlChars(file)}));
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
    return WaitAndReport(texts, hosts, options);
}

}  // namespace

int RunWake(const ParsedArgs& pa) {
    SendOptions options;
    if (!ReadSendOptions(pa, kCommand, options)) return kExitUsage;
    const std::string& file = pa.positional[0];
    CWakeLogScope log(WakeLogTarget{ResolveStartDir(pa.Get("--dir")), {}});

    GroupWake wake;
    wake.findings.wantHostIps = options.wait.count() > 0;
    CWakeSocket socket;
    if (const int code = PrepareSocket(socket, options, kCommand); code != kExitOk) return code;
    WakeGroup(socket, file, options, wake);
    PrintOutcome(file, options, wake);
    if (wake.stopSignal != 0) return 128 + wake.stopSignal;
    const bool woken = wake.outcome == WakeOutcome::Woken;
    const int code = woken && wake.findings.badLines == 0 ? kExitOk : kExitFailed;
    if (options.wait.count() == 0 || !woken) return code;
    const int waited = WaitForGroup(file, options, wake.findings);
    return code != kExitOk ? code : waited;
}

}  // namespace wb::cli
