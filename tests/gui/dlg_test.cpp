// Goes through the send, alarm and host-list creation dialogs as a person would, after the
// scenarios of tests/data/gui/*_dlg.txt, or of the files WAKEBURST_DLG_SCRIPTS names: the
// network lab runs its own that way, since outside the lab their sends would have nowhere
// safe to go. No datagram leaves unless a script says "real". Grammar and verbs:
// tests/data/gui/README.md.
#include <QClipboard>
#include <QComboBox>
#include <QDateTime>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QKeySequence>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMetaEnum>
#include <QPlainTextEdit>
#include <QPointer>
#include <QTest>
#include <QTextBlock>
#include <QTextBrowser>
#include <QTextCursor>
#include <QToolButton>
#include <functional>
#include <map>

#include "alarm/alarm_store.h"
#include "common/help.h"
#include "dialogs/about_dlg.h"
#include "dialogs/find_dlg.h"
#include "dialogs/send_channel.h"
#include "scenario_script.h"
#include "shell/command_ids.h"
#include "shell/dawnly_doc.h"
#include "shell/dawnly_doc_template.h"
#include "shell/dawnly_view.h"
#include "shell/host_marks.h"
#include "shell/main_frame.h"
#include "shell/system_commands.h"
#include "support/udp_receiver.h"
#include "wake/address_text.h"

using namespace wb::gui;
using namespace wb::test;

namespace {

QString Ctl(int id) { return QStringLiteral("ctl%1").arg(id); }

// What the stand-ins for the network were given, in order; at each lookup and each phase
// also the status line then (with "+" while a progress shows, and whether the wait cursor
// was up).
struct Fakes {
    QStringList log;
    QStringList resolvable;
    std::string failure;  // when not empty, every send fails with this reason
    bool addressFound = false;
    QPointer<QDialog> dlg;
    // Shows `text` through `status` first, if given; false, for the creation's failures.
    bool See(const wb::StatusReport& status = {}, const char* text = "") {
        if (status) status(text);
        if (!dlg) return false;  // a wake from a document: no status line to see
        const QCursor* cursor = QApplication::overrideCursor();
        const bool wait = cursor && cursor->shape() == Qt::WaitCursor;
        const QWidget* progress = dlg->findChild<QWidget*>("progress");
        const QString line = dlg->findChild<QLabel*>(Ctl(CSendDlg::kStatusId))->text();
        const QString busy = progress && progress->isVisible() ? " +" : "";
        log << '(' + QString(wait ? "wait " : "") + line + busy + ')';
        return false;
    }
};

struct CFakeChannel final : CSendChannel {
    explicit CFakeChannel(Fakes& f) : m_f(f) { f.log << "channel"; }
    bool SetDestination(const std::string& text) override {
        m_f.log << QString::fromStdString("to " + text);
        m_f.See();
        const bool dotted = wb::IsValidIpText(text) && text.find('-') == std::string::npos;
        const bool known = m_f.resolvable.contains(QString::fromStdString(text));
        m_dest = dotted || known ? text : "255.255.255.255";
        return m_dest == text;
    }
    bool SendWakeup(const std::string& ethernet) override {
        const std::string sent = "sent " + ethernet + '@' + m_dest;
        if (m_f.failure.empty()) m_f.log << QString::fromStdString(sent);
        return m_f.failure.empty();
    }
    std::string FailureReason() const override { return m_f.failure; }
    void Close() override { m_f.log << "closed"; }
    Fakes& m_f;
    std::string m_dest = "255.255.255.255";
};

// The phases as the real creation announces them, without the network; the listing is
// tmp/temp.mp, the host names made up.
bool FakeCreation(Fakes& f, const std::string& mask, const std::string& path,
                  const wb::StatusReport& status, wb::CreateListOptions options) {
    f.log << QString::fromStdString("run " + mask + ' ' + path);
    f.See(status, wb::kStatusGetAddress);
    if (!f.addressFound) return f.See(status, wb::kStatusNoAddress);
    for (const char* phase : {wb::kStatusPolling, wb::kStatusReadingArp, wb::kStatusMapping})
        f.See(status, phase);
    options.listingPath = "temp.mp";
    options.lookup = [](const std::string& ip) { return "host-" + ip.substr(ip.rfind('.') + 1); };
    return wb::CreateHostListFile(path, options) || f.See(status, wb::kStatusNoArp);
}

// The scripts' names of the controls, over all three dialogs.
std::map<QString, int> Controls() {
    using A = CAlarmDlg;
    std::map<QString, int> m;
    // A single id is the first of consecutive ones.
    const auto add = [&m](const QString& names, const std::vector<int>& ids) {
        for (int k = 0; k <= names.count(' '); ++k)
            m[names.section(' ', k, k)] = ids.size() == 1 ? ids[0] + k : ids.at(std::size_t(k));
    };
    add("ok send close cancel name status",
        {1, 1, 2, 2, CCreateListDlg::kFileNameId, CSendDlg::kStatusId});
    add("group browse add remove", {A::kGroupId, A::kBrowseId, A::kAddId, A::kRemoveId});
    add("hour minute ampm", {A::kHourId, A::kMinuteId, A::kAmPmId});
    add("hourspin minutespin ampmspin", {A::kHourSpinId, A::kMinuteSpinId, A::kAmPmSpinId});
    add("sun mon tue wed thu fri sat", {A::kFirstDayId});
    add("broadcast", {CSendDlg::kBroadcastId});
    add("byte1 byte2 byte3 byte4 byte5 byte6", {CSendDlg::kFirstByteId});
    add("addr1 addr2 addr3 addr4", {A::kFirstAddrId});
    add("mask1 mask2 mask3 mask4", {CCreateListDlg::kFirstMaskId});
    return m;
}

}  // namespace

