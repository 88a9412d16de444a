// Goes through the send, alarm and host-list creation dialogs as a person would, after the
// scenarios of tests/data/gui/*_dlg.txt, or of the files WAKEBURST_DLG_SCRIPTS names (the
// network lab runs its own that way). "== name" starts a scenario; every other line is an
// action ("type hour 9", "click add"), or after "= " what some part shows then ("=> ": within
// six seconds). Controls go by the scripts' names, "a,b" names several; "<...>" in a text
// expected stands for anything; "tmp/" is the scenario's own (current) directory, "data/"
// tests/data. Texts show their line ends and tabs. No datagram leaves unless a script says
// "real".
#include <QAbstractButton>
#include <QComboBox>
#include <QDateTime>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QMessageBox>
#include <QPointer>
#include <QTest>
#include <QToolButton>
#include <functional>
#include <map>
#include <set>

#include "alarm/alarm_store.h"
#include "app_test_support.h"
#include "dialogs/send_channel.h"
#include "platform/codepage.h"
#include "shell/command_ids.h"
#include "shell/dawnly_doc.h"
#include "shell/dawnly_doc_template.h"
#include "shell/main_frame.h"
#include "shell/system_commands.h"
#include "support/udp_receiver.h"
#include "wake/address_text.h"

using namespace wb::gui;
using namespace wb::test;

namespace {

// What the stand-ins for the network saw.
struct Fakes {
    QStringList seen, destinations, sent, runs;
    std::set<std::string> resolvable;
    std::string failure;  // when not empty, every send fails with this reason
    int made = 0, closes = 0;
    bool addressFound = false;
    std::function<QString()> status;  // the dialog's status line (and "+" for its progress)
    void See() {
        const QCursor* cursor = QApplication::overrideCursor();
        const bool wait = cursor && cursor->shape() == Qt::WaitCursor;
        seen << '(' + QString(wait ? "wait " : "") + status() + ')';
    }
};

class CFakeChannel final : public CSendChannel {
public:
    explicit CFakeChannel(Fakes& f) : m_f(f) { ++f.made; }
    bool SetDestination(const std::string& text) override {
        m_f.destinations << QString::fromStdString(text);
        m_f.See();
        const bool dotted = wb::IsValidIpText(text) && text.find('-') == std::string::npos;
        m_dest = dotted || m_f.resolvable.count(text) ? text : "255.255.255.255";
        return m_dest == text;
    }
    bool SendWakeup(const std::string& ethernet) override {
        if (m_f.failure.empty()) m_f.sent << QString::fromStdString(ethernet + '@' + m_dest);
        return m_f.failure.empty();
    }
    std::string FailureReason() const override { return m_f.failure; }
    void Close() override { ++m_f.closes; }

private:
    Fakes& m_f;
    std::string m_dest = "255.255.255.255";
};

// The phases as the real creation announces them, without the network; the listing is
// tmp/temp.mp, the host names made up.
bool FakeCreation(Fakes& f, const std::string& mask, const std::string& path,
                  const wb::StatusReport& status, wb::CreateListOptions options) {
    f.runs << QString::fromStdString(mask + ' ' + path);
    const auto announce = [&](const char* text) {
        status(text);
        f.See();
    };
    announce(wb::kStatusGetAddress);
    if (!f.addressFound) announce(wb::kStatusNoAddress);
    if (!f.addressFound) return false;
    for (const char* phase : {wb::kStatusPolling, wb::kStatusReadingArp, wb::kStatusMapping})
        announce(phase);
    options.listingPath = "temp.mp";
    options.lookup = [](const std::string& ip) { return "host-" + ip.substr(ip.rfind('.') + 1); };
    const bool ok = wb::CreateHostListFile(path, options);
    if (!ok) announce(wb::kStatusNoArp);
    return ok;
}

std::map<QString, int> Controls() {
    std::map<QString, int> m{{"ok", 1},
                             {"send", 1},
                             {"close", 2},
                             {"cancel", 2},
                             {"broadcast", CSendDlg::kBroadcastId},
                             {"group", CAlarmDlg::kGroupId},
                             {"browse", CAlarmDlg::kBrowseId},
                             {"add", CAlarmDlg::kAddId},
                             {"remove", CAlarmDlg::kRemoveId},
                             {"hour", CAlarmDlg::kHourId},
                             {"minute", CAlarmDlg::kMinuteId},
                             {"ampm", CAlarmDlg::kAmPmId},
                             {"hourspin", CAlarmDlg::kHourSpinId},
                             {"minutespin", CAlarmDlg::kMinuteSpinId},
                             {"ampmspin", CAlarmDlg::kAmPmSpinId},
                             {"name", CCreateListDlg::kFileNameId}};
    const QStringList days{"sun", "mon", "tue", "wed", "thu", "fri", "sat"};
    for (int k = 0; k < 7; ++k) {
        const QString n = QString::number(k + 1);
        m[days[k]] = CAlarmDlg::kFirstDayId + k;
        if (k < 6) m["byte" + n] = CSendDlg::kFirstByteId + k;
        if (k < 4) m["addr" + n] = CAlarmDlg::kFirstAddrId + k;
        if (k < 4) m["mask" + n] = CCreateListDlg::kFirstMaskId + k;
    }
    return m;
}

const QString kData = QStringLiteral(WAKEBURST_TEST_DATA "/");
// The states that name controls (or a file, or a time) before the text expected.
const QStringList kNamed{"text",      "selected", "readonly", "checked", "enabled",
                         "maxlength", "exists",   "file",     "below"};

bool Matches(const QString& got, const QString& want) {
    const QStringList parts = want.split("<...>");
    if (parts.size() == 1) return got == want;
    if (!got.startsWith(parts.first()) || !got.endsWith(parts.last())) return false;
    qsizetype at = parts.first().size();
    for (int k = 1; k + 1 < parts.size() && at >= 0; ++k)
        if ((at = got.indexOf(parts[k], at)) >= 0) at += parts[k].size();
    return at >= 0 && at <= got.size() - parts.last().size();
}

}  // namespace

