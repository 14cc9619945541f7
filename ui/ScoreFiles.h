#pragma once
// The best-scores list and the best score between runs: one list read from
// wherever it lives (beside the program, in the player's own folder, or
// both), and saved back at close merged with what other copies of the game
// saved meanwhile, so that two open copies lose nothing.

#include <QString>
#include <QStringList>

#include "ProgramFiles.h"

namespace quimba {
class BestScores;
class Game;
}  // namespace quimba

namespace quimba::ui {

struct ScoresLoad {
    bool ok = true;   // false: the start stops, with `message`
    QString message;  // empty, or what the player is told
};

// Reads the list where it is saved, then adds whatever the other place
// holds that it lacks. A list too large to show is kept on disk as it is
// (the start goes on, the player is told); `files.scoresHeldBack` records it.
ScoresLoad LoadScoreLists(BestScores& list, ProgramFiles& files);

// At close: under a lock beside the list, the settings (best score, names)
// and then the list are merged with what is stored now and saved. Returns
// what the player must be told; empty when all went well.
QStringList SaveOnClose(Game& game, ProgramFiles& files);

}  // namespace quimba::ui
