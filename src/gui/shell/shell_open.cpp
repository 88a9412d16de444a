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

bool WriteIfMissing(const QString& path, const QByteArray& content) {
    if (QFileInfo::exists(path)) return true;
    if (content.isEmpty()) return false;
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return false;
    return f.write(content) == content.size();
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

    const QString mimeXml = data + QStringLiteral("/mime/packages/dawnly.xml");
    const bool mimeMissing = !QFileInfo::exists(mimeXml);
    ok &= WriteIfMissing(mimeXml, Resource(QStringLiteral(":/desktop/dawnly-mime.xml")));

    // The entry starts this very program, wherever it was started from.
    QByteArray entry = Resource(QStringLiteral(":/desktop/dawnly.desktop"));
    const QByteArray program = QCoreApplication::applicationFilePath().toUtf8();
    if (!program.isEmpty()) {
        QByteArray quoted = program.contains(' ') ? '"' + program + '"' : program;
        entry.replace("Exec=dawnly ", "Exec=" + quoted + ' ');
    }
    const QString desktop = data + QStringLiteral("/applications/dawnly.desktop");
    const bool desktopMissing = !QFileInfo::exists(desktop);
    ok &= WriteIfMissing(desktop, entry);

    const QString icons = data + QStringLiteral("/icons/hicolor/");
    ok &= WriteIfMissing(icons + QStringLiteral("32x32/apps/dawnly.png"),
                         Resource(QStringLiteral(":/icons/dawnly.png")));
    ok &= WriteIfMissing(icons + QStringLiteral("16x16/apps/dawnly.png"),
                         Resource(QStringLiteral(":/icons/dawnly16.png")));
    ok &= WriteIfMissing(icons + QStringLiteral("32x32/mimetypes/application-x-dawnly.png"),
                         Resource(QStringLiteral(":/icons/document.png")));
    ok &= WriteIfMissing(icons + QStringLiteral("16x16/mimetypes/application-x-dawnly.png"),
                         Resource(QStringLiteral(":/icons/document16.png")));

    // The desktop's caches learn of new files only through these tools.
    if (qEnvironmentVariableIsSet("WAKEBURST_NO_DESKTOP_CACHE")) return ok;
    if (mimeMissing) RunIfPresent(QStringLiteral("update-mime-database"), {data + "/mime"});
    if (desktopMissing) {
        RunIfPresent(QStringLiteral("update-desktop-database"), {data + "/applications"});
    }
    return ok;
}

}  // namespace wb::gui
