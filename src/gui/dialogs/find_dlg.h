#pragma once

#include <QDialog>
#include <QTextDocument>

class QCheckBox;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;

namespace wb::gui {

// The modeless Find and Replace dialog of a text view.
class CFindReplaceDlg final : public QDialog {
    Q_OBJECT
public:
    CFindReplaceDlg(QPlainTextEdit* editor, bool replace, QWidget* parent = nullptr);

    void SetFindText(const QString& text);
    // Each returns whether a match was found (and, for Replace, replaced).
    bool FindNext();
    bool ReplaceCurrent();
    int ReplaceAll();

private:
    QTextDocument::FindFlags Flags(bool backward) const;
    bool SelectionMatches() const;

    QPlainTextEdit* m_pEditor;
    QLineEdit* m_pFind;
    QLineEdit* m_pReplace = nullptr;
    QCheckBox* m_pMatchCase;
    QCheckBox* m_pWholeWord;
    QRadioButton* m_pUp = nullptr;
};

}  // namespace wb::gui
