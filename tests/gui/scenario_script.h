#pragma once

#include <QByteArray>
#include <QElapsedTimer>
#include <QRegularExpression>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <QWidget>
#include <chrono>
#include <functional>
#include <map>
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

// A scenario of tests/data/gui: where its lines are, and the lines (blank ones and comments too).
struct Script {
    QString file;   // from the source root, as a failure names it
    int first = 0;  // the line number of lines[0]
    QStringList lines;
};

using Args = const QStringList&;  // an action's words
using Arg = const QString&;       // what follows a check's key and colon
// The scripts' verbs, or their checks: each a line "NAME ARGS: what it does" and its handler.
template <typename Handler>
class Table {
public:
    struct Entry {
        QString name, about;
        Handler run;
    };
    void operator()(const QString& line, Handler run) {
        const QString name = line.section(QRegularExpression("[ :]"), 0, 0);
        m_entries.push_back(
            {name, line.mid(name.size() + line.startsWith(name + ':')).trimmed(), std::move(run)});
    }
    const Entry* Find(const QString& name) const {
        for (const Entry& e : m_entries)
            if (e.name == name) return &e;
        return nullptr;
    }
    QStringList Listed() const {  // as the README lists them
        QStringList out;
        for (const Entry& e : m_entries)
            out << "- `" + e.name + "` " + e.about;
        return out;
    }

private:
    std::vector<Entry> m_entries;
};
using Actions = Table<std::function<void(Args)>>;   // a line "VERB ARGS"
using Checks = Table<std::function<QString(Arg)>>;  // "= KEY[:ARG] VALUE": reads KEY

// Goes through the program as a person would, after the scripts of tests/data/gui; their grammar
// and every verb and check: tests/data/gui/README.md.
class Scenario {
public:
    // Puts back the environment the scenario changed, and the language that follows from it.
    virtual ~Scenario();
    // Adds the rows, column "script": the scenarios of the files of tests/data/gui that the
    // comma-separated patterns `names` match, each named "FILE: NAME".
    static void AddRows(const QString& names);
    void Run(const Script& script);
    // The README lists the tables as they are, under "### Every script: ..." and
    // "### SCRIPTS: actions" / "### SCRIPTS: checks".
    void CheckReadme(const QString& scripts);

protected:
    // Set by SCENARIO_SKIP: a skip ends the whole scenario, not only the action it is in.
    bool m_skipped = false;
    virtual QString Dir() const = 0;            // the scenario's own directory
    virtual void AddActions(Actions& add) = 0;  // the runner's own, beside the common ones
    virtual void AddChecks(Checks& add) = 0;
    virtual QWidget* Widget(const QString&) { return nullptr; }  // a control by its name
    QString Long(const QString& text) const;
    QString Short(QString text) const;
    QString File(const QString& name) const;
    // Bytes as the scripts write them: percent-encoded where not printable ASCII.
    static QString Escape(const QByteArray& bytes);
    virtual wb::CAlarmStore& Store() = 0;  // the program's
    wb::WallClock Clock();                 // the program's: the system's unless the script set one
    std::optional<std::chrono::system_clock::time_point> m_now;
    wb::AlarmList Alarms(const QStringList& rows) const;
    // A variable set (a null value: unset) until the scenario ends; the program's texts
    // follow at once when it decides the language.
    void SetEnv(const QByteArray& name, const QByteArray& value);
    // Puts back what SetEnv changed (a runner of many scenarios: after each).
    void RestoreEnv();
    QString Alarms(const wb::AlarmList& list) const;

private:
    void AddCommonActions(Actions& add);
    void AddCommonChecks(Checks& add);
    void Fill(Args args, bool typed);
    QElapsedTimer m_running;                 // valid when the program's clock runs from m_now
    wb::AlarmList m_given;                   // the program's alarms as the script set them
    std::map<QByteArray, QByteArray> m_env;  // what the scenario changed, as it was
};

}  // namespace wb::test

Q_DECLARE_METATYPE(wb::test::Script)
