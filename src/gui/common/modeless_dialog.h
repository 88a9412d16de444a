#pragma once

#include <QDialog>
#include <QPointer>
#include <QWidget>

namespace wb::gui {

// Opens the one instance of a modeless dialog kept in `slot`: an open one is brought to the
// front and focused; otherwise `make()` builds a new one, which must offer `bool Create()`
// (fill and show). The slot is cleared as soon as the dialog closes, and when it could not
// be created (the dialog is then freed). Returns the dialog shown, or null.
template <class Dialog, class Make>
Dialog* RaiseOrCreateModeless(QPointer<Dialog>& slot, Make make) {
    if (slot) {
        slot->raise();
        slot->activateWindow();
        slot->setFocus(Qt::OtherFocusReason);
        return slot.data();
    }
    Dialog* dlg = make();
    slot = dlg;
    QObject::connect(dlg, &QDialog::finished, dlg, [&slot, dlg] {
        if (slot == dlg) slot.clear();
    });
    if (!dlg->Create()) {
        slot.clear();
        delete dlg;
        return nullptr;
    }
    return dlg;
}

}  // namespace wb::gui
