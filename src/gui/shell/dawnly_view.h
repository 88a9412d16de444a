#pragma once

#include <QPlainTextEdit>
#include <QPointer>
#include <QStringList>

class QPrinter;

namespace wb::gui {

class CDawnlyDoc;
class CFindReplaceDlg;
class CHostMarks;

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

    // A host list: a new document, or a file named like one (not any text opened through
    // the all-files filter).
    bool IsHostList() const;
    // Wakes the hosts of the lines the selection touches (of the cursor's line without one),
    // or of the whole text, unsaved edits included; the outcome goes to the status bar.
    void OnWakeHosts(bool all);

    CHostMarks* Marks() const { return m_pMarks; }
    // The margin beside the text that carries the marks.
    QWidget* MarkMargin() const { return m_pMargin; }
    int MarginWidth() const;
    void PaintMargin(QPaintEvent* event);
    // The line (block number) shown at `y` of the margin, or -1.
    int LineAt(int y) const;

signals:
    // A system command reached this view.
    void systemCommandHandled(int id);
    // Something the status bar should say.
    void statusMessage(const QString& text);

protected:
    void contextMenuEvent(QContextMenuEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void ShowFindDialog(QPointer<CFindReplaceDlg>& dlg, bool replace);
    // The text of the lines the selection touches, and the number of the first (from 1).
    QString SelectedLines(int& firstLine) const;

    CHostMarks* m_pMarks = nullptr;
    QStringList m_awake;    // hosts come up since the last wake
    QString m_wakeOutcome;  // what the last wake said
    QWidget* m_pMargin = nullptr;

    CDawnlyDoc* m_pDocument;
    QPointer<CFindReplaceDlg> m_pFindDlg;
    QPointer<CFindReplaceDlg> m_pReplaceDlg;
};

}  // namespace wb::gui
