#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTimer>
#include <QWindow>
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <iterator>
#include <string>
#include <vector>

#include "base/string_table.h"
#include "shell/dawnly_app.h"
#include "shell/main_frame.h"
#include "shell/shell_open.h"

namespace {

constexpr char kUsage[] =
    "usage: dawnly [--dir DIR]\n"
    "       dawnly --shell-open [FILE...]\n"
    "       dawnly --help | --version\n"
    "\n"
    "The desktop program of Wakeburst Utility: host-list files, wake-ups and group alarms.\n"
    "\n"
    "  --dir DIR         keep the alarm store, the wake log and the temporary listing in DIR\n"
    "                    (default: the directory dawnly is started from)\n"
    "  --shell-open      what the desktop entry runs: hands FILEs to a running dawnly, or\n"
    "                    starts with them, keeping the files in $XDG_DATA_HOME/wakeburst\n"
    "                    (~/.local/share/wakeburst), where the alarm service finds them\n"
    "  --help            show this help and exit\n"
    "  --version         show the version and exit\n"
    "\n"
    "See dawnly(1). The command-line tool wakeburst(1) needs no display.\n";

// Qt's own options (either dash form), which QApplication takes off the command line itself;
// one of the first list takes the next argument as its value unless given as -NAME=VALUE.
constexpr const char* kQtValueOptions[] = {
    "platform",        "platformpluginpath", "platformtheme", "plugin",
    "qwindowgeometry", "qwindowicon",        "qwindowtitle",  "session",
    "display",         "geometry",           "name",          "visual",
    "style",           "stylesheet"};
constexpr const char* kQtFlags[] = {"qmljsdebugger", "reverse", "widgetcount", "nograb",
                                    "dograb",        "sync",    "testability"};

// How many arguments a Qt option at `arg` takes up (itself and its value); 0 when it is none.
int QtOptionLength(const std::string& arg) {
    if (arg.size() < 2 || arg[0] != '-') return 0;
    const std::string bare = arg.substr(arg.compare(0, 2, "--") == 0 ? 2 : 1);
    const std::string name = bare.substr(0, bare.find('='));
    const auto is = [&name](const char* option) { return name == option; };
    if (std::any_of(std::begin(kQtFlags), std::end(kQtFlags), is)) return 1;
    if (!std::any_of(std::begin(kQtValueOptions), std::end(kQtValueOptions), is)) return 0;
    return name.size() == bare.size() ? 2 : 1;
}

// For the start-up benchmark: ends the program as soon as its window is on the screen and,
// with WAKEBURST_SHOWN_STAMP set, first prints "shown NS US" on stdout: the steady clock in
// nanoseconds and the processor time used so far in microseconds.
class ExitWhenShown final : public QObject {
public:
    explicit ExitWhenShown(bool stamp) : m_stamp(stamp) {}

    void Watch(QWindow* window) {
        window->installEventFilter(this);
        if (window->isExposed()) Shown();
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose) {
            auto* window = qobject_cast<QWindow*>(watched);
            if (window && window->isExposed()) Shown();
        }
        return false;
    }

private:
    void Shown() {
        if (m_shown) return;
        m_shown = true;
        if (m_stamp) {
            const auto now = std::chrono::steady_clock::now().time_since_epoch();
            std::printf("shown %lld %lld\n",
                        static_cast<long long>(std::chrono::nanoseconds(now).count()),
                        static_cast<long long>(std::clock()) * 1000000 / CLOCKS_PER_SEC);
            std::fflush(stdout);
        }
        QTimer::singleShot(0, qApp, &QApplication::quit);
    }

    bool m_stamp;
    bool m_shown = false;
};

// While the window system is being reached, Qt's own messages are held back: when there is
// no display, Qt ends the program with several lines about platform plugins; the user gets
// one line instead, and exit status 1.
std::vector<std::string>& HeldMessages() {
    static std::vector<std::string> held;
    return held;
}

