#include "shell/system_commands.h"

#include <QDialog>

#include "dialogs/alarm_dlg.h"
#include "dialogs/create_list_dlg.h"
#include "dialogs/send_dlg.h"

namespace wb::app {

QDialog* g_pSendDlg = nullptr;
QDialog* g_pAlarmDlg = nullptr;

void RunCreateHostList(QWidget* from) { CCreateListDlg::OnCreateHostList(from); }

void OpenSendDialog(QWidget* from) { CSendDlg::OnPowerOnHost(from); }

void OpenAlarmDialog(QWidget* from) { CAlarmDlg::OnGroupPowerOn(from); }

}  // namespace wb::app
