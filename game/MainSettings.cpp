// What the main window keeps between runs: the best score, its holder and
// the five names of the setup dialog, in the per-user settings store.
#include <string>

#include "Game.h"

namespace quimba {

void Game::FormShow(SettingsStore& store) {
    const std::string highscore = store.Read("HIGHSCORE").value_or("0");
    S.meilleurnom = store.Read("NOM").value_or("");
    for (int i = 1; i <= 5; ++i)
        Form2.Edit[i] = store.Read("NOM" + std::to_string(i)).value_or("PLA" + std::to_string(i));
    if (!highscore.empty()) {
        // A stored text that is not a number counts as no best score; the
        // line still shows it as it was read.
        int value = 0;
        S.meilleurscore = ParseInt32(highscore, value) ? value : 0;
    }
    S.joueur = 0;
    S.nbjoueurs = 2;
    controls.Label28 = S.meilleurnom + " " + highscore;
    shown_ = true;
}

void Game::FormClose(SettingsStore& store) {
    if (!shown_) return;
    store.Write("HIGHSCORE", std::to_string(S.meilleurscore));
    store.Write("NOM", S.meilleurnom);
    for (int i = 1; i <= 5; ++i) store.Write("NOM" + std::to_string(i), Form2.Edit[i]);
}

}  // namespace quimba
