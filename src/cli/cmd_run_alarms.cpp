#include <algorithm>
#include <csignal>
#include <filesystem>
#include <thread>

#include "alarm/alarm_scheduler.h"
#include "cli/cli_args.h"
#include "cli/cli_output.h"
#include "cli/commands.h"
#include "platform/file_path.h"

namespace wb::cli {

namespace {

volatile std::sig_atomic_t g_stop = 0;

extern "C" void OnStopSignal(int) { g_stop = 1; }

// What tells us the store was replaced: it appeared, went, or changed size or time.
struct StoreStamp {
    bool exists = false;
    std::uintmax_t size = 0;
    std::filesystem::file_time_type time{};

    bool operator==(const StoreStamp& o) const {
        return exists == o.exists && size == o.size && time == o.time;
    }
};

StoreStamp StampOf(const std::string& utf8Path) {
    const std::filesystem::path path = platform::PathFromUtf8(utf8Path);
    std::error_code ec;
    StoreStamp s;
    s.time = std::filesystem::last_write_time(path, ec);
    if (ec) return StoreStamp{};
    s.size = std::filesystem::file_size(path, ec);
    s.exists = !ec;
    return s;
}

void Reload(CAlarmStore& store) {
    // A store that was removed leaves no alarms; a damaged one says so and leaves none.
    store.m_alarms = AlarmList();
    store.LoadAlarms();
    PrintErr("wakeburst run-alarms: " + std::to_string(store.m_alarms.size()) + " alarm(s) from " +
             store.StorePath());
}

}  // namespace

int RunRunAlarms(const std::vector<std::string>& args) {
    ParsedArgs pa;
    std::string error;
    if (!ParseArgs(args, {"--dir"}, {}, pa, error) || !pa.positional.empty()) {
        PrintErr("wakeburst run-alarms: " +
                 (error.empty() ? "takes no arguments besides --dir" : error));
        return kExitUsage;
    }
    std::signal(SIGINT, OnStopSignal);
    std::signal(SIGTERM, OnStopSignal);

    CAlarmStore store(ResolveStartDir(pa.Get("--dir")));
    StoreStamp stamp = StampOf(store.StorePath());
    Reload(store);

    CAlarmScheduler scheduler(store);
    scheduler.SetWakeObserver([](const CAlarmSetting&, WakeOutcome, const std::string& report) {
        PrintOut(FormatWakeLogDate(std::time(nullptr)) + "\n" + report);
    });
    scheduler.Start();

    using namespace std::chrono;
    // Short naps keep the process quick to stop and to notice a new store; the deadline is
    // on the wall clock, so a suspended machine ticks as soon as it wakes.
    constexpr milliseconds kNap{200};
    while (!g_stop) {
        const auto due = system_clock::now() + scheduler.NextDelay();
        while (!g_stop && system_clock::now() < due) {
            const auto left = duration_cast<milliseconds>(due - system_clock::now());
            std::this_thread::sleep_for(std::clamp(left, milliseconds(1), kNap));
            const StoreStamp now = StampOf(store.StorePath());
            if (!(now == stamp)) {
                stamp = now;
                Reload(store);
            }
        }
        if (!g_stop) scheduler.OnTimer();
    }
    return kExitOk;
}

}  // namespace wb::cli
