// Draws the program's icons and tool-bar images into res/icons/. Run it again after a
// change: `cmake --build BUILD --target dawnly_make_icons && QT_QPA_PLATFORM=offscreen
// BUILD/res/dawnly_make_icons res/icons`. Shapes sit on whole pixels of a 16- or 32-pixel
// design, and the larger sizes draw that design again at a whole multiple (the "@2x"
// images for a scale factor of 2, and the desktop's sizes under hicolor/), so that every
// size stays crisp. The scalable icons (*.svg) are drawn by hand after the 32-pixel design.
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QImage>
#include <QPainter>
#include <QPainterPath>
#include <functional>

namespace {

const QColor kInk(0x1f, 0x3a, 0x68);  // outlines
const QColor kPaper(0xff, 0xff, 0xff);
const QColor kSun(0xf3, 0x9c, 0x12);  // the dawn: the program's accent
const QColor kSunDark(0xc8, 0x6a, 0x00);
const QColor kSky(0x5d, 0x9c, 0xec);
const QColor kGrey(0x9a, 0xa5, 0xb1);
const QColor kFolder(0xf4, 0xc4, 0x30);
const QColor kGreen(0x2e, 0x9d, 0x48);

using Draw = std::function<void(QPainter&, int)>;

void Rect(QPainter& p, int x, int y, int w, int h, const QColor& fill, const QColor& line) {
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(x, y, w, h, line);
    p.fillRect(x + 1, y + 1, w - 2, h - 2, fill);
}

void Page(QPainter& p, int s, int x0, int y0, int w, int h) {
    // A sheet with its top-right corner folded.
    const int f = s >= 32 ? 7 : 4;
    p.setRenderHint(QPainter::Antialiasing, false);
    QPolygon outline;
    outline << QPoint(x0, y0) << QPoint(x0 + w - 1 - f, y0) << QPoint(x0 + w - 1, y0 + f)
            << QPoint(x0 + w - 1, y0 + h - 1) << QPoint(x0, y0 + h - 1);
    p.setPen(kInk);
    p.setBrush(kPaper);
    p.drawPolygon(outline);
    QPolygon fold;
    fold << QPoint(x0 + w - 1 - f, y0) << QPoint(x0 + w - 1 - f, y0 + f)
         << QPoint(x0 + w - 1, y0 + f);
    p.setBrush(QColor(0xdd, 0xe4, 0xee));
    p.drawPolygon(fold);
}

void Lines(QPainter& p, int x, int y, int w, int n, int step, const QColor& c) {
    p.setRenderHint(QPainter::Antialiasing, false);
    for (int i = 0; i < n; ++i)
        p.fillRect(x, y + i * step, w - (i % 2) * 2, 1, c);
}

void Sun(QPainter& p, double cx, double cy, double r, bool rays) {
    p.setRenderHint(QPainter::Antialiasing, true);
    if (rays) {
        QPen pen(kSun, r > 4 ? 2 : 1);
        p.setPen(pen);
        for (int i = 0; i <= 4; ++i) {
            const double a = 3.14159265 * (i / 4.0);
            p.drawLine(QPointF(cx + std::cos(a) * (r + 2), cy - std::sin(a) * (r + 2)),
                       QPointF(cx + std::cos(a) * (r + 2 + r * 0.6),
                               cy - std::sin(a) * (r + 2 + r * 0.6)));
        }
    }
    p.setPen(QPen(kSunDark, 1));
    p.setBrush(kSun);
    p.drawPie(QRectF(cx - r, cy - r, 2 * r, 2 * r), 0, 180 * 16);
}

// The main icon: a monitor whose screen shows the sun rising.
void MainIcon(QPainter& p, int s) {
    if (s >= 32) {
        Rect(p, 2, 4, 28, 20, kSky, kInk);
        p.fillRect(3, 5, 26, 18, QColor(0x1b, 0x2b, 0x4d));
        p.fillRect(3, 17, 26, 6, QColor(0x2a, 0x4a, 0x7a));
        Sun(p, 16, 18, 5.5, true);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.fillRect(3, 18, 26, 5, QColor(0x2a, 0x4a, 0x7a));
        p.fillRect(13, 24, 6, 3, kInk);
        p.fillRect(8, 27, 16, 2, kInk);
    } else {
        Rect(p, 0, 1, 16, 11, kSky, kInk);
        p.fillRect(1, 2, 14, 9, QColor(0x1b, 0x2b, 0x4d));
        Sun(p, 8, 9, 3, false);
        p.setRenderHint(QPainter::Antialiasing, false);
        p.fillRect(1, 9, 14, 2, QColor(0x2a, 0x4a, 0x7a));
        p.fillRect(6, 12, 4, 2, kInk);
        p.fillRect(3, 14, 10, 1, kInk);
    }
}

// The document icon: a host list, lines under a small rising sun.
void DocIcon(QPainter& p, int s) {
    if (s >= 32) {
        Page(p, s, 5, 1, 22, 30);
        Sun(p, 12, 11, 3.5, false);
        Lines(p, 9, 15, 14, 6, 2, kGrey);
    } else {
        Page(p, s, 2, 0, 12, 16);
        Sun(p, 6, 6, 2, false);
        Lines(p, 4, 8, 8, 3, 2, kGrey);
    }
}

void ToolNew(QPainter& p, int s) {
    Page(p, s, 2, 0, 11, 15);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(11, 9, 5, 1, kSun);
    p.fillRect(13, 7, 1, 5, kSun);
}

void ToolOpen(QPainter& p, int) {
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(kInk);
    p.setBrush(kFolder.darker(115));
    p.drawPolygon(QPolygon(
        {QPoint(0, 3), QPoint(5, 3), QPoint(6, 4), QPoint(13, 4), QPoint(13, 13), QPoint(0, 13)}));
    p.setBrush(kFolder);
    p.drawPolygon(QPolygon({QPoint(2, 7), QPoint(15, 7), QPoint(13, 13), QPoint(0, 13)}));
}

void ToolSave(QPainter& p, int) {
    Rect(p, 1, 1, 14, 14, QColor(0x3f, 0x6f, 0xb5), kInk);
    p.fillRect(4, 2, 8, 5, kPaper);
    p.fillRect(5, 9, 6, 5, QColor(0xcf, 0xd6, 0xe0));
    p.fillRect(9, 10, 1, 3, kInk);
}

void ToolCut(QPainter& p, int) {
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(kInk, 1.2));
    p.drawLine(QPointF(4.5, 1), QPointF(10.5, 10));
    p.drawLine(QPointF(11.5, 1), QPointF(5.5, 10));
    p.setPen(QPen(QColor(0xc0, 0x39, 0x2b), 1.5));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(QRectF(2, 10, 4, 4));
    p.drawEllipse(QRectF(10, 10, 4, 4));
}

