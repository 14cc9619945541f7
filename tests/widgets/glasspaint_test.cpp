// The glass button's face, pixel by pixel, over known backgrounds.
#include "QtTestMain.h"
#include "TTexturePanel.h"
#include "WidgetTestSupport.h"

#include <QLabel>
#include <QTest>

#include <cmath>
#include <memory>

using namespace quimba::widgets;

using namespace widgettest;

namespace {

constexpr Rgb kFrame{114, 139, 164};  // Blend(kBg, grey 128, 50)

using Scene = ButtonScene;

bool IsSoftCorner(int x, int y, int w, int h) { return (x == 1 || x == w - 2) && (y == 1 || y == h - 2); }

int CountDiffering(const QImage& a, const QImage& b) {
    int n = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x)
            if (PixelOps::PixelAt(a, x, y) != PixelOps::PixelAt(b, x, y)) ++n;
    return n;
}

}  // namespace

class GlassPaintTest : public QObject {
    Q_OBJECT
private slots:
    void glossyFaceRows_data() {
        QTest::addColumn<int>("row");
        QTest::addColumn<int>("weight");
        for (int row = 1; row <= 18; ++row) QTest::addRow("gloss row %d", row) << row << 176 - 7 * (row - 1);
        for (int row = 19; row <= 36; ++row) QTest::addRow("tinted row %d", row) << row << 48;
    }
    void glossyFaceRows() {
        QFETCH(int, row);
        QFETCH(int, weight);
        Scene s;
        QCOMPARE(s.button->GlossAlpha(), 48);
        s.button->PaintFace();
        const QImage& face = s.button->FaceBitmap();
        QCOMPARE(face.size(), QSize(198, 38));
        QCOMPARE(face.format(), QImage::Format_RGB888);
        const QString expected = Str(ExpectTint(kBg, kTeal, weight));
        for (int x = 1; x <= 196; ++x) {
            if (IsSoftCorner(x, row, 198, 38)) continue;
            QCOMPARE(At(face, x, row), expected);
        }
    }

    void glossyFrame_data() {
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<Rgb>("expected");
        QTest::newRow("corner top-left shows background") << QPoint(0, 0) << kBg;
        QTest::newRow("corner top-right shows background") << QPoint(197, 0) << kBg;
        QTest::newRow("corner bottom-left shows background") << QPoint(0, 37) << kBg;
        QTest::newRow("corner bottom-right shows background") << QPoint(197, 37) << kBg;
        QTest::newRow("top edge") << QPoint(2, 0) << kFrame;
        QTest::newRow("top edge end") << QPoint(195, 0) << kFrame;
        QTest::newRow("bottom edge") << QPoint(100, 37) << kFrame;
        QTest::newRow("left edge") << QPoint(0, 20) << kFrame;
        QTest::newRow("right edge") << QPoint(197, 35) << kFrame;
        QTest::newRow("cut (1,0)") << QPoint(1, 0) << Rgb{109, 142, 175};
        QTest::newRow("cut (0,1)") << QPoint(0, 1) << Rgb{109, 142, 175};
        QTest::newRow("cut (196,37)") << QPoint(196, 37) << Rgb{109, 142, 175};
        QTest::newRow("soft (1,1) over gloss 176") << QPoint(1, 1) << Rgb{93, 137, 160};
        QTest::newRow("soft (196,36) over tint 48") << QPoint(196, 36) << Rgb{105, 140, 169};
    }
    void glossyFrame() {
        QFETCH(QPoint, at);
        QFETCH(Rgb, expected);
        Scene s;
        s.button->PaintFace();
        QCOMPARE(At(s.button->FaceBitmap(), at.x(), at.y()), Str(expected));
    }

    void flatButtonAtRestShowsOnlyBackground() {
        Scene s;
        s.button->SetFlat(true);
        s.button->PaintFace();
        const QImage& face = s.button->FaceBitmap();
        for (const QPoint p :
             {QPoint(0, 0), QPoint(1, 0), QPoint(100, 0), QPoint(50, 10), QPoint(100, 30), QPoint(197, 37)})
            QCOMPARE(At(face, p.x(), p.y()), Str(kBg));
    }

