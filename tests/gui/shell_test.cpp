// The desktop program's shell as a person and the system meet it: scenarios of
// tests/data/gui/shell.txt (the format is scenario_script.h's) start the program,
// open, edit, save, drop and print documents, run commands, hand files over from other
// starts and fire alarms, and check what the windows, the files and the store show.
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
template <typename List, typename Text>
QString Join(const List& list, Text text, const QString& glue = ",") {
    QStringList out;
    for (const auto& item : list)
        out << text(item);
    return out.join(glue);
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
        for (const auto& [name, old] : m_env)
            old.isNull() ? qunsetenv(name.constData()) : qputenv(name.constData(), old);
        if (m_child.state() != QProcess::NotRunning) m_child.kill(), m_child.waitForFinished();
    }

private:
    std::unique_ptr<wb::test::AppFixture> m_fx = std::make_unique<wb::test::AppFixture>();
    bool m_started = false;
    std::map<QByteArray, QByteArray> m_env;  // what the scenario changed, as it was
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
    QString Path(const QString& name) { return m_fx->Path(name); }
    QString Dir() const override { return m_fx->Dir(); }
    wb::CAlarmStore& Store() override { return App().Store(); }
    void SetEnv(const QByteArray& name, const QByteArray& value) {
        m_env.try_emplace(name, qgetenv(name.constData()));
        value.isNull() ? qunsetenv(name.constData()) : qputenv(name.constData(), value);
    }
    void Act(const QString& verb, const QStringList& a) override {
        const auto number = [](auto n) { return QString::number(n); };
        const QString rest = a.join(' ');
        // A new document without a name; keys typed into the active view; text put in
        // without the keyboard.
        if (verb == "open") return void(App().OpenDocumentFile(a.isEmpty() ? "" : Path(rest)));
        if (verb == "write") return QTest::keyClicks(View(), QString::fromUtf8(Unescape(rest)));
        if (verb == "insert") return View()->insertPlainText(QString::fromUtf8(Unescape(rest)));
        if (verb == "cmd") return Frame().OnCommand(a[0].toInt());
        if (verb == "update") return Frame().UpdateCommandUI();
        if (verb == "closewindow") return void(Frame().MdiArea()->activeSubWindow()->close());
        if (verb == "closedialog") return void(App().SystemCommands().SendDialog()->close());
        if (verb == "window")  // activates a window by the order of their making
            return Frame().MdiArea()->setActiveSubWindow(
                Frame().MdiArea()->subWindowList(QMdiArea::CreationOrder).at(a[0].toInt()));
        // "save refused" when it must not write; "away": the current directory moves; "keep":
        // the store and a host-list creation's listing are written.
        if (verb == "save") QCOMPARE(Frame().GetActiveDocument()->DoFileSave(), rest != "refused");
        if (verb == "saveas") QVERIFY(Frame().GetActiveDocument()->DoSave(Path(rest), false));
        if (verb == "away") QVERIFY(QDir::setCurrent(QDir::tempPath()));
        if (verb == "keep") QVERIFY(App().SaveAlarms({}) && wb::CaptureArpCache());
        if (verb == "fifo") QCOMPARE(::mkfifo(QFile::encodeName(Path(rest)).constData(), 0600), 0);
        if (verb == "start" || verb == "restart") {
            if (verb == "restart") m_fx->Stop();
            std::unique_ptr<CDawnlyApp> app = std::make_unique<CDawnlyApp>(Clock());
            if (a.value(0) == "nosockets") app = std::make_unique<NoSocketsApp>();
            if (a.value(0) == "notimer") app = std::make_unique<NoTimerApp>();
            if (a.value(0) == "shared") app->SetStartPlace(wb::StartPlace::SharedData);
            if (a.value(0) == "dir") app->SetStartPlace(wb::StartPlace::Named, a[1].toStdString());
            m_started = m_fx->Start(std::move(app));
        } else if (verb == "setup") {
            QTest::failOnWarning(QRegularExpression(".*"));
            App().OnFilePrintSetup();
        } else if (verb == "tick") {
            Frame().AlarmTimer().stop();  // ticks come from the script
            Frame().OnTimer(ALARM_TIMER_ID);
        } else if (verb == "stop") {
            m_fx->Stop();
            m_started = false;
        } else if (verb == "cursor") {  // to a line's start, or the end
            QTextCursor c(View()->document()->findBlockByNumber(rest.toInt()));
            if (rest == "end") c.movePosition(QTextCursor::End);
            View()->setTextCursor(c);
        } else if (verb == "status") {  // help mode on or off; a command's fly-by; cleared
            QEvent e(rest == "help" ? QEvent::EnterWhatsThisMode : QEvent::LeaveWhatsThisMode);
            if (rest == "help" || rest == "nohelp") QCoreApplication::sendEvent(&Frame(), &e);
            if (rest == "clear") Frame().statusBar()->clearMessage();
            if (a[0] == "flyby") Frame().Action(a[1].toInt())->showStatusText(&Frame());
        } else if (verb == "drop") {
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
        } else if (verb == "replace") {  // all of a[0] by a[1], so many times
            CFindReplaceDlg dlg(View(), true);
            dlg.SetFindText(a[0]);
            dlg.findChildren<QLineEdit*>().at(1)->setText(a[1]);
            QCOMPARE(dlg.ReplaceAll(), a[2].toInt());
        } else if (verb == "print") {
            QPrinter printer(QPrinter::HighResolution);
            printer.setOutputFormat(QPrinter::PdfFormat);
            printer.setOutputFileName(Path(rest));
            View()->PrintTo(&printer);
            if (QStandardPaths::findExecutable("pdftotext").isEmpty())
                SCENARIO_SKIP("pdftotext (poppler-utils) is not installed");
        } else if (verb == "dawnly") {  // in the working directory, in the environment the
                                        // script set, until it ends; "&": left running
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
            if (m_child.state() != QProcess::NotRunning) m_child.kill(), m_child.waitForFinished();
            m_childOut = QString::fromUtf8(m_child.readAllStandardOutput()).section('\n', 0, 0);
            m_childErr = QString::fromUtf8(m_child.readAllStandardError()).trimmed();
            m_exit = m_child.exitStatus() == QProcess::NormalExit ? m_child.exitCode() : -3;
        } else if (verb == "signal") {
            QCOMPARE(::kill(pid_t(m_child.processId()), a[0].toInt()), 0);
            QVERIFY(m_child.waitForFinished(20000));
            m_exit = m_child.exitStatus() == QProcess::CrashExit ? -a[0].toInt() : 0;
        } else if (verb == "mkdir") {  // a directory unless it is there; its mode (octal) if given
            const QString dir = Path(QString(a[0]).replace("$UID", number(geteuid())));
            QVERIFY(QFileInfo::exists(dir) || QDir().mkpath(dir));
            if (a.size() > 1)
                QCOMPARE(::chmod(QFile::encodeName(dir).constData(), a[1].toUInt(nullptr, 8)), 0);
        } else if (verb == "env") {  // a variable set to the text after it, or unset
            SetEnv(a[0].toUtf8(), a.size() > 1 ? QFile::encodeName(Long(a[1])) : QByteArray());
        } else if (verb == "give") {  // a file or directory to user a[1]
            if (geteuid() != 0) SCENARIO_SKIP("needs root to give a directory away");
            QCOMPARE(
                ::chown(QFile::encodeName(Path(a[0])).constData(), a[1].toUInt(), a[1].toUInt()),
                0);
        } else if (verb == "link") {  // NAME to TARGET, made by user a[2] when one is given
            if (a.size() > 2 && geteuid() != 0) SCENARIO_SKIP("needs root to act as another user");
            const QByteArray name = QFile::encodeName(Path(a[0]));
            QCOMPARE(::symlink(QFile::encodeName(a[1]).constData(), name.constData()), 0);
            if (a.size() > 2) QCOMPARE(::lchown(name.constData(), a[2].toUInt(), a[2].toUInt()), 0);
        } else if (verb == "listen") {
            m_server = std::make_unique<CShellOpenServer>();
            m_socketName = ShellOpenServerName();
            m_exit = m_server->Listen();
            m_received =
                std::make_unique<QSignalSpy>(m_server.get(), &CShellOpenServer::filesReceived);
        } else if (verb == "send") {  // as user a[0], the bytes after it
            if (a[0] != "0" && geteuid() != 0) SCENARIO_SKIP("needs root to act as another user");
            const QByteArray message =
                Unescape(a.mid(1).join(' ')).replace("$HUGE", QByteArray(3 << 20, 'a'));
            m_exit = AsUser(a[0].toUInt(), [&](int) {
                const int fd = UnixSocket(m_socketName, false);
                char buf[8];
                if (fd < 0) return 1;
                if (write(fd, message.constData(), size_t(message.size())) < 0) return 3;
                (void)!read(fd, buf, sizeof buf);
                return 0;
            });
        } else if (verb == "squat") {  // another user's server where the user's should be
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
        } else if (verb == "backdrop") {  // a backdrop of its own, in the start directory
            if (!m_backdrop) m_backdrop = std::make_unique<CBackdropWnd>();
            m_backdrop->resize(a[0].toInt(), a[1].toInt());
            m_backdrop->show();
            QVERIFY(QTest::qWaitForWindowExposed(m_backdrop.get()));
        } else if (verb == "other") {  // another program's scheduler on the same directory
            if (rest == "ends") return m_otherLease.reset();
            if (rest == "start") {
                m_otherStore = std::make_unique<wb::CAlarmStore>(App().m_strStartDir);
                m_other =
                    std::make_unique<wb::CAlarmScheduler>(*m_otherStore, [this] { return *m_now; });
                m_otherLease = std::make_unique<wb::CSchedulerLease>(*m_otherStore);
                m_other->Start();
            }
            QVERIFY(m_otherStore->LoadAlarms() || rest == "start");
            QVERIFY(m_other->Step(*m_otherLease) && m_otherLease->Held());
        } else if (!QStringList{"fifo", "save", "saveas", "away", "keep"}.contains(verb)) {
            QFAIL(qPrintable("unknown action " + verb));
        }
    }

    std::optional<QString> State(const QString& key, const QString& arg) override {
        const auto yes = [](bool b) { return QString(b ? "yes" : "no"); };
        const auto number = [](auto n) { return QString::number(n); };
        CDawnlyDoc* doc = m_started ? Frame().GetActiveDocument() : nullptr;
        if (key == "started") return yes(m_started && Frame().isVisible());
        if (key == "diff") {  // a file against its original, gui/NAME or NAME,DATA: {was} {now}
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
        }
        if (key == "dir")
            return QDir(m_fx->Dir()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot).join(',');
        if (key == "mode") return QString::number(QFileInfo(Path(arg)).permissions(), 16);
        if (key == "exit") return number(m_exit);
        if (key == "out") return QString(m_childOut).replace(WAKEBURST_VERSION, "$VERSION");
        if (key == "err") return m_childErr;
        if (key == "leftover")  // dialogs that outlived the program
            return number(std::count_if(QApplication::topLevelWidgets().cbegin(),
                                        QApplication::topLevelWidgets().cend(),
                                        [](QWidget* w) { return qobject_cast<QDialog*>(w); }));
        if (key == "title") return Frame().windowTitle();
        if (key == "doc") return doc ? doc->GetTitle() : "none";
        if (key == "docs")
            return Join(App().DocTemplate()->Documents(), [](auto* d) { return d->GetTitle(); });
        if (key == "windows") {
            return Join(Frame().MdiArea()->subWindowList(QMdiArea::CreationOrder),
                        [](auto* w) { return w->windowTitle(); });
        }
        if (key == "menu")  // the menu bar's resource, and how many menus it has
            return number(Frame().CurrentMenuId()) + '/' +
                   number(Frame().menuBar()->actions().size());
        if (key == "on")  // whether the commands are enabled, 1 or 0 each
            return Join(
                arg.split(','),
                [&](auto id) { return number(Frame().Action(id.toInt())->isEnabled()); }, "");
        if (key == "modified") return yes(doc->IsModified());
        if (key == "exact") return yes(doc->IsExact());
        if (key == "content") return Short(doc->Text());
        if (key == "line") return Short(View()->document()->findBlockByNumber(arg.toInt()).text());
        if (key == "views") {  // how many, and whether they all show the document's text
            const bool same = std::all_of(doc->Views().begin(), doc->Views().end(),
                                          [&](auto* v) { return v->RawText() == doc->Text(); });
            return number(doc->Views().size()) + (same ? " alike" : " differ");
        }
        if (key == "wraps") {
            View()->setPlainText(QString(2000, u'x'));
            return yes(View()->horizontalScrollBarPolicy() == Qt::ScrollBarAlwaysOff &&
                       View()->document()->firstBlock().layout()->lineCount() > 1);
        }
        if (key == "dialogs") {  // the send and the alarm dialog (Shown, Hidden, - none); how
                                 // many dialogs the frame holds
            const QDialog* d[] = {App().SystemCommands().SendDialog(),
                                  App().SystemCommands().AlarmDialog()};
            return Join(
                       d, [](auto* x) { return x ? x->isVisible() ? "S" : "H" : "-"; }, "") +
                   ' ' + number(Frame().findChildren<QDialog*>().size());
        }
        if (key == "handled") {  // who handles a system command: the view or the frame
            QSignalSpy frame(&Frame(), &CMainFrame::systemCommandHandled);
            std::optional<QSignalSpy> view;
            if (View()) view.emplace(View(), &CDawnlyView::systemCommandHandled);
            Frame().Action(arg.toInt())->trigger();
            return QString("frame %1 view %2").arg(frame.count()).arg(view ? view->count() : -1);
        }
        if (key == "prompt") {  // the status bar: idle, or one line, or what else it shows
            if (arg == "idle") m_idle = Frame().MessageText();
            const QString s = Frame().MessageText();
            return s == m_idle ? "idle" : s.isEmpty() || s.contains('\n') ? Short(s) : "line";
        }
        if (key == "locks") {
            const int ids[] = {ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL};
            return Join(
                ids, [&](int id) { return Frame().IndicatorText(id); }, "");
        }
        if (key == "toolbar") {  // every button with its picture and context help
            for (QAction* act : Frame().ToolBar()->actions())
                if (!act->isSeparator() &&
                    (act->icon().pixmap(16, 16).isNull() || act->whatsThis().isEmpty()))
                    return act->toolTip();
            return "complete";
        }
        if (key == "windowmenu") {  // its last entry, filled as the menu opens
            QMenu* menu = Frame().CurrentMenus()[4];
            menu->popup(QPoint(0, 0));
            menu->hide();
            return menu->actions().back()->text();
        }
        if (key == "help") {  // the built-in page shows some text
            for (QWidget* w : QApplication::topLevelWidgets())
                if (auto* page = w->isVisible() ? w->findChild<QTextBrowser*>() : nullptr)
                    return yes(!page->toPlainText().trimmed().isEmpty());
            return "no page";
        }
        if (key == "buttons") {  // Qt's own buttons' texts, without their mnemonics
            const QMessageBox::StandardButton b[] = {QMessageBox::Yes, QMessageBox::No,
                                                     QMessageBox::Cancel, QMessageBox::Ok};
            QMessageBox box(QMessageBox::Question, "", "?", b[0] | b[1] | b[2] | b[3]);
            return Join(
                b,
                [&](auto id) {
                    return box.button(id)->text().remove(QRegularExpression("\\(&.\\)"));
                },
                " ");
        }
        if (key == "pdf") {  // every word of the document in the printout, and no page number
            QProcess p;
            p.start(QStandardPaths::findExecutable("pdftotext"), {"-layout", Path(arg), "-"});
            p.waitForFinished(30000);
            const QString text = QString::fromUtf8(p.readAllStandardOutput());
            for (const QString& word : doc->Text().split(QRegularExpression("\\s+")))
                if (!text.contains(word)) return "missing " + word;
            return text.contains(QRegularExpression("(^|\\n)\\s*1\\s*(\\n|$)")) ? "page number"
                                                                                : "all text";
        }
        if (key == "armed") {  // the alarm timer runs, due within [lo, hi] ms
            const int ms = Frame().AlarmTimer().interval();
            return yes(Frame().AlarmTimer().isActive() && ms >= arg.section('-', 0, 0).toInt() &&
                       ms <= arg.section('-', 1, 1).toInt());
        }
        if (key == "log") {  // the wake log's date lines
            const QByteArray log = ReadFileBytes(Path("Dawnly.log"));
            return QString::fromStdString(wb::platform::FromFileText(log.toStdString()))
                .split("\r\n")
                .filter(QRegularExpression("^Monday"))
                .join(" | ");
        }
        if (key == "other") {  // the status bar's word on another scheduler
            const QString s = Frame().SchedulerText();
            return s.isEmpty()                            ? "none"
                   : s == CMainFrame::kOtherSchedulerText ? "running"
                                                          : Short(s);
        }
        if (key == "startdir") return Short(QString::fromStdString(App().m_strStartDir));
        if (key == "store") return Short(QString::fromStdString(App().Store().StorePath()));
        if (key == "bitmap") return yes(Frame().MdiArea()->HaveBitmap());
        if (key == "socket") {  // where the hand-over socket goes: whose, and which directory
            const QString name = ShellOpenServerName();
            struct stat st {};
            const QString dir = QFileInfo(name).absolutePath();
            const bool alone = ::lstat(QFile::encodeName(dir).constData(), &st) == 0 &&
                               S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() &&
                               (st.st_mode & 077) == 0;
            if (name.isEmpty()) return QString("none");
            return QString(alone ? "users-own " : "reachable ") +
                   (dir == Path("rt") ? "rt" : "elsewhere");
        }
        if (key == "sockfile") return yes(QFileInfo::exists(ShellOpenServerName()));
        if (key == "handover") return yes(SendToRunningInstance({"/srv/secret.mp"}, 2000));
        if (key == "received") {  // each hand-over's paths, or nothing
            for (int i = 0; i < 20 && m_received->isEmpty(); ++i)
                QTest::qWait(10);
            if (m_received->isEmpty()) return QString("nothing");
            return Join(
                *m_received, [](auto& c) { return c.at(0).toStringList().join('|'); }, " / ");
        }
        if (key == "squatter") {  // 0: the other user's server got no byte
            int status = 0;
            if (waitpid(m_squatter, &status, 0) != m_squatter) return QString("lost");
            QFile::remove(ShellOpenServerName());
            return number(WIFEXITED(status) ? WEXITSTATUS(status) : -1);
        }
        const auto xy = [](QPoint p) { return QString("%1,%2").arg(p.x()).arg(p.y()); };
        if (key == "backdrop") {  // the picture's origin; the pixels there, at its far corner,
                                  // beyond it and at 0,0
            const QImage img = m_backdrop->viewport()->grab().toImage();
            const QPoint at = m_backdrop->PictureOrigin();
            const QPoint p[] = {at, at + QPoint(199, 99), at + QPoint(200, 100), QPoint(0, 0)};
            return xy(at) + ' ' +
                   Join(
                       p,
                       [&](QPoint x) {
                           return img.rect().contains(x) ? img.pixelColor(x).name() : "-";
                       },
                       " ");
        }
        if (key == "origin") {  // of a picture in a client area: client w,h picture w,h
            const QStringList n = arg.split(',');
            return xy(BackdropOrigin(n[0].toInt(), n[1].toInt(), n[2].toInt(), n[3].toInt()));
        }
        if (key == "codec") {  // how a file's bytes read; exact ones are written back alike
            const QByteArray bytes =
                ReadFileBytes(QFileInfo::exists(Path(arg)) ? Path(arg) : Long("data/gui/" + arg));
            const auto d = DecodeFileText(bytes);
            const char* enc[] = {"gb18030", "utf-8", "bytes"};
            const char* ends[] = {"crlf", "lf", "cr"};
            const bool back = !d.text.contains('\r') &&
                              EncodeFileText(d.text, d.encoding, d.lineEnd, d.strayLines) == bytes;
            return QString("%1 %2 %3")
                .arg(enc[int(d.encoding)], ends[int(d.lineEnd)],
                     d.exact ? back ? "exact" : "exact but written back otherwise" : "inexact");
        }
        return std::nullopt;
    }
};

}  // namespace

class ShellTest : public QObject {
    Q_OBJECT
private slots:
    void scenario_data() { wb::test::Scenario::AddRows("shell.txt"); }
    void scenario() {
        QFETCH(QStringList, lines);
        ShellScript().Run(lines);
    }
};

QTEST_MAIN(ShellTest)
#include "shell_test.moc"
