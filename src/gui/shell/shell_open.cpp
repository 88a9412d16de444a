#include "shell/shell_open.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QStandardPaths>
#include <QTimer>
#include <QWidget>
#include <QWindow>

#include <csignal>
#include <cstring>
#include <functional>

#include <sys/socket.h>
#include <sys/stat.h>
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
    QLocalSocket socket;
    socket.connectToServer(name);
    if (!socket.waitForConnected(timeoutMs)) return false;
    // Another user's server would learn every path opened, and could drop them.
    if (!platform::IsPeerSameUser(socket.socketDescriptor())) return false;
    QByteArray message;
    for (const QString& f : files)
        message += f.toUtf8() + '\n';
    message += '\n';
    socket.write(message);
    if (!socket.waitForBytesWritten(timeoutMs)) return false;
    QByteArray answer;
    while (answer.size() < static_cast<qsizetype>(sizeof(kAck) - 1)) {
        if (!socket.waitForReadyRead(timeoutMs)) return false;
        answer += socket.readAll();
    }
    return answer.startsWith(kAck);
}

CShellOpenServer::CShellOpenServer(QObject* parent)
    : QObject(parent), m_pServer(new QLocalServer(this)) {
    m_pServer->setSocketOptions(QLocalServer::UserAccessOption);
    connect(m_pServer, &QLocalServer::newConnection, this, &CShellOpenServer::OnNewConnection);
}

CShellOpenServer::~CShellOpenServer() {
    if (m_pServer->isListening() &&
        QFile::encodeName(m_pServer->fullServerName()) == g_socketToRemove) {
        g_socketToRemove[0] = '\0';
    }
}

bool CShellOpenServer::Listen() {
    const QString name = ShellOpenServerName();
    if (name.isEmpty()) return false;
    // Listening would take the name over from an instance that still runs.
    QLocalSocket probe;
    probe.connectToServer(name);
    if (probe.waitForConnected(500) && platform::IsPeerSameUser(probe.socketDescriptor())) {
        return false;
    }
    probe.abort();
    // Left behind by an instance that ended abnormally.
    QLocalServer::removeServer(name);
    // Ready before the socket file appears, so that no signal can leave it behind.
    RemoveSocketOnSignals(name);
    if (m_pServer->listen(name)) return true;
    g_socketToRemove[0] = '\0';
    return false;
}

bool CShellOpenServer::IsListening() const { return m_pServer->isListening(); }

void CShellOpenServer::OnNewConnection() {
    while (QLocalSocket* socket = m_pServer->nextPendingConnection()) {
        connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        // The socket file is the user's alone; the peer's identity is checked all the same,
        // since a file's mode is easily loosened.
        if (!platform::IsPeerSameUser(socket->socketDescriptor())) {
            socket->abort();
            continue;
        }
        connect(socket, &QLocalSocket::readyRead, this, [this, socket] {
            QByteArray buffer = socket->property("wbBuffer").toByteArray() + socket->readAll();
            if (buffer.size() > kMaxMessage) {
                socket->abort();
                return;
            }
            socket->setProperty("wbBuffer", buffer);
            if (!buffer.endsWith("\n\n") && buffer != "\n") return;
            QStringList files;
            for (const QByteArray& line : buffer.split('\n')) {
                if (IsFilePathLine(line)) files << QString::fromUtf8(line);
            }
            socket->write(kAck);
            socket->flush();
            socket->disconnectFromServer();
            emit filesReceived(files);
        });
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
