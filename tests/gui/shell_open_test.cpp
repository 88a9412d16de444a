#include <QProcess>
#include <QTest>

#include "app_test_support.h"
#include "shell/backdrop_wnd.h"
#include "shell/dawnly_doc.h"
#include "shell/dawnly_doc_template.h"
#include "shell/main_frame.h"
#include "shell/shell_open.h"

using namespace wb::gui;
using wb::test::AppFixture;

namespace {

QProcessEnvironment ChildEnv(const AppFixture& fx) {
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("XDG_DATA_HOME", fx.Path("child-xdg"));
    env.insert("WAKEBURST_EXIT_WHEN_SHOWN", "1");
    return env;
}

int RunDawnly(const AppFixture& fx, const QStringList& args) {
    QProcess p;
    p.setProcessEnvironment(ChildEnv(fx));
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
        // A second server on the same name finds the live instance and stays out of the way.
        CShellOpenServer second;
        QVERIFY(!second.Listen());
    }

    void plainArgumentsAreIgnored() {
        AppFixture fx;
        QVERIFY(fx.Start());
        wb::test::WriteFileBytes(fx.Path("a.mp"), "x\r\n");
        // A second, independent instance starts, shows its window and ends; it hands nothing.
        QCOMPARE(RunDawnly(fx, {fx.Path("a.mp")}), 0);
        QVERIFY(fx.App().DocTemplate()->Documents().isEmpty());
    }
};

QTEST_MAIN(ShellOpenTest)
#include "shell_open_test.moc"
