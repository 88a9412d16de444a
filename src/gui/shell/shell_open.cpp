#include "shell/shell_open.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSocketNotifier>
#include <QStandardPaths>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <algorithm>
#include <cerrno>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <functional>

#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/time.h>
#include <sys/un.h>
#include <unistd.h>

#include "platform/peer_user.h"

namespace wb::gui {

namespace {

// One path per line, an empty line ends the list; the instance answers "OK".
constexpr char kAck[] = "OK\n";
// Far more than any list of paths the shell hands over; a peer that sends more is cut off.
constexpr qsizetype kMaxMessage = 1 << 20;

// The running instance takes nothing but absolute file paths in UTF-8, free of control
// characters: never an option, a URL or a relative name.
bool IsFilePathLine(const QByteArray& line) {
    if (line.isEmpty()) return false;
    for (char c : line) {
        if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) return false;
    }
    const QString path = QString::fromUtf8(line);
    if (path.toUtf8() != line) return false;
    return QFileInfo(path).isAbsolute();
}

// Only the user can enter it: nobody else can put a socket of their own under the name
// a later start looks for, or take the place of one that is gone.
bool IsPrivateDirectory(const QByteArray& path) {
    struct stat st {};
    return ::lstat(path.constData(), &st) == 0 && S_ISDIR(st.st_mode) && st.st_uid == ::geteuid() &&
           (st.st_mode & 077) == 0;
}

QString PrivateSocketDirectory() {
    const QByteArray runtime = qgetenv("XDG_RUNTIME_DIR");
    if (runtime.startsWith('/') && IsPrivateDirectory(runtime)) return QFile::decodeName(runtime);
    // No session directory: one of the user's own beside the other users' temporary files.
    const QByteArray own = QFile::encodeName(QDir::tempPath()) + "/wakeburst-" +
                           QByteArray::number(static_cast<qulonglong>(::geteuid()));
    ::mkdir(own.constData(), 0700);
    if (IsPrivateDirectory(own)) return QFile::decodeName(own);
    return {};
}

// The socket to remove when a signal ends the program; set before the handlers are
// installed, read only by them.
char g_socketToRemove[sizeof(sockaddr_un::sun_path)];

extern "C" void RemoveSocketAndEnd(int signal) {
    ::unlink(g_socketToRemove);
    // The handler was reset on entry: the signal now ends the program as it would have.
    ::raise(signal);
}

void RemoveSocketOnSignals(const QString& path) {
    const QByteArray name = QFile::encodeName(path);
    if (name.size() >= static_cast<qsizetype>(sizeof g_socketToRemove)) return;
    std::memcpy(g_socketToRemove, name.constData(), static_cast<std::size_t>(name.size()) + 1);
    for (int signal : {SIGTERM, SIGINT, SIGHUP}) {
        struct sigaction current {};
        // A signal someone else handles or ignores is left to them.
        if (::sigaction(signal, nullptr, &current) != 0 || current.sa_handler != SIG_DFL) continue;
        struct sigaction action {};
        action.sa_handler = RemoveSocketAndEnd;
        action.sa_flags = SA_RESETHAND;
        sigemptyset(&action.sa_mask);
        ::sigaction(signal, &action, nullptr);
    }
}

// The shell's hand-over goes over a plain Unix-domain socket: Qt's local sockets would
// load Qt Network, and with it Kerberos and the proxy libraries, into every start.
bool ToSocketAddress(const QString& path, sockaddr_un& address) {
    const QByteArray name = QFile::encodeName(path);
    address = sockaddr_un{};
    address.sun_family = AF_UNIX;
    if (name.isEmpty() || name.size() >= static_cast<qsizetype>(sizeof address.sun_path))
        return false;
    std::memcpy(address.sun_path, name.constData(), static_cast<std::size_t>(name.size()) + 1);
    return true;
}

// A connection to the socket at `path` that gives up on connecting, sending and receiving
// after `timeoutMs` each; -1 when none.
int ConnectTo(const QString& path, int timeoutMs) {
    sockaddr_un address;
    if (!ToSocketAddress(path, address)) return -1;
    const int fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
    if (fd < 0) return -1;
    // A zero time-out would be none at all.
    const int ms = std::max(timeoutMs, 1);
    timeval limit{};
    limit.tv_sec = ms / 1000;
    limit.tv_usec = static_cast<suseconds_t>(ms % 1000) * 1000;
    ::setsockopt(fd, SOL_SOCKET, SO_SNDTIMEO, &limit, sizeof limit);
    ::setsockopt(fd, SOL_SOCKET, SO_RCVTIMEO, &limit, sizeof limit);
    if (::connect(fd, reinterpret_cast<const sockaddr*>(&address), sizeof address) != 0) {
        ::close(fd);
        return -1;
    }
    return fd;
}

bool WriteAll(int fd, const QByteArray& data) {
    qsizetype done = 0;
    while (done < data.size()) {
        const ssize_t n = ::send(fd, data.constData() + done,
                                 static_cast<std::size_t>(data.size() - done), MSG_NOSIGNAL);
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) return false;
        done += n;
    }
    return true;
}

