#include <gtest/gtest.h>

#include <cctype>
#include <fstream>
#include <map>
#include <memory>
#include <sstream>

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

CAlarmSetting At0730(int days) {
    CAlarmSetting a;
    a.SetDays(static_cast<std::uint8_t>(days));
    a.SetHour(7);
    a.SetMinute(30);
    return a;
}

TEST(Due, OnItsOwnDaysOnly) {
    for (int alarmDay = 0; alarmDay < 7; ++alarmDay) {
        for (int today = 0; today < 7; ++today) {
            const std::tm now = DayAt(today, 7, 30);
            ASSERT_EQ(now.tm_wday, today);
            EXPECT_EQ(IsAlarmDue(At0730(WeekdayBit(alarmDay)), now), alarmDay == today);
            EXPECT_EQ(IsAlarmDue(At0730(kEveryDay & ~WeekdayBit(alarmDay)), now), alarmDay != today)
                << alarmDay << " " << today;
        }
    }
}

TEST(Due, AtItsHourAndMinuteOnly) {
    // Days, then Monday's hour, minute and second, and whether an alarm at 07:30 is due.
    const int rows[][5] = {
        {kMonday, 7, 29, 59, 0}, {kMonday, 7, 30, 0, 1},  {kMonday, 7, 30, 59, 1},
        {kMonday, 7, 31, 0, 0},  {kMonday, 19, 30, 0, 0}, {kMonday, 8, 30, 0, 0},
        {0x00, 7, 30, 0, 0},     {0x01, 7, 30, 0, 0},     {kEveryDay, 7, 30, 30, 1}};
    for (const auto& r : rows)
        EXPECT_EQ(IsAlarmDue(At0730(r[0]), DayAt(1, r[1], r[2], r[3])), r[4] == 1)
            << r[0] << " " << r[1] << ":" << r[2] << ":" << r[3];
}

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

constexpr double M = 60.0;

struct SchedulerCase {
    std::string name;
    std::vector<std::pair<char, double>> steps;
    std::vector<std::string> fired;
};

void PrintTo(const SchedulerCase& c, std::ostream* os) { *os << c.name; }

std::vector<SchedulerCase> SchedulerCases() {
    std::ifstream in(test::DataFile("scheduler.txt"));
    std::vector<SchedulerCase> cases;
    for (std::string line; std::getline(in, line);) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream words(line);
        SchedulerCase c;
        std::string w;
        words >> c.name >> w;
        while (words >> w && w != "|")
            c.steps.emplace_back(w[0],
                                 std::stoi(w.substr(1)) * M + std::stod(w.substr(w.find(':') + 1)));
        while (words >> w)
            c.fired.push_back(w);
        cases.push_back(c);
    }
    return cases;
}

class Schedulers : public SchedulerFixture, public ::testing::WithParamInterface<SchedulerCase> {};

TEST_P(Schedulers, EachDueMinuteFiresExactlyOnce) {
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
            [&fired, who](const CAlarmSetting& a, WakeOutcome o, const std::string&) {
                EXPECT_EQ(o, WakeOutcome::CannotOpenList);
                fired.push_back(who + std::to_string(TagOf(a)));
            });
    }
    for (const auto& [step, at] : GetParam().steps) {
        Process& p =
            processes[step == 'T' || step == 'S' ? 'A' : static_cast<char>(std::toupper(step))];
        if (step == 'T') {
            p.scheduler->Tick(At(at));
        } else if (step == 'S') {
            p.scheduler->Start(At(at));
        } else if (std::islower(step)) {
            p.lease.reset();
            p.scheduler.reset();
        } else {
            p.scheduler->Step(*p.lease, At(at));
        }
    }
    EXPECT_EQ(fired, GetParam().fired);
    EXPECT_TRUE(messages.Messages().empty());
}

INSTANTIATE_TEST_SUITE_P(Data, Schedulers, ::testing::ValuesIn(SchedulerCases()),
                         [](const auto& info) { return info.param.name; });

TEST(SchedulerData, IsRead) { EXPECT_GE(SchedulerCases().size(), 16u); }

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

TEST(TickDelay, FallsJustAfterTheNextBoundary) {
    // Second and milliseconds past 07:30, and the delay in milliseconds.
    const int rows[][3] = {
        {0, 0, 60250}, {0, 250, 60000}, {30, 500, 29750}, {59, 999, 251}, {59, 800, 450}};
    for (const auto& [second, millis, expected] : rows) {
        const auto now = LocalMoment(2026, 12, 7, 7, 30, second, millis);
        const auto delay = CAlarmScheduler::DelayUntilNextMinute(now);
        EXPECT_EQ(delay.count(), expected);
        // A timer never waits longer than a minute, so a clock that moves is read again soon.
        CAlarmStore store;
        const CAlarmScheduler scheduler(store, [now = now] { return now; });
        EXPECT_EQ(scheduler.NextDelay().count(), std::min(expected, 60000));
        const std::tm next = LocalTime(system_clock::to_time_t(now + delay));
        EXPECT_EQ(next.tm_min, 31);
        EXPECT_EQ(next.tm_sec, 0);
    }
}

TEST(AtParsing, OnlyRealLocalMinutes) {
    for (const char* text : {"2026-12-07 07:30", "2024-02-29 23:59", "2026-02-29 07:30",
                             "2026-13-01 07:30", "2026-12-07 24:00", "2026-12-07 07:60",
                             "2026-12-07 7:30", "2026-12-07T07:30", "2026-12-07 07:30:00", ""}) {
        const bool ok =
            text == std::string("2026-12-07 07:30") || text == std::string("2024-02-29 23:59");
        std::time_t t = 0;
        EXPECT_EQ(ParseLocalMinute(text, t), ok) << text;
        if (!ok) continue;
        char buf[32];
        const std::tm tm = LocalTime(t);
        std::strftime(buf, sizeof buf, "%Y-%m-%d %H:%M", &tm);
        EXPECT_EQ(std::string(buf), text);
        EXPECT_EQ(tm.tm_sec, 0);
    }
}

}  // namespace
}  // namespace wb
