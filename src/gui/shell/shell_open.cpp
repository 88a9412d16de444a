#include "shell/shell_open.h"

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QStandardPaths>

#include "platform/peer_user.h"

namespace wb::app {

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

}  // namespace

QString ShellOpenServerName() {
    const QString forced = qEnvironmentVariable("WAKEBURST_SHELL_SERVER");
    if (!forced.isEmpty()) return forced;
    const QByteArray home = QDir::homePath().toUtf8();
    return QStringLiteral("wakeburst-dawnly-") +
           QString::fromLatin1(
               QCryptographicHash::hash(home, QCryptographicHash::Sha1).toHex().left(12));
}

bool SendToRunningInstance(const QStringList& files, int timeoutMs) {
    QLocalSocket socket;
    socket.connectToServer(ShellOpenServerName());
    if (!socket.waitForConnected(timeoutMs)) return false;
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

bool CShellOpenServer::Listen() {
    const QString name = ShellOpenServerName();
    // Listening would take the name over from an instance that still runs.
    QLocalSocket probe;
    probe.connectToServer(name);
    if (probe.waitForConnected(500)) return false;
    // Left behind by an instance that ended abnormally.
    QLocalServer::removeServer(name);
    return m_pServer->listen(name);
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

}  // namespace

bool RegisterShellFileTypes() {
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
    if (mimeWritten) RunIfPresent(QStringLiteral("update-mime-database"), {data + "/mime"});
    if (desktopWritten) {
        RunIfPresent(QStringLiteral("update-desktop-database"), {data + "/applications"});
    }
    return ok;
}

}  // namespace wb::app
