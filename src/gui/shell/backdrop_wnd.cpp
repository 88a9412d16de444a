#include "shell/backdrop_wnd.h"

#include <QPaintEvent>
#include <QPainter>

namespace wb::gui {

QPoint BackdropOrigin(int cw, int ch, int bw, int bh) {
    // C++ division truncates toward zero, as the picture's placement requires.
    return QPoint((cw - bw) / 2, (ch - bh) / 2);
}

CBackdropWnd::CBackdropWnd(QWidget* parent) : QMdiArea(parent) {
    m_bHaveBitmap = m_bitmap.load(QString::fromLatin1(kBitmapFile), "BMP");
    if (!m_bHaveBitmap) m_bitmap = QImage();
    m_brush = QBrush(m_bHaveBitmap ? QColor(0, 0, 0) : QColor(128, 128, 128));
    setBackground(m_brush);
}

QPoint CBackdropWnd::PictureOrigin() const {
    const QSize client = viewport()->size();
    return BackdropOrigin(client.width(), client.height(), m_bitmap.width(), m_bitmap.height());
}

void CBackdropWnd::paintEvent(QPaintEvent* event) {
    QPainter painter(viewport());
    painter.fillRect(event->rect(), m_brush);
    if (!m_bHaveBitmap) return;
    // Drawn at its own size, never stretched; the painter clips what lies outside.
    painter.drawImage(PictureOrigin(), m_bitmap);
}

void CBackdropWnd::resizeEvent(QResizeEvent* event) {
    QMdiArea::resizeEvent(event);
    viewport()->update();
}

}  // namespace wb::gui
