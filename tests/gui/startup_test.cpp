#include <QDir>
#include <QFileInfo>
#include <QMdiArea>
#include <QTest>

#include "alarm/alarm_store.h"
#include "app_test_support.h"
#include "common/ui_seam.h"
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

std::vector<CUiSeam::Record> Messages() {
    std::vector<CUiSeam::Record> out;
    for (const auto& r : CUiSeam::Records()) {
        if (r.kind == CUiSeam::Kind::Message) out.push_back(r);
    }
    return out;
}

}  // namespace

class StartupTest : public QObject {
    Q_OBJECT

private slots:
    void alarmStore_data() {
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

    void alarmStore() {
        QFETCH(bool, present);
        QFETCH(QByteArray, store);
        QFETCH(int, alarms);
        QFETCH(bool, damagedMessage);
        AppFixture fx;
        if (present) wb::test::WriteFileBytes(fx.Path("DwnGs"), store);
        QVERIFY(fx.Start());
        QCOMPARE(static_cast<int>(fx.App().m_alarms.size()), alarms);
        const auto messages = Messages();
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

    void startsEmptyAndShown() {
        AppFixture fx;
        QVERIFY(fx.Start());
        CMainFrame& frame = fx.Frame();
        QVERIFY(frame.isVisible());
        QCOMPARE(frame.windowTitle(), QStringLiteral("Wakeburst Utility"));
        QVERIFY(frame.MdiArea()->subWindowList().isEmpty());
        QCOMPARE(frame.CurrentMenuId(), 128);
        QVERIFY(frame.acceptDrops());
        QVERIFY(fx.App().SystemCommands().SendDialog() == nullptr);
        QVERIFY(fx.App().SystemCommands().AlarmDialog() == nullptr);
        QVERIFY(frame.AlarmTimer().isActive());
        QVERIFY(frame.AlarmTimer().interval() <= 60250);
        QVERIFY(Messages().empty());
    }

    void socketsFailureShowsString104AndEnds() {
        AppFixture fx;
        QVERIFY(!fx.Start(std::make_unique<NoSocketsApp>()));
        QVERIFY(fx.App().m_pMainWnd == nullptr);
        const auto messages = Messages();
        QCOMPARE(static_cast<int>(messages.size()), 1);
        QCOMPARE(messages[0].text, QStringLiteral("Windows套接字初始化失败."));
        QCOMPARE(messages[0].caption, QStringLiteral("Wakeburst Utility"));
        QCOMPARE(messages[0].buttons, static_cast<int>(QMessageBox::Ok));
    }

    void timerFailureShowsErrorAndEnds() {
        AppFixture fx;
        auto app = std::make_unique<NoTimerApp>();
        NoTimerApp* raw = app.get();
        QVERIFY(!fx.Start(std::move(app)));
        QVERIFY(raw->frameMade);
        QVERIFY(raw->m_pMainWnd == nullptr);
        const auto messages = Messages();
        QCOMPARE(static_cast<int>(messages.size()), 1);
        QCOMPARE(messages[0].text, QStringLiteral("时间设置失败."));
        QCOMPARE(messages[0].caption, QStringLiteral("ERROR"));
        QCOMPARE(messages[0].icon, static_cast<int>(QMessageBox::Critical));
    }

    void startDirFitsTheBufferOrIsEmpty_data() {
        QTest::addColumn<QString>("dir");
        QTest::addColumn<bool>("kept");
        QTest::newRow("root") << QStringLiteral("/") << true;
        QTest::newRow("ordinary") << QStringLiteral("/home/user/") << true;
        // 255 bytes and the terminating zero fill the buffer exactly.
        QTest::newRow("255 bytes") << QStringLiteral("/") + QString(253, u'a') + u'/' << true;
        QTest::newRow("256 bytes") << QStringLiteral("/") + QString(254, u'a') + u'/' << false;
        // Counted in the file code page: each of these characters takes two bytes.
        QTest::newRow("254 chinese bytes")
            << QStringLiteral("/") + QString(126, u'中') + u'/' << true;
        QTest::newRow("258 chinese bytes")
            << QStringLiteral("/") + QString(128, u'中') + u'/' << false;
        QTest::newRow("unreadable") << QString() << false;
    }

    void startDirFitsTheBufferOrIsEmpty() {
        QFETCH(QString, dir);
        QFETCH(bool, kept);
        const std::string in = dir.toStdString();
        QCOMPARE(wb::gui::StartDirFrom(in), kept ? in : std::string());
    }

    void startDirStaysWhenTheCurrentDirectoryMoves() {
        AppFixture fx;
        QVERIFY(fx.Start());
        const QString expected = QFileInfo(fx.Dir()).canonicalFilePath() + u'/';
        QCOMPARE(
            QFileInfo(QString::fromStdString(fx.App().m_strStartDir)).canonicalFilePath() + u'/',
            expected);
        QVERIFY(fx.App().m_strStartDir.back() == '/');
        QDir().mkdir(fx.Path("elsewhere"));
        QDir::setCurrent(fx.Path("elsewhere"));
        QCOMPARE(QString::fromStdString(fx.App().Store().StorePath()),
                 QString::fromStdString(fx.App().m_strStartDir) + "DwnGs");
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
};

QTEST_MAIN(StartupTest)
#include "startup_test.moc"
