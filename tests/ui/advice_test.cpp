// Advice for a person and the computer's level, through the windows: the key
// and the right click, the outlines on the dice table and the sheet, that the
// game does not move, the level in the setup dialog and the settings store,
// and the captions of a language file that stops at line 92.
#include <QGroupBox>
#include <QListWidget>
#include <QRadioButton>
#include <QToolTip>
#include <QtTest>

#include "Advice.h"
#include "BackgroundStrategies.h"
#include "Language.h"
#include "QtTestMain.h"
#include "SystemPorts.h"
#include "TForm2.h"
#include "UiTestSupport.h"

using namespace quimba;
using namespace quimba::uitest;

namespace {

const QRgb kFrame = qRgb(0, 230, 90);

// Everything the rules keep, as one text.
QString State(const Game& g) {
    QString out;
    const GameState& s = g.S;
    for (int i = 1; i <= kDice; ++i)
        out += QString("die%1 v%2 r%3 a%4 g%5 x%6 y%7\n")
                   .arg(i)
                   .arg(s.valeurde[i])
                   .arg(s.roule[i])
                   .arg(s.alancer[i])
                   .arg(s.garde[i])
                   .arg(s.posx[i])
                   .arg(s.posy[i]);
    out += QString("joueur %1 nblancers %2 tour %3 etape %4 cible %5 best %6 %7 forced %8 type %9\n")
               .arg(s.joueur)
               .arg(s.nblancers)
               .arg(s.tour)
               .arg(s.etapeordi)
               .arg(s.cibleordi)
               .arg(s.meilleurscore)
               .arg(QString::fromStdString(s.meilleurnom))
               .arg(s.ligneimposee)
               .arg(s.typejeu);
    for (int c = 0; c < kColumns; ++c)
        for (int r = 0; r < kRows; ++r) out += QString::fromStdString(g.Grid.Cell(c, r)) + "|";
    out += QString("\nlist %1 btn %2 timer %3\n")
               .arg(g.ListBoxScore.Items().size())
               .arg(g.controls.glassbtn5Enabled)
               .arg(g.controls.TimerordiEnabled);
    return out;
}

// Counts the random draws, so that advice can be shown to draw none.
class CountingRandom : public RandomSource {
public:
    explicit CountingRandom(int* draws) : draws_(draws) {}
    void Randomize() override {}
    int Random(int n) override {
        ++*draws_;
        return inner_.Random(n);
    }

private:
    int* draws_;
    SeededRandom inner_{11};
};

}  // namespace

class AdviceTest : public QObject {
    Q_OBJECT

    QTemporaryDir settingsDir;
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<Program> p;
    int draws = 0;

    ui::TForm1* m() { return p->w.Form1; }
    Game& g() { return p->game(); }
    void StartGame(const QString& first = QString()) {
        if (!first.isEmpty()) g().Form2.Edit[1] = first.toStdString();
        p->w.Form2->show();
        Click(p->w.Form2->glassbtn1);
        QVERIFY(m()->Strategies().WaitReady(g().S.typejeu, 120000));
    }
    void Throw() {
        Click(m()->glassbtn5);
        Settle(m());
    }
    // The frame's colour on the top edge of a die's picture, as shown.
    bool Framed(int die) {
        const QImage shown = m()->DiceTable->Shown();
        return shown.pixel(g().S.posx[die] + 32, g().S.posy[die] + 2) == kFrame;
    }
    bool RowFramed(int column, int row) {
        const QImage grid = m()->Grid->grab().toImage();
        const QRect cell = ui::ScoreGrid::CellRect(column, row);
        return grid.pixel(cell.left(), cell.center().y()) == kFrame &&
               grid.pixel(cell.right(), cell.center().y()) == kFrame;
    }

private slots:
    void initTestCase() { IsolateSettings(settingsDir.path()); }
    void init() {
        dir = FreshProgramFolder();
        draws = 0;
        p = std::make_unique<Program>(dir->path(), std::make_unique<CountingRandom>(&draws));
        QVERIFY(p->Start());
        m()->show();
    }
    void cleanup() { p.reset(); }

