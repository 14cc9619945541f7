// Colour arithmetic and pixel loops of the glass look, on tiny images.
#include "GlassPaint.h"
#include "QtTestMain.h"
#include "WidgetTestSupport.h"

#include <QTest>

#include <cmath>

using namespace quimba::widgets;

using namespace widgettest;

class PixelOpsTest : public QObject {
    Q_OBJECT
private slots:
    void blendWeight_data() {
        QTest::addColumn<int>("percent");
        QTest::addColumn<int>("weight");
        QTest::newRow("25") << 25 << 64;
        QTest::newRow("33") << 33 << 84;
        QTest::newRow("35") << 35 << 89;
        QTest::newRow("45") << 45 << 115;
        QTest::newRow("50 (127.5 rounds to even)") << 50 << 128;
        QTest::newRow("75") << 75 << 191;
        QTest::newRow("10 (25.5 rounds to even)") << 10 << 26;
        QTest::newRow("30 (76.5 rounds to even)") << 30 << 76;
        QTest::newRow("100") << 100 << 255;
    }
    void blendWeight() {
        QFETCH(int, percent);
        QFETCH(int, weight);
        QCOMPARE(PixelOps::BlendWeight(percent), weight);
    }

    void blend_data() {
        QTest::addColumn<Rgb>("a");
        QTest::addColumn<Rgb>("b");
        QTest::addColumn<int>("percent");
        QTest::addColumn<Rgb>("expected");
        QTest::newRow("white over black 50") << Rgb{255, 255, 255} << Rgb{0, 0, 0} << 50 << Rgb{127, 127, 127};
        QTest::newRow("black over white 50 floors down")
            << Rgb{0, 0, 0} << Rgb{255, 255, 255} << 50 << Rgb{127, 127, 127};
        QTest::newRow("background over grey frame 50") << kBg << Rgb{128, 128, 128} << 50 << Rgb{114, 139, 164};
        QTest::newRow("same colour stays") << kBg << kBg << 33 << kBg;
        QTest::newRow("background over frame colour 33") << kBg << Rgb{114, 139, 164} << 33 << Rgb{109, 142, 175};
    }
    void blend() {
        QFETCH(Rgb, a);
        QFETCH(Rgb, b);
        QFETCH(int, percent);
        QFETCH(Rgb, expected);
        QCOMPARE(Str(PixelOps::Blend(a, b, percent)), Str(expected));
    }

    void glossAlpha_data() {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("alpha");
        QTest::newRow("0") << 0 << 0;
        QTest::newRow("20") << 20 << 39;
        QTest::newRow("25") << 25 << 48;
        QTest::newRow("37 (initial)") << 37 << 72;
        QTest::newRow("100") << 100 << 196;
        QTest::newRow("150 treated as 100") << 150 << 196;
    }
    void glossAlpha() {
        QFETCH(int, level);
        QFETCH(int, alpha);
        QCOMPARE(PixelOps::GlossAlphaFromLevel(level), alpha);
    }

    void mulDiv_data() {
        QTest::addColumn<int>("a");
        QTest::addColumn<int>("b");
        QTest::addColumn<int>("c");
        QTest::addColumn<int>("expected");
        QTest::newRow("half rounds up") << 85 << 2 << 4 << 43;
        QTest::newRow("below half rounds down") << 63 << 196 << 255 << 48;
        QTest::newRow("exact") << 255 << 196 << 255 << 196;
        QTest::newRow("third") << 255 << 1 << 3 << 85;
    }
    void mulDiv() {
        QFETCH(int, a);
        QFETCH(int, b);
        QFETCH(int, c);
        QFETCH(int, expected);
        QCOMPARE(PixelOps::MulDiv(a, b, c), expected);
    }

    // A 3 x 6 face: half = 3, step = (176 - 48) / 3 = 42.
    void fillFaceRows_data() {
        QTest::addColumn<bool>("glossy");
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("weight");
        QTest::newRow("glossy row 0") << true << 0 << 176;
        QTest::newRow("glossy row 1") << true << 1 << 134;
        QTest::newRow("glossy row 2") << true << 2 << 92;
        QTest::newRow("glossy row 3 plain tint") << true << 3 << 48;
        QTest::newRow("glossy row 5 plain tint") << true << 5 << 48;
        QTest::newRow("matt row 0") << false << 0 << 48;
        QTest::newRow("matt row 4") << false << 4 << 48;
    }
    void fillFaceRows() {
        QFETCH(bool, glossy);
        QFETCH(int, row);
        QFETCH(int, weight);
        QImage img = Solid(3, 6, kBg);
        PixelOps::FillFace(img, {0, 0, 3, 6}, 48, kTeal, glossy);
        for (int x = 0; x < 3; ++x) QCOMPARE(Str(PixelOps::PixelAt(img, x, row)), Str(ExpectTint(kBg, kTeal, weight)));
    }

