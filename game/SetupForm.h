#pragma once
// The player setup dialog: number of players, names, person or computer,
// game type. Index 1..5 is the player's row (element 0 unused).

#include <array>
#include <string>

#include "GameState.h"
#include "MainControls.h"
#include "ScoreSheet.h"

namespace quimba {

// The stored level: exactly "2" is the expert, anything else the ladder.
Level LevelFromSetting(const std::string& text);
std::string SettingOf(Level level);

class SetupForm {
public:
    SetupForm();

    std::array<std::string, 6> Edit;    // names
    std::array<bool, 6> EditEnabled{};  // off for a computer player
    std::array<bool, 6> CheckBox{};     // checked = computer player
    std::array<bool, 6> RowVisible{};   // label, name field and box of a player
    int RadioButton = 1;                // 1 Normal, 2 Ascendant, 3 Descendant
    Level Niveau = Level::Classic;      // the level of every player named "CPU"
    // The player count chosen with the arrows. It reaches the game only with
    // "Commencer": a game in progress (its computer turns go on behind the
    // dialog) must never see a count it was not started with.
    int nbjoueurs = 2;
    std::string Label7 = "2";     // shows nbjoueurs
    bool closeRequested = false;  // the dialog's modal loop ends

    static std::string LaidOutName(int player);  // "JO1" .. "JO5"

    // Takes the game's player count; sets each box from its name (a box
    // fires its click only when its state changes).
    void FormShow(int gamePlayers);
    void FormActivate(int players);
    void UpDown1Click(bool next);
    // A box that changed state (the toolkit fires only on a change).
    void CheckBoxClick(int player);
    // Sets a box the way a user click does: fires only on a change.
    void SetCheckBox(int player, bool checked);
    // "Commencer": a new game on the main window's state, sheet and controls.
    void button1Click(GameState& s, ScoreSheet& grid, MainControls& controls);
    // "retour" and the close box: the arrows' count is dropped.
    void glassbtn2Click() { closeRequested = true; }
};

}  // namespace quimba