void ToolCopy(QPainter& p, int s) {
    Page(p, s, 1, 0, 9, 11);
    Page(p, s, 6, 4, 9, 12);
    Lines(p, 8, 9, 5, 3, 2, kGrey);
}

void ToolPaste(QPainter& p, int s) {
    Rect(p, 1, 2, 11, 13, QColor(0xb9, 0x84, 0x4a), kInk);
    p.fillRect(4, 1, 5, 3, kGrey);
    p.fillRect(4, 1, 5, 1, kInk);
    Page(p, s, 7, 6, 8, 10);
}

void ToolPrint(QPainter& p, int) {
    Rect(p, 4, 0, 8, 6, kPaper, kInk);
    Rect(p, 0, 5, 16, 7, QColor(0xcf, 0xd6, 0xe0), kInk);
    p.fillRect(12, 7, 2, 1, kGreen);
    Rect(p, 3, 10, 10, 6, kPaper, kInk);
    Lines(p, 5, 12, 6, 2, 2, kGrey);
}

void ToolAbout(QPainter& p, int) {
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(kInk, 1));
    p.setBrush(kSky);
    p.drawEllipse(QRectF(0.5, 0.5, 15, 15));
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(7, 3, 2, 2, kPaper);
    p.fillRect(7, 6, 2, 7, kPaper);
    p.fillRect(6, 6, 1, 1, kPaper);
    p.fillRect(6, 12, 4, 1, kPaper);
}

void ToolHelp(QPainter& p, int) {
    // The pointer with a question mark: click on something to learn what it does.
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(kInk);
    p.setBrush(kPaper);
    p.drawPolygon(QPolygon({QPoint(0, 0), QPoint(0, 11), QPoint(3, 8), QPoint(5, 12), QPoint(7, 11),
                            QPoint(5, 7), QPoint(8, 7)}));
    p.setPen(QPen(kInk, 2));
    p.setRenderHint(QPainter::Antialiasing, true);
    QPainterPath q;
    q.moveTo(10, 4);
    q.cubicTo(10, 1, 15, 1, 15, 4);
    q.cubicTo(15, 6.5, 12.5, 6.5, 12.5, 9.5);
    p.setBrush(Qt::NoBrush);
    p.drawPath(q);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(12, 12, 2, 2, kInk);
}

