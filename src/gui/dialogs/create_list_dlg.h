#pragma once

#include <QString>
#include <array>
#include <functional>
#include <string>
#include "common/dialog_context_help.h"

#include "hostlist/host_list_creation.h"

class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;

namespace wb::gui {

// The whole creation run behind OK: mask text, file name, phase announcements, options.
using CreationRunner =
    std::function<bool(const std::string& maskText, const std::string& path,
                       const StatusReport& status, const CreateListOptions& options)>;

// The modal dialog that builds a host list of the subnet: the user gives the subnet mask
// and a file name; OK runs the four phases, naming each in the status line. On success the
// new file opens as a document and the dialog closes; after a failure OK stays disabled.
class CCreateListDlg final : public CHelpDialog {
    Q_OBJECT
public:
    static constexpr int kFileNameId = 1002;
    static constexpr int kFirstMaskId = 1032;
    static constexpr int kStatusId = 1054;
    static constexpr int kMaxFileName = 256;

    // Opens a file as a document; the new host list is handed to it on success.
    using OpenDocument = std::function<void(const QString& path)>;

    explicit CCreateListDlg(OpenDocument openDocument, QWidget* parent = nullptr);

    // What OK runs; an empty runner restores the real creation. Process-wide.
    static void SetCreationRunner(CreationRunner runner);

    QString StatusText() const;
    // The name the last OK created (or tried to), as given to the creation.
    const std::string& PathUsed() const { return m_strPathUsed; }

    unsigned m_nMask1 = 255;
    unsigned m_nMask2 = 255;
    unsigned m_nMask3 = 255;
    unsigned m_nMask4 = 0;

public slots:
    void accept() override;
    void OnOK();

protected:
private:
    void BuildLayout();
    bool UpdateData();
    void ShowPhase(const std::string& text);
    void ShowLookupProgress(std::size_t done, std::size_t total);

    QLabel* m_ctlStatus = nullptr;
    QLineEdit* m_editFileName = nullptr;
    std::array<QLineEdit*, 4> m_editMask{};
    QProgressBar* m_progress = nullptr;
    QPushButton* m_btnOk = nullptr;
    QPushButton* m_btnCancel = nullptr;
    std::string m_strPathUsed;
    OpenDocument m_openDocument;
};

}  // namespace wb::gui
