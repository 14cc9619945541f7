// The game played through its windows: the setup dialog's controls, the
// roll button, the dice table and the score sheet, driven with real events.
#include <QCheckBox>
#include <QListWidget>
#include <QRadioButton>

#include <QMessageBox>
#include <QToolButton>
#include <QtTest>
#include "NameEdit.h"

#include <QTableView>
#include "QtTestMain.h"
#include "SystemPorts.h"
#include "TForm2.h"
#include "TForm5.h"

#include "ReviewWindow.h"
#include "UiTestSupport.h"
#include "UpDown.h"

using namespace quimba;
using namespace quimba::uitest;

namespace {

QPoint CellCentre(int column, int row) { return ui::ScoreGrid::CellRect(column, row).center(); }

// Plays a two-person game to its end with the mouse.
void PlayWholeGame(Program& p) {
    ui::TForm1* m = p.w.Form1;
    const std::array<int, 13> rows{1, 2, 3, 4, 5, 6, 9, 10, 11, 12, 13, 14, 15};
    for (int round = 0; round < 13; ++round) {
        for (int player = 0; player < 2; ++player) {
            QCOMPARE(p.game().S.joueur, player);
            Click(m->glassbtn5);
            Settle(m);
            Click(m->Grid, CellCentre(player, rows[round]));
        }
    }
}

}  // namespace

class PlayTest : public QObject {
    Q_OBJECT

    QTemporaryDir settingsDir;
    std::unique_ptr<QTemporaryDir> dir;
    std::unique_ptr<Program> p;

private slots:
    void initTestCase() { IsolateSettings(settingsDir.path()); }
    void init() {
        dir = FreshProgramFolder();
        p = std::make_unique<Program>(dir->path(), std::make_unique<SeededRandom>(7));
        QVERIFY(p->Start());
        p->w.Form1->show();
    }
    void cleanup() { p.reset(); }

    void setupDialogControlsFollowTheRules() {
        ui::TForm2* f = p->w.Form2;
        f->show();
        // First opening: player 1 is a person, and its name can be typed at once.
        QVERIFY(f->Edit[1]->isEnabled());
        QCOMPARE(f->Edit[1]->text(), QString("PLA1"));
        QTest::keyClick(f->Edit[1], Qt::Key_End);
        QTest::keyClick(f->Edit[1], Qt::Key_Backspace);
        QTest::keyClicks(f->Edit[1], "Z");
        QCOMPARE(p->game().Form2.Edit[1], std::string("PLAZ"));
        QVERIFY(!f->Edit[3]->isVisible());
        Click(f->CheckBox[2]);
        QCOMPARE(f->Edit[2]->text(), QString("CPU"));
        QVERIFY(!f->Edit[2]->isEnabled());
        Click(f->CheckBox[2]);
        QCOMPARE(f->Edit[2]->text(), QString("JO2"));
        QVERIFY(f->Edit[2]->isEnabled());
        Click(f->UpDown1->Next());
        Click(f->UpDown1->Next());
        QCOMPARE(f->Label7->text(), QString("4"));
        QVERIFY(f->Edit[4]->isVisible());
        QVERIFY(!f->Edit[5]->isVisible());
        Click(f->UpDown1->Previous());
        Click(f->UpDown1->Previous());
        Click(f->UpDown1->Previous());
        QCOMPARE(f->Label7->text(), QString("2"));
        // Typing stops at four characters.
        f->Edit[2]->clear();
        p->game().Form2.Edit[2].clear();
        QTest::keyClicks(f->Edit[2], "ABCDEFG");
        QCOMPARE(f->Edit[2]->text(), QString("ABCD"));
        Click(f->RadioButton3);
        Click(f->glassbtn1);
        QVERIFY(!f->isVisible());
        QCOMPARE(p->game().Grid.Cell(0, 0), std::string("PLAZ"));
        QCOMPARE(p->game().Grid.Cell(1, 0), std::string("ABCD"));
        QCOMPARE(p->game().Grid.Cell(2, 0), std::string(""));
        QCOMPARE(p->game().S.typejeu, 3);
        QVERIFY(p->w.Form1->glassbtn5->isEnabled());
    }