    void altRenderFill_data() {
        QTest::addColumn<bool>("glossy");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<Rgb>("expected");
        const Rgb tinted = ExpectTint(kBg, kTeal, 48);
        QTest::newRow("matt: face left unfilled, top") << false << QPoint(60, 5) << kBg;
        QTest::newRow("matt: face left unfilled, bottom") << false << QPoint(60, 30) << kBg;
        QTest::newRow("matt: frame still drawn") << false << QPoint(60, 0) << kFrame;
        QTest::newRow("glossy: lower half tinted") << true << QPoint(60, 30) << tinted;
        QTest::newRow("glossy: upper row tinted then lightened")
            << true << QPoint(60, 1) << ExpectTint(tinted, {255, 255, 255}, 176);
    }
    void altRenderFill() {
        QFETCH(bool, glossy);
        QFETCH(QPoint, at);
        QFETCH(Rgb, expected);
        Scene s;
        s.button->SetAltRender(true);
        s.button->SetGlossy(glossy);
        s.button->PaintFace();
        QCOMPARE(At(s.button->FaceBitmap(), at.x(), at.y()), Str(expected));
    }

    void captionShadow_data() {
        QTest::addColumn<QString>("caption");
        QTest::addColumn<bool>("shadowVisible");
        QTest::newRow("empty caption casts no shadow") << QString() << false;
        QTest::newRow("caption casts a shadow") << QStringLiteral("Lancer") << true;
    }
    void captionShadow() {
        QFETCH(QString, caption);
        QFETCH(bool, shadowVisible);
        Scene plain, shadowed;
        for (Scene* s : {&plain, &shadowed}) {
            s->button->SetCaption(caption);
            s->button->SetColorShadow(QColor(0, 0, 255));
        }
        plain.button->SetShadowStyle(TShadowStyle::ssNone);
        shadowed.button->SetShadowStyle(TShadowStyle::ssDrop);
        plain.button->PaintFace();
        shadowed.button->PaintFace();
        const int differing = CountDiffering(plain.button->FaceBitmap(), shadowed.button->FaceBitmap());
        QCOMPARE(differing > 0, shadowVisible);
    }

    void shadowTouchesFaceAlmostUnchanged() {
        // The mask covers the face from (0, 0) with no offset at rest, so the
        // top-left corner takes the white-mask composite; the other corners don't.
        Scene s;
        s.button->SetCaption(QStringLiteral("X"));
        s.button->SetShadowStyle(TShadowStyle::ssGlow);
        s.button->SetColorShadow(QColor(0, 0, 255));
        s.button->PaintFace();
        const QImage& face = s.button->FaceBitmap();
        QCOMPARE(At(face, 0, 0), Str(Rgb{99, 149, 200}));
        QCOMPARE(At(face, 197, 37), Str(kBg));
    }

    void pressedContentShift_data() {
        QTest::addColumn<bool>("flatDown");
        QTest::addColumn<int>("shift");
        QTest::newRow("down: content one pixel right and down") << false << 1;
        QTest::newRow("flat down: content stays") << true << 0;
    }
    void pressedContentShift() {
        QFETCH(bool, flatDown);
        QFETCH(int, shift);
        // White on white with no tint, so only the caption marks the face.
        Scene rest({255, 255, 255}), down({255, 255, 255});
        for (Scene* s : {&rest, &down}) {
            s->button->SetGlossy(false);
            s->button->SetGlossyLevel(0);
            s->button->SetColor(Qt::white);
            s->button->SetColorDown(Qt::white);
            s->button->SetFontColor(Qt::black);
            QFont f = s->button->font();
            f.setPixelSize(16);
            f.setBold(true);
            s->button->setFont(f);
            s->button->SetCaption(QStringLiteral("Nouvelle"));
            s->button->SetFlatDown(flatDown);
        }
        down.button->SetDown(true);
        rest.button->PaintFace();
        down.button->PaintFace();
        const QImage& a = rest.button->FaceBitmap();
        const QImage& b = down.button->FaceBitmap();
        int dark = 0;
        for (int y = 3; y <= 38 - 5; ++y) {
            for (int x = 3; x <= 198 - 5; ++x) {
                if (PixelOps::PixelAt(a, x, y).r < 128) ++dark;
                QCOMPARE(At(b, x + shift, y + shift), At(a, x, y));
            }
        }
        QVERIFY2(dark > 20, "the caption must be drawn for the shift to show");
    }

    void pressedBevels_data() {
        // Frame (114, 139, 164): dark = Blend(f, black, 75), light = Blend(f, white, 75),
        // flat = Blend(f, white, 45).
        QTest::addColumn<bool>("flatDown");
        QTest::addColumn<QPoint>("at");
        QTest::addColumn<Rgb>("expected");
        QTest::newRow("sunken: top line dark") << false << QPoint(100, 1) << Rgb{85, 103, 122};
        QTest::newRow("sunken: left line dark") << false << QPoint(1, 20) << Rgb{85, 103, 122};
        QTest::newRow("sunken: right line light") << false << QPoint(196, 20) << Rgb{149, 168, 187};
        QTest::newRow("sunken: bottom line light") << false << QPoint(100, 36) << Rgb{149, 168, 187};
        QTest::newRow("flat down: top line") << true << QPoint(100, 1) << Rgb{191, 202, 214};
        QTest::newRow("flat down: right line") << true << QPoint(196, 20) << Rgb{191, 202, 214};
    }
    void pressedBevels() {
        QFETCH(bool, flatDown);
        QFETCH(QPoint, at);
        QFETCH(Rgb, expected);
        Scene s;
        s.button->SetFlatDown(flatDown);
        s.button->SetDown(true);
        s.button->PaintFace();
        QCOMPARE(At(s.button->FaceBitmap(), at.x(), at.y()), Str(expected));
    }

