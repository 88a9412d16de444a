// The shell-open hand-over takes absolute file paths from processes of the same user, and
// nothing else: no other user, no options, URLs, relative names or control characters, and
// no endless message.
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <sys/wait.h>
#include <unistd.h>
#include <QDir>
#include <QFileInfo>
#include <QLocalSocket>
#include <QSignalSpy>
#include <QTest>

#include <cstring>

#include "shell/shell_open.h"

using wb::gui::CShellOpenServer;

namespace {

// Taken once: the tests below loosen the directory, which would move the name elsewhere.
QString SocketPath() {
    static const QString path = wb::gui::ShellOpenServerName();
    return path;
}

// Connects as user `uid` from a child process and sends `message`; the child's exit code
// says whether it could connect (0) or not (1).
int SendAsUser(uid_t uid, const QByteArray& message) {
    const QByteArray path = SocketPath().toUtf8();
    const pid_t child = fork();
    if (child == 0) {
        if (setgid(uid) != 0 || setuid(uid) != 0) _exit(2);
        int fd = socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        std::strncpy(addr.sun_path, path.constData(), sizeof addr.sun_path - 1);
        if (connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) _exit(1);
        if (write(fd, message.constData(), static_cast<size_t>(message.size())) < 0) _exit(3);
        char buf[8];
        (void)!read(fd, buf, sizeof buf);
        _exit(0);
    }
    int status = 0;
    // The server answers from this thread's event loop while the child waits.
    for (int i = 0; i < 200 && waitpid(child, &status, WNOHANG) == 0; ++i)
        QTest::qWait(10);
    if (waitpid(child, &status, WNOHANG) == 0) {
        kill(child, SIGKILL);
        waitpid(child, &status, 0);
    }
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
}

}  // namespace

class ShellOpenGuardTest : public QObject {
    Q_OBJECT
private slots:
    void onlyAbsolutePathsAreTaken_data();
    void onlyAbsolutePathsAreTaken();
    void anEndlessMessageIsCutOff();
    void anotherUserIsRefused();
    void anotherUsersServerGetsNoPath();
};

void ShellOpenGuardTest::onlyAbsolutePathsAreTaken_data() {
    QTest::addColumn<QByteArray>("message");
    QTest::addColumn<QStringList>("taken");
    QTest::newRow("absolute") << QByteArray("/srv/a.mp\n/srv/b b.mp\n\n")
                              << QStringList{"/srv/a.mp", "/srv/b b.mp"};
    QTest::newRow("relative and options")
        << QByteArray("a.mp\n--help\n-x\n/srv/c.mp\n\n") << QStringList{"/srv/c.mp"};
    QTest::newRow("urls") << QByteArray("file:///etc/passwd\nhttp://x/y\n\n") << QStringList{};
    QTest::newRow("control characters")
        << QByteArray("/srv/a\tb.mp\n/srv/\x1b[2Jc.mp\n/srv/d\r\n\n") << QStringList{};
    QTest::newRow("not utf-8") << QByteArray("/srv/\xff\xfe.mp\n\n") << QStringList{};
}

void ShellOpenGuardTest::onlyAbsolutePathsAreTaken() {
    QFETCH(QByteArray, message);
    QFETCH(QStringList, taken);
    CShellOpenServer server;
    QVERIFY(server.Listen());
    QSignalSpy spy(&server, &CShellOpenServer::filesReceived);
    QCOMPARE(SendAsUser(geteuid(), message), 0);
    QTRY_COMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toStringList(), taken);
}

void ShellOpenGuardTest::anEndlessMessageIsCutOff() {
    CShellOpenServer server;
    QVERIFY(server.Listen());
    QSignalSpy spy(&server, &CShellOpenServer::filesReceived);
    QByteArray huge(3 << 20, 'a');
    huge.prepend('/');
    huge.append("\n\n");
    SendAsUser(geteuid(), huge);
    QTest::qWait(200);
    QCOMPARE(spy.count(), 0);
}

void ShellOpenGuardTest::anotherUserIsRefused() {
    if (geteuid() != 0) QSKIP("needs root to act as another user");
    CShellOpenServer server;
    QVERIFY(server.Listen());
    QSignalSpy spy(&server, &CShellOpenServer::filesReceived);
    // The socket is the user's alone...
    QCOMPARE(SendAsUser(65534, "/srv/a.mp\n\n"), 1);
    // ...and even with its mode and its directory's loosened, another user's paths are
    // not taken.
    const QByteArray socket = SocketPath().toUtf8();
    const QByteArray dir = QFileInfo(SocketPath()).absolutePath().toUtf8();
    QCOMPARE(chmod(dir.constData(), 0755), 0);
    QCOMPARE(chmod(socket.constData(), 0777), 0);
    const int connected = SendAsUser(65534, "/srv/a.mp\n\n");
    QCOMPARE(chmod(dir.constData(), 0700), 0);
    QVERIFY(connected != 1);  // it got through to the server, which refused it
    QTest::qWait(200);
    QCOMPARE(spy.count(), 0);
}

void ShellOpenGuardTest::anotherUsersServerGetsNoPath() {
    if (geteuid() != 0) QSKIP("needs root to act as another user");
    // Only root can still put a socket in the user's own directory; it listens as another
    // user, as one who got there first would.
    const QByteArray path = SocketPath().toUtf8();
    unlink(path.constData());
    int ready[2];
    QCOMPARE(pipe(ready), 0);
    const pid_t child = fork();
    if (child == 0) {
        int fd = socket(AF_UNIX, SOCK_STREAM, 0);
        sockaddr_un addr{};
        addr.sun_family = AF_UNIX;
        std::strncpy(addr.sun_path, path.constData(), sizeof addr.sun_path - 1);
        if (bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr) != 0) _exit(3);
        if (setgid(65534) != 0 || setuid(65534) != 0 || listen(fd, 1) != 0) _exit(3);
        (void)!write(ready[1], "r", 1);
        const int peer = accept(fd, nullptr, nullptr);
        char buf[64];
        // Exits 0 when the client left without a byte, 1 when it sent something.
        _exit(read(peer, buf, sizeof buf) > 0 ? 1 : 0);
    }
    close(ready[1]);
    char r = 0;
    QCOMPARE(read(ready[0], &r, 1), ssize_t(1));
    close(ready[0]);
    QVERIFY(!wb::gui::SendToRunningInstance({"/srv/secret.mp"}, 2000));
    int status = 0;
    QCOMPARE(waitpid(child, &status, 0), child);
    unlink(path.constData());
    QVERIFY(WIFEXITED(status));
    QCOMPARE(WEXITSTATUS(status), 0);
}

QTEST_MAIN(ShellOpenGuardTest)
#include "shell_open_guard_test.moc"
