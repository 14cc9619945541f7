// The dice table control: presenting frames, repainting the last one, its
// set-up signals and the mouse.

#include "DrawSurface.h"
#include "MediaTestFiles.h"
#include "QtTestMain.h"

#include <QApplication>
#include <QSignalSpy>
#include <QtTest>

using mediatest::FirstDifference;
using quimba::TDrawSurface;

namespace {

// A frame whose every pixel differs from its neighbours.
void PaintPattern(QImage& img, int seed) {
    for (int y = 0; y < img.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(img.scanLine(y));
        for (int x = 0; x < img.width(); ++x) line[x] = qRgb((x + seed) & 0xff, (y * 3 + seed) & 0xff, (x ^ y) & 0xff);
    }
}

QImage Grabbed(TDrawSurface& w) { return w.grab().toImage().convertToFormat(QImage::Format_RGB32); }

}  // namespace

class DrawSurfaceTest : public QObject {
    Q_OBJECT
private slots:
    void sizes();
    void flipPresentsACopy();
    void repaintShowsLastFrame();
    void setUpSignalsOnFirstShowOnly();
    void mouseDown_data();
    void mouseDown();
    void mouseMoveWithoutButton();
};

void DrawSurfaceTest::sizes() {
    TDrawSurface w;
    QCOMPARE(w.size(), QSize(526, 332));
    QCOMPARE(w.minimumSize(), QSize(526, 332));
    QCOMPARE(w.maximumSize(), QSize(526, 332));
    QCOMPARE(w.Surface().size(), QSize(526, 332));
    QCOMPARE(w.Surface().format(), QImage::Format_RGB32);
}

void DrawSurfaceTest::flipPresentsACopy() {
    TDrawSurface w;
    PaintPattern(w.Surface(), 1);
    const QImage first = w.Surface().copy();
    w.Flip();
    QCOMPARE(FirstDifference(w.Shown(), first), QString());

    // Drawing the next frame leaves the shown one alone until it is presented.
    PaintPattern(w.Surface(), 77);
    const QImage second = w.Surface().copy();
    QCOMPARE(FirstDifference(w.Shown(), first), QString());
    QCOMPARE(FirstDifference(Grabbed(w), first), QString());
    w.Flip();
    QCOMPARE(FirstDifference(w.Shown(), second), QString());
    QCOMPARE(FirstDifference(Grabbed(w), second), QString());
}

void DrawSurfaceTest::repaintShowsLastFrame() {
    QWidget window;
    auto* w = new TDrawSurface(&window);
    w->move(10, 20);
    window.resize(600, 400);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    PaintPattern(w->Surface(), 5);
    const QImage frame = w->Surface().copy();
    w->Flip();
    w->Surface().fill(Qt::white);  // composed but never presented

    // Repaints come without the game's help: cover-and-uncover, a whole-window
    // repaint, a partial one.
    window.repaint();
    QCOMPARE(FirstDifference(Grabbed(*w), frame), QString());
    w->repaint(QRect(100, 50, 30, 40));
    QCOMPARE(FirstDifference(Grabbed(*w), frame), QString());
    const QImage part = window.grab(QRect(10 + 100, 20 + 50, 30, 40)).toImage().convertToFormat(QImage::Format_RGB32);
    QCOMPARE(FirstDifference(part, frame.copy(100, 50, 30, 40)), QString());
    window.hide();
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(FirstDifference(Grabbed(*w), frame), QString());
}

void DrawSurfaceTest::setUpSignalsOnFirstShowOnly() {
    TDrawSurface w;
    QStringList order;
    connect(&w, &TDrawSurface::OnInitialize, this, [&] {
        order << QStringLiteral("initialize");
        // The handler draws and presents, as the game does.
        w.Surface().fill(qRgb(1, 2, 3));
        w.Flip();
    });
    connect(&w, &TDrawSurface::OnRestoreSurface, this, [&] { order << QStringLiteral("restore"); });
    QCOMPARE(order, QStringList());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(order, (QStringList{QStringLiteral("initialize"), QStringLiteral("restore")}));
    QCOMPARE(Grabbed(w).pixel(300, 200), qRgb(1, 2, 3));
    w.hide();
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(order.size(), 2);
}

void DrawSurfaceTest::mouseDown_data() {
    QTest::addColumn<int>("button");
    QTest::addColumn<QPoint>("at");
    QTest::newRow("left in the middle") << int(Qt::LeftButton) << QPoint(263, 166);
    QTest::newRow("right near a corner") << int(Qt::RightButton) << QPoint(1, 330);
    QTest::newRow("middle at left edge") << int(Qt::MiddleButton) << QPoint(0, 7);
    QTest::newRow("right at top edge") << int(Qt::RightButton) << QPoint(9, 0);
    QTest::newRow("left at far corner") << int(Qt::LeftButton) << QPoint(525, 331);
}

void DrawSurfaceTest::mouseDown() {
    QFETCH(int, button);
    QFETCH(QPoint, at);
    TDrawSurface w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QSignalSpy spy(&w, &TDrawSurface::OnMouseDown);
    QTest::mousePress(&w, Qt::MouseButton(button), Qt::NoModifier, at);
    QTest::mouseRelease(&w, Qt::MouseButton(button), Qt::NoModifier, at);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).toInt(), at.x());
    QCOMPARE(spy.at(0).at(1).toInt(), at.y());
}

void DrawSurfaceTest::mouseMoveWithoutButton() {
    TDrawSurface w;
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QSignalSpy spy(&w, &TDrawSurface::OnMouseMove);
    QMouseEvent move(QEvent::MouseMove, QPointF(40, 60), w.mapToGlobal(QPointF(40, 60)), Qt::NoButton, Qt::NoButton,
                     Qt::NoModifier);
    QApplication::sendEvent(&w, &move);
    QTest::mouseMove(&w, QPoint(123, 45));
    QTRY_VERIFY(spy.count() >= 2);
    QCOMPARE(spy.at(0).at(0).toInt(), 40);
    QCOMPARE(spy.at(0).at(1).toInt(), 60);
    QCOMPARE(spy.last().at(0).toInt(), 123);
    QCOMPARE(spy.last().at(1).toInt(), 45);
}

QUIMBA_TEST_MAIN("drawsurface", DrawSurfaceTest)
#include "drawsurface_test.moc"
