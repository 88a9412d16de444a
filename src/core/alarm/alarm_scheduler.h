#pragma once

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <ctime>
#include <functional>
#include <optional>
#include <string>

#include "alarm/alarm_setting.h"
#include "alarm/alarm_store.h"
#include "alarm/local_time.h"
#include "alarm/wake_group.h"
#include "alarm/wake_log.h"
#include "platform/file_lock.h"

namespace wb {

using TimePoint = std::chrono::system_clock::time_point;

// Whether `alarm` fires in the local minute `local` (weekday, hour and minute; seconds do
// not matter).
bool IsAlarmDue(const CAlarmSetting& alarm, const std::tm& local);

// The right to fire the alarms of one store: a lock in the store's directory that one
// process at a time holds for as long as it runs. The others keep trying and take over
// when the holder ends (its lock ends with it, however it ends).
class CSchedulerLease final {
public:
    // The store must outlive the lease; the lock lies in its directory as it is when taken.
    explicit CSchedulerLease(const CAlarmStore& store) : m_store(store) {}
    // Locked while this process holds the lease, taking it when nobody does; Busy while
    // another program holds it; Failed, with the reason, when the lease file cannot be had.
    // A lease file removed or replaced since it was taken is taken afresh, so that two
    // programs never both hold "the" lease.
    const platform::LockOutcome& TryHold();
    bool Held() const { return m_lock.Held(); }
    // What the last TryHold found.
    const platform::LockOutcome& Outcome() const { return m_outcome; }
    std::string Path() const { return m_store.SchedulerLockPath(); }
    // The last minute the holder handled, kept in the lease file for whoever holds it next:
    // a holder may have been stopped long before it ended.
    std::optional<std::int64_t> LastHandled() const;
    void SetLastHandled(std::int64_t minute);

private:
    const CAlarmStore& m_store;
    platform::FileLock m_lock;
    platform::LockOutcome m_outcome;
    std::optional<std::int64_t> m_written;
};

// Drives the alarms: every tick handles each minute since the last one it handled exactly
// once, so a late or drifting timer loses nothing and nothing fires twice for one minute.
// Local time decides what is due: an alarm in the hour skipped when daylight saving starts
// does not fire that day, and one in the hour repeated when it ends fires once, the first
// time round.
// The desktop program calls OnTimer from a single-shot timer re-armed with NextDelay();
// `wakeburst run-alarms` does the same from a sleep loop.
class CAlarmScheduler final {
public:
    // Missed minutes caught up by a late tick; after a longer gap (a suspended machine, a
    // clock set forward) only the current minute is handled, and the alarms of the minutes
    // in between are written down as missed: those of the last kMaxMissedMinutes, which
    // hold every alarm of the week.
    static constexpr int kMaxCatchUpMinutes = 5;
    static constexpr std::int64_t kMaxMissedMinutes = 7 * 24 * 60;
    // How far after a minute boundary a tick is timed, so that it never falls just before.
    static constexpr std::chrono::milliseconds kTickMargin{250};

    using WakeObserver = std::function<void(const CAlarmSetting& alarm, WakeOutcome outcome,
                                            const std::string& report)>;
    // An alarm that was due in a minute not handled in time: `report` is the body that went
    // to the wake log, in the user's language (the log's own is Chinese).
    using MissedObserver =
        std::function<void(const CAlarmSetting& alarm, const std::string& report)>;

    // The store must outlive the scheduler. A null clock means the system clock; it dates
    // the log entries and is what OnTimer samples.
    explicit CAlarmScheduler(CAlarmStore& store, WallClock clock = {});

    // Counts the minute of `now` as handled: the minute the program started in is not
    // looked at (the first tick comes after its end).
    void Start(TimePoint now);
    void Start() { Start(Now()); }

    // One tick at `now`: for every minute not yet handled, oldest first, wakes every alarm
    // of the store's list that is due then, in list order, each through its own socket.
    // May run nested inside itself (a message box during a wake); records in use stay alive.
    void Tick(TimePoint now);
    void OnTimer() { Tick(Now()); }

    // One step of a scheduler that shares its store with other processes: only the holder
    // of the lease fires. A step without it counts the current minute as handled, since the
    // holder fires it; so when the holder ends, the step that takes over goes on from the
    // last minute the holder handled (or, when it left no word, the last one this scheduler
    // saw handled) and fires nothing twice. The first step only starts, as Start does. The
    // lease is looked at anew at every step. True while this process holds it;
    // lease.Outcome() tells why not.
    bool Step(CSchedulerLease& lease, TimePoint now);
    bool Step(CSchedulerLease& lease) { return Step(lease, Now()); }

    // From `now` until just after the next minute boundary.
    static std::chrono::milliseconds DelayUntilNextMinute(TimePoint now);
    // How long a timer waits (on a steady clock) before the next tick: until just after the
    // next minute, and never more than kMaxWait, so that a clock set back or forward is
    // read again soon rather than waited out.
    std::chrono::milliseconds NextDelay() const {
        return std::min(DelayUntilNextMinute(Now()), kMaxWait);
    }
    static constexpr std::chrono::milliseconds kMaxWait{60000};

    // Called after each group wake, e.g. to show it in a status line or on stdout.
    void SetWakeObserver(WakeObserver observer) { m_observer = std::move(observer); }
    void SetMissedObserver(MissedObserver observer) { m_missed = std::move(observer); }

    TimePoint Now() const;
    // The minute (seconds since the epoch / 60) last handled, if any.
    std::optional<std::int64_t> LastHandledMinute() const { return m_lastMinute; }

private:
    // Wakes the alarms due in `minute`, or, when it was `missed`, logs them as missed.
    void HandleMinute(std::int64_t minute, bool missed = false);

    // A local wall-clock minute, and how far local time was ahead of UTC then (minutes).
    struct LocalMinute {
        std::int64_t wall;
        std::int64_t offset;
    };

    CAlarmStore& m_store;
    WallClock m_clock;
    WakeObserver m_observer;
    MissedObserver m_missed;
    std::optional<std::int64_t> m_lastMinute;
    std::optional<std::int64_t> m_startMinute;  // of the first Start
    std::optional<LocalMinute> m_lastLocal;
};

}  // namespace wb
