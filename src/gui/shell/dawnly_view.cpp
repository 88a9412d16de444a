#include "shell/dawnly_view.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTextDocument>

#include "shell/command_ids.h"
#include "shell/dawnly_app.h"
#include "shell/dawnly_doc.h"
#include "dialogs/find_dlg.h"
#include "shell/print_support.h"
#include "shell/system_commands.h"
#include "common/ui_seam.h"

namespace wb::app {

CDawnlyView::CDawnlyView(CDawnlyDoc* doc, QWidget* parent)
    : QPlainTextEdit(parent), m_pDocument(doc) {
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Dropped files open as documents in the main window rather than pasting their names.
    setAcceptDrops(false);
    if (m_pDocument) m_pDocument->AddView(this);
}

CDawnlyView::~CDawnlyView() {
    if (m_pDocument) m_pDocument->RemoveView(this);
}

QString CDawnlyView::RawText() const {
    QString text = document()->toRawText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    return text;
}

bool CDawnlyView::IsCommandEnabled(int id, bool& enabled) const {
    switch (id) {
        case ID_EDIT_UNDO:
            enabled = document()->isUndoAvailable();
            return true;
        case ID_EDIT_CUT:
        case ID_EDIT_COPY:
            enabled = textCursor().hasSelection();
            return true;
        case ID_EDIT_PASTE: {
            const QMimeData* data = QApplication::clipboard()->mimeData();
            enabled = data && data->hasText();
            return true;
        }
        case ID_EDIT_FIND:
        case ID_EDIT_REPLACE:
        case ID_EDIT_SELECT_ALL:
            enabled = !document()->isEmpty();
            return true;
        case ID_FILE_PRINT:
        case ID_FILE_PRINT_DIRECT:
        case ID_FILE_PRINT_PREVIEW:
        case ID_CREATE_HOST_LIST:
        case ID_POWER_ON_HOST:
        case ID_GROUP_POWER_ON:
            enabled = true;
            return true;
        default:
            return false;
    }
}

bool CDawnlyView::OnCmdMsg(int id) {
    switch (id) {
        case ID_CREATE_HOST_LIST:
            OnCreateHostList();
            return true;
        case ID_POWER_ON_HOST:
            OnPowerOnHost();
            return true;
        case ID_GROUP_POWER_ON:
            OnGroupPowerOn();
            return true;
        case ID_FILE_PRINT:
            OnFilePrint();
            return true;
        case ID_FILE_PRINT_DIRECT:
            OnFilePrintDirect();
            return true;
        case ID_FILE_PRINT_PREVIEW:
            OnFilePrintPreview();
            return true;
        case ID_EDIT_UNDO:
            undo();
            return true;
        case ID_EDIT_CUT:
            cut();
            return true;
        case ID_EDIT_COPY:
            copy();
            return true;
        case ID_EDIT_PASTE:
            paste();
            return true;
        case ID_EDIT_SELECT_ALL:
            selectAll();
            return true;
        case ID_EDIT_FIND:
            OnEditFind();
            return true;
        case ID_EDIT_REPLACE:
            OnEditReplace();
            return true;
        default:
            return false;
    }
}

void CDawnlyView::OnCreateHostList() {
    emit systemCommandHandled(ID_CREATE_HOST_LIST);
    RunCreateHostList(this);
}

void CDawnlyView::OnPowerOnHost() {
    emit systemCommandHandled(ID_POWER_ON_HOST);
    OpenSendDialog(this);
}

void CDawnlyView::OnGroupPowerOn() {
    emit systemCommandHandled(ID_GROUP_POWER_ON);
    OpenAlarmDialog(this);
}

void CDawnlyView::PrintTo(QPrinter* printer) {
    if (m_pDocument) printer->setDocName(m_pDocument->GetTitle());
    PrintText(*document(), printer);
}

void CDawnlyView::OnFilePrint() {
    QPrinter& printer = AfxGetApp()->Printer();
    QPrintDialog dlg(&printer, window());
    if (CUiSeam::Exec(dlg) == QDialog::Accepted) PrintTo(&printer);
}

void CDawnlyView::OnFilePrintDirect() { PrintTo(&AfxGetApp()->Printer()); }

void CDawnlyView::OnFilePrintPreview() {
    QPrintPreviewDialog dlg(&AfxGetApp()->Printer(), window());
    connect(&dlg, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* printer) { PrintTo(printer); });
    CUiSeam::Exec(dlg);
}

void CDawnlyView::ShowFindDialog(QPointer<CFindReplaceDlg>& dlg, bool replace) {
    if (!dlg) {
        dlg = new CFindReplaceDlg(this, replace, window());
        dlg->setAttribute(Qt::WA_DeleteOnClose);
        connect(this, &QObject::destroyed, dlg.data(), &QObject::deleteLater);
    }
    const QString selected = textCursor().selectedText();
    if (!selected.isEmpty() && !selected.contains(QChar::ParagraphSeparator)) {
        dlg->SetFindText(selected);
    }
    dlg->show();
    dlg->raise();
    dlg->activateWindow();
}

void CDawnlyView::OnEditFind() { ShowFindDialog(m_pFindDlg, false); }

void CDawnlyView::OnEditReplace() { ShowFindDialog(m_pReplaceDlg, true); }

}  // namespace wb::app
