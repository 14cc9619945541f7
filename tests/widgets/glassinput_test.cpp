// The glass button as a control: properties, layout, mouse and keyboard.
#include "GlassInput.h"
#include "QtTestMain.h"
#include "WidgetTestSupport.h"

#include <QApplication>
#include <QMenu>
#include <QMouseEvent>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include <memory>

using namespace widgettest;

namespace {

QRect rect(const QWidget* w) { return w->rect(); }

// A shown window with one program-style button, for real input routing.
struct Window : ButtonScene {
    Window() : ButtonScene(kBg, QSize(260, 80), QPoint(20, 20)), top(parent) { top.show(); }
    QWidget& top;
};

QImage Glyph16() {
    QImage img(16, 16, QImage::Format_ARGB32);
    img.fill(Qt::black);
    return img;
}

}  // namespace

class GlassInputTest : public QObject {
    Q_OBJECT
private slots:
    // The press and hover machine on its own: a press and its release click
    // only when the release is over the button and, on a two-part button,
    // the press was on the face; a menu opens only from the arrow it was
    // pressed on. Whatever happened, the button ends neither pressed nor hot.
    void machinePressThenRelease_data() {
        QTest::addColumn<bool>("duo");
        QTest::addColumn<bool>("menu");
        QTest::addColumn<int>("pressPart");
        QTest::addColumn<bool>("releaseInside");
        QTest::addColumn<int>("releasePart");
        QTest::addColumn<bool>("click");
        QTest::addColumn<bool>("dropDown");
        QTest::newRow("plain, released inside") << false << false << 0 << true << 0 << true << false;
        QTest::newRow("plain, released outside") << false << false << 0 << false << 0 << false << false;
        QTest::newRow("plain with menu, released inside") << false << true << 0 << true << 0 << true << true;
        QTest::newRow("two parts, face to face") << true << true << 0 << true << 0 << true << false;
        QTest::newRow("two parts, face to arrow") << true << true << 0 << true << 1 << true << false;
        QTest::newRow("two parts, arrow to arrow") << true << true << 1 << true << 1 << false << true;
        QTest::newRow("two parts, arrow released outside") << true << true << 1 << false << 1 << false << false;
    }
    void machinePressThenRelease() {
        QFETCH(bool, duo);
        QFETCH(bool, menu);
        QFETCH(int, pressPart);
        QFETCH(bool, releaseInside);
        QFETCH(int, releasePart);
        const quimba::widgets::GlassShape shape{.duoStyle = duo, .arrow = duo, .hasMenu = menu};
        quimba::widgets::GlassInput input;
        input.Enter();
        input.Move(true, pressPart, false);
        QVERIFY(input.Press(true, pressPart).repaintNow);
        QVERIFY(input.Pressed());
        input.Move(releaseInside, releasePart, true);
        const quimba::widgets::GlassEffects clicked = input.ReleaseClick(releaseInside, shape);
        const quimba::widgets::GlassEffects rest = input.ReleaseEnd(releaseInside, releasePart, shape);
        QTEST(clicked.click, "click");
        QTEST(rest.dropDown, "dropDown");
        QVERIFY(!input.Pressed());
        QCOMPARE(input.HotPart(), -1);
        // The same press is never clicked twice.
        QVERIFY(!input.ReleaseClick(releaseInside, shape).click);
    }

    void newButtonValues() {
        TGlassButton b;
        QCOMPARE(b.size(), QSize(75, 25));
        QCOMPARE(b.Flat(), true);
        QCOMPARE(b.Glossy(), false);
        QCOMPARE(b.GlossyLevel(), 37);
        QCOMPARE(b.GlossAlpha(), 72);
        QCOMPARE(b.LightHeight(), 25);
        QCOMPARE(b.ArrowWidth(), 18);
        QCOMPARE(b.ImageIndex(), 0);
        QCOMPARE(b.ImageOffset(), 4);
        QCOMPARE(b.ImageSpacing(), 4);
        QCOMPARE(b.Color(), QColor(255, 255, 255));
        QCOMPARE(b.ColorDown(), QColor(0, 0, 0));
        QCOMPARE(b.ColorFocused(), QColor(255, 255, 0));
        QCOMPARE(b.ColorFrame(), QColor(128, 128, 128));
        QCOMPARE(b.ColorDisabled(), QColor(192, 192, 192));
        QCOMPARE(b.HotPart(), -1);
        QCOMPARE(b.Pressed(), false);
        QCOMPARE(b.TabStop(), false);
        QCOMPARE(b.ShadowStyle(), TShadowStyle::ssNone);
        QCOMPARE(b.TextAlign(), TTextAlign::taCenter);
        QCOMPARE(b.GlyphPos(), TGlyphPos::gpLeft);
    }

