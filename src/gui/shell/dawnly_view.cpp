#include "shell/dawnly_view.h"

#include <QApplication>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTextDocument>

#include "common/ui_seam.h"
#include "dialogs/find_dlg.h"
#include "shell/command_ids.h"
#include "shell/dawnly_app.h"
#include "shell/dawnly_doc.h"
#include "shell/system_commands.h"

namespace wb::gui {

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

void CDawnlyView::OnCreateHostList() {
    emit systemCommandHandled(ID_CREATE_HOST_LIST);
    AfxGetApp()->SystemCommands().RunCreateHostList();
}

void CDawnlyView::OnPowerOnHost() {
    emit systemCommandHandled(ID_POWER_ON_HOST);
    AfxGetApp()->SystemCommands().OpenSendDialog(this);
}

void CDawnlyView::OnGroupPowerOn() {
    emit systemCommandHandled(ID_GROUP_POWER_ON);
    AfxGetApp()->SystemCommands().OpenAlarmDialog(this);
}

void CDawnlyView::PrintTo(QPrinter* printer) {
    if (m_pDocument) printer->setDocName(m_pDocument->GetTitle());
    print(printer);
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

}  // namespace wb::gui