    // A person writes after one throw and a computer plays next: "Lancer"
    // stays off through the computer's turn, eight clicks at each of its
    // ticks do nothing, and the game goes on to its end. A double click on
    // "Lancer" throws once.
    void clicksOnLancerNeverThrowForTheComputer() {
        ui::TForm1* m = p->w.Form1;
        ui::TForm2* f = p->w.Form2;
        f->show();
        Click(f->CheckBox[2]);
        Click(f->glassbtn1);
        const GameState& s = p->game().State();
        for (int step = 0; step < 20000 && s.tour < kRounds; ++step) {
            if (s.joueur == 0 && s.nblancers == 0) {
                // Two clicks before the dice rest, as a double click gives.
                Click(m->glassbtn5);
                Click(m->glassbtn5);
                QCOMPARE(s.nblancers, 1);
                Settle(m);
            } else if (s.joueur == 0) {
                int row = 1;
                while (!p->game().Sheet().Free(0, row) || row == lignebonus || row == lignesoustotal) ++row;
                Click(m->Grid, CellCentre(0, row));
            } else {
                QVERIFY(!m->glassbtn5->isEnabled());
                const int throws = s.nblancers;
                for (int click = 0; click < 8; ++click) Click(m->glassbtn5);
                QCOMPARE(s.nblancers, throws);
                if (p->game().Controls().FrameTimerEnabled)
                    m->Commands().FrameTimerTimer();
                else
                    m->Commands().TimerordiTimer();
                m->Sync();
                QVERIFY(s.nblancers <= kMaxThrows);
            }
        }
        QCOMPARE(s.tour, kRounds);
    }

    void retourChangesNothing() {
        ui::TForm2* f = p->w.Form2;
        f->show();
        Click(f->UpDown1->Next());
        Click(f->glassbtn2);
        QVERIFY(!f->isVisible());
        QCOMPARE(p->game().Grid.Cell(0, 0), std::string(""));
        QVERIFY(!p->w.Form1->glassbtn5->isEnabled());
    }

    // The arrows mid-game, then "retour" or the close box: the game goes on
    // with its own players and the turn comes back to the first column.
    void arrowsThenLeavingMidGame_data() {
        QTest::addColumn<bool>("closeBox");
        QTest::newRow("retour") << false;
        QTest::newRow("close box") << true;
    }
    void arrowsThenLeavingMidGame() {
        QFETCH(bool, closeBox);
        ui::TForm1* m = p->w.Form1;
        ui::TForm2* f = p->w.Form2;
        f->show();
        Click(f->glassbtn1);
        Click(m->glassbtn5);
        Settle(m);
        Click(m->Grid, CellCentre(0, 9));
        QCOMPARE(p->game().S.joueur, 1);
        f->show();
        Click(f->UpDown1->Next());
        Click(f->UpDown1->Next());
        QCOMPARE(f->Label7->text(), QString("4"));
        if (closeBox)
            f->close();
        else
            Click(f->glassbtn2);
        QVERIFY(!f->isVisible());
        m->Sync();
        QCOMPARE(p->game().S.nbjoueurs, 2);
        Click(m->glassbtn5);
        Settle(m);
        Click(m->Grid, CellCentre(1, 9));
        QCOMPARE(p->game().S.joueur, 0);
        QCOMPARE(p->game().S.tour, 1);
        QVERIFY(m->glassbtn5->isEnabled());
        QCOMPARE(p->game().Grid.Cell(2, 0), std::string(""));
        // The next opening shows the game's count again.
        f->show();
        QCOMPARE(f->Label7->text(), QString("2"));
        QVERIFY(!f->Edit[3]->isVisible());
    }

    // The hand shows over the grid lines of the current column too, so a
    // click there picks the cell the lines belong to.
    void clickOnGridLinesPicksThePromisedCell_data() {
        QTest::addColumn<QPoint>("at");
        QTest::newRow("line right of the cell") << QPoint(25, 9 * 22 + 8);
        QTest::newRow("line below the cell") << QPoint(12, 9 * 22 + 21);
        QTest::newRow("crossing of the lines") << QPoint(26, 9 * 22 + 20);
    }
    void clickOnGridLinesPicksThePromisedCell() {
        QFETCH(QPoint, at);
        ui::TForm1* m = p->w.Form1;
        p->w.Form2->show();
        Click(p->w.Form2->glassbtn1);
        Click(m->glassbtn5);
        Settle(m);
        QTest::mouseMove(m->Grid, at);
        QCOMPARE(m->Grid->cursor().shape(), Qt::PointingHandCursor);
        QTest::mouseClick(m->Grid, Qt::LeftButton, Qt::NoModifier, at);
        QCOMPARE(p->game().Grid.Cell(0, 9), std::to_string(p->game().S.sommedes));
        QCOMPARE(m->Grid->SelectedRow(), 9);
        QCOMPARE(m->Grid->SelectedColumn(), 0);
    }

