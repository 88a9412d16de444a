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
#include "common/modeless_dialog.h"
#include "dialogs/alarm_dlg.h"
#include "dlg_test_support.h"

using wb::AlarmList;
using wb::gui::CAlarmDlg;
using wb::gui::CUiSeam;
using namespace wb::test;

namespace {

const QString kData = QStringLiteral(WAKEBURST_TEST_DATA "/alarm/");

// The dialog's controls by the names the scripts use.
const std::map<QString, int> kControls = {{"group", CAlarmDlg::kGroupId},
                                          {"browse", CAlarmDlg::kBrowseId},
                                          {"add", CAlarmDlg::kAddId},
                                          {"remove", CAlarmDlg::kRemoveId},
                                          {"ok", 1},
                                          {"cancel", 2},
                                          {"addr1", CAlarmDlg::kFirstAddrId},
                                          {"addr2", CAlarmDlg::kFirstAddrId + 1},
                                          {"addr3", CAlarmDlg::kFirstAddrId + 2},
                                          {"addr4", CAlarmDlg::kFirstAddrId + 3},
                                          {"hour", CAlarmDlg::kHourId},
                                          {"minute", CAlarmDlg::kMinuteId},
                                          {"ampm", CAlarmDlg::kAmPmId},
                                          {"hourspin", CAlarmDlg::kHourSpinId},
                                          {"minutespin", CAlarmDlg::kMinuteSpinId},
                                          {"ampmspin", CAlarmDlg::kAmPmSpinId},
                                          {"sun", CAlarmDlg::kFirstDayId},
                                          {"mon", CAlarmDlg::kFirstDayId + 1},
                                          {"sat", CAlarmDlg::kFirstDayId + 6}};

}  // namespace

// Each scenario of gui/alarm_dlg.txt goes through the dialog as a person would: a line is
// an action ("type hour 9", "click add") or, after "=", what some part of the dialog, the
// program's list or the store on disk shows at that point.
class AlarmDlgTest : public QObject {
    Q_OBJECT
private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<wb::CAlarmStore> m_store;
    CAlarmDlg* m_dlg = nullptr;
    QPointer<CAlarmDlg> m_open;  // as the shell keeps it
    AlarmList m_given;           // the program's list the dialog was opened on

