// The player setup dialog's state and its buttons: players, names, person or computer, game type, the computers' level.
#include "SetupForm.h"

namespace quimba {

SetupForm::SetupForm() {
    for (int i = 1; i <= 5; ++i) {
        Edit[i] = LaidOutName(i);
        EditEnabled[i] = true;  // a person's name can be typed from the first opening
        RowVisible[i] = true;
    }
}

Level LevelFromSetting(const std::string& text) { return text == "2" ? Level::Expert : Level::Classic; }

std::string SettingOf(Level level) { return level == Level::Expert ? "2" : "1"; }

std::string SetupForm::LaidOutName(int player) { return "JO" + std::to_string(player); }

void SetupForm::FormShow(int gamePlayers) {
    nbjoueurs = gamePlayers;
    for (int i = 1; i <= 5; ++i) SetCheckBox(i, Edit[i] == kComputerName);
}

void SetupForm::SetCheckBox(int player, bool checked) {
    if (player < 1 || player > 5 || CheckBox[player] == checked) return;
    CheckBox[player] = checked;
    CheckBoxClick(player);
}

void SetupForm::FormActivate(int players) {
    Label7 = std::to_string(players);
    RowVisible[1] = RowVisible[2] = true;
    RowVisible[3] = players >= 3;
    RowVisible[4] = players >= 4;
    RowVisible[5] = players == 5;
}

void SetupForm::UpDown1Click(bool next) {
    if (next && nbjoueurs < 5) ++nbjoueurs;
    if (!next && nbjoueurs > 2) --nbjoueurs;
    FormActivate(nbjoueurs);
}

void SetupForm::CheckBoxClick(int player) {
    if (CheckBox[player]) {
        Edit[player] = kComputerName;
        EditEnabled[player] = false;
    } else {
        EditEnabled[player] = true;
        Edit[player] = LaidOutName(player);
    }
}

void SetupForm::button1Click(GameState& s, ScoreSheet& grid, MainControls& controls) {
    controls.TimerordiEnabled = false;
    controls.FrameTimerEnabled = false;
    switch (RadioButton) {
        case 2:
            s.ligneimposee = ForcedRow(kAscendant, 0);
            s.typejeu = kAscendant;
            break;
        case 3:
            s.ligneimposee = ForcedRow(kDescendant, 0);
            s.typejeu = kDescendant;
            break;
        default:
            s.ligneimposee = 1;
            s.typejeu = kNormal;
            break;
    }
    s.nbjoueurs = nbjoueurs;
    s.etapeordi = 0;
    s.niveau = Niveau;
    s.conseilpartie = false;
    closeRequested = true;
    s.tour = 0;
    s.joueur = 0;
    s.nblancers = 0;
    s.casechoisie = false;
    for (int i = 1; i <= kDice; ++i) {
        s.alancer[i] = 1;
        s.garde[i] = 0;
    }
    grid.Clear();
    controls.glassbtn5Enabled = true;
    for (int c = 0; c < kMaxPlayers; ++c)
        if (c < 2 || c < s.nbjoueurs) grid.SetCell(c, lignenoms, Edit[c + 1]);
    controls.TimerordiEnabled = grid.IsComputer(0);
}

}  // namespace quimba
