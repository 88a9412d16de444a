#include "shell/child_frame.h"

#include <QCloseEvent>
#include <QIcon>

#include "shell/dawnly_doc.h"
#include "shell/dawnly_view.h"

namespace wb::gui {

CChildFrame::CChildFrame(CDawnlyView* view, QWidget* parent)
    : QMdiSubWindow(parent), m_pView(view) {
    setAttribute(Qt::WA_DeleteOnClose);
    setWidget(view);
    setWindowIcon(QIcon(QStringLiteral(":/icons/document.png")));
    if (CDawnlyDoc* doc = view->GetDocument()) {
        connect(doc, &CDawnlyDoc::titleChanged, this, &CChildFrame::UpdateTitle);
        connect(doc, &CDawnlyDoc::viewsChanged, this, &CChildFrame::UpdateTitle);
    }
    UpdateTitle();
}

CChildFrame::~CChildFrame() {
    // The view is deleted by the base class, when this is no longer a CChildFrame: the
    // document it leaves must not call UpdateTitle on what remains of this window.
    if (CDawnlyDoc* doc = m_pView ? m_pView->GetDocument() : nullptr) {
        disconnect(doc, nullptr, this, nullptr);
    }
}

void CChildFrame::UpdateTitle() {
    CDawnlyDoc* doc = m_pView->GetDocument();
    if (!doc) return;
    QString title = doc->GetTitle();
    const auto& views = doc->Views();
    if (views.size() > 1) title += QStringLiteral(":%1").arg(views.indexOf(m_pView) + 1);
    setWindowTitle(title);
}

void CChildFrame::closeEvent(QCloseEvent* event) {
    CDawnlyDoc* doc = m_pView->GetDocument();
    // Only the last window of a document asks to save it.
    if (doc && doc->Views().size() == 1 && !doc->SaveModified()) {
        event->ignore();
        return;
    }
    QMdiSubWindow::closeEvent(event);
}

}  // namespace wb::gui
