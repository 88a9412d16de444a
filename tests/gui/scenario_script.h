#pragma once

#include <QApplication>
#include <QLineEdit>
#include <QString>
#include <QStringList>
#include <map>
#include <optional>
#include <string>

#include "app_test_support.h"
#include "common/ui_seam.h"

namespace wb::test {

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