// Listens at `path`, a socket only its user can enter. It is made under a fresh private
// name and then renamed into place, so that the name never stands for a socket of wider
// access or half made. -1 on failure.
int ListenAt(const QString& path) {
    sockaddr_un address;
    if (!ToSocketAddress(path, address)) return -1;
    QByteArray dir = QFile::encodeName(QFileInfo(path).absolutePath()) + "/.wakeburst-XXXXXX";
    if (!::mkdtemp(dir.data())) return -1;
    const QByteArray made = dir + "/s";
    sockaddr_un madeAddress;
    int fd = -1;
    if (ToSocketAddress(QFile::decodeName(made), madeAddress))
        fd = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
    const bool ok =
        fd >= 0 &&
        ::bind(fd, reinterpret_cast<const sockaddr*>(&madeAddress), sizeof madeAddress) == 0 &&
        ::listen(fd, 50) == 0 && ::chmod(made.constData(), 0700) == 0 &&
        ::rename(made.constData(), address.sun_path) == 0;
    ::unlink(made.constData());
    ::rmdir(dir.constData());
    if (!ok && fd >= 0) ::close(fd);
    return ok ? fd : -1;
}

// One connection of a later start: reads its list, answers, and goes.
class CShellOpenConnection final : public QObject {
public:
    CShellOpenConnection(int fd, CShellOpenServer* server)
        : QObject(server), m_fd(fd), m_notifier(fd, QSocketNotifier::Read) {
        connect(&m_notifier, &QSocketNotifier::activated, this, [this] { OnReadable(); });
    }
    ~CShellOpenConnection() override {
        m_notifier.setEnabled(false);
        ::close(m_fd);
    }

    std::function<void(const QStringList&)> m_received;

private:
    void OnReadable() {
        char chunk[4096];
        const ssize_t n = ::recv(m_fd, chunk, sizeof chunk, MSG_DONTWAIT);
        if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK || errno == EINTR)) return;
        if (n <= 0 || m_buffer.size() + n > kMaxMessage) {
            End();
            return;
        }
        m_buffer.append(chunk, n);
        if (!m_buffer.endsWith("\n\n") && m_buffer != "\n") return;
        QStringList files;
        for (const QByteArray& line : m_buffer.split('\n')) {
            if (IsFilePathLine(line)) files << QString::fromUtf8(line);
        }
        ::send(m_fd, kAck, sizeof kAck - 1, MSG_NOSIGNAL | MSG_DONTWAIT);
        End();
        if (m_received) m_received(files);
    }

    void End() {
        m_notifier.setEnabled(false);
        ::shutdown(m_fd, SHUT_RDWR);
        deleteLater();
    }

    int m_fd;
    QSocketNotifier m_notifier;
    QByteArray m_buffer;
};

}  // namespace

QString ShellOpenServerName() {
    const QString dir = PrivateSocketDirectory();
    if (dir.isEmpty()) return {};
    QString name = qEnvironmentVariable("WAKEBURST_SHELL_SERVER");
    if (name.isEmpty()) name = QStringLiteral("wakeburst-dawnly");
    return dir + QLatin1Char('/') + name;
}

bool SendToRunningInstance(const QStringList& files, int timeoutMs) {
    const QString name = ShellOpenServerName();
    if (name.isEmpty()) return false;
    const int fd = ConnectTo(name, timeoutMs);
    if (fd < 0) return false;
    QByteArray message;
    for (const QString& f : files)
        message += f.toUtf8() + '\n';
    message += '\n';
    // Another user's server would learn every path opened, and could drop them.
    bool ok = platform::IsPeerSameUser(fd) && WriteAll(fd, message);
    QByteArray answer;
    while (ok && answer.size() < static_cast<qsizetype>(sizeof(kAck) - 1)) {
        char chunk[16];
        const ssize_t n = ::recv(fd, chunk, sizeof chunk, 0);
        if (n < 0 && errno == EINTR) continue;
        ok = n > 0;
        if (ok) answer.append(chunk, n);
    }
    ::close(fd);
    return ok && answer.startsWith(kAck);
}

CShellOpenServer::CShellOpenServer(QObject* parent) : QObject(parent) {}

CShellOpenServer::~CShellOpenServer() {
    if (m_listenFd < 0) return;
    delete m_pNotifier;
    ::close(m_listenFd);
    const QByteArray name = QFile::encodeName(m_path);
    ::unlink(name.constData());
    if (name == g_socketToRemove) g_socketToRemove[0] = '\0';
}

bool CShellOpenServer::Listen() {
    const QString name = ShellOpenServerName();
    if (name.isEmpty() || m_listenFd >= 0) return false;
    // Listening would take the name over from an instance that still runs.
    const int probe = ConnectTo(name, 500);
    const bool running = probe >= 0 && platform::IsPeerSameUser(probe);
    if (probe >= 0) ::close(probe);
    if (running) return false;
    // Left behind by an instance that ended abnormally.
    ::unlink(QFile::encodeName(name).constData());
    // Ready before the socket file appears, so that no signal can leave it behind.
    RemoveSocketOnSignals(name);
    m_listenFd = ListenAt(name);
    if (m_listenFd < 0) {
        g_socketToRemove[0] = '\0';
        return false;
    }
    m_path = name;
    m_pNotifier = new QSocketNotifier(m_listenFd, QSocketNotifier::Read, this);
    connect(m_pNotifier, &QSocketNotifier::activated, this, &CShellOpenServer::OnNewConnection);
    return true;
}

