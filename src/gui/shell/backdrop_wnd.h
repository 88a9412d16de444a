#pragma once

#include <QBrush>
#include <QImage>
#include <QMdiArea>
#include <QPoint>

namespace wb::gui {

// Where a picture of bw x bh is drawn in a client area of cw x ch: centred, each offset
// halved with truncation toward zero, so it is negative (cut off equally on both sides)
// when the area is smaller than the picture.
QPoint BackdropOrigin(int cw, int ch, int bw, int bh);

// The main frame's workspace. It paints its own background: black with the picture
// "DawnlyBg.bmp" from the current directory centred at its own size, or plain grey when
// there is no such picture. The picture is read once, when the workspace is made.
class CBackdropWnd final : public QMdiArea {
    Q_OBJECT
public:
    explicit CBackdropWnd(QWidget* parent = nullptr);

    bool HaveBitmap() const { return m_bHaveBitmap; }
    const QImage& Bitmap() const { return m_bitmap; }
    QColor BackgroundColor() const { return m_brush.color(); }
    // Where the picture's top-left corner lies now.
    QPoint PictureOrigin() const;

    static constexpr const char* kBitmapFile = "DawnlyBg.bmp";

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    bool m_bHaveBitmap = false;
    QImage m_bitmap;
    QBrush m_brush;
};

}  // namespace wb::gui