class DlgTest : public QObject {
    Q_OBJECT
    const std::map<QString, int> m_controls = Controls();
    std::unique_ptr<AppFixture> m_fx;
    bool m_started = false;
    std::unique_ptr<wb::CAlarmStore> m_store;
    std::unique_ptr<CSystemCommands> m_commands;
    QPointer<QDialog> m_dlg;
    QString m_kind;
    wb::AlarmList m_given;  // the program's list as the script set it
    Fakes m_f;
    std::unique_ptr<UdpReceiver> m_receiver;
    QElapsedTimer m_clock;

    CSystemCommands& Commands() { return m_started ? m_fx->App().SystemCommands() : *m_commands; }
    wb::CAlarmStore& Store() { return m_started ? m_fx->App().Store() : *m_store; }
    QString Long(const QString& s) const {
        return s.startsWith("tmp/")    ? m_fx->Path(s.mid(4))
               : s.startsWith("data/") ? kData + s.mid(5)
                                       : s;
    }
    QString Short(QString s) const {
        for (const QString& dir : {m_fx->Dir(), QDir(m_fx->Dir()).canonicalPath()})
            s.replace(dir + '/', "tmp/");
        return s.replace(kData, "data/")
            .replace("\r", "\\r")
            .replace("\n", "\\n")
            .replace("\t", "\\t");
    }
    QWidget* Widget(const QString& name) {
        const auto it = m_controls.find(name);
        if (name == "dialog" || !m_dlg) return m_dlg;
        QWidget* w = it == m_controls.end()
                         ? nullptr
                         : m_dlg->findChild<QWidget*>(QStringLiteral("ctl%1").arg(it->second));
        auto* combo = qobject_cast<QComboBox*>(w);
        return combo && combo->isEditable() ? combo->lineEdit() : w;
    }
    QString Status() {
        QString text;
        if (auto* send = qobject_cast<CSendDlg*>(m_dlg)) text = send->StatusText();
        if (auto* create = qobject_cast<CCreateListDlg*>(m_dlg)) text = create->StatusText();
        auto* progress = m_dlg ? m_dlg->findChild<QWidget*>("progress") : nullptr;
        return text + (progress && progress->isVisible() ? " +" : "");
    }
    // An alarm as the scripts write it: file,days (hex),hour,minute[,broadcast].
    wb::AlarmList Alarms(const QStringList& specs) const {
        wb::AlarmList list;
        for (const QString& spec : specs) {
            const QStringList f = spec.split(',');
            auto a = std::make_shared<wb::CAlarmSetting>();
            a->m_strGroupFile = Long(f.value(0)).toStdString();
            a->m_nDays = static_cast<std::uint8_t>(f.value(1).toUInt(nullptr, 16));
            a->m_nHour = f.value(2).toInt();
            a->m_nMinute = f.value(3).toInt();
            a->m_strBroadcast = f.size() > 4 ? f.mid(4).join(',').toStdString() : "198.51.100.255";
            list.push_back(a);
        }
        return list;
    }
    QString Alarms(const wb::AlarmList& list) const {
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

    void Act(const QString& verb, const QStringList& args) {
        QString rest = args.mid(1).join(' ');
        QWidget* w = Widget(args.value(0).section(',', 0, 0));
        auto* combo = qobject_cast<QComboBox*>(w ? w->parentWidget() : nullptr);
        if (verb == "start") {
            QElapsedTimer since;
            since.start();
            const auto base = QDateTime::fromString(args.value(0), Qt::ISODate).toSecsSinceEpoch();
            std::unique_ptr<CDawnlyApp> app;
            if (!args.isEmpty())
                app = std::make_unique<CDawnlyApp>([base, since] {
                    return std::chrono::system_clock::from_time_t(base) +
                           std::chrono::milliseconds(since.elapsed());
                });
            QVERIFY(m_fx->Start(std::move(app)));
            m_started = true;
            CUiSeam::Reset();
            CUiSeam::InstallCoreMessageHandler();
        } else if (verb == "real") {
            CSendDlg::SetChannelFactory({});
            CCreateListDlg::SetCreationRunner({});
        } else if (verb == "listen") {
            m_receiver = std::make_unique<UdpReceiver>();
            QVERIFY(m_receiver->IsBound());
        } else if (verb == "open") {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            m_kind = args.value(0);
            if (m_kind == "create") {
                m_dlg = new CCreateListDlg([this](const QString& path) {
                    if (m_started) m_fx->App().OpenDocumentFile(path);
                });
                m_dlg->show();
            } else if (m_started) {
                m_fx->Frame().OnCommand(m_kind == "send" ? ID_POWER_ON_HOST : ID_GROUP_POWER_ON);
            } else {
                m_kind == "send" ? Commands().OpenSendDialog(nullptr)
                                 : Commands().OpenAlarmDialog(nullptr);
            }
            if (m_kind != "create") m_dlg = Open();
            QVERIFY(m_dlg);
        } else if (verb == "alarms") {
            Store().m_alarms = m_given = Alarms(args);
        } else if (verb == "disk") {  // another program saves the store
            QVERIFY(wb::CAlarmStore(Store().m_strStartDir).SaveAlarms(Alarms(args)));
        } else if (verb == "copy") {
            QVERIFY(QFile::copy(Long(args.value(0)), Long(args.value(1))));
        } else if (verb == "write") {
            WriteFileBytes(
                Long(args.value(0)),
                QByteArray::fromStdString(wb::platform::ToFileText(rest.replace("\\r", "\r")
                                                                       .replace("\\n", "\n")
                                                                       .replace("\\t", "\t")
                                                                       .toStdString())));
        } else if (verb == "resolvable") {
            m_f.resolvable.insert(args.value(0).toStdString());
        } else if (verb == "fail") {
            m_f.failure = args.join(' ').toStdString();
        } else if (verb == "address") {
            m_f.addressFound = args.value(0) == "found";
        } else if (verb == "answer") {
            CUiSeam::QueueAnswer(args.value(0) == "yes" ? QMessageBox::Yes : QMessageBox::No);
        } else if (verb == "file-dialog-gives") {
            CUiSeam::QueueFileNames({Long(args.value(0))});
        } else if (verb == "activate") {
            m_dlg->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(m_dlg));
        } else if (verb == "call") {
            QVERIFY(QMetaObject::invokeMethod(m_dlg, qPrintable(args.value(0))));
        } else if (verb == "clock") {
            m_clock.start();
        } else if (verb == "wait") {
            QTest::qWait(args.value(0).toInt());
        } else if (!w) {
            QFAIL(qPrintable("no control " + args.value(0)));
        } else if (verb == "type" || verb == "set") {
            const QStringList names = args.value(0).split(',');
            for (int k = 0; k < names.size(); ++k) {
                auto* edit = qobject_cast<QLineEdit*>(Widget(names[k]));
                QVERIFY(edit);
                const QString text = Long(names.size() > 1 ? args.value(k + 1) : rest);
                if (verb == "set") {
                    edit->setText(text);
                    continue;
                }
                edit->setFocus();
                edit->selectAll();
                QTest::keyClick(edit, Qt::Key_Delete);
                QTest::keyClicks(edit, text);
            }
        } else if (verb == "keys") {
            QTest::keyClicks(w, rest);
        } else if (verb == "key") {
            const std::map<QString, Qt::Key> keys{{"up", Qt::Key_Up},
                                                  {"down", Qt::Key_Down},
                                                  {"return", Qt::Key_Return},
                                                  {"enter", Qt::Key_Enter},
                                                  {"escape", Qt::Key_Escape}};
            w->setFocus();
            QTest::keyClick(w, keys.at(rest));
        } else if (verb == "click") {  // a line edit at its left end; "click NAME CHILD"
            QWidget* target = args.size() > 1 ? w->findChild<QToolButton*>(rest) : w;
            QVERIFY(target);
            const bool edit = qobject_cast<QLineEdit*>(target);
            QTest::mouseClick(target, Qt::LeftButton, {},
                              edit ? QPoint(2, target->height() / 2) : QPoint());
        } else if (verb == "toggle") {
            qobject_cast<QAbstractButton*>(w)->click();
        } else if (verb == "choose") {
            QVERIFY(combo);
            combo->setCurrentIndex(rest.toInt());
            emit combo->activated(rest.toInt());
        } else if (verb == "close") {
            w->close();
        } else {
            QFAIL(qPrintable("unknown action " + verb));
        }
    }
    QDialog* Open() {
        if (m_kind == "create") return m_dlg;
        return m_kind == "send" ? static_cast<QDialog*>(Commands().SendDialog())
                                : Commands().AlarmDialog();
    }

