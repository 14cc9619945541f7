// One copy of the game for the two-copies test: starts on a program folder,
// ends a game with an entry and a best score, says "ready", and closes when
// a line arrives on its input.
//   scores_copy PROGRAM_DIR SETTINGS_DIR ENTRY SCORE NAME
#include <QApplication>
#include <cstdio>
#include <iostream>
#include <string>

#include "QtTestMain.h"
#include "UiTestSupport.h"

using namespace quimba::uitest;

int ScoresCopy(int argc, char** argv) {
    QApplication app(argc, argv);
    if (argc != 6) return 2;
    quimba::ui::SetUpApplication();
    IsolateSettings(QString::fromLocal8Bit(argv[2]));
    Program p{QString::fromLocal8Bit(argv[1])};
    if (!p.Start()) return 3;
    p.w.Form1->show();
    p.game().ListBoxScore.Add(argv[3]);
    p.game().S.meilleurscore = std::stoi(argv[4]);
    p.game().S.meilleurnom = argv[5];
    std::puts("ready");
    std::fflush(stdout);
    std::string line;
    std::getline(std::cin, line);
    p.w.Form1->close();
    for (const QString& message : p.messages) std::fprintf(stderr, "%s\n", qPrintable(message));
    return p.messages.isEmpty() ? 0 : 4;
}

QUIMBA_TEST_PROGRAM("scores_copy", ScoresCopy)