    void aLongStoredNameIsShownWhole() {
        p->game().Form2.Edit[1] = "MAXIMILIEN";
        p->w.Form2->show();
        QCOMPARE(p->w.Form2->Edit[1]->text(), QString("MAXIMILIEN"));
        Click(p->w.Form2->glassbtn1);
        QCOMPARE(p->game().Grid.Cell(0, 0), std::string("MAXIMILIEN"));
    }

    void aTurnPlayedWithTheMouse() {
        ui::TForm1* m = p->w.Form1;
        p->w.Form2->show();
        Click(p->w.Form2->glassbtn1);
        Click(m->glassbtn5);
        QCOMPARE(p->game().S.nblancers, 1);
        QVERIFY(!m->resultext->isVisible());
        QVERIFY(m->FrameTimer->Enabled());
        Settle(m);
        QVERIFY(m->resultext->isVisible());
        QVERIFY(m->Label23->text().endsWith("lancer n° 1"));
        // Keep die 3 by clicking it where it came to rest.
        const auto& s = p->game().S;
        const QPoint die3(s.posx[3] + 35, s.posy[3] + 30);
        QTest::mouseMove(m->DiceTable, die3);
        QCOMPARE(m->DiceTable->cursor().shape(), Qt::PointingHandCursor);
        QTest::mouseClick(m->DiceTable, Qt::LeftButton, Qt::NoModifier, die3);
        QCOMPARE(int(s.garde[3]), 1);
        const int kept = s.valeurde[3];
        Click(m->glassbtn5);
        Settle(m);
        QCOMPARE(int(s.valeurde[3]), kept);
        QCOMPARE(s.posx[3], 105);
        QCOMPARE(s.posy[3], 5);
        // A click on another player's column does nothing; one's own scores.
        Click(m->Grid, CellCentre(1, 13));
        QCOMPARE(p->game().Grid.Cell(1, 13), std::string(""));
        Click(m->Grid, CellCentre(0, 9));
        QCOMPARE(p->game().Grid.Cell(0, 9), std::to_string(s.sommedes));
        QCOMPARE(p->game().S.joueur, 1);
        QVERIFY(m->Label23->text().endsWith("2/ à vous de jouer"));
    }

    void keyboardMovesInTheSheetWriteNothingUntilEnter() {
        ui::TForm1* m = p->w.Form1;
        p->w.Form2->show();
        Click(p->w.Form2->glassbtn1);
        m->Grid->setFocus();
        // Before a throw there is no cursor to move and nothing to write.
        QTest::keyClick(m->Grid, Qt::Key_Down);
        QCOMPARE(m->Grid->KeyCursorRow(), -1);
        QCOMPARE(p->game().Grid.Cell(0, 1), std::string(""));
        Click(m->glassbtn5);
        Settle(m);
        const int twos = p->game().S.sommeface[2];
        QTest::keyClick(m->Grid, Qt::Key_Down);
        QTest::keyClick(m->Grid, Qt::Key_Down);
        QTest::keyClick(m->Grid, Qt::Key_Up);
        QTest::keyClick(m->Grid, Qt::Key_Down);
        QCOMPARE(p->game().Grid.Cell(0, 1), std::string(""));
        QCOMPARE(p->game().Grid.Cell(0, 2), std::string(""));
        QCOMPARE(p->game().S.joueur, 0);
        // Enter is the selection, and moves the grid's selection with it.
        QTest::keyClick(m->Grid, Qt::Key_Return);
        QCOMPARE(p->game().Grid.Cell(0, 2), std::to_string(twos));
        QCOMPARE(m->Grid->SelectedRow(), 2);
        QCOMPARE(m->Grid->SelectedColumn(), 0);
        QCOMPARE(p->game().S.joueur, 1);
        QCOMPARE(m->Grid->KeyCursorRow(), -1);
    }

