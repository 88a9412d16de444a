#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QTimer>
#include <QWindow>

#include "shell/dawnly_app.h"
#include "shell/main_frame.h"
#include "shell/shell_open.h"

namespace {

// For the start-up benchmark: ends the program as soon as its window is on the screen.
class ExitWhenShown final : public QObject {
public:
    using QObject::QObject;
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Expose) {
            auto* window = qobject_cast<QWindow*>(watched);
            if (window && window->isExposed()) QTimer::singleShot(0, qApp, &QApplication::quit);
        }
        return false;
    }
};

}  // namespace

int main(int argc, char* argv[]) {
    QApplication qapp(argc, argv);
    QApplication::setApplicationName(QStringLiteral("dawnly"));
    QApplication::setOrganizationName(QStringLiteral("Wakeburst"));

    // A plain start ignores its arguments; only the shell's open hands over files.
    QStringList shellFiles;
    const QStringList args = QApplication::arguments();
    if (args.size() >= 2 && args.at(1) == QLatin1String(wb::gui::kShellOpenFlag)) {
        for (const QString& f : args.mid(2))
            shellFiles << QFileInfo(f).absoluteFilePath();
        if (wb::gui::SendToRunningInstance(shellFiles)) return 0;
    }

    wb::gui::CDawnlyApp app;
    if (!app.InitInstance()) return 1;
    app.OpenShellFiles(shellFiles);

    ExitWhenShown exitWhenShown;
    if (qEnvironmentVariableIsSet("WAKEBURST_EXIT_WHEN_SHOWN") && app.m_pMainWnd) {
        app.m_pMainWnd->windowHandle()->installEventFilter(&exitWhenShown);
        if (app.m_pMainWnd->windowHandle()->isExposed()) {
            QTimer::singleShot(0, &qapp, &QApplication::quit);
        }
    }
    return qapp.exec();
}
