#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <memory>
#include <string>

#include "alarm/alarm_scheduler.h"
#include "alarm/alarm_store.h"
#include "alarm/start_dir.h"

class QPrinter;

namespace wb::gui {

class CDawnlyDoc;
class CDawnlyDocTemplate;
class CMainFrame;
class CShellOpenServer;
class CSystemCommands;

// The application object: starts the program and carries the state that the whole run
// shares, the alarm list and the start-up directory.
class CDawnlyApp : public QObject {
    Q_OBJECT
public:
    // A null clock is the system clock; tests give their own.
    explicit CDawnlyApp(WallClock clock = {});
    ~CDawnlyApp() override;

    // Brings the program up; false when it must end at once.
    virtual bool InitInstance();

    // Where the files are kept (before InitInstance): the start directory by default.
    void SetStartPlace(StartPlace place, std::string namedDir = {}) {
        m_startPlace = place;
        m_namedDir = std::move(namedDir);
    }

    bool LoadAlarms() { return m_store.LoadAlarms(); }
    bool SaveAlarms(const AlarmList& list) { return m_store.SaveAlarms(list); }

    // Opens a file as a document (or activates it when already open); null on failure.
    CDawnlyDoc* OpenDocumentFile(const QString& path);
    // Files handed over by the desktop shell or dropped on the main window.
    void OpenShellFiles(const QStringList& paths);

    // Application commands: New, Open, Print setup, Exit, About.
    void OnFileNew();
    void OnFileOpen();
    void OnFilePrintSetup();
    void OnAppExit();
    void OnAppAbout();

    CMainFrame* m_pMainWnd = nullptr;
    CDawnlyDocTemplate* DocTemplate() const { return m_pDocTemplate; }
    CAlarmScheduler& Scheduler() { return m_scheduler; }
    // The right to fire this store's alarms, shared with every other program on the store.
    CSchedulerLease& Lease() { return m_lease; }
    // Loads the store again when it changed on disk since it was last loaded (the command
    // line or another program saved it), as `run-alarms` does; a store that went leaves no
    // alarms. True when it did.
    bool ReloadAlarmsIfChanged();
    CAlarmStore& Store() { return m_store; }
    // The menu's own three commands and their open dialogs.
    CSystemCommands& SystemCommands() { return *m_pSystemCommands; }
    QPrinter& Printer();

    // The alarm store and its two shared members, named as the rest of the system knows
    // them.
    CAlarmStore m_store;
    AlarmList& m_alarms;
    std::string& m_strStartDir;

protected:
    virtual bool StartSocketsLayer();
    virtual CMainFrame* CreateMainFrame();

private:
    CAlarmScheduler m_scheduler;
    CSchedulerLease m_lease;
    StoreStamp m_storeStamp;
    std::unique_ptr<CSystemCommands> m_pSystemCommands;
    CDawnlyDocTemplate* m_pDocTemplate = nullptr;
    std::unique_ptr<QPrinter> m_pPrinter;
    CShellOpenServer* m_pShellServer = nullptr;
    StartPlace m_startPlace = StartPlace::CurrentDir;
    std::string m_namedDir;
};

// The running application object (the latest one made).
CDawnlyApp* AfxGetApp();

}  // namespace wb::gui
