#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>

#include "app/app_strings.h"
#include "app/backdrop_wnd.h"
#include "app/child_frame.h"
#include "app/command_ids.h"
#include "app/dawnly_doc.h"
#include "app/dawnly_view.h"
#include "app/help.h"
#include "app/main_frame.h"
#include "app/system_commands.h"
#include "app/ui_seam.h"
#include "app_test_support.h"

using namespace wb::app;
using wb::test::AppFixture;

namespace {

// "text" for an item, "-" for a separator.
QStringList ItemsOf(QMenu* menu) {
    QStringList items;
    for (QAction* a : menu->actions())
        items << (a->isSeparator() ? QStringLiteral("-") : a->text());
    return items;
}

QStringList Titles(const QList<QMenu*>& menus) {
    QStringList titles;
    for (QMenu* m : menus)
        titles << m->title();
    return titles;
}

}  // namespace

class FrameTest : public QObject {
    Q_OBJECT
private slots:
    void menusFollowTheActiveWindow();
    void menu128Items();
    void menu129Items();
    void recentFileEntryIsAlwaysDisabled();
    void toolBarButtonsInOrder();
    void toolBarDisabledWithoutDocument_data();
    void toolBarDisabledWithoutDocument();
    void acceleratorsAsListed_data();
    void acceleratorsAsListed();
    void titleFollowsTheActiveDocument();
    void statusBarPanes();
    void flyByPromptShowsFirstLine();
    void systemCommandsRouting_data();
    void systemCommandsRouting();
    void modelessDialogsOpenOnce();
    void aboutBoxRunsModally();
    void droppedFilesOpenAsDocuments();
    void helpCommandsShowTheBuiltInPage();
    void dialogControlsHaveContextHelp_data();
    void dialogControlsHaveContextHelp();
};

void FrameTest::menusFollowTheActiveWindow() {
    AppFixture fx;
    QVERIFY(fx.Start());
    CMainFrame& frame = fx.Frame();
    QCOMPARE(frame.CurrentMenuId(), 128);
    QCOMPARE(Titles(frame.CurrentMenus()),
             QStringList({"文件(&F)", "视图(&V)", "&Wakebursts", "帮助(&H)"}));
    fx.App().OnCmdMsg(ID_FILE_NEW);
    QCOMPARE(frame.CurrentMenuId(), 129);
    QCOMPARE(Titles(frame.CurrentMenus()), QStringList({"文件(&F)", "编辑(&E)", "视图(&V)",
                                                        "&Wakebursts", "窗口(&W)", "帮助(&H)"}));
    QCOMPARE(frame.menuBar()->actions().size(), 6);
    frame.MDIGetActive()->close();
    QTRY_COMPARE(frame.CurrentMenuId(), 128);
    QCOMPARE(frame.menuBar()->actions().size(), 4);
}

void FrameTest::menu128Items() {
    AppFixture fx;
    QVERIFY(fx.Start());
    const auto menus = fx.Frame().CurrentMenus();
    QCOMPARE(ItemsOf(menus[0]), QStringList({"新建(&N)\tCtrl+N", "打开(&O)...\tCtrl+O", "-",
                                             "打印设置(&r)...", "-", "最近文件", "-", "退出(&x)"}));
    QCOMPARE(ItemsOf(menus[1]), QStringList({"工具栏(&T)", "状态栏(&S)"}));
    QCOMPARE(ItemsOf(menus[2]),
             QStringList({"创建主机列表(&C)", "-", "启动指定主机(&P)", "启动一组主机(&G)"}));
    QCOMPARE(ItemsOf(menus[3]),
             QStringList({"帮助主题(&H)", "-", "关于 Wakeburst Utility(&A)..."}));
}

void FrameTest::menu129Items() {
    AppFixture fx;
    QVERIFY(fx.Start());
    fx.App().OnFileNew();
    const auto menus = fx.Frame().CurrentMenus();
    QCOMPARE(ItemsOf(menus[0]),
             QStringList({"新建(&N)\tCtrl+N", "打开(&O)...\tCtrl+O", "关闭(&C)", "保存(&S)\tCtrl+S",
                          "另存为(&A)...", "-", "打印(&P)...\tCtrl+P", "打印预览(&v)",
                          "打印设置(&r)...", "-", "最近文件", "-", "退出(&x)"}));
    QCOMPARE(ItemsOf(menus[1]),
             QStringList({"撤消(&U)\tCtrl+Z", "-", "剪切(&t)\tCtrl+X", "复制(&C)\tCtrl+C",
                          "粘贴(&P)\tCtrl+V", "-", "查找(&F)", "替换(&R)", "全选(&S)"}));
    menus[4]->popup(QPoint(0, 0));  // the window list is filled as the menu opens
    QStringList window = ItemsOf(menus[4]);
    menus[4]->hide();
    QCOMPARE(window.mid(0, 4),
             QStringList({"新建窗口(&N)", "重叠窗口(&C)", "平铺窗口(&T)", "排列图标(&A)"}));
    QCOMPARE(window.mid(4), QStringList({"-", "&1 Dawnly1"}));
}

