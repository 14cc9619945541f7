// What the main window keeps between runs: the best score, its holder and
// the five names of the setup dialog, in the per-user settings store.
#include <limits>
#include <string>

#include "Game.h"

namespace quimba {

namespace {

// The number a stored best score spells. One too large for 32 bits counts
// as the largest that fits, so that no game can wrongly beat it.
int HighscoreValue(const std::string& text) {
    int value = 0;
    if (ParseInt32(text, value)) return value;
    std::size_t i = (!text.empty() && (text[0] == '-' || text[0] == '+')) ? 1 : 0;
    if (i == text.size()) return 0;
    for (std::size_t k = i; k < text.size(); ++k)
        if (text[k] < '0' || text[k] > '9') return 0;
    return text[0] == '-' ? std::numeric_limits<int>::min() : std::numeric_limits<int>::max();
}

}  // namespace

void Game::FormShow(SettingsStore& store) {
    const std::string highscore = store.Read("HIGHSCORE").value_or("0");
    S.meilleurnom = store.Read("NOM").value_or("");
    for (int i = 1; i <= 5; ++i)
        Form2.Edit[i] = store.Read("NOM" + std::to_string(i)).value_or("PLA" + std::to_string(i));
    Form2.Niveau = LevelFromSetting(store.Read("NIVEAU").value_or("1"));
    if (!highscore.empty()) {
        // A stored text that is not a number counts as no best score; the
        // line still shows it as it was read.
        S.meilleurscore = HighscoreValue(highscore);
    }
    highscoreText_ = highscore;
    highscoreValue_ = S.meilleurscore;
    S.joueur = 0;
    S.nbjoueurs = 2;
    controls.Label28 = S.meilleurnom + " " + highscore;
    shown_ = true;
}

void Game::FormClose(SettingsStore& store) {
    if (!shown_) return;
    // What is stored stays stored, down to its spelling, until beaten; it is
    // read again, since another copy of the game may have stored a better
    // score meanwhile, and the best score never goes down.
    const std::string storedNow = store.Read("HIGHSCORE").value_or(highscoreText_);
    const std::string holderNow = store.Read("NOM").value_or(S.meilleurnom);
    const bool beaten = S.meilleurscore != highscoreValue_ && S.meilleurscore > HighscoreValue(storedNow);
    store.Write("HIGHSCORE", beaten ? std::to_string(S.meilleurscore) : storedNow);
    store.Write("NOM", beaten ? S.meilleurnom : holderNow);
    for (int i = 1; i <= 5; ++i) store.Write("NOM" + std::to_string(i), Form2.Edit[i]);
    store.Write("NIVEAU", SettingOf(Form2.Niveau));
}

}  // namespace quimba
