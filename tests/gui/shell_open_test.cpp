#include <QDir>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

#include <sys/stat.h>
#include <unistd.h>

#include "app_test_support.h"
#include "common/ui_seam.h"
#include "shell/backdrop_wnd.h"
#include "shell/dawnly_doc.h"
#include "shell/dawnly_doc_template.h"
#include "shell/main_frame.h"
#include "shell/shell_open.h"

using namespace wb::gui;
using wb::test::AppFixture;

namespace {

QProcessEnvironment ChildEnv(const QString& dataHome) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("XDG_DATA_HOME", dataHome);
    return env;
}

int RunDawnly(const AppFixture& fx, const QStringList& args) {
    QProcess p;
    QProcessEnvironment env = ChildEnv(fx.Path("child-xdg"));
    env.insert("WAKEBURST_EXIT_WHEN_SHOWN", "1");
    p.setProcessEnvironment(env);
    p.setWorkingDirectory(fx.Dir());
    p.start(QStringLiteral(DAWNLY_EXE), args);
    if (!p.waitForStarted(10000)) return -1;
    // The running instance answers from this thread's event loop.
    QElapsedTimer t;
    t.start();
    while (p.state() != QProcess::NotRunning && t.elapsed() < 20000) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    if (p.state() != QProcess::NotRunning) {
        p.kill();
        p.waitForFinished();
        return -2;
    }
    return p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -3;
}

bool IsUsersAlone(const QString& dir) {
    struct stat st {};
    return ::lstat(QFile::encodeName(dir).constData(), &st) == 0 && S_ISDIR(st.st_mode) &&
           st.st_uid == ::geteuid() && (st.st_mode & 077) == 0;
}

// Sets, or with a null value unsets, an environment variable until the guard goes.
auto ScopedEnv(const char* name, const QByteArray& value) {
    const bool had = qEnvironmentVariableIsSet(name);
    const QByteArray old = qgetenv(name);
    value.isNull() ? qunsetenv(name) : qputenv(name, value);
    return qScopeGuard([=] { had ? qputenv(name, old) : qunsetenv(name); });
}

}  // namespace

class ShellOpenTest : public QObject {
    Q_OBJECT

private slots:
    void handsFilesToTheRunningInstance() {
        AppFixture fx;
        QVERIFY(fx.Start());
        wb::test::WriteFileBytes(fx.Path("a.mp"), "198.51.100.1\r\n");
        wb::test::WriteFileBytes(fx.Path("b b.mp"), "198.51.100.2\r\n");
        // Relative names are the shell's current directory's.
        QCOMPARE(RunDawnly(fx, {"--shell-open", "a.mp", fx.Path("b b.mp")}), 0);
        const auto& docs = fx.App().DocTemplate()->Documents();
        QCOMPARE(docs.size(), 2);
        QCOMPARE(docs[0]->GetTitle(), QStringLiteral("a.mp"));
        QCOMPARE(docs[1]->GetTitle(), QStringLiteral("b b.mp"));
        QCOMPARE(docs[0]->Text(), QStringLiteral("198.51.100.1\n"));
        // Opening one of them again activates its window.
        QCOMPARE(RunDawnly(fx, {"--shell-open", fx.Path("a.mp")}), 0);
        QCOMPARE(fx.App().DocTemplate()->Documents().size(), 2);
        QCOMPARE(fx.Frame().GetActiveDocument(), docs[0]);
        // Without --shell-open a second, independent instance shows its window and ends,
        // handing nothing over.
        wb::test::WriteFileBytes(fx.Path("c.mp"), "x\r\n");
        QCOMPARE(RunDawnly(fx, {fx.Path("c.mp")}), 0);
        QCOMPARE(fx.App().DocTemplate()->Documents().size(), 2);
        // A second server on the same name finds the live instance and stays out of the way.
        CShellOpenServer second;
        QVERIFY(!second.Listen());
    }

    // Nobody else may put a socket of their own where a later start looks for the
    // running instance, nor reach the instance's own.
    void socketLivesWhereOnlyItsUserCanReach_data() {
        QTest::addColumn<QString>("runtimeDir");
        QTest::newRow("session directory") << "private";
        QTest::newRow("world-writable") << "world-writable";
        QTest::newRow("relative") << "relative";
        QTest::newRow("unset") << "unset";
        if (::geteuid() == 0) QTest::newRow("another user's") << "another user's";
        // Someone else made the user's own directory first: nothing is handed over.
        QTest::newRow("taken fallback") << "taken fallback";
    }

