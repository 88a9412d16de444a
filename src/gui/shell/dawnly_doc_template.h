#pragma once

#include <QList>
#include <QObject>
#include <QString>

namespace wb::gui {

class CChildFrame;
class CDawnlyDoc;
class CMainFrame;

// The one document type of the program: creates documents with their windows and views,
// numbers untitled documents, and finds a file that is already open.
class CDawnlyDocTemplate final : public QObject {
    Q_OBJECT
public:
    explicit CDawnlyDocTemplate(QObject* parent = nullptr);
    ~CDawnlyDocTemplate() override;

    void SetMainFrame(CMainFrame* frame) { m_pFrame = frame; }

    // An empty path makes a new untitled document. A file that is already open gets its
    // window activated instead. Null when the file cannot be read.
    CDawnlyDoc* OpenDocumentFile(const QString& path);
    // Another window on `doc`.
    CChildFrame* CreateNewFrame(CDawnlyDoc* doc);

    const QList<CDawnlyDoc*>& Documents() const { return m_docs; }
    CDawnlyDoc* FindOpenDocument(const QString& path) const;
    // Asks about every modified document; false when the user cancels.
    bool SaveAllModified();
    // Closes every window without asking again.
    void CloseAllDocuments();

private:
    CDawnlyDoc* CreateDocument();
    void RemoveDocument(CDawnlyDoc* doc);

    CMainFrame* m_pFrame = nullptr;
    QList<CDawnlyDoc*> m_docs;
    int m_nUntitledCount = 0;
};

}  // namespace wb::gui
