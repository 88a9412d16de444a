// The desktop program's shell as a person and the system meet it: the scenarios of
// tests/data/gui/shell.txt (grammar and verbs: tests/data/gui/README.md).
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>
#include <QPrinter>
#include <QtTest>
#include <QtWidgets>
#include <cstring>

#include "alarm/alarm_setting.h"
#include "dialogs/find_dlg.h"
#include "hostlist/arp_capture.h"
#include "platform/codepage.h"
#include "scenario_script.h"
#include "shell/backdrop_wnd.h"
#include "shell/command_ids.h"
#include "shell/dawnly_doc.h"
#include "shell/dawnly_doc_template.h"
#include "shell/dawnly_view.h"
#include "shell/main_frame.h"
#include "shell/shell_open.h"
#include "shell/system_commands.h"

using namespace wb::gui;
using wb::test::ReadFileBytes;
using wb::test::WriteFileBytes;
using namespace std::chrono;

namespace {

class NoSocketsApp final : public CDawnlyApp {
    bool StartSocketsLayer() override { return false; }
};
class NoTimerFrame final : public CMainFrame {
public:
    using CMainFrame::CMainFrame;
    bool StartAlarmTimer() override { return false; }
};
class NoTimerApp final : public CDawnlyApp {
    CMainFrame* CreateMainFrame() override { return new NoTimerFrame(*this); }
};

// Bytes in the scripts: percent-encoded where not printable ASCII.
QByteArray Unescape(const QString& text) { return QByteArray::fromPercentEncoding(text.toUtf8()); }
QString Xy(QPoint p) { return QString("%1,%2").arg(p.x()).arg(p.y()); }
template <typename List, typename Text>
QString Join(const List& list, Text text, const QString& glue = ",") {
    QStringList out;
    for (const auto& item : list)
        out << text(item);
    return out.join(glue);
}

// The commands and menus as the scripts name them: as in src/gui/shell/command_ids.h, without
// ID_ or IDR_, in lower case with dashes (ID_FILE_SAVE: file-save).
const std::map<QString, int>& Ids() {
    static const std::map<QString, int> ids = [] {
        std::map<QString, int> out;
        const QRegularExpression id("\\bIDR?_(\\w+) = (\\d+)");
        for (const auto& m : id.globalMatch(
                 ReadFileBytes(WAKEBURST_TEST_DATA "/../../src/gui/shell/command_ids.h")))
            out[m.captured(1).toLower().replace('_', '-')] = m.captured(2).toInt();
        return out;
    }();
    return ids;
}
QString NameOf(int id) {
    for (const auto& [name, number] : Ids())
        if (number == id) return name;
    return QString::number(id);
}

// Forks, becomes user `uid` (0: stays) and runs `body`; with `readyFd` the child's pid and
// the read end of a pipe it may write to, else its exit code once it ended (meanwhile the
// server answers from this thread's event loop) or -1.
template <typename Body>
int AsUser(uid_t uid, Body body, int* readyFd = nullptr) {
    int ready[2];
    if (pipe(ready) != 0) return -1;
    const pid_t child = fork();
    if (child == 0) _exit((uid && (setgid(uid) != 0 || setuid(uid) != 0)) ? 9 : body(ready[1]));
    close(ready[1]);
    if (readyFd) return *readyFd = ready[0], child;
    close(ready[0]);
    int status = 0;
    for (int i = 0; i < 200 && waitpid(child, &status, WNOHANG) == 0; ++i)
        QTest::qWait(10);
    if (waitpid(child, &status, WNOHANG) == 0) kill(child, SIGKILL), waitpid(child, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

// A socket connected (or, with `bindIt`, bound) to `path`, or -1.
int UnixSocket(const QString& path, bool bindIt) {
    const int fd = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un addr{};
    addr.sun_family = AF_UNIX;
    std::strncpy(addr.sun_path, QFile::encodeName(path).constData(), sizeof addr.sun_path - 1);
    const auto* a = reinterpret_cast<sockaddr*>(&addr);
    return (bindIt ? bind(fd, a, sizeof addr) : connect(fd, a, sizeof addr)) == 0 ? fd : -1;
}

class ShellScript final : public wb::test::Scenario {
public:
    ~ShellScript() override {
        m_fx.reset();
        if (m_child.state() != QProcess::NotRunning) m_child.kill(), m_child.waitForFinished();
    }

private:
    std::unique_ptr<wb::test::AppFixture> m_fx = std::make_unique<wb::test::AppFixture>();
    bool m_started = false;
    std::unique_ptr<CShellOpenServer> m_server;
    std::unique_ptr<QSignalSpy> m_received;
    std::unique_ptr<CBackdropWnd> m_backdrop;
    std::unique_ptr<wb::CAlarmStore> m_otherStore;
    std::unique_ptr<wb::CAlarmScheduler> m_other;
    std::unique_ptr<wb::CSchedulerLease> m_otherLease;
    QProcess m_child;
    int m_exit = 0;
    pid_t m_squatter = 0;
    QString m_childOut, m_childErr, m_idle, m_socketName;

    CMainFrame& Frame() { return m_fx->Frame(); }
    CDawnlyApp& App() { return m_fx->App(); }
    CDawnlyView* View() { return Frame().GetActiveView(); }
    CDawnlyDoc* Doc() { return m_started ? Frame().GetActiveDocument() : nullptr; }
    QString Path(const QString& name) { return m_fx->Path(name); }
    QString Dir() const override { return m_fx->Dir(); }
    wb::CAlarmStore& Store() override { return App().Store(); }
    QAction* Command(const QString& name) {
        QAction* action = Ids().count(name) ? Frame().Action(Ids().at(name)) : nullptr;
        if (!action) QTest::qFail(qPrintable("no command " + name), __FILE__, __LINE__);
        return action;
    }
    void Start(const QString& how, const QString& dir) {
        std::unique_ptr<CDawnlyApp> app = std::make_unique<CDawnlyApp>(Clock());
        if (how == "nosockets") app = std::make_unique<NoSocketsApp>();
        if (how == "notimer") app = std::make_unique<NoTimerApp>();
        if (how == "shared") app->SetStartPlace(wb::StartPlace::SharedData);
        if (how == "dir") app->SetStartPlace(wb::StartPlace::Named, dir.toStdString());
        m_started = m_fx->Start(std::move(app));
    }

    void AddActions(wb::test::Actions& add) override {
        using wb::test::Args;
        add("open [FILE]: the file opened, or a new document without a name",
            [this](Args a) { App().OpenDocumentFile(a.isEmpty() ? "" : Path(a.join(' '))); });
        add("write TEXT: keys typed into the active view (percent-encoded)",
            [this](Args a) { QTest::keyClicks(View(), QString::fromUtf8(Unescape(a.join(' ')))); });
        add("insert TEXT: text put into the active view without the keyboard (percent-encoded)",
            [this](Args a) { View()->insertPlainText(QString::fromUtf8(Unescape(a.join(' ')))); });
        add("cmd COMMAND: the frame runs the command (by name: file-save)", [this](Args a) {
            QVERIFY2(Ids().count(a.value(0)), qPrintable("no command " + a.value(0)));
            Frame().OnCommand(Ids().at(a.value(0)));
        });
        add("update: the frame updates its commands", [this](Args) { Frame().UpdateCommandUI(); });
        add("closewindow: the active document window closes",
            [this](Args) { Frame().MdiArea()->activeSubWindow()->close(); });
        add("closedialog: the send dialog closes",
            [this](Args) { App().SystemCommands().SendDialog()->close(); });
        add("window N: the N-th document window made (from 0) activated", [this](Args a) {
            Frame().MdiArea()->setActiveSubWindow(
                Frame().MdiArea()->subWindowList(QMdiArea::CreationOrder).at(a[0].toInt()));
        });
        add("save [refused]: the active document saved, or refusing to write", [this](Args a) {
            QCOMPARE(Frame().GetActiveDocument()->DoFileSave(), a.join(' ') != "refused");
        });
        add("saveas FILE: the active document saved as FILE", [this](Args a) {
            QVERIFY(Frame().GetActiveDocument()->DoSave(Path(a.join(' ')), false));
        });
        add("keep: the store and a host-list creation's listing written",
            [this](Args) { QVERIFY(App().SaveAlarms({}) && wb::CaptureArpCache()); });
        add("fifo FILE: a named pipe", [this](Args a) {
            QCOMPARE(::mkfifo(QFile::encodeName(Path(a.join(' '))).constData(), 0600), 0);
        });
        add("start [nosockets|notimer|shared|dir DIR]: the program starts (without sockets, "
            "without its timer, from the desktop entry, with --dir)",
            [this](Args a) { Start(a.value(0), a.value(1)); });
        add("restart [as start]: the program stops and starts again",
            [this](Args a) { m_fx->Stop(), Start(a.value(0), a.value(1)); });
        add("stop: the program ends", [this](Args) { m_fx->Stop(), m_started = false; });
        add("setup: the page setup dialog, where any warning fails", [this](Args) {
            QTest::failOnWarning(QRegularExpression(".*")), App().OnFilePrintSetup();
        });
        add("tick: the alarm timer fires (from then on only the script's ticks)",
            [this](Args) { Frame().AlarmTimer().stop(), Frame().OnTimer(ALARM_TIMER_ID); });
        add("cursor LINE|end: the cursor to a line's start (from 0), or the end", [this](Args a) {
            QTextCursor c(View()->document()->findBlockByNumber(a.value(0).toInt()));
            if (a.value(0) == "end") c.movePosition(QTextCursor::End);
            View()->setTextCursor(c);
        });
        add("status help|nohelp|clear|flyby COMMAND: help mode on or off, the status bar cleared, "
            "or a command's fly-by shown",
            [this](Args a) {
                const QString how = a.value(0);
                QEvent e(how == "help" ? QEvent::EnterWhatsThisMode : QEvent::LeaveWhatsThisMode);
                if (how == "help" || how == "nohelp") QCoreApplication::sendEvent(&Frame(), &e);
                if (how == "clear") Frame().statusBar()->clearMessage();
                QAction* flyby = how == "flyby" ? Command(a.value(1)) : nullptr;
                if (flyby) flyby->showStatusText(&Frame());
                QVERIFY(flyby || how != "flyby");
            });
        add("drop FILES: the files dropped on the frame", [this](Args a) {
            QMimeData data;
            QList<QUrl> urls;
            for (const QString& name : a)
                urls << QUrl::fromLocalFile(Path(name));
            data.setUrls(urls);
            QDragEnterEvent enter(QPoint(9, 9), Qt::CopyAction, &data, Qt::LeftButton, {});
            QCoreApplication::sendEvent(&Frame(), &enter);
            QVERIFY(enter.isAccepted());
            QDropEvent drop(QPointF(9, 9), Qt::CopyAction, &data, Qt::LeftButton, {});
            QCoreApplication::sendEvent(&Frame(), &drop);
        });
        add("replace FIND BY N: replace all, which replaces N times", [this](Args a) {
            CFindReplaceDlg dlg(View(), true);
            dlg.SetFindText(a.value(0));
            dlg.findChildren<QLineEdit*>().at(1)->setText(a.value(1));
            QCOMPARE(dlg.ReplaceAll(), a.value(2).toInt());
        });
        add("print PDF: the active view printed (skipped without pdftotext)", [this](Args a) {
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(Path(a.join(' ')));
            View()->PrintTo(&printer);
            if (QStandardPaths::findExecutable("pdftotext").isEmpty())
                SCENARIO_SKIP("pdftotext (poppler-utils) is not installed");
        });
        add("dawnly ARGS [&]: the program run in the working directory and the script's "
            "environment until it ends, or left running with \"&\"",
            [this](Args a) {
                QStringList args;
                for (const QString& arg : a)
                    args << Long(QString::fromUtf8(Unescape(arg)));
                const bool wait = args.removeAll("&") == 0;
                QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
                env.insert("XDG_DATA_HOME", Path("child-xdg"));
                m_child.setProcessEnvironment(env);
                m_child.setWorkingDirectory(m_fx->Dir());
                m_child.start(QStringLiteral(DAWNLY_EXE), args);
                QElapsedTimer t;  // the running instance answers from this event loop meanwhile
                t.start();
                while (wait && m_child.waitForStarted(10000) && !m_child.waitForFinished(50) &&
                       t.elapsed() < 20000)
                    QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
                if (!wait) return;
                if (m_child.state() != QProcess::NotRunning)
                    m_child.kill(), m_child.waitForFinished();
                m_childOut = QString::fromUtf8(m_child.readAllStandardOutput()).section('\n', 0, 0);
                m_childErr = QString::fromUtf8(m_child.readAllStandardError()).trimmed();
                m_exit = m_child.exitStatus() == QProcess::NormalExit ? m_child.exitCode() : -3;
            });
        add("signal N: signal N to the program left running, which ends", [this](Args a) {
            QCOMPARE(::kill(pid_t(m_child.processId()), a.value(0).toInt()), 0);
            QVERIFY(m_child.waitForFinished(20000));
            m_exit = m_child.exitStatus() == QProcess::CrashExit ? -a.value(0).toInt() : 0;
        });
        add("mkdir DIR [MODE]: a directory unless it is there ($UID the user's id), and its mode "
            "(octal) if given",
            [this](Args a) {
                const QString dir =
                    Path(QString(a.value(0)).replace("$UID", QString::number(geteuid())));
                QVERIFY(QFileInfo::exists(dir) || QDir().mkpath(dir));
                if (a.size() > 1)
                    QCOMPARE(::chmod(QFile::encodeName(dir).constData(), a[1].toUInt(nullptr, 8)),
                             0);
            });
        add("give FILE UID: a file given to a user (skipped without root)", [this](Args a) {
            if (geteuid() != 0) SCENARIO_SKIP("needs root to give a directory away");
            const uint uid = a.value(1).toUInt();
            QCOMPARE(::chown(QFile::encodeName(Path(a.value(0))).constData(), uid, uid), 0);
        });
        add("link NAME TARGET [UID]: a symbolic link, made by that user when given (skipped then "
            "without root)",
            [this](Args a) {
                if (a.size() > 2 && geteuid() != 0)
                    SCENARIO_SKIP("needs root to act as another user");
                const QByteArray name = QFile::encodeName(Path(a.value(0)));
                QCOMPARE(::symlink(QFile::encodeName(a.value(1)).constData(), name.constData()), 0);
                if (a.size() > 2)
                    QCOMPARE(::lchown(name.constData(), a[2].toUInt(), a[2].toUInt()), 0);
            });
        add("listen: a hand-over server of the test's own (exit: what Listen gave)", [this](Args) {
            m_server = std::make_unique<CShellOpenServer>();
            m_socketName = ShellOpenServerName();
            m_exit = m_server->Listen();
            m_received =
                std::make_unique<QSignalSpy>(m_server.get(), &CShellOpenServer::filesReceived);
        });
        add("send UID BYTES: a hand-over message sent to it as that user ($HUGE: 3 MiB of a; exit: "
            "0 sent, 1 no connection, 3 not written)",
            [this](Args a) {
                if (a.value(0) != "0" && geteuid() != 0)
                    SCENARIO_SKIP("needs root to act as another user");
                const QByteArray message =
                    Unescape(a.mid(1).join(' ')).replace("$HUGE", QByteArray(3 << 20, 'a'));
                m_exit = AsUser(a.value(0).toUInt(), [&](int) {
                    const int fd = UnixSocket(m_socketName, false);
                    char buf[8];
                    if (fd < 0) return 1;
                    if (write(fd, message.constData(), size_t(message.size())) < 0) return 3;
                    (void)!read(fd, buf, sizeof buf);
                    return 0;
                });
            });
        add("squat: another user's server where the user's socket should be", [this](Args) {
            const QString path = ShellOpenServerName();
            QFile::remove(path);
            int ready = -1;
            const auto server = [&](int readyOut) {
                const int fd = UnixSocket(path, true);
                if (fd < 0 || setgid(65534) != 0 || setuid(65534) != 0 || listen(fd, 1) != 0)
                    return 3;
                char buf[64];
                (void)!write(readyOut, "r", 1);
                return read(accept(fd, nullptr, nullptr), buf, sizeof buf) > 0 ? 1 : 0;
            };
            m_squatter = AsUser(0, server, &ready);
            char r = 0;
            QCOMPARE(read(ready, &r, 1), ssize_t(1));
            close(ready);
        });
        add("backdrop W H: a backdrop of that size, in the start directory", [this](Args a) {
            if (!m_backdrop) m_backdrop = std::make_unique<CBackdropWnd>();
            m_backdrop->resize(a.value(0).toInt(), a.value(1).toInt());
            m_backdrop->show();
            QVERIFY(QTest::qWaitForWindowExposed(m_backdrop.get()));
        });
        add("place X Y W H|max: the main window moved and sized, or maximised", [this](Args a) {
            if (a.value(0) == "max") return Frame().showMaximized();
            Frame().setGeometry(a.value(0).toInt(), a.value(1).toInt(), a.value(2).toInt(),
                                a.value(3).toInt());
        });
        add("other start|step|ends: another program's scheduler on the same directory starts and "
            "steps, steps, or gives up its lease",
            [this](Args a) {
                const QString how = a.value(0);
                if (how == "ends") return m_otherLease.reset();
                if (how == "start") {
                    m_otherStore = std::make_unique<wb::CAlarmStore>(App().m_strStartDir);
                    m_other = std::make_unique<wb::CAlarmScheduler>(*m_otherStore,
                                                                    [this] { return *m_now; });
                    m_otherLease = std::make_unique<wb::CSchedulerLease>(*m_otherStore);
                    m_other->Start();
                }
                QVERIFY(m_otherStore->LoadAlarms() || how == "start");
                QVERIFY(m_other->Step(*m_otherLease) && m_otherLease->Held());
            });
    }

    void AddChecks(wb::test::Checks& add) override {
        using wb::test::Arg;
        const auto yes = [](bool b) { return QString(b ? "yes" : "no"); };
        const auto number = [](auto n) { return QString::number(n); };
        add("started: yes when the program started and shows its window",
            [=](Arg) { return yes(m_started && Frame().isVisible()); });
        add("diff NAME or NAME,DATA: the file against tests/data/gui/NAME or DATA, \"same\" or "
            "{was} {now} where they differ",
            [this](Arg arg) {
                const QByteArray now = ReadFileBytes(Path(arg.section(',', 0, 0)));
                const QByteArray was = ReadFileBytes(
                    Long("data/" + (arg.contains(',') ? arg.section(',', 1) : "gui/" + arg)));
                qsizetype p = 0, q = 0;
                while (p < now.size() && p < was.size() && now[p] == was[p])
                    ++p;
                while (q < now.size() - p && q < was.size() - p &&
                       now.end()[-1 - q] == was.end()[-1 - q])
                    ++q;
                return now == was ? "same"
                                  : "{" + Escape(was.mid(p, was.size() - p - q)) + "} {" +
                                        Escape(now.mid(p, now.size() - p - q)) + "}";
            });
        add("dir: the names in the scenario's directory", [this](Arg) {
            return QDir(Dir()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).join(',');
        });
        add("mode FILE: its permissions as Qt has them, in hex",
            [this](Arg arg) { return QString::number(QFileInfo(Path(arg)).permissions(), 16); });
        add("exit: the last exit code (-3 crashed) or result", [=](Arg) { return number(m_exit); });
        add("out: the first line the program run wrote ($VERSION its version)",
            [this](Arg) { return QString(m_childOut).replace(WAKEBURST_VERSION, "$VERSION"); });
        add("err: what the program run wrote on stderr", [this](Arg) { return m_childErr; });
        add("leftover: how many dialogs outlived the program", [=](Arg) {
            const auto all = QApplication::topLevelWidgets();
            return number(std::count_if(all.cbegin(), all.cend(), [](QWidget* w) {
                return qobject_cast<QDialog*>(w) != nullptr;
            }));
        });
        add("title: the frame's title", [this](Arg) { return Frame().windowTitle(); });
        add("geometry: the main window's place and size X,Y WxH, then max when maximised, within "
            "the screen's free area WxH",
            [this](Arg) {
                const QRect g = Frame().normalGeometry();
                const QSize area = Frame().screen()->availableGeometry().size();
                return QStringLiteral("%1,%2 %3x%4%5 in %6x%7")
                    .arg(g.x())
                    .arg(g.y())
                    .arg(g.width())
                    .arg(g.height())
                    .arg(Frame().isMaximized() ? " max" : "")
                    .arg(area.width())
                    .arg(area.height());
            });
        add("doc: the active document's title, or none",
            [this](Arg) { return Doc() ? Doc()->GetTitle() : "none"; });
        add("docs: the documents' titles", [this](Arg) {
            return Join(App().DocTemplate()->Documents(), [](auto* d) { return d->GetTitle(); });
        });
        add("windows: the document windows' titles, in the order of their making", [this](Arg) {
            return Join(Frame().MdiArea()->subWindowList(QMdiArea::CreationOrder),
                        [](auto* w) { return w->windowTitle(); });
        });
        add("menu: the menu bar's resource and how many menus it has: mainframe/4", [=](Arg) {
            return NameOf(Frame().CurrentMenuId()) + '/' +
                   number(Frame().menuBar()->actions().size());
        });
        add("on COMMANDS: whether each is enabled, 1 or 0", [=](Arg arg) {
            return Join(
                arg.split(','),
                [&](const QString& name) {
                    return Command(name) ? number(Command(name)->isEnabled()) : "?";
                },
                "");
        });
        add("modified: yes or no", [=](Arg) { return yes(Doc()->IsModified()); });
        add("exact: whether the active document is written back byte for byte",
            [=](Arg) { return yes(Doc()->IsExact()); });
        add("content: the active document's text", [this](Arg) { return Short(Doc()->Text()); });
        add("line N: the active view's line N (from 0)", [this](Arg arg) {
            return Short(View()->document()->findBlockByNumber(arg.toInt()).text());
        });
        add("views: how many views the document has; alike when all show its text", [=](Arg) {
            CDawnlyDoc* doc = Doc();
            const bool same = std::all_of(doc->Views().begin(), doc->Views().end(),
                                          [&](auto* v) { return v->RawText() == doc->Text(); });
            return number(doc->Views().size()) + (same ? " alike" : " differ");
        });
        add("wraps: whether a long line in the active view wraps, without a scroll bar", [=](Arg) {
            View()->setPlainText(QString(2000, u'x'));
            return yes(View()->horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOff &&
                       View()->document()->firstBlock().layout()->lineCount() > 1);
        });
        add("dialogs: the send and the alarm dialog (S shown, H hidden, - none), and how many "
            "dialogs the frame holds",
            [=](Arg) {
                const QDialog* d[] = {App().SystemCommands().SendDialog(),
                                      App().SystemCommands().AlarmDialog()};
                return Join(
                           d, [](auto* x) { return x ? x->isVisible() ? "S" : "H" : "-"; }, "") +
                       ' ' + number(Frame().findChildren<QDialog*>().size());
            });
        add("handled COMMAND: run, who handled it: frame N view N (-1: no view)", [this](Arg arg) {
            QSignalSpy frame(&Frame(), &CMainFrame::systemCommandHandled);
            std::optional<QSignalSpy> view;
            if (View()) view.emplace(View(), &CDawnlyView::systemCommandHandled);
            if (!Command(arg)) return QString("no command");
            Command(arg)->trigger();
            return QString("frame %1 view %2").arg(frame.count()).arg(view ? view->count() : -1);
        });
        add("prompt [idle]: the status bar: idle (as read with idle), line or its text",
            [this](Arg arg) {
                if (arg == "idle") m_idle = Frame().MessageText();
                const QString s = Frame().MessageText();
                return s == m_idle ? "idle" : s.isEmpty() || s.contains('\n') ? Short(s) : "line";
            });
        add("locks: the caps, num and scroll lock indicators' texts", [this](Arg) {
            const int ids[] = {ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};
            return Join(
                ids, [&](int id) { return Frame().IndicatorText(id); }, "");
        });
        add("toolbar: complete when every button has its picture and context help, else the first "
            "one's tip",
            [this](Arg) {
                for (QAction* act : Frame().ToolBar()->actions())
                    if (!act->isSeparator() &&
                        (act->icon().pixmap(16, 16).isNull() || act->whatsThis().isEmpty()))
                        return act->toolTip();
                return QString("complete");
            });
        add("windowmenu: the Window menu's last entry, filled as the menu opens", [this](Arg) {
            QMenu* menu = Frame().CurrentMenus()[4];
            menu->popup(QPoint(0, 0));
            menu->hide();
            return menu->actions().back()->text();
        });
        add("mnemonics: the menus (the bar's: bar) where a mnemonic repeats, and it; or none",
            [this](Arg) {
                const auto repeated = [](const QList<QAction*>& actions) {
                    QStringList seen, again;
                    for (const QAction* a : actions) {
                        const QString key = QKeySequence::mnemonic(a->text()).toString();
                        if (key.isEmpty()) continue;
                        (seen.contains(key) ? again : seen) << key;
                    }
                    return again.join(',');
                };
                QStringList out;
                if (const QString keys = repeated(Frame().menuBar()->actions()); !keys.isEmpty())
                    out << "bar:" + keys;
                for (const QAction* menu : Frame().menuBar()->actions()) {
                    const QString keys = menu->menu() ? repeated(menu->menu()->actions()) : "";
                    if (!keys.isEmpty()) out << QString(menu->text()).remove('&') + ':' + keys;
                }
                return out.isEmpty() ? QString("none") : out.join(' ');
            });
        add("help: yes when the built-in help page shows some text, or no page", [=](Arg) {
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* page = w->isVisible() ? w->findChild<QTextBrowser*>() : nullptr)
                    return yes(!page->toPlainText().trimmed().isEmpty());
            return QString("no page");
        });
        add("buttons: Qt's own yes, no, cancel and ok buttons' texts, no mnemonics", [](Arg) {
            const QMessageBox::StandardButton b[] = {QMessageBox::Yes, QMessageBox::No,
                                                     QMessageBox::Cancel, QMessageBox::Ok};
            QMessageBox box(QMessageBox::Question, "", "?", b[0] | b[1] | b[2] | b[3]);
            return Join(
                b,
                [&](auto id) {
                    return box.button(id)->text().remove(QRegularExpression("\\(&.\\)"));
                },
                " ");
        });
        add("pdf PDF: all text when it has the document's words, no page number", [this](Arg arg) {
            QProcess p;
            p.start(QStandardPaths::findExecutable("pdftotext"), {"-layout", Path(arg), "-"});
            p.waitForFinished(30000);
            const QString text = QString::fromUtf8(p.readAllStandardOutput());
            for (const QString& word : Doc()->Text().split(QRegularExpression("\\s+")))
                if (!text.contains(word)) return "missing " + word;
            return QString(text.contains(QRegularExpression("(^|\\n)\\s*1\\s*(\\n|$)"))
                               ? "page number"
                               : "all text");
        });
        add("armed LO-HI: yes when the alarm timer runs, due within LO to HI ms", [=](Arg arg) {
            const int ms = Frame().AlarmTimer().interval();
            return yes(Frame().AlarmTimer().isActive() && ms >= arg.section('-', 0, 0).toInt() &&
                       ms <= arg.section('-', 1, 1).toInt());
        });
        add("log: the wake log's date lines", [this](Arg) {
            const QByteArray log = ReadFileBytes(Path("Dawnly.log"));
            return QString::fromStdString(wb::platform::FromFileText(log.toStdString()))
                .split("\r\n")
                .filter(QRegularExpression("^Monday"))
                .join(" | ");
        });
        add("other: the status bar on another scheduler: none, running, or its text", [this](Arg) {
            const QString s = Frame().SchedulerText();
            return s.isEmpty()                                            ? "none"
                   : s == CMainFrame::tr(CMainFrame::kOtherSchedulerText) ? "running"
                                                                          : Short(s);
        });
        add("startdir: the program's start directory",
            [this](Arg) { return Short(QString::fromStdString(App().m_strStartDir)); });
        add("store: the store's path",
            [this](Arg) { return Short(QString::fromStdString(App().Store().StorePath())); });
        add("bitmap: whether the backdrop has a picture",
            [=](Arg) { return yes(Frame().MdiArea()->HaveBitmap()); });
        add("socket: where the hand-over socket goes: users-own or reachable, and rt (tmp/rt) or "
            "elsewhere; or none",
            [this](Arg) {
                const QString name = ShellOpenServerName();
                struct stat st {};
                const QString dir = QFileInfo(name).absolutePath();
                const bool alone = ::lstat(QFile::encodeName(dir).constData(), &st) == 0 &&
                                   S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() &&
                                   (st.st_mode & 077) == 0;
                if (name.isEmpty()) return QString("none");
                return QString(alone ? "users-own " : "reachable ") +
                       (dir == Path("rt") ? "rt" : "elsewhere");
            });
        add("sockfile: whether the hand-over socket is there",
            [=](Arg) { return yes(QFileInfo::exists(ShellOpenServerName())); });
        add("handover: whether a hand-over to a running instance succeeds",
            [=](Arg) { return yes(SendToRunningInstance({"/srv/secret.mp"}, 2000)); });
        add("received: each hand-over's paths (| between), or nothing", [this](Arg) {
            for (int i = 0; i < 20 && m_received->isEmpty(); ++i)
                QTest::qWait(10);
            if (m_received->isEmpty()) return QString("nothing");
            return Join(
                *m_received, [](auto& c) { return c.at(0).toStringList().join('|'); }, " / ");
        });
        add("squatter: the squatting server's exit: 0 when it got no byte", [=](Arg) {
            int status = 0;
            if (waitpid(m_squatter, &status, 0) != m_squatter) return QString("lost");
            QFile::remove(ShellOpenServerName());
            return number(WIFEXITED(status) ? WEXITSTATUS(status) : -1);
        });
        add("backdrop: the picture's origin; the pixels there, at its far corner, beyond it and at "
            "0,0",
            [this](Arg) {
                const QImage img = m_backdrop->viewport()->grab().toImage();
                const QPoint at = m_backdrop->PictureOrigin();
                const QPoint p[] = {at, at + QPoint(199, 99), at + QPoint(200, 100), QPoint(0, 0)};
                return Xy(at) + ' ' +
                       Join(
                           p,
                           [&](QPoint x) {
                               return img.rect().contains(x) ? img.pixelColor(x).name() : "-";
                           },
                           " ");
            });
        add("origin CW,CH,PW,PH: a PW by PH picture's origin in a CW by CH client area",
            [](Arg arg) {
                const QStringList n = arg.split(',');
                return Xy(BackdropOrigin(n.value(0).toInt(), n.value(1).toInt(), n.value(2).toInt(),
                                         n.value(3).toInt()));
            });
        add("codec FILE: how its bytes read (or tests/data/gui/FILE's): encoding, line end, exact "
            "or not",
            [this](Arg arg) {
                const QByteArray bytes = ReadFileBytes(
                    QFileInfo::exists(Path(arg)) ? Path(arg) : Long("data/gui/" + arg));
                const auto d = DecodeFileText(bytes);
                const char* enc[] = {"gb18030", "utf-8", "bytes"};
                const char* ends[] = {"crlf", "lf", "cr"};
                // An exact one is written back alike.
                const bool back =
                    !d.text.contains('\r') &&
                    EncodeFileText(d.text, d.encoding, d.lineEnd, d.strayLines) == bytes;
                return QString("%1 %2 %3")
                    .arg(enc[int(d.encoding)], ends[int(d.lineEnd)],
                         d.exact ? back ? "exact" : "exact but written back otherwise" : "inexact");
            });
    }
};

}  // namespace

class ShellTest : public QObject {
    Q_OBJECT
private slots:
    void grammar() { ShellScript().CheckReadme("shell.txt"); }
    void scenario_data() { wb::test::Scenario::AddRows("shell.txt"); }
    void scenario() {
        QFETCH(wb::test::Script, script);
        ShellScript().Run(script);
    }
};

QTEST_MAIN(ShellTest)
#include "shell_test.moc"