    void fillFaceKeepsOutside() {
        QImage img = Solid(4, 6, kBg);
        PixelOps::FillFace(img, {1, 1, 3, 5}, 48, kTeal, true);
        for (const QPoint p : {QPoint(0, 0), QPoint(0, 3), QPoint(3, 2), QPoint(1, 0), QPoint(2, 5)})
            QCOMPARE(Str(PixelOps::PixelAt(img, p.x(), p.y())), Str(kBg));
        // half = 2, step = 64: rows 1, 2 gloss; rows 3, 4 plain.
        QCOMPARE(Str(PixelOps::PixelAt(img, 1, 2)), Str(ExpectTint(kBg, kTeal, 112)));
        QCOMPARE(Str(PixelOps::PixelAt(img, 2, 4)), Str(ExpectTint(kBg, kTeal, 48)));
    }

    void fillFaceAlt_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("lighten");
        QTest::newRow("row 0 lightened 176") << 0 << 176;
        QTest::newRow("row 2 lightened 92") << 2 << 92;
        QTest::newRow("row 3 tint only") << 3 << 0;
    }
    void fillFaceAlt() {
        QFETCH(int, row);
        QFETCH(int, lighten);
        QImage img = Solid(2, 6, kBg);
        PixelOps::FillFaceAlt(img, {0, 0, 2, 6}, 48, kTeal, true);
        const Rgb tinted = ExpectTint(kBg, kTeal, 48);
        const Rgb expected = ExpectTint(tinted, {255, 255, 255}, lighten);
        QCOMPARE(Str(PixelOps::PixelAt(img, 1, row)), Str(expected));
    }

    void fillFaceAltWithoutGlossDrawsNothing() {
        QImage img = Solid(5, 6, kBg);
        const QImage before = img.copy();
        PixelOps::FillFaceAlt(img, {0, 0, 5, 6}, 72, kTeal, false);
        QCOMPARE(img, before);
    }

    void drawFrame_data() {
        // On a solid 8 x 6 image with frame colour f.
        const Rgb f{114, 139, 164};
        const Rgb soft33 = PixelOps::Blend(kBg, f, 33);
        const Rgb soft25 = PixelOps::Blend(kBg, f, 25);
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<Rgb>("expected");
        QTest::newRow("corner top-left untouched") << QPoint(0, 0) << kBg;
        QTest::newRow("corner bottom-right untouched") << QPoint(7, 5) << kBg;
        QTest::newRow("top edge start") << QPoint(2, 0) << f;
        QTest::newRow("top edge end") << QPoint(5, 0) << f;
        QTest::newRow("bottom edge") << QPoint(4, 5) << f;
        QTest::newRow("left edge") << QPoint(0, 2) << f;
        QTest::newRow("left edge end") << QPoint(0, 3) << f;
        QTest::newRow("right edge") << QPoint(7, 3) << f;
        QTest::newRow("cut (1,0)") << QPoint(1, 0) << soft33;
        QTest::newRow("cut (0,1)") << QPoint(0, 1) << soft33;
        QTest::newRow("cut (6,0)") << QPoint(6, 0) << soft33;
        QTest::newRow("cut (7,4)") << QPoint(7, 4) << soft33;
        QTest::newRow("inner (1,1)") << QPoint(1, 1) << soft25;
        QTest::newRow("inner (6,4)") << QPoint(6, 4) << soft25;
        QTest::newRow("inside untouched") << QPoint(3, 2) << kBg;
    }
    void drawFrame() {
        QFETCH(QPoint, at);
        QFETCH(Rgb, expected);
        QImage img = Solid(8, 6, kBg);
        QCOMPARE(Str(PixelOps::FrameColor(img, {128, 128, 128})), Str(Rgb{114, 139, 164}));
        PixelOps::DrawFrame(img, {114, 139, 164});
        QCOMPARE(Str(PixelOps::PixelAt(img, at.x(), at.y())), Str(expected));
    }

    void frameColorMixesCorners() {
        QImage img = Solid(4, 4, {0, 0, 0});
        PixelOps::SetPixel(img, 3, 3, {255, 255, 255});
        // cr = cb = Blend(black, white, 50) = 127; cl = ct = black.
        // Blend(Blend(0, 0), Blend(127, 127)) = 127 + floor(-127 * 128 / 256) = 63,
        // mixed with frame 0: 0 + floor(63 * 128 / 256) = 31.
        QCOMPARE(Str(PixelOps::FrameColor(img, {0, 0, 0})), Str(Rgb{31, 31, 31}));
    }

    // 5 x 4 black image, glow colour yellow, band of 4 rows: half = 3,
    // column strengths 0, 85, 170.
    void focusLight_data() {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<Rgb>("expected");
        QTest::newRow("centre column, row 2: k 170") << QPoint(2, 2) << Rgb{85, 85, 0};
        QTest::newRow("centre column, row 1: k 212") << QPoint(2, 1) << Rgb{43, 43, 0};
        QTest::newRow("column 1, row 2: k 212") << QPoint(1, 2) << Rgb{43, 43, 0};
        QTest::newRow("mirror column 3, row 2") << QPoint(3, 2) << Rgb{43, 43, 0};
        QTest::newRow("edge column: k 255") << QPoint(0, 2) << Rgb{0, 0, 0};
        QTest::newRow("top of band: k 255") << QPoint(2, 0) << Rgb{0, 0, 0};
        QTest::newRow("bottom row untouched") << QPoint(2, 3) << Rgb{0, 0, 0};
    }
    void focusLight() {
        QFETCH(QPoint, at);
        QFETCH(Rgb, expected);
        QImage img = Solid(5, 4, {0, 0, 0});
        PixelOps::FocusLight(img, {255, 255, 0}, 4);
        QCOMPARE(Str(PixelOps::PixelAt(img, at.x(), at.y())), Str(expected));
    }

    void focusLightBandHeight() {
        // The band is clamped to the image and starts h rows above the bottom.
        QImage img = Solid(5, 6, {0, 0, 0});
        PixelOps::FocusLight(img, {255, 255, 0}, 3);
        QCOMPARE(Str(PixelOps::PixelAt(img, 2, 1)), Str(Rgb{0, 0, 0}));
        // Row 4 is j = 1 of 3: t = MulDiv(170, 1, 3) = 57, k = 198.
        QCOMPARE(Str(PixelOps::PixelAt(img, 2, 4)), Str(Rgb{57, 57, 0}));
        QImage tall = Solid(5, 4, {0, 0, 0});
        PixelOps::FocusLight(tall, {255, 255, 0}, 40);
        QCOMPARE(Str(PixelOps::PixelAt(tall, 2, 2)), Str(Rgb{85, 85, 0}));
    }

    void blurRowProfile() {
        // One row, so the column passes change nothing: three row passes of a
        // single black pixel in white give 170 / 198,170 / 245,226,198,188.
        QImage img = Solid(9, 1, {255, 255, 255});
        PixelOps::SetPixel(img, 4, 0, {0, 0, 0});
        PixelOps::BlurMask(img, 1, 3);
        const int expected[9] = {255, 245, 226, 198, 188, 198, 226, 245, 255};
        for (int x = 0; x < 9; ++x) QCOMPARE(int(PixelOps::PixelAt(img, x, 0).g), expected[x]);
    }

    void blurColumnsOnePassStronger() {
        // One column: four column passes. The fourth pass of the profile above:
        // centre (198 + 188 + 198) / 3 = 194, next (226 + 198 + 188) / 3 = 204.
        QImage img = Solid(1, 11, {255, 255, 255});
        PixelOps::SetPixel(img, 0, 5, {0, 0, 0});
        PixelOps::BlurMask(img, 1, 3);
        QCOMPARE(int(PixelOps::PixelAt(img, 0, 5).r), 194);
        QCOMPARE(int(PixelOps::PixelAt(img, 0, 4).r), 204);
        QCOMPARE(int(PixelOps::PixelAt(img, 0, 6).r), 204);
        QCOMPARE(int(PixelOps::PixelAt(img, 0, 0).r), 255);
    }

    void blurSinglePixel2D() {
        // Separable: the centre column of the row result (188 at the centre,
        // 255 elsewhere) blurred four times down the column.
        QImage img = Solid(9, 9, {255, 255, 255});
        PixelOps::SetPixel(img, 4, 4, {0, 0, 0});
        PixelOps::BlurMask(img, 1, 3);
        // Column passes around the centre:
        //   p1: (255+255+188)/3 = 232 on the centre and both neighbours
        //   p2: (255+255+232)/3=247, (255+232+232)/3=239, 232
        //   p3: (255+255+247)/3=252, (255+247+239)/3=247, (247+239+232)/3=239, (239+232+239)/3=236
        //   p4: centre (239+236+239)/3=238, next (247+239+236)/3=240
        QCOMPARE(int(PixelOps::PixelAt(img, 4, 4).b), 238);
        QCOMPARE(int(PixelOps::PixelAt(img, 4, 3).b), 240);
        QCOMPARE(int(PixelOps::PixelAt(img, 4, 5).b), 240);
        QCOMPARE(int(PixelOps::PixelAt(img, 0, 0).b), 255);
    }

    void blurMakesGrey() {
        QImage img = Solid(3, 3, {30, 60, 90});
        PixelOps::BlurMask(img, 1, 3);
        QCOMPARE(Str(PixelOps::PixelAt(img, 1, 1)), Str(Rgb{60, 60, 60}));
    }

    void blurRadiusZeroDoesNothing() {
        QImage img = Solid(4, 3, {30, 60, 90});
        PixelOps::SetPixel(img, 1, 1, {0, 0, 0});
        const QImage before = img.copy();
        PixelOps::BlurMask(img, 0, 3);
        QCOMPARE(img, before);
    }

    void compositeShadow_data() {
        QTest::addColumn<int>("grey");
        QTest::addColumn<Rgb>("expected");
        // Face (100, 150, 200), shadow blue (0, 0, 255).
        QTest::newRow("black mask gives the shadow colour") << 0 << Rgb{0, 0, 255};
        QTest::newRow("white mask nearly unchanged") << 255 << Rgb{99, 149, 200};
        QTest::newRow("half grey") << 128 << Rgb{50, 75, 227};
    }
    void compositeShadow() {
        QFETCH(int, grey);
        QFETCH(Rgb, expected);
        QImage face = Solid(4, 4, kBg);
        const auto g = std::uint8_t(grey);
        QImage mask = Solid(2, 2, {g, g, g});
        PixelOps::CompositeShadow(face, mask, 1, 1, {0, 0, 255});
        QCOMPARE(Str(PixelOps::PixelAt(face, 2, 2)), Str(expected));
        QCOMPARE(Str(PixelOps::PixelAt(face, 0, 0)), Str(kBg));
        QCOMPARE(Str(PixelOps::PixelAt(face, 3, 3)), Str(kBg));
    }

    void linesLeaveOutTheEndPoint() {
        QImage img = Solid(6, 3, {0, 0, 0});
        PixelOps::DrawLine(img, {1, 1}, {4, 1}, {255, 255, 255});
        QCOMPARE(int(PixelOps::PixelAt(img, 0, 1).r), 0);
        QCOMPARE(int(PixelOps::PixelAt(img, 1, 1).r), 255);
        QCOMPARE(int(PixelOps::PixelAt(img, 3, 1).r), 255);
        QCOMPARE(int(PixelOps::PixelAt(img, 4, 1).r), 0);
    }

    void arrowGlyphIsATriangle() {
        QImage img = Solid(12, 9, {0, 0, 0});
        DrawArrowGlyph(img, {0, 0}, {255, 255, 255});
        // Rows 2..5 hold 7, 5, 3 and 1 pixels, centred on column 5.
        const int firstCol[4] = {2, 3, 4, 5};
        const int lastCol[4] = {8, 7, 6, 5};
        for (int row = 0; row < 9; ++row) {
            for (int x = 0; x < 12; ++x) {
                const bool inside = row >= 2 && row <= 5 && x >= firstCol[row - 2] && x <= lastCol[row - 2];
                QCOMPARE(int(PixelOps::PixelAt(img, x, row).r), inside ? 255 : 0);
            }
        }
    }
};

QUIMBA_TEST_MAIN("pixelops", PixelOpsTest)
#include "pixelops_test.moc"
