#pragma once

#include <QPoint>

class QWidget;

namespace wb::app {

// The context help of the program's dialogs: a right click on a control, or F1 on the
// focused one, shows that control's one-line help (set with SetContextHelp). A click on
// the dialog itself, or on a control without help, shows nothing. True when shown.
bool ShowControlHelp(QWidget* dialog, QWidget* control, const QPoint& globalPos);

// The same for the control under `globalPos`, or the focused one when F1 was pressed.
bool ShowHelpAt(QWidget* dialog, const QPoint& globalPos);
bool ShowHelpForFocus(QWidget* dialog);

}  // namespace wb::app
