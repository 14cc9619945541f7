// Drawing pictures on a target: colour key, clipping, order, and loading
// bitmap files that are good, missing, garbage or cut short.

#include "PictureList.h"
#include "MediaTestFiles.h"
#include "QtTestMain.h"

#include <QTemporaryDir>
#include <QtTest>

using mediatest::FirstDifference;
using quimba::TPictureList;

namespace {

constexpr QRgb kBlue = qRgb(0, 0, 255);
constexpr QRgb kGround = qRgb(0, 128, 0);

// Every pixel its own colour, so that an off-by-one in any direction shows,
// with pure blue holes in a diagonal pattern (several runs per row, rows
// starting and ending both opaque and transparent).
QImage Patterned(int w, int h) {
    QImage img(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            img.setPixel(x, y, (x + 2 * y) % 5 == 0 ? kBlue : qRgb(10 + x, 20 + y, 100 + (x * y) % 100));
    return img;
}

// What a draw must give: pixel by pixel, no runs, no clipping arithmetic.
QImage Expected(const QImage& ground, const QImage& pic, int px, int py, QRgb key) {
    QImage out = ground.convertToFormat(QImage::Format_RGB32);
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x) {
            const long long sx = (long long)x - px, sy = (long long)y - py;
            if (sx < 0 || sy < 0 || sx >= pic.width() || sy >= pic.height()) continue;
            const QRgb c = pic.pixel(int(sx), int(sy));
            if ((c & 0xffffff) != (key & 0xffffff)) out.setPixel(x, y, c);
        }
    return out;
}

// First differing pixel, for a readable failure.

QImage Ground(int w, int h, QImage::Format f = QImage::Format_RGB32) {
    QImage g(w, h, f);
    g.fill(kGround);
    return g;
}

QString WriteFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly)) return QString();
    f.write(bytes);
    return path;
}

}  // namespace

class PictureListTest : public QObject {
    Q_OBJECT
private slots:
    void colourKey_data();
    void colourKey();
    void clipping_data();
    void clipping();
    void targetFormats_data();
    void targetFormats();
    void laterCoversEarlier();
    void reloadKeepsKey();
    void loadsBitmap24_data();
    void loadsBitmap24();
    void badFilesFailCleanly_data();
    void badFilesFailCleanly();
    void missingFile();
    void indexLimits();
};

void PictureListTest::colourKey_data() {
    QTest::addColumn<QRgb>("pixel");
    QTest::addColumn<bool>("setKey");
    QTest::addColumn<QRgb>("key");
    QTest::addColumn<QRgb>("seen");
    QTest::newRow("pure blue skipped") << kBlue << true << kBlue << kGround;
    QTest::newRow("blue 254 drawn") << qRgb(0, 0, 254) << true << kBlue << qRgb(0, 0, 254);
    QTest::newRow("blue with a trace of red drawn") << qRgb(1, 0, 255) << true << kBlue << qRgb(1, 0, 255);
    QTest::newRow("other colour drawn") << qRgb(200, 30, 40) << true << kBlue << qRgb(200, 30, 40);
    QTest::newRow("no key set: blue drawn") << kBlue << false << kBlue << kBlue;
    QTest::newRow("key alpha ignored") << kBlue << true << QRgb(0x000000ffu) << kGround;
    QTest::newRow("other key: blue drawn") << kBlue << true << qRgb(255, 0, 255) << kBlue;
}

void PictureListTest::colourKey() {
    QFETCH(QRgb, pixel);
    QFETCH(bool, setKey);
    QFETCH(QRgb, key);
    QFETCH(QRgb, seen);
    QImage pic(3, 2, QImage::Format_RGB32);
    pic.fill(qRgb(9, 9, 9));
    pic.setPixel(1, 1, pixel);
    TPictureList list;
    QVERIFY(list.SetPicture(2, pic));
    if (setKey) list.SetTransparentColor(2, key);
    QImage target = Ground(5, 4);
    list.Draw(target, 2, 1, 1);
    QCOMPARE(target.pixel(2, 2) & 0xffffff, seen & 0xffffff);
    QCOMPARE(target.pixel(1, 1) & 0xffffff, QRgb(0x090909));      // the rest of the picture
    QCOMPARE(target.pixel(0, 0) & 0xffffff, kGround & 0xffffff);  // outside it
}

