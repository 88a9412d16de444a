#pragma once

#include <QHash>
#include <QList>
#include <QMainWindow>
#include <QTimer>

class QAction;
class QLabel;
class QMenu;
class QStatusBar;
class QToolBar;

namespace wb::gui {

class CBackdropWnd;
class CChildFrame;
class CDawnlyApp;
class CDawnlyDoc;
class CDawnlyView;
struct CommandContext;

// The main window: menus, tool bar, status bar, the workspace of document windows and the
// minute timer of the alarms. Every command goes through OnCommand and the command table,
// which routes it to the active view, its document, this frame or the application.
class CMainFrame : public QMainWindow {
    Q_OBJECT
public:
    explicit CMainFrame(CDawnlyApp& app);
    ~CMainFrame() override;

    // Builds the workspace, tool bar, status bar and starts the timer; false when any of
    // them fails (only the timer says so).
    bool LoadFrame();

    CBackdropWnd* MdiArea() const { return m_wndBackdrop; }
    CChildFrame* MDIGetActive() const;
    CDawnlyView* GetActiveView() const;
    CDawnlyDoc* GetActiveDocument() const;

    QAction* Action(int id) const { return m_actions.value(id); }
    QToolBar* ToolBar() const { return m_wndToolBar; }
    // The pop-up menus now on the menu bar.
    QList<QMenu*> CurrentMenus() const;
    // 128 with no document window, 129 with one.
    int CurrentMenuId() const { return m_nMenuId; }
    // What the message pane of the status bar shows now.
    QString MessageText() const;
    QString IndicatorText(int id) const;
    // Shown in the status bar while another program runs the alarms; empty otherwise.
    static constexpr char kOtherSchedulerText[] =
        QT_TRANSLATE_NOOP("wb::gui::CMainFrame", "另一个程序正在运行这些提醒");
    // Shown there, followed by the lock file and the reason, when the alarms cannot be run.
    static constexpr char kSchedulerFailedText[] =
        QT_TRANSLATE_NOOP("wb::gui::CMainFrame", "无法运行这些提醒: ");
    QString SchedulerText() const;
    QTimer& AlarmTimer() { return m_alarmTimer; }

    // Runs a command of the command table when it is enabled now.
    void OnCommand(int id);
    bool IsCommandEnabled(int id) const;

    void ToggleToolBar();
    void ToggleStatusBar();
    // Closes every window of `doc`, after offering to save it.
    void CloseDocument(CDawnlyDoc* doc);
    // Minimised windows go in a row along the bottom of the workspace.
    void ArrangeIcons();

    void OnCreateHostList();
    void OnPowerOnHost();
    void OnGroupPowerOn();
    // The alarm timer's tick: re-arms the timer for just after the next minute (a minute at
    // most), loads the store again if it changed, then lets the scheduler handle every
    // minute that is due, when no other program runs these alarms.
    void OnTimer(int id);

    // Opens where the last run closed when that is still on a screen, else at a size that
    // fits the screen's free area; maximised if it was.
    void RestoreWindowPlacement();
    void SaveWindowPlacement() const;

    void UpdateCommandUI();
    void UpdateFrameTitle();
    void UpdateIndicators();

signals:
    // A system command reached the frame's own handler.
    void systemCommandHandled(int id);

protected:
    virtual bool StartAlarmTimer();

    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    QAction* MakeAction(int id, const QString& text, const QList<QKeySequence>& keys = {});
    void CreateActions();
    void CreateMenus();
    bool CreateToolBar();
    bool CreateStatusBar();
    void SwitchMenus();
    void OnSubWindowActivated();
    void FillWindowMenu(QMenu* menu);
    CommandContext Context() const;

    CDawnlyApp& m_app;
    QStatusBar* m_wndStatusBar = nullptr;
    QToolBar* m_wndToolBar = nullptr;
    CBackdropWnd* m_wndBackdrop = nullptr;
    QLabel* m_pMessagePane = nullptr;
    QLabel* m_pSchedulerPane = nullptr;
    QHash<int, QLabel*> m_indicators;
    QHash<int, QAction*> m_actions;
    QList<QMenu*> m_menus128;
    QList<QMenu*> m_menus129;
    QMenu* m_pWindowMenu = nullptr;
    int m_nMenuId = 0;
    QTimer m_alarmTimer;
};

}  // namespace wb::gui
