#include "shell/print_support.h"

#include <QAbstractTextDocumentLayout>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QTextDocument>
#include <memory>

#include "common/ui_seam.h"

namespace wb::app {

void PrintText(const QTextDocument& document, QPrinter* printer) {
    if (!printer) return;
    // Qt numbers the pages of a document that has no page size of its own; a copy laid out
    // on the printer's own page is printed as it stands.
    if (printer->pageLayout().margins().isNull()) {
        printer->setPageMargins(QMarginsF(20, 20, 20, 20), QPageLayout::Millimeter);
    }
    std::unique_ptr<QTextDocument> copy(document.clone());
    copy->documentLayout()->setPaintDevice(printer);
    copy->setPageSize(QSizeF(printer->width(), printer->height()));
    copy->print(printer);
}

namespace {

QtMessageHandler g_previousHandler = nullptr;

// Qt's page setup on Unix serves a PDF printer, all there is without a print system, yet
// warns on every opening that it is not native; that warning tells the user nothing.
void DropNonNativeWarning(QtMsgType type, const QMessageLogContext& context, const QString& text) {
    if (type == QtWarningMsg && text.contains(QLatin1String("non-native printers"))) return;
    if (g_previousHandler) g_previousHandler(type, context, text);
}

}  // namespace

int RunPageSetup(QPrinter* printer, QWidget* parent) {
    g_previousHandler = qInstallMessageHandler(DropNonNativeWarning);
    QPageSetupDialog dlg(printer, parent);
    qInstallMessageHandler(g_previousHandler);
    return CUiSeam::Exec(dlg);
}

}  // namespace wb::app
