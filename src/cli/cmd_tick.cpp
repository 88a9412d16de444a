#include "alarm/alarm_scheduler.h"
#include "base/string_table.h"
#include "cli/cli_args.h"
#include "cli/cli_output.h"
#include "cli/commands.h"
#include "cli/send_options.h"

namespace wb::cli {

int RunTick(const ParsedArgs& pa) {
    WallClock clock;
    if (pa.Has("--at")) {
        std::time_t at = 0;
        if (!ParseLocalMinute(pa.Get("--at"), at)) {
            PrintErr("wakeburst tick: --at takes a local time \"YYYY-MM-DD HH:MM\", not '" +
                     EscapeControlChars(pa.Get("--at")) + "'");
            return kExitUsage;
        }
        // The whole tick, log dates included, happens at that moment.
        const TimePoint fixed = std::chrono::system_clock::from_time_t(at);
        clock = [fixed] { return fixed; };
    }

    const std::string dir = StoreDirectory(pa);
    if (dir.empty()) return kExitFailed;
    CAlarmStore store(dir);
    // A tick fires alarms, which only the one program that runs this store's alarms does.
    CSchedulerLease lease(store);
    switch (lease.TryHold().status) {
        case platform::LockStatus::Locked:
            break;
        case platform::LockStatus::Busy:
            PrintErr("wakeburst tick: another program runs the alarms of " +
                     EscapeControlChars(store.StorePath()));
            return kExitFailed;
        case platform::LockStatus::Failed:
            PrintErr("wakeburst tick: cannot lock " + EscapeControlChars(lease.Path()) + ": " +
                     lease.Outcome().reason);
            return kExitFailed;
    }
    if (store.LoadAlarmsWithResult() == CAlarmStore::LoadResult::Damaged) return kExitFailed;

    CAlarmScheduler scheduler(store, clock);
    bool allWoken = true;
    const bool quiet = IsQuiet(pa);
    scheduler.SetWakeObserver(
        [&allWoken, quiet](const CAlarmSetting&, WakeOutcome outcome, const std::string& report) {
            if (outcome == WakeOutcome::Woken) {
                PrintWokenReport(report, quiet);
            } else {
                PrintReport(report);
                allWoken = false;
            }
        });
    scheduler.OnTimer();
    return allWoken ? kExitOk : kExitFailed;
}

}  // namespace wb::cli
