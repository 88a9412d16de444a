#include "alarm/alarm_scheduler.h"
#include "base/string_table.h"
#include "base/translate.h"
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
            PrintErr(FormatText(
                WB_TR("wakeburst",
                      "wakeburst tick: --at 须为本地时间 \"YYYY-MM-DD HH:MM\", 而不是 '%1'"),
                {EscapeControlChars(pa.Get("--at"))}));
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
            PrintErr(FormatText(WB_TR("wakeburst", "wakeburst tick: 另一个程序正在运行 %1 的提醒"),
                                {EscapeControlChars(store.StorePath())}));
            return kExitFailed;
        case platform::LockStatus::Failed:
            PrintErr(
                FormatText(WB_TR("wakeburst", "wakeburst %1: 无法锁定 %2: %3"),
                           {"tick", EscapeControlChars(lease.Path()), lease.Outcome().reason}));
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
