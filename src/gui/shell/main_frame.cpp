#include "shell/main_frame.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QIcon>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QPainter>
#include <QScreen>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QToolBar>
#include <QUrl>
#include <QWhatsThis>

#include "common/help.h"
#include "common/ui_seam.h"
#include "shell/app_strings.h"
#include "shell/backdrop_wnd.h"
#include "shell/child_frame.h"
#include "shell/command_ids.h"
#include "shell/command_table.h"
#include "shell/dawnly_app.h"
#include "shell/dawnly_doc.h"
#include "shell/dawnly_doc_template.h"
#include "shell/dawnly_view.h"
#include "shell/keyboard_locks.h"
#include "shell/system_commands.h"

namespace wb::gui {

namespace {

constexpr int kActivateWindowPrompt = 61215;

QKeySequence Key(QKeyCombination key) { return QKeySequence(key); }

// The tool-bar images of the two wake commands: one host, or a stack of them.
QIcon WakeIcon(int hosts) {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    for (int k = hosts - 1; k >= 0; --k) {
        const QRectF screen(1 + 3 * k, 1 + 3 * k, 11 - 3 * (hosts - 1), 8);
        painter.setPen(QPen(QColor(0x20, 0x20, 0x20), 1));
        painter.setBrush(k == 0 ? QColor(0xff, 0xd0, 0x40) : QColor(0x90, 0x90, 0x90));
        painter.drawRect(screen);
    }
    painter.setPen(QPen(QColor(0x1b, 0x7a, 0x2e), 2));
    painter.drawLine(QPointF(8, 15), QPointF(8, 11));
    painter.drawLine(QPointF(5, 14), QPointF(11, 14));
    return QIcon(pixmap);
}

// Where the main window's size, place and state are kept between runs: Qt's settings file
// in the user's configuration directory, looked up anew each time (Qt's own settings keep
// the directory they first found for the whole process).
QSettings WindowSettings() {
    const QString dir = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    return QSettings(dir + QStringLiteral("/wakeburst/dawnly.ini"), QSettings::IniFormat);
}

constexpr char kGeometryKey[] = "mainWindow/geometry";
constexpr char kMaximisedKey[] = "mainWindow/maximised";
// The share of the screen's free area a first window takes, and its largest size.
constexpr double kFirstShare = 0.8;
const QSize kLargestFirst(1100, 760);

}  // namespace

CMainFrame::CMainFrame(CDawnlyApp& app) : m_app(app) {
    setWindowTitle(AppString(AFX_IDS_APP_TITLE));
    setWindowIcon(QIcon(QStringLiteral(":/icons/dawnly.png")));
    setAttribute(Qt::WA_DeleteOnClose, false);
}

CMainFrame::~CMainFrame() = default;

bool CMainFrame::LoadFrame() {
    m_wndBackdrop = new CBackdropWnd(this);
    m_wndBackdrop->setActivationOrder(QMdiArea::ActivationHistoryOrder);
    setCentralWidget(m_wndBackdrop);
    connect(m_wndBackdrop, &QMdiArea::subWindowActivated, this, &CMainFrame::OnSubWindowActivated);

    CreateActions();
    CreateMenus();
    if (!CreateToolBar() || !CreateStatusBar()) return false;
    SwitchMenus();

    connect(QApplication::clipboard(), &QClipboard::dataChanged, this,
            &CMainFrame::UpdateCommandUI);
    qApp->installEventFilter(this);

    if (!StartAlarmTimer()) {
        CUiSeam::Message(this, tr("时间设置失败."), QMessageBox::Ok, QMessageBox::Critical,
                         QStringLiteral("ERROR"));
        return false;
    }
    UpdateCommandUI();
    UpdateIndicators();
    RestoreWindowPlacement();
    return true;
}

void CMainFrame::RestoreWindowPlacement() {
    QSettings settings = WindowSettings();
    const QRect saved = settings.value(QLatin1String(kGeometryKey)).toRect();
    // A place on a screen that is gone (a monitor unplugged) would open the window out of
    // sight: it is kept only while a screen still shows most of it.
    QScreen* screen = saved.isValid() ? QGuiApplication::screenAt(saved.center()) : nullptr;
    if (screen && screen->availableGeometry().intersects(saved)) {
        const QRect area = screen->availableGeometry();
        QRect placed = saved;
        placed.setSize(saved.size().boundedTo(area.size()));
        placed.moveTopLeft(
            QPoint(std::clamp(placed.left(), area.left(), area.right() - placed.width() + 1),
                   std::clamp(placed.top(), area.top(), area.bottom() - placed.height() + 1)));
        setGeometry(placed);
    } else {
        screen = QGuiApplication::primaryScreen();
        const QRect area = screen ? screen->availableGeometry() : QRect(0, 0, 800, 600);
        const QSize size = (QSizeF(area.size()) * kFirstShare).toSize().boundedTo(kLargestFirst);
        QRect placed(QPoint(), size);
        placed.moveCenter(area.center());
        setGeometry(placed);
    }
    if (settings.value(QLatin1String(kMaximisedKey), false).toBool())
        setWindowState(windowState() | Qt::WindowMaximized);
}

void CMainFrame::SaveWindowPlacement() const {
    QSettings settings = WindowSettings();
    // The normal geometry, so that a maximised window comes back to its old size when restored.
    settings.setValue(QLatin1String(kGeometryKey), normalGeometry());
    settings.setValue(QLatin1String(kMaximisedKey), isMaximized());
}

QAction* CMainFrame::MakeAction(int id, const QString& text, const QList<QKeySequence>& keys) {
    auto* action = new QAction(text, this);
    action->setData(id);
    action->setIconVisibleInMenu(false);
    action->setStatusTip(PromptOf(id));
    action->setWhatsThis(PromptOf(id));
    const QString tip = ToolTipOf(id);
    action->setToolTip(tip.isEmpty() ? PromptOf(id) : tip);
    if (!keys.isEmpty()) {
        action->setShortcuts(keys);
        action->setShortcutContext(Qt::WindowShortcut);
        // The menu text carries the accelerator's name itself.
        action->setShortcutVisibleInContextMenu(false);
    }
    connect(action, &QAction::triggered, this, [this, id] { OnCommand(id); });
    m_actions.insert(id, action);
    addAction(action);
    return action;
}

void CMainFrame::CreateActions() {
    MakeAction(ID_FILE_NEW, tr("新建(&N)\tCtrl+N"), {Key(Qt::CTRL | Qt::Key_N)});
    MakeAction(ID_FILE_OPEN, tr("打开(&O)...\tCtrl+O"), {Key(Qt::CTRL | Qt::Key_O)});
    MakeAction(ID_FILE_CLOSE, tr("关闭(&C)"));
    MakeAction(ID_FILE_SAVE, tr("保存(&S)\tCtrl+S"), {Key(Qt::CTRL | Qt::Key_S)});
    MakeAction(ID_FILE_SAVE_AS, tr("另存为(&A)..."));
    MakeAction(ID_FILE_PRINT, tr("打印(&P)...\tCtrl+P"), {Key(Qt::CTRL | Qt::Key_P)});
    MakeAction(ID_FILE_PRINT_PREVIEW, tr("打印预览(&v)"));
    MakeAction(ID_FILE_PRINT_SETUP, tr("打印设置(&r)..."));
    MakeAction(ID_FILE_MRU_FILE1, tr("最近文件"))->setEnabled(false);
    MakeAction(ID_APP_EXIT, tr("退出(&x)"));

    MakeAction(ID_EDIT_UNDO, tr("撤消(&U)\tCtrl+Z"),
               {Key(Qt::CTRL | Qt::Key_Z), Key(Qt::ALT | Qt::Key_Backspace)});
    MakeAction(ID_EDIT_CUT, tr("剪切(&t)\tCtrl+X"),
               {Key(Qt::CTRL | Qt::Key_X), Key(Qt::SHIFT | Qt::Key_Delete)});
    MakeAction(ID_EDIT_COPY, tr("复制(&C)\tCtrl+C"),
               {Key(Qt::CTRL | Qt::Key_C), Key(Qt::CTRL | Qt::Key_Insert)});
    MakeAction(ID_EDIT_PASTE, tr("粘贴(&P)\tCtrl+V"),
               {Key(Qt::CTRL | Qt::Key_V), Key(Qt::SHIFT | Qt::Key_Insert)});
    MakeAction(ID_EDIT_FIND, tr("查找(&F)"));
    MakeAction(ID_EDIT_REPLACE, tr("替换(&R)"));
    MakeAction(ID_EDIT_SELECT_ALL, tr("全选(&S)"));

    MakeAction(ID_VIEW_TOOLBAR, tr("工具栏(&T)"))->setCheckable(true);
    MakeAction(ID_VIEW_STATUS_BAR, tr("状态栏(&S)"))->setCheckable(true);

    MakeAction(ID_CREATE_HOST_LIST, tr("创建主机列表(&C)"));
    MakeAction(ID_POWER_ON_HOST, tr("启动指定主机(&P)"));
    MakeAction(ID_GROUP_POWER_ON, tr("启动一组主机(&G)"));
    MakeAction(ID_WAKE_SELECTED, tr("唤醒所选主机(&W)\tCtrl+Return"),
               {Key(Qt::CTRL | Qt::Key_Return), Key(Qt::CTRL | Qt::Key_Enter)});
    MakeAction(
        ID_WAKE_ALL, tr("唤醒列表中所有主机(&L)\tCtrl+Shift+Return"),
        {Key(Qt::CTRL | Qt::SHIFT | Qt::Key_Return), Key(Qt::CTRL | Qt::SHIFT | Qt::Key_Enter)});

    MakeAction(ID_WINDOW_NEW, tr("新建窗口(&N)"));
    MakeAction(ID_WINDOW_CASCADE, tr("重叠窗口(&C)"));
    MakeAction(ID_WINDOW_TILE_HORZ, tr("平铺窗口(&T)"));
    MakeAction(ID_WINDOW_ARRANGE, tr("排列图标(&A)"));

    MakeAction(ID_HELP_FINDER, tr("帮助主题(&H)"));
    MakeAction(ID_APP_ABOUT, tr("关于 %1(&A)...").arg(AppTitle()));
    MakeAction(ID_CONTEXT_HELP, ToolTipOf(ID_CONTEXT_HELP), {Key(Qt::SHIFT | Qt::Key_F1)});
    MakeAction(ID_HELP, ToolTipOf(ID_HELP), {Key(QKeyCombination(Qt::Key_F1))});
    MakeAction(ID_NEXT_PANE, ToolTipOf(ID_NEXT_PANE), {Key(QKeyCombination(Qt::Key_F6))});
    MakeAction(ID_PREV_PANE, ToolTipOf(ID_PREV_PANE), {Key(Qt::SHIFT | Qt::Key_F6)});

    static const std::pair<int, const char*> kIcons[] = {
        {ID_FILE_NEW, "new"},           {ID_FILE_OPEN, "open"},
        {ID_FILE_SAVE, "save"},         {ID_EDIT_CUT, "cut"},
        {ID_EDIT_COPY, "copy"},         {ID_EDIT_PASTE, "paste"},
        {ID_FILE_PRINT, "print"},       {ID_APP_ABOUT, "about"},
        {ID_CONTEXT_HELP, "help"},      {ID_CREATE_HOST_LIST, "create_list"},
        {ID_POWER_ON_HOST, "power_on"}, {ID_GROUP_POWER_ON, "alarms"},
    };
    for (const auto& [id, name] : kIcons) {
        m_actions.value(id)->setIcon(
            QIcon(QStringLiteral(":/icons/tool_%1.png").arg(QLatin1String(name))));
    }
    const std::pair<int, QString> kWakePrompts[] = {
        {ID_WAKE_SELECTED, tr("唤醒所选各行(或光标所在行)的主机\n唤醒所选主机")},
        {ID_WAKE_ALL, tr("唤醒此列表中的每台主机, 包括未保存的修改\n唤醒所有主机")},
    };
    for (const auto& [id, prompt] : kWakePrompts) {
        QAction* action = m_actions.value(id);
        action->setIcon(WakeIcon(id == ID_WAKE_ALL ? 2 : 1));
        action->setStatusTip(prompt.section(QLatin1Char('\n'), 0, 0));
        action->setWhatsThis(action->statusTip());
        action->setToolTip(prompt.section(QLatin1Char('\n'), 1));
    }
}

void CMainFrame::CreateMenus() {
    auto a = [this](int id) { return m_actions.value(id); };
    auto fileMenu = [&](bool doc) {
        auto* m = new QMenu(tr("文件(&F)"), this);
        m->addAction(a(ID_FILE_NEW));
        m->addAction(a(ID_FILE_OPEN));
        if (doc) {
            m->addAction(a(ID_FILE_CLOSE));
            m->addAction(a(ID_FILE_SAVE));
            m->addAction(a(ID_FILE_SAVE_AS));
            m->addSeparator();
            m->addAction(a(ID_FILE_PRINT));
            m->addAction(a(ID_FILE_PRINT_PREVIEW));
        } else {
            m->addSeparator();
        }
        m->addAction(a(ID_FILE_PRINT_SETUP));
        m->addSeparator();
        m->addAction(a(ID_FILE_MRU_FILE1));
        m->addSeparator();
        m->addAction(a(ID_APP_EXIT));
        return m;
    };
    auto viewMenu = [&] {
        auto* m = new QMenu(tr("视图(&V)"), this);
        m->addAction(a(ID_VIEW_TOOLBAR));
        m->addAction(a(ID_VIEW_STATUS_BAR));
        return m;
    };
    auto systemMenu = [&](bool doc) {
        auto* m = new QMenu(tr("&Wakebursts"), this);
        m->addAction(a(ID_CREATE_HOST_LIST));
        m->addSeparator();
        m->addAction(a(ID_POWER_ON_HOST));
        m->addAction(a(ID_GROUP_POWER_ON));
        if (doc) {
            m->addSeparator();
            m->addAction(a(ID_WAKE_SELECTED));
            m->addAction(a(ID_WAKE_ALL));
        }
        return m;
    };
    auto helpMenu = [&] {
        auto* m = new QMenu(tr("帮助(&H)"), this);
        m->addAction(a(ID_HELP_FINDER));
        m->addSeparator();
        m->addAction(a(ID_APP_ABOUT));
        return m;
    };

    m_menus128 = {fileMenu(false), viewMenu(), systemMenu(false), helpMenu()};

    auto* edit = new QMenu(tr("编辑(&E)"), this);
    edit->addAction(a(ID_EDIT_UNDO));
    edit->addSeparator();
    edit->addAction(a(ID_EDIT_CUT));
    edit->addAction(a(ID_EDIT_COPY));
    edit->addAction(a(ID_EDIT_PASTE));
    edit->addSeparator();
    edit->addAction(a(ID_EDIT_FIND));
    edit->addAction(a(ID_EDIT_REPLACE));
    edit->addAction(a(ID_EDIT_SELECT_ALL));

    m_pWindowMenu = new QMenu(tr("窗口(&W)"), this);
    connect(m_pWindowMenu, &QMenu::aboutToShow, this, [this] { FillWindowMenu(m_pWindowMenu); });
    FillWindowMenu(m_pWindowMenu);

    m_menus129 = {fileMenu(true), edit, viewMenu(), systemMenu(true), m_pWindowMenu, helpMenu()};
    for (QMenu* m : m_menus128 + m_menus129) {
        connect(m, &QMenu::aboutToShow, this, &CMainFrame::UpdateCommandUI);
        m->setToolTipsVisible(false);
    }
}

void CMainFrame::FillWindowMenu(QMenu* menu) {
    menu->clear();
    menu->addAction(m_actions.value(ID_WINDOW_NEW));
    menu->addAction(m_actions.value(ID_WINDOW_CASCADE));
    menu->addAction(m_actions.value(ID_WINDOW_TILE_HORZ));
    menu->addAction(m_actions.value(ID_WINDOW_ARRANGE));
    const auto windows = m_wndBackdrop->subWindowList(QMdiArea::CreationOrder);
    if (windows.isEmpty()) return;
    menu->addSeparator();
    int n = 0;
    for (QMdiSubWindow* w : windows) {
        ++n;
        auto* item = menu->addAction((n < 10 ? QStringLiteral("&%1 %2") : QStringLiteral("%1 %2"))
                                         .arg(n)
                                         .arg(w->windowTitle()));
        item->setCheckable(true);
        item->setChecked(w == m_wndBackdrop->currentSubWindow());
        item->setStatusTip(AppString(kActivateWindowPrompt));
        connect(item, &QAction::triggered, this,
                [this, w] { m_wndBackdrop->setActiveSubWindow(w); });
    }
}

bool CMainFrame::CreateToolBar() {
    m_wndToolBar = new QToolBar(tr("工具栏"), this);
    m_wndToolBar->setObjectName(QStringLiteral("toolbar59392"));
    m_wndToolBar->setIconSize(QSize(16, 16));
    m_wndToolBar->setAllowedAreas(Qt::AllToolBarAreas);
    const int order[] = {ID_FILE_NEW,         ID_FILE_OPEN,     ID_FILE_SAVE,      0,
                         ID_EDIT_CUT,         ID_EDIT_COPY,     ID_EDIT_PASTE,     0,
                         ID_FILE_PRINT,       ID_APP_ABOUT,     ID_CONTEXT_HELP,   0,
                         ID_CREATE_HOST_LIST, ID_POWER_ON_HOST, ID_GROUP_POWER_ON, 0,
                         ID_WAKE_SELECTED,    ID_WAKE_ALL};
    for (int id : order) {
        if (id == 0) {
            m_wndToolBar->addSeparator();
        } else {
            m_wndToolBar->addAction(m_actions.value(id));
        }
    }
    addToolBar(Qt::TopToolBarArea, m_wndToolBar);
    QAction* toggle = m_actions.value(ID_VIEW_TOOLBAR);
    toggle->setChecked(true);
    connect(m_wndToolBar, &QToolBar::visibilityChanged, toggle, &QAction::setChecked);
    return true;
}

bool CMainFrame::CreateStatusBar() {
    m_wndStatusBar = new QStatusBar(this);
    setStatusBar(m_wndStatusBar);
    m_pMessagePane = new QLabel(AppString(AFX_IDS_IDLEMESSAGE), m_wndStatusBar);
    m_wndStatusBar->addWidget(m_pMessagePane, 1);
    m_pSchedulerPane = new QLabel(m_wndStatusBar);
    m_pSchedulerPane->hide();
    m_wndStatusBar->addPermanentWidget(m_pSchedulerPane);
    for (int id : {ID_INDICATOR_CAPS, ID_INDICATOR_NUM, ID_INDICATOR_SCRL}) {
        auto* pane = new QLabel(m_wndStatusBar);
        pane->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        pane->setAlignment(Qt::AlignCenter);
        // As wide as its text, whether the key is on or off.
        pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(AppString(id)) + 12);
        m_wndStatusBar->addPermanentWidget(pane);
        m_indicators.insert(id, pane);
    }
    QAction* toggle = m_actions.value(ID_VIEW_STATUS_BAR);
    toggle->setChecked(true);
    return true;
}

