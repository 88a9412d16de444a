#include <QElapsedTimer>
#include <QTest>
#include <chrono>
#include <ctime>
#include <memory>

#include "alarm/alarm_setting.h"
#include "app/command_ids.h"
#include "app/dawnly_app.h"
#include "app/main_frame.h"
#include "app_test_support.h"
#include "platform/codepage.h"

using namespace std::chrono;
using wb::app::CDawnlyApp;
using wb::test::AppFixture;

namespace {

// Monday 7 December 2026, at the given local time.
system_clock::time_point Monday(int hour, int minute, int second, int millis) {
    std::tm tm{};
    tm.tm_year = 2026 - 1900;
    tm.tm_mon = 11;
    tm.tm_mday = 7;
    tm.tm_hour = hour;
    tm.tm_min = minute;
    tm.tm_sec = second;
    tm.tm_isdst = -1;
    return system_clock::from_time_t(std::mktime(&tm)) + milliseconds(millis);
}

// Alarms wake through the loopback address only.
void AddAlarm(CDawnlyApp& app, const std::string& file, int hour, int minute) {
    auto alarm = std::make_shared<wb::CAlarmSetting>();
    alarm->SetGroupFile(file);
    alarm->SetDays(wb::kMonday);
    alarm->SetHour(hour);
    alarm->SetMinute(minute);
    alarm->SetBroadcast("127.0.0.1");
    app.m_alarms.push_back(alarm);
}

QStringList LogEntries(const QString& path) {
    const QByteArray bytes = wb::test::ReadFileBytes(path);
    const QString text = QString::fromStdString(wb::platform::FromFileText(bytes.toStdString()));
    QStringList dates;
    for (const QString& line : text.split(QStringLiteral("\r\n"))) {
        if (line.startsWith(QStringLiteral("Monday"))) dates << line;
    }
    return dates;
}

}  // namespace

class TimerTest : public QObject {
    Q_OBJECT
private slots:
    void ticksOncePerMinute();
    void realTimerFiresJustAfterTheMinute();
};

void TimerTest::ticksOncePerMinute() {
    AppFixture fx;
    auto now = std::make_shared<system_clock::time_point>(Monday(7, 28, 59, 900));
    auto app = std::make_unique<CDawnlyApp>([now] { return *now; });
    CDawnlyApp* raw = app.get();
    QVERIFY(fx.Start(std::move(app)));
    wb::test::WriteFileBytes(fx.Path("group.mp"),
                             wb::test::ReadFileBytes(wb::test::TestData("gbk_hostlist.mp")));
    AddAlarm(*raw, "group.mp", 7, 30);
    AddAlarm(*raw, "group.mp", 7, 31);
    QTimer& timer = fx.Frame().AlarmTimer();
    // Armed for just after the coming minute boundary.
    QCOMPARE(timer.interval(), 100 + 250);
    QVERIFY(timer.isSingleShot());

    struct Step {
        system_clock::time_point at;
        int entries;
        int interval;
    };
    const Step steps[] = {
        {Monday(7, 29, 0, 250), 0, 60000},  // 07:29: nothing due
        {Monday(7, 30, 0, 260), 1, 59990},  // 07:30 fires
        {Monday(7, 30, 40, 0), 1, 20250},   // an extra tick in the same minute: nothing
        {Monday(7, 32, 1, 0), 2, 59250},    // late: 07:31 is caught up, 07:32 has nothing
        {Monday(7, 32, 59, 999), 2, 251},   // early: still 07:32
    };
    for (const Step& s : steps) {
        *now = s.at;
        fx.Frame().OnTimer(ALARM_TIMER_ID);
        QCOMPARE(LogEntries(fx.Path("Dawnly.log")).size(), s.entries);
        QCOMPARE(timer.interval(), s.interval);
        QVERIFY(timer.isActive());
    }
    QCOMPARE(LogEntries(fx.Path("Dawnly.log")),
             QStringList({"Monday, December 07, 2026 07:30", "Monday, December 07, 2026 07:32"}));
    const QString log = QString::fromStdString(
        wb::platform::FromFileText(wb::test::ReadFileBytes(fx.Path("Dawnly.log")).toStdString()));
    QCOMPARE(log.count(QStringLiteral("\t唤醒 2 hosts 于 group.mp\r\n")), 2);
}

void TimerTest::realTimerFiresJustAfterTheMinute() {
    AppFixture fx;
    // The fake clock runs at real speed from half a second before 07:30.
    const auto base = Monday(7, 29, 59, 500);
    QElapsedTimer elapsed;
    elapsed.start();
    auto app = std::make_unique<CDawnlyApp>(
        [base, elapsed] { return base + milliseconds(elapsed.elapsed()); });
    CDawnlyApp* raw = app.get();
    QVERIFY(fx.Start(std::move(app)));
    wb::test::WriteFileBytes(fx.Path("group.mp"),
                             wb::test::ReadFileBytes(wb::test::TestData("gbk_hostlist.mp")));
    AddAlarm(*raw, "group.mp", 7, 30);
    QVERIFY(fx.Frame().AlarmTimer().interval() <= 750);
    QTRY_COMPARE_WITH_TIMEOUT(LogEntries(fx.Path("Dawnly.log")).size(), 1, 5000);
    QCOMPARE(LogEntries(fx.Path("Dawnly.log")).front(),
             QStringLiteral("Monday, December 07, 2026 07:30"));
    // Re-armed for the next minute.
    QVERIFY(fx.Frame().AlarmTimer().isActive());
    QVERIFY(fx.Frame().AlarmTimer().interval() > 59000);
}

QTEST_MAIN(TimerTest)
#include "timer_test.moc"
