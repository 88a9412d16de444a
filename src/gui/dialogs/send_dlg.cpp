#include "dialogs/send_dlg.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "common/dialog_context_help.h"
#include "common/help.h"
#include "common/ui_seam.h"
#include "wake/address_text.h"

namespace wb::gui {

namespace {

const QString kLimitedBroadcast = QStringLiteral("255.255.255.255");

SendChannelFactory& ChannelFactory() {
    static SendChannelFactory factory;
    return factory;
}

QString ControlName(int id) { return QStringLiteral("ctl%1").arg(id); }

}  // namespace

std::unique_ptr<CSendChannel> NewSendChannel() {
    return ChannelFactory() ? ChannelFactory()() : MakeWakeSocketChannel();
}

CSendDlg::CSendDlg(QWidget* parent) : CHelpDialog(parent) {
    setWindowTitle(tr("发送 Wakeburst 到指定主机"));
    setWindowFlag(Qt::WindowContextHelpButtonHint, true);
    BuildLayout();
    m_pauseTimer.setSingleShot(true);
    m_pauseTimer.setInterval(kPauseMs);
    connect(&m_pauseTimer, &QTimer::timeout, this, &CSendDlg::OnPauseOver);
    // Close, Escape and the caption's close box all end here.
    connect(this, &QDialog::finished, this, &CSendDlg::DestroyWindow);
}

CSendDlg::~CSendDlg() = default;

void CSendDlg::BuildLayout() {
    auto* top = new QVBoxLayout(this);

    top->addWidget(new QLabel(tr("IP 广播地址"), this));
    m_editBroadcast = new QLineEdit(this);
    m_editBroadcast->setObjectName(ControlName(kBroadcastId));
    top->addWidget(m_editBroadcast);

    auto* ethernetBox = new QGroupBox(tr("目的以太网地址:"), this);
    auto* bytes = new QHBoxLayout(ethernetBox);
    bytes->addStretch();
    const int byteWidth = fontMetrics().horizontalAdvance(QStringLiteral("WWW")) + 8;
    for (int k = 0; k < 6; ++k) {
        auto* edit = new QLineEdit(ethernetBox);
        edit->setObjectName(ControlName(kFirstByteId + k));
        // The first field also takes a whole address, pasted or typed, and spreads it.
        edit->setMaxLength(k == 0 ? kMaxWholeAddress : 2);
        edit->setFixedWidth(byteWidth);
        edit->setAlignment(Qt::AlignLeft);
        bytes->addWidget(edit);
        m_editByte[k] = edit;
        connect(edit, &QLineEdit::textChanged, this, &CSendDlg::OnChangeByte);
        connect(edit, &QLineEdit::textEdited, this, [this, k] { OnEditByte(k); });
        edit->installEventFilter(this);
        SetContextHelp(edit, 0x80820468u);
    }
    bytes->addStretch();
    top->addWidget(ethernetBox);

    auto* infoBox = new QGroupBox(tr("信息"), this);
    auto* info = new QVBoxLayout(infoBox);
    m_ctlStatus = new QLabel(infoBox);
    m_ctlStatus->setObjectName(ControlName(kStatusId));
    m_ctlStatus->setAlignment(Qt::AlignCenter);
    m_ctlStatus->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("W")) * 28);
    info->addWidget(m_ctlStatus);
    top->addWidget(infoBox);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    m_btnSend = new QPushButton(tr("发送"), this);
    m_btnSend->setObjectName(ControlName(1));
    m_btnSend->setDefault(true);
    m_btnClose = new QPushButton(tr("关闭"), this);
    m_btnClose->setObjectName(ControlName(2));
    buttons->addWidget(m_btnSend);
    buttons->addWidget(m_btnClose);
    buttons->addStretch();
    top->addLayout(buttons);

    connect(m_btnSend, &QPushButton::clicked, this, &CSendDlg::OnOK);
    connect(m_btnClose, &QPushButton::clicked, this, &QDialog::reject);
    m_editBroadcast->installEventFilter(this);

    SetContextHelp(m_editBroadcast, 0x808203E8u);
    SetContextHelp(m_btnSend, 0x80840005u);
    SetContextHelp(m_btnClose, 0x80840002u);

    setTabOrder(m_editBroadcast, m_editByte[0]);
    for (int k = 0; k + 1 < 6; ++k)
        setTabOrder(m_editByte[k], m_editByte[k + 1]);
    setTabOrder(m_editByte[5], m_btnSend);
    setTabOrder(m_btnSend, m_btnClose);
}

void CSendDlg::OnInitDialog() {
    for (QLineEdit* edit : m_editByte)
        edit->clear();
    m_btnSend->setEnabled(false);
    m_editBroadcast->setText(kLimitedBroadcast);
    m_editBroadcast->selectAll();
    m_editBroadcast->setFocus(Qt::OtherFocusReason);
}

bool CSendDlg::Create() {
    OnInitDialog();
    return ShowCentredOnOwner();
}

