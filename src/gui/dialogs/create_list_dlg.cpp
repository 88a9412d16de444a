#include "dialogs/create_list_dlg.h"

#include <utility>

#include <QApplication>
#include <QContextMenuEvent>
#include <QFileInfo>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

#include "base/translate.h"
#include "common/dialog_context_help.h"
#include "common/dialog_data_exchange.h"
#include "common/help.h"
#include "common/ui_seam.h"
#include "hostlist/create_list_input.h"

namespace wb::gui {

namespace {

CreationRunner& Runner() {
    static CreationRunner runner;
    return runner;
}

QString ControlName(int id) { return QStringLiteral("ctl%1").arg(id); }

}  // namespace

CCreateListDlg::CCreateListDlg(OpenDocument openDocument, QWidget* parent)
    : CHelpDialog(parent), m_openDocument(std::move(openDocument)) {
    setWindowTitle(tr("创建局域网主机列表"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, true);
    BuildLayout();
}

void CCreateListDlg::BuildLayout() {
    auto* top = new QVBoxLayout(this);

    top->addWidget(new QLabel(tr("子网掩码:"), this));
    auto* maskRow = new QHBoxLayout;
    maskRow->setSpacing(0);
    const int maskWidth = fontMetrics().horizontalAdvance(QStringLiteral("0000")) + 8;
    const std::array<unsigned, 4> initial{m_nMask1, m_nMask2, m_nMask3, m_nMask4};
    for (int k = 0; k < 4; ++k) {
        auto* edit = new QLineEdit(QString::number(initial[k]), this);
        edit->setObjectName(ControlName(kFirstMaskId + k));
        edit->setFixedWidth(maskWidth);
        maskRow->addWidget(edit);
        m_editMask[k] = edit;
        SetContextHelp(edit, 0x80830408u);
    }
    maskRow->addStretch();
    top->addLayout(maskRow);

    top->addWidget(new QLabel(tr("文件名 - 保存主机列表为:"), this));
    m_editFileName = new QLineEdit(this);
    m_editFileName->setObjectName(ControlName(kFileNameId));
    m_editFileName->setMaxLength(kMaxFileName);
    m_editFileName->setMinimumWidth(fontMetrics().horizontalAdvance(QLatin1Char('W')) * 30);
    top->addWidget(m_editFileName);
    SetContextHelp(m_editFileName, 0x808303EAu);

    auto* infoBox = new QGroupBox(tr("信息"), this);
    auto* info = new QVBoxLayout(infoBox);
    m_ctlStatus = new QLabel(infoBox);
    m_ctlStatus->setObjectName(ControlName(kStatusId));
    m_ctlStatus->setAlignment(Qt::AlignCenter);
    info->addWidget(m_ctlStatus);
    // Shown while the poll and the name lookups run.
    m_progress = new QProgressBar(infoBox);
    m_progress->setObjectName(QStringLiteral("progress"));
    m_progress->setTextVisible(false);
    m_progress->setMaximumHeight(fontMetrics().height() / 2 + 2);
    QSizePolicy keep = m_progress->sizePolicy();
    keep.setRetainSizeWhenHidden(true);
    m_progress->setSizePolicy(keep);
    m_progress->hide();
    info->addWidget(m_progress);
    top->addWidget(infoBox);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    m_btnOk = new QPushButton(tr("确定"), this);
    m_btnOk->setObjectName(ControlName(1));
    m_btnOk->setDefault(true);
    m_btnCancel = new QPushButton(tr("取消"), this);
    m_btnCancel->setObjectName(ControlName(2));
    buttons->addWidget(m_btnOk);
    buttons->addWidget(m_btnCancel);
    buttons->addStretch();
    top->addLayout(buttons);
    SetContextHelp(m_btnOk, 0x80840001u);
    SetContextHelp(m_btnCancel, 0x80840002u);

    connect(m_btnOk, &QPushButton::clicked, this, &CCreateListDlg::OnOK);
    connect(m_btnCancel, &QPushButton::clicked, this, &QDialog::reject);

    setTabOrder(m_editMask[0], m_editMask[1]);
    setTabOrder(m_editMask[1], m_editMask[2]);
    setTabOrder(m_editMask[2], m_editMask[3]);
    setTabOrder(m_editMask[3], m_editFileName);
    setTabOrder(m_editFileName, m_btnOk);
    setTabOrder(m_btnOk, m_btnCancel);
    m_editMask[0]->setFocus(Qt::OtherFocusReason);
}

void CCreateListDlg::SetCreationRunner(CreationRunner runner) { Runner() = std::move(runner); }

QString CCreateListDlg::StatusText() const { return m_ctlStatus->text(); }

bool CCreateListDlg::UpdateData() {
    return ExchangeMaxChars(this, m_editFileName, kMaxFileName) &&
           ExchangeUInt(this, m_editMask[0], 0, 255, m_nMask1) &&
           ExchangeUInt(this, m_editMask[1], 0, 255, m_nMask2) &&
           ExchangeUInt(this, m_editMask[2], 0, 255, m_nMask3) &&
           ExchangeUInt(this, m_editMask[3], 0, 254, m_nMask4);
}

void CCreateListDlg::accept() { OnOK(); }

void CCreateListDlg::ShowPhase(const std::string& text) {
    // `text` is the phase's untranslated text: it is compared as it is, shown translated.
    m_ctlStatus->setText(QString::fromUtf8(wb::Translate("wakeburst", text.c_str())));
    const bool busy = text == kStatusPolling || text == kStatusReadingArp;
    const bool lookups = text == kStatusMapping;
    m_progress->setVisible(busy || lookups);
    if (busy) m_progress->setRange(0, 0);
    if (lookups) {
        m_progress->setRange(0, 1);
        m_progress->setValue(0);
    }
    // Each phase blocks until it is done: paint the new text first, and keep the window
    // painted, without taking any input before the run is over.
    m_ctlStatus->repaint();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void CCreateListDlg::ShowLookupProgress(std::size_t done, std::size_t total) {
    m_progress->setVisible(true);
    m_progress->setRange(0, static_cast<int>(total == 0 ? 1 : total));
    m_progress->setValue(static_cast<int>(total == 0 ? 1 : done));
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

void CCreateListDlg::OnOK() {
    if (!m_btnOk->isEnabled()) return;
    if (!UpdateData()) return;

    m_strPathUsed = HostListFileName(m_editFileName->text().toStdString());
    MaskFields fields;
    for (int k = 0; k < 4; ++k)
        fields[k] = m_editMask[k]->text().toStdString();
    const std::string maskText = BuildMaskText(fields);

    QApplication::setOverrideCursor(Qt::WaitCursor);
    CreateListOptions options;
    options.progress = [this](std::size_t done, std::size_t total) {
        ShowLookupProgress(done, total);
    };
    const StatusReport status = [this](const std::string& text) { ShowPhase(text); };
    const bool ok = Runner() ? Runner()(maskText, m_strPathUsed, status, options)
                             : RunHostListCreation(maskText, m_strPathUsed, status, options);
    m_progress->hide();
    QApplication::restoreOverrideCursor();

    if (!ok) {
        // Nothing re-enables OK: the user cancels and runs the command again.
        m_btnOk->setEnabled(false);
        return;
    }
    if (m_openDocument)
        m_openDocument(QFileInfo(QString::fromStdString(m_strPathUsed)).absoluteFilePath());
    QDialog::done(QDialog::Accepted);
}

}  // namespace wb::gui