    // "H" after the first throw: the advised dice are framed on the table,
    // the words are in the result line with the notice, and the game has not
    // moved. After the third throw "?" frames the row to write; writing it
    // takes the frames away.
    void keyOutlinesTheBestPlayAndMovesNothing() {
        StartGame();
        Throw();
        const QString before = State(g());
        const int drawsBefore = draws;
        QTest::keyClick(m(), Qt::Key_H);
        const Advice expected = AdviceFor(g());
        QCOMPARE(expected.status, Advice::Given);
        QCOMPARE(m()->resultext->text(), QString::fromStdString(expected.text) + " - partie hors meilleurs scores");
        QVERIFY(m()->resultext->isVisible());
        QVERIFY(m()->resultext->width() >= m()->resultext->sizeHint().width());
        // With this seed the first throw is worth keeping part of.
        QCOMPARE(expected.Best().kind, Choice::Keep);
        QCOMPARE(m()->AdvisedRow(), 0);
        QCOMPARE(m()->Grid->AdvisedColumn(), -1);
        int framed = 0;
        for (int i = 1; i <= kDice; ++i) {
            QCOMPARE(m()->AdvisedDice()[i], expected.Best().keep[i] != 0);
            QCOMPARE(Framed(i), expected.Best().keep[i] != 0);
            framed += Framed(i);
        }
        QVERIFY(framed >= 1 && framed <= 4);
        QCOMPARE(State(g()), before);
        QCOMPARE(draws, drawsBefore);
        QVERIFY(g().S.conseilpartie);

        Throw();
        for (int i = 1; i <= kDice; ++i) QVERIFY2(!Framed(i), "a throw takes the frames away");
        Throw();
        const QString third = State(g());
        QTest::keyClick(m(), Qt::Key_Question, Qt::ShiftModifier);
        const Advice write = AdviceFor(g());
        QCOMPARE(write.Best().kind, Choice::Write);
        QCOMPARE(m()->resultext->text(), QString::fromStdString(write.text));  // the notice is said once
        QVERIFY(m()->resultext->text().startsWith("Conseil : écrire en "));
        QCOMPARE(m()->AdvisedRow(), write.Best().row);
        QCOMPARE(m()->Grid->AdvisedColumn(), 0);
        QVERIFY(RowFramed(0, write.Best().row));
        QCOMPARE(State(g()), third);

        Click(m()->Grid, ui::ScoreGrid::CellRect(0, write.Best().row).center());
        QCOMPARE(g().S.joueur, 1);
        QCOMPARE(m()->AdvisedRow(), 0);
        QCOMPARE(m()->Grid->AdvisedColumn(), -1);
        QVERIFY(!RowFramed(0, write.Best().row));
    }

    // A right click on the table asks for advice and picks no die; a left
    // click still picks.
    void rightClickAdvisesWithoutPicking() {
        StartGame();
        Throw();
        const QPoint die3(g().S.posx[3] + 35, g().S.posy[3] + 30);
        QTest::mouseClick(m()->DiceTable, Qt::RightButton, Qt::NoModifier, die3);
        QCOMPARE(int(g().S.garde[3]), 0);
        QVERIFY(m()->resultext->text().startsWith("Conseil : "));
        QTest::mouseClick(m()->DiceTable, Qt::LeftButton, Qt::NoModifier, die3);
        QCOMPARE(int(g().S.garde[3]), 1);
    }

