#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QPointer>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include "alarm/alarm_store.h"
#include "common/modeless_dialog.h"
#include "dialogs/alarm_dlg.h"
#include "dlg_test_support.h"

using wb::AlarmList;
using wb::gui::CAlarmDlg;
using wb::gui::CUiSeam;
using namespace wb::test;

// The scenarios of gui/alarm_dlg.txt. Its own actions: open (the program's list), reopen,
// disk (another program saves the store), copy, path (typed in the group field), spin,
// choose, browse-gives; its states: shown, buttons, list (the dialog's), program (the
// program's list), disk (the store reread), fresh, count, items, index, combo, open.
class AlarmDlgTest : public QObject, DialogScript {
    Q_OBJECT
private:
    const QString m_data = QStringLiteral(WAKEBURST_TEST_DATA "/alarm/");
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<wb::CAlarmStore> m_store;
    CAlarmDlg* m_dlg = nullptr;
    QPointer<CAlarmDlg> m_open;  // as the shell keeps it
    AlarmList m_given;           // the program's list the dialog was opened on

    QWidget* Dialog() override { return m_dlg; }
    QComboBox* Combo() { return Control<QComboBox>(m_dlg, CAlarmDlg::kGroupId); }
    QString Path(const QString& name) const {
        return name.startsWith("tmp/") ? QDir(m_dir->path()).filePath(name.mid(4)) : m_data + name;
    }
    QString Short(QString text) const override {
        return DialogScript::Short(text.replace(m_dir->path() + '/', "tmp/").replace(m_data, ""));
    }
    // "file,days,hour,minute[,broadcast]", days in hex.
    AlarmList Alarms(const QStringList& rows) const {
        AlarmList list;
        for (const QString& row : rows) {
            const QStringList f = row.split(',');
            auto a = std::make_shared<wb::CAlarmSetting>();
            a->m_strGroupFile = Path(f.value(0)).toStdString();
            a->m_nDays = static_cast<std::uint8_t>(f.value(1).toUInt(nullptr, 16));
            a->m_nHour = f.value(2).toInt();
            a->m_nMinute = f.value(3).toInt();
            a->m_strBroadcast = f.size() > 4 ? f.mid(4).join(',').toStdString() : "198.51.100.255";
            list.push_back(a);
        }
        return list;
    }
    QString List(const AlarmList& list) const {
        QStringList out;
        for (const auto& a : list)
            out << QStringLiteral("%1,%2,%3,%4,%5")
                       .arg(Short(QString::fromStdString(a->m_strGroupFile)))
                       .arg(int(a->m_nDays), 2, 16, QChar('0'))
                       .arg(a->m_nHour)
                       .arg(a->m_nMinute)
                       .arg(QString::fromStdString(a->m_strBroadcast));
        return out.join(' ');
    }
    // "addr hh:mm AM days": the fields as shown, the day boxes Sunday first.
    QString Shown() {
        QStringList addr;
        for (int k = 0; k < 4; ++k)
            addr << Control<QLineEdit>(m_dlg, CAlarmDlg::kFirstAddrId + k)->text();
        QString days;
        for (int k = 0; k < 7; ++k)
            days += Control<QCheckBox>(m_dlg, CAlarmDlg::kFirstDayId + k)->isChecked() ? '1' : '0';
        const auto text = [this](int id) { return Control<QLineEdit>(m_dlg, id)->text(); };
        return addr.join('.') + ' ' + text(CAlarmDlg::kHourId) + ':' + text(CAlarmDlg::kMinuteId) +
               ' ' + text(CAlarmDlg::kAmPmId) + ' ' + days;
    }
    std::optional<QString> State(const QString& key) override {
        if (key == "shown") return Shown();
        if (key == "buttons") {
            QString s;
            for (const char* name : {"add", "remove", "ok"})
                s += Widget(name)->isEnabled() ? '1' : '0';
            return s;
        }
        if (key == "list") return List(m_dlg->WorkingList());
        if (key == "program") return List(m_store->m_alarms);
        if (key == "count") return QString::number(m_dlg->WorkingList().size());
        if (key == "items") return QString::number(Combo()->count());
        if (key == "index")
            return QStringLiteral("%1 %2").arg(m_dlg->CurrentIndex()).arg(Combo()->currentIndex());
        if (key == "combo") {
            QStringList items;
            for (int k = 0; k < Combo()->count(); ++k)
                items << Short(Combo()->itemText(k));
            return Short(Combo()->currentText()) + " [" + items.join(' ') + ']';
        }
        if (key == "open")
            return m_open ? (m_open == m_dlg && m_dlg->isVisible() ? "yes" : "other") : "no";
        if (key == "disk") {
            wb::CAlarmStore reread(m_store->m_strStartDir);
            if (!QFile::exists(QString::fromStdString(m_store->StorePath()))) return "none";
            return reread.LoadAlarms() ? '[' + List(reread.m_alarms) + ']' : "damaged";
        }
        if (key == "fresh") {  // the program's list holds copies, not the alarms it gave
            for (const auto& a : m_store->m_alarms)
                if (std::find(m_given.begin(), m_given.end(), a) != m_given.end()) return "no";
            return "yes";
        }
        return std::nullopt;
    }
    bool Act(const QString& verb, const QStringList& args) override {
        if (verb == "open" || verb == "reopen") {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            m_given = verb == "open" ? Alarms(args) : m_store->m_alarms;
            m_store->m_alarms = m_given;
            m_dlg =
                wb::gui::RaiseOrCreateModeless(m_open, [this] { return new CAlarmDlg(*m_store); });
        } else if (verb == "disk") {
            [&] { QVERIFY(wb::CAlarmStore(m_store->m_strStartDir).SaveAlarms(Alarms(args))); }();
        } else if (verb == "copy") {
            [&] { QVERIFY(QFile::copy(Path(args.value(0)), Path(args.value(1)))); }();
        } else if (verb == "path") {
            Combo()->lineEdit()->setFocus();
            Combo()->lineEdit()->selectAll();
            QTest::keyClicks(Combo()->lineEdit(), Path(args.value(0)));
        } else if (verb == "spin") {
            QTest::mouseClick(Widget(args.value(0))->findChild<QToolButton*>(args.value(1)),
                              Qt::LeftButton);
        } else if (verb == "choose") {
            Combo()->setCurrentIndex(args.value(0).toInt());
            emit Combo()->activated(args.value(0).toInt());
        } else if (verb == "browse-gives") {
            CUiSeam::QueueFileNames({Path(args.value(0))});
        } else if (verb == "key" && args.value(0) == "group") {
            Combo()->lineEdit()->setFocus();
            QTest::keyClick(Combo()->lineEdit(),
                            args.value(1) == "return" ? Qt::Key_Return : Qt::Key_Enter);
        } else {
            return false;
        }
        return true;
    }

private slots:
    void init() {
        ResetSeam();
        m_controls = {{"group", CAlarmDlg::kGroupId},
                      {"browse", CAlarmDlg::kBrowseId},
                      {"add", CAlarmDlg::kAddId},
                      {"remove", CAlarmDlg::kRemoveId},
                      {"ok", 1},
                      {"cancel", 2},
                      {"addr2", CAlarmDlg::kFirstAddrId + 1},
                      {"addr4", CAlarmDlg::kFirstAddrId + 3},
                      {"hour", CAlarmDlg::kHourId},
                      {"minute", CAlarmDlg::kMinuteId},
                      {"ampm", CAlarmDlg::kAmPmId},
                      {"hourspin", CAlarmDlg::kHourSpinId},
                      {"minutespin", CAlarmDlg::kMinuteSpinId},
                      {"ampmspin", CAlarmDlg::kAmPmSpinId},
                      {"sun", CAlarmDlg::kFirstDayId},
                      {"mon", CAlarmDlg::kFirstDayId + 1}};
        m_dir = std::make_unique<QTemporaryDir>();
        m_store = std::make_unique<wb::CAlarmStore>(
            wb::WithTrailingSeparator(QDir(m_dir->path()).absolutePath().toStdString()));
    }
    void cleanup() {
        if (m_open) m_open->reject();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        m_dlg = nullptr;
        m_given.clear();
        m_store.reset();
        m_dir.reset();
    }
    void scenario_data() { AddRows("alarm_dlg.txt"); }
    void scenario() {
        QFETCH(QStringList, lines);
        Run(lines);
    }
};

QTEST_MAIN(AlarmDlgTest)
#include "alarm_dlg_test.moc"
