#include "shell/dawnly_doc_template.h"

#include <QFileInfo>
#include <algorithm>

#include "shell/app_strings.h"
#include "shell/backdrop_wnd.h"
#include "shell/child_frame.h"
#include "shell/dawnly_doc.h"
#include "shell/dawnly_view.h"
#include "shell/main_frame.h"

namespace wb::gui {

CDawnlyDocTemplate::CDawnlyDocTemplate(QObject* parent) : QObject(parent) {}

CDawnlyDocTemplate::~CDawnlyDocTemplate() = default;

CDawnlyDoc* CDawnlyDocTemplate::CreateDocument() {
    auto* doc = new CDawnlyDoc(this);
    m_docs.append(doc);
    connect(doc, &CDawnlyDoc::lastViewClosed, this, [this, doc] { RemoveDocument(doc); });
    return doc;
}

void CDawnlyDocTemplate::RemoveDocument(CDawnlyDoc* doc) {
    if (!m_docs.removeOne(doc)) return;
    doc->deleteLater();
}

CDawnlyDoc* CDawnlyDocTemplate::FindOpenDocument(const QString& path) const {
    const QFileInfo wanted(path);
    for (CDawnlyDoc* doc : m_docs) {
        if (doc->GetPathName().isEmpty()) continue;
        const QFileInfo open(doc->GetPathName());
        const QString a = open.canonicalFilePath(), b = wanted.canonicalFilePath();
        if ((!a.isEmpty() && a == b) || open.absoluteFilePath() == wanted.absoluteFilePath()) {
            return doc;
        }
    }
    return nullptr;
}

CChildFrame* CDawnlyDocTemplate::CreateNewFrame(CDawnlyDoc* doc) {
    if (!m_pFrame || !doc) return nullptr;
    auto* view = new CDawnlyView(doc);
    auto* child = new CChildFrame(view);
    for (CDawnlyView* v : doc->Views()) {
        if (auto* f = qobject_cast<CChildFrame*>(v->parentWidget())) f->UpdateTitle();
    }
    CBackdropWnd* area = m_pFrame->MdiArea();
    // New windows cascade from the top-left corner and take most of the workspace.
    const int previous = static_cast<int>(area->subWindowList().size());
    area->addSubWindow(child);
    const QSize client = area->viewport()->size();
    const int step = 24 * (previous % 8);
    child->setGeometry(step, step, std::max(client.width() * 3 / 4, 320),
                       std::max(client.height() * 3 / 4, 200));
    child->show();
    m_pFrame->MdiArea()->setActiveSubWindow(child);
    view->setFocus();
    return child;
}

CDawnlyDoc* CDawnlyDocTemplate::OpenDocumentFile(const QString& path) {
    if (!path.isEmpty()) {
        if (CDawnlyDoc* open = FindOpenDocument(path)) {
            if (!open->Views().isEmpty()) {
                auto* child = qobject_cast<CChildFrame*>(open->Views().front()->parentWidget());
                if (child && m_pFrame) m_pFrame->MdiArea()->setActiveSubWindow(child);
            }
            return open;
        }
        // Read before any window appears, so that an unreadable file leaves none behind.
        if (!QFileInfo(path).isFile()) {
            CDawnlyDoc probe;
            probe.OnOpenDocument(path);  // shows the message
            return nullptr;
        }
    }
    CDawnlyDoc* doc = CreateDocument();
    if (path.isEmpty()) {
        ++m_nUntitledCount;
        doc->SetTitle(DocTemplateString(DocString::DocName) + QString::number(m_nUntitledCount));
    }
    CChildFrame* child = CreateNewFrame(doc);
    const bool ok = path.isEmpty() ? doc->OnNewDocument() : doc->OnOpenDocument(path);
    if (!ok) {
        if (child) {
            doc->SetModifiedFlag(false);
            child->close();
        } else {
            RemoveDocument(doc);
        }
        return nullptr;
    }
    if (child) child->GetActiveView()->moveCursor(QTextCursor::Start);
    return doc;
}

bool CDawnlyDocTemplate::SaveAllModified() {
    const QList<CDawnlyDoc*> docs = m_docs;
    for (CDawnlyDoc* doc : docs) {
        if (!doc->SaveModified()) return false;
    }
    return true;
}

void CDawnlyDocTemplate::CloseAllDocuments() {
    const QList<CDawnlyDoc*> docs = m_docs;
    for (CDawnlyDoc* doc : docs) {
        doc->SetModifiedFlag(false);
        const auto views = doc->Views();
        for (CDawnlyView* v : views) {
            if (auto* child = qobject_cast<CChildFrame*>(v->parentWidget())) child->close();
        }
    }
}

}  // namespace wb::gui
