// Weeks of the minute scheduler around both changes of daylight saving in New York in 2026:
// ticks come a little after each minute boundary with up to 5 s of jitter either way, now
// and then up to 3 minutes late. Every alarm must fire exactly once on every minute it is
// due. The hour skipped on March 8 (02:00-02:59) has no due minutes, so its alarms do not
// fire that day; the hour repeated on November 1 (01:00-01:59) fires its alarms once, when
// the clocks pass it the first time.
#include <gtest/gtest.h>

#include <cstdlib>
#include <ctime>
#include <random>
#include <set>
#include <string>
#include <tuple>
#include <utility>

#include "alarm/alarm_scheduler.h"
#include "support/alarm_test_util.h"
#include "support/message_recorder.h"

namespace wb {
namespace {

using namespace std::chrono;
using test::LocalMoment;

std::int64_t MinuteOf(TimePoint t) { return duration_cast<minutes>(t.time_since_epoch()).count(); }

std::tm LocalOfMinute(std::int64_t minute) {
    const std::time_t t = static_cast<std::time_t>(minute * 60);
    std::tm tm{};
    localtime_r(&t, &tm);
    return tm;
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

using Firings = std::multiset<std::pair<std::size_t, std::int64_t>>;  // (alarm, UTC minute)

class SchedulerAroundDaylightSaving : public ::testing::Test {
protected:
    void SetUp() override {
        if (const char* old = std::getenv("TZ")) m_oldZone = old;
        setenv("TZ", "America/New_York", 1);
        tzset();
        // The zone must really change its clocks on these days, or the test proves nothing.
        ASSERT_EQ(MinuteOf(LocalMoment(2026, 3, 8, 4, 0)) - MinuteOf(LocalMoment(2026, 3, 8, 1, 0)),
                  120);
        ASSERT_EQ(
            MinuteOf(LocalMoment(2026, 11, 1, 3, 0)) - MinuteOf(LocalMoment(2026, 11, 1, 0, 0)),
            240);
        const std::string group = dir.Write("group.mp", "# nobody\r\n");  // logged, none sent
        for (const AlarmSpec& a : kAlarms) {
            auto rec = std::make_shared<CAlarmSetting>();
            rec->SetGroupFile(group);
            rec->SetDays(static_cast<std::uint8_t>(a.days));
            rec->SetHour(a.hour);
            rec->SetMinute(a.minute);
            rec->SetBroadcast("127.0.0.1");
            store.m_alarms.push_back(rec);
        }
    }
    void TearDown() override {
        m_oldZone ? setenv("TZ", m_oldZone->c_str(), 1) : unsetenv("TZ");
        tzset();
    }

    // Runs the scheduler from `from` to `to`; adds what fired to `fired` and what should
    // have to `expected`: each alarm on the first UTC minute of each local wall-clock minute
    // that matches it. Minutes the clock skipped never come; minutes it repeated count once.
    void Run(TimePoint from, TimePoint to) {
        TimePoint now = from + milliseconds(250);
        CAlarmScheduler scheduler(store, [&now] { return now; });
        scheduler.SetWakeObserver(
            [&](const CAlarmSetting& alarm, WakeOutcome outcome, const std::string&) {
                EXPECT_EQ(outcome, WakeOutcome::Woken);
                std::size_t index = 0;
                while (store.m_alarms[index].get() != &alarm)
                    ++index;
                // The due minute: the latest one, at most the catch-up window back, with the
                // alarm's hour and minute.
                const std::int64_t current = MinuteOf(now);
                for (std::int64_t m = current; m >= current - CAlarmScheduler::kMaxCatchUpMinutes;
                     --m) {
                    const std::tm tm = LocalOfMinute(m);
                    if (tm.tm_hour == alarm.m_nHour && tm.tm_min == alarm.m_nMinute) {
                        fired.emplace(index, m);
                        return;
                    }
                }
                ADD_FAILURE() << "alarm " << index << " fired off its minute";
            });
        std::uniform_int_distribution<int> jitter(-5000, 5000), lateness(1, 180000), oneIn(1, 200);
        scheduler.Start(now);
        while (now < to) {
            milliseconds delay =
                CAlarmScheduler::DelayUntilNextMinute(now) + milliseconds(jitter(rng));
            if (oneIn(rng) == 1) {
                delay += milliseconds(lateness(rng));
                ++lateTicks;
            }
            now += std::max(delay, milliseconds(1));  // a timer never fires before it was set
            scheduler.Tick(now);
        }
        std::set<std::tuple<int, int, int, int>> wallSeen;  // (yday, year, hour, minute)
        for (std::int64_t m = MinuteOf(from) + 1; m <= MinuteOf(now); ++m) {
            const std::tm tm = LocalOfMinute(m);
            if (!wallSeen.emplace(tm.tm_yday, tm.tm_year, tm.tm_hour, tm.tm_min).second) continue;
            for (std::size_t i = 0; i < 16; ++i) {
                const AlarmSpec& a = kAlarms[i];
                if ((a.days & (2 << tm.tm_wday)) && a.hour == tm.tm_hour && a.minute == tm.tm_min)
                    expected.emplace(i, m);
            }
        }
    }

    int FiredOn(std::size_t alarm, int month, int day) const {
        int n = 0;
        for (const auto& [index, m] : fired) {
            const std::tm tm = LocalOfMinute(m);
            n += index == alarm && tm.tm_mon == month - 1 && tm.tm_mday == day;
        }
        return n;
    }

    std::optional<std::string> m_oldZone;
    test::TempDir dir;
    test::MessageRecorder messages;
    CAlarmStore store{dir.Path() + "/"};
    std::mt19937 rng{20260308};
    Firings fired, expected;
    int lateTicks = 0;
};

TEST_F(SchedulerAroundDaylightSaving, EveryDueMinuteFiresOnceThroughJitterAndLateTicks) {
    Run(LocalMoment(2026, 3, 1, 0, 0), LocalMoment(2026, 3, 16, 0, 0));
    Run(LocalMoment(2026, 10, 25, 0, 0), LocalMoment(2026, 11, 9, 0, 0));
    ASSERT_GT(lateTicks, 100);
    EXPECT_TRUE(fired == expected) << "fired " << fired.size() << ", expected " << expected.size();
    for (const auto& e : expected)
        EXPECT_EQ(fired.count(e), 1u) << "alarm " << e.first << " minute " << e.second;

    // The two changes, stated directly.
    EXPECT_EQ(FiredOn(0, 3, 8), 0);   // Sunday 02:30: skipped that day
    EXPECT_EQ(FiredOn(0, 3, 15), 1);  // and back a week later
    EXPECT_EQ(FiredOn(2, 3, 8), 0);   // every day 02:00
    EXPECT_EQ(FiredOn(15, 3, 8), 0);  // every day 02:59
    EXPECT_EQ(FiredOn(15, 3, 9), 1);
    EXPECT_EQ(FiredOn(1, 11, 1), 1);  // Sunday 01:30 in the repeated hour: once
    EXPECT_EQ(FiredOn(3, 11, 1), 1);  // every day 01:59: once
    EXPECT_EQ(FiredOn(13, 11, 2), 1);
    // The repeated hour fires in its first pass, daylight time.
    for (const auto& [index, m] : fired) {
        const std::tm tm = LocalOfMinute(m);
        if (index == 1 && tm.tm_mon == 10 && tm.tm_mday == 1) {
            EXPECT_EQ(tm.tm_isdst, 1);
        }
    }
    // Fifteen days from Sunday March 1 and from Sunday October 25: two weeks and a Sunday
    // of five every-day alarms and eleven weekly ones (15 firings a week, 4 on a Sunday),
    // less the two every-day 02:xx and the Sunday 02:30 alarm on March 8. 00:00 of the
    // minute each run starts in is not due, 00:00 where it ends is.
    EXPECT_EQ(expected.size(), 2u * (15 * 5 + 2 * 15 + 4) - 3);
    EXPECT_TRUE(messages.Messages().empty());
}

}  // namespace
}  // namespace wb