    // The end shows the standings over the dice table, best score first;
    // a new game takes them away.
    void theStandingsShowAtTheEndUntilANewGame() {
        ui::TForm1* m = p->w.Form1;
        p->w.Form2->show();
        Click(p->w.Form2->glassbtn1);
        QVERIFY(!m->Standings()->isVisible());
        PlayWholeGame(*p);
        QVERIFY(m->Standings()->isVisible());
        QCOMPARE(m->Standings()->parentWidget(), static_cast<QWidget*>(m->DiceTable));
        const QAbstractItemModel* rows = m->Standings()->Table()->model();
        QCOMPARE(rows->rowCount(), 2);
        const int t0 = p->game().Grid.Value(0, 16), t1 = p->game().Grid.Value(1, 16);
        QCOMPARE(rows->data(rows->index(0, 2)).toInt(), std::max(t0, t1));
        QCOMPARE(rows->data(rows->index(1, 2)).toInt(), std::min(t0, t1));
        QVERIFY(rows->data(rows->index(0, 1)).toString().startsWith(t1 > t0 ? "PLA2 (2)" : "PLA1 (1)"));
        p->w.Form2->show();
        Click(p->w.Form2->glassbtn1);
        QVERIFY(!m->Standings()->isVisible());
    }

    void aWholeGameEndsWithTheWinnerAndAnEntry() {
        ui::TForm1* m = p->w.Form1;
        p->w.Form2->show();
        Click(p->w.Form2->glassbtn1);
        PlayWholeGame(*p);
        const Game& g = p->game();
        QCOMPARE(g.S.tour, 13);
        QCOMPARE(g.S.joueur, 2);
        QVERIFY(!m->glassbtn5->isEnabled());
        const int t0 = g.Grid.Value(0, 16), t1 = g.Grid.Value(1, 16);
        const int best = std::max(t0, t1);
        const QString winner = t1 > t0 ? "PLA2" : "PLA1";
        QCOMPARE(m->resultext->text(), QString("Bravo %1 %2 points !").arg(winner).arg(best));
        QCOMPARE(g.ListBoxScore.Items().size(), std::size_t(1));
        p->w.Form5->show();
        QCOMPARE(p->w.Form5->ListBoxScore->count(), 1);
        QVERIFY(p->w.Form5->ListBoxScore->item(0)->text().startsWith(QString::number(best) + " --- "));
        // "Effacer tout" asks first: "Non" keeps the list, "Oui" empties it.
        for (const QString answer : {"Non", "Oui"}) {
            Click(p->w.Form5->GlassButton1);
            auto* question = p->w.Form5->findChild<QMessageBox*>("ClearAllQuestion");
            QVERIFY(question);
            QCOMPARE(question->text(), QString("Effacer toute la liste des meilleurs scores ?"));
            QCOMPARE(p->w.Form5->ListBoxScore->count(), 1);
            for (QAbstractButton* b : question->buttons())
                if (b->text() == answer) b->click();
            QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        }
        QCOMPARE(p->w.Form5->ListBoxScore->count(), 0);
        QVERIFY(g.ListBoxScore.Empty());
        QCOMPARE(m->Label28->text(), winner + " " + QString::number(best));
    }

    // Stored names holding markup are shown as typed in the winner line and
    // the best score line (plain text: every character takes its width, no
    // picture is fetched), and a game that ends while the best-scores list
    // is open shows its entry there at once.
    void markupNamesAndTheOpenListAtTheEnd() {
        ui::TForm1* m = p->w.Form1;
        const QString bold = "<b>Zq</b>";
        const QString picture = "<img src=\":/images/image1.bmp\">";
        p->game().Form2.Edit[1] = bold.toStdString();
        p->game().Form2.Edit[2] = picture.toStdString();
        p->w.Form2->show();
        QCOMPARE(p->w.Form2->Edit[1]->text(), bold);
        Click(p->w.Form2->glassbtn1);
        p->w.Form5->show();
        QCOMPARE(p->w.Form5->ListBoxScore->count(), 0);
        PlayWholeGame(*p);
        const Game& g = p->game();
        const QString winner = g.Grid.Value(1, 16) > g.Grid.Value(0, 16) ? picture : bold;
        QVERIFY2(m->resultext->text().contains(winner), qPrintable(m->resultext->text()));
        QVERIFY2(m->Label28->text().startsWith(winner + " "), qPrintable(m->Label28->text()));
        for (QLabel* label : {m->resultext, m->Label28}) {
            const QFontMetrics fm(label->font());
            QVERIFY2(label->sizeHint().width() >= fm.horizontalAdvance(label->text()), qPrintable(label->objectName()));
            QVERIFY2(label->sizeHint().height() < 2 * fm.height(), qPrintable(label->objectName()));
        }
        QCOMPARE(p->w.Form5->ListBoxScore->count(), 1);
        QVERIFY(p->w.Form5->ListBoxScore->item(0)->text().endsWith(" --- " + winner));
    }
};

QUIMBA_TEST_MAIN("play", PlayTest)
#include "play_test.moc"