bool CShellOpenServer::IsListening() const { return m_listenFd >= 0; }

void CShellOpenServer::OnNewConnection() {
    for (;;) {
        const int fd = ::accept4(m_listenFd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
        if (fd < 0 && errno == EINTR) continue;
        if (fd < 0) return;
        // The socket file is the user's alone; the peer's identity is checked all the same,
        // since a file's mode is easily loosened.
        if (!platform::IsPeerSameUser(fd)) {
            ::close(fd);
            continue;
        }
        auto* connection = new CShellOpenConnection(fd, this);
        connection->m_received = [this](const QStringList& files) { emit filesReceived(files); };
    }
}

namespace {

// `relative` under the user's data directory, unless the user's or the system's data
// directories already hold it: an installed package owns its own copy, and a per-user copy
// would both shadow it and outlive its removal.
bool WriteIfMissing(const QString& data, const QString& relative, const QByteArray& content,
                    bool* written = nullptr) {
    if (written) *written = false;
    if (!QStandardPaths::locate(QStandardPaths::GenericDataLocation, relative).isEmpty()) {
        return true;
    }
    if (content.isEmpty()) return false;
    const QString path = data + u'/' + relative;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return false;
    if (f.write(content) != content.size()) return false;
    if (written) *written = true;
    return true;
}

QByteArray Resource(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void RunIfPresent(const QString& program, const QStringList& args) {
    const QString exe = QStandardPaths::findExecutable(program);
    if (!exe.isEmpty()) QProcess::startDetached(exe, args);
}

// Runs its work once the window is first exposed, or a little later when it never is (a
// window started minimised), and then goes away.
class CAfterExposed final : public QObject {
public:
    CAfterExposed(QWindow* window, std::function<void()> work)
        : QObject(window), m_work(std::move(work)) {
        window->installEventFilter(this);
        QTimer::singleShot(2000, this, [this] { Run(); });
    }

    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose && static_cast<QWindow*>(watched)->isExposed())
            QTimer::singleShot(0, this, [this] { Run(); });
        return false;
    }

private:
    void Run() {
        if (m_work) {
            std::function<void()> work = std::move(m_work);
            m_work = nullptr;
            work();
        }
        deleteLater();
    }

    std::function<void()> m_work;
};

}  // namespace

bool RegisterShellFileTypes(QWidget* shownWindow) {
    const QString data = QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
    if (data.isEmpty()) return false;
    bool ok = true;

    bool mimeWritten = false;
    ok &= WriteIfMissing(data, QStringLiteral("mime/packages/dawnly.xml"),
                         Resource(QStringLiteral(":/desktop/dawnly-mime.xml")), &mimeWritten);

    // The entry starts this very program, wherever it was started from.
    QByteArray entry = Resource(QStringLiteral(":/desktop/dawnly.desktop"));
    const QByteArray program = QCoreApplication::applicationFilePath().toUtf8();
    if (!program.isEmpty()) {
        QByteArray quoted = program.contains(' ') ? '"' + program + '"' : program;
        entry.replace("Exec=dawnly ", "Exec=" + quoted + ' ');
    }
    bool desktopWritten = false;
    ok &=
        WriteIfMissing(data, QStringLiteral("applications/dawnly.desktop"), entry, &desktopWritten);

    const struct {
        const char* installed;
        const char* resource;
    } icons[] = {
        {"icons/hicolor/32x32/apps/dawnly.png", ":/icons/dawnly.png"},
        {"icons/hicolor/16x16/apps/dawnly.png", ":/icons/dawnly16.png"},
        {"icons/hicolor/32x32/mimetypes/application-x-dawnly.png", ":/icons/document.png"},
        {"icons/hicolor/16x16/mimetypes/application-x-dawnly.png", ":/icons/document16.png"},
    };
    for (const auto& icon : icons) {
        ok &= WriteIfMissing(data, QString::fromLatin1(icon.installed),
                             Resource(QString::fromLatin1(icon.resource)));
    }

    // The desktop's caches learn of new files only through these tools.
    if (qEnvironmentVariableIsSet("WAKEBURST_NO_DESKTOP_CACHE")) return ok;
    if (!mimeWritten && !desktopWritten) return ok;
    auto refresh = [data, mimeWritten, desktopWritten] {
        if (mimeWritten) RunIfPresent(QStringLiteral("update-mime-database"), {data + "/mime"});
        if (desktopWritten)
            RunIfPresent(QStringLiteral("update-desktop-database"), {data + "/applications"});
    };
    // Finding and starting the tools would hold up a first start's window.
    if (QWindow* window = shownWindow ? shownWindow->windowHandle() : nullptr)
        new CAfterExposed(window, refresh);
    else
        refresh();
    return ok;
}

}  // namespace wb::gui