bool CMainFrame::StartAlarmTimer() {
    CAlarmScheduler& scheduler = m_app.Scheduler();
    m_alarmTimer.setSingleShot(true);
    m_alarmTimer.setTimerType(Qt::PreciseTimer);
    m_alarmTimer.setObjectName(QStringLiteral("alarmTimer%1").arg(ALARM_TIMER_ID));
    connect(&m_alarmTimer, &QTimer::timeout, this, [this] { OnTimer(ALARM_TIMER_ID); });
    // An alarm whose minute passed unfired (the machine asleep) is said where the user looks.
    scheduler.SetMissedObserver([this](const CAlarmSetting&, const std::string& report) {
        m_wndStatusBar->showMessage(QString::fromStdString(report).trimmed());
    });
    scheduler.Start();
    m_alarmTimer.start(scheduler.NextDelay());
    return m_alarmTimer.isActive();
}

void CMainFrame::OnTimer(int /*id*/) {
    CAlarmScheduler& scheduler = m_app.Scheduler();
    // Re-armed first: a message box shown during the wake runs its own loop, and later
    // minutes must still get their tick meanwhile.
    m_alarmTimer.start(scheduler.NextDelay());
    m_app.ReloadAlarmsIfChanged();
    // Only the program that holds the lease fires; the others say so and try again at
    // every tick, taking over within a minute when it ends.
    CSchedulerLease& lease = m_app.Lease();
    const bool held = scheduler.Step(lease);
    QString text;
    if (lease.Outcome().status == platform::LockStatus::Failed)
        text = tr(kSchedulerFailedText) + QString::fromStdString(lease.Path()) + ": " +
               QString::fromStdString(lease.Outcome().reason);
    else if (!held)
        text = tr(kOtherSchedulerText);
    m_pSchedulerPane->setText(text);
    m_pSchedulerPane->setVisible(!held);
}

