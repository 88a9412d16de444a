#pragma once

#include <QString>
#include <cstdint>

class QWidget;

namespace wb::gui {

// The built-in help: no help file ships with the program, so the help commands show this
// page, opened at `anchor` (empty for the top).
void ShowHelpTopics(QWidget* parent, const QString& anchor);
QString HelpPageHtml();

// One line of context help for a dialog control's help context identifier; empty for an
// unknown one.
QString ContextHelpText(std::uint32_t helpContextId);
// Gives `control` the context help of its identifier, shown by the dialog's "?" button,
// Shift+F1 and the tool bar's help button.
void SetContextHelp(QWidget* control, std::uint32_t helpContextId);

}  // namespace wb::gui
