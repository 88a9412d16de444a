// One simulated year of the minute scheduler in a time zone with daylight saving: ticks come
// a little after each minute boundary with up to 5 s of jitter either way, now and then up
// to 3 minutes late. Every alarm must fire exactly once on every minute it is due. The
// rule at the two changes of 2026 in New York: the hour skipped on March 8 (02:00-02:59)
// has no due minutes, so its alarms do not fire that day; the hour repeated on November 1
// (01:00-01:59) fires its alarms once, when the clocks pass it the first time.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdlib>
#include <ctime>
#include <map>
#include <random>
#include <set>
#include <string>
#include <utility>

#include "alarm/alarm_scheduler.h"
#include "support/message_recorder.h"
#include "support/temp_dir.h"

namespace wb {
namespace {

using namespace std::chrono;

// Sets TZ for the test and puts the old value back.
class ZoneScope final {
public:
    explicit ZoneScope(const char* zone) {
        if (const char* old = std::getenv("TZ")) m_old = old;
        setenv("TZ", zone, 1);
        tzset();
    }
    ~ZoneScope() {
        if (m_old) {
            setenv("TZ", m_old->c_str(), 1);
        } else {
            unsetenv("TZ");
        }
        tzset();
    }
    ZoneScope(const ZoneScope&) = delete;
    ZoneScope& operator=(const ZoneScope&) = delete;

private:
    std::optional<std::string> m_old;
};

std::int64_t MinuteOf(TimePoint t) { return duration_cast<minutes>(t.time_since_epoch()).count(); }

std::tm LocalOfMinute(std::int64_t minute) {
    const std::time_t t = static_cast<std::time_t>(minute * 60);
    std::tm tm{};
    localtime_r(&t, &tm);
    return tm;
}

TimePoint Local(int year, int month, int day, int hour, int minute, int isDst = -1) {
    std::tm tm{};
    tm.tm_year = year - 1900;
    tm.tm_mon = month - 1;
    tm.tm_mday = day;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_isdst = isDst;
    return system_clock::from_time_t(std::mktime(&tm));
}

struct AlarmSpec {
    int days, hour, minute;
};

constexpr int kSun = 0x02, kMon = 0x04, kTue = 0x08, kWed = 0x10, kThu = 0x20, kFri = 0x40,
              kSat = 0x80, kAll = 0xFE;

// Sixteen alarms over all weekdays and times, among them the hours that daylight saving
// skips and repeats (both changes fall on a Sunday).
const AlarmSpec kAlarms[16] = {
    {kSun, 2, 30},         {kSun, 1, 30},       {kAll, 2, 0},         {kAll, 1, 59},
    {kAll, 0, 0},          {kAll, 23, 59},      {kMon | kFri, 7, 30}, {kTue, 12, 0},
    {kWed | kSat, 18, 45}, {kThu, 6, 15},       {kSun | kSat, 9, 0},  {kFri, 22, 10},
    {kSat, 3, 0},          {kMon | kWed, 1, 0}, {kSun, 3, 0},         {kAll, 2, 59},
};

class SchedulerYear : public ::testing::Test {
protected:
    ZoneScope zone{"America/New_York"};
    test::TempDir dir;
    test::MessageRecorder messages;
};

TEST_F(SchedulerYear, EveryDueMinuteFiresOnceThroughJitterLateTicksAndDaylightSaving) {
    // The zone must really change its clocks on these days, or the test proves nothing.
    ASSERT_EQ(MinuteOf(Local(2026, 3, 8, 3, 0)) - MinuteOf(Local(2026, 3, 8, 1, 59)), 1);
    ASSERT_EQ(MinuteOf(Local(2026, 11, 1, 1, 0, 0)) - MinuteOf(Local(2026, 11, 1, 1, 0, 1)), 60);

    // An empty host list: every wake is logged and nothing is sent.
    const std::string group = dir.Write("group.mp", "# nobody\r\n");
    CAlarmStore store(dir.Path() + "/");
    for (const AlarmSpec& a : kAlarms) {
        auto rec = std::make_shared<CAlarmSetting>();
        rec->SetGroupFile(group);
        rec->SetDays(static_cast<std::uint8_t>(a.days));
        rec->SetHour(a.hour);
        rec->SetMinute(a.minute);
        rec->SetBroadcast("127.0.0.1");
        store.m_alarms.push_back(rec);
    }

    TimePoint now = Local(2026, 1, 1, 0, 0) + milliseconds(250);
    const TimePoint end = Local(2027, 1, 1, 0, 0);
    CAlarmScheduler scheduler(store, [&now] { return now; });
    // (alarm, UTC minute it was due in) for every firing.
    std::multiset<std::pair<std::size_t, std::int64_t>> fired;
    std::size_t wrongOutcomes = 0;
    scheduler.SetWakeObserver([&](const CAlarmSetting& alarm, WakeOutcome outcome,
                                  const std::string&) {
        if (outcome != WakeOutcome::Woken) ++wrongOutcomes;
        std::size_t index = 0;
        while (store.m_alarms[index].get() != &alarm)
            ++index;
        // The due minute is the latest one, at most the catch-up window back, with the
        // alarm's hour and minute.
        const std::int64_t current = MinuteOf(now);
        for (std::int64_t m = current; m >= current - CAlarmScheduler::kMaxCatchUpMinutes; --m) {
            const std::tm tm = LocalOfMinute(m);
            if (tm.tm_hour == alarm.m_nHour && tm.tm_min == alarm.m_nMinute) {
                fired.emplace(index, m);
                return;
            }
        }
        fired.emplace(index, -1);
    });

    std::mt19937 rng(20260308);
    std::uniform_int_distribution<int> jitter(-5000, 5000);
    std::uniform_int_distribution<int> lateness(1, 180000);
    std::uniform_int_distribution<int> oneIn(1, 2000);
    scheduler.Start(now);
    std::size_t ticks = 0, lateTicks = 0;
    while (now < end) {
        milliseconds delay = CAlarmScheduler::DelayUntilNextMinute(now) + milliseconds(jitter(rng));
        if (oneIn(rng) == 1) {
            delay += milliseconds(lateness(rng));
            ++lateTicks;
        }
        // A timer never fires before it was set.
        now += std::max(delay, milliseconds(1));
        scheduler.Tick(now);
        ++ticks;
    }
    ASSERT_GT(ticks, 500000u);
    ASSERT_GT(lateTicks, 100u);
    EXPECT_EQ(wrongOutcomes, 0u);

    // What should have fired: each alarm on the first UTC minute of each local wall-clock
    // minute that matches it. Minutes the clock skipped never come; minutes it repeated
    // count once.
    std::multiset<std::pair<std::size_t, std::int64_t>> expected;
    std::set<std::tuple<int, int, int, int>> wallSeen;  // (yday, year, hour, minute)
    const std::int64_t first = MinuteOf(Local(2026, 1, 1, 0, 1));
    for (std::int64_t m = first; m <= MinuteOf(now); ++m) {
        const std::tm tm = LocalOfMinute(m);
        if (!wallSeen.emplace(tm.tm_yday, tm.tm_year, tm.tm_hour, tm.tm_min).second) continue;
        for (std::size_t i = 0; i < 16; ++i) {
            const AlarmSpec& a = kAlarms[i];
            if ((a.days & (2 << tm.tm_wday)) && a.hour == tm.tm_hour && a.minute == tm.tm_min)
                expected.emplace(i, m);
        }
    }
    EXPECT_EQ(fired.count({0, -1}), 0u);
    EXPECT_TRUE(fired == expected) << "fired " << fired.size() << ", expected " << expected.size();
    for (const auto& e : expected) {
        EXPECT_EQ(fired.count(e), 1u) << "alarm " << e.first << " minute " << e.second;
    }

    // The two changes, stated directly.
    auto firedOn = [&](std::size_t alarm, int month, int day) {
        int n = 0;
        for (const auto& [index, m] : fired) {
            const std::tm tm = LocalOfMinute(m);
            if (index == alarm && tm.tm_mon == month - 1 && tm.tm_mday == day) ++n;
        }
        return n;
    };
    EXPECT_EQ(firedOn(0, 3, 8), 0);   // Sunday 02:30: skipped that day
    EXPECT_EQ(firedOn(0, 3, 15), 1);  // and back a week later
    EXPECT_EQ(firedOn(2, 3, 8), 0);   // every day 02:00
    EXPECT_EQ(firedOn(15, 3, 8), 0);  // every day 02:59
    EXPECT_EQ(firedOn(1, 11, 1), 1);  // Sunday 01:30 in the repeated hour: once
    EXPECT_EQ(firedOn(3, 11, 1), 1);  // every day 01:59: once
    EXPECT_EQ(firedOn(13, 11, 2), 1);
    // The repeated hour fires in its first pass, daylight time.
    for (const auto& [index, m] : fired) {
        const std::tm tm = LocalOfMinute(m);
        if (index == 1 && tm.tm_mon == 10 && tm.tm_mday == 1) {
            EXPECT_EQ(tm.tm_isdst, 1);
        }
    }
    // Five every-day alarms over 365 days, less 00:00 on the first day (the minute the
    // scheduler started in) and the two 02:xx ones on March 8, plus 00:00 on 2027-01-01
    // where the run ends; and eleven weekly ones: 780 (2026 has 53 Thursdays, and the
    // Sunday 02:30 alarm loses March 8).
    EXPECT_EQ(expected.size(), 5u * 365 - 1 - 2 + 1 + 780);
    EXPECT_TRUE(messages.Messages().empty());
}

}  // namespace
}  // namespace wb