void HoldDuringStart(QtMsgType type, const QMessageLogContext&, const QString& text) {
    if (type == QtFatalMsg) {
        std::fputs(
            "dawnly: cannot open a window: no display could be reached (DISPLAY or "
            "WAYLAND_DISPLAY); the command-line tool wakeburst needs none\n",
            stderr);
        std::_Exit(1);
    }
    HeldMessages().push_back(text.toStdString());
}

// What the command line asks for before any window system is reached.
struct StartRequest {
    wb::StartPlace place = wb::StartPlace::CurrentDir;
    std::string namedDir;
    int exitCode = -1;  // set when the program ends at once
};

// Answers --help and --version and refuses an unknown option; -1 for anything else.
int AnswerAtOnce(const std::string& arg) {
    if (arg == "--help" || arg == "-h") {
        std::fputs(kUsage, stdout);
        return 0;
    }
    if (arg == "--version") {
        std::puts("dawnly " WAKEBURST_VERSION);
        return 0;
    }
    if (QtOptionLength(arg) == 0 && arg.size() > 1 && arg[0] == '-') {
        std::fprintf(stderr, "dawnly: unknown option '%s' (see dawnly --help)\n",
                     wb::EscapeControlChars(arg).c_str());
        return 2;
    }
    return -1;
}

// Answered before any window system is reached, so they work without a display, and a
// mistyped option is refused before a window opens. Names other than options are ignored,
// as a plain start reads no files from its command line.
StartRequest ParseCommandLine(int argc, char* argv[]) {
    StartRequest request;
    if (argc >= 2 && std::strcmp(argv[1], wb::gui::kShellOpenFlag) == 0) {
        request.place = wb::StartPlace::SharedData;
        return request;
    }
    for (int i = 1; i < argc;) {
        const std::string arg = argv[i];
        if (arg == "--") break;
        if (arg == "--dir") {
            if (i + 1 >= argc || argv[i + 1][0] == '\0') {
                std::fputs("dawnly: --dir needs a directory (see dawnly --help)\n", stderr);
                request.exitCode = 2;
                return request;
            }
            request.place = wb::StartPlace::Named;
            request.namedDir = argv[i + 1];
            i += 2;
            continue;
        }
        request.exitCode = AnswerAtOnce(arg);
        if (request.exitCode >= 0) return request;
        const int qt = QtOptionLength(arg);
        i += qt ? qt : 1;
    }
    return request;
}

// Passes on what Qt said while the window system was being reached.
void ReleaseHeldMessages(QtMessageHandler previous) {
    qInstallMessageHandler(previous);
    for (const std::string& m : HeldMessages())
        qWarning("%s", m.c_str());
    HeldMessages().clear();
}

}  // namespace

int main(int argc, char* argv[]) {
    const StartRequest request = ParseCommandLine(argc, argv);
    if (request.exitCode >= 0) return request.exitCode;

    const QtMessageHandler previous = qInstallMessageHandler(HoldDuringStart);
    QApplication qapp(argc, argv);
    ReleaseHeldMessages(previous);

    QApplication::setApplicationName(QStringLiteral("dawnly"));
    QApplication::setOrganizationName(QStringLiteral("Wakeburst"));

    // A plain start ignores its other arguments; only the shell's open hands over files.
    QStringList shellFiles;
    if (request.place == wb::StartPlace::SharedData) {
        for (const QString& f : QApplication::arguments().mid(2))
            shellFiles << QFileInfo(f).absoluteFilePath();
        if (wb::gui::SendToRunningInstance(shellFiles)) return 0;
    }

    wb::gui::CDawnlyApp app;
    app.SetStartPlace(request.place, request.namedDir);
    if (!app.InitInstance()) return 1;
    app.OpenShellFiles(shellFiles);

    ExitWhenShown exitWhenShown(qEnvironmentVariableIsSet("WAKEBURST_SHOWN_STAMP"));
    if (qEnvironmentVariableIsSet("WAKEBURST_EXIT_WHEN_SHOWN") && app.m_pMainWnd)
        exitWhenShown.Watch(app.m_pMainWnd->windowHandle());
    return qapp.exec();
}