QString CMainFrame::SchedulerText() const { return m_pSchedulerPane->text(); }

CChildFrame* CMainFrame::MDIGetActive() const {
    return m_wndBackdrop ? qobject_cast<CChildFrame*>(m_wndBackdrop->currentSubWindow()) : nullptr;
}

CDawnlyView* CMainFrame::GetActiveView() const {
    CChildFrame* child = MDIGetActive();
    return child ? child->GetActiveView() : nullptr;
}

CDawnlyDoc* CMainFrame::GetActiveDocument() const {
    CDawnlyView* view = GetActiveView();
    return view ? view->GetDocument() : nullptr;
}

QList<QMenu*> CMainFrame::CurrentMenus() const {
    return m_nMenuId == IDR_DAWNLYTYPE ? m_menus129 : m_menus128;
}

QString CMainFrame::MessageText() const {
    const QString fly = m_wndStatusBar->currentMessage();
    return fly.isEmpty() ? m_pMessagePane->text() : fly;
}

QString CMainFrame::IndicatorText(int id) const {
    QLabel* pane = m_indicators.value(id);
    return pane ? pane->text() : QString();
}

void CMainFrame::SwitchMenus() {
    const int wanted = m_wndBackdrop->subWindowList().isEmpty() ? IDR_MAINFRAME : IDR_DAWNLYTYPE;
    if (wanted == m_nMenuId) return;
    m_nMenuId = wanted;
    QMenuBar* bar = menuBar();
    bar->clear();
    for (QMenu* m : CurrentMenus())
        bar->addMenu(m);
}

