#include "shell/dawnly_doc.h"

#include <QFile>
#include <QFileInfo>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <cerrno>
#include <optional>
#include <string>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "base/string_table.h"
#include "common/ui_seam.h"
#include "platform/atomic_file.h"
#include "shell/app_strings.h"
#include "shell/dawnly_view.h"

namespace wb::gui {

namespace {

QString FileFilter() {
    return DocTemplateString(DocString::FilterName) + CDawnlyDoc::tr(";;所有文件 (*)");
}

// Opened without waiting (a FIFO would wait for a writer) and checked on the descriptor
// itself, so that nothing put in the file's place after an earlier look can hang the
// program: only a regular file is read.
std::optional<QByteArray> ReadRegularFile(const QString& path) {
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) return std::nullopt;
    struct stat st {};
    bool ok = ::fstat(fd, &st) == 0 && S_ISREG(st.st_mode);
    QByteArray bytes;
    if (ok) bytes.reserve(static_cast<qsizetype>(st.st_size));
    char buffer[1 << 16];
    while (ok) {
        const ssize_t n = ::read(fd, buffer, sizeof buffer);
        if (n > 0) {
            bytes.append(buffer, static_cast<qsizetype>(n));
        } else if (n == 0) {
            break;
        } else if (errno != EINTR) {
            ok = false;
        }
    }
    ::close(fd);
    if (!ok) return std::nullopt;
    return bytes;
}

}  // namespace

QString WithDefaultExtension(const QString& path) {
    if (path.isEmpty() || !QFileInfo(path).suffix().isEmpty()) return path;
    return path + DocTemplateString(DocString::FilterExt);
}

CDawnlyDoc::CDawnlyDoc(QObject* parent) : QObject(parent) {}

CDawnlyDoc::~CDawnlyDoc() = default;

bool CDawnlyDoc::OnNewDocument() {
    SetTextOfViews(QString());
    m_encoding = TextEncoding::Gb18030;
    m_lineEnd = LineEnd::CrLf;
    m_bExact = true;
    m_strayLines.clear();
    m_bHaveSaved = false;
    SetPathName(QString());
    SetModifiedFlag(false);
    return true;
}

bool CDawnlyDoc::OnOpenDocument(const QString& path) {
    const std::optional<QByteArray> read = ReadRegularFile(path);
    if (!read) {
        CUiSeam::Message(nullptr, tr("无法打开文件 %1.").arg(path), QMessageBox::Ok,
                         QMessageBox::Warning, QString());
        return false;
    }
    const QByteArray& raw = *read;
    DecodedText decoded = DecodeFileText(raw);
    m_encoding = decoded.encoding;
    m_lineEnd = decoded.lineEnd;
    m_strayLines = std::move(decoded.strayLines);
    SetTextOfViews(decoded.text);
    m_savedText = Text();
    m_savedBytes = raw;
    m_bHaveSaved = true;
    // The editor may not hold every character as it came (a carriage return inside a line
    // becomes a line break), so what it would write back is checked here, once.
    m_bExact =
        decoded.exact && EncodeFileText(m_savedText, m_encoding, m_lineEnd, m_strayLines) == raw;
    SetPathName(path);
    SetModifiedFlag(false);
    return true;
}

QByteArray CDawnlyDoc::BytesToSave() const {
    const QString text = Text();
    if (m_bHaveSaved && text == m_savedText) return m_savedBytes;
    return EncodeFileText(text, m_encoding, m_lineEnd, m_strayLines);
}

bool CDawnlyDoc::OnSaveDocument(const QString& path) {
    const QString text = Text();
    const bool unchanged = m_bHaveSaved && text == m_savedText;
    if (!unchanged && (!m_bExact || !KeepsStrayBytes(text, m_strayLines))) {
        auto answer =
            CUiSeam::Message(nullptr,
                             tr("文件 %1 中有无法按原样保存的内容(如行中的回车符或混合的行尾).\n"
                                "继续保存会改变这些字节. 是否继续保存?")
                                 .arg(QFileInfo(path).fileName()),
                             QMessageBox::Yes | QMessageBox::No, QMessageBox::Warning, QString());
        if (answer != QMessageBox::Yes) return false;
    }
    const QByteArray bytes = BytesToSave();
    const platform::SaveResult saved = platform::WriteFileAtomically(
        path.toStdString(), std::string_view(bytes.constData(), bytes.size()));
    if (!saved) {
        const QString text = tr("无法保存文件 %1.").arg(path);
        CUiSeam::Message(
            nullptr, QString::fromStdString(SaveFailureText(saved.refusedLink, text.toStdString())),
            QMessageBox::Ok, QMessageBox::Warning, QString());
        return false;
    }
    if (!unchanged) {
        m_savedText = text;
        m_savedBytes = bytes;
        m_bHaveSaved = true;
        m_bExact = true;
    }
    SetModifiedFlag(false);
    return true;
}

