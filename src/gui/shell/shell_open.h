#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QSocketNotifier;
class QWidget;

namespace wb::gui {

// The flag the desktop entry starts the program with when the shell opens files: such a
// start hands its files to a running instance and ends, or opens them itself when none runs.
inline constexpr char kShellOpenFlag[] = "--shell-open";

// The path of the local socket that a running instance listens on, one per user, in
// $XDG_RUNTIME_DIR or else in a directory of the user's own that nobody else can enter
// (the environment variable WAKEBURST_SHELL_SERVER names another socket there, for
// tests). Empty when no such directory can be had: nothing is handed over then.
QString ShellOpenServerName();

// Hands `files` (absolute paths) to a running instance of the same user; true once it
// has taken them.
bool SendToRunningInstance(const QStringList& files, int timeoutMs = 3000);

// Receives files from later shell-open starts.
class CShellOpenServer final : public QObject {
    Q_OBJECT
public:
    explicit CShellOpenServer(QObject* parent = nullptr);
    ~CShellOpenServer() override;
    // False when another live instance already listens (this one then takes no files).
    // The socket file goes when the server does, and when SIGTERM, SIGINT or SIGHUP end
    // the program.
    bool Listen();
    bool IsListening() const;

signals:
    void filesReceived(const QStringList& files);

private:
    void OnNewConnection();

    int m_listenFd = -1;
    QString m_path;
    QSocketNotifier* m_pNotifier = nullptr;
};

// Registers the ".mp" type, the desktop entry and the icons for the current user (under
// XDG_DATA_HOME) when neither the user's nor the system's data directories (XDG_DATA_DIRS,
// where a package installs them) hold them, then refreshes the desktop's caches unless
// WAKEBURST_NO_DESKTOP_CACHE is set: once `shownWindow` (when given, already shown) is on
// the screen. True when everything is in place.
bool RegisterShellFileTypes(QWidget* shownWindow = nullptr);

}  // namespace wb::gui