    void glossyLevel_data() {
        QTest::addColumn<int>("level");
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("alpha");
        QTest::newRow("25") << 25 << 25 << 48;
        QTest::newRow("37") << 37 << 37 << 72;
        QTest::newRow("20") << 20 << 20 << 39;
        QTest::newRow("100") << 100 << 100 << 196;
        QTest::newRow("150 stored as 100") << 150 << 100 << 196;
    }
    void glossyLevel() {
        QFETCH(int, level);
        QFETCH(int, stored);
        QFETCH(int, alpha);
        TGlassButton b;
        b.SetGlossyLevel(level);
        QCOMPARE(b.GlossyLevel(), stored);
        QCOMPARE(b.GlossAlpha(), alpha);
    }

    void lightHeight_data() {
        QTest::addColumn<int>("value");
        QTest::addColumn<int>("stored");
        QTest::newRow("-5 stored as 0") << -5 << 0;
        QTest::newRow("0") << 0 << 0;
        QTest::newRow("30") << 30 << 30;
    }
    void lightHeight() {
        QFETCH(int, value);
        QFETCH(int, stored);
        TGlassButton b;
        b.SetLightHeight(value);
        QCOMPARE(b.LightHeight(), stored);
    }

    void colourStoredAsRgb() {
        TGlassButton b;
        b.SetColor(QColor::fromHsv(180, 255, 128));
        // Equality of colours also compares how they are held, so this fails for HSV.
        QCOMPARE(b.Color(), QColor::fromHsv(180, 255, 128).toRgb());
    }

    void layout_data() {
        QTest::addColumn<bool>("arrow");
        QTest::addColumn<bool>("duo");
        QTest::addColumn<bool>("glyph");
        QTest::addColumn<TGlyphPos>("pos");
        QTest::addColumn<QRect>("textRect");
        QTest::addColumn<QPoint>("glyphOrigin");
        QTest::addColumn<int>("arrowX");
        const auto L = TGlyphPos::gpLeft, R = TGlyphPos::gpRight;
        const auto T = TGlyphPos::gpTop, B = TGlyphPos::gpBottom;
        QTest::newRow("plain: all less one pixel")
            << false << false << false << L << QRect(0, 0, 197, 37) << QPoint() << 0;
        QTest::newRow("arrow: 16 less") << true << false << false << L << QRect(0, 0, 181, 37) << QPoint() << 184;
        QTest::newRow("split: ArrowWidth less")
            << false << true << false << L << QRect(0, 0, 179, 37) << QPoint() << 183;
        QTest::newRow("arrow and split: split wins")
            << true << true << false << L << QRect(0, 0, 179, 37) << QPoint() << 183;
        QTest::newRow("glyph left") << false << false << true << L << QRect(24, 0, 170, 37) << QPoint(4, 11) << 0;
        QTest::newRow("glyph right") << false << false << true << R << QRect(4, 0, 170, 37) << QPoint(178, 11) << 0;
        QTest::newRow("glyph right with arrow")
            << true << false << true << R << QRect(4, 0, 154, 37) << QPoint(160, 11) << 184;
        QTest::newRow("glyph top") << false << false << true << T << QRect(0, 24, 198, 13) << QPoint(91, 4) << 0;
        QTest::newRow("glyph bottom") << false << false << true << B << QRect(0, 0, 198, 14) << QPoint(91, 18) << 0;
        QTest::newRow("glyph top, split")
            << false << true << true << T << QRect(0, 24, 180, 13) << QPoint(82, 4) << 183;
    }
    void layout() {
        QFETCH(bool, arrow);
        QFETCH(bool, duo);
        QFETCH(bool, glyph);
        QFETCH(TGlyphPos, pos);
        QFETCH(QRect, textRect);
        QFETCH(QPoint, glyphOrigin);
        QFETCH(int, arrowX);
        TImageList images(16, 16);
        images.Add(Glyph16());
        TGlassButton b;
        b.resize(198, 38);
        b.SetArrow(arrow);
        b.SetDuoStyle(duo);
        b.SetGlyphPos(pos);
        if (glyph) b.SetImages(&images);
        b.PaintFace();
        QCOMPARE(b.TextRect(), textRect);
        if (glyph) QCOMPARE(b.GlyphOrigin(), glyphOrigin);
        QCOMPARE(b.ArrowOrigin(), QPoint(arrowX, 15));
    }

