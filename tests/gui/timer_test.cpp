#include <QDir>
#include <QElapsedTimer>
#include <QTest>
#include <chrono>
#include <ctime>
#include <memory>

#include "alarm/alarm_setting.h"
#include "app_test_support.h"
#include "platform/codepage.h"
#include "shell/command_ids.h"
#include "shell/dawnly_app.h"
#include "shell/main_frame.h"

using namespace std::chrono;
using wb::gui::CDawnlyApp;
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
void AddAlarmTo(wb::AlarmList& list, const std::string& file, int hour, int minute) {
    auto alarm = std::make_shared<wb::CAlarmSetting>();
    alarm->SetGroupFile(file);
    alarm->SetDays(wb::kMonday);
    alarm->SetHour(hour);
    alarm->SetMinute(minute);
    alarm->SetBroadcast("127.0.0.1");
    list.push_back(alarm);
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
    // Which minutes fire, and the delay to the next boundary, are the scheduler's tables;
    // this shows the frame's timer firing and re-arming on a clock that runs.
    void realTimerFiresJustAfterTheMinute() {
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
        AddAlarmTo(raw->m_alarms, "group.mp", 7, 30);
        QVERIFY(fx.Frame().AlarmTimer().interval() <= 750);
        QTRY_COMPARE_WITH_TIMEOUT(LogEntries(fx.Path("Dawnly.log")).size(), 1, 5000);
        QCOMPARE(LogEntries(fx.Path("Dawnly.log")).front(),
                 QStringLiteral("Monday, December 07, 2026 07:30"));
        // Re-armed for the next minute.
        QVERIFY(fx.Frame().AlarmTimer().isActive());
        QVERIFY(fx.Frame().AlarmTimer().interval() > 59000);
    }

    // Another program runs the store's alarms when the desktop program's first tick comes:
    // the program says so in its status bar and fires nothing; when the other ends it takes
    // over at its next tick. Meanwhile the command line added alarms to the store, which the
    // program loads and fires. Each due minute gets one log entry.
    void secondSchedulerWaitsReloadsAndTakesOver() {
        AppFixture fx;
        auto now = std::make_shared<system_clock::time_point>(Monday(7, 29, 40, 0));
        auto app = std::make_unique<CDawnlyApp>([now] { return *now; });
        CDawnlyApp* raw = app.get();
        QVERIFY(fx.Start(std::move(app)));
        raw->m_pMainWnd->AlarmTimer().stop();  // ticks come from the test
        const std::string dir = raw->m_strStartDir;
        QCOMPARE(QString::fromStdString(dir), QDir(fx.Dir()).absolutePath() + '/');
        wb::test::WriteFileBytes(fx.Path("group.mp"),
                                 wb::test::ReadFileBytes(wb::test::TestData("gbk_hostlist.mp")));

        // The other program: a scheduler of its own on the same directory.
        wb::CAlarmStore otherStore(dir);
        wb::CAlarmScheduler other(otherStore, [now] { return *now; });
        auto otherLease = std::make_unique<wb::CSchedulerLease>(otherStore);
        other.Start();
        QVERIFY(other.Step(*otherLease));
        QVERIFY(otherLease->Held());

        // The command line stores two alarms after the desktop program loaded the store.
        wb::CAlarmStore cli(dir);
        cli.m_alarms.clear();
        AddAlarmTo(cli.m_alarms, dir + "group.mp", 7, 30);
        AddAlarmTo(cli.m_alarms, dir + "group.mp", 7, 31);
        QVERIFY(cli.SaveAlarms(cli.m_alarms));
        QVERIFY(otherStore.LoadAlarms());

        *now = Monday(7, 30, 0, 250);
        QVERIFY(other.Step(*otherLease));
        fx.Frame().OnTimer(ALARM_TIMER_ID);
        QCOMPARE(raw->m_alarms.size(), std::size_t{2});
        QCOMPARE(fx.Frame().SchedulerText(),
                 QString::fromUtf8(wb::gui::CMainFrame::kOtherSchedulerText));
        QCOMPARE(LogEntries(fx.Path("Dawnly.log")),
                 QStringList{QStringLiteral("Monday, December 07, 2026 07:30")});

        otherLease.reset();  // the other program ends
        *now = Monday(7, 31, 0, 250);
        fx.Frame().OnTimer(ALARM_TIMER_ID);
        QVERIFY(fx.Frame().SchedulerText().isEmpty());
        QCOMPARE(LogEntries(fx.Path("Dawnly.log")),
                 (QStringList{QStringLiteral("Monday, December 07, 2026 07:30"),
                              QStringLiteral("Monday, December 07, 2026 07:31")}));
    }
};

QTEST_MAIN(TimerTest)
#include "timer_test.moc"
