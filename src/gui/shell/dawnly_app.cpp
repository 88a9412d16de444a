#include "shell/dawnly_app.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QPrinter>

#include "base/message_box.h"
#include "base/string_table.h"
#include "common/ui_seam.h"
#include "dialogs/about_dlg.h"
#include "platform/codepage.h"
#include "platform/sockets.h"
#include "shell/app_strings.h"
#include "shell/command_ids.h"
#include "shell/dawnly_doc.h"
#include "shell/dawnly_doc_template.h"
#include "shell/main_frame.h"
#include "shell/print_support.h"
#include "shell/qt_translations.h"
#include "shell/shell_open.h"
#include "shell/system_commands.h"

// Resources compiled into a static library are registered by hand.
static void InitDawnlyResources() { Q_INIT_RESOURCE(dawnly); }

namespace wb::gui {

namespace {

CDawnlyApp*& CurrentApp() {
    static CDawnlyApp* app = nullptr;
    return app;
}

}  // namespace

CDawnlyApp* AfxGetApp() { return CurrentApp(); }

CDawnlyApp::CDawnlyApp(WallClock clock)
    : m_alarms(m_store.m_alarms),
      m_strStartDir(m_store.m_strStartDir),
      m_scheduler(m_store, std::move(clock)),
      m_lease(m_store),
      m_pSystemCommands(std::make_unique<CSystemCommands>(
          m_store, [this](const QString& path) { OpenDocumentFile(path); })) {
    InitDawnlyResources();
    CurrentApp() = this;
}

CDawnlyApp::~CDawnlyApp() {
    delete m_pMainWnd;
    m_pMainWnd = nullptr;
    if (CurrentApp() == this) CurrentApp() = nullptr;
}

bool CDawnlyApp::StartSocketsLayer() { return platform::StartSockets(); }

CMainFrame* CDawnlyApp::CreateMainFrame() { return new CMainFrame(*this); }

bool CDawnlyApp::InitInstance() {
    QApplication::setApplicationDisplayName(QString());
    CUiSeam::InstallCoreMessageHandler();
    InstallTranslations();

    if (!StartSocketsLayer()) {
        ShowMessageBox(std::string(LoadStringText(IDS_SOCKETS_INIT_FAILED)));
        return false;
    }

    // Every file the program keeps is named relative to the current directory (the
    // backdrop picture is read as the frame is made), so it moves there first.
    if (m_startPlace != StartPlace::CurrentDir) {
        std::string error;
        const std::string dir = PrepareStartDir(m_startPlace, m_namedDir, error);
        if (dir.empty() || !QDir::setCurrent(QString::fromStdString(dir))) {
            ShowMessageBox(tr("无法使用数据目录: %1")
                               .arg(QString::fromStdString(error.empty() ? dir : error))
                               .toStdString(),
                           MsgButtons::Ok, MsgIcon::Exclamation);
            return false;
        }
    }

    m_pDocTemplate = new CDawnlyDocTemplate(this);

    CMainFrame* frame = CreateMainFrame();
    if (!frame->LoadFrame()) {
        delete frame;
        return false;
    }
    m_pMainWnd = frame;
    m_pDocTemplate->SetMainFrame(frame);

    frame->setAcceptDrops(true);

    m_pShellServer = new CShellOpenServer(this);
    connect(m_pShellServer, &CShellOpenServer::filesReceived, this, &CDawnlyApp::OpenShellFiles);
    m_pShellServer->Listen();

    frame->show();
    RegisterShellFileTypes(frame);

    m_alarms.clear();
    m_alarms.reserve(kMaxAlarms);
    m_strStartDir = StartDirFrom(CurrentStartDir());

    // Stamped first: a change between the two is then loaded again, not missed.
    m_storeStamp = m_store.Stamp();
    LoadAlarms();
    return true;
}

bool CDawnlyApp::ReloadAlarmsIfChanged() {
    const StoreStamp now = m_store.Stamp();
    if (now == m_storeStamp) return false;
    m_storeStamp = now;
    // A tick in progress holds its own references to the records it uses.
    m_alarms = AlarmList();
    LoadAlarms();
    return true;
}

CDawnlyDoc* CDawnlyApp::OpenDocumentFile(const QString& path) {
    return m_pDocTemplate ? m_pDocTemplate->OpenDocumentFile(path) : nullptr;
}

void CDawnlyApp::OpenShellFiles(const QStringList& paths) {
    for (const QString& path : paths) {
        if (!path.isEmpty()) OpenDocumentFile(QFileInfo(path).absoluteFilePath());
    }
    if (m_pMainWnd && !paths.isEmpty()) {
        if (m_pMainWnd->isMinimized()) m_pMainWnd->showNormal();
        m_pMainWnd->raise();
        m_pMainWnd->activateWindow();
    }
}

QPrinter& CDawnlyApp::Printer() {
    if (!m_pPrinter) m_pPrinter = std::make_unique<QPrinter>(QPrinter::HighResolution);
    return *m_pPrinter;
}

void CDawnlyApp::OnFileNew() { OpenDocumentFile(QString()); }

void CDawnlyApp::OnFileOpen() {
    const QString filter = DocTemplateString(DocString::FilterName) + tr(";;所有文件 (*)");
    const QStringList files = CUiSeam::GetOpenFileNames(m_pMainWnd, tr("打开"), filter);
    for (const QString& f : files)
        OpenDocumentFile(f);
}

void CDawnlyApp::OnFilePrintSetup() { RunPageSetup(&Printer(), m_pMainWnd); }

void CDawnlyApp::OnAppExit() {
    if (m_pMainWnd) m_pMainWnd->close();
}

void CDawnlyApp::OnAppAbout() {
    CAboutDlg dlg;
    CUiSeam::Exec(dlg);
}

}  // namespace wb::gui