    void noGlyphWithIndexMinusOne() {
        TImageList images(16, 16);
        images.Add(Glyph16());
        TGlassButton b;
        b.resize(198, 38);
        b.SetImages(&images);
        b.SetImageIndex(-1);
        b.PaintFace();
        QCOMPARE(b.TextRect(), QRect(0, 0, 197, 37));
    }

    void autoSizeAtPaint() {
        TGlassButton b;
        b.SetCaption(QStringLiteral("Aide"));
        b.SetAutoSize(true);
        QCOMPARE(b.size(), QSize(75, 25));
        b.PaintFace();
        const QFontMetrics fm(b.font());
        QCOMPARE(b.size(), QSize(fm.horizontalAdvance(QStringLiteral("Aide")) + 8, fm.height() + 8));
        QCOMPARE(b.FaceBitmap().size(), b.size());
    }

    void imageListChangeRedrawsGlyph() {
        TImageList images(4, 4);
        QImage red(4, 4, QImage::Format_ARGB32);
        red.fill(Qt::red);
        images.Add(red);
        TGlassButton b;
        b.resize(60, 30);
        b.SetImages(&images);
        b.PaintFace();
        QCOMPARE(At(b.FaceBitmap(), b.GlyphOrigin().x() + 1, b.GlyphOrigin().y() + 1), QStringLiteral("(255,0,0)"));
        QImage blue(4, 4, QImage::Format_ARGB32);
        blue.fill(Qt::blue);
        images.Replace(0, blue);
        b.PaintFace();
        QCOMPARE(At(b.FaceBitmap(), b.GlyphOrigin().x() + 1, b.GlyphOrigin().y() + 1), QStringLiteral("(0,0,255)"));
    }

    // Mouse: one OnClick per press and release inside, none otherwise.
    void mouseClicks_data() {
        QTest::addColumn<bool>("duo");
        QTest::addColumn<QPoint>("press");
        QTest::addColumn<QPoint>("release");
        QTest::addColumn<int>("clicks");
        QTest::newRow("press and release inside") << false << QPoint(50, 20) << QPoint(60, 20) << 1;
        QTest::newRow("released outside") << false << QPoint(50, 20) << QPoint(250, 20) << 0;
        QTest::newRow("released left of the button") << false << QPoint(50, 20) << QPoint(-5, 20) << 0;
        QTest::newRow("plain button, right edge counts as inside") << false << QPoint(190, 20) << QPoint(190, 20) << 1;
        QTest::newRow("split main part") << true << QPoint(50, 20) << QPoint(50, 20) << 1;
        QTest::newRow("split arrow part") << true << QPoint(190, 20) << QPoint(190, 20) << 0;
        QTest::newRow("split pressed main, released over arrow") << true << QPoint(50, 20) << QPoint(190, 20) << 1;
    }
    void mouseClicks() {
        QFETCH(bool, duo);
        QFETCH(QPoint, press);
        QFETCH(QPoint, release);
        QFETCH(int, clicks);
        Window w;
        QVERIFY(QTest::qWaitForWindowExposed(&w.top));
        w.button->SetDuoStyle(duo);
        QSignalSpy spy(w.button, &TGlassButton::OnClick);
        QTest::mouseMove(w.button, press);
        QTest::mousePress(w.button, Qt::LeftButton, {}, press);
        QVERIFY(w.button->Pressed());
        QTest::mouseRelease(w.button, Qt::LeftButton, {}, release);
        QCOMPARE(spy.count(), clicks);
        QCOMPARE(w.button->Pressed(), false);
        QCOMPARE(w.button->HotPart(), -1);
    }

    void twoClicksTwoEvents() {
        Window w;
        QVERIFY(QTest::qWaitForWindowExposed(&w.top));
        QSignalSpy spy(w.button, &TGlassButton::OnClick);
        QTest::mouseClick(w.button, Qt::LeftButton, {}, QPoint(30, 10));
        QTest::mouseClick(w.button, Qt::LeftButton, {}, QPoint(31, 12));
        QCOMPARE(spy.count(), 2);
    }

    void rightButtonDoesNotClick() {
        Window w;
        QVERIFY(QTest::qWaitForWindowExposed(&w.top));
        QSignalSpy spy(w.button, &TGlassButton::OnClick);
        QTest::mouseClick(w.button, Qt::RightButton, {}, QPoint(30, 10));
        QCOMPARE(spy.count(), 0);
        QCOMPARE(w.button->Pressed(), false);
    }

