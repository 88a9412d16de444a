#pragma once

#include <QString>
#include <QTimer>
#include <array>
#include "common/dialog_context_help.h"

#include "dialogs/send_channel.h"

class QLabel;
class QLineEdit;
class QPushButton;

namespace wb::gui {

// The modeless dialog that wakes one host at once: six byte fields for the Ethernet
// address, a broadcast address (or host name), and Send. At most one is open (the shell
// keeps it); it stays open for further sends until the user closes it.
class CSendDlg final : public CHelpDialog {
    Q_OBJECT
public:
    static constexpr int kBroadcastId = 1000;
    static constexpr int kFirstByteId = 1128;
    static constexpr int kStatusId = 1054;
    static constexpr int kPauseMs = 600;
    // Room in the first byte field for an address written out whole, blanks around it.
    static constexpr int kMaxWholeAddress = 40;

    explicit CSendDlg(QWidget* parent = nullptr);
    ~CSendDlg() override;

    // Shows the window; false when it could not be made.
    bool Create();

    // Where the sends go; an empty factory restores the wake socket. Process-wide.
    static void SetChannelFactory(SendChannelFactory factory);

    // The Ethernet text of six field texts: short fields read "XX", joined by points.
    static QString JoinEthernetText(const std::array<QString, 6>& fields);

    QString StatusText() const;
    // True during the pause after a send, while the status line names the destination.
    bool IsPausing() const { return m_pauseTimer.isActive(); }

public slots:
    void accept() override;  // Send and Enter: the dialog stays open
    void OnOK();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void BuildLayout();
    void OnInitDialog();
    void OnChangeByte();
    // Typing two digits moves on; a whole address in the first field fills all six.
    void OnEditByte(int k);
    bool SpreadAddress(const QString& text);
    void OnPauseOver();
    void DestroyWindow();
    void SetStatus(const QString& text);

    QLabel* m_ctlStatus = nullptr;
    QLineEdit* m_editBroadcast = nullptr;
    std::array<QLineEdit*, 6> m_editByte{};
    QPushButton* m_btnSend = nullptr;
    QPushButton* m_btnClose = nullptr;
    QTimer m_pauseTimer;
};

}  // namespace wb::gui
