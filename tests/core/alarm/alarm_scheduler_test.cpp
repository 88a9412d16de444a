#include <gtest/gtest.h>

#include <cctype>
#include <map>
#include <memory>
#include <optional>

#include "alarm/alarm_scheduler.h"
#include "support/alarm_test_util.h"
#include "support/message_recorder.h"

namespace wb {
namespace {

using namespace std::chrono;
using test::LocalMoment;

// ---- The due rule ----------------------------------------------------------------------

// Sunday 2026-12-06 .. Saturday 2026-12-12.
std::tm DayAt(int wday, int hour, int minute, int second = 0) {
    return LocalTime(
        system_clock::to_time_t(LocalMoment(2026, 12, 6 + wday, hour, minute, second)));
}

class DueByWeekday : public ::testing::TestWithParam<std::tuple<int, int>> {};

TEST_P(DueByWeekday, FiresOnlyOnItsOwnDays) {
    const auto [alarmDay, today] = GetParam();
    CAlarmSetting a;
    a.SetDays(WeekdayBit(alarmDay));
    a.SetHour(7);
    a.SetMinute(30);
    const std::tm now = DayAt(today, 7, 30);
    ASSERT_EQ(now.tm_wday, today);
    EXPECT_EQ(IsAlarmDue(a, now), alarmDay == today);
    a.SetDays(static_cast<std::uint8_t>(kEveryDay & ~WeekdayBit(alarmDay)));
    EXPECT_EQ(IsAlarmDue(a, now), alarmDay != today);
}

INSTANTIATE_TEST_SUITE_P(AllPairs, DueByWeekday,
                         ::testing::Combine(::testing::Range(0, 7), ::testing::Range(0, 7)));

struct MinuteCase {
    int days;
    int hour, minute, second;
    bool due;
};

class DueAtMinute : public ::testing::TestWithParam<MinuteCase> {};

TEST_P(DueAtMinute, HourAndMinuteMustMatch) {
    CAlarmSetting a;
    a.SetDays(static_cast<std::uint8_t>(GetParam().days));
    a.SetHour(7);
    a.SetMinute(30);
    const auto& c = GetParam();
    EXPECT_EQ(IsAlarmDue(a, DayAt(1, c.hour, c.minute, c.second)), c.due);
}

INSTANTIATE_TEST_SUITE_P(
    Table, DueAtMinute,
    ::testing::Values(MinuteCase{kMonday, 7, 29, 59, false}, MinuteCase{kMonday, 7, 30, 0, true},
                      MinuteCase{kMonday, 7, 30, 59, true}, MinuteCase{kMonday, 7, 31, 0, false},
                      MinuteCase{kMonday, 19, 30, 0, false}, MinuteCase{kMonday, 8, 30, 0, false},
                      MinuteCase{0x00, 7, 30, 0, false}, MinuteCase{0x01, 7, 30, 0, false},
                      MinuteCase{kEveryDay, 7, 30, 30, true}));

// ---- Minute bookkeeping ------------------------------------------------------------------

// A store with one alarm for every minute from 07:00 to 08:00 on every day; each names its
// minute in its group file, which does not exist, so a wake only writes a log entry.
class SchedulerFixture : public ::testing::Test {
protected:
    void SetUp() override {
        ASSERT_FALSE(dir.Path().empty());
        store.m_strStartDir = dir.Dir();
        for (int m = 0; m <= 60; ++m)
            store.m_alarms.push_back(Alarm(7 + m / 60, m % 60, m));
    }

    AlarmPtr Alarm(int hour, int minute, int tag) {
        auto a = std::make_shared<CAlarmSetting>();
        a->SetDays(kEveryDay);
        a->SetHour(hour);
        a->SetMinute(minute);
        a->SetBroadcast("127.0.0.1");
        a->SetGroupFile(dir.File("missing-" + std::to_string(tag) + ".mp"));
        return a;
    }

