#include "alarm/alarm_scheduler.h"

#include <utility>

#include "base/string_table.h"
#include "base/translate.h"

namespace wb {

namespace {

std::int64_t MinuteOf(TimePoint t) {
    const auto secs = std::chrono::duration_cast<std::chrono::seconds>(t.time_since_epoch());
    // Floor, so that moments before the epoch fall in the right minute too.
    std::int64_t s = secs.count();
    return s >= 0 ? s / 60 : -((-s + 59) / 60);
}

// Days from 1970-01-01 to a civil date of the proleptic Gregorian calendar.
std::int64_t DaysFromCivil(std::int64_t y, unsigned m, unsigned d) {
    y -= m <= 2;
    const std::int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<std::int64_t>(doe) - 719468;
}

std::int64_t WallMinuteOf(const std::tm& local) {
    const std::int64_t days =
        DaysFromCivil(std::int64_t{local.tm_year} + 1900, static_cast<unsigned>(local.tm_mon + 1),
                      static_cast<unsigned>(local.tm_mday));
    return days * 1440 + local.tm_hour * 60 + local.tm_min;
}

// The wake-log body of an alarm whose minute passed without a scheduler to fire it, in
// `language`: the log's is Chinese.
std::string MissedReport(const CAlarmSetting& alarm, const std::tm& local, UiLanguage language) {
    char when[24];
    std::strftime(when, sizeof when, "%Y-%m-%d %H:%M", &local);
    const std::string args[] = {alarm.m_strGroupFile, when};
    return FormatPlaceholders(
        TranslateTo(language, "wakeburst", WB_TR_NOOP("wakeburst", "\t错过 %1 的提醒 (%2).\n")),
        args, 2);
}

}  // namespace

const platform::LockOutcome& CSchedulerLease::TryHold() {
    if (m_lock.Held() && m_lock.StillNamed()) return m_outcome;
    m_written.reset();
    m_outcome = m_lock.TryLock(Path());
    return m_outcome;
}

std::optional<std::int64_t> CSchedulerLease::LastHandled() const {
    const std::string note = m_lock.ReadNote();
    // Written by us alone (the file is private), but read as any other input.
    if (note.empty() || note.size() > 18 ||
        note.find_first_not_of("0123456789") != std::string::npos)
        return std::nullopt;
    return std::stoll(note);
}

void CSchedulerLease::SetLastHandled(std::int64_t minute) {
    // Once a minute at most: the note changes only when the minute does.
    if (m_written == minute || minute < 0) return;
    if (m_lock.WriteNote(std::to_string(minute))) m_written = minute;
}

bool IsAlarmDue(const CAlarmSetting& alarm, const std::tm& local) {
    return (alarm.m_nDays & WeekdayBit(local.tm_wday)) != 0 && alarm.m_nHour == local.tm_hour &&
           alarm.m_nMinute == local.tm_min;
}

CAlarmScheduler::CAlarmScheduler(CAlarmStore& store, WallClock clock)
    : m_store(store), m_clock(std::move(clock)) {}

TimePoint CAlarmScheduler::Now() const {
    return m_clock ? m_clock() : std::chrono::system_clock::now();
}

void CAlarmScheduler::Start(TimePoint now) {
    m_lastMinute = MinuteOf(now);
    if (!m_startMinute) m_startMinute = m_lastMinute;
}

void CAlarmScheduler::Tick(TimePoint now) {
    const std::int64_t current = MinuteOf(now);
    std::int64_t first = current;
    if (m_lastMinute) {
        const std::int64_t last = *m_lastMinute;
        if (current <= last) {
            // A tick that came early, or a clock set back a little: those minutes have had
            // their turn. Set back further than the catch-up window, the clock is taken as
            // corrected and the schedule starts again from the current minute.
            if (last - current <= kMaxCatchUpMinutes) return;
            m_lastMinute = current - 1;
        } else if (current - last - 1 <= kMaxCatchUpMinutes) {
            first = last + 1;
        } else {
            // Too late to wake them; none goes unsaid.
            m_lastMinute = current - 1;
            for (std::int64_t minute = std::max(last + 1, current - kMaxMissedMinutes);
                 minute < current; ++minute)
                HandleMinute(minute, true);
        }
    }
    for (std::int64_t minute = first; minute <= current; ++minute) {
        // A nested tick (inside a message box of this one) may have handled it already.
        if (m_lastMinute && minute <= *m_lastMinute) continue;
        m_lastMinute = minute;
        HandleMinute(minute);
    }
}

bool CAlarmScheduler::Step(CSchedulerLease& lease, TimePoint now) {
    const bool had = lease.Held();
    if (!lease.TryHold().Locked() || !m_lastMinute) {
        Start(now);
    } else {
        // A word older than this scheduler is from an earlier run (a `tick` held the lease
        // in between): the minutes before this one started are not its to catch up.
        if (!had) {
            if (const auto last = lease.LastHandled())
                m_lastMinute = std::max(*last, m_startMinute.value_or(*last));
        }
        Tick(now);
    }
    if (lease.Held()) lease.SetLastHandled(*m_lastMinute);
    return lease.Held();
}

void CAlarmScheduler::HandleMinute(std::int64_t minute, bool missed) {
    const std::tm local = LocalTime(static_cast<std::time_t>(minute * 60));
    const std::int64_t wall = WallMinuteOf(local);
    const LocalMinute now{wall, wall - minute};
    // Once the clocks have gone back, the wall-clock minutes they pass a second time have
    // had their turn. A clock merely set back keeps its offset and is not caught here.
    if (m_lastLocal && now.wall <= m_lastLocal->wall && now.offset < m_lastLocal->offset) return;
    m_lastLocal = now;
    CWakeLogScope logScope(WakeLogTarget{m_store.m_strStartDir, m_clock});
    // The size is read again at every step: a nested tick may have replaced the list. Each
    // record in use is held by this tick, so replacing the list cannot destroy it.
    for (std::size_t i = 0; i < m_store.m_alarms.size(); ++i) {
        const AlarmPtr alarm = m_store.m_alarms[i];
        if (!alarm || !IsAlarmDue(*alarm, local)) continue;
        if (missed) {
            AppendWakeLog(MissedReport(*alarm, local, UiLanguage::Chinese));
            if (m_missed) m_missed(*alarm, MissedReport(*alarm, local, platform::UserUiLanguage()));
            continue;
        }
        std::string report;
        WakeOutcome outcome;
        {
            CWakeSocket socket;
            outcome =
                WakeGroupWithReport(socket, alarm->m_strGroupFile, alarm->m_strBroadcast, &report);
            socket.Close();
        }
        if (m_observer) m_observer(*alarm, outcome, report);
    }
}

std::chrono::milliseconds CAlarmScheduler::DelayUntilNextMinute(TimePoint now) {
    using namespace std::chrono;
    const auto ms = duration_cast<milliseconds>(now.time_since_epoch()).count();
    std::int64_t intoMinute = ms % 60000;
    if (intoMinute < 0) intoMinute += 60000;
    return milliseconds(60000 - intoMinute) + kTickMargin;
}

}  // namespace wb
