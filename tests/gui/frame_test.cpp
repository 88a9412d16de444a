#include <QAction>
#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPointer>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>

#include "app_test_support.h"
#include "common/ui_seam.h"
#include "shell/backdrop_wnd.h"
#include "shell/child_frame.h"
#include "shell/command_ids.h"
#include "shell/dawnly_doc.h"
#include "shell/dawnly_view.h"
#include "shell/main_frame.h"
#include "shell/system_commands.h"

using namespace wb::gui;
using wb::test::AppFixture;

class FrameTest : public QObject {
    Q_OBJECT
    std::unique_ptr<AppFixture> m_fx;
    CMainFrame& Frame() { return m_fx->Frame(); }
    CDawnlyApp& App() { return m_fx->App(); }
    QDialog* SendDlg() { return App().SystemCommands().SendDialog(); }
    QDialog* AlarmDlg() { return App().SystemCommands().AlarmDialog(); }

private slots:
    void init() {
        m_fx = std::make_unique<AppFixture>();
        QVERIFY(m_fx->Start());
    }
    void cleanup() { m_fx.reset(); }

    // The menu bar follows the active window; the window list is filled as its menu opens.
    void menusFollowTheActiveWindow() {
        QCOMPARE(Frame().CurrentMenuId(), 128);
        QCOMPARE(Frame().menuBar()->actions().size(), 4);
        Frame().OnCommand(ID_FILE_NEW);
        QCOMPARE(Frame().CurrentMenuId(), 129);
        QCOMPARE(Frame().menuBar()->actions().size(), 6);
        QMenu* window = Frame().CurrentMenus()[4];
        window->popup(QPoint(0, 0));
        const QString last = window->actions().back()->text();
        window->hide();
        QCOMPARE(last, QStringLiteral("&1 Dawnly1"));
        Frame().MDIGetActive()->close();
        QTRY_COMPARE(Frame().CurrentMenuId(), 128);
        QCOMPARE(Frame().menuBar()->actions().size(), 4);
        // Every tool-bar button has its picture and explains itself in context-help mode.
        for (QAction* a : Frame().ToolBar()->actions()) {
            if (a->isSeparator()) continue;
            QVERIFY2(!a->icon().pixmap(16, 16).isNull(), qPrintable(a->toolTip()));
            QVERIFY(!a->whatsThis().isEmpty());
        }
    }

    // Enabled without a document / with one: only what needs a document waits for one; cut,
    // copy and the empty recent-file entry wait for more.
    void enabledWithAndWithoutDocument() {
        const std::vector<std::pair<int, int>> table{
            {ID_FILE_NEW, 3},         {ID_FILE_SAVE, 2},     {ID_EDIT_CUT, 0},
            {ID_EDIT_COPY, 0},        {ID_FILE_PRINT, 2},    {ID_CONTEXT_HELP, 3},
            {ID_CREATE_HOST_LIST, 3}, {ID_POWER_ON_HOST, 3}, {ID_GROUP_POWER_ON, 3},
            {ID_FILE_MRU_FILE1, 0}};
        for (const auto& [id, bits] : table)
            QCOMPARE(Frame().Action(id)->isEnabled(), (bits & 1) != 0);
        App().OnFileNew();
        for (int pass = 0; pass < 2; ++pass) {
            if (pass) Frame().UpdateCommandUI();
            for (const auto& [id, bits] : table)
                QVERIFY2(Frame().Action(id)->isEnabled() == ((bits & 2) != 0),
                         qPrintable(QString::number(id)));
        }
    }

    void titleFollowsTheActiveDocument() {
        App().OnFileNew();
        QCOMPARE(Frame().windowTitle(), QStringLiteral("Wakeburst Utility - Dawnly1"));
        App().OnFileNew();
        QCOMPARE(Frame().windowTitle(), QStringLiteral("Wakeburst Utility - Dawnly2"));
        const auto windows = Frame().MdiArea()->subWindowList(QMdiArea::CreationOrder);
        QVERIFY(!Frame().GetActiveDocument()->IsModified());
        QVERIFY(Frame().GetActiveDocument()->Text().isEmpty());
        Frame().MdiArea()->setActiveSubWindow(windows[0]);
        QCOMPARE(Frame().windowTitle(), QStringLiteral("Wakeburst Utility - Dawnly1"));
        for (auto* w : windows)
            w->close();
        QTRY_COMPARE(Frame().windowTitle(), QStringLiteral("Wakeburst Utility"));
    }

    // The idle prompt comes back after context-help mode and after a command's fly-by text.
    void statusBarPrompts() {
        const QString idle = Frame().MessageText();
        QVERIFY(!idle.isEmpty());
        for (int id : {ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL})
            QCOMPARE(Frame().IndicatorText(id), QString());  // no lock key is on offscreen
        QEvent enter(QEvent::EnterWhatsThisMode);
        QCoreApplication::sendEvent(&Frame(), &enter);
        QVERIFY(Frame().MessageText() != idle);
        QEvent leave(QEvent::LeaveWhatsThisMode);
        QCoreApplication::sendEvent(&Frame(), &leave);
        QCOMPARE(Frame().MessageText(), idle);
        // The fly-by prompt is the first line of the command's prompt string.
        Frame().Action(ID_POWER_ON_HOST)->showStatusText(&Frame());
        QCOMPARE(Frame().MessageText(), QStringLiteral("发送wakeburst到一台主机, 単播或广播"));
        Frame().statusBar()->clearMessage();
        QCOMPARE(Frame().MessageText(), idle);
    }