    static int TagOf(const CAlarmSetting& a) {
        const std::string& f = a.m_strGroupFile;
        auto dash = f.rfind('-');
        return std::stoi(f.substr(dash + 1));
    }

    void Observe(CAlarmScheduler& s) {
        s.SetWakeObserver([this](const CAlarmSetting& a, WakeOutcome o, const std::string&) {
            EXPECT_EQ(o, WakeOutcome::CannotOpenList);
            fired.push_back(TagOf(a));
        });
    }

    test::TempDir dir;
    test::MessageRecorder messages;
    CAlarmStore store;
    std::vector<int> fired;
};

// Seconds after 07:00:00 on Monday 2026-12-07.
TimePoint At(double secondsAfterSeven) {
    return LocalMoment(2026, 12, 7, 7, 0) +
           milliseconds(static_cast<long long>(secondsAfterSeven * 1000.0));
}

struct BookkeepingCase {
    const char* name;
    std::optional<double> start;
    std::vector<double> ticks;
    std::vector<int> fired;
};

class MinuteBookkeeping : public SchedulerFixture,
                          public ::testing::WithParamInterface<BookkeepingCase> {};

TEST_P(MinuteBookkeeping, EachMinuteExactlyOnce) {
    CAlarmScheduler scheduler(store);
    Observe(scheduler);
    if (GetParam().start) scheduler.Start(At(*GetParam().start));
    for (double t : GetParam().ticks)
        scheduler.Tick(At(t));
    EXPECT_EQ(fired, GetParam().fired);
    EXPECT_TRUE(messages.Messages().empty());
}

constexpr double M = 60.0;

INSTANTIATE_TEST_SUITE_P(
    Table, MinuteBookkeeping,
    ::testing::Values(
        BookkeepingCase{
            "AlignedTicks", {}, {30 * M + .25, 31 * M + .25, 32 * M + .25}, {30, 31, 32}},
        BookkeepingCase{"DriftSkipsAMinute", {}, {29 * M + 59.9, 31 * M + .1}, {29, 30, 31}},
        BookkeepingCase{
            "TwoTicksInOneMinute", {}, {30 * M + .1, 30 * M + 59.9, 31 * M + .2}, {30, 31}},
        BookkeepingCase{"LateTickCatchesUp", {}, {29 * M + .2, 33 * M + 10}, {29, 30, 31, 32, 33}},
        BookkeepingCase{
            "FiveMissedMinutes", {}, {29 * M + .2, 35 * M + .2}, {29, 30, 31, 32, 33, 34, 35}},
        BookkeepingCase{"LongerGapOnlyTheCurrent", {}, {29 * M + .2, 36 * M + .2}, {29, 36}},
        BookkeepingCase{"SuspendedMachine", {}, {10 * M + .2, 50 * M + 3}, {10, 50}},
        BookkeepingCase{"ClockSetBackALittle",
                        {},
                        {31 * M + .2, 29 * M + 30, 31 * M + 30, 32 * M + .2},
                        {31, 32}},
        BookkeepingCase{
            "ClockSetBackFar", {}, {40 * M + .2, 20 * M + .2, 21 * M + .2}, {40, 20, 21}},
        BookkeepingCase{"StartMinuteIsNotHandled", 29 * M + 40, {29 * M + 59.9, 30 * M + .3}, {30}},
        BookkeepingCase{"FirstTickLateAfterStart", 29 * M + 40, {32 * M + 5}, {30, 31, 32}},
        BookkeepingCase{"AcrossTheHour", {}, {59 * M + 30, 61 * M + .2}, {59, 60}}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Two schedulers on one store -----------------------------------------------------------

// A step of scheduler 'A' or 'B' at a moment; an upper-case letter steps, a lower-case one
// ends that scheduler's process (its lease goes with it).
struct LeaseStep {
    char who;
    double at;
};

struct LeaseCase {
    const char* name;
    std::vector<LeaseStep> steps;
    std::vector<std::string> fired;  // who fired which minute's alarm, e.g. "A30"
};

class TwoSchedulers : public SchedulerFixture, public ::testing::WithParamInterface<LeaseCase> {};

TEST_P(TwoSchedulers, EachDueMinuteFiresOnceWhoeverHoldsTheLease) {
    std::vector<std::string> fired;
    struct Process {
        std::unique_ptr<CAlarmScheduler> scheduler;
        std::unique_ptr<CSchedulerLease> lease;
    };
    std::map<char, Process> processes;
    for (char who : {'A', 'B'}) {
        Process& p = processes[who];
        p.scheduler = std::make_unique<CAlarmScheduler>(store);
        p.lease = std::make_unique<CSchedulerLease>(store);
        p.scheduler->SetWakeObserver(
            [&fired, who](const CAlarmSetting& a, WakeOutcome, const std::string&) {
                fired.push_back(who + std::to_string(TagOf(a)));
            });
    }
    for (const LeaseStep& step : GetParam().steps) {
        Process& p = processes[static_cast<char>(std::toupper(step.who))];
        if (std::islower(step.who)) {
            p.lease.reset();
            p.scheduler.reset();
        } else {
            p.scheduler->Step(*p.lease, At(step.at));
        }
    }
    EXPECT_EQ(fired, GetParam().fired);
}

INSTANTIATE_TEST_SUITE_P(
    Table, TwoSchedulers,
    ::testing::Values(
        LeaseCase{"OnlyTheFirstFires",
                  {{'A', 29 * M + 50},
                   {'B', 29 * M + 51},
                   {'A', 30 * M + .2},
                   {'B', 30 * M + .3},
                   {'B', 31 * M + .2},
                   {'A', 31 * M + .3}},
                  {"A30", "A31"}},
        // B waited through the minutes A fired, and goes on from A's last one.
        LeaseCase{"TakeOverAtTheNextMinute",
                  {{'A', 26 * M + 50},
                   {'B', 26 * M + 51},
                   {'A', 27 * M + .2},
                   {'A', 28 * M + .2},
                   {'A', 29 * M + .2},
                   {'A', 30 * M + .2},
                   {'B', 30 * M + .3},
                   {'a', 30 * M + 30},
                   {'B', 31 * M + .2},
                   {'B', 32 * M + .2}},
                  {"A27", "A28", "A29", "A30", "B31", "B32"}},
        LeaseCase{"TakeOverInTheMinuteFiresItOnce",
                  {{'A', 29 * M + 50},
                   {'B', 29 * M + 51},
                   {'A', 30 * M + .2},
                   {'B', 30 * M + .3},
                   {'a', 30 * M + 10},
                   {'B', 30 * M + 20},
                   {'B', 31 * M + .2}},
                  {"A30", "B31"}},
        LeaseCase{"HolderEndsJustBeforeTheMinute",
                  {{'A', 29 * M + 10}, {'B', 29 * M + 11}, {'a', 29 * M + 59}, {'B', 30 * M + .2}},
                  {"B30"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(SchedulerFixture, NestedTickKeepsRecordsAliveAndFiresNothingTwice) {
    store.m_alarms = {Alarm(7, 30, 1), Alarm(7, 30, 2), Alarm(7, 31, 3)};
    std::weak_ptr<CAlarmSetting> first = store.m_alarms[0];
    CAlarmScheduler scheduler(store);
    bool nested = false;
    scheduler.SetWakeObserver([&](const CAlarmSetting& a, WakeOutcome, const std::string&) {
        fired.push_back(TagOf(a));
        if (nested) return;
        nested = true;
        // The user accepts the alarm dialog while a message box of this tick is open, and the
        // next minute's tick runs inside it.
        store.SaveAlarms({Alarm(7, 30, 4), Alarm(7, 31, 5), Alarm(7, 30, 6)});
        EXPECT_FALSE(first.expired());
        EXPECT_EQ(TagOf(a), 1);
        scheduler.Tick(At(31 * M + .2));
    });
    scheduler.Tick(At(30 * M + .2));
    scheduler.Tick(At(31 * M + 30));
    // 1 at 07:30; the nested tick fires 5 for 07:31 from the new list; the outer tick goes
    // on with the new list's later entries for 07:30 (6); 07:31 is not handled again.
    EXPECT_EQ(fired, (std::vector<int>{1, 5, 6}));
    EXPECT_TRUE(first.expired());
}

TEST_F(SchedulerFixture, EachDueAlarmGetsItsOwnLogEntryInListOrder) {
    store.m_alarms = {Alarm(7, 30, 7), Alarm(7, 31, 8), Alarm(7, 30, 9), Alarm(7, 30, 7)};
    CAlarmScheduler scheduler(store, [] { return At(30 * M + 42); });
    Observe(scheduler);
    scheduler.OnTimer();
    EXPECT_EQ(fired, (std::vector<int>{7, 9, 7}));
    const std::string log = test::ReadFileBytes(dir.File("Dawnly.log"));
    const std::string date = "Monday, December 07, 2026 07:30\r\n";
    std::size_t entries = 0;
    for (std::size_t p = log.find(date); p != std::string::npos; p = log.find(date, p + 1))
        ++entries;
    EXPECT_EQ(entries, 3u);
    EXPECT_LT(log.find("missing-7"), log.find("missing-9"));
}

struct DelayCase {
    int second, millis;
    long long expected;
};

class TickDelay : public ::testing::TestWithParam<DelayCase> {};

TEST_P(TickDelay, FallsJustAfterTheNextBoundary) {
    const auto now = LocalMoment(2026, 12, 7, 7, 30, GetParam().second, GetParam().millis);
    const auto delay = CAlarmScheduler::DelayUntilNextMinute(now);
    EXPECT_EQ(delay.count(), GetParam().expected);
    // A timer never waits longer than a minute, so a clock that moves is read again soon.
    CAlarmStore store;
    const CAlarmScheduler scheduler(store, [now] { return now; });
    EXPECT_EQ(scheduler.NextDelay().count(), std::min(GetParam().expected, 60000LL));
    const std::tm next = LocalTime(system_clock::to_time_t(now + delay));
    EXPECT_EQ(next.tm_min, 31);
    EXPECT_EQ(next.tm_sec, 0);
}

INSTANTIATE_TEST_SUITE_P(Table, TickDelay,
                         ::testing::Values(DelayCase{0, 0, 60250}, DelayCase{0, 250, 60000},
                                           DelayCase{30, 500, 29750}, DelayCase{59, 999, 251},
                                           DelayCase{59, 800, 450}));

struct ParseCase {
    const char* text;
    bool ok;
};

class AtParsing : public ::testing::TestWithParam<ParseCase> {};

TEST_P(AtParsing, OnlyRealLocalMinutes) {
    std::time_t t = 0;
    EXPECT_EQ(ParseLocalMinute(GetParam().text, t), GetParam().ok);
    if (GetParam().ok) {
        char buf[32];
        const std::tm tm = LocalTime(t);
        std::strftime(buf, sizeof buf, "%Y-%m-%d %H:%M", &tm);
        EXPECT_EQ(std::string(buf), GetParam().text);
        EXPECT_EQ(tm.tm_sec, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Table, AtParsing,
    ::testing::Values(ParseCase{"2026-12-07 07:30", true}, ParseCase{"2024-02-29 23:59", true},
                      ParseCase{"2026-02-29 07:30", false}, ParseCase{"2026-13-01 07:30", false},
                      ParseCase{"2026-12-07 24:00", false}, ParseCase{"2026-12-07 07:60", false},
                      ParseCase{"2026-12-07 7:30", false}, ParseCase{"2026-12-07T07:30", false},
                      ParseCase{"2026-12-07 07:30:00", false}, ParseCase{"", false}));

}  // namespace
}  // namespace wb