void FrameTest::recentFileEntryIsAlwaysDisabled() {
    AppFixture fx;
    QVERIFY(fx.Start());
    QAction* mru = fx.Frame().Action(ID_FILE_MRU_FILE1);
    QVERIFY(!mru->isEnabled());
    fx.App().OnFileNew();
    fx.Frame().UpdateCommandUI();
    QVERIFY(!mru->isEnabled());
    QCOMPARE(mru->statusTip(), QStringLiteral("打开此文档"));
}

void FrameTest::toolBarButtonsInOrder() {
    AppFixture fx;
    QVERIFY(fx.Start());
    QStringList buttons;
    for (QAction* a : fx.Frame().ToolBar()->actions()) {
        if (a->isSeparator()) {
            buttons << QStringLiteral("|");
            continue;
        }
        buttons << QString::number(a->data().toInt()) + u':' + a->toolTip();
        QVERIFY2(!a->icon().isNull(), qPrintable(a->toolTip()));
        QVERIFY(!a->icon().pixmap(16, 16).isNull());
    }
    QCOMPARE(buttons,
             QStringList({"57600:新建", "57601:打开", "57603:保存", "|", "57635:剪切", "57634:复制",
                          "57637:粘贴", "|", "57607:打印", "57664:关于", "57669:帮助", "|",
                          "32771:创建列表", "32772:发送到指定主体", "32773:设置提醒"}));
}

void FrameTest::toolBarDisabledWithoutDocument_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<bool>("withoutDocument");
    QTest::addColumn<bool>("withDocument");
    QTest::newRow("new") << int(ID_FILE_NEW) << true << true;
    QTest::newRow("open") << int(ID_FILE_OPEN) << true << true;
    QTest::newRow("save") << int(ID_FILE_SAVE) << false << true;
    QTest::newRow("cut") << int(ID_EDIT_CUT) << false << false;  // nothing selected
    QTest::newRow("copy") << int(ID_EDIT_COPY) << false << false;
    QTest::newRow("print") << int(ID_FILE_PRINT) << false << true;
    QTest::newRow("about") << int(ID_APP_ABOUT) << true << true;
    QTest::newRow("context help") << int(ID_CONTEXT_HELP) << true << true;
    QTest::newRow("create list") << int(ID_CREATE_HOST_LIST) << true << true;
    QTest::newRow("send") << int(ID_POWER_ON_HOST) << true << true;
    QTest::newRow("alarms") << int(ID_GROUP_POWER_ON) << true << true;
}

void FrameTest::toolBarDisabledWithoutDocument() {
    QFETCH(int, id);
    QFETCH(bool, withoutDocument);
    QFETCH(bool, withDocument);
    AppFixture fx;
    QVERIFY(fx.Start());
    QCOMPARE(fx.Frame().Action(id)->isEnabled(), withoutDocument);
    fx.App().OnFileNew();
    QCOMPARE(fx.Frame().Action(id)->isEnabled(), withDocument);
}

void FrameTest::acceleratorsAsListed_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<QString>("keys");
    QTest::newRow("new") << int(ID_FILE_NEW) << "Ctrl+N";
    QTest::newRow("open") << int(ID_FILE_OPEN) << "Ctrl+O";
    QTest::newRow("save") << int(ID_FILE_SAVE) << "Ctrl+S";
    QTest::newRow("print") << int(ID_FILE_PRINT) << "Ctrl+P";
    QTest::newRow("undo") << int(ID_EDIT_UNDO) << "Ctrl+Z, Alt+Backspace";
    QTest::newRow("cut") << int(ID_EDIT_CUT) << "Ctrl+X, Shift+Del";
    QTest::newRow("copy") << int(ID_EDIT_COPY) << "Ctrl+C, Ctrl+Ins";
    QTest::newRow("paste") << int(ID_EDIT_PASTE) << "Ctrl+V, Shift+Ins";
    QTest::newRow("next pane") << int(ID_NEXT_PANE) << "F6";
    QTest::newRow("previous pane") << int(ID_PREV_PANE) << "Shift+F6";
    QTest::newRow("context help") << int(ID_CONTEXT_HELP) << "Shift+F1";
    QTest::newRow("help") << int(ID_HELP) << "F1";
}