void CMainFrame::OnSubWindowActivated() {
    SwitchMenus();
    if (CDawnlyView* view = GetActiveView()) {
        // Hooked once per view: the enabled state follows its selection and undo history.
        if (!view->property("wbHooked").toBool()) {
            view->setProperty("wbHooked", true);
            connect(view, &QPlainTextEdit::copyAvailable, this, &CMainFrame::UpdateCommandUI);
            connect(view, &QPlainTextEdit::undoAvailable, this, &CMainFrame::UpdateCommandUI);
            connect(view, &QPlainTextEdit::textChanged, this, &CMainFrame::UpdateCommandUI);
            connect(view->GetDocument(), &CDawnlyDoc::titleChanged, this,
                    &CMainFrame::UpdateFrameTitle);
            connect(view, &CDawnlyView::statusMessage, this,
                    [this](const QString& text) { m_wndStatusBar->showMessage(text); });
        }
    }
    UpdateFrameTitle();
    UpdateCommandUI();
}

void CMainFrame::UpdateFrameTitle() {
    QString title = AppString(AFX_IDS_APP_TITLE);
    if (CDawnlyDoc* doc = GetActiveDocument()) title += QStringLiteral(" - ") + doc->GetTitle();
    setWindowTitle(title);
}

CommandContext CMainFrame::Context() const {
    return {m_app, const_cast<CMainFrame&>(*this), GetActiveView()};
}