    QString State(const QString& key, const QString& arg) {
        QStringList out;
        const auto bit = [](bool b) { return QString(b ? "1" : "0"); };
        auto* alarm = qobject_cast<CAlarmDlg*>(m_dlg);
        if (key == "exists") return bit(QFile::exists(Long(arg)));
        if (key == "file")
            return Short(QString::fromStdString(
                wb::platform::FromFileText(ReadFileBytes(Long(arg)).toStdString())));
        if (key == "below") return bit(m_clock.elapsed() < arg.toInt());
        for (const QString& name : kNamed.contains(key) ? arg.split(',') : QStringList()) {
            QWidget* w = Widget(name);
            auto* edit = qobject_cast<QLineEdit*>(w);
            auto* button = qobject_cast<QAbstractButton*>(w);
            if (!w) return "no control " + name;
            if (key == "enabled")
                out << bit(w->isEnabled());
            else if (key == "checked")
                out << bit(button && button->isChecked());
            else if (!edit)
                return name + " is no field";
            else if (key == "text")
                out << Short(edit->text());
            else if (key == "selected")
                out << Short(edit->selectedText());
            else if (key == "readonly")
                out << bit(edit->isReadOnly());
            else if (key == "maxlength")
                out << QString::number(edit->maxLength());
        }
        if (kNamed.contains(key)) return out.join(key == "text" || key == "selected" ? " " : "");
        if (key == "messages") return Short(MessageTexts().join(" | "));
        if (key == "boxes") {
            for (const auto& r : CUiSeam::Records()) {
                const bool question = r.buttons == int(QMessageBox::Yes | QMessageBox::No);
                if (r.kind != CUiSeam::Kind::Message)
                    out << QStringList{"", "open-file", "save-file", "dialog"}.value(int(r.kind));
                else
                    out << r.caption +
                               (question                       ? ":yes-no"
                                : r.buttons == QMessageBox::Ok ? ":ok"
                                                               : ":?") +
                               (r.icon == QMessageBox::Question ? ":question" : "");
            }
            return out.join(" | ");
        }
        if (key == "focus") {
            for (const auto& [name, id] : m_controls)
                if (QApplication::focusWidget() == Widget(name)) return name;
            return "other";
        }
        if (key == "status") return Short(Status());
        if (key == "seen") return Short(m_f.seen.join(' '));
        if (key == "destinations") return m_f.destinations.join(' ');
        if (key == "sent") return m_f.sent.join(' ');
        if (key == "runs") return m_f.runs.join(" | ");
        if (key == "channels") return QStringLiteral("%1 %2").arg(m_f.made).arg(m_f.closes);
        if (key == "pausing") return bit(qobject_cast<CSendDlg*>(m_dlg)->IsPausing());
        if (key == "open")
            return Open() ? (Open() == m_dlg && m_dlg->isVisible() ? "yes" : "other") : "no";
        if (key == "gone") {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            return bit(m_dlg.isNull());
        }
        if (key == "result")
            return QString(m_dlg->result() == QDialog::Accepted ? "accepted" : "rejected") +
                   (m_dlg->isVisible() ? " visible" : " hidden");
        if (key == "documents") {
            for (const auto* doc : m_fx->App().DocTemplate()->Documents())
                out << Short(QFileInfo(doc->GetPathName()).canonicalFilePath());
            return out.join(' ');
        }
        if (key == "received") {  // a frame a wake-up of its own bytes 7 to 12 gives, or its bytes
            for (const std::string& frame : m_receiver->Drain()) {
                std::uint8_t mac[6] = {};
                for (int k = 0; k < 6 && frame.size() >= 12; ++k)
                    mac[k] = std::uint8_t(frame[6 + k]);
                out << QString::fromStdString(frame == ExpectedFrame(mac)
                                                  ? "wake " + ToHex(frame.substr(6, 6))
                                                  : ToHex(frame));
            }
            return out.join(' ');
        }
        if (key == "program") return Alarms(Store().m_alarms);
        if (key == "disk") {
            wb::CAlarmStore reread(Store().m_strStartDir);
            if (!QFile::exists(QString::fromStdString(Store().StorePath()))) return "none";
            return reread.LoadAlarms() ? '[' + Alarms(reread.m_alarms) + ']' : "damaged";
        }
        if (key == "fresh") {  // the program's list holds copies, not the alarms it gave
            for (const auto& a : Store().m_alarms)
                if (std::find(m_given.begin(), m_given.end(), a) != m_given.end()) return "no";
            return "yes";
        }
        if (!alarm) return "unknown state " + key;
        auto* groups = alarm->findChild<QComboBox*>();
        if (key == "count") return QString::number(alarm->WorkingList().size());
        if (key == "items") return QString::number(groups->count());
        if (key == "list") return Alarms(alarm->WorkingList());
        if (key == "index")
            return QStringLiteral("%1 %2").arg(alarm->CurrentIndex()).arg(groups->currentIndex());
        if (key == "combo") {
            for (int k = 0; k < groups->count(); ++k)
                out << Short(groups->itemText(k));
            return Short(groups->currentText()) + " [" + out.join(' ') + ']';
        }
        return "unknown state " + key;
    }

private slots:
    void init() {
        m_fx = std::make_unique<AppFixture>();  // its own current directory
        CUiSeam::InstallCoreMessageHandler();
        m_store = std::make_unique<wb::CAlarmStore>(
            wb::WithTrailingSeparator(QDir(m_fx->Dir()).absolutePath().toStdString()));
        m_commands = std::make_unique<CSystemCommands>(*m_store, CCreateListDlg::OpenDocument{});
        m_f = Fakes{};
        m_f.status = [this] { return Status(); };
        CSendDlg::SetChannelFactory([this] { return std::make_unique<CFakeChannel>(m_f); });
        CCreateListDlg::SetCreationRunner([this](const std::string& mask, const std::string& path,
                                                 const wb::StatusReport& status,
                                                 const wb::CreateListOptions& options) {
            return FakeCreation(m_f, mask, path, status, options);
        });
    }
    void cleanup() {
        delete m_dlg.data();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        CSendDlg::SetChannelFactory({});
        CCreateListDlg::SetCreationRunner({});
        m_receiver.reset();
        m_commands.reset();
        m_store.reset();
        m_fx.reset();
        m_started = false;
        m_given.clear();
    }

