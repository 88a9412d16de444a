#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QMessageBox>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "alarm/alarm_store.h"
#include "base/string_table.h"
#include "common/dialog_data_exchange.h"
#include "common/modeless_dialog.h"
#include "dialogs/alarm_dlg.h"
#include "dlg_test_support.h"
#include "shell/system_commands.h"

using wb::AlarmList;
using wb::CAlarmSetting;
using wb::gui::CAlarmDlg;
using wb::gui::CUiSeam;
using namespace wb::test;

namespace {

const QString kHostFile = QStringLiteral(WAKEBURST_TEST_DATA "/alarm/one_host.mp");
const QString kOtherFile = QStringLiteral(WAKEBURST_TEST_DATA "/alarm/two_hosts.mp");

wb::AlarmPtr Alarm(const QString& file, int days, int hour, int minute,
                   const char* broadcast = "198.51.100.255") {
    auto a = std::make_shared<CAlarmSetting>();
    a->m_strGroupFile = file.toStdString();
    a->m_nDays = static_cast<std::uint8_t>(days);
    a->m_nHour = hour;
    a->m_nMinute = minute;
    a->m_strBroadcast = broadcast;
    return a;
}

}  // namespace

class AlarmDlgTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<wb::CAlarmStore> m_store;
    CAlarmDlg* m_dlg = nullptr;
    QPointer<CAlarmDlg> m_open;  // as the shell keeps it

    CAlarmDlg* Open(const AlarmList& alarms = {}) {
        m_store->m_alarms = alarms;
        m_dlg = wb::gui::RaiseOrCreateModeless(m_open, [this] { return new CAlarmDlg(*m_store); });
        return m_dlg;
    }
    QComboBox* Combo() { return Control<QComboBox>(m_dlg, CAlarmDlg::kGroupId); }
    QLineEdit* Field(int id) { return Control<QLineEdit>(m_dlg, id); }
    QPushButton* Button(int id) { return Control<QPushButton>(m_dlg, id); }
    QString Buttons() {
        QString s;
        for (int id : {CAlarmDlg::kAddId, CAlarmDlg::kRemoveId, 1})
            s += Button(id)->isEnabled() ? '1' : '0';
        return s;
    }
    // "addr hh:mm AM days": the fields as shown, the day boxes Sunday first.
    QString Shown() {
        QStringList addr;
        for (int k = 0; k < 4; ++k)
            addr << Field(CAlarmDlg::kFirstAddrId + k)->text();
        QString days;
        for (int k = 0; k < 7; ++k)
            days += Control<QCheckBox>(m_dlg, CAlarmDlg::kFirstDayId + k)->isChecked() ? '1' : '0';
        return addr.join('.') + ' ' + Field(CAlarmDlg::kHourId)->text() + ':' +
               Field(CAlarmDlg::kMinuteId)->text() + ' ' + Field(CAlarmDlg::kAmPmId)->text() + ' ' +
               days;
    }
    void PressSpin(int id, bool up) {
        auto* spin = m_dlg->findChild<QWidget*>(QStringLiteral("ctl%1").arg(id));
        QTest::mouseClick(spin->findChild<QToolButton*>(up ? "up" : "down"), Qt::LeftButton);
    }
    void Choose(int index) {
        Combo()->setCurrentIndex(index);
        emit Combo()->activated(index);
    }
    void TypePath(const QString& path) {
        Combo()->lineEdit()->selectAll();
        QTest::keyClicks(Combo()->lineEdit(), path);
    }
    bool StoreWritten() { return QFile::exists(QString::fromStdString(m_store->StorePath())); }