void CSendDlg::SetChannelFactory(SendChannelFactory factory) {
    ChannelFactory() = std::move(factory);
}

QString CSendDlg::JoinEthernetText(const std::array<QString, 6>& fields) {
    QStringList pieces;
    for (const QString& field : fields)
        pieces << (field.size() < 2 ? QStringLiteral("XX") : field);
    return pieces.join(QLatin1Char('.'));
}

QString CSendDlg::StatusText() const { return m_ctlStatus->text(); }

void CSendDlg::SetStatus(const QString& text) {
    m_ctlStatus->setText(text);
    // The name lookup that may follow blocks the event loop: paint the text first.
    m_ctlStatus->repaint();
}

void CSendDlg::accept() { OnOK(); }

void CSendDlg::OnOK() {
    // A second send waits until the status line of the first has been cleared.
    if (IsPausing()) return;

    std::array<QString, 6> fields;
    for (int k = 0; k < 6; ++k)
        fields[k] = m_editByte[k]->text();
    const std::string ethernet = JoinEthernetText(fields).toStdString();
    if (!IsValidEthernetText(ethernet)) {
        CUiSeam::Message(this, tr("IP地址无效.\n请重试."), QMessageBox::Ok, QMessageBox::NoIcon,
                         AppTitle());
        m_btnSend->setEnabled(false);
        return;
    }

    QString target = m_editBroadcast->text();
    std::unique_ptr<CSendChannel> channel = NewSendChannel();
    if (target.isEmpty()) {
        target = kLimitedBroadcast;
        channel->SetDestination(target.toStdString());
    } else {
        QApplication::setOverrideCursor(Qt::WaitCursor);
        SetStatus(tr("地址解析中... 请稍后."));
        const bool resolved = channel->SetDestination(target.toStdString());
        QApplication::restoreOverrideCursor();
        if (!resolved) {
            const auto answer = CUiSeam::Message(
                this, tr("%1 是无效的IP地址.\n要使用有线广播 255.255.255.255 吗?").arg(target),
                QMessageBox::Yes | QMessageBox::No, QMessageBox::Question, tr("IP地址错误"));
            if (answer != QMessageBox::Yes) {
                channel->Close();
                SetStatus(QString());
                return;
            }
            target = kLimitedBroadcast;
            channel->SetDestination(target.toStdString());
        }
    }

    const bool sent = channel->SendWakeup(ethernet);
    const QString reason = QString::fromStdString(channel->FailureReason());
    channel->Close();
    channel.reset();
    if (!sent) {
        // Not "发送到": nothing left. Send stays enabled for another try.
        SetStatus(QString());
        CUiSeam::Message(this,
                         tr("Wakeburst 未被发送到 %1.").arg(target) + QLatin1Char('\n') + reason,
                         QMessageBox::Ok, QMessageBox::Warning, AppTitle());
        return;
    }
    SetStatus(tr("发送到 %1").arg(target));

    // The destination stays on show for the pause; the program goes on meanwhile.
    m_btnSend->setEnabled(false);
    m_pauseTimer.start();
}

bool CSendDlg::SpreadAddress(const QString& text) {
    std::uint8_t bytes[6];
    const QString trimmed = text.trimmed();
    if (!ParseEthernetArgument(trimmed.toStdString(), bytes)) return false;
    // The digits as written, letter case kept.
    QString digits;
    for (QChar c : trimmed) {
        if (IsHexDigit(c.toLatin1())) digits += c;
    }
    for (int k = 0; k < 6; ++k)
        m_editByte[k]->setText(digits.mid(2 * k, 2));
    m_editByte[5]->setFocus(Qt::OtherFocusReason);
    return true;
}

void CSendDlg::OnEditByte(int k) {
    QLineEdit* edit = m_editByte[k];
    QString text = edit->text();
    if (k == 0 && text.size() > 2) {
        if (SpreadAddress(text)) return;
        edit->setText(text.left(2));
        text = edit->text();
    }
    // The separator typed after a pair whose second digit moved on to this field.
    if (k > 0 && !text.isEmpty() && QStringLiteral(":-.").contains(text.front())) {
        edit->setText(text.mid(1));
        return;
    }
    if (text.size() == 2 && edit->cursorPosition() == 2 && k < 5)
        m_editByte[k + 1]->setFocus(Qt::OtherFocusReason);
}

void CSendDlg::OnPauseOver() {
    SetStatus(QString());
    m_btnSend->setEnabled(true);
}

void CSendDlg::OnChangeByte() {
    // The pause re-enables Send when it ends.
    if (!IsPausing()) m_btnSend->setEnabled(true);
}

void CSendDlg::DestroyWindow() {
    hide();
    m_pauseTimer.stop();
    deleteLater();
}

bool CSendDlg::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusIn) {
        if (auto* edit = qobject_cast<QLineEdit*>(watched)) {
            // After the mouse press that gave the focus has placed the caret.
            QTimer::singleShot(0, edit, [edit] {
                if (edit->hasFocus()) edit->selectAll();
            });
        }
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace wb::gui