    QWidget* Widget(const QString& name) {
        const auto it = kControls.find(name);
        if (it == kControls.end()) return nullptr;
        return m_dlg->findChild<QWidget*>(QStringLiteral("ctl%1").arg(it->second));
    }
    QComboBox* Combo() { return Control<QComboBox>(m_dlg, CAlarmDlg::kGroupId); }
    QString Path(const QString& name) {
        return name.startsWith("tmp/") ? QDir(m_dir->path()).filePath(name.mid(4)) : kData + name;
    }
    // Paths as the scripts write them, line ends visible.
    QString Short(QString text) {
        return text.replace(QDir(m_dir->path()).path() + '/', "tmp/")
            .replace(kData, "")
            .replace("\r", "\\r")
            .replace("\n", "\\n");
    }
    // "file,days,hour,minute[,broadcast]", days in hex.
    wb::AlarmPtr Alarm(const QString& spec) {
        const QStringList f = spec.split(',');
        auto a = std::make_shared<wb::CAlarmSetting>();
        a->m_strGroupFile = Path(f.value(0)).toStdString();
        a->m_nDays = static_cast<std::uint8_t>(f.value(1).toUInt(nullptr, 16));
        a->m_nHour = f.value(2).toInt();
        a->m_nMinute = f.value(3).toInt();
        a->m_strBroadcast = f.size() > 4 ? f.mid(4).join(',').toStdString() : "198.51.100.255";
        return a;
    }
    QString List(const AlarmList& list) {
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
    void Open(const AlarmList& alarms) {
        m_given = alarms;
        m_store->m_alarms = alarms;
        m_dlg = wb::gui::RaiseOrCreateModeless(m_open, [this] { return new CAlarmDlg(*m_store); });
    }
    // "addr hh:mm AM days": the fields as shown, the day boxes Sunday first.
    QString Shown() {
        QStringList addr;
        for (int k = 0; k < 4; ++k)
            addr << Control<QLineEdit>(m_dlg, CAlarmDlg::kFirstAddrId + k)->text();
        QString days;
        for (int k = 0; k < 7; ++k)
            days += Control<QCheckBox>(m_dlg, CAlarmDlg::kFirstDayId + k)->isChecked() ? '1' : '0';
        return addr.join('.') + ' ' + Text("hour") + ':' + Text("minute") + ' ' + Text("ampm") +
               ' ' + days;
    }
    QString Text(const QString& name) { return static_cast<QLineEdit*>(Widget(name))->text(); }
    QString Buttons() {
        QString s;
        for (const char* name : {"add", "remove", "ok"})
            s += Widget(name)->isEnabled() ? '1' : '0';
        return s;
    }
    QString State(const QString& key, const QString& arg) {
        if (key == "shown") return Shown();
        if (key == "buttons") return Buttons();
        if (key == "messages") return Short(MessageTexts().join(" | "));
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
        if (key == "fresh") {
            for (const auto& a : m_store->m_alarms)
                if (std::find(m_given.begin(), m_given.end(), a) != m_given.end()) return "no";
            return "yes";
        }
        if (key == "focus") {
            for (const auto& [name, id] : kControls)
                if (QApplication::focusWidget() == Widget(name)) return name;
            return "other";
        }
        if (key == "records") {
            QStringList kinds;
            for (const auto& r : CUiSeam::Records())
                kinds << QString::number(int(r.kind));
            return kinds.join(' ');
        }
        if (key == "readonly")
            return static_cast<QLineEdit*>(Widget(arg))->isReadOnly() ? "yes" : "no";
        if (key == "text") return Text(arg);
        if (key == "checked")
            return static_cast<QCheckBox*>(Widget(arg))->isChecked() ? "yes" : "no";
        return "unknown state " + key;
    }
    void Act(const QString& verb, const QStringList& args) {
        const QString arg = args.value(0);
        const QString rest = args.mid(1).join(' ');
        QWidget* target = Widget(arg);
        if (verb == "open" || verb == "reopen") {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            AlarmList alarms;
            for (const QString& spec : args)
                alarms.push_back(Alarm(spec));
            Open(verb == "open" ? alarms : m_store->m_alarms);
            QVERIFY(m_dlg);
        } else if (verb == "disk") {  // another program saves the store
            AlarmList alarms;
            for (const QString& spec : args)
                alarms.push_back(Alarm(spec));
            QVERIFY(wb::CAlarmStore(m_store->m_strStartDir).SaveAlarms(alarms));
        } else if (verb == "copy") {
            QVERIFY(QFile::copy(Path(arg), Path(args.value(1))));
        } else if (verb == "activate") {
            m_dlg->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(m_dlg));
        } else if (verb == "path") {
            Combo()->lineEdit()->setFocus();
            Combo()->lineEdit()->selectAll();
            QTest::keyClicks(Combo()->lineEdit(), Path(arg));
        } else if (verb == "type") {
            QVERIFY2(target, qPrintable(arg));
            Type(static_cast<QLineEdit*>(target), rest);
        } else if (verb == "set") {
            static_cast<QLineEdit*>(target)->setText(rest);
        } else if (verb == "spin") {
            QTest::mouseClick(target->findChild<QToolButton*>(rest), Qt::LeftButton);
        } else if (verb == "key") {
            QWidget* keys = arg == "group" ? Combo()->lineEdit() : target;
            keys->setFocus();
            const std::map<QString, Qt::Key> k{{"up", Qt::Key_Up},
                                               {"down", Qt::Key_Down},
                                               {"return", Qt::Key_Return},
                                               {"enter", Qt::Key_Enter}};
            QTest::keyClick(keys, k.at(rest));
        } else if (verb == "click") {
            QVERIFY2(target, qPrintable(arg));
            QTest::mouseClick(target, Qt::LeftButton);
        } else if (verb == "toggle") {
            static_cast<QCheckBox*>(target)->click();
        } else if (verb == "choose") {
            Combo()->setCurrentIndex(arg.toInt());
            emit Combo()->activated(arg.toInt());
        } else if (verb == "answer") {
            CUiSeam::QueueAnswer(arg == "yes" ? QMessageBox::Yes : QMessageBox::No);
        } else if (verb == "browse-gives") {
            CUiSeam::QueueFileNames({Path(arg)});
        } else {
            QFAIL(qPrintable("unknown action " + verb));
        }
    }

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
        m_given.clear();
        m_store.reset();
        m_dir.reset();
    }

    void scenario_data() {
        QTest::addColumn<QStringList>("lines");
        QFile f(QStringLiteral(WAKEBURST_TEST_DATA "/gui/alarm_dlg.txt"));
        QVERIFY(f.open(QIODevice::ReadOnly));
        QStringList lines;
        QString name;
        const auto flush = [&] {
            if (!name.isEmpty()) QTest::newRow(qPrintable(name)) << lines;
            lines.clear();
        };
        for (const QString& line : QString::fromUtf8(f.readAll()).split('\n')) {
            if (line.startsWith("== ")) {
                flush();
                name = line.mid(3);
            } else if (!line.trimmed().isEmpty() && !line.startsWith('#')) {
                lines << line;
            }
        }
        flush();
    }
    void scenario() {
        QFETCH(QStringList, lines);
        for (const QString& line : lines) {
            if (line.startsWith("= ")) {
                const QString key = line.mid(2).section(' ', 0, 0);
                const bool hasArg = key == "readonly" || key == "text" || key == "checked";
                const QString arg = hasArg ? line.mid(2).section(' ', 1, 1) : QString();
                const QString expected = line.mid(2).section(' ', hasArg ? 2 : 1);
                QVERIFY2(m_dlg, qPrintable(line));
                const QString got = State(key, arg);
                QVERIFY2(got == expected, qPrintable(line + "\n   got: " + got));
            } else {
                const QStringList words = line.split(' ');
                Act(words[0], words.mid(1));
                if (QTest::currentTestFailed()) QFAIL(qPrintable("at: " + line));
            }
        }
    }
};

QTEST_MAIN(AlarmDlgTest)
#include "alarm_dlg_test.moc"
