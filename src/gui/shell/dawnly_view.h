#pragma once

#include <QPlainTextEdit>
#include <QPointer>

class QPrinter;

namespace wb::gui {

class CDawnlyDoc;
class CFindReplaceDlg;

// The plain-text editor of one document window. Lines wrap at the window's edge, so there
// is never a horizontal scroll bar.
class CDawnlyView final : public QPlainTextEdit {
    Q_OBJECT
public:
    explicit CDawnlyView(CDawnlyDoc* doc, QWidget* parent = nullptr);
    ~CDawnlyView() override;

    CDawnlyDoc* GetDocument() const { return m_pDocument; }

    // The editor's whole text with '\n' between lines, every character kept.
    QString RawText() const;

    void OnCreateHostList();
    void OnPowerOnHost();
    void OnGroupPowerOn();

    void OnFilePrint();
    void OnFilePrintDirect();
    void OnFilePrintPreview();
    // Prints the text as the printer is set up; used by the three commands above.
    void PrintTo(QPrinter* printer);

    void OnEditFind();
    void OnEditReplace();

signals:
    // A system command reached this view.
    void systemCommandHandled(int id);

private:
    void ShowFindDialog(QPointer<CFindReplaceDlg>& dlg, bool replace);

    CDawnlyDoc* m_pDocument;
    QPointer<CFindReplaceDlg> m_pFindDlg;
    QPointer<CFindReplaceDlg> m_pReplaceDlg;
};

}  // namespace wb::gui