void PictureListTest::clipping_data() {
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    // Picture 17 x 11 on a 40 x 30 target.
    QTest::newRow("inside") << 5 << 7;
    QTest::newRow("top-left corner at origin") << 0 << 0;
    QTest::newRow("bottom-right flush") << 23 << 19;
    QTest::newRow("cut at left") << -4 << 6;
    QTest::newRow("cut at right") << 35 << 6;
    QTest::newRow("cut at top") << 9 << -3;
    QTest::newRow("cut at bottom") << 9 << 25;
    QTest::newRow("cut at top-left corner") << -16 << -10;
    QTest::newRow("cut at bottom-right corner") << 39 << 29;
    QTest::newRow("cut at top-right corner") << 30 << -5;
    QTest::newRow("cut at bottom-left corner") << -12 << 22;
    QTest::newRow("just off left") << -17 << 5;
    QTest::newRow("just off right") << 40 << 5;
    QTest::newRow("just off top") << 5 << -11;
    QTest::newRow("just off bottom") << 5 << 30;
    QTest::newRow("far left") << -100000 << 5;
    QTest::newRow("far right") << 2000000000 << 5;
    QTest::newRow("far up and left") << -2147483647 - 1 << -2147483647 - 1;
    QTest::newRow("far down") << 5 << 2147483647;
}

void PictureListTest::clipping() {
    QFETCH(int, x);
    QFETCH(int, y);
    const QImage pic = Patterned(17, 11);
    TPictureList list;
    list.SetPicture(0, pic);
    list.SetTransparentColor(0, kBlue);
    QImage target = Ground(40, 30);
    const QImage want = Expected(target, pic, x, y, kBlue);
    list.Draw(target, 0, x, y);
    QCOMPARE(FirstDifference(target, want), QString());
}

void PictureListTest::targetFormats_data() {
    QTest::addColumn<int>("formatNumber");
    QTest::addColumn<int>("x");
    QTest::addColumn<int>("y");
    QTest::newRow("rgb32 cut left-top") << int(QImage::Format_RGB32) << -3 << -2;
    QTest::newRow("argb32 cut right") << int(QImage::Format_ARGB32) << 20 << 4;
    QTest::newRow("premultiplied inside") << int(QImage::Format_ARGB32_Premultiplied) << 2 << 3;
    QTest::newRow("rgb888 cut left-top") << int(QImage::Format_RGB888) << -3 << -2;
    QTest::newRow("rgb888 cut bottom-right") << int(QImage::Format_RGB888) << 20 << 15;
    QTest::newRow("rgb16 inside") << int(QImage::Format_RGB16) << 1 << 1;
}

// Pictures with all-distinct colours lose precision in 16-bit targets, so
// this one uses colours that survive the trip exactly.
void PictureListTest::targetFormats() {
    QFETCH(int, formatNumber);
    const auto format = QImage::Format(formatNumber);
    QFETCH(int, x);
    QFETCH(int, y);
    QImage pic(9, 7, QImage::Format_RGB32);
    for (int py = 0; py < 7; ++py)
        for (int px = 0; px < 9; ++px)
            pic.setPixel(px, py,
                         (px + py) % 3 == 0 ? kBlue : ((px + py) % 3 == 1 ? qRgb(255, 0, 0) : qRgb(255, 255, 255)));
    TPictureList list;
    list.SetPicture(4, pic);
    list.SetTransparentColor(4, kBlue);
    QImage target = Ground(25, 19, format);
    const QImage want = Expected(target, pic, x, y, kBlue);
    list.Draw(target, 4, x, y);
    QCOMPARE(target.format(), format);
    QCOMPARE(FirstDifference(target.convertToFormat(QImage::Format_RGB32), want), QString());
}

