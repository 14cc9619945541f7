// The review window over a recorded game: the turns come back from the
// record as played, the table has one row per throw, the summary's figures
// keep final = start + luck - cost, and the arrow keys walk the game.
#include <QStandardItemModel>
#include <QTableView>
#include <QtTest>
#include <random>

#include "ChancesPanel.h"
#include "DiceAnalysis.h"
#include "Language.h"
#include "QtTestMain.h"
#include "ReviewWindow.h"
#include "ScoringRule.h"
#include "Strategy.h"
#include "SystemPorts.h"
#include "TForm2.h"
#include "UiTestSupport.h"
#include "WinChances.h"

using namespace quimba;
using namespace quimba::ui;

namespace {

int TruePoints(int row, const std::array<std::uint8_t, kDice>& dice) {
    std::array<std::uint8_t, kDice + 1> d{};
    std::copy(dice.begin(), dice.end(), d.begin() + 1);
    const DiceAnalysis a = AnalyseDice(d, {});
    return RowPointsFor(row, a.figure, a.sommeface, a.sommedes);
}

// An ascending game of three seats with random keeps and early stops, as
// the games file holds it, advice asks among the events.
GameRecord RecordedGame(unsigned seed) {
    std::mt19937 rng(seed);
    GameRecord record;
    record.setup.type = kAscendant;
    record.setup.seats = {{"Ann", SeatKind::Person}, {"CPU", SeatKind::Classic}, {"CPU", SeatKind::Expert}};
    for (int round = 0; round < kRounds; ++round)
        for (int seat = 0; seat < 3; ++seat) {
            std::array<std::uint8_t, kDice> dice{};
            std::uint8_t kept = 0;
            for (int n = 0; n < kMaxThrows; ++n) {
                for (int i = 0; i < kDice; ++i)
                    if (!((kept >> i) & 1)) dice[i] = static_cast<std::uint8_t>(1 + rng() % kFaces);
                record.events.push_back(RecordEvent::Throw(seat, kept, dice));
                if (n + 1 == kMaxThrows || rng() % 6 == 0) break;
                if (rng() % 4 == 0) record.events.push_back(RecordEvent::Advice(seat));
                kept = static_cast<std::uint8_t>(rng() % 32);
            }
            const int row = ForcedRow(kAscendant, round);
            record.events.push_back(RecordEvent::Write(seat, row, TruePoints(row, dice)));
        }
    record.events.push_back(RecordEvent::End(GameEnd::Finished));
    return record;
}

double Number(const QAbstractItemModel& m, int row, int column) {
    // The built-in wording is French: a decimal comma.
    return m.data(m.index(row, column), Qt::DisplayRole).toString().replace(',', '.').toDouble();
}

}  // namespace

