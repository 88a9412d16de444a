#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>
#include <chrono>
#include <memory>
#include <optional>
#include <vector>

#include "alarm/alarm_store.h"
#include "common/ui_seam.h"
#include "shell/dawnly_app.h"

#define SCENARIO_SKIP(why) \
    do {                   \
        m_skipped = true;  \
        QSKIP(why);        \
    } while (false)

namespace wb::test {

QByteArray ReadFileBytes(const QString& path);
void WriteFileBytes(const QString& path, const QByteArray& bytes);
// A started application in a fresh working directory of its own, with a scripted seam
// and the desktop registration going to a temporary data directory ("xdg", and "sys" for
// the system's).
class AppFixture final {
public:
    AppFixture();
    ~AppFixture();
    AppFixture(const AppFixture&) = delete;
    AppFixture& operator=(const AppFixture&) = delete;

    QString Dir() const { return m_dir.path(); }
    QString Path(const QString& name) const { return m_dir.filePath(name); }
    // Makes and starts the application; its InitInstance result.
    bool Start(std::unique_ptr<gui::CDawnlyApp> app = nullptr);
    gui::CDawnlyApp& App() { return *m_app; }
    gui::CMainFrame& Frame() { return *m_app->m_pMainWnd; }
    void Stop();

private:
    QTemporaryDir m_dir;
    QString m_previousDir;
    std::unique_ptr<gui::CDawnlyApp> m_app;
};

// Goes through the program as a person would, after the scenarios of tests/data/gui: "== name"
// starts a scenario (a test row); every other line is an action ("type hour 9", "click add"), or
// after "= " what some part shows then ("=> ": within twenty seconds), written "= KEY VALUE" or
// "= KEY:ARG VALUE". "= PROPERTY:NAME,NAME VALUES" reads the named controls' Qt property (booleans
// 1 or 0). "<...>" in a value expected stands for anything; "tmp/" is the scenario's own directory,
// "data/" tests/data; texts show line ends and tabs. Common actions: type|set NAMES TEXTS, key NAME
// KEY, click NAME [CHILD], choose NAME INDEX, close NAME, file NAME BYTES (percent-encoded, or @
// and a file of tests/data), clock LOCAL-TIME [running] (the program's clock from then, standing or
// running; before "start"), answer yes|no|cancel, file-dialog-gives FILE, alarms ALARMS (the
// program's list), disk ALARMS (another program saves the store). Common states: messages, boxes
// (caption:buttons:icon, or "kind" and the kind and caption of a dialog),
// exists:FILE (yes, no, empty), file:FILE (its text), bytes:FILE (percent-encoded), program (the
// program's alarms), disk (the store reread: [ALARMS], none or damaged), fresh (1 for each alarm of
// the program that is a copy, not one the script gave). A file named without "tmp/" or "data/" is
// the scenario's own.
class Scenario {
public:
    virtual ~Scenario() = default;
    // Adds the rows, column "lines": the scenarios of the files of tests/data/gui that the
    // comma-separated patterns `names` match, each named "FILE: NAME".
    static void AddRows(const QString& names);
    void Run(const QStringList& lines);

protected:
    // Set by SCENARIO_SKIP: a skip ends the whole scenario, not only the action it is in.
    bool m_skipped = false;
    virtual QString Dir() const = 0;  // the scenario's own directory
    virtual void Act(const QString& verb, const QStringList& args) = 0;  // all but the common
    virtual std::optional<QString> State(const QString& key, const QString& arg) = 0;
    virtual QWidget* Widget(const QString&) { return nullptr; }  // a control by its name
    QString Long(const QString& text) const;
    QString Short(QString text) const;
    QString File(const QString& name) const;
    // Bytes as the scripts write them: percent-encoded where not printable ASCII.
    static QString Escape(const QByteArray& bytes);
    virtual wb::CAlarmStore& Store() = 0;  // the program's
    wb::WallClock Clock();                 // the program's: the system's unless the script set one
    std::optional<std::chrono::system_clock::time_point> m_now;
    // Alarms as the scripts write them: file,days (hex),hour,minute[,broadcast
    // 198.51.100.255], separated by spaces.
    wb::AlarmList Alarms(const QStringList& rows) const;
    QString Alarms(const wb::AlarmList& list) const;

private:
    void CommonAct(const QString& verb, const QStringList& args);
    QString CommonState(const QString& key, const QString& arg);
    QElapsedTimer m_running;  // valid when the program's clock runs from m_now
    wb::AlarmList m_given;    // the program's alarms as the script set them
};

}  // namespace wb::test
