#include "shell/system_commands.h"

#include <utility>

#include "common/modeless_dialog.h"
#include "common/ui_seam.h"

namespace wb::gui {

CSystemCommands::CSystemCommands(CAlarmStore& store, CCreateListDlg::OpenDocument openDocument)
    : m_store(store), m_openDocument(std::move(openDocument)) {}

void CSystemCommands::RunCreateHostList(QWidget* from) {
    // Modal, with no parent, like the rest of the program's modal dialogs; still it opens
    // over the window it was asked from, not wherever the screen's middle is.
    CCreateListDlg dlg(m_openDocument, nullptr);
    if (from) {
        dlg.adjustSize();
        dlg.move(from->window()->frameGeometry().center() - dlg.rect().center());
    }
    CUiSeam::Exec(dlg);
}

void CSystemCommands::OpenSendDialog(QWidget* from) {
    RaiseOrCreateModeless(m_pSendDlg,
                          [from] { return new CSendDlg(from ? from->window() : nullptr); });
}

void CSystemCommands::OpenAlarmDialog(QWidget* from) {
    RaiseOrCreateModeless(m_pAlarmDlg, [this, from] {
        return new CAlarmDlg(m_store, from ? from->window() : nullptr);
    });
}

}  // namespace wb::gui