void ToolCreateList(QPainter& p, int s) {
    Page(p, s, 1, 0, 11, 15);
    p.setRenderHint(QPainter::Antialiasing, false);
    for (int i = 0; i < 4; ++i) {
        p.fillRect(3, 4 + i * 2 + i, 1, 1, kSky.darker(120));
        p.fillRect(5, 4 + i * 2 + i, 4, 1, kGrey);
    }
    // A small network: three linked nodes.
    p.fillRect(11, 9, 5, 1, kInk);
    p.fillRect(13, 9, 1, 5, kInk);
    Rect(p, 10, 7, 3, 3, kSun, kSunDark);
    Rect(p, 14, 7, 2, 3, kSun, kSunDark);
    Rect(p, 12, 13, 3, 3, kSun, kSunDark);
}

void ToolPowerOn(QPainter& p, int) {
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(kGreen, 2, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(2, 3, 12, 12), 60 * 16, -300 * 16);
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(7, 1, 2, 7, kGreen);
}

void ToolAlarms(QPainter& p, int) {
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setPen(QPen(kInk, 1));
    p.setBrush(kSun);
    p.drawEllipse(QRectF(0.5, 0.5, 5, 5));
    p.drawEllipse(QRectF(10.5, 0.5, 5, 5));
    p.setBrush(kPaper);
    p.drawEllipse(QRectF(1.5, 2.5, 13, 13));
    p.setRenderHint(QPainter::Antialiasing, false);
    p.fillRect(7, 5, 2, 5, kInk);
    p.fillRect(8, 9, 4, 1, kInk);
}

// Draws the `design`-pixel drawing `scale` times as large.
bool Save(const QString& path, int design, int scale, const Draw& draw) {
    QImage img(design * scale, design * scale, QImage::Format_ARGB32);
    img.fill(Qt::transparent);
    {
        QPainter p(&img);
        p.scale(scale, scale);
        draw(p, design);
    }
    QDir().mkpath(QFileInfo(path).absolutePath());
    return img.save(path);
}

}  // namespace

int main(int argc, char* argv[]) {
    QGuiApplication app(argc, argv);
    const QString dir = (argc > 1 ? QString::fromLocal8Bit(argv[1]) : QStringLiteral(".")) + '/';
    bool ok = true;
    // The window and document icons, in the program and on the desktop.
    const std::pair<const char*, Draw> icons[] = {
        {"dawnly", MainIcon},
        {"document", DocIcon},
    };
    for (const auto& [name, draw] : icons) {
        const QString n = QLatin1String(name);
        ok = ok && Save(dir + n + ".png", 32, 1, draw) && Save(dir + n + "@2x.png", 32, 2, draw) &&
             Save(dir + n + "16.png", 16, 1, draw) && Save(dir + n + "16@2x.png", 16, 2, draw);
        const QString installed = n == "dawnly" ? QStringLiteral("apps/dawnly")
                                                : QStringLiteral("mimetypes/application-x-dawnly");
        // 48 from the 16-pixel design, the rest from the 32-pixel one.
        const std::pair<int, int> sizes[] = {{16, 3}, {32, 2}, {32, 4}, {32, 8}};
        for (const auto& [design, scale] : sizes) {
            const int px = design * scale;
            ok = ok && Save(dir + QStringLiteral("hicolor/%1x%1/").arg(px) + installed + ".png",
                            design, scale, draw);
        }
    }
    const std::pair<const char*, Draw> tools[] = {
        {"new", ToolNew},          {"open", ToolOpen},
        {"save", ToolSave},        {"cut", ToolCut},
        {"copy", ToolCopy},        {"paste", ToolPaste},
        {"print", ToolPrint},      {"about", ToolAbout},
        {"help", ToolHelp},        {"create_list", ToolCreateList},
        {"power_on", ToolPowerOn}, {"alarms", ToolAlarms},
    };
    for (const auto& [name, draw] : tools) {
        const QString base = dir + QStringLiteral("tool_") + QLatin1String(name);
        ok = ok && Save(base + ".png", 16, 1, draw) && Save(base + "@2x.png", 16, 2, draw);
    }
    return ok ? 0 : 1;
}