class DlgTest : public QObject, public Scenario {
    Q_OBJECT
    const std::map<QString, int> m_controls = Controls();
    std::unique_ptr<AppFixture> m_fx;
    bool m_started = false;
    std::unique_ptr<wb::CAlarmStore> m_store;
    std::unique_ptr<CSystemCommands> m_commands;
    QPointer<QDialog> m_dlg;
    QPlainTextEdit m_editor;  // what the find dialog searches
    Fakes m_f;
    std::unique_ptr<UdpReceiver> m_receiver;
    QElapsedTimer m_stopwatch;
    int m_rounds = 0;  // probe rounds counted at the last look

    CDawnlyView* View() { return m_fx->Frame().GetActiveView(); }

    CSystemCommands& Commands() { return m_started ? m_fx->App().SystemCommands() : *m_commands; }
    wb::CAlarmStore& Store() override { return m_started ? m_fx->App().Store() : *m_store; }
    QString Dir() const override { return m_fx->Dir(); }
    QWidget* Widget(const QString& name) override {
        const auto id = m_controls.find(name);
        if (name == "dialog") return m_dlg;
        auto* w =
            m_dlg && id != m_controls.end() ? m_dlg->findChild<QWidget*>(Ctl(id->second)) : nullptr;
        auto* combo = qobject_cast<QComboBox*>(w);
        return combo && combo->isEditable() ? combo->lineEdit() : w;
    }
    static QDialog* HelpWindow() {
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->findChild<QTextBrowser*>(QStringLiteral("helpBrowser")))
                return qobject_cast<QDialog*>(w);
        return nullptr;
    }
    // The modeless dialog the program holds open (one kind in a scenario).
    QDialog* Held() {
        QDialog* send = Commands().SendDialog();
        return send ? send : Commands().AlarmDialog();
    }

    template <typename Read>
    QString OfAlarm(Read read) {
        auto* alarm = qobject_cast<CAlarmDlg*>(m_dlg);
        return alarm ? read(*alarm) : "no alarm dialog";
    }

    void AddActions(Actions& add) override {
        add("start: the program starts (else the dialogs stand alone)", [this](Args) {
            QVERIFY(m_fx->Start(std::make_unique<CDawnlyApp>(Clock())));
            m_started = true;
            CUiSeam::Reset();
            CUiSeam::InstallCoreMessageHandler();
        });
        add("open send|alarm|create|find|replace|about|help: the dialog opens", [this](Args a) {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            const QString kind = a.value(0);
            if (kind == "send") Commands().OpenSendDialog(nullptr);
            if (kind == "alarm") Commands().OpenAlarmDialog(nullptr);
            if (kind == "create")
                m_dlg = new CCreateListDlg([this](const QString& path) {
                    if (m_started) m_fx->App().OpenDocumentFile(path);
                });
            if (kind == "find" || kind == "replace")
                m_dlg = new CFindReplaceDlg(&m_editor, kind == "replace");
            if (kind == "about") m_dlg = new CAboutDlg;
            if (kind == "send" || kind == "alarm") m_dlg = Held();
            if (kind == "help") ShowHelpTopics(nullptr, QString()), m_dlg = HelpWindow();
            QVERIFY(m_f.dlg = m_dlg);
            m_dlg->show();
        });
        add("real: the real network from then on, not the stand-ins",
            [](Args) { CSendDlg::SetChannelFactory({}), CCreateListDlg::SetCreationRunner({}); });
        add("listen: a receiver on 127.0.0.1:2304", [this](Args) {
            m_receiver = std::make_unique<UdpReceiver>();
            QVERIFY(m_receiver->IsBound());
        });
        add("resolvable NAME: a host name the stand-in channel resolves",
            [this](Args a) { m_f.resolvable << a.value(0); });
        add("fail REASON: every send of the stand-in channel fails, for this reason",
            [this](Args a) { m_f.failure = a.join(' ').toStdString(); });
        add("address found: the stand-in creation finds the machine's address",
            [this](Args a) { m_f.addressFound = a.value(0) == "found"; });
        add("activate: the dialog becomes the active window", [this](Args) {
            m_dlg->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(m_dlg));
        });
        add("call SLOT: the dialog's slot called",
            [this](Args a) { QVERIFY(QMetaObject::invokeMethod(m_dlg, qPrintable(a.value(0)))); });
        add("stopwatch: a stopwatch starts, for below", [this](Args) { m_stopwatch.start(); });
        add("tick: the alarm timer fires", [this](Args) { m_fx->Frame().OnTimer(ALARM_TIMER_ID); });
        add("paste NAME TEXT: the text put on the clipboard and pasted into the control",
            [this](Args a) {
                QApplication::clipboard()->setText(a.mid(1).join(' '));
                QTest::keyClick(Widget(a.value(0)), Qt::Key_V, Qt::ControlModifier);
            });
        add("keys TEXT: each character typed into whatever has the keyboard focus then",
            [this](Args a) {
                m_dlg->activateWindow();
                QVERIFY(QTest::qWaitForWindowActive(m_dlg));
                for (QChar c : a.join(' '))
                    QTest::keyClicks(QApplication::focusWidget(), QString(c));
            });
        add("doc FILE: the program opens the file as a document", [this](Args a) {
            QVERIFY(m_fx->App().OpenDocumentFile(File(a.value(0))));
            QVERIFY(QTest::qWaitForWindowExposed(&m_fx->Frame()));
        });
        add("append TEXT: a line added at the end of the active document, not saved",
            [this](Args a) {
                QTextCursor c(View()->document());
                c.movePosition(QTextCursor::End);
                View()->setTextCursor(c);
                View()->insertPlainText('\n' + a.join(' '));
            });
        add("line N [M]: the cursor on line N (from 1), or lines N to M selected", [this](Args a) {
            QTextCursor c(View()->document()->findBlockByNumber(a.value(0).toInt() - 1));
            if (a.size() > 1) {
                const QTextBlock last =
                    View()->document()->findBlockByNumber(a.value(1).toInt() - 1);
                c.setPosition(last.position() + 2, QTextCursor::KeepAnchor);
            }
            View()->setTextCursor(c);
        });
        add("shortcut KEYS: the keys pressed in the active document (Ctrl+Return)", [this](Args a) {
            m_fx->Frame().activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(&m_fx->Frame()));
            View()->setFocus();
            QTest::keySequence(View(), QKeySequence(a.value(0)));
        });
        add("probes on|off: whether documents probe their hosts",
            [](Args a) { CHostMarks::SetProbing(a.value(0) == "on"); });
        add("minimise: the main window minimised", [this](Args) { m_fx->Frame().showMinimized(); });
        add("restore: the main window shown normally again",
            [this](Args) { m_fx->Frame().showNormal(); });
        add("recount: probe rounds counted from now",
            [this](Args) { m_rounds = CHostMarks::RoundsStarted(); });
        add("wait MS: the program runs on for that long",
            [](Args a) { QTest::qWait(a.value(0).toInt()); });
    }

    void AddChecks(Checks& add) override {
        const auto bit = [](bool b) { return QString(b ? "1" : "0"); };
        add("below MS: 1 when the stopwatch shows less",
            [=](Arg ms) { return bit(m_stopwatch.elapsed() < ms.toInt()); });
        add("log: what the stand-ins were given: channel, to DESTINATION, sent FRAME@DESTINATION, "
            "closed; run MASK FILE; and at each lookup and phase (the status line, + while the "
            "progress shows, wait with the wait cursor)",
            [this](Arg) { return Short(m_f.log.join(" | ")); });
        add("pausing: 1 while the send dialog pauses between sends",
            [=](Arg) { return bit(qobject_cast<CSendDlg*>(m_dlg)->IsPausing()); });
        add("open: whether the program holds it open: yes, other (another one), no", [this](Arg) {
            return Held() ? (Held() == m_dlg && m_dlg->isVisible() ? "yes" : "other") : "no";
        });
        add("gone: 1 when the dialog is deleted", [=](Arg) {
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
            return bit(m_dlg.isNull());
        });
        add("result: 1 when the dialog was accepted",
            [=](Arg) { return bit(m_dlg->result() == QDialog::Accepted); });
        add("documents: the paths of the program's documents", [this](Arg) {
            QStringList out;
            for (const auto* doc : m_fx->App().DocTemplate()->Documents())
                out << Short(QFileInfo(doc->GetPathName()).canonicalFilePath());
            return out.join(' ');
        });
        add("received: the frames received since the last look, in hex", [this](Arg) {
            QStringList out;
            for (const auto& f : m_receiver->Drain())
                out << QString::fromStdString(ToHex(f));
            return out.join(' ');
        });
        add("list: the alarm dialog's alarms", [this](Arg) {
            return OfAlarm([this](CAlarmDlg& d) { return Alarms(d.WorkingList()); });
        });
        add("index: the alarm dialog's current alarm and combo box item", [this](Arg) {
            return OfAlarm([](CAlarmDlg& d) {
                return QStringLiteral("%1 %2")
                    .arg(d.CurrentIndex())
                    .arg(d.findChild<QComboBox*>()->currentIndex());
            });
        });
        add("statusbar: what the main window's status bar says",
            [this](Arg) { return Short(m_fx->Frame().MessageText()); });
        add("marks: each line's mark in the active document: - no host, ? not yet known, up, "
            "down",
            [this](Arg) {
                QStringList out;
                for (int k = 0; k < View()->document()->blockCount(); ++k) {
                    const QString ip = View()->Marks()->IpOfLine(k);
                    const auto state = View()->Marks()->MarkOf(ip).state;
                    out << (ip.isEmpty()                            ? "-"
                            : state == CHostMarks::State::Answering ? "up"
                            : state == CHostMarks::State::Silent    ? "down"
                                                                    : "?");
                }
                return out.join(' ');
            });
        add("since LINE: what hovering the line's mark says", [this](Arg n) {
            return Short(View()->Marks()->SinceText(View()->Marks()->IpOfLine(n.toInt() - 1)));
        });
        add("rounds: whether probe rounds started since the count began: none or some",
            [this](Arg) { return CHostMarks::RoundsStarted() > m_rounds ? "some" : "none"; });
        add("labels: the alarm dialog's list as it names each alarm", [this](Arg) {
            return OfAlarm([this](CAlarmDlg& d) {
                QStringList out;
                auto* groups = d.findChild<QComboBox*>();
                for (int k = 0; k < groups->count(); ++k)
                    out << Short(groups->itemData(k, Qt::UserRole + 1).toString());
                return out.join(" | ");
            });
        });
        add("combo: the alarm dialog's combo box: its text [its items]", [this](Arg) {
            return OfAlarm([this](CAlarmDlg& d) {
                QStringList out;
                auto* groups = d.findChild<QComboBox*>();
                for (int k = 0; k < groups->count(); ++k)
                    out << Short(groups->itemText(k));
                return Short(groups->currentText()) + " [" + out.join(' ') + ']';
            });
        });
    }

