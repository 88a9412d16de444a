#pragma once

class QPrinter;
class QTextDocument;
class QWidget;

namespace wb::gui {

// Prints the document's text only, page after page: no page numbers or other footer.
void PrintText(const QTextDocument& document, QPrinter* printer);

// The page setup dialog for `printer`; its QDialog result.
int RunPageSetup(QPrinter* printer, QWidget* parent);

}  // namespace wb::gui
