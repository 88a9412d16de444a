#include "shell/dawnly_view.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QHelpEvent>
#include <QMenu>
#include <QPainter>
#include <QPrintDialog>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QTextBlock>
#include <QTextDocument>
#include <QToolTip>

#include "alarm/document_hosts.h"
#include "common/ui_seam.h"
#include "dialogs/find_dlg.h"
#include "dialogs/send_channel.h"
#include "shell/command_ids.h"
#include "shell/dawnly_app.h"
#include "shell/dawnly_doc.h"
#include "shell/host_marks.h"
#include "shell/main_frame.h"
#include "shell/print_support.h"
#include "shell/system_commands.h"

namespace wb::gui {

namespace {

// The strip left of the text where each host line shows whether its host answers.
class CMarkMargin final : public QWidget {
public:
    explicit CMarkMargin(CDawnlyView* view) : QWidget(view), m_pView(view) {
        setObjectName(QStringLiteral("markMargin"));
        setMouseTracking(true);
    }
    QSize sizeHint() const override { return {m_pView->MarginWidth(), 0}; }

protected:
    void paintEvent(QPaintEvent* event) override { m_pView->PaintMargin(event); }
    bool event(QEvent* event) override {
        if (event->type() == QEvent::ToolTip) {
            auto* help = static_cast<QHelpEvent*>(event);
            const QString ip = m_pView->Marks()->IpOfLine(m_pView->LineAt(help->pos().y()));
            if (ip.isEmpty())
                QToolTip::hideText();
            else
                QToolTip::showText(help->globalPos(), m_pView->Marks()->SinceText(ip), this);
            return true;
        }
        return QWidget::event(event);
    }

private:
    CDawnlyView* m_pView;
};

// The status bar names at most this many lines that could not be read, or hosts now awake.
constexpr int kMaxNamed = 8;

QString NamedList(const QStringList& items) {
    QString text = items.mid(0, kMaxNamed).join(QStringLiteral(", "));
    if (items.size() > kMaxNamed) text += CDawnlyView::tr(" 等 %1 个").arg(items.size());
    return text;
}

}  // namespace

CDawnlyView::CDawnlyView(CDawnlyDoc* doc, QWidget* parent)
    : QPlainTextEdit(parent), m_pDocument(doc) {
    m_pMarks = new CHostMarks(this);
    m_pMargin = new CMarkMargin(this);
    setViewportMargins(MarginWidth(), 0, 0, 0);
    connect(m_pMarks, &CHostMarks::marksChanged, m_pMargin, qOverload<>(&QWidget::update));
    connect(this, &QPlainTextEdit::updateRequest, this, [this](const QRect& rect, int dy) {
        if (dy)
            m_pMargin->scroll(0, dy);
        else
            m_pMargin->update(0, rect.y(), m_pMargin->width(), rect.height());
    });
    connect(m_pMarks, &CHostMarks::hostAwake, this, [this](const QString& ip, int seconds) {
        m_awake << tr("%1 %2 秒后醒来").arg(ip).arg(seconds);
        // After the wake's own outcome, which must not be lost to the good news.
        emit statusMessage(m_wakeOutcome + QStringLiteral("; ") + NamedList(m_awake));
    });
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    // Dropped files open as documents in the main window rather than pasting their names.
    setAcceptDrops(false);
    if (m_pDocument) m_pDocument->AddView(this);
}

CDawnlyView::~CDawnlyView() {
    if (m_pDocument) m_pDocument->RemoveView(this);
}

QString CDawnlyView::RawText() const {
    QString text = document()->toRawText();
    text.replace(QChar::ParagraphSeparator, u'\n');
    return text;
}

void CDawnlyView::OnCreateHostList() {
    emit systemCommandHandled(ID_CREATE_HOST_LIST);
    AfxGetApp()->SystemCommands().RunCreateHostList(this);
}

void CDawnlyView::OnPowerOnHost() {
    emit systemCommandHandled(ID_POWER_ON_HOST);
    AfxGetApp()->SystemCommands().OpenSendDialog(this);
}

void CDawnlyView::OnGroupPowerOn() {
    emit systemCommandHandled(ID_GROUP_POWER_ON);
    AfxGetApp()->SystemCommands().OpenAlarmDialog(this);
}

void CDawnlyView::PrintTo(QPrinter* printer) {
    if (m_pDocument) printer->setDocName(m_pDocument->GetTitle());
    PrintText(*document(), printer);
}

void CDawnlyView::OnFilePrint() {
    QPrinter& printer = AfxGetApp()->Printer();
    QPrintDialog dlg(&printer, window());
    if (CUiSeam::Exec(dlg) == QDialog::Accepted) PrintTo(&printer);
}

void CDawnlyView::OnFilePrintDirect() { PrintTo(&AfxGetApp()->Printer()); }

void CDawnlyView::OnFilePrintPreview() {
    QPrintPreviewDialog dlg(&AfxGetApp()->Printer(), window());
    connect(&dlg, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter* printer) { PrintTo(printer); });
    CUiSeam::Exec(dlg);
}

void CDawnlyView::ShowFindDialog(QPointer<CFindReplaceDlg>& dlg, bool replace) {
    if (!dlg) {
        dlg = new CFindReplaceDlg(this, replace, window());
        dlg->setAttribute(Qt::WA_DeleteOnClose);
        connect(this, &QObject::destroyed, dlg.data(), &QObject::deleteLater);
    }
    const QString selected = textCursor().selectedText();
    if (!selected.isEmpty() && !selected.contains(QChar::ParagraphSeparator)) {
        dlg->SetFindText(selected);
    }
    dlg->show();
    dlg->raise();
    dlg->activateWindow();
}

