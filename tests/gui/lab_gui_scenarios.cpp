// What a person does in the desktop program, run inside the network lab's host namespace
// by lab_gui_test, which then checks what reached the peers. Each slot is one scenario; it
// is not a test of its own, since outside the lab its sends would have nowhere safe to go.
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <chrono>
#include <ctime>

#include "app_test_support.h"
#include "dialogs/alarm_dlg.h"
#include "dialogs/create_list_dlg.h"
#include "dialogs/send_dlg.h"
#include "dlg_test_support.h"
#include "platform/codepage.h"
#include "shell/command_ids.h"
#include "shell/dawnly_app.h"
#include "shell/dawnly_doc.h"
#include "shell/dawnly_doc_template.h"
#include "shell/main_frame.h"
#include "shell/system_commands.h"

using namespace std::chrono;
using wb::gui::CAlarmDlg;
using wb::gui::CCreateListDlg;
using wb::gui::CSendDlg;
using wb::test::AppFixture;
using wb::test::Control;
using wb::test::MessageTexts;
using wb::test::Type;

namespace {

QByteArray FileText(const char* utf8) {
    return QByteArray::fromStdString(wb::platform::ToFileText(utf8));
}

}  // namespace

class LabGuiScenarios : public QObject {
    Q_OBJECT
private slots:
    // Wake peer-b by its name from the send dialog, opened through the menu command.
    void sendDialogWakesLabHost() {
        AppFixture fx;
        QVERIFY(fx.Start());
        wb::test::ResetSeam();
        fx.Frame().OnCommand(ID_POWER_ON_HOST);
        auto* dlg = fx.App().SystemCommands().SendDialog();
        QVERIFY(dlg);
        Type(Control<QLineEdit>(dlg, CSendDlg::kBroadcastId), "peer-b");
        const QStringList bytes{"02", "00", "5e", "00", "00", "11"};
        for (int k = 0; k < 6; ++k)
            Type(Control<QLineEdit>(dlg, CSendDlg::kFirstByteId + k), bytes[k]);
        auto* send = Control<QPushButton>(dlg, 1);
        QVERIFY(send->isEnabled());
        QTest::mouseClick(send, Qt::LeftButton);
        QCOMPARE(dlg->StatusText(), QStringLiteral("发送到 peer-b"));
        QVERIFY(MessageTexts().isEmpty());
        QTRY_VERIFY_WITH_TIMEOUT(dlg->StatusText().isEmpty(), 3000);
    }

    // Set an alarm for Monday 07:30 in the alarm dialog; the running program's timer fires
    // it at the minute and wakes the group through the lab's directed broadcast.
    void alarmFromDialogFiresFromTimer() {
        AppFixture fx;
        std::tm tm{};
        tm.tm_year = 2026 - 1900;
        tm.tm_mon = 11;
        tm.tm_mday = 7;  // a Monday
        tm.tm_hour = 7;
        tm.tm_min = 29;
        tm.tm_sec = 58;
        tm.tm_isdst = -1;
        const auto base = system_clock::from_time_t(std::mktime(&tm));
        QElapsedTimer elapsed;
        elapsed.start();
        QVERIFY(fx.Start(std::make_unique<wb::gui::CDawnlyApp>(
            [base, elapsed] { return base + milliseconds(elapsed.elapsed()); })));
        wb::test::ResetSeam();
        const QString group = fx.Path("group.mp");
        wb::test::WriteFileBytes(group,
                                 "198.51.100.10\tpeer-a\t02-00-5e-00-00-10\r\n"
                                 "198.51.100.11\tpeer-b\t02-00-5e-00-00-11\r\n"
                                 "198.51.100.12\tpeer-c\t02-00-5e-00-00-12\r\n");

        fx.Frame().OnCommand(ID_GROUP_POWER_ON);
        auto* dlg = fx.App().SystemCommands().AlarmDialog();
        QVERIFY(dlg);
        auto* combo = Control<QComboBox>(dlg, CAlarmDlg::kGroupId);
        combo->lineEdit()->selectAll();
        QTest::keyClicks(combo->lineEdit(), group);
        const QStringList broadcast{"198", "51", "100", "255"};
        for (int k = 0; k < 4; ++k)
            Type(Control<QLineEdit>(dlg, CAlarmDlg::kFirstAddrId + k), broadcast[k]);
        Type(Control<QLineEdit>(dlg, CAlarmDlg::kHourId), "7");
        Type(Control<QLineEdit>(dlg, CAlarmDlg::kMinuteId), "30");
        QTest::mouseClick(Control<QWidget>(dlg, CAlarmDlg::kFirstDayId + 1), Qt::LeftButton);
        QTest::mouseClick(Control<QPushButton>(dlg, CAlarmDlg::kAddId), Qt::LeftButton);
        QTest::mouseClick(Control<QPushButton>(dlg, 1), Qt::LeftButton);
        QVERIFY(MessageTexts().isEmpty());
        QCOMPARE(fx.App().m_alarms.size(), std::size_t{1});
        QVERIFY(QFile::exists(fx.Path("DwnGs")));

        const QString log = fx.Path("Dawnly.log");
        QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(log), 6000);
        const QByteArray entry = wb::test::ReadFileBytes(log);
        QVERIFY(entry.startsWith("Monday, December 07, 2026 07:30\r\n"));
        QVERIFY(entry.endsWith(FileText("\t唤醒 3 hosts 于 ") + group.toUtf8() + "\r\n"));
    }

    // Build a host list of the lab from the creation dialog: the new file opens as a document.
    void createDialogBuildsLabHostList() {
        AppFixture fx;
        QVERIFY(fx.Start());
        wb::test::ResetSeam();
        CCreateListDlg dlg([&fx](const QString& path) { fx.App().OpenDocumentFile(path); });
        dlg.show();
        Type(Control<QLineEdit>(&dlg, CCreateListDlg::kFileNameId), "lab");
        dlg.OnOK();
        QCOMPARE(dlg.result(), int(QDialog::Accepted));
        // The one peer the hosts file does not name: one message, the placeholder.
        const QStringList messages = MessageTexts();
        QCOMPARE(messages.size(), 1);
        QVERIFY(messages[0].startsWith(QStringLiteral("198.51.100.12\n")));
        QVERIFY(!QFile::exists(fx.Path("temp.mp")));
        const QByteArray bytes = wb::test::ReadFileBytes(fx.Path("lab.mp"));
        QVERIFY(bytes.startsWith(FileText("# 此文件由 Wakeburst utility 创建.\r\n")));
        QVERIFY(
            bytes.endsWith("198.51.100.10\tpeer-a\t02-00-5e-00-00-10\r\n"
                           "198.51.100.11\tpeer-b\t02-00-5e-00-00-11\r\n"
                           "198.51.100.12\t" +
                           FileText("*名称未被发现*") + "\t02-00-5e-00-00-12\r\n"));
        const auto& docs = fx.App().DocTemplate()->Documents();
        QCOMPARE(docs.size(), qsizetype{1});
        QVERIFY(docs[0]->GetPathName().endsWith(QStringLiteral("lab.mp")));
    }
};

QTEST_MAIN(LabGuiScenarios)
#include "lab_gui_scenarios.moc"
