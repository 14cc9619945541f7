// One copy of the game for the kill test: brings back the interrupted game
// if there is one, else starts two persons' game, then plays it move by move
// through the window. After each move, once it is in the games file, it
// prints the position; it never closes by itself, it is killed.
//   record_copy PROGRAM_DIR SETTINGS_DIR SEED
// Prints "resumed" or "new", then one line per move:
//   round player throws faces(5) kept(5) cells...
#include <QApplication>
#include <cstdio>
#include <string>

#include "GameRecording.h"
#include "Language.h"
#include "QtTestMain.h"
#include "TForm2.h"
#include "UiTestSupport.h"

using namespace quimba;
using namespace quimba::uitest;

namespace {

void Print(const Game& g) {
    const GameState& s = g.State();
    std::string line = std::to_string(s.tour) + " " + std::to_string(s.joueur) + " " + std::to_string(s.nblancers);
    for (int d = 1; d <= kDice; ++d) line += " " + std::to_string(s.valeurde[d]);
    for (int d = 1; d <= kDice; ++d) line += " " + std::to_string(s.garde[d]);
    for (int c = 0; c < s.nbjoueurs; ++c)
        for (int r = 0; r < kRows; ++r) line += " [" + g.Sheet().Cell(c, r) + "]";
    std::puts(line.c_str());
    std::fflush(stdout);
}

}  // namespace

int RecordCopy(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 4) return 2;
    ui::SetUpApplication();
    IsolateSettings(QString::fromLocal8Bit(argv[2]));
    Program p{QString::fromLocal8Bit(argv[1]), std::make_unique<SeededRandom>(std::stoul(argv[3]))};
    if (!p.Start()) return 3;
    ui::TForm1& window = *p.w.Form1;
    window.show();
    // The interrupted game is looked up on the recording thread; its answer
    // comes back as a queued call.
    window.Recording().Drain();
    QCoreApplication::processEvents();
    const bool resumed = window.game().Controls().resultext == window.game().Line(kLineGameResumed);
    if (!resumed) {
        p.game().Form2.Edit[1] = "ANNE";
        p.game().Form2.Edit[2] = "BOB";
        p.game().S.nbjoueurs = 2;
        p.w.Form2->show();
        Click(p.w.Form2->glassbtn1);
    }
    window.Recording().Drain();
    std::puts(resumed ? "resumed" : "new");
    Print(window.game());
    while (window.game().State().tour < kRounds) {
        const GameState& s = window.game().State();
        if (s.nblancers < 2) {
            // Keep the first die after a first throw, so kept dice are tested too.
            if (s.nblancers == 1 && !s.garde[1]) QTest::keyClick(window.Grid, Qt::Key_1);
            Click(window.glassbtn5);
            Settle(&window);
        } else {
            // Down then Enter until a free row takes the dice.
            const int before = s.joueur, round = s.tour;
            for (int tries = 0;
                 tries < 2 * kRows && window.game().State().joueur == before && window.game().State().tour == round;
                 ++tries) {
                QTest::keyClick(window.Grid, Qt::Key_Down);
                QTest::keyClick(window.Grid, Qt::Key_Return);
            }
            Settle(&window);
        }
        window.Recording().Drain();
        Print(window.game());
    }
    std::puts("end");
    std::fflush(stdout);
    return app.exec();
}

QUIMBA_TEST_PROGRAM("record_copy", RecordCopy)
