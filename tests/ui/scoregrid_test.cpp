// The sheet's look: column colours and the centring of a cell's text.
#include <QTest>

#include "QtTestMain.h"
#include "ScoreGrid.h"

using quimba::ui::ScoreGrid;

class ScoreGridTest : public QObject {
    Q_OBJECT
private slots:
    void columnGreysAndCurrentColumn_data() {
        QTest::addColumn<int>("column");
        QTest::addColumn<int>("joueur");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("column 0 grey") << 0 << 4 << QColor(0x2F, 0x2F, 0x2F);
        QTest::newRow("column 1 grey") << 1 << 4 << QColor(0x4F, 0x4F, 0x4F);
        QTest::newRow("column 2 grey") << 2 << 4 << QColor(0x6F, 0x6F, 0x6F);
        QTest::newRow("column 3 grey") << 3 << 4 << QColor(0x8F, 0x8F, 0x8F);
        QTest::newRow("column 4 grey") << 4 << 0 << QColor(0xAF, 0xAF, 0xAF);
        QTest::newRow("current column yellow") << 2 << 2 << QColor(0xC8, 0xC8, 0x00);
        // No column is lit after a five-player game.
        QTest::newRow("after a five-player game") << 0 << 5 << QColor(0x2F, 0x2F, 0x2F);
    }
    void columnGreysAndCurrentColumn() {
        QFETCH(int, column);
        QFETCH(int, joueur);
        QFETCH(QColor, colour);
        QCOMPARE(ScoreGrid::CellColour(column, joueur), colour);
    }

    void textIsCentredOnTheCell_data() {
        QTest::addColumn<int>("cellLeft");
        QTest::addColumn<int>("textWidth");
        QTest::addColumn<int>("x");
        QTest::newRow("narrow text") << 54 << 7 << 63;
        // Wider than the cell: centred, truncated toward zero.
        QTest::newRow("wider than the cell") << 0 << 40 << -7;
        QTest::newRow("one pixel wider") << 0 << 26 << 0;
    }
    void textIsCentredOnTheCell() {
        QFETCH(int, cellLeft);
        QFETCH(int, textWidth);
        QFETCH(int, x);
        QCOMPARE(ScoreGrid::TextX(cellLeft, textWidth), x);
    }
};

QUIMBA_TEST_MAIN("scoregrid", ScoreGridTest)
#include "scoregrid_test.moc"