    void systemCommandsRouting_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<bool>("withDocument");
        for (bool doc : {false, true}) {
            const char* where = doc ? "view" : "frame";
            QTest::addRow("32771 %s", where) << int(ID_CREATE_HOST_LIST) << doc;
            QTest::addRow("32772 %s", where) << int(ID_POWER_ON_HOST) << doc;
            QTest::addRow("32773 %s", where) << int(ID_GROUP_POWER_ON) << doc;
        }
    }
    void systemCommandsRouting() {
        QFETCH(int, id);
        QFETCH(bool, withDocument);
        if (withDocument) App().OnFileNew();
        CDawnlyView* view = Frame().GetActiveView();
        QCOMPARE(view != nullptr, withDocument);
        QSignalSpy frameSpy(&Frame(), &CMainFrame::systemCommandHandled);
        std::unique_ptr<QSignalSpy> viewSpy;
        if (view) viewSpy = std::make_unique<QSignalSpy>(view, &CDawnlyView::systemCommandHandled);

        Frame().Action(id)->trigger();

        QCOMPARE(frameSpy.count(), withDocument ? 0 : 1);
        if (viewSpy) QCOMPARE(viewSpy->count(), 1);
        // The same behaviour either way.
        QDialog* const shown[] = {SendDlg(), AlarmDlg()};
        if (id == ID_CREATE_HOST_LIST) {
            QCOMPARE(static_cast<int>(CUiSeam::Records().size()), 1);
            QCOMPARE(CUiSeam::Records()[0].kind, CUiSeam::Kind::Dialog);
            QCOMPARE(CUiSeam::Records()[0].caption, QStringLiteral("wb::gui::CCreateListDlg"));
            QVERIFY(!shown[0] && !shown[1]);
        } else {
            const int which = id == ID_POWER_ON_HOST ? 0 : 1;
            QVERIFY(shown[which] && shown[which]->isVisible());
            QVERIFY(shown[1 - which] == nullptr);
        }
    }

    // Each modeless dialog opens once, through the frame or the view alike.
    void modelessDialogsOpenOnce() {
        Frame().OnCommand(ID_POWER_ON_HOST);
        QDialog* first = SendDlg();
        QVERIFY(first);
        App().OnFileNew();
        Frame().OnCommand(ID_POWER_ON_HOST);  // now through the view
        QCOMPARE(SendDlg(), first);
        Frame().OnCommand(ID_GROUP_POWER_ON);
        QDialog* alarms = AlarmDlg();
        QVERIFY(alarms && alarms != first);
        Frame().OnCommand(ID_GROUP_POWER_ON);
        QCOMPARE(AlarmDlg(), alarms);
        QCOMPARE(Frame().findChildren<QDialog*>().size(), qsizetype{2});
        // Closing one leaves the other's pointer alone.
        first->close();
        QTRY_VERIFY(SendDlg() == nullptr);
        QCOMPARE(AlarmDlg(), alarms);
        const QPointer<QDialog> alarmsLeft = alarms;
        m_fx->Stop();
        QVERIFY(alarmsLeft.isNull());
    }

    void aboutBoxRunsModally() {
        Frame().Action(ID_APP_ABOUT)->trigger();
        QCOMPARE(static_cast<int>(CUiSeam::Records().size()), 1);
        QCOMPARE(CUiSeam::Records()[0].caption, QStringLiteral("wb::gui::CAboutDlg"));
    }

    void droppedFilesOpenAsDocuments() {
        wb::test::WriteFileBytes(m_fx->Path("a.mp"), "a\r\n");
        wb::test::WriteFileBytes(m_fx->Path("b.txt"), "b\n");
        QMimeData data;
        data.setUrls(
            {QUrl::fromLocalFile(m_fx->Path("a.mp")), QUrl::fromLocalFile(m_fx->Path("b.txt"))});
        QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton,
                              Qt::NoModifier);
        QCoreApplication::sendEvent(&Frame(), &enter);
        QVERIFY(enter.isAccepted());
        QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(&Frame(), &drop);
        QCOMPARE(Frame().MdiArea()->subWindowList().size(), 2);
        QCOMPARE(Frame().GetActiveDocument()->GetTitle(), QStringLiteral("b.txt"));
        QCOMPARE(Frame().CurrentMenuId(), 129);
    }

    void helpCommandsShowTheBuiltInPage() {
        Frame().OnCommand(ID_HELP);
        QTextBrowser* page = nullptr;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (w->isVisible() && (page = w->findChild<QTextBrowser*>())) break;
        }
        QVERIFY(page);
        const QString text = page->toPlainText();
        for (const char* part :
             {"命令", "主机列表文件格式", "提醒", "唤醒日志", "Dawnly.log", "DwnGs"}) {
            QVERIFY2(text.contains(QString::fromUtf8(part)), part);
        }
        page->window()->close();
    }
};

QTEST_MAIN(FrameTest)
#include "frame_test.moc"
