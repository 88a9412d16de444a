#include <chrono>
#include <csignal>
#include <thread>

#include "alarm/alarm_scheduler.h"
#include "base/string_table.h"
#include "cli/cli_args.h"
#include "cli/cli_output.h"
#include "cli/commands.h"

namespace wb::cli {

namespace {

volatile std::sig_atomic_t g_stop = 0;

extern "C" void OnStopSignal(int) { g_stop = 1; }

void Reload(CAlarmStore& store) {
    // A store that was removed leaves no alarms; a damaged one says so and leaves none.
    store.m_alarms = AlarmList();
    store.LoadAlarms();
    PrintErr("wakeburst run-alarms: " + std::to_string(store.m_alarms.size()) + " alarm(s) from " +
             store.StorePath());
}

}  // namespace

int RunRunAlarms(const ParsedArgs& pa) {
    std::signal(SIGINT, OnStopSignal);
    std::signal(SIGTERM, OnStopSignal);

    const std::string dir = StoreDirectory(pa);
    if (dir.empty()) return kExitFailed;
    CAlarmStore store(dir);
    CSchedulerLease lease(store);
    // A directory that is missing or cannot be written says so at once, as it does later.
    const auto failed = [&lease] {
        if (lease.Outcome().status != platform::LockStatus::Failed) return false;
        PrintErr("wakeburst run-alarms: cannot lock " + EscapeControlChars(lease.Path()) + ": " +
                 lease.Outcome().reason);
        return true;
    };
    lease.TryHold();
    if (failed()) return kExitFailed;
    StoreStamp stamp = store.Stamp();
    Reload(store);

    CAlarmScheduler scheduler(store);
    // What went to the wake log, as it went there.
    const auto print = [](const std::string& report) {
        PrintOut(FormatWakeLogDate(std::time(nullptr)) + "\n" + report);
    };
    scheduler.SetWakeObserver(
        [print](const CAlarmSetting&, WakeOutcome, const std::string& report) { print(report); });
    scheduler.SetMissedObserver(
        [print](const CAlarmSetting&, const std::string& report) { print(report); });
    bool said = false;
    // Every nap is a step: short naps keep the process quick to stop, to notice a new store
    // and to take over from another scheduler, and each step reads the wall clock afresh, so
    // a clock set back or forward or a machine woken from suspend is followed at once.
    // Nothing waits for a wall-clock moment computed earlier.
    constexpr std::chrono::milliseconds kNap{200};
    for (bool first = true; !g_stop; first = false) {
        if (!first) std::this_thread::sleep_for(kNap);
        const StoreStamp now = store.Stamp();
        if (now != stamp) {
            stamp = now;
            Reload(store);
        }
        const bool held = scheduler.Step(lease);
        if (failed()) return kExitFailed;
        if (held && said) {
            PrintErr("wakeburst run-alarms: taking over the alarms of " + store.StorePath());
            said = false;
        } else if (!held && !said) {
            PrintErr("wakeburst run-alarms: another program runs the alarms of " +
                     store.StorePath() + "; waiting to take over");
            said = true;
        }
    }
    return kExitOk;
}

}  // namespace wb::cli
