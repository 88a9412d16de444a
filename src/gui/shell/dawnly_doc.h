#pragma once

#include <QByteArray>
#include <QList>
#include <QObject>
#include <QString>

#include "shell/text_codec.h"

class QTextDocument;

namespace wb::gui {

class CDawnlyView;

// A host-list file open in the program. The text lives in the views' editors; every view
// of one document shows the same text, kept in step as it is edited, and the document
// loads into and saves from them. Nothing here parses the host-list format.
class CDawnlyDoc final : public QObject {
    Q_OBJECT
public:
    explicit CDawnlyDoc(QObject* parent = nullptr);
    ~CDawnlyDoc() override;

    bool OnNewDocument();
    // Reads the whole file into the views; false (after a message) when it cannot be read.
    bool OnOpenDocument(const QString& path);
    // Writes the text as the file's whole content through a temporary file and a rename.
    bool OnSaveDocument(const QString& path);

    // The Save and Save As commands; false when nothing was saved.
    bool DoFileSave();
    bool DoSave(const QString& path, bool replace);
    // Before the document closes: asks whether to save a modified document. False when
    // the user cancels (or the save failed) and the document must stay open.
    bool SaveModified();

    QString GetTitle() const { return m_strTitle; }
    void SetTitle(const QString& title);
    QString GetPathName() const { return m_strPathName; }
    void SetPathName(const QString& path);

    bool IsModified() const { return m_bModified; }
    void SetModifiedFlag(bool modified = true);

    void AddView(CDawnlyView* view);
    void RemoveView(CDawnlyView* view);
    const QList<CDawnlyView*>& Views() const { return m_views; }

    // The text of the first view, lines separated by '\n'.
    QString Text() const;
    // The bytes a save would write now.
    QByteArray BytesToSave() const;
    bool IsExact() const { return m_bExact; }
    TextEncoding Encoding() const { return m_encoding; }
    LineEnd LineEnding() const { return m_lineEnd; }

signals:
    void titleChanged();
    void modifiedChanged(bool modified);
    // A view came or went; lastViewClosed follows when none is left.
    void viewsChanged();
    void lastViewClosed();

private:
    void OnViewContentsChange(QTextDocument* source, int pos, int removed, int added);
    void SetTextOfViews(const QString& text);

    QString m_strTitle;
    QString m_strPathName;
    bool m_bModified = false;
    QList<CDawnlyView*> m_views;
    bool m_bSyncing = false;

    TextEncoding m_encoding = TextEncoding::Gb18030;
    LineEnd m_lineEnd = LineEnd::CrLf;
    bool m_bExact = true;
    StrayLines m_strayLines;
    // What was last loaded or saved, so that an unchanged text goes back as these bytes.
    QString m_savedText;
    QByteArray m_savedBytes;
    bool m_bHaveSaved = false;
};

// Appends the default extension when a chosen name has none.
QString WithDefaultExtension(const QString& path);

}  // namespace wb::gui