private slots:
    void init() {
        m_fx = std::make_unique<AppFixture>();  // its own current directory
        CUiSeam::InstallCoreMessageHandler();
        m_store = std::make_unique<wb::CAlarmStore>(m_fx->Dir().toStdString() + '/');
        m_commands = std::make_unique<CSystemCommands>(*m_store, CCreateListDlg::OpenDocument{});
        m_f = Fakes{};
        m_rounds = CHostMarks::RoundsStarted();
        CSendDlg::SetChannelFactory([this] { return std::make_unique<CFakeChannel>(m_f); });
        using namespace std::placeholders;
        CCreateListDlg::SetCreationRunner(std::bind(FakeCreation, std::ref(m_f), _1, _2, _3, _4));
    }
    void cleanup() {
        delete m_dlg.data();
        RestoreEnv();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        CSendDlg::SetChannelFactory({});
        CCreateListDlg::SetCreationRunner({});
        m_receiver.reset();
        m_fx.reset();
        m_started = false;
    }

    void grammar() { CheckReadme("*_dlg.txt and lab_gui.txt"); }
    void scenario_data() { AddRows(qEnvironmentVariable("WAKEBURST_DLG_SCRIPTS", "*_dlg.txt")); }
    void scenario() {
        QFETCH(Script, script);
        Run(script);
        QVERIFY(!QApplication::overrideCursor());
    }
};

QTEST_MAIN(DlgTest)
#include "dlg_test.moc"
