#include <QDir>
#include <QImage>
#include <QTemporaryDir>
#include <QTest>

#include "shell/backdrop_wnd.h"

using wb::gui::BackdropOrigin;
using wb::gui::CBackdropWnd;

class BackdropTest : public QObject {
    Q_OBJECT
private:
    QImage Render(CBackdropWnd& w) { return w.viewport()->grab().toImage(); }

private slots:
    void origin_data() {
        QTest::addColumn<QSize>("client");
        QTest::addColumn<QSize>("picture");
        QTest::addColumn<QPoint>("expected");
        QTest::newRow("601x400") << QSize(601, 400) << QSize(200, 100) << QPoint(200, 150);
        QTest::newRow("95x60 cut off") << QSize(95, 60) << QSize(200, 100) << QPoint(-52, -20);
        QTest::newRow("odd negative truncates toward zero")
            << QSize(195, 95) << QSize(200, 100) << QPoint(-2, -2);
        QTest::newRow("same size") << QSize(200, 100) << QSize(200, 100) << QPoint(0, 0);
    }

    void origin() {
        QFETCH(QSize, client);
        QFETCH(QSize, picture);
        QFETCH(QPoint, expected);
        QCOMPARE(BackdropOrigin(client.width(), client.height(), picture.width(), picture.height()),
                 expected);
    }

    void greyWithoutPicture() {
        QTemporaryDir dir;
        const QString previous = QDir::currentPath();
        QDir::setCurrent(dir.path());
        CBackdropWnd w;
        QDir::setCurrent(previous);
        QVERIFY(!w.HaveBitmap());
        w.resize(300, 200);
        w.show();
        const QImage img = Render(w);
        QCOMPARE(img.pixelColor(0, 0), QColor(128, 128, 128));
        QCOMPARE(img.pixelColor(img.width() / 2, img.height() / 2), QColor(128, 128, 128));
    }

    void pictureCentredOnBlack() {
        QTemporaryDir dir;
        QImage picture(200, 100, QImage::Format_RGB32);
        picture.fill(QColor(255, 0, 0));
        picture.setPixelColor(0, 0, QColor(0, 0, 255));  // marks the top-left corner
        QVERIFY(picture.save(dir.filePath("DawnlyBg.bmp"), "BMP"));
        const QString previous = QDir::currentPath();
        QDir::setCurrent(dir.path());
        CBackdropWnd w;
        QDir::setCurrent(previous);
        QVERIFY(w.HaveBitmap());
        QCOMPARE(w.BackgroundColor(), QColor(0, 0, 0));
        w.resize(601, 400);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const QSize client = w.viewport()->size();
        const QPoint at = BackdropOrigin(client.width(), client.height(), 200, 100);
        QCOMPARE(w.PictureOrigin(), at);
        QImage img = Render(w);
        QCOMPARE(img.pixelColor(at), QColor(0, 0, 255));
        QCOMPARE(img.pixelColor(at + QPoint(199, 99)), QColor(255, 0, 0));
        QCOMPARE(img.pixelColor(at + QPoint(200, 100)), QColor(0, 0, 0));
        QCOMPARE(img.pixelColor(0, 0), QColor(0, 0, 0));
        // Smaller than the picture: still centred, cut off on both sides.
        w.resize(95, 60);
        QCoreApplication::processEvents();
        const QSize small = w.viewport()->size();
        QCOMPARE(w.PictureOrigin(), BackdropOrigin(small.width(), small.height(), 200, 100));
        img = Render(w);
        QCOMPARE(img.pixelColor(0, 0), QColor(255, 0, 0));
    }
};

QTEST_MAIN(BackdropTest)
#include "backdrop_test.moc"
