#pragma once

#include <QObject>
#include <QString>
#include <QStringList>

class QLocalServer;

namespace wb::gui {

// The flag the desktop entry starts the program with when the shell opens files: such a
// start hands its files to a running instance and ends, or opens them itself when none runs.
inline constexpr char kShellOpenFlag[] = "--shell-open";

// The local socket that a running instance listens on, one per user (the environment
// variable WAKEBURST_SHELL_SERVER names another one, for tests).
QString ShellOpenServerName();

// Hands `files` (absolute paths) to a running instance; true once it has taken them.
bool SendToRunningInstance(const QStringList& files, int timeoutMs = 3000);

// Receives files from later shell-open starts.
class CShellOpenServer final : public QObject {
    Q_OBJECT
public:
    explicit CShellOpenServer(QObject* parent = nullptr);
    // False when another live instance already listens (this one then takes no files).
    bool Listen();
    bool IsListening() const;

signals:
    void filesReceived(const QStringList& files);

private:
    void OnNewConnection();

    QLocalServer* m_pServer;
};

// Registers the ".mp" type, the desktop entry and the icons for the current user when
// they are missing (under XDG_DATA_HOME), then refreshes the desktop's caches unless
// WAKEBURST_NO_DESKTOP_CACHE is set. True when everything is in place.
bool RegisterShellFileTypes();

}  // namespace wb::gui