    void hotPartFollowsPointer_data() {
        QTest::addColumn<int>("x");
        QTest::addColumn<int>("part");
        // Arrow part: x > 198 - 18 - 2 = 178.
        QTest::newRow("main part") << 100 << 0;
        QTest::newRow("last main column") << 178 << 0;
        QTest::newRow("first arrow column") << 179 << 1;
    }
    void hotPartFollowsPointer() {
        QFETCH(int, x);
        QFETCH(int, part);
        Window w;
        QVERIFY(QTest::qWaitForWindowExposed(&w.top));
        QTest::mouseMove(w.button, QPoint(x, 20));
        QCOMPARE(w.button->HotPart(), part);
        QCOMPARE(w.button->MouseInside(), true);
    }

    void hotLookEndsWithClick() {
        // Inner light line at (100, 1): Blend(frame (114,139,164), white, 50).
        Window w;
        QVERIFY(QTest::qWaitForWindowExposed(&w.top));
        w.button->PaintFace();
        const QString rest = At(w.button->FaceBitmap(), 100, 1);
        QTest::mouseMove(w.button, QPoint(100, 20));
        w.button->PaintFace();
        QCOMPARE(At(w.button->FaceBitmap(), 100, 1), QStringLiteral("(184,197,209)"));
        QTest::mousePress(w.button, Qt::LeftButton, {}, QPoint(100, 20));
        // Pressed: the sunken bevel's dark top line, the ColorDown face.
        QCOMPARE(At(w.button->FaceBitmap(), 100, 1), QStringLiteral("(85,103,122)"));
        QCOMPARE(At(w.button->FaceBitmap(), 50, 30), QStringLiteral("(81,121,162)"));
        QTest::mouseRelease(w.button, Qt::LeftButton, {}, QPoint(100, 20));
        w.button->PaintFace();
        QCOMPARE(At(w.button->FaceBitmap(), 100, 1), rest);
    }

    // With the mouse held the button keeps the pointer, so no leave comes;
    // leaving the face must still drop the pressed look, and coming back
    // with the button held brings it back, as with a plain push button.
    void dragOutWithButtonHeld_data() {
        QTest::addColumn<QPoint>("out");
        QTest::addColumn<QPoint>("release");
        QTest::addColumn<int>("clicks");
        QTest::newRow("out right, released outside") << QPoint(250, 20) << QPoint(250, 20) << 0;
        QTest::newRow("out above, back in, released inside") << QPoint(100, -8) << QPoint(120, 20) << 1;
    }
    void dragOutWithButtonHeld() {
        QFETCH(QPoint, out);
        QFETCH(QPoint, release);
        QFETCH(int, clicks);
        Window w;
        QVERIFY(QTest::qWaitForWindowExposed(&w.top));
        auto moveHeld = [&](QPoint at) {
            QMouseEvent e(QEvent::MouseMove, QPointF(at), w.button->mapToGlobal(QPointF(at)), Qt::NoButton,
                          Qt::LeftButton, Qt::NoModifier);
            QApplication::sendEvent(w.button, &e);
        };
        w.button->PaintFace();
        const QString rest = At(w.button->FaceBitmap(), 100, 1);
        QSignalSpy spy(w.button, &TGlassButton::OnClick);
        QTest::mouseMove(w.button, QPoint(100, 20));
        QTest::mousePress(w.button, Qt::LeftButton, {}, QPoint(100, 20));
        QCOMPARE(At(w.button->FaceBitmap(), 100, 1), QStringLiteral("(85,103,122)"));
        moveHeld(out);
        QCOMPARE(w.button->Pressed(), false);
        QCOMPARE(w.button->HotPart(), -1);
        w.button->PaintFace();
        QCOMPARE(At(w.button->FaceBitmap(), 100, 1), rest);
        if (rect(w.button).contains(release)) {
            moveHeld(release);
            QCOMPARE(w.button->Pressed(), true);
        }
        QTest::mouseRelease(w.button, Qt::LeftButton, {}, release);
        QCOMPARE(spy.count(), clicks);
    }