void FrameTest::acceleratorsAsListed() {
    QFETCH(int, id);
    QFETCH(QString, keys);
    AppFixture fx;
    QVERIFY(fx.Start());
    QStringList got;
    for (const QKeySequence& k : fx.Frame().Action(id)->shortcuts()) {
        got << k.toString(QKeySequence::PortableText);
    }
    QCOMPARE(got.join(QStringLiteral(", ")), keys);
}

void FrameTest::titleFollowsTheActiveDocument() {
    AppFixture fx;
    QVERIFY(fx.Start());
    CMainFrame& frame = fx.Frame();
    fx.App().OnFileNew();
    QCOMPARE(frame.windowTitle(), QStringLiteral("Wakeburst Utility - Dawnly1"));
    fx.App().OnFileNew();
    QCOMPARE(frame.windowTitle(), QStringLiteral("Wakeburst Utility - Dawnly2"));
    const auto windows = frame.MdiArea()->subWindowList(QMdiArea::CreationOrder);
    frame.MdiArea()->setActiveSubWindow(windows[0]);
    QCOMPARE(frame.windowTitle(), QStringLiteral("Wakeburst Utility - Dawnly1"));
    for (auto* w : windows)
        w->close();
    QTRY_COMPARE(frame.windowTitle(), QStringLiteral("Wakeburst Utility"));
}

void FrameTest::statusBarPanes() {
    AppFixture fx;
    QVERIFY(fx.Start());
    CMainFrame& frame = fx.Frame();
    QCOMPARE(frame.MessageText(), QStringLiteral("按F1获取帮助"));
    // The offscreen platform reports no lock key as on.
    for (int id : {ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL}) {
        QCOMPARE(frame.IndicatorText(id), QString());
    }
    QEvent enter(QEvent::EnterWhatsThisMode);
    QCoreApplication::sendEvent(&frame, &enter);
    QCOMPARE(frame.MessageText(), QStringLiteral("选择一个对象获取帮助"));
    QEvent leave(QEvent::LeaveWhatsThisMode);
    QCoreApplication::sendEvent(&frame, &leave);
    QCOMPARE(frame.MessageText(), QStringLiteral("按F1获取帮助"));
}

void FrameTest::flyByPromptShowsFirstLine() {
    AppFixture fx;
    QVERIFY(fx.Start());
    CMainFrame& frame = fx.Frame();
    QAction* send = frame.Action(ID_POWER_ON_HOST);
    QCOMPARE(send->statusTip(), QStringLiteral("发送wakeburst到一台主机, 単播或广播"));
    send->showStatusText(&frame);
    QCOMPARE(frame.MessageText(), QStringLiteral("发送wakeburst到一台主机, 単播或广播"));
    frame.statusBar()->clearMessage();
    QCOMPARE(frame.MessageText(), QStringLiteral("按F1获取帮助"));
}

void FrameTest::systemCommandsRouting_data() {
    QTest::addColumn<int>("id");
    QTest::addColumn<bool>("withDocument");
    for (bool doc : {false, true}) {
        const char* where = doc ? "view" : "frame";
        QTest::addRow("32771 %s", where) << int(ID_CREATE_HOST_LIST) << doc;
        QTest::addRow("32772 %s", where) << int(ID_POWER_ON_HOST) << doc;
        QTest::addRow("32773 %s", where) << int(ID_GROUP_POWER_ON) << doc;
    }
}

void FrameTest::systemCommandsRouting() {
    QFETCH(int, id);
    QFETCH(bool, withDocument);
    AppFixture fx;
    QVERIFY(fx.Start());
    CMainFrame& frame = fx.Frame();
    if (withDocument) fx.App().OnFileNew();
    CDawnlyView* view = frame.GetActiveView();
    QCOMPARE(view != nullptr, withDocument);
    QSignalSpy frameSpy(&frame, &CMainFrame::systemCommandHandled);
    std::unique_ptr<QSignalSpy> viewSpy;
    if (view) viewSpy = std::make_unique<QSignalSpy>(view, &CDawnlyView::systemCommandHandled);

    frame.Action(id)->trigger();

    QCOMPARE(frameSpy.count(), withDocument ? 0 : 1);
    if (viewSpy) QCOMPARE(viewSpy->count(), 1);
    // The same behaviour either way.
    switch (id) {
        case ID_CREATE_HOST_LIST: {
            QCOMPARE(static_cast<int>(CUiSeam::Records().size()), 1);
            QCOMPARE(CUiSeam::Records()[0].kind, CUiSeam::Kind::Dialog);
            QCOMPARE(CUiSeam::Records()[0].text, QStringLiteral("创建局域网主机列表"));
            break;
        }
        case ID_POWER_ON_HOST:
            QVERIFY(g_pSendDlg != nullptr);
            QVERIFY(g_pSendDlg->isVisible());
            QVERIFY(g_pAlarmDlg == nullptr);
            break;
        case ID_GROUP_POWER_ON:
            QVERIFY(g_pAlarmDlg != nullptr);
            QVERIFY(g_pAlarmDlg->isVisible());
            QVERIFY(g_pSendDlg == nullptr);
            break;
    }
}