    // Before the first throw, and during a computer's turn, the key does
    // nothing at all and the game stays eligible for the best scores.
    void noAdviceBeforeAThrowNorForTheComputer() {
        StartGame();
        const QString before = State(g());
        QTest::keyClick(m(), Qt::Key_H);
        QCOMPARE(m()->resultext->text(), QString());
        QCOMPARE(State(g()), before);
        QVERIFY(!g().S.conseilpartie);

        // A computer's turn after the first throw: the table is ready, the
        // dice have settled, still no advice.
        g().Form2.Edit[1] = "CPU";
        p->w.Form2->show();
        Click(p->w.Form2->glassbtn1);
        QVERIFY(g().Grid.IsComputer(0));
        m()->Timerordi->stop();
        g().controls.TimerordiEnabled = false;
        g().TimerordiTimer();
        Settle(m());
        QCOMPARE(g().S.nblancers, 1);
        const QString computer = State(g());
        const QString line = m()->resultext->text();
        QTest::keyClick(m(), Qt::Key_H);
        QCOMPARE(m()->resultext->text(), line);
        QCOMPARE(State(g()), computer);
        QVERIFY(!g().S.conseilpartie);
    }

    // Asked while the table is still being prepared, the advice says so and
    // comes by itself once the table is there, if the dice have not moved.
    void adviceAskedBeforeTheTableIsReadyComesLater() {
        QFile::remove(m()->Strategies().CacheFile(kNormal));
        p = std::make_unique<Program>(dir->path(), std::make_unique<SeededRandom>(3));
        QVERIFY(p->Start());
        m()->show();
        p->w.Form2->show();
        Click(p->w.Form2->glassbtn1);
        Throw();
        QTest::keyClick(m(), Qt::Key_H);
        QVERIFY2(m()->Strategies().OriginOf(kNormal) == ui::BackgroundStrategies::Origin::None,
                 "the table came before the test could ask: nothing was waited for");
        QCOMPARE(m()->resultext->text(), QString("Conseil : stratégie en préparation, réessayez dans un instant"));
        QVERIFY(!g().S.conseilpartie);
        QTRY_VERIFY_WITH_TIMEOUT(m()->resultext->text().startsWith("Conseil : ") && g().S.conseilpartie, 120000);
        QCOMPARE(m()->Strategies().OriginOf(kNormal), ui::BackgroundStrategies::Origin::Built);
        QVERIFY(m()->resultext->text().endsWith(" - partie hors meilleurs scores"));
    }

    // After advice in a Normal game, the sheet's tooltip over a free cell of
    // the current column tells what the row gives now and what it costs.
    void sheetTooltipAfterAdvice() {
        StartGame();
        Throw();
        QTest::keyClick(m(), Qt::Key_H);
        const QPoint cell = ui::ScoreGrid::CellRect(0, lignequimba).center();
        QHelpEvent help(QEvent::ToolTip, cell, m()->Grid->mapToGlobal(cell));
        QApplication::sendEvent(m()->Grid, &help);
        QCOMPARE(QToolTip::text(), QString::fromStdString(ConseilLigne(g(), 0, lignequimba)));
        QVERIFY(QToolTip::text().startsWith("Quimba : "));
        const QPoint other = ui::ScoreGrid::CellRect(1, lignequimba).center();
        QHelpEvent none(QEvent::ToolTip, other, m()->Grid->mapToGlobal(other));
        QApplication::sendEvent(m()->Grid, &none);
        QTRY_VERIFY(!QToolTip::isVisible());
    }

    // A game in which advice was asked ends as usual but adds no entry and
    // leaves the best score alone.
    void coachedGameLeavesTheBestScoresAlone() {
        StartGame();
        const std::array<int, 13> rows{1, 2, 3, 4, 5, 6, 9, 10, 11, 12, 13, 14, 15};
        for (int round = 0; round < 13; ++round) {
            for (int player = 0; player < 2; ++player) {
                Throw();
                if (round == 0 && player == 1) QTest::keyClick(m(), Qt::Key_H);
                Click(m()->Grid, ui::ScoreGrid::CellRect(player, rows[round]).center());
            }
        }
        QCOMPARE(g().S.tour, 13);
        QVERIFY(m()->resultext->text().startsWith("Bravo "));
        QVERIFY(!m()->glassbtn5->isEnabled());
        QCOMPARE(g().ListBoxScore.Items().size(), std::size_t(0));
        QCOMPARE(g().S.meilleurscore, 0);
        QCOMPARE(m()->Label28->text(), QString(" 0"));
    }

