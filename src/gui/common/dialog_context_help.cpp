#include "common/dialog_context_help.h"

#include <QContextMenuEvent>
#include <QKeyEvent>

#include <QWhatsThis>
#include <QWidget>

namespace wb::gui {

bool CHelpDialog::ShowCentredOnOwner() {
    if (parentWidget()) {
        adjustSize();
        move(parentWidget()->window()->frameGeometry().center() - rect().center());
    }
    show();
    return windowHandle() != nullptr && isVisible();
}

bool ShowControlHelp(QWidget* dialog, QWidget* control, const QPoint& globalPos) {
    // A label inside a group box has no help of its own: the nearest helped ancestor
    // below the dialog speaks for it.
    for (QWidget* w = control; w && w != dialog; w = w->parentWidget()) {
        if (!w->whatsThis().isEmpty()) {
            QWhatsThis::showText(globalPos, w->whatsThis(), w);
            return true;
        }
    }
    return false;
}

bool ShowHelpAt(QWidget* dialog, const QPoint& globalPos) {
    return ShowControlHelp(dialog, dialog->childAt(dialog->mapFromGlobal(globalPos)), globalPos);
}

bool ShowHelpForFocus(QWidget* dialog) {
    QWidget* focus = dialog->focusWidget();
    if (!focus) return false;
    return ShowControlHelp(dialog, focus, focus->mapToGlobal(focus->rect().center()));
}

void CHelpDialog::contextMenuEvent(QContextMenuEvent* event) {
    ShowHelpAt(this, event->globalPos());
}

void CHelpDialog::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
        ShowHelpForFocus(this);
        return;
    }
    QDialog::keyPressEvent(event);
}

}  // namespace wb::gui