private slots:
    void init() {
        ResetSeam();
        m_dir = std::make_unique<QTemporaryDir>();
        m_store = std::make_unique<wb::CAlarmStore>(
            wb::WithTrailingSeparator(QDir(m_dir->path()).absolutePath().toStdString()));
    }
    void cleanup() {
        if (m_open) m_open->reject();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        m_dlg = nullptr;
        m_store.reset();
        m_dir.reset();
    }

    void firstUseWithoutStore() {
        QVERIFY(Open());
        QCOMPARE(m_dlg->windowTitle(), QStringLiteral("设置组提醒"));
        QVERIFY(Combo()->currentText().isEmpty());
        QCOMPARE(Combo()->count(), 0);
        QCOMPARE(Shown(), QStringLiteral("255.255.255.255 12:30 AM 0000000"));
        QCOMPARE(Buttons(), QStringLiteral("000"));
        TypePath("x");
        QCOMPARE(Buttons(), QStringLiteral("100"));
    }

    void addsAlarmFromFields_data() {
        QTest::addColumn<QString>("hour");
        QTest::addColumn<QString>("minute");
        QTest::addColumn<bool>("pm");
        QTest::addColumn<int>("storedHour");
        QTest::addColumn<int>("storedMinute");
        QTest::newRow("12 AM") << QString("12") << QString("30") << false << 0 << 30;
        QTest::newRow("12 PM") << QString("12") << QString("30") << true << 12 << 30;
        QTest::newRow("7 PM") << QString("7") << QString("5") << true << 19 << 5;
        QTest::newRow("11 PM") << QString("11") << QString("59") << true << 23 << 59;
        QTest::newRow("1 AM") << QString("1") << QString("0") << false << 1 << 0;
    }
    void addsAlarmFromFields() {
        QFETCH(QString, hour);
        QFETCH(QString, minute);
        QFETCH(bool, pm);
        QFETCH(int, storedHour);
        QFETCH(int, storedMinute);
        QVERIFY(Open());
        TypePath(kHostFile);
        Type(Field(CAlarmDlg::kHourId), hour);
        Type(Field(CAlarmDlg::kMinuteId), minute);
        if (pm) PressSpin(CAlarmDlg::kAmPmSpinId, true);
        QTest::mouseClick(Control<QCheckBox>(m_dlg, 1502), Qt::LeftButton);  // Monday
        Type(Field(1328), "7");
        QTest::mouseClick(Button(CAlarmDlg::kAddId), Qt::LeftButton);

        QVERIFY(MessageTexts().isEmpty());
        QCOMPARE(m_dlg->WorkingList().size(), std::size_t{1});
        const CAlarmSetting& a = *m_dlg->WorkingList()[0];
        QCOMPARE(QString::fromStdString(a.m_strGroupFile), kHostFile);
        QCOMPARE(a.m_nHour, storedHour);
        QCOMPARE(a.m_nMinute, storedMinute);
        QCOMPARE(int(a.m_nDays), 0x04);
        QCOMPARE(a.m_strBroadcast, std::string("255.255.255.7"));
        QCOMPARE(Combo()->count(), 1);
        QCOMPARE(Combo()->currentIndex(), 0);
        QCOMPARE(Buttons(), QStringLiteral("111"));

        // Saved and shown again, the fields read as they were typed.
        QTest::mouseClick(Button(1), Qt::LeftButton);
        QCOMPARE(m_store->m_alarms.size(), std::size_t{1});
        QCOMPARE(m_store->m_alarms[0]->m_nHour, storedHour);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(Open(m_store->m_alarms));
        QCOMPARE(Shown(),
                 "255.255.255.7 " + hour + ':' + minute + (pm ? " PM" : " AM") + " 0100000");
    }

    void dayBoxesMapToBits() {
        QVERIFY(Open({Alarm(kHostFile, 0x02 | 0x10 | 0x80, 6, 0)}));
        QCOMPARE(Shown(), QStringLiteral("198.51.100.255 6:0 AM 1001001"));
        QCOMPARE(Control<QCheckBox>(m_dlg, 1501)->text(), QStringLiteral("星期日"));
        QCOMPARE(Control<QCheckBox>(m_dlg, 1507)->text(), QStringLiteral("星期六"));
    }

    void spinsToggleAndWrap() {
        QVERIFY(Open());
        QLineEdit* ampm = Field(CAlarmDlg::kAmPmId);
        QVERIFY(ampm->isReadOnly());
        PressSpin(CAlarmDlg::kAmPmSpinId, true);
        QCOMPARE(ampm->text(), QStringLiteral("PM"));
        PressSpin(CAlarmDlg::kAmPmSpinId, true);
        QCOMPARE(ampm->text(), QStringLiteral("AM"));
        PressSpin(CAlarmDlg::kAmPmSpinId, false);
        QCOMPARE(ampm->text(), QStringLiteral("PM"));
        QTest::keyClick(ampm, Qt::Key_Down);
        QCOMPARE(ampm->text(), QStringLiteral("AM"));
        PressSpin(CAlarmDlg::kHourSpinId, true);  // 12 -> 1
        QCOMPARE(Field(CAlarmDlg::kHourId)->text(), QStringLiteral("1"));
        PressSpin(CAlarmDlg::kHourSpinId, false);
        QCOMPARE(Field(CAlarmDlg::kHourId)->text(), QStringLiteral("12"));
        Field(CAlarmDlg::kMinuteId)->setText("59");
        PressSpin(CAlarmDlg::kMinuteSpinId, true);
        QCOMPARE(Field(CAlarmDlg::kMinuteId)->text(), QStringLiteral("0"));
        QTest::keyClick(Field(CAlarmDlg::kMinuteId), Qt::Key_Down);
        QCOMPARE(Field(CAlarmDlg::kMinuteId)->text(), QStringLiteral("59"));
    }

    void seventeenthAddIsRefused() {
        AlarmList sixteen;
        for (int k = 0; k < 16; ++k)
            sixteen.push_back(Alarm(kHostFile, 0x04, k, 0));
        QVERIFY(Open(sixteen));
        TypePath(kOtherFile);
        QTest::mouseClick(Button(CAlarmDlg::kAddId), Qt::LeftButton);
        QCOMPARE(MessageTexts(), QStringList{"组 16 允许的最大值."});
        QCOMPARE(CUiSeam::Records()[0].caption, QStringLiteral("Wakeburst Utility"));
        QCOMPARE(m_dlg->WorkingList().size(), std::size_t{16});
        QCOMPARE(Buttons(), QStringLiteral("011"));
    }

    void missingFileIsRefused() {
        QVERIFY(Open());
        const QString path = QDir(m_dir->path()).filePath("absent.mp");
        TypePath(path);
        QTest::mouseClick(Button(CAlarmDlg::kAddId), Qt::LeftButton);
        QCOMPARE(MessageTexts(), QStringList{"文件 \r\n" + path + "\n未被发现.  请查实后重试."});
        QVERIFY(m_dlg->WorkingList().empty());
        QCOMPARE(Buttons(), QStringLiteral("000"));
        TypePath("again");
        QCOMPARE(Buttons(), QStringLiteral("100"));
    }

    void selectingKeepsEditAndCancelDiscards() {
        QVERIFY(Open({Alarm(kHostFile, 0x04, 7, 0), Alarm(kOtherFile, 0x08, 20, 15)}));
        QCOMPARE(Field(CAlarmDlg::kHourId)->text(), QStringLiteral("7"));
        Type(Field(CAlarmDlg::kHourId), "9");
        Choose(1);
        QCOMPARE(m_dlg->CurrentIndex(), 1);
        QCOMPARE(m_dlg->WorkingList()[0]->m_nHour, 9);
        QCOMPARE(m_dlg->WorkingList()[0]->m_strGroupFile, kHostFile.toStdString());
        QCOMPARE(Field(CAlarmDlg::kHourId)->text(), QStringLiteral("8"));
        QCOMPARE(Field(CAlarmDlg::kAmPmId)->text(), QStringLiteral("PM"));
        QCOMPARE(Buttons(), QStringLiteral("111"));
        Choose(0);
        QCOMPARE(Field(CAlarmDlg::kHourId)->text(), QStringLiteral("9"));

        QTest::mouseClick(Button(2), Qt::LeftButton);
        QVERIFY(!m_open);
        QCOMPARE(m_store->m_alarms[0]->m_nHour, 7);
        QVERIFY(!StoreWritten());
    }

    void badFieldKeepsSelection_data() {
        QTest::addColumn<int>("field");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("message");
        QTest::newRow("hour 13") << int(CAlarmDlg::kHourId) << "13" << wb::gui::RangeMessage(1, 12);
        QTest::newRow("hour 0") << int(CAlarmDlg::kHourId) << "0" << wb::gui::RangeMessage(1, 12);
        QTest::newRow("hour letter")
            << int(CAlarmDlg::kHourId) << "a" << wb::gui::ParseUIntMessage();
        QTest::newRow("minute 60")
            << int(CAlarmDlg::kMinuteId) << "60" << wb::gui::RangeMessage(0, 59);
        QTest::newRow("address 256") << 1326 << "256" << wb::gui::RangeMessage(0, 255);
    }
    void badFieldKeepsSelection() {
        QFETCH(int, field);
        QFETCH(QString, text);
        QFETCH(QString, message);
        QVERIFY(Open({Alarm(kHostFile, 0x04, 7, 0), Alarm(kOtherFile, 0x08, 20, 15)}));
        m_dlg->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_dlg));
        Type(Field(field), text);
        Choose(1);
        QCOMPARE(MessageTexts(), QStringList{message});
        QCOMPARE(Combo()->currentIndex(), 0);
        QCOMPARE(m_dlg->CurrentIndex(), 0);
        QCOMPARE(m_dlg->WorkingList()[0]->m_nHour, 7);
        QCOMPARE(QApplication::focusWidget(), Field(field));
        // OK refuses too, and the dialog stays open.
        QTest::mouseClick(Button(1), Qt::LeftButton);
        QCOMPARE(MessageTexts().size(), 2);
        QCOMPARE(m_open, m_dlg);
        QVERIFY(!StoreWritten());
    }

    void removeTwice() {
        QVERIFY(Open({Alarm(kHostFile, 0x04, 7, 0), Alarm(kOtherFile, 0x08, 20, 15)}));
        QTest::mouseClick(Button(CAlarmDlg::kRemoveId), Qt::LeftButton);
        QVERIFY(Combo()->currentText().isEmpty());
        QCOMPARE(Combo()->count(), 1);
        QCOMPARE(Combo()->itemText(0), kOtherFile);
        QCOMPARE(m_dlg->WorkingList().size(), std::size_t{1});
        QCOMPARE(m_dlg->WorkingList()[0]->m_strGroupFile, kOtherFile.toStdString());
        QCOMPARE(m_dlg->CurrentIndex(), -1);
        QCOMPARE(Buttons(), QStringLiteral("111"));
        QVERIFY(MessageTexts().isEmpty());
        QTest::mouseClick(Button(CAlarmDlg::kRemoveId), Qt::LeftButton);
        QCOMPARE(MessageTexts(), QStringList{"没有撤消"});
        QCOMPARE(Buttons(), QStringLiteral("000"));
        QCOMPARE(m_dlg->WorkingList().size(), std::size_t{1});
        // Choosing the remaining alarm shows it and enables everything again.
        Choose(0);
        QCOMPARE(Field(CAlarmDlg::kMinuteId)->text(), QStringLiteral("15"));
        QCOMPARE(Buttons(), QStringLiteral("111"));
    }

    void removingAllAndOkStoresEmptyList() {
        QVERIFY(Open({Alarm(kHostFile, 0x04, 7, 0)}));
        QTest::mouseClick(Button(CAlarmDlg::kRemoveId), Qt::LeftButton);
        QTest::mouseClick(Button(1), Qt::LeftButton);
        QVERIFY(!m_open);
        QVERIFY(m_store->m_alarms.empty());
        QVERIFY(StoreWritten());
        wb::CAlarmStore reread(m_store->m_strStartDir);
        QVERIFY(reread.LoadAlarms());
        QVERIFY(reread.m_alarms.empty());
    }

    void okWritesStoreUnchanged() {
        const AlarmList before{Alarm(kHostFile, 0x04, 7, 0),
                               Alarm(kOtherFile, 0x1, 20, 15, "255..1.2.3")};
        QVERIFY(Open(before));
        QTest::mouseClick(Button(1), Qt::LeftButton);
        QVERIFY(StoreWritten());
        wb::CAlarmStore reread(m_store->m_strStartDir);
        QVERIFY(reread.LoadAlarms());
        QCOMPARE(reread.m_alarms.size(), std::size_t{2});
        for (std::size_t k = 0; k < 2; ++k)
            QVERIFY(*reread.m_alarms[k] == *before[k]);
        QVERIFY(m_store->m_alarms[0] != before[0]);  // fresh copies, not the caller's
    }

    // Values that only a damaged or foreign store holds survive a visit to the dialog.
    void storedValuesOutsideFieldsSurvive() {
        const AlarmList before{Alarm(kHostFile, 0x04, 25, 75, "198.51.100.255.and.more"),
                               Alarm(kOtherFile, 0x08, 20, 15)};
        QVERIFY(Open(before));
        QVERIFY(MessageTexts().isEmpty());
        QCOMPARE(Shown(), QStringLiteral("198.51.100.255.and.more 25:75 AM 0100000"));
        Choose(1);
        Choose(0);
        QVERIFY(MessageTexts().isEmpty());
        QTest::mouseClick(Button(1), Qt::LeftButton);
        QVERIFY(MessageTexts().isEmpty());
        QVERIFY(*m_store->m_alarms[0] == *before[0]);

        // Once the user edits that alarm, its fields must read.
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(Open(before));
        Control<QCheckBox>(m_dlg, 1501)->click();
        QVERIFY(Control<QCheckBox>(m_dlg, 1501)->isChecked());
        QTest::mouseClick(Button(1), Qt::LeftButton);
        QCOMPARE(MessageTexts(), QStringList{wb::gui::RangeMessage(1, 12)});
        QCOMPARE(m_open, m_dlg);
    }

    // Add makes a new alarm of the fields; the one shown keeps its own values, and the same
    // file may be added again.
    void addTakesChangedFieldsButShownAlarmKeepsItsOwn() {
        QVERIFY(Open({Alarm(kHostFile, 0x04, 7, 0)}));
        Type(Field(CAlarmDlg::kHourId), "9");
        TypePath(kOtherFile);
        QCOMPARE(Buttons(), QStringLiteral("100"));
        QTest::mouseClick(Button(CAlarmDlg::kAddId), Qt::LeftButton);
        Type(Field(CAlarmDlg::kMinuteId), "45");
        QTest::mouseClick(Button(CAlarmDlg::kAddId), Qt::LeftButton);
        QVERIFY(MessageTexts().isEmpty());
        QStringList got;
        for (const auto& a : m_dlg->WorkingList())
            got << QStringLiteral("%1 %2:%3")
                       .arg(QString::fromStdString(a->m_strGroupFile))
                       .arg(a->m_nHour)
                       .arg(a->m_nMinute);
        QCOMPARE(got, QStringList({kHostFile + " 7:0", kOtherFile + " 9:0", kOtherFile + " 9:45"}));
        QCOMPARE(Combo()->count(), 3);
        QCOMPARE(m_dlg->CurrentIndex(), 2);
        QCOMPARE(Buttons(), QStringLiteral("111"));
    }

    // The text typed is the file stored, even when it names, or begins, a listed path;
    // the alarms listed keep their own values.
    void typedPathIsStoredAsTyped_data() {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("listed");
        QTest::newRow("a listed path") << "two_hosts.mp"
                                       << "two_hosts.mp";
        QTest::newRow("prefix of a listed path") << "two_hosts.mp"
                                                 << "two_hosts.mp.old";
    }
    void typedPathIsStoredAsTyped() {
        QFETCH(QString, typed);
        QFETCH(QString, listed);
        const QString typedPath = QDir(m_dir->path()).filePath(typed);
        const QString listedPath = QDir(m_dir->path()).filePath(listed);
        for (const QString& f : {typedPath, listedPath})
            QVERIFY(QFile::copy(kOtherFile, f) || QFile::exists(f));
        const AlarmList before{Alarm(kHostFile, 0x04, 7, 0), Alarm(listedPath, 0x08, 20, 15)};
        QVERIFY(Open(before));
        m_dlg->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_dlg));
        Type(Field(CAlarmDlg::kHourId), "9");
        Combo()->lineEdit()->setFocus();
        TypePath(typedPath);
        QCOMPARE(Combo()->currentText(), typedPath);
        QTest::mouseClick(Button(CAlarmDlg::kAddId), Qt::LeftButton);
        QVERIFY(MessageTexts().isEmpty());
        const AlarmList& list = m_dlg->WorkingList();
        QCOMPARE(list.size(), std::size_t{3});
        QVERIFY(*list[0] == *before[0]);
        QVERIFY(*list[1] == *before[1]);
        QCOMPARE(QString::fromStdString(list[2]->m_strGroupFile), typedPath);
        QCOMPARE(list[2]->m_nHour, 9);
        QCOMPARE(m_dlg->CurrentIndex(), 2);
    }

    // No button is the default one: Enter in a field neither opens the file chooser nor
    // presses OK, Add or Remove, and does not pick the alarm whose path was typed.
    void enterInAFieldPressesNothing_data() {
        QTest::addColumn<int>("field");
        QTest::newRow("group file") << int(CAlarmDlg::kGroupId);
        QTest::newRow("address") << 1326;
        QTest::newRow("hour") << int(CAlarmDlg::kHourId);
        QTest::newRow("minute") << int(CAlarmDlg::kMinuteId);
        QTest::newRow("day") << 1502;
    }
    void enterInAFieldPressesNothing() {
        QFETCH(int, field);
        const AlarmList before{Alarm(kHostFile, 0x04, 7, 0), Alarm(kOtherFile, 0x08, 20, 15)};
        QVERIFY(Open(before));
        m_dlg->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_dlg));
        TypePath(kOtherFile);
        const QString shown = Shown();
        auto* target = m_dlg->findChild<QWidget*>(QStringLiteral("ctl%1").arg(field));
        QWidget* keys = field == CAlarmDlg::kGroupId ? Combo()->lineEdit() : target;
        keys->setFocus();
        QTest::keyClick(keys, Qt::Key_Return);
        QTest::keyClick(keys, Qt::Key_Enter);
        QVERIFY(CUiSeam::Records().empty());
        QCOMPARE(m_open, m_dlg);
        QVERIFY(m_dlg->isVisible());
        QVERIFY(!StoreWritten());
        QCOMPARE(m_dlg->WorkingList().size(), std::size_t{2});
        QCOMPARE(m_dlg->CurrentIndex(), 0);
        QCOMPARE(Combo()->currentIndex(), 0);
        QCOMPARE(Combo()->currentText(), kOtherFile);
        QCOMPARE(Shown(), shown);
        QCOMPARE(Buttons(), QStringLiteral("100"));
    }

    void browsePutsPathInField() {
        QVERIFY(Open({Alarm(kHostFile, 0x04, 7, 0)}));
        CUiSeam::QueueFileNames({kOtherFile});
        QTest::mouseClick(Button(CAlarmDlg::kBrowseId), Qt::LeftButton);
        QCOMPARE(Combo()->currentText(), kOtherFile);
        QCOMPARE(Buttons(), QStringLiteral("100"));
        const auto& r = CUiSeam::Records().back();
        QVERIFY(r.kind == CUiSeam::Kind::OpenFile);
        QCOMPARE(r.text, QStringLiteral("远程启动组文件(*.mp);;所有文件 (*.*)"));
        // Cancelled: nothing changes.
        TypePath(kHostFile);
        Choose(0);
        QCOMPARE(Buttons(), QStringLiteral("111"));
        QTest::mouseClick(Button(CAlarmDlg::kBrowseId), Qt::LeftButton);
        QCOMPARE(Combo()->currentText(), kHostFile);
        QCOMPARE(Buttons(), QStringLiteral("111"));
    }

    // The command line changed the store while the dialog was open: OK asks, and the other
    // program's alarms are overwritten only when the user says so. Opening, the dialog
    // showed the store on disk rather than the program's older list.
    void changedStoreAsksOnOk_data() {
        QTest::addColumn<int>("answer");  // 0: no answer, as a user who cancels
        QTest::addColumn<int>("stored");
        QTest::addColumn<bool>("closed");
        QTest::addColumn<int>("shown");
        QTest::newRow("overwrite") << int(QMessageBox::Yes) << 0 << true << 0;
        QTest::newRow("reload") << int(QMessageBox::No) << 2 << false << 2;
        QTest::newRow("back to editing") << 0 << 2 << false << 0;
    }
    void changedStoreAsksOnOk() {
        QFETCH(int, answer);
        wb::CAlarmStore cli(m_store->m_strStartDir);
        QVERIFY(cli.SaveAlarms({Alarm(kHostFile, 0x04, 7, 0)}));
        QVERIFY(Open({Alarm(kOtherFile, 0x08, 9, 0), Alarm(kOtherFile, 0x08, 9, 5)}));
        QCOMPARE(Combo()->count(), 1);
        QCOMPARE(Combo()->itemText(0), kHostFile);

        QVERIFY(cli.SaveAlarms({Alarm(kHostFile, 0x04, 7, 0), Alarm(kOtherFile, 0x10, 8, 0)}));
        QTest::mouseClick(Button(CAlarmDlg::kRemoveId), Qt::LeftButton);
        if (answer) CUiSeam::QueueAnswer(QMessageBox::StandardButton(answer));
        QTest::mouseClick(Button(1), Qt::LeftButton);

        QCOMPARE(MessageTexts(), QStringList{QString::fromUtf8(CAlarmDlg::kStoreChangedText)});
        QVERIFY(cli.LoadAlarms());
        QTEST(int(cli.m_alarms.size()), "stored");
        QTEST(m_open.isNull(), "closed");
        if (m_open) QTEST(Combo()->count(), "shown");
        QTEST(int(m_store->m_alarms.size()), "stored");
    }

    void everyControlHasContextHelp() {
        QVERIFY(Open());
        QVERIFY(m_dlg->windowFlags() & Qt::WindowContextHelpButtonHint);
        for (int id : {1001, 1018, 1325, 1326, 1327, 1328, 1501, 1502, 1503, 1504,
                       1505, 1506, 1507, 1417, 1413, 1415, 1019, 1020, 1,    2}) {
            auto* w = m_dlg->findChild<QWidget*>(QStringLiteral("ctl%1").arg(id));
            QVERIFY2(w && !w->whatsThis().isEmpty(), qPrintable(QString::number(id)));
        }
    }
};

QTEST_MAIN(AlarmDlgTest)
#include "alarm_dlg_test.moc"
