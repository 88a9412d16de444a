#pragma once

#include <QPointer>

#include "dialogs/alarm_dlg.h"
#include "dialogs/create_list_dlg.h"
#include "dialogs/send_dlg.h"

class QWidget;

namespace wb {
class CAlarmStore;
}

namespace wb::gui {

// The three commands of the program's own menu. The main frame and the text view both
// call these, so either serves a command with the same behaviour. Keeps the one open
// instance of each modeless dialog; a pointer is null while its dialog is closed.
class CSystemCommands final {
public:
    CSystemCommands(CAlarmStore& store, CCreateListDlg::OpenDocument openDocument);

    // 32771: the modal host-list creation dialog; the new list opens as a document.
    void RunCreateHostList(QWidget* from = nullptr);
    // 32772: the modeless send dialog, owned by `from`'s window; an open one is raised.
    void OpenSendDialog(QWidget* from);
    // 32773: the modeless alarm dialog, likewise.
    void OpenAlarmDialog(QWidget* from);

    CSendDlg* SendDialog() const { return m_pSendDlg.data(); }
    CAlarmDlg* AlarmDialog() const { return m_pAlarmDlg.data(); }

private:
    CAlarmStore& m_store;
    CCreateListDlg::OpenDocument m_openDocument;
    QPointer<CSendDlg> m_pSendDlg;
    QPointer<CAlarmDlg> m_pAlarmDlg;
};

}  // namespace wb::gui