void FrameTest::modelessDialogsOpenOnce() {
    AppFixture fx;
    QVERIFY(fx.Start());
    CMainFrame& frame = fx.Frame();
    frame.OnCommand(ID_POWER_ON_HOST);
    QDialog* first = g_pSendDlg;
    QVERIFY(first);
    fx.App().OnFileNew();
    frame.OnCommand(ID_POWER_ON_HOST);  // now through the view
    QCOMPARE(g_pSendDlg, first);
    frame.OnCommand(ID_GROUP_POWER_ON);
    QVERIFY(g_pAlarmDlg && g_pAlarmDlg != static_cast<QDialog*>(first));
    first->close();
    QTRY_VERIFY(g_pSendDlg == nullptr);
    QVERIFY(g_pAlarmDlg != nullptr);
    fx.Stop();
    QVERIFY(g_pAlarmDlg == nullptr);
}

void FrameTest::aboutBoxRunsModally() {
    AppFixture fx;
    QVERIFY(fx.Start());
    fx.Frame().Action(ID_APP_ABOUT)->trigger();
    QCOMPARE(static_cast<int>(CUiSeam::Records().size()), 1);
    QCOMPARE(CUiSeam::Records()[0].text, QStringLiteral("关于 Wakeburst Utility"));
    QCOMPARE(CUiSeam::Records()[0].caption, QStringLiteral("wb::app::CAboutDlg"));
}

void FrameTest::droppedFilesOpenAsDocuments() {
    AppFixture fx;
    QVERIFY(fx.Start());
    wb::test::WriteFileBytes(fx.Path("a.mp"), "a\r\n");
    wb::test::WriteFileBytes(fx.Path("b.txt"), "b\n");
    QMimeData data;
    data.setUrls({QUrl::fromLocalFile(fx.Path("a.mp")), QUrl::fromLocalFile(fx.Path("b.txt"))});
    CMainFrame& frame = fx.Frame();
    QDragEnterEvent enter(QPoint(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&frame, &enter);
    QVERIFY(enter.isAccepted());
    QDropEvent drop(QPointF(10, 10), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&frame, &drop);
    QCOMPARE(frame.MdiArea()->subWindowList().size(), 2);
    QCOMPARE(frame.GetActiveDocument()->GetTitle(), QStringLiteral("b.txt"));
    QCOMPARE(frame.CurrentMenuId(), 129);
}

void FrameTest::helpCommandsShowTheBuiltInPage() {
    AppFixture fx;
    QVERIFY(fx.Start());
    fx.Frame().OnCommand(ID_HELP);
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
    // Every tool-bar button explains itself in context-help mode.
    for (QAction* a : fx.Frame().ToolBar()->actions()) {
        if (!a->isSeparator()) QVERIFY(!a->whatsThis().isEmpty());
    }
}

void FrameTest::dialogControlsHaveContextHelp_data() {
    QTest::addColumn<quint32>("id");
    for (quint32 id : {0x808303EAu, 0x80830408u, 0x808203E8u, 0x80820468u, 0x80840005u, 0x808403E9u,
                       0x808403FAu, 0x8084052Du, 0x808405E2u, 0x80840589u, 0x808403FBu, 0x808403FCu,
                       0x80840004u, 0x80840003u, 0x80840001u, 0x80840002u}) {
        QTest::addRow("%08X", id) << id;
    }
}

void FrameTest::dialogControlsHaveContextHelp() {
    QFETCH(quint32, id);
    QLineEdit control;
    SetContextHelp(&control, id);
    QVERIFY(!control.whatsThis().isEmpty());
    QVERIFY(!control.whatsThis().contains(u'\n'));
}

QTEST_MAIN(FrameTest)
#include "frame_test.moc"