void PictureListTest::laterCoversEarlier() {
    QImage red(10, 10, QImage::Format_RGB32);
    red.fill(qRgb(255, 0, 0));
    QImage holed(6, 6, QImage::Format_RGB32);
    holed.fill(qRgb(0, 255, 255));
    holed.setPixel(3, 3, kBlue);
    TPictureList list;
    list.SetPicture(1, red);
    list.SetPicture(7, holed);
    list.SetTransparentColor(1, kBlue);
    list.SetTransparentColor(7, kBlue);

    QImage target = Ground(20, 20);
    list.Draw(target, 1, 2, 2);
    list.Draw(target, 7, 8, 8);
    QCOMPARE(target.pixel(9, 9), qRgb(0, 255, 255));    // overlap: the later picture
    QCOMPARE(target.pixel(11, 11), qRgb(255, 0, 0));    // its hole shows the earlier one
    QCOMPARE(target.pixel(13, 13), qRgb(0, 255, 255));  // past the earlier one
    QCOMPARE(target.pixel(3, 3), qRgb(255, 0, 0));
    QCOMPARE(target.pixel(14, 3), kGround);

    // The other order: the red square covers all of its area.
    QImage again = Ground(20, 20);
    list.Draw(again, 7, 8, 8);
    list.Draw(again, 1, 2, 2);
    QCOMPARE(again.pixel(9, 9), qRgb(255, 0, 0));
    QCOMPARE(again.pixel(13, 13), qRgb(0, 255, 255));
}

// The key belongs to the slot: a picture loaded after it is keyed as well,
// and a new key applies to the picture already there.
void PictureListTest::reloadKeepsKey() {
    TPictureList list;
    QImage first(4, 1, QImage::Format_RGB32);
    first.fill(qRgb(1, 2, 3));
    list.SetPicture(3, first);
    list.SetTransparentColor(3, kBlue);
    QImage second(4, 1, QImage::Format_RGB32);
    second.fill(qRgb(7, 7, 7));
    second.setPixel(0, 0, kBlue);
    second.setPixel(2, 0, qRgb(255, 0, 255));
    list.SetPicture(3, second);

    QImage target = Ground(4, 1);
    list.Draw(target, 3, 0, 0);
    QCOMPARE(target.pixel(0, 0), kGround);
    QCOMPARE(target.pixel(1, 0), qRgb(7, 7, 7));
    QCOMPARE(target.pixel(2, 0), qRgb(255, 0, 255));

    list.SetTransparentColor(3, qRgb(255, 0, 255));
    QImage rekeyed = Ground(4, 1);
    list.Draw(rekeyed, 3, 0, 0);
    QCOMPARE(rekeyed.pixel(0, 0), kBlue);
    QCOMPARE(rekeyed.pixel(2, 0), kGround);
}

void PictureListTest::loadsBitmap24_data() {
    QTest::addColumn<int>("width");
    QTest::addColumn<int>("height");
    QTest::addColumn<bool>("topDown");
    QTest::newRow("3 wide: 3 padding bytes a row") << 3 << 2 << false;
    QTest::newRow("4 wide: no padding") << 4 << 3 << false;
    QTest::newRow("5 wide: 1 padding byte") << 5 << 4 << false;
    QTest::newRow("rows stored top-down") << 3 << 5 << true;
    QTest::newRow("single pixel") << 1 << 1 << false;
}

void PictureListTest::loadsBitmap24() {
    QFETCH(int, width);
    QFETCH(int, height);
    QFETCH(bool, topDown);
    const QImage source = Patterned(width, height);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = WriteFile(dir, QStringLiteral("B_x.bmp"), mediatest::Bitmap24(source, topDown));
    TPictureList list;
    QString error;
    QVERIFY2(list.LoadFromFile(5, path, &error), qPrintable(error));
    QCOMPARE(list.Count(), 6);
    const QImage& got = list.Picture(5);
    QCOMPARE(got.size(), source.size());
    QCOMPARE(FirstDifference(got, source), QString());
}

