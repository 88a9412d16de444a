#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTimer>
#include <QTranslator>
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
#include "platform/ui_language.h"
#include "shell/dawnly_app.h"
#include "shell/main_frame.h"
#include "shell/qt_translations.h"
#include "shell/shell_open.h"

namespace {

constexpr char kUsage[] = QT_TRANSLATE_NOOP(
    "dawnly",
    "用法: dawnly [--dir 目录]\n"
    "      dawnly --shell-open [文件...]\n"
    "      dawnly --help | --version\n"
    "\n"
    "Wakeburst Utility 的桌面程序: 主机列表文件、唤醒和组提醒.\n"
    "\n"
    "  --dir 目录        提醒存储、唤醒日志和临时列表都放在此目录\n"
    "                    (默认: 启动 dawnly 的目录)\n"
    "  --shell-open      桌面入口运行的方式: 把文件交给正在运行的 dawnly, 或带着它们\n"
    "                    启动; 文件放在 $XDG_DATA_HOME/wakeburst (~/.local/share/wakeburst),\n"
    "                    提醒服务在那里找到它们\n"
    "  --help            显示此帮助并退出\n"
    "  --version         显示版本并退出\n"
    "\n"
    "详见 dawnly(1). 命令行工具 wakeburst(1) 不需要显示器.\n");
constexpr char kNoDisplay[] =
    QT_TRANSLATE_NOOP("dawnly",
                      "dawnly: 无法打开窗口: 连接不到显示器 (DISPLAY 或 WAYLAND_DISPLAY); "
                      "命令行工具 wakeburst 不需要显示器\n");
constexpr char kDirNeeded[] =
    QT_TRANSLATE_NOOP("dawnly", "dawnly: --dir 需要一个目录 (详见 dawnly --help)\n");
constexpr char kUnknownOption[] =
    QT_TRANSLATE_NOOP("dawnly", "dawnly: 未知选项 '%1' (详见 dawnly --help)\n");

// A text of the command line in the user's language. These are written before the
// application exists, so the catalogue is read here rather than through it.
std::string Text(const char* source) {
    static QTranslator* english = [] {
        if (wb::platform::UserUiLanguage() != wb::platform::UiLanguage::English)
            return static_cast<QTranslator*>(nullptr);
        static QTranslator translator;
        return translator.load(QString::fromLatin1(wb::gui::kEnglishCatalogue)) ? &translator
                                                                                : nullptr;
    }();
    const QString text = english ? english->translate("dawnly", source) : QString();
    return text.isEmpty() ? std::string(source) : text.toStdString();
}

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
        std::fputs(Text(kNoDisplay).c_str(), stderr);
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
        std::fputs(Text(kUsage).c_str(), stdout);
        return 0;
    }
    if (arg == "--version") {
        std::puts("dawnly " WAKEBURST_VERSION);
        return 0;
    }
    if (QtOptionLength(arg) == 0 && arg.size() > 1 && arg[0] == '-') {
        // The option's bytes go out as given (control characters escaped), UTF-8 or not.
        std::string line = Text(kUnknownOption);
        if (const auto at = line.find("%1"); at != std::string::npos)
            line.replace(at, 2, wb::EscapeControlChars(arg));
        std::fputs(line.c_str(), stderr);
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
                std::fputs(Text(kDirNeeded).c_str(), stderr);
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
