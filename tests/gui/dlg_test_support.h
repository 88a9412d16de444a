#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QString>
#include <QStringList>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "app_test_support.h"
#include "common/ui_seam.h"
#include "dialogs/send_channel.h"

namespace wb::test {

// What the send dialog did with its channels, seen from outside: no datagram leaves.
struct SendLog {
    int channelsMade = 0;
    int closes = 0;
    std::vector<std::string> destinations;  // every SetDestination text, in order
    std::vector<std::string> sent;          // Ethernet texts of the frames "sent"
    std::vector<std::string> destinationOfSend;
    std::set<std::string> resolvable;  // names that resolve besides dotted addresses
    std::string failure;               // when not empty, every send fails with this reason
    // Seen while a destination was being set: the status text and whether the wait cursor
    // was up.
    std::vector<QString> statusDuringLookup;
    std::vector<bool> waitCursorDuringLookup;
};

class CFakeSendChannel final : public gui::CSendChannel {
public:
    CFakeSendChannel(std::shared_ptr<SendLog> log, QString (*status)())
        : m_log(std::move(log)), m_status(status) {}
    bool SetDestination(const std::string& text) override;
    bool SendWakeup(const std::string& ethernetText) override;
    std::string FailureReason() const override { return m_log->failure; }
    void Close() override { ++m_log->closes; }

private:
    std::shared_ptr<SendLog> m_log;
    QString (*m_status)();
    std::string m_dest = "255.255.255.255";
};

// Puts the GUI seam into scripted mode with empty queues and nothing recorded.
inline void ResetSeam() {
    gui::CUiSeam::SetScripted(true);
    gui::CUiSeam::Reset();
    gui::CUiSeam::InstallCoreMessageHandler();
}

// Replaces a field's text by typing, as a person does.
void Type(QLineEdit* edit, const QString& text);

template <typename T>
T* Control(QWidget* dlg, int id) {
    return dlg->findChild<T*>(QStringLiteral("ctl%1").arg(id));
}

// Goes through a dialog as a person would, after the scenarios of a data file: "== name"
// starts a scenario (a test row); every other line is an action ("type hour 9", "click
// add") or, after "= ", what some part of the dialog or of what it touched shows then.
// The dialog's own test adds its actions and states; the common ones are here.
class DialogScript {
public:
    virtual ~DialogScript() = default;
    // Adds the rows, column "lines", for the file under tests/data/gui.
    static void AddRows(const QString& file);
    void Run(const QStringList& lines);

protected:
    virtual QWidget* Dialog() = 0;
    virtual bool Act(const QString& verb, const QStringList& args) = 0;  // false: unknown
    virtual std::optional<QString> State(const QString& key) = 0;
    // Texts as the scripts write them: line ends visible.
    virtual QString Short(QString text) const {
        return text.replace("\r", "\\r").replace("\n", "\\n");
    }
    QWidget* Widget(const QString& name);
    std::map<QString, int> m_controls;  // the scripts' names of the dialog's controls

private:
    void CommonAct(const QString& verb, const QStringList& args);
    QString CommonState(const QString& key, const QString& arg);
};

}  // namespace wb::test