void PictureListTest::badFilesFailCleanly_data() {
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QString>("reasonPart");
    const QByteArray good = mediatest::Bitmap24(Patterned(7, 5));
    QTest::newRow("empty file") << QByteArray() << "empty";
    QTest::newRow("text") << QByteArray("this is not a picture at all\n") << "not a readable picture";
    QByteArray noise(300, '\0');
    for (int i = 0; i < noise.size(); ++i) noise[i] = char((i * 97 + 13) & 0xff);
    QTest::newRow("noise") << noise << "not a readable picture";
    QTest::newRow("signature only") << QByteArray("BM") << "truncated";
    QTest::newRow("cut in file header") << good.left(10) << "truncated";
    QTest::newRow("cut in info header") << good.left(30) << "truncated";
    QTest::newRow("headers only") << good.left(54) << "truncated";
    QTest::newRow("cut in first row") << good.left(60) << "truncated";
    QTest::newRow("one byte short") << good.left(good.size() - 1) << "truncated";
    QByteArray zeroWidth = good;
    zeroWidth[18] = 0;
    QTest::newRow("zero width") << zeroWidth << "no pixels";
    QByteArray depth = good;
    depth[28] = 7;
    QTest::newRow("depth 7") << depth << "depth";
    QByteArray huge = good;
    huge[22] = char(0xff);
    huge[23] = char(0xff);
    huge[24] = char(0xff);
    huge[25] = char(0x0f);  // 268 million rows declared
    QTest::newRow("height far past the data") << huge << "truncated";
    QByteArray offset = good;
    offset[10] = 0x10;  // pixel data inside the headers
    QTest::newRow("pixel offset inside header") << offset << "overlaps";
}

void PictureListTest::badFilesFailCleanly() {
    QFETCH(QByteArray, bytes);
    QFETCH(QString, reasonPart);
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = WriteFile(dir, QStringLiteral("bad.bmp"), bytes);
    TPictureList list;
    const QImage before = Patterned(2, 2);
    list.SetPicture(0, before);
    QString error;
    QCOMPARE(list.LoadFromFile(0, path, &error), false);
    QVERIFY2(error.contains(reasonPart), qPrintable(error));
    QVERIFY2(error.contains(path), qPrintable(error));
    // A failed load leaves the old picture in place.
    QCOMPARE(FirstDifference(list.Picture(0), before), QString());
    // Without a place for the reason it fails all the same.
    QCOMPARE(list.LoadFromData(0, bytes), false);
}

void PictureListTest::missingFile() {
    QTemporaryDir dir;
    TPictureList list;
    QString error;
    const QString path = dir.filePath(QStringLiteral("bitmaps/B_3.bmp"));
    QCOMPARE(list.LoadFromFile(3, path, &error), false);
    QVERIFY2(error.contains(QStringLiteral("not found")), qPrintable(error));
    QVERIFY2(error.contains(path), qPrintable(error));
    QCOMPARE(list.Picture(3).isNull(), true);
    QImage target = Ground(3, 3);
    list.Draw(target, 3, 0, 0);  // nothing to draw, nothing drawn
    QCOMPARE(target.pixel(1, 1), kGround);
}

void PictureListTest::indexLimits() {
    TPictureList list;
    QString error;
    QCOMPARE(list.SetPicture(-1, Patterned(2, 2)), false);
    QCOMPARE(list.SetPicture(TPictureList::kMaxPictures, Patterned(2, 2)), false);
    QCOMPARE(list.LoadFromData(-1, mediatest::Bitmap24(Patterned(2, 2)), &error), false);
    QVERIFY2(error.contains(QStringLiteral("out of range")), qPrintable(error));
    QCOMPARE(list.Count(), 0);
    QCOMPARE(list.Picture(-1).isNull(), true);
    QCOMPARE(list.Picture(9).isNull(), true);
    QCOMPARE(list.TransparentColor(9).has_value(), false);
    list.SetTransparentColor(8, kBlue);
    QCOMPARE(list.Count(), 9);
    QImage target = Ground(3, 3);
    list.Draw(target, -1, 0, 0);
    list.Draw(target, 100, 0, 0);
    list.Draw(target, 8, 0, 0);
    QCOMPARE(target.pixel(0, 0), kGround);
}

QUIMBA_TEST_MAIN("picturelist", PictureListTest)
#include "picturelist_test.moc"