bool CDawnlyDoc::DoFileSave() {
    if (m_strPathName.isEmpty()) return DoSave(QString(), true);
    return DoSave(m_strPathName, true);
}

bool CDawnlyDoc::DoSave(const QString& path, bool replace) {
    QString target = path;
    if (target.isEmpty()) {
        QString suggested = m_strTitle;
        if (QFileInfo(suggested).suffix().isEmpty()) {
            suggested += DocTemplateString(DocString::FilterExt);
        }
        target = CUiSeam::GetSaveFileName(nullptr, tr("另存为"), suggested, FileFilter(),
                                          QStringLiteral("mp"));
        if (target.isEmpty()) return false;
        target = WithDefaultExtension(target);
    }
    if (!OnSaveDocument(target)) return false;
    if (replace) SetPathName(target);
    return true;
}

bool CDawnlyDoc::SaveModified() {
    if (!IsModified()) return true;
    QString name = m_strPathName.isEmpty() ? m_strTitle : m_strPathName;
    auto answer = CUiSeam::Message(nullptr, tr("是否保存对 %1 的修改?").arg(name),
                                   QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel,
                                   QMessageBox::Warning, QString());
    if (answer == QMessageBox::Cancel) return false;
    if (answer == QMessageBox::No) return true;
    return DoFileSave();
}

void CDawnlyDoc::SetTitle(const QString& title) {
    if (title == m_strTitle) return;
    m_strTitle = title;
    emit titleChanged();
}

void CDawnlyDoc::SetPathName(const QString& path) {
    m_strPathName = path.isEmpty() ? QString() : QFileInfo(path).absoluteFilePath();
    if (!path.isEmpty()) SetTitle(QFileInfo(path).fileName());
}

void CDawnlyDoc::SetModifiedFlag(bool modified) {
    for (CDawnlyView* v : m_views)
        v->document()->setModified(modified);
    if (m_bModified == modified) return;
    m_bModified = modified;
    emit modifiedChanged(modified);
}

void CDawnlyDoc::AddView(CDawnlyView* view) {
    if (!m_views.isEmpty()) {
        m_bSyncing = true;
        view->setPlainText(m_views.front()->RawText());
        m_bSyncing = false;
    }
    m_views.append(view);
    QTextDocument* doc = view->document();
    connect(doc, &QTextDocument::contentsChange, this,
            [this, doc](int pos, int removed, int added) {
                OnViewContentsChange(doc, pos, removed, added);
            });
    emit viewsChanged();
}

void CDawnlyDoc::RemoveView(CDawnlyView* view) {
    m_views.removeAll(view);
    disconnect(view->document(), nullptr, this, nullptr);
    emit viewsChanged();
    if (m_views.isEmpty()) emit lastViewClosed();
}

QString CDawnlyDoc::Text() const {
    return m_views.isEmpty() ? QString() : m_views.front()->RawText();
}

void CDawnlyDoc::SetTextOfViews(const QString& text) {
    m_bSyncing = true;
    for (CDawnlyView* v : m_views) {
        v->setPlainText(text);
        v->document()->setModified(false);
    }
    m_bSyncing = false;
}

void CDawnlyDoc::OnViewContentsChange(QTextDocument* source, int pos, int removed, int added) {
    if (m_bSyncing) return;
    if (removed == 0 && added == 0) return;
    m_bSyncing = true;
    // The editor sometimes reports a change that reaches past its last character; the
    // range is clamped to what the documents hold.
    const int sourceEnd = source->characterCount() - 1;
    const int addEnd = std::min(pos + added, sourceEnd);
    QTextCursor from(source);
    from.setPosition(std::min(pos, sourceEnd));
    from.setPosition(addEnd, QTextCursor::KeepAnchor);
    const QString inserted = from.selectedText();
    const int removedChars = removed - ((pos + added) - addEnd);
    for (CDawnlyView* v : m_views) {
        QTextDocument* doc = v->document();
        if (doc == source) continue;
        const int end = doc->characterCount() - 1;
        QTextCursor to(doc);
        to.setPosition(std::min(pos, end));
        to.setPosition(std::min(pos + std::max(removedChars, 0), end), QTextCursor::KeepAnchor);
        to.insertText(inserted);
        if (doc->characterCount() != source->characterCount()) {
            v->setPlainText(source->toRawText().replace(QChar::ParagraphSeparator, u'\n'));
        }
    }
    m_bSyncing = false;
    SetModifiedFlag(true);
}

}  // namespace wb::gui