    void disabledCaptionColour_data() {
        QTest::addColumn<bool>("enabled");
        QTest::addColumn<Rgb>("present");
        QTest::addColumn<bool>("blackAllowed");
        QTest::newRow("enabled: font colour") << true << Rgb{0, 0, 0} << true;
        QTest::newRow("disabled: ColorDisabled") << false << Rgb{192, 192, 192} << false;
    }
    void disabledCaptionColour() {
        QFETCH(bool, enabled);
        QFETCH(Rgb, present);
        QFETCH(bool, blackAllowed);
        Scene s({255, 255, 255});
        s.button->SetGlossy(false);
        s.button->SetGlossyLevel(0);
        s.button->SetColor(Qt::white);
        s.button->SetFontColor(Qt::black);
        QFont f = s.button->font();
        f.setPixelSize(24);
        f.setBold(true);
        s.button->setFont(f);
        s.button->SetCaption(QStringLiteral("HHHH"));
        s.button->setEnabled(enabled);
        s.button->PaintFace();
        const QImage& face = s.button->FaceBitmap();
        int withPresent = 0, black = 0;
        for (int y = 2; y < 36; ++y)
            for (int x = 2; x < 196; ++x) {
                const Rgb p = PixelOps::PixelAt(face, x, y);
                withPresent += p == present;
                black += p == Rgb{0, 0, 0};
            }
        QVERIFY(withPresent > 0);
        if (!blackAllowed) QCOMPARE(black, 0);
    }

    void seesTransparentLabelThrough() {
        TTexturePanel panel;
        panel.resize(300, 100);
        QImage tex(37, 23, QImage::Format_RGB888);
        for (int y = 0; y < tex.height(); ++y)
            for (int x = 0; x < tex.width(); ++x) tex.setPixelColor(x, y, QColor(40 + x * 3, 60 + y * 5, 90));
        panel.SetTexture(tex);
        auto* label = new QLabel(QStringLiteral("MMMMMM"), &panel);
        QFont f = label->font();
        f.setPixelSize(30);
        f.setBold(true);
        label->setFont(f);
        label->move(8, 4);
        label->adjustSize();
        auto* button = new TGlassButton(&panel);
        button->setGeometry(5, 5, 198, 38);
        button->SetFlat(false);
        button->SetColor(QColor(0, 128, 128));
        button->SetGlossyLevel(25);

        // What the panel shows under the button, with and without the label.
        button->hide();
        QImage withLabel(panel.size(), QImage::Format_RGB888);
        panel.render(&withLabel);
        label->hide();
        QImage bare(panel.size(), QImage::Format_RGB888);
        panel.render(&bare);
        label->show();
        button->show();
        const QRect area = button->geometry();
        const QImage ref = withLabel.copy(area);
        QVERIFY2(CountDiffering(ref, bare.copy(area)) > 50, "the label must lie under the button");

        button->PaintFace();
        const QImage& face = button->FaceBitmap();
        QCOMPARE(At(face, 0, 0), At(ref, 0, 0));
        QCOMPARE(At(face, 197, 37), At(ref, 197, 37));
        for (int y = 1; y <= 36; ++y)
            for (int x = 1; x <= 196; ++x) {
                if (IsSoftCorner(x, y, 198, 38)) continue;
                QCOMPARE(At(face, x, y), Str(ExpectTint(PixelOps::PixelAt(ref, x, y), kTeal, 48)));
            }
    }

    void otherGlassButtonsAreNotBackground() {
        Scene alone, covered;
        auto* other = new TGlassButton(&covered.parent);
        other->setGeometry(40, 0, 100, 60);
        other->SetFlat(false);
        other->SetColor(Qt::red);
        other->SetGlossyLevel(100);
        alone.button->PaintFace();
        covered.button->PaintFace();
        QCOMPARE(CountDiffering(alone.button->FaceBitmap(), covered.button->FaceBitmap()), 0);
    }

