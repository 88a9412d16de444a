#include <chrono>
#include <csignal>
#include <thread>

#include "alarm/alarm_scheduler.h"
#include "base/string_table.h"
#include "base/translate.h"
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
    PrintErr(FormatText(WB_TR("wakeburst", "wakeburst run-alarms: 从 %2 载入 %1 个提醒"),
                        {std::to_string(store.m_alarms.size()), store.StorePath()}));
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
        PrintErr(
            FormatText(WB_TR("wakeburst", "wakeburst %1: 无法锁定 %2: %3"),
                       {"run-alarms", EscapeControlChars(lease.Path()), lease.Outcome().reason}));
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
            PrintErr(FormatText(WB_TR("wakeburst", "wakeburst run-alarms: 接管 %1 的提醒"),
                                {store.StorePath()}));
            said = false;
        } else if (!held && !said) {
            PrintErr(FormatText(
                WB_TR("wakeburst", "wakeburst run-alarms: 另一个程序正在运行 %1 的提醒; 等待接管"),
                {store.StorePath()}));
            said = true;
        }
    }
    return kExitOk;
}

}  // namespace wb::cli
