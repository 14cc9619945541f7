// Tiling of textures: the free function, the textured panel and the fill.
#include "TileDraw.h"
#include "QtTestMain.h"
#include "TTextureFill.h"
#include "TTexturePanel.h"

#include <QPainter>
#include <QTest>

using namespace quimba::widgets;

namespace {

// Every texture pixel tells where it came from.
QImage CodedTexture(int w, int h) {
    QImage img(w, h, QImage::Format_RGB888);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) img.setPixelColor(x, y, QColor(x & 255, y & 255, ((x >> 8) << 4) | (y >> 8)));
    return img;
}

QImage Rendered(QWidget& w) {
    QImage img(w.size(), QImage::Format_RGB888);
    img.fill(Qt::magenta);
    w.render(&img);
    return img;
}

}  // namespace

class TileDrawTest : public QObject {
    Q_OBJECT
private slots:
    // 573 x 152 over (1, 1)..(1023, 524): columns of 573 and 449, rows of
    // 152, 152, 152 and 67.
    void panelTiles_data() {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<QPoint>("source");
        QTest::newRow("first tile origin") << QPoint(1, 1) << QPoint(0, 0);
        QTest::newRow("first tile last pixel") << QPoint(573, 152) << QPoint(572, 151);
        QTest::newRow("second column starts over") << QPoint(574, 1) << QPoint(0, 0);
        QTest::newRow("clipped column last pixel") << QPoint(1022, 1) << QPoint(448, 0);
        QTest::newRow("second row") << QPoint(1, 153) << QPoint(0, 0);
        QTest::newRow("third row end") << QPoint(300, 456) << QPoint(299, 151);
        QTest::newRow("clipped row start") << QPoint(1, 457) << QPoint(0, 0);
        QTest::newRow("clipped row last pixel") << QPoint(1, 523) << QPoint(0, 66);
        QTest::newRow("clipped corner tile") << QPoint(1022, 523) << QPoint(448, 66);
        QTest::newRow("clipped corner tile inside") << QPoint(700, 500) << QPoint(126, 43);
    }
    void panelTiles() {
        QFETCH(QPoint, at);
        QFETCH(QPoint, source);
        const QImage tex = CodedTexture(573, 152);
        TTexturePanel panel;
        panel.resize(1024, 525);
        panel.SetTexture(tex);
        const QImage shot = Rendered(panel);
        QCOMPARE(shot.pixelColor(at), tex.pixelColor(source));
    }

    void panelBevelRingStaysVisible() {
        TTexturePanel panel;
        panel.resize(1024, 525);
        panel.SetTexture(CodedTexture(573, 152));
        const QImage shot = Rendered(panel);
        const QRgb light = panel.palette().color(QPalette::Light).rgb();
        const QRgb dark = panel.palette().color(QPalette::Dark).rgb();
        QCOMPARE(shot.pixel(10, 0), light);
        QCOMPARE(shot.pixel(0, 10), light);
        QCOMPARE(shot.pixel(1023, 10), dark);
        QCOMPARE(shot.pixel(10, 524), dark);
    }

    void panelWithoutTextureShowsItsColour() {
        TTexturePanel panel;
        panel.resize(40, 30);
        QVERIFY(panel.Texture().isNull());
        const QImage shot = Rendered(panel);
        QCOMPARE(shot.pixel(20, 15), panel.palette().color(QPalette::Button).rgb());
        QCOMPARE(shot.pixel(1, 1), panel.palette().color(QPalette::Button).rgb());
    }

    void panelTextureLoadedInPlace() {
        TTexturePanel panel;
        panel.resize(20, 20);
        panel.Texture() = CodedTexture(5, 5);
        const QImage shot = Rendered(panel);
        QCOMPARE(shot.pixelColor(6, 1), QColor(0, 0, 0));
        QCOMPARE(shot.pixelColor(9, 3), QColor(3, 2, 0));
    }

