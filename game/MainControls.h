#pragma once
// The state of the main window's controls that the rules change. The window
// mirrors it after every call into the game.

#include <string>

namespace quimba {

enum class Cursor { Arrow, Hand };

struct MainControls {
    bool glassbtn5Enabled = false;   // the roll button, disabled as laid out
    bool TimerordiEnabled = false;   // the computer player's 500 ms timer
    bool FrameTimerEnabled = false;  // the 15 ms animation timer
    std::string Label23 = "...";     // status line
    std::string resultext;           // result line
    bool resultextVisible = true;
    std::string Label28 = "000";  // best score line
    Cursor GridCursor = Cursor::Hand;
    Cursor DiceTableCursor = Cursor::Arrow;
};

}  // namespace quimba
