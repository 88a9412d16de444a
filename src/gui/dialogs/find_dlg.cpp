#include "dialogs/find_dlg.h"

#include <QApplication>
#include <QCheckBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTextCursor>
#include <QVBoxLayout>

namespace wb::gui {

CFindReplaceDlg::CFindReplaceDlg(QPlainTextEdit* editor, bool replace, QWidget* parent)
    : QDialog(parent), m_pEditor(editor) {
    setWindowTitle(replace ? tr("替换") : tr("查找"));
    auto* fields = new QFormLayout;
    m_pFind = new QLineEdit(this);
    fields->addRow(tr("查找内容(&N):"), m_pFind);
    if (replace) {
        m_pReplace = new QLineEdit(this);
        fields->addRow(tr("替换为(&P):"), m_pReplace);
    }
    m_pWholeWord = new QCheckBox(tr("全字匹配(&W)"), this);
    m_pMatchCase = new QCheckBox(tr("区分大小写(&C)"), this);
    auto* left = new QVBoxLayout;
    left->addLayout(fields);
    left->addWidget(m_pWholeWord);
    left->addWidget(m_pMatchCase);
    if (!replace) {
        auto* dir = new QGroupBox(tr("方向"), this);
        auto* dirLayout = new QHBoxLayout(dir);
        m_pUp = new QRadioButton(tr("向上(&U)"), dir);
        auto* down = new QRadioButton(tr("向下(&D)"), dir);
        down->setChecked(true);
        dirLayout->addWidget(m_pUp);
        dirLayout->addWidget(down);
        left->addWidget(dir);
    }
    left->addStretch();

    auto* buttons = new QVBoxLayout;
    auto* findNext = new QPushButton(tr("查找下一个(&F)"), this);
    findNext->setDefault(true);
    connect(findNext, &QPushButton::clicked, this, [this] {
        if (!FindNext()) QApplication::beep();
    });
    buttons->addWidget(findNext);
    if (replace) {
        auto* one = new QPushButton(tr("替换(&R)"), this);
        connect(one, &QPushButton::clicked, this, [this] { ReplaceCurrent(); });
        auto* all = new QPushButton(tr("全部替换(&A)"), this);
        connect(all, &QPushButton::clicked, this, [this] { ReplaceAll(); });
        buttons->addWidget(one);
        buttons->addWidget(all);
    }
    auto* cancel = new QPushButton(tr("取消"), this);
    connect(cancel, &QPushButton::clicked, this, &QDialog::close);
    buttons->addWidget(cancel);
    buttons->addStretch();

    auto* layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(buttons);
}

void CFindReplaceDlg::SetFindText(const QString& text) { m_pFind->setText(text); }

QTextDocument::FindFlags CFindReplaceDlg::Flags(bool backward) const {
    QTextDocument::FindFlags flags;
    if (m_pMatchCase->isChecked()) flags |= QTextDocument::FindCaseSensitively;
    if (m_pWholeWord->isChecked()) flags |= QTextDocument::FindWholeWords;
    if (backward) flags |= QTextDocument::FindBackward;
    return flags;
}

bool CFindReplaceDlg::FindNext() {
    const QString what = m_pFind->text();
    if (what.isEmpty()) return false;
    return m_pEditor->find(what, Flags(m_pUp && m_pUp->isChecked()));
}

bool CFindReplaceDlg::SelectionMatches() const {
    const QString selected = m_pEditor->textCursor().selectedText();
    const Qt::CaseSensitivity cs =
        m_pMatchCase->isChecked() ? Qt::CaseSensitive : Qt::CaseInsensitive;
    return !selected.isEmpty() && selected.compare(m_pFind->text(), cs) == 0;
}

bool CFindReplaceDlg::ReplaceCurrent() {
    if (!m_pReplace) return false;
    bool replaced = false;
    if (SelectionMatches()) {
        m_pEditor->textCursor().insertText(m_pReplace->text());
        replaced = true;
    }
    if (!FindNext() && !replaced) QApplication::beep();
    return replaced;
}

int CFindReplaceDlg::ReplaceAll() {
    if (!m_pReplace || m_pFind->text().isEmpty()) return 0;
    QTextCursor start = m_pEditor->textCursor();
    start.movePosition(QTextCursor::Start);
    m_pEditor->setTextCursor(start);
    // One undo step for the whole replacement.
    QTextCursor edit = m_pEditor->textCursor();
    edit.beginEditBlock();
    int count = 0;
    while (m_pEditor->find(m_pFind->text(), Flags(false))) {
        m_pEditor->textCursor().insertText(m_pReplace->text());
        ++count;
    }
    edit.endEditBlock();
    if (count == 0) QApplication::beep();
    return count;
}

}  // namespace wb::gui