bool CMainFrame::IsCommandEnabled(int id) const {
    const CommandRule* rule = FindCommand(id);
    return rule && wb::gui::IsCommandEnabled(*rule, Context());
}

void CMainFrame::UpdateCommandUI() {
    for (auto it = m_actions.cbegin(); it != m_actions.cend(); ++it) {
        it.value()->setEnabled(IsCommandEnabled(it.key()));
    }
    m_actions.value(ID_VIEW_STATUS_BAR)->setChecked(m_wndStatusBar->isVisibleTo(this));
}

void CMainFrame::UpdateIndicators() {
    const KeyboardLocks locks = ReadKeyboardLocks();
    const std::pair<int, bool> states[] = {{ID_INDICATOR_CAPS, locks.caps},
                                           {ID_INDICATOR_NUM, locks.num},
                                           {ID_INDICATOR_SCRL, locks.scroll}};
    for (const auto& [id, on] : states) {
        if (QLabel* pane = m_indicators.value(id)) pane->setText(on ? AppString(id) : QString());
    }
}

void CMainFrame::OnCommand(int id) { RunCommand(id, Context()); }

void CMainFrame::ToggleToolBar() { m_wndToolBar->setVisible(!m_wndToolBar->isVisible()); }

void CMainFrame::ToggleStatusBar() {
    m_wndStatusBar->setVisible(!m_wndStatusBar->isVisible());
    UpdateCommandUI();
}