    // The level sits below the game types inside the dialog, reads
    // "Classique" first, carries into the game at "Commencer" and is stored
    // at close as NIVEAU.
    void levelControlIsStoredAndPlayed() {
        ui::TForm2* f = p->w.Form2;
        f->show();
        QVERIFY(f->RadioButton4->isChecked());
        QVERIFY(!f->RadioButton5->isChecked());
        QCOMPARE(f->GroupBox2->title(), QString("Niveau de l'ordinateur"));
        QCOMPARE(f->RadioButton4->text(), QString("Classique"));
        QCOMPARE(f->RadioButton5->text(), QString("Expert"));
        const QRect level = f->GroupBox2->geometry();
        QVERIFY(QRect(0, 0, 729, 297).contains(level));
        QVERIFY(level.top() >= f->GroupBox1->geometry().bottom());
        QVERIFY(!level.intersects(f->glassbtn1->geometry()));
        QVERIFY(!level.intersects(f->glassbtn2->geometry()));
        for (QRadioButton* r : {f->RadioButton5, f->RadioButton4})
            QVERIFY2(QRect(QPoint(0, 0), level.size()).contains(r->geometry()),
                     qPrintable(QString("%1 %2 %3 %4 hint %5")
                                    .arg(r->x())
                                    .arg(r->y())
                                    .arg(r->width())
                                    .arg(r->height())
                                    .arg(r->sizeHint().width())));
        QVERIFY(!f->RadioButton4->geometry().intersects(f->RadioButton5->geometry()));

        Click(f->RadioButton5);
        QCOMPARE(g().Form2.Niveau, Level::Expert);
        QVERIFY2(f->RadioButton1->isChecked(), "the game type is a separate choice");
        Click(f->glassbtn1);
        QCOMPARE(g().S.niveau, Level::Expert);
        f->show();
        QVERIFY(f->RadioButton5->isChecked());
        Click(f->glassbtn2);

        m()->close();
        QCOMPARE(QSettings("FENTORIX", "3DQUIMBA").value("NIVEAU").toString(), QString("2"));
        p.reset();
        p = std::make_unique<Program>(dir->path());
        QVERIFY(p->Start());
        m()->show();
        p->w.Form2->show();
        QVERIFY(p->w.Form2->RadioButton5->isChecked());
    }

    // A language file of the first 93 lines starts, with the French wording
    // for the added lines; a file that has them decides their wording.
    void languageFileWithoutTheAddedLines() {
        QFile shipped(dir->path() + "/francais.lan");
        QVERIFY(shipped.open(QIODevice::ReadOnly));
        QList<QByteArray> lines = shipped.readAll().split('\n');
        shipped.close();
        QVERIFY(lines.size() > kLastAddedLine);
        auto write = [&](const QList<QByteArray>& l) {
            QFile f(dir->path() + "/francais.lan");
            QVERIFY(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            f.write(l.join('\n'));
        };
        write(lines.mid(0, 93));
        p = std::make_unique<Program>(dir->path());
        QVERIFY(p->Start());
        QCOMPARE(p->messages, QStringList());
        QCOMPARE(p->w.Form2->GroupBox2->title(), QString("Niveau de l'ordinateur"));
        QCOMPARE(p->w.Form2->RadioButton5->text(), QString("Expert"));
        QCOMPARE(QString::fromStdString(g().Line(kLineConseil)), QString("Conseil :"));

        lines[kLineExpert] = "Champion\r";
        write(lines);
        p = std::make_unique<Program>(dir->path());
        QVERIFY(p->Start());
        QCOMPARE(p->w.Form2->RadioButton5->text(), QString("Champion"));
    }
};

QUIMBA_TEST_MAIN("advice", AdviceTest)
#include "advice_test.moc"
