#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
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
#include "common/help.h"
#include "common/ui_seam.h"
#include "shell/app_strings.h"
#include "shell/backdrop_wnd.h"
#include "shell/child_frame.h"
#include "shell/command_ids.h"
#include "shell/dawnly_doc.h"
#include "shell/dawnly_view.h"
#include "shell/main_frame.h"
#include "shell/system_commands.h"

using namespace wb::gui;
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

    void menusFollowTheActiveWindow() {
        QCOMPARE(Frame().CurrentMenuId(), 128);
        auto menus = Frame().CurrentMenus();
        QCOMPARE(Titles(menus), QStringList({"文件(&F)", "视图(&V)", "&Wakebursts", "帮助(&H)"}));
        QCOMPARE(ItemsOf(menus[0]),
                 QStringList({"新建(&N)\tCtrl+N", "打开(&O)...\tCtrl+O", "-", "打印设置(&r)...",
                              "-", "最近文件", "-", "退出(&x)"}));
        QCOMPARE(ItemsOf(menus[1]), QStringList({"工具栏(&T)", "状态栏(&S)"}));
        QCOMPARE(ItemsOf(menus[2]),
                 QStringList({"创建主机列表(&C)", "-", "启动指定主机(&P)", "启动一组主机(&G)"}));
        QCOMPARE(ItemsOf(menus[3]),
                 QStringList({"帮助主题(&H)", "-", "关于 Wakeburst Utility(&A)..."}));

        Frame().OnCommand(ID_FILE_NEW);
        QCOMPARE(Frame().CurrentMenuId(), 129);
        menus = Frame().CurrentMenus();
        QCOMPARE(Titles(menus), QStringList({"文件(&F)", "编辑(&E)", "视图(&V)", "&Wakebursts",
                                             "窗口(&W)", "帮助(&H)"}));
        QCOMPARE(Frame().menuBar()->actions().size(), 6);
        QCOMPARE(
            ItemsOf(menus[0]),
            QStringList({"新建(&N)\tCtrl+N", "打开(&O)...\tCtrl+O", "关闭(&C)", "保存(&S)\tCtrl+S",
                         "另存为(&A)...", "-", "打印(&P)...\tCtrl+P", "打印预览(&v)",
                         "打印设置(&r)...", "-", "最近文件", "-", "退出(&x)"}));
        QCOMPARE(ItemsOf(menus[1]),
                 QStringList({"撤消(&U)\tCtrl+Z", "-", "剪切(&t)\tCtrl+X", "复制(&C)\tCtrl+C",
                              "粘贴(&P)\tCtrl+V", "-", "查找(&F)", "替换(&R)", "全选(&S)"}));
        menus[4]->popup(QPoint(0, 0));  // the window list is filled as the menu opens
        const QStringList window = ItemsOf(menus[4]);
        menus[4]->hide();
        QCOMPARE(window, QStringList({"新建窗口(&N)", "重叠窗口(&C)", "平铺窗口(&T)",
                                      "排列图标(&A)", "-", "&1 Dawnly1"}));

        Frame().MDIGetActive()->close();
        QTRY_COMPARE(Frame().CurrentMenuId(), 128);
        QCOMPARE(Frame().menuBar()->actions().size(), 4);
    }

    void toolBarButtonsInOrder() {
        QStringList buttons;
        for (QAction* a : Frame().ToolBar()->actions()) {
            if (a->isSeparator()) {
                buttons << QStringLiteral("|");
                continue;
            }
            buttons << QString::number(a->data().toInt()) + u':' + a->toolTip();
            QVERIFY2(!a->icon().pixmap(16, 16).isNull(), qPrintable(a->toolTip()));
        }
        QCOMPARE(buttons, QStringList({"57600:新建", "57601:打开", "57603:保存", "|", "57635:剪切",
                                       "57634:复制", "57637:粘贴", "|", "57607:打印", "57664:关于",
                                       "57669:帮助", "|", "32771:创建列表", "32772:发送到指定主体",
                                       "32773:设置提醒"}));
    }

    void enabledWithAndWithoutDocument_data() {
        QTest::addColumn<int>("id");
        QTest::addColumn<bool>("withoutDocument");
        QTest::addColumn<bool>("withDocument");
        QTest::newRow("new") << int(ID_FILE_NEW) << true << true;
        QTest::newRow("save") << int(ID_FILE_SAVE) << false << true;
        QTest::newRow("cut") << int(ID_EDIT_CUT) << false << false;  // nothing selected
        QTest::newRow("copy") << int(ID_EDIT_COPY) << false << false;
        QTest::newRow("print") << int(ID_FILE_PRINT) << false << true;
        QTest::newRow("context help") << int(ID_CONTEXT_HELP) << true << true;
        QTest::newRow("create list") << int(ID_CREATE_HOST_LIST) << true << true;
        QTest::newRow("send") << int(ID_POWER_ON_HOST) << true << true;
        QTest::newRow("alarms") << int(ID_GROUP_POWER_ON) << true << true;
        QTest::newRow("recent file") << int(ID_FILE_MRU_FILE1) << false << false;
    }
    void enabledWithAndWithoutDocument() {
        QFETCH(int, id);
        QFETCH(bool, withoutDocument);
        QFETCH(bool, withDocument);
        QCOMPARE(Frame().Action(id)->isEnabled(), withoutDocument);
        App().OnFileNew();
        QCOMPARE(Frame().Action(id)->isEnabled(), withDocument);
        Frame().UpdateCommandUI();
        QCOMPARE(Frame().Action(id)->isEnabled(), withDocument);
    }

    void acceleratorsAsListed_data() {
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
    void acceleratorsAsListed() {
        QFETCH(int, id);
        QFETCH(QString, keys);
        QStringList got;
        for (const QKeySequence& k : Frame().Action(id)->shortcuts())
            got << k.toString(QKeySequence::PortableText);
        QCOMPARE(got.join(QStringLiteral(", ")), keys);
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

    void statusBarPrompts() {
        QCOMPARE(Frame().MessageText(), QStringLiteral("按F1获取帮助"));
        // The offscreen platform reports no lock key as on.
        for (int id : {ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL})
            QCOMPARE(Frame().IndicatorText(id), QString());
        QEvent enter(QEvent::EnterWhatsThisMode);
        QCoreApplication::sendEvent(&Frame(), &enter);
        QCOMPARE(Frame().MessageText(), QStringLiteral("选择一个对象获取帮助"));
        QEvent leave(QEvent::LeaveWhatsThisMode);
        QCoreApplication::sendEvent(&Frame(), &leave);
        QCOMPARE(Frame().MessageText(), QStringLiteral("按F1获取帮助"));
        // A command's fly-by prompt is the first line of its prompt string.
        Frame().Action(ID_POWER_ON_HOST)->showStatusText(&Frame());
        QCOMPARE(Frame().MessageText(), QStringLiteral("发送wakeburst到一台主机, 単播或广播"));
        Frame().statusBar()->clearMessage();
        QCOMPARE(Frame().MessageText(), QStringLiteral("按F1获取帮助"));
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
            QCOMPARE(CUiSeam::Records()[0].text, QStringLiteral("创建局域网主机列表"));
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
        QCOMPARE(CUiSeam::Records()[0].text, QStringLiteral("关于 Wakeburst Utility"));
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
        // Every tool-bar button explains itself in context-help mode.
        for (QAction* a : Frame().ToolBar()->actions()) {
            if (!a->isSeparator()) QVERIFY(!a->whatsThis().isEmpty());
        }
    }

    // Every help id the dialogs use has a one-line text.
    void dialogControlsHaveContextHelp() {
        for (quint32 id :
             {0x808303EAu, 0x80830408u, 0x808203E8u, 0x80820468u, 0x80840005u, 0x808403E9u,
              0x808403FAu, 0x8084052Du, 0x808405E2u, 0x80840589u, 0x808403FBu, 0x808403FCu,
              0x80840004u, 0x80840003u, 0x80840001u, 0x80840002u}) {
            QLineEdit control;
            SetContextHelp(&control, id);
            QVERIFY2(!control.whatsThis().isEmpty(), qPrintable(QString::number(id, 16)));
            QVERIFY(!control.whatsThis().contains(u'\n'));
        }
    }
};

QTEST_MAIN(FrameTest)
#include "frame_test.moc"