    void imageTilesWholeArea() {
        // The 24-bit path, checked pixel by pixel over the whole area.
        const QImage tex = CodedTexture(573, 152);
        QImage target(1024, 525, QImage::Format_RGB888);
        target.fill(Qt::magenta);
        TileDraw(QRect(1, 1, 1022, 523), target, tex);
        int wrong = 0;
        for (int y = 0; y < 525; ++y) {
            for (int x = 0; x < 1024; ++x) {
                const bool inside = x >= 1 && x < 1023 && y >= 1 && y < 524;
                const QColor expected = inside ? tex.pixelColor((x - 1) % 573, (y - 1) % 152) : QColor(Qt::magenta);
                if (target.pixelColor(x, y) != expected) ++wrong;
            }
        }
        QCOMPARE(wrong, 0);
    }

    void largerTextureShowsTopLeft() {
        const QImage tex = CodedTexture(50, 40);
        QImage target(30, 20, QImage::Format_RGB888);
        target.fill(Qt::magenta);
        TileDraw(QRect(5, 5, 20, 10), target, tex);
        QCOMPARE(target.pixelColor(5, 5), tex.pixelColor(0, 0));
        QCOMPARE(target.pixelColor(24, 14), tex.pixelColor(19, 9));
        QCOMPARE(target.pixelColor(25, 14), QColor(Qt::magenta));
        QCOMPARE(target.pixelColor(24, 15), QColor(Qt::magenta));
    }

    void emptyBitmapDrawsNothing() {
        QImage target(8, 8, QImage::Format_RGB888);
        target.fill(Qt::magenta);
        const QImage before = target.copy();
        TileDraw(QRect(0, 0, 8, 8), target, QImage());
        QCOMPARE(target, before);
    }

    void targetEdgesAreClipped() {
        // An area reaching past the image is cut at its edges, nothing wraps.
        const QImage tex = CodedTexture(4, 4);
        QImage target(6, 6, QImage::Format_RGB888);
        target.fill(Qt::magenta);
        TileDraw(QRect(-2, -2, 20, 20), target, tex);
        QCOMPARE(target.pixelColor(0, 0), tex.pixelColor(2, 2));
        QCOMPARE(target.pixelColor(2, 2), tex.pixelColor(0, 0));
        QCOMPARE(target.pixelColor(5, 5), tex.pixelColor(3, 3));
    }

    void fillTilesWholeClientArea() {
        const QImage tex = CodedTexture(7, 5);
        TTextureFill fill;
        fill.resize(20, 12);
        fill.SetTexture(&tex);
        QCOMPARE(fill.Texture(), &tex);
        const QImage shot = Rendered(fill);
        QCOMPARE(shot.pixelColor(0, 0), tex.pixelColor(0, 0));
        QCOMPARE(shot.pixelColor(8, 6), tex.pixelColor(1, 1));
        QCOMPARE(shot.pixelColor(19, 11), tex.pixelColor(5, 1));
    }

    void fillEmptyLook() {
        TTextureFill fill;
        fill.resize(10, 8);
        const QImage shot = Rendered(fill);
        QCOMPARE(shot.pixelColor(0, 0), QColor(Qt::black));
        QCOMPARE(shot.pixelColor(9, 4), QColor(Qt::black));
        QCOMPARE(shot.pixelColor(4, 7), QColor(Qt::black));
        QCOMPARE(shot.pixelColor(1, 1), QColor(Qt::white));
        QCOMPARE(shot.pixelColor(8, 6), QColor(Qt::white));
    }

    void fillDropsUndrawablePicture() {
        const QImage broken;
        TTextureFill fill;
        fill.resize(10, 8);
        fill.SetTexture(&broken);
        const QImage shot = Rendered(fill);
        QCOMPARE(fill.Texture(), nullptr);
        QCOMPARE(shot.pixelColor(0, 0), QColor(Qt::black));
        QCOMPARE(shot.pixelColor(5, 4), QColor(Qt::white));
    }
};

QUIMBA_TEST_MAIN("tiledraw", TileDrawTest)
#include "tiledraw_test.moc"