int CDawnlyView::MarginWidth() const { return fontMetrics().height() + 4; }

void CDawnlyView::resizeEvent(QResizeEvent* event) {
    QPlainTextEdit::resizeEvent(event);
    const QRect r = contentsRect();
    m_pMargin->setGeometry(r.left(), r.top(), MarginWidth(), r.height());
}

int CDawnlyView::LineAt(int y) const {
    for (QTextBlock block = firstVisibleBlock(); block.isValid(); block = block.next()) {
        const QRectF box = blockBoundingGeometry(block).translated(contentOffset());
        if (box.top() > y) break;
        if (block.isVisible() && y < box.bottom()) return block.blockNumber();
    }
    return -1;
}

void CDawnlyView::PaintMargin(QPaintEvent* event) {
    QPainter painter(m_pMargin);
    painter.fillRect(event->rect(), palette().window());
    painter.setRenderHint(QPainter::Antialiasing);
    const int d = fontMetrics().height() * 3 / 5;
    for (QTextBlock block = firstVisibleBlock(); block.isValid(); block = block.next()) {
        const QRectF box = blockBoundingGeometry(block).translated(contentOffset());
        if (box.top() > event->rect().bottom()) break;
        const QString ip = m_pMarks->IpOfLine(block.blockNumber());
        if (ip.isEmpty() || !block.isVisible()) continue;
        // On the line's first row, when a long line wraps.
        const QRectF dot((m_pMargin->width() - d) / 2.0,
                         box.top() + (fontMetrics().height() - d) / 2.0, d, d);
        switch (m_pMarks->MarkOf(ip).state) {
            case CHostMarks::State::Answering:
                painter.setPen(QPen(QColor(0x1b, 0x7a, 0x2e), 1));
                painter.setBrush(QColor(0x2e, 0xb8, 0x4b));
                break;
            case CHostMarks::State::Silent:
                painter.setPen(QPen(QColor(0x9a, 0x1f, 0x1f), 1));
                painter.setBrush(QColor(0xd9, 0x48, 0x3b));
                break;
            case CHostMarks::State::Unknown:
                painter.setPen(QPen(palette().color(QPalette::Mid), 1));
                painter.setBrush(Qt::NoBrush);
                break;
        }
        painter.drawEllipse(dot);
    }
}

bool CDawnlyView::IsHostList() const {
    const QString path = m_pDocument ? m_pDocument->GetPathName() : QString();
    return path.isEmpty() || path.endsWith(QStringLiteral(".mp"), Qt::CaseInsensitive);
}

QString CDawnlyView::SelectedLines(int& firstLine) const {
    const QTextCursor cursor = textCursor();
    const QTextBlock first = document()->findBlock(cursor.selectionStart());
    QTextBlock last = document()->findBlock(cursor.selectionEnd());
    // A selection that ends where a line begins does not take that line.
    if (cursor.hasSelection() && last != first && cursor.selectionEnd() == last.position())
        last = last.previous();
    firstLine = first.blockNumber() + 1;
    QStringList lines;
    for (QTextBlock b = first; b.isValid(); b = b.next()) {
        lines << b.text();
        if (b == last) break;
    }
    return lines.join(QLatin1Char('\n'));
}

void CDawnlyView::OnWakeHosts(bool all) {
    int firstLine = 1;
    const QByteArray text = (all ? RawText() : SelectedLines(firstLine)).toUtf8();
    const DocumentHosts found =
        ReadDocumentHosts(std::string_view(text.constData(), static_cast<std::size_t>(text.size())),
                          static_cast<std::uint64_t>(firstLine));
    // Where a group wake with the default broadcast address sends its frames.
    std::unique_ptr<CSendChannel> channel = NewSendChannel();
    channel->SetDestination("255.255.255.255");
    int woken = 0;
    QStringList notSent;
    QStringList ips;
    for (const DocumentHosts::Host& host : found.hosts) {
        if (channel->SendWakeup(host.ethernet)) {
            ++woken;
            if (!host.ip.empty()) ips << QString::fromStdString(host.ip);
        } else {
            notSent << tr("第 %1 行 (%2)")
                           .arg(host.line)
                           .arg(QString::fromStdString(channel->FailureReason()));
        }
    }
    channel->Close();
    QString message = tr("已唤醒 %1 台主机").arg(woken);
    if (!found.badLines.empty()) {
        QStringList lines;
        for (std::uint64_t n : found.badLines)
            lines << QString::number(n);
        for (std::uint64_t k = 0; k < found.moreBadLines; ++k) {
            if (lines.size() > kMaxNamed) break;
            lines << QStringLiteral("...");
        }
        message += tr("; 无法读取的行: %1").arg(NamedList(lines));
        if (found.moreBadLines > 0)
            message += tr(" (共 %1 行)").arg(found.badLines.size() + found.moreBadLines);
    }
    if (!notSent.isEmpty()) message += tr("; 未发送: %1").arg(NamedList(notSent));
    m_awake.clear();
    m_wakeOutcome = message;
    m_pMarks->WatchWoken(ips);
    emit statusMessage(message);
}

void CDawnlyView::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createStandardContextMenu(event->pos());
    if (auto* frame = qobject_cast<CMainFrame*>(window())) {
        menu->addSeparator();
        for (int id : {ID_WAKE_SELECTED, ID_WAKE_ALL}) {
            if (QAction* action = frame->Action(id)) menu->addAction(action);
        }
        frame->UpdateCommandUI();
    }
    menu->exec(event->globalPos());
    delete menu;
}

void CDawnlyView::OnEditFind() { ShowFindDialog(m_pFindDlg, false); }

void CDawnlyView::OnEditReplace() { ShowFindDialog(m_pReplaceDlg, true); }

}  // namespace wb::gui
