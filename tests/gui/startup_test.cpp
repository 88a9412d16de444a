#include <QDir>
#include <QFileInfo>
#include <QImage>
#include <QMdiArea>
#include <QPushButton>
#include <QRegularExpression>
#include <QTest>

#include "alarm/alarm_store.h"
#include "app_test_support.h"
#include "common/ui_seam.h"
#include "hostlist/arp_capture.h"
#include "shell/backdrop_wnd.h"
#include "shell/dawnly_app.h"
#include "shell/main_frame.h"
#include "shell/system_commands.h"

using wb::gui::CDawnlyApp;
using wb::gui::CMainFrame;
using wb::gui::CUiSeam;
using wb::test::AppFixture;

namespace {

// The store of one alarm: D:\g.mp, Monday, 07:30, 255.255.255.255.
QByteArray OneAlarm() {
    return wb::test::ReadFileBytes(QStringLiteral(WAKEBURST_TEST_DATA "/alarm/monday_0730.DwnGs"));
}

class NoSocketsApp final : public CDawnlyApp {
protected:
    bool StartSocketsLayer() override { return false; }
};

class NoTimerFrame final : public CMainFrame {
public:
    using CMainFrame::CMainFrame;

protected:
    bool StartAlarmTimer() override { return false; }
};

class NoTimerApp final : public CDawnlyApp {
public:
    bool frameMade = false;

protected:
    CMainFrame* CreateMainFrame() override {
        frameMade = true;
        return new NoTimerFrame(*this);
    }
};

}  // namespace

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void startsShownWithTheStoresAlarms_data() {
        QTest::addColumn<bool>("present");
        QTest::addColumn<QByteArray>("store");
        QTest::addColumn<int>("alarms");
        QTest::addColumn<bool>("damagedMessage");
        // The store's own rules are tested with the store; these show what the start makes of it.
        QTest::newRow("no store") << false << QByteArray() << 0 << false;
        QTest::newRow("one alarm") << true << OneAlarm() << 1 << false;
        QTest::newRow("count says two")
            << true << QByteArray("\x02", 1) + OneAlarm().mid(1) << 0 << true;
    }

    void startsShownWithTheStoresAlarms() {
        QFETCH(bool, present);
        QFETCH(QByteArray, store);
        QFETCH(int, alarms);
        QFETCH(bool, damagedMessage);
        AppFixture fx;
        if (present) wb::test::WriteFileBytes(fx.Path("DwnGs"), store);
        QVERIFY(fx.Start());
        // Shown empty, with the alarm timer running, whatever the store held.
        CMainFrame& frame = fx.Frame();
        QVERIFY(frame.isVisible());
        QVERIFY(frame.MdiArea()->subWindowList().isEmpty());
        QCOMPARE(frame.CurrentMenuId(), 128);
        QVERIFY(frame.acceptDrops());
        QVERIFY(fx.App().SystemCommands().SendDialog() == nullptr);
        QVERIFY(fx.App().SystemCommands().AlarmDialog() == nullptr);
        QVERIFY(frame.AlarmTimer().isActive());
        QVERIFY(frame.AlarmTimer().interval() <= 60250);
        QCOMPARE(static_cast<int>(fx.App().m_alarms.size()), alarms);
        const auto messages = wb::test::MessageRecords();
        QCOMPARE(static_cast<int>(messages.size()), damagedMessage ? 1 : 0);
        if (damagedMessage) {
            QCOMPARE(messages[0].text, QString::fromUtf8(wb::kDamagedStoreText));
            QCOMPARE(messages[0].caption, QStringLiteral("Wakeburst Utility"));
            QCOMPARE(messages[0].icon, static_cast<int>(QMessageBox::NoIcon));
        }
        if (alarms == 1) {
            QCOMPARE(QString::fromStdString(fx.App().m_alarms[0]->m_strGroupFile),
                     QStringLiteral("D:\\g.mp"));
            QCOMPARE(fx.App().m_alarms[0]->m_nMinute, 30);
        }
        // The damaged store stays on disk untouched.
        if (present) QCOMPARE(wb::test::ReadFileBytes(fx.Path("DwnGs")), store);
    }

    // A start that cannot go on shows one message and ends without a main window.
    void failedStartShowsOneMessageAndEnds_data() {
        QTest::addColumn<int>("cause");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<int>("icon");
        QTest::newRow("sockets") << 0 << "Windows套接字初始化失败."
                                 << "Wakeburst Utility" << int(QMessageBox::NoIcon);
        QTest::newRow("timer") << 1 << "时间设置失败."
                               << "ERROR" << int(QMessageBox::Critical);
        QTest::newRow("data dir is a file") << 2 << "无法使用数据目录"
                                            << "Wakeburst Utility" << int(QMessageBox::Warning);
    }
    void failedStartShowsOneMessageAndEnds() {
        QFETCH(int, cause);
        QFETCH(QString, text);
        AppFixture fx;
        std::unique_ptr<CDawnlyApp> app;
        if (cause == 0) app = std::make_unique<NoSocketsApp>();
        if (cause == 1) app = std::make_unique<NoTimerApp>();
        if (cause == 2) {
            wb::test::WriteFileBytes(fx.Path("file"), "x");
            app = std::make_unique<CDawnlyApp>();
            app->SetStartPlace(wb::StartPlace::Named, "file");
        }
        auto* timerless = dynamic_cast<NoTimerApp*>(app.get());
        QVERIFY(!fx.Start(std::move(app)));
        QVERIFY(fx.App().m_pMainWnd == nullptr);
        if (timerless) QVERIFY(timerless->frameMade);
        const auto messages = wb::test::MessageRecords();
        QCOMPARE(static_cast<int>(messages.size()), 1);
        QVERIFY2(messages[0].text.startsWith(text), qPrintable(messages[0].text));
        QTEST(messages[0].caption, "caption");
        QTEST(messages[0].icon, "icon");
        QCOMPARE(messages[0].buttons, static_cast<int>(QMessageBox::Ok));
    }

    void keepsItsFilesWhereItWasStarted_data() {
        QTest::addColumn<int>("place");
        QTest::addColumn<QString>("named");
        QTest::addColumn<QString>("expected");  // relative to the start directory
        QTest::addColumn<bool>("exists");
        QTest::newRow("from a shell")
            << int(wb::StartPlace::CurrentDir) << QString() << "." << true;
        // The alarm service's directory, made private when the desktop entry starts first.
        QTest::newRow("desktop entry, new data dir")
            << int(wb::StartPlace::SharedData) << QString() << "xdg/wakeburst" << false;
        QTest::newRow("desktop entry, data dir there")
            << int(wb::StartPlace::SharedData) << QString() << "xdg/wakeburst" << true;
        QTest::newRow("--dir, relative") << int(wb::StartPlace::Named) << "mine"
                                         << "mine" << true;
    }

    void keepsItsFilesWhereItWasStarted() {
        QFETCH(int, place);
        QFETCH(QString, named);
        QFETCH(QString, expected);
        QFETCH(bool, exists);
        AppFixture fx;
        const QString dir = QDir(fx.Dir()).absoluteFilePath(expected);
        if (exists) {
            QVERIFY(QDir().mkpath(dir));
            QImage picture(8, 8, QImage::Format_RGB32);
            picture.fill(Qt::red);
            QVERIFY(picture.save(dir + "/DawnlyBg.bmp", "BMP"));
        }
        auto app = std::make_unique<CDawnlyApp>();
        app->SetStartPlace(static_cast<wb::StartPlace>(place), named.toStdString());
        QVERIFY(fx.Start(std::move(app)));

        QCOMPARE(QFileInfo(QString::fromStdString(fx.App().m_strStartDir)).canonicalFilePath(),
                 QFileInfo(dir).canonicalFilePath());
        QCOMPARE(fx.Frame().MdiArea()->HaveBitmap(), exists);
        if (!exists) {
            QCOMPARE(QFileInfo(dir).permissions() & 0x7777, QFile::ReadOwner | QFile::WriteOwner |
                                                                QFile::ExeOwner | QFile::ReadUser |
                                                                QFile::WriteUser | QFile::ExeUser);
        }
        // The store (the wake log goes beside it) and the temporary listing of a host-list
        // creation, named relative to the current directory.
        QVERIFY(fx.App().SaveAlarms({}));
        QVERIFY(wb::CaptureArpCache());
        for (const char* name : {"DwnGs", "temp.mp"}) {
            QVERIFY2(QFileInfo::exists(dir + u'/' + name), name);
            if (expected != ".") QVERIFY2(!QFileInfo::exists(fx.Path(name)), name);
        }
        // Taken once at the start: the store stays there when the current directory moves.
        QVERIFY(fx.App().m_strStartDir.back() == '/');
        QVERIFY(QDir::setCurrent(QDir::tempPath()));
        QCOMPARE(QFileInfo(QString::fromStdString(fx.App().m_strStartDir)).canonicalFilePath(),
                 QFileInfo(dir).canonicalFilePath());
        QCOMPARE(QString::fromStdString(fx.App().Store().StorePath()),
                 QString::fromStdString(fx.App().m_strStartDir) + "DwnGs");
    }

    void qtsOwnTextsAreChinese() {
        AppFixture fx;
        QVERIFY(fx.Start());
        QMessageBox box(QMessageBox::Question, QStringLiteral("Wakeburst Utility"),
                        QStringLiteral("?"),
                        QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel | QMessageBox::Ok);
        // Without the mnemonic, which Chinese texts carry in brackets: "是(&Y)".
        const auto label = [&](QMessageBox::StandardButton b) {
            return box.button(b)->text().remove(QRegularExpression(QStringLiteral("\\(&.\\)")));
        };
        QCOMPARE(label(QMessageBox::Yes), QStringLiteral("是"));
        QCOMPARE(label(QMessageBox::No), QStringLiteral("否"));
        QCOMPARE(label(QMessageBox::Cancel), QStringLiteral("取消"));
        QCOMPARE(label(QMessageBox::Ok), QStringLiteral("确定"));
    }

    void pageSetupOpensWithoutWarnings() {
        AppFixture fx;
        QVERIFY(fx.Start());
        QTest::failOnWarning(QRegularExpression(QStringLiteral(".*")));
        fx.App().OnFilePrintSetup();
        QCOMPARE(static_cast<int>(CUiSeam::Records().size()), 1);
        QCOMPARE(CUiSeam::Records()[0].kind, CUiSeam::Kind::Dialog);
    }

    void registersTheFileTypeForTheUser() {
        AppFixture fx;
        QVERIFY(fx.Start());
        const QString xdg = fx.Path("xdg");
        const QByteArray mime = wb::test::ReadFileBytes(xdg + "/mime/packages/dawnly.xml");
        QVERIFY(mime.contains("<glob pattern=\"*.mp\""));
        QVERIFY(mime.contains("Dawnly Document"));
        const QByteArray entry = wb::test::ReadFileBytes(xdg + "/applications/dawnly.desktop");
        QVERIFY(entry.contains("MimeType=application/x-dawnly;"));
        QVERIFY(entry.contains(" --shell-open %F"));
        QVERIFY(QFileInfo(xdg + "/icons/hicolor/32x32/mimetypes/application-x-dawnly.png").size() >
                0);
        QVERIFY(QFileInfo(xdg + "/icons/hicolor/32x32/apps/dawnly.png").size() > 0);
        // A file the user changed is left alone at the next start.
        wb::test::WriteFileBytes(xdg + "/applications/dawnly.desktop", "mine");
        fx.Stop();
        QVERIFY(fx.Start());
        QCOMPARE(wb::test::ReadFileBytes(xdg + "/applications/dawnly.desktop"), QByteArray("mine"));
    }

    void leavesThePackagesFilesToThePackage() {
        AppFixture fx;
        // What the package installs under the system's data directory.
        const QStringList installed = {"mime/packages/dawnly.xml",
                                       "applications/dawnly.desktop",
                                       "icons/hicolor/32x32/apps/dawnly.png",
                                       "icons/hicolor/16x16/apps/dawnly.png",
                                       "icons/hicolor/32x32/mimetypes/application-x-dawnly.png",
                                       "icons/hicolor/16x16/mimetypes/application-x-dawnly.png"};
        for (const QString& f : installed) {
            QVERIFY(QDir().mkpath(QFileInfo(fx.Path("sys/" + f)).absolutePath()));
            wb::test::WriteFileBytes(fx.Path("sys/" + f), "package");
        }
        QVERIFY(fx.Start());
        QVERIFY(!QFileInfo::exists(fx.Path("xdg/mime")));
        QVERIFY(!QFileInfo::exists(fx.Path("xdg/applications")));
        QVERIFY(!QFileInfo::exists(fx.Path("xdg/icons")));
    }
};

QTEST_MAIN(StartupTest)
#include "startup_test.moc"
