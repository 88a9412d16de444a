#pragma once

#include <QMessageBox>
#include <QString>
#include <QStringList>
#include <deque>
#include <vector>

class QDialog;
class QWidget;

namespace wb::gui {

// Every question, file dialog and modal dialog of the desktop program goes through here.
// In normal use each call shows the real Qt dialog. A scripted seam (tests, scripts) shows
// nothing: it records the request and answers from queues, so that nothing waits for a
// person. Empty queues answer like a user who cancels.
class CUiSeam final {
public:
    enum class Kind { Message, OpenFile, SaveFile, Dialog };
    struct Record {
        Kind kind;
        QString text;     // message text, or the dialog's window title
        QString caption;  // message caption, or file dialog caption
        int buttons = 0;  // QMessageBox::StandardButtons of a message
        int icon = 0;     // QMessageBox::Icon of a message
    };

    static QMessageBox::StandardButton Message(QWidget* parent, const QString& text,
                                               QMessageBox::StandardButtons buttons,
                                               QMessageBox::Icon icon, const QString& caption);
    static QStringList GetOpenFileNames(QWidget* parent, const QString& caption,
                                        const QString& filter);
    static QString GetSaveFileName(QWidget* parent, const QString& caption,
                                   const QString& suggested, const QString& filter,
                                   const QString& defaultSuffix);
    // Runs a modal dialog; the dialog's result code.
    static int Exec(QDialog& dialog);

    // Routes the core's message boxes here.
    static void InstallCoreMessageHandler();

    // Scripted mode, for tests.
    static void SetScripted(bool scripted);
    static bool IsScripted();
    static void QueueAnswer(QMessageBox::StandardButton answer);
    static void QueueFileNames(const QStringList& names);
    static void QueueDialogResult(int result);
    static const std::vector<Record>& Records();
    static void Reset();

private:
    struct State {
        bool scripted = false;
        std::deque<QMessageBox::StandardButton> answers;
        std::deque<QStringList> files;
        std::deque<int> dialogResults;
        std::vector<Record> records;
    };
    static State& S();
};

// The caption of every message box that has none of its own.
QString AppTitle();

}  // namespace wb::gui