    void scenario_data() {
        QTest::addColumn<QStringList>("lines");
        const QString env = qEnvironmentVariable("WAKEBURST_DLG_SCRIPTS");
        for (const QString& file :
             env.isEmpty() ? QDir(kData + "gui").entryList({"*_dlg.txt"}) : env.split(',')) {
            QFile f(kData + "gui/" + file);
            QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(file));
            QStringList lines;
            QString name;
            const auto flush = [&] {
                if (!name.isEmpty())
                    QTest::newRow(qPrintable(file.section('.', 0, 0) + ": " + name)) << lines;
                lines.clear();
            };
            for (const QString& line : QString::fromUtf8(f.readAll()).split('\n')) {
                if (line.startsWith("== "))
                    flush(), name = line.mid(3);
                else if (!line.trimmed().isEmpty() && !line.startsWith('#'))
                    lines << line;
            }
            flush();
        }
    }
    void scenario() {
        QFETCH(QStringList, lines);
        for (const QString& line : lines) {
            if (line.startsWith('=')) {
                const bool later = line.startsWith("=> ");
                QStringList words = line.mid(later ? 3 : 2).split(' ');
                const QString key = words.takeFirst();
                const QString arg = kNamed.contains(key) ? words.takeFirst() : QString();
                const QString want = words.join(' ');
                QString got = State(key, arg);
                for (QDeadlineTimer t(6000); later && !Matches(got, want) && !t.hasExpired();
                     got = State(key, arg))
                    QTest::qWait(20);
                QVERIFY2(Matches(got, want), qPrintable(line + "\n   got: " + got));
            } else {
                Act(line.section(' ', 0, 0), line.split(' ').mid(1));
                if (QTest::currentTestFailed()) QFAIL(qPrintable("at: " + line));
            }
        }
        QVERIFY(!QApplication::overrideCursor());
    }
};

QTEST_MAIN(DlgTest)
#include "dlg_test.moc"