    void socketLivesWhereOnlyItsUserCanReach() {
        QFETCH(QString, runtimeDir);
        QTemporaryDir dir;
        QTemporaryDir tmp;
        QVERIFY(dir.isValid() && tmp.isValid());
        const QByteArray path = QFile::encodeName(dir.path());
        if (runtimeDir == "world-writable") QCOMPARE(::chmod(path.constData(), 01777), 0);
        if (runtimeDir == "another user's") QCOMPARE(::chown(path.constData(), 65534, 65534), 0);
        QByteArray value = path;
        if (runtimeDir == "relative") value = "run";
        const bool unset = runtimeDir == "unset" || runtimeDir == "taken fallback";
        const auto runtime = ScopedEnv("XDG_RUNTIME_DIR", unset ? QByteArray() : value);
        const auto temp = ScopedEnv("TMPDIR", QFile::encodeName(tmp.path()));
        if (runtimeDir == "taken fallback") {
            const QString own = tmp.filePath("wakeburst-" + QString::number(::geteuid()));
            QVERIFY(QDir().mkdir(own));
            QCOMPARE(::chmod(QFile::encodeName(own).constData(), 0777), 0);
        }
        const QString name = ShellOpenServerName();
        if (runtimeDir == "taken fallback") {
            QVERIFY2(name.isEmpty(), qPrintable(name));
            CShellOpenServer server;
            QVERIFY(!server.Listen());
            QVERIFY(!SendToRunningInstance({"/srv/a.mp"}, 500));
            return;
        }
        const QString where = QFileInfo(name).absolutePath();
        QVERIFY2(IsUsersAlone(where), qPrintable(name));
        QCOMPARE(where == dir.path(), runtimeDir == "private");
        // The instance listens there, and only the user can open the socket.
        CShellOpenServer server;
        QVERIFY(server.Listen());
        QVERIFY(QFileInfo::exists(name));
    }

    void socketGoesWithTheProgram_data() {
        QTest::addColumn<int>("signal");
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGHUP") << int(SIGHUP);
    }

    void socketGoesWithTheProgram() {
        QFETCH(int, signal);
        QTemporaryDir runtime;
        QVERIFY(runtime.isValid());
        QProcessEnvironment env = ChildEnv(runtime.filePath("xdg"));
        env.insert("XDG_RUNTIME_DIR", runtime.path());
        env.insert("WAKEBURST_SHELL_SERVER", "sigterm");
        QProcess p;
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(runtime.path());
        p.start(QStringLiteral(DAWNLY_EXE), {});
        QVERIFY(p.waitForStarted(10000));
        const QString socket = runtime.filePath("sigterm");
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo::exists(socket), 20000);
        QCOMPARE(::kill(static_cast<pid_t>(p.processId()), signal), 0);
        QVERIFY(p.waitForFinished(20000));
        QCOMPARE(p.exitStatus(), QProcess::CrashExit);
        QVERIFY(!QFileInfo::exists(socket));
    }

    // A path that names no regular file is refused with a message, and the running
    // instance goes on (a FIFO would wait for a writer, a device never end).
    void onlyRegularFilesAreOpened_data() {
        QTest::addColumn<QString>("file");
        QTest::newRow("fifo") << "fifo";
        QTest::newRow("device") << "/dev/zero";
    }

    void onlyRegularFilesAreOpened() {
        QFETCH(QString, file);
        AppFixture fx;
        QVERIFY(fx.Start());
        if (file == "fifo") {
            file = fx.Path("fifo.mp");
            QCOMPARE(::mkfifo(QFile::encodeName(file).constData(), 0600), 0);
        }
        QCOMPARE(RunDawnly(fx, {"--shell-open", file}), 0);
        QTRY_COMPARE(CUiSeam::Records().size(), std::size_t{1});
        QVERIFY(CUiSeam::Records().front().kind == CUiSeam::Kind::Message);
        QCOMPARE(CUiSeam::Records().front().text, QStringLiteral("无法打开文件 %1.").arg(file));
        QVERIFY(fx.App().DocTemplate()->Documents().isEmpty());
    }

    void answersWithoutADisplay_data() {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("out");  // a line of standard output
        QTest::addColumn<QString>("err");  // all of standard error
        QTest::newRow("--version")
            << QStringList{"--version"} << 0 << "dawnly " WAKEBURST_VERSION << QString();
        QTest::newRow("--help") << QStringList{"--help"} << 0 << "usage: dawnly [--dir DIR]"
                                << QString();
        const QString noDisplay = QStringLiteral(
            "dawnly: cannot open a window: no display could be reached (DISPLAY or "
            "WAYLAND_DISPLAY); the command-line tool wakeburst needs none\n");
        QTest::newRow("plain start") << QStringList{} << 1 << QString() << noDisplay;
        QTest::newRow("--dir") << QStringList{"--dir", "."} << 1 << QString() << noDisplay;
        QTest::newRow("--dir without a directory")
            << QStringList{"--dir"} << 2 << QString()
            << "dawnly: --dir needs a directory (see dawnly --help)\n";
    }

    void answersWithoutADisplay() {
        QFETCH(QStringList, args);
        QFETCH(int, exitCode);
        QFETCH(QString, out);
        QFETCH(QString, err);
        AppFixture fx;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
            env.remove(name);
        QProcess p;
        p.setProcessEnvironment(env);
        p.setWorkingDirectory(fx.Dir());
        p.start(QStringLiteral(DAWNLY_EXE), args);
        QVERIFY(p.waitForFinished(20000));
        QCOMPARE(p.exitStatus(), QProcess::NormalExit);
        QCOMPARE(p.exitCode(), exitCode);
        const QString stdOut = QString::fromUtf8(p.readAllStandardOutput());
        if (!out.isEmpty()) QVERIFY2(stdOut.split(u'\n').contains(out), qPrintable(stdOut));
        QCOMPARE(QString::fromUtf8(p.readAllStandardError()), err);
        // Nothing of the program's is made where it failed to start.
        QCOMPARE(QDir(fx.Dir()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList());
    }
};

QTEST_MAIN(ShellOpenTest)
#include "shell_open_test.moc"
