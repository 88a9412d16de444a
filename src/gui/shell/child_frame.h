#pragma once

#include <QMdiSubWindow>

namespace wb::gui {

class CDawnlyView;

// The window of one view of a document inside the main frame's workspace.
class CChildFrame final : public QMdiSubWindow {
    Q_OBJECT
public:
    explicit CChildFrame(CDawnlyView* view, QWidget* parent = nullptr);
    ~CChildFrame() override;

    CDawnlyView* GetActiveView() const { return m_pView; }
    // The document's title, followed by ":n" while the document has several windows.
    void UpdateTitle();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    CDawnlyView* m_pView;
};

}  // namespace wb::gui