    void disabledIgnoresMouse() {
        Window w;
        QVERIFY(QTest::qWaitForWindowExposed(&w.top));
        w.button->setEnabled(false);
        QSignalSpy spy(w.button, &TGlassButton::OnClick);
        QTest::mouseMove(w.button, QPoint(40, 20));
        QTest::mousePress(w.button, Qt::LeftButton, {}, QPoint(40, 20));
        QCOMPARE(w.button->Pressed(), false);
        QTest::mouseRelease(w.button, Qt::LeftButton, {}, QPoint(40, 20));
        QCOMPARE(spy.count(), 0);
        QCOMPARE(w.button->HotPart(), -1);
    }

    void enterClicksOnRelease() {
        Window w;
        w.button->SetTabStop(true);
        QVERIFY(QTest::qWaitForWindowExposed(&w.top));
        w.top.activateWindow();
        w.button->setFocus();
        QSignalSpy spy(w.button, &TGlassButton::OnClick);
        QTest::keyPress(w.button, Qt::Key_Return);
        QCOMPARE(spy.count(), 0);
        QCOMPARE(w.button->Pressed(), true);
        QCOMPARE(w.button->HotPart(), 0);
        QTest::keyRelease(w.button, Qt::Key_Return);
        QCOMPARE(spy.count(), 1);
        QCOMPARE(w.button->Pressed(), false);
        QCOMPARE(w.button->HotPart(), -1);
    }

    void keysWithoutEffect_data() {
        QTest::addColumn<int>("key");
        QTest::newRow("down arrow without arrow or menu") << int(Qt::Key_Down);
        QTest::newRow("space bar") << int(Qt::Key_Space);
    }
    void keysWithoutEffect() {
        QFETCH(int, key);
        Window w;
        w.button->SetTabStop(true);
        QVERIFY(QTest::qWaitForWindowExposed(&w.top));
        w.button->setFocus();
        QSignalSpy spy(w.button, &TGlassButton::OnClick);
        QTest::keyPress(w.button, Qt::Key(key));
        QCOMPARE(w.button->Pressed(), false);
        QTest::keyRelease(w.button, Qt::Key(key));
        QCOMPARE(spy.count(), 0);
        QCOMPARE(w.button->HotPart(), -1);
    }

    void menuOpensOnRelease() {
        Window w;
        QVERIFY(QTest::qWaitForWindowExposed(&w.top));
        QMenu menu;
        menu.addAction(QStringLiteral("one"));
        w.button->SetDropDownMenu(&menu);
        QSignalSpy before(w.button, &TGlassButton::OnBeforePopup);
        QSignalSpy popup(w.button, &TGlassButton::OnPopup);
        QSignalSpy clicks(w.button, &TGlassButton::OnClick);
        bool shownWhilePopup = false;
        connect(w.button, &TGlassButton::OnPopup, &menu, [&] {
            QTimer::singleShot(0, &menu, [&] {
                shownWhilePopup = w.button->PopupShown();
                menu.close();
            });
        });
        QTest::mouseClick(w.button, Qt::LeftButton, {}, QPoint(40, 20));
        QCOMPARE(clicks.count(), 1);
        // The menu opens once the release handler has returned.
        QCOMPARE(before.count(), 0);
        QTRY_COMPARE(popup.count(), 1);
        QCOMPARE(before.count(), 1);
        QTRY_VERIFY(shownWhilePopup);
        QTRY_COMPARE(w.button->HotPart(), -1);
    }

    void splitArrowOpensMenuOnlyWhenPressedThere() {
        Window w;
        QVERIFY(QTest::qWaitForWindowExposed(&w.top));
        w.button->SetDuoStyle(true);
        QMenu menu;
        menu.addAction(QStringLiteral("one"));
        w.button->SetDropDownMenu(&menu);
        QSignalSpy popup(w.button, &TGlassButton::OnBeforePopup);
        connect(w.button, &TGlassButton::OnPopup, &menu, [&] { QTimer::singleShot(0, &menu, [&] { menu.close(); }); });
        QTest::mouseMove(w.button, QPoint(50, 20));
        QTest::mousePress(w.button, Qt::LeftButton, {}, QPoint(50, 20));
        QTest::mouseRelease(w.button, Qt::LeftButton, {}, QPoint(190, 20));
        QTest::qWait(20);
        QCOMPARE(popup.count(), 0);
        QTest::mouseMove(w.button, QPoint(190, 20));
        QTest::mousePress(w.button, Qt::LeftButton, {}, QPoint(190, 20));
        QTest::mouseRelease(w.button, Qt::LeftButton, {}, QPoint(190, 20));
        QTRY_COMPARE(popup.count(), 1);
    }
};

QUIMBA_TEST_MAIN("glassinput", GlassInputTest)
#include "glassinput_test.moc"
