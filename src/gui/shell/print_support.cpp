#include "shell/print_support.h"

#include <QAbstractTextDocumentLayout>
#include <QPageSetupDialog>
#include <QPrinter>
#include <QTextDocument>
#include <QTextFrame>
#include <memory>

#include "common/ui_seam.h"

namespace wb::gui {

void PrintText(const QTextDocument& document, QPrinter* printer) {
    if (!printer) return;
    // Qt numbers the pages of a document that has no page size of its own; a copy laid out
    // on the printer's own page is printed as it stands, with the same 2 cm margin Qt gives.
    // The layout scales frame lengths from the screen's resolution to the printer's.
    const QPaintDevice* screen = document.documentLayout()->paintDevice();
    const double screenDpi = screen ? screen->logicalDpiY() : 96.0;
    std::unique_ptr<QTextDocument> copy(document.clone());
    copy->documentLayout()->setPaintDevice(printer);
    QTextFrameFormat frame = copy->rootFrame()->frameFormat();
    frame.setMargin(2 / 2.54 * screenDpi);
    copy->rootFrame()->setFrameFormat(frame);
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

}  // namespace wb::gui