void CMainFrame::CloseDocument(CDawnlyDoc* doc) {
    if (!doc->SaveModified()) return;
    doc->SetModifiedFlag(false);
    const auto views = doc->Views();
    for (CDawnlyView* v : views) {
        if (auto* child = qobject_cast<CChildFrame*>(v->parentWidget())) child->close();
    }
}

void CMainFrame::ArrangeIcons() {
    // Minimised windows go in a row along the bottom of the workspace.
    int x = 0;
    const int bottom = m_wndBackdrop->viewport()->height();
    for (QMdiSubWindow* w : m_wndBackdrop->subWindowList(QMdiArea::CreationOrder)) {
        if (!w->isMinimized()) continue;
        w->move(x, bottom - w->height());
        x += w->width();
    }
}

void CMainFrame::OnCreateHostList() {
    emit systemCommandHandled(ID_CREATE_HOST_LIST);
    m_app.SystemCommands().RunCreateHostList(this);
}

void CMainFrame::OnPowerOnHost() {
    emit systemCommandHandled(ID_POWER_ON_HOST);
    m_app.SystemCommands().OpenSendDialog(this);
}

void CMainFrame::OnGroupPowerOn() {
    emit systemCommandHandled(ID_GROUP_POWER_ON);
    m_app.SystemCommands().OpenAlarmDialog(this);
}

