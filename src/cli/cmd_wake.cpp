#include "alarm/alarm_store.h"
#include "alarm/wake_group.h"
#include "alarm/wake_log.h"
#include "cli/cli_args.h"
#include "cli/cli_output.h"
#include "cli/commands.h"

namespace wb::cli {

int RunWake(const std::vector<std::string>& args) {
    ParsedArgs pa;
    std::string error;
    if (!ParseArgs(args, {"--to", "--dir"}, {}, pa, error) || pa.positional.size() != 1) {
        PrintErr("wakeburst wake: " + (error.empty() ? "expects one host-list file" : error));
        return kExitUsage;
    }
    const std::string& file = pa.positional[0];
    const std::string dest = pa.Get("--to", "255.255.255.255");
    CWakeLogScope log(WakeLogTarget{ResolveStartDir(pa.Get("--dir")), {}});

    std::string report;
    CWakeSocket socket;
    const WakeOutcome outcome = WakeGroupWithReport(socket, file, dest, &report);
    socket.Close();
    if (outcome != WakeOutcome::Woken) {
        PrintErr(report);
        return kExitFailed;
    }
    PrintOut(report);
    return kExitOk;
}

}  // namespace wb::cli