class ReviewWindowTest : public QObject {
    Q_OBJECT

private slots:
    void reviewsARecordedGame() {
        static BuiltStrategies tables;
        const StrategyTable& table = *tables.Table(kAscendant);
        const WinChances chances = WinChances::Build(table, 2);
        const GameRecord record = RecordedGame(7);
        const ReviewGame game = ReviewGameOf(record);
        QCOMPARE(game.turns.size(), std::size_t(3 * kRounds));
        std::size_t throws = 0;
        for (const ReviewTurn& t : game.turns) throws += t.throws.size();
        QCOMPARE(throws, std::size_t(std::count_if(record.events.begin(), record.events.end(),
                                                   [](const RecordEvent& e) { return e.kind == EventKind::Throw; })));
        const Result<GameReview> review = ReviewOf(table, game, &chances);
        QVERIFY2(review.Ok(), review.Error().c_str());

        ReviewWindow window({game, review.Value(), {"Ann", "CPU", "CPU"}},
                            [](int n) { return QString::fromStdString(BuiltInLine(n)); });
        // One decision after every throw: keep, stop or write.
        QCOMPARE(window.Decisions().rowCount(), int(throws));
        const QAbstractItemModel& summary = window.Summary();
        QCOMPARE(summary.rowCount(), 3);
        for (int seat = 0; seat < 3; ++seat) {
            // The cost cells of a seat's decisions add up to its summary cost,
            // and its final score is its start plus luck minus cost.
            double cost = 0;
            int decisions = 0;
            for (int r = 0; r < window.Decisions().rowCount(); ++r)
                if (window.Data().review.decisions[std::size_t(r)].seat == seat) {
                    cost += Number(window.Decisions(), r, 6);
                    ++decisions;
                }
            QVERIFY2(std::abs(cost - Number(summary, seat, 4)) <= 0.005 * (decisions + 1),
                     qPrintable(QString::number(seat)));
            QVERIFY(std::abs(Number(summary, seat, 1) -
                             (Number(summary, seat, 2) + Number(summary, seat, 3) - Number(summary, seat, 4))) <= 0.02);
            int verdicts = 0;
            for (int v = 0; v < kVerdicts; ++v) verdicts += int(Number(summary, seat, 5 + v));
            QCOMPARE(verdicts, decisions);
        }

        // The arrow keys step through the moments, and the sheet shown holds
        // the rows written before the moment's turn.
        window.show();
        window.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&window));
        // The keys go where the focus is: the table of decisions.
        auto* focused = qobject_cast<QTableView*>(QApplication::focusWidget());
        QVERIFY(focused && focused->model() == &window.Decisions());
        auto* sheet = window.findChildren<QTableView*>().back();
        const auto* model = static_cast<const QStandardItemModel*>(sheet->model());
        for (int step = 0; step < 12; ++step) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Right);
            QCOMPARE(window.Moment(), step + 1);
            int filled = 0;
            for (int r = 0; r < model->rowCount(); ++r)
                for (int c = 0; c < model->columnCount(); ++c) filled += model->item(r, c) != nullptr;
            QCOMPARE(filled, window.Data().review.decisions[std::size_t(window.Moment())].turn);
        }
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Left);
        QCOMPARE(window.Moment(), 11);
    }

    // F6 shows each seat's chance to win beside the sheet, at every turn
    // start; off again, the window is as it was to the pixel, and the choice
    // outlives the program.
    void chancesBesideTheSheetOnlyWhenAsked() {
        QTemporaryDir settings;
        uitest::IsolateSettings(settings.path());
        auto dir = uitest::FreshProgramFolder();
        {
            uitest::Program p(dir->path(), std::make_unique<SeededRandom>(4));
            QVERIFY(p.Start());
            TForm1* w = p.w.Form1;
            w->show();
            p.game().Form2.Edit[1] = "ANNE";
            p.game().Form2.Edit[2] = "BOB";
            p.game().Form2.RadioButton = kAscendant;
            p.game().S.nbjoueurs = 2;
            p.w.Form2->show();
            uitest::Click(p.w.Form2->glassbtn1);
            QVERIFY(!w->Chances()->isVisible());
            const QImage off = w->grab().toImage();

            QTest::keyClick(w->Grid, Qt::Key_F6);
            QTRY_COMPARE(w->Chances()->Shown().size(), std::size_t(2));
            QVERIFY(w->grab().toImage() != off);
            // A column with points ahead leads, and the chances add up to one.
            uitest::Click(w->glassbtn5);
            uitest::Settle(w);
            QSignalSpy updated(w->Chances(), &ChancesPanel::Updated);
            QTest::keyClick(w->Grid, Qt::Key_Down);
            QTest::keyClick(w->Grid, Qt::Key_Return);
            QCOMPARE(p.game().State().joueur, 1);
            QTRY_VERIFY(updated.count() > 0);
            const std::vector<double>& shown = w->Chances()->Shown();
            QCOMPARE(shown.size(), std::size_t(2));
            QVERIFY(std::abs(shown[0] + shown[1] - 1) < 1e-9);
            QVERIFY(shown[0] != 0.5);

            QTest::keyClick(w->Grid, Qt::Key_F6);
            QVERIFY(!w->Chances()->isVisible());
            QTest::keyClick(w->Grid, Qt::Key_F6);
        }
        uitest::Program again(dir->path());
        QVERIFY(again.Start());
        QVERIFY(again.w.Form1->Chances()->On());
    }
};

QUIMBA_TEST_MAIN("review_window", ReviewWindowTest)
#include "review_window_test.moc"