    // Hover, press and release repaint over the copy of the parent's look
    // made once; the parent painting again (here a new texture) is copied
    // afresh, so the face never shows a stale background.
    void backgroundCopyFollowsTheParent() {
        TTexturePanel panel;
        panel.resize(260, 80);
        QImage first(16, 16, QImage::Format_RGB888);
        first.fill(QColor(100, 150, 200));
        panel.SetTexture(first);
        auto* button = new TGlassButton(&panel);
        button->setGeometry(20, 20, 198, 38);
        button->SetFlat(false);
        button->SetGlossy(true);
        button->SetGlossyLevel(25);
        button->SetColor(QColor(0, 128, 128));
        button->SetCaption(QStringLiteral("Aide"));
        panel.show();
        QVERIFY(QTest::qWaitForWindowExposed(&panel));
        button->repaint();
        const int copies = button->BackgroundCopies();
        QVERIFY(copies >= 1);
        QTest::mouseMove(button, QPoint(100, 20));
        button->repaint();
        QTest::mousePress(button, Qt::LeftButton, {}, QPoint(100, 20));
        QTest::mouseRelease(button, Qt::LeftButton, {}, QPoint(100, 20));
        button->repaint();
        QCOMPARE(button->BackgroundCopies(), copies);
        QCOMPARE(At(button->FaceBitmap(), 0, 0), Str(Rgb{100, 150, 200}));

        QImage second(16, 16, QImage::Format_RGB888);
        second.fill(QColor(200, 40, 10));
        panel.SetTexture(second);
        panel.update();
        QTRY_VERIFY(button->BackgroundCopies() > copies);
        QCOMPARE(At(button->FaceBitmap(), 0, 0), Str(Rgb{200, 40, 10}));
    }

    void screenShowsTheFace() {
        // What the window shows of the button is FaceBitmap, copied in one block.
        Scene s;
        s.button->SetCaption(QStringLiteral("Quitter le jeu"));
        s.button->SetShadowStyle(TShadowStyle::ssDrop);
        const QImage shot = s.parent.grab().toImage().convertToFormat(QImage::Format_RGB888);
        const QImage& face = s.button->FaceBitmap();
        QCOMPARE(face.size(), QSize(198, 38));
        QCOMPARE(CountDiffering(shot.copy(s.button->geometry()), face), 0);
        QCOMPARE(At(face, 0, 37), Str(kBg));
    }

    void focusGlow() {
        Scene s;
        s.button->SetTabStop(true);
        s.parent.show();
        QVERIFY(QTest::qWaitForWindowExposed(&s.parent));
        s.parent.activateWindow();
        s.button->setFocus();
        if (!s.button->hasFocus()) QSKIP("this platform gives no input focus");
        s.button->PaintFace();
        const QImage& face = s.button->FaceBitmap();
        // Column 99 mirrors column 98 (s = 252); row 30 is j = 17 of the
        // 25-row band: t = 171, k = 84, over the face tint (81, 145, 186).
        QCOMPARE(At(face, 99, 30), Str(Rgb{197, 218, 61}));
        QCOMPARE(At(face, 98, 30), Str(Rgb{197, 218, 61}));
        // Above the band the face keeps its gloss.
        QCOMPARE(At(face, 99, 12), Str(ExpectTint(kBg, kTeal, 176 - 7 * 11)));
    }

    void altFocusFillsWithFocusColour() {
        Scene s;
        s.button->SetTabStop(true);
        s.button->SetAltFocus(true);
        s.parent.show();
        QVERIFY(QTest::qWaitForWindowExposed(&s.parent));
        s.parent.activateWindow();
        s.button->setFocus();
        if (!s.button->hasFocus()) QSKIP("this platform gives no input focus");
        s.button->PaintFace();
        // The face tinted toward teal, then again toward yellow.
        const Rgb once = ExpectTint(kBg, kTeal, 48);
        QCOMPARE(At(s.button->FaceBitmap(), 50, 30), Str(ExpectTint(once, {255, 255, 0}, 48)));
    }

    void faceFollowsSize() {
        Scene s;
        s.button->resize(153, 65);
        s.button->PaintFace();
        QCOMPARE(s.button->FaceBitmap().size(), QSize(153, 65));
        // half = 31, step = (176 - 48) / 31 = 4: the last gloss row 31 has 176 - 30 * 4.
        QCOMPARE(At(s.button->FaceBitmap(), 70, 31), Str(ExpectTint(kBg, kTeal, 56)));
        QCOMPARE(At(s.button->FaceBitmap(), 70, 32), Str(ExpectTint(kBg, kTeal, 48)));
    }
};

QUIMBA_TEST_MAIN("glasspaint", GlassPaintTest)
#include "glasspaint_test.moc"
