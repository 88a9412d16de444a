#pragma once

#include <QDialog>
#include <QPoint>

class QContextMenuEvent;
class QKeyEvent;
class QWidget;

namespace wb::gui {

// The context help of the program's dialogs: a right click on a control, or F1 on the
// focused one, shows that control's one-line help (set with SetContextHelp). A click on
// the dialog itself, or on a control without help, shows nothing. True when shown.
bool ShowControlHelp(QWidget* dialog, QWidget* control, const QPoint& globalPos);

// The same for the control under `globalPos`, or the focused one when F1 was pressed.
bool ShowHelpAt(QWidget* dialog, const QPoint& globalPos);
bool ShowHelpForFocus(QWidget* dialog);

// The base of the program's dialogs: right click and F1 give the context help above.
class CHelpDialog : public QDialog {
public:
    using QDialog::QDialog;

protected:
    // Shows a modeless dialog centred on its owner's window; false when no window could be
    // made for it.
    bool ShowCentredOnOwner();

    void contextMenuEvent(QContextMenuEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
};

}  // namespace wb::gui
