#pragma once

class QDialog;
class QWidget;

namespace wb::app {

// The three commands of the program's own menu. The main frame and the text view both
// call these, so either serves a command with the same behaviour.

// 32771: the modal host-list creation dialog.
void RunCreateHostList(QWidget* from);
// 32772: the modeless send dialog; at most one, tracked by g_pSendDlg.
void OpenSendDialog(QWidget* from);
// 32773: the modeless alarm dialog; at most one, tracked by g_pAlarmDlg.
void OpenAlarmDialog(QWidget* from);

// The open modeless dialogs, null while none is open. A dialog clears its own pointer when
// its window goes away.
extern QDialog* g_pSendDlg;
extern QDialog* g_pAlarmDlg;

}  // namespace wb::app