void CMainFrame::closeEvent(QCloseEvent* event) {
    CDawnlyDocTemplate* docs = m_app.DocTemplate();
    if (docs && !docs->SaveAllModified()) {
        event->ignore();
        return;
    }
    if (docs) docs->CloseAllDocuments();
    SaveWindowPlacement();
    QMainWindow::closeEvent(event);
}

void CMainFrame::dragEnterEvent(QDragEnterEvent* event) {
    if (event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void CMainFrame::dropEvent(QDropEvent* event) {
    QStringList files;
    for (const QUrl& url : event->mimeData()->urls()) {
        if (url.isLocalFile()) files << url.toLocalFile();
    }
    event->acceptProposedAction();
    m_app.OpenShellFiles(files);
}

bool CMainFrame::event(QEvent* event) {
    switch (event->type()) {
        case QEvent::EnterWhatsThisMode:
            m_pMessagePane->setText(AppString(AFX_IDS_HELPMODEMESSAGE));
            break;
        case QEvent::LeaveWhatsThisMode:
            m_pMessagePane->setText(AppString(AFX_IDS_IDLEMESSAGE));
            break;
        case QEvent::WindowActivate:
            UpdateIndicators();
            break;
        default:
            break;
    }
    return QMainWindow::event(event);
}

bool CMainFrame::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyRelease || event->type() == QEvent::KeyPress) {
        UpdateIndicators();
    }
    return QMainWindow::eventFilter(watched, event);
}

}  // namespace wb::gui
