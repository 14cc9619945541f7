// The windows on a screen of device pixel ratio 2 (run with
// QT_SCALE_FACTOR=2): twice the pixels, nothing cut, the face of the glass
// buttons computed at that resolution, and every click still landing on the
// cell or die under the pointer.
#include <QLabel>
#include <QtTest>

#include "QtTestMain.h"
#include "SystemPorts.h"
#include "TForm2.h"
#include "TForm4.h"
#include "UiTestSupport.h"

using namespace quimba;
using namespace quimba::uitest;
using quimba::widgets::TGlassButton;

namespace {

// Every visible child lies whole inside its parent.
QStringList CutChildren(QWidget* window) {
    QStringList cut;
    for (QWidget* w : window->findChildren<QWidget*>()) {
        if (w->window() != window || !w->isVisibleTo(window) || !w->parentWidget()) continue;
        if (!w->parentWidget()->rect().contains(w->geometry())) cut << w->objectName();
        auto* label = qobject_cast<QLabel*>(w);
        if (label && !label->text().isEmpty() && label->sizeHint().width() > label->width())
            cut << label->objectName() + " (text)";
    }
    return cut;
}

}  // namespace

class HiDpiTest : public QObject {
    Q_OBJECT

    QTemporaryDir settingsDir;
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<Program> p;

private slots:
    void initTestCase() { IsolateSettings(settingsDir.path()); }
    void init() {
        dir = FreshProgramFolder();
        p = std::make_unique<Program>(dir->path(), std::make_unique<SeededRandom>(5));
        QVERIFY(p->Start());
        p->w.Form1->show();
        QVERIFY(QTest::qWaitForWindowExposed(p->w.Form1));
    }
    void cleanup() { p.reset(); }

    void theWindowIsTwiceTheSizeAndNothingIsCut() {
        ui::TForm1* m = p->w.Form1;
        QCOMPARE(m->devicePixelRatioF(), 2.0);
        QCOMPARE(m->size(), QSize(1026, 527));
        const QPixmap shot = m->grab();
        QCOMPARE(shot.size(), QSize(2052, 1054));
        QCOMPARE(CutChildren(m), QStringList());
        p->w.Form4->show();
        QCOMPARE(CutChildren(p->w.Form4), QStringList());
        p->w.Form2->show();
        QCOMPARE(CutChildren(p->w.Form2), QStringList());
    }

    void glassButtonsAreComputedAtTheScreensResolution() {
        TGlassButton* b = p->w.Form1->glassbtn1;
        (void)b->grab();
        QCOMPARE(b->FaceBitmap().size(), QSize(396, 76));
        // The gloss band spans the upper half in device rows: it brightens
        // row by row over twice as many rows as at ratio 1.
        const QImage face = b->FaceBitmap();
        const int x = face.width() / 4;
        QVERIFY(qGray(face.pixel(x, 2)) > qGray(face.pixel(x, 30)));
        QVERIFY(qGray(face.pixel(x, 30)) > qGray(face.pixel(x, 50)));
    }

    void clicksLandOnTheSameDiceAndCells() {
        ui::TForm1* m = p->w.Form1;
        p->w.Form2->show();
        QVERIFY(QTest::qWaitForWindowExposed(p->w.Form2));
        QTest::mouseClick(p->w.Form2->glassbtn1, Qt::LeftButton, Qt::NoModifier, QPoint(99, 19));
        QVERIFY(!p->w.Form2->isVisible());
        QTest::mouseClick(m->glassbtn5, Qt::LeftButton, Qt::NoModifier, QPoint(76, 32));
        QCOMPARE(p->game().S.nblancers, 1);
        Settle(m);
        const GameState& s = p->game().S;
        for (int die = 1; die <= 5; ++die) {
            const QPoint spot(s.posx[die] + 35, s.posy[die] + 30);
            QTest::mouseMove(m->DiceTable, spot);
            QCOMPARE(m->DiceTable->cursor().shape(), Qt::PointingHandCursor);
            QTest::mouseClick(m->DiceTable, Qt::LeftButton, Qt::NoModifier, spot);
            QCOMPARE(int(s.garde[die]), 1);
        }
        // Just outside a pick box the pointer is the arrow.
        QTest::mouseMove(m->DiceTable, QPoint(s.posx[1] + 60, s.posy[1] + 30));
        QCOMPARE(m->DiceTable->cursor().shape(), Qt::ArrowCursor);

        // The first and last pixel rows of a cell are the cell's.
        const QRect cell = ui::ScoreGrid::CellRect(0, ligneplus);
        QTest::mouseMove(m->Grid, cell.topLeft());
        QTest::mouseMove(m->Grid, cell.center());
        QCOMPARE(m->Grid->cursor().shape(), Qt::PointingHandCursor);
        QTest::mouseClick(m->Grid, Qt::LeftButton, Qt::NoModifier, cell.bottomRight());
        QCOMPARE(p->game().Grid.Cell(0, ligneplus), std::to_string(s.sommedes));
        QCOMPARE(m->Grid->SelectedRow(), int(ligneplus));
        QCOMPARE(p->game().S.joueur, 1);
    }

    void theSheetCursorIsDrawnOnItsCellInDevicePixels() {
        ui::TForm1* m = p->w.Form1;
        p->w.Form2->show();
        QTest::mouseClick(p->w.Form2->glassbtn1, Qt::LeftButton, Qt::NoModifier, QPoint(99, 19));
        QTest::keyClick(m->Grid, Qt::Key_Space);
        Settle(m);
        QTest::keyClick(m->Grid, Qt::Key_Down);
        const QImage shot = m->Grid->grab().toImage();
        QCOMPARE(shot.size(), m->Grid->size() * 2);
        const QRect cell = ui::ScoreGrid::CellRect(0, 1);
        QCOMPARE(QColor(shot.pixel(2 * cell.left() + 3, 2 * cell.center().y())), QColor(255, 0, 0));
        QCOMPARE(QColor(shot.pixel(2 * cell.center().x(), 2 * cell.center().y())), QColor(200, 200, 0));
    }
};

QUIMBA_TEST_MAIN("hidpi", HiDpiTest)
#include "hidpi_test.moc"
