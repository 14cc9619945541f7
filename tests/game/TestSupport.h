#pragma once
// Driving the rules in tests: scripted ports, a game over them, starting a
// game, scripting throws, laying dice and recording what the game reports.

#include <array>
#include <deque>
#include <initializer_list>
#include <map>
#include <ostream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "DiceAnalysis.h"
#include "Game.h"
#include "Language.h"

namespace quimba::testing {

// The six number rows, as the written rows of a table's case.
inline const std::vector<int> kNumbers{1, 2, 3, 4, 5, 6};

// Hands out the scripted numbers in order; running dry is a test failure,
// not a silent default.
class ScriptedRandom : public RandomSource {
public:
    std::deque<int> script;
    std::vector<int> asked;  // the n of every Random(n) call, in order
    int randomizes = 0;
    // Numbers once the script is empty: a fixed value, or an error (-1).
    int fallback = -1;

    void Randomize() override { ++randomizes; }
    int Random(int n) override {
        asked.push_back(n);
        int v = fallback;
        if (!script.empty()) {
            v = script.front();
            script.pop_front();
        }
        if (v < 0) throw std::runtime_error("random script ran dry");
        if (v >= n) throw std::runtime_error("scripted value out of range");
        return v;
    }
};

class FixedClock : public Clock {
public:
    std::string stamp = "08/12/2026 16:00";
    std::string DayStamp() override { return stamp; }
};

struct Drawn {
    int picture, x, y;
    bool operator==(const Drawn&) const = default;
};

class RecordingView : public GameView {
public:
    std::vector<std::pair<int, int>> frequencies;  // (sound, hertz)
    std::vector<int> sounds;
    std::vector<Drawn> drawn;  // since the last Present
    std::vector<std::vector<Drawn>> presented;
    int gridRepaints = 0;
    int mainRepaints = 0;

    void SetSoundFrequency(int sound, int hertz) override { frequencies.emplace_back(sound, hertz); }
    void PlaySound(int sound) override { sounds.push_back(sound); }
    void DrawPicture(int picture, int x, int y) override { drawn.push_back({picture, x, y}); }
    void Present() override {
        presented.push_back(drawn);
        drawn.clear();
    }
    void RepaintGrid() override { ++gridRepaints; }
    void RepaintMain() override { ++mainRepaints; }
};

class MemoryStore : public SettingsStore {
public:
    std::map<std::string, std::string> values;
    std::vector<std::string> writes;  // keys in write order
    std::vector<std::string> reads;   // keys in read order
    std::optional<std::string> Read(const std::string& key) override {
        reads.push_back(key);
        auto it = values.find(key);
        if (it == values.end()) return std::nullopt;
        return it->second;
    }
    void Write(const std::string& key, const std::string& value) override {
        writes.push_back(key);
        values[key] = value;
    }
};

// A game with scripted ports, the shipped language lines replaced by
// "L<n>" so that compositions can be checked line by line.
struct Harness {
    ScriptedRandom random;
    FixedClock clock;
    RecordingView view;
    Game game{random, clock, view};

    Harness() {
        for (int n = 0; n < quimba::kLanguageLineCount; ++n) game.T.push_back("L" + std::to_string(n));
    }
};

// Everything a handler can change, as one text, so that "nothing changed"
// is a single comparison with a readable difference.
inline std::string Snapshot(const Game& g) {
    std::ostringstream o;
    const GameState& s = g.S;
    auto dice = [&](const char* name, const auto& a) {
        o << name << ':';
        for (std::size_t i = 0; i < a.size(); ++i) o << ' ' << int(a[i]);
        o << '\n';
    };
    dice("valeurde", s.valeurde);
    dice("roule", s.roule);
    dice("nbface", s.nbface);
    dice("figure", s.figure);
    dice("sommeface", s.sommeface);
    dice("posx", s.posx);
    dice("posy", s.posy);
    dice("alancer", s.alancer);
    dice("garde", s.garde);
    o << "joueur " << s.joueur << " cibleordi " << s.cibleordi << " sommedes " << s.sommedes << " nblancers "
      << s.nblancers << " meilleurscore " << s.meilleurscore << " etapeordi " << s.etapeordi << " nbjoueurs "
      << s.nbjoueurs << " tour " << s.tour << " tourfini " << s.tourfini << " casechoisie " << s.casechoisie
      << " meilleurnom '" << s.meilleurnom << "' ligneimposee " << s.ligneimposee << " typejeu " << s.typejeu << '\n';
    const MainControls& c = g.controls;
    o << "btn5 " << c.glassbtn5Enabled << " timerordi " << c.TimerordiEnabled << " frame " << c.FrameTimerEnabled
      << " Label23 '" << c.Label23 << "' resultext '" << c.resultext << "' visible " << c.resultextVisible
      << " Label28 '" << c.Label28 << "' cursors " << int(c.GridCursor) << int(c.DiceTableCursor) << '\n';
    for (int col = 0; col < kColumns; ++col) {
        o << "col" << col << ':';
        for (int row = 0; row < kRows; ++row) o << " [" << g.Grid.Cell(col, row) << ']';
        o << '\n';
    }
    o << "list " << g.ListBoxScore.Items().size() << '\n';
    return o.str();
}

// Starts a game through the setup dialog's start command; "CPU" marks a
// computer player.
inline void StartGame(Game& g, const std::vector<std::string>& names, int typejeu = kNormal) {
    g.Form2.nbjoueurs = static_cast<int>(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) g.Form2.Edit[i + 1] = names[i];
    g.Form2.RadioButton = typejeu;
    g.NewGame();
}

// Scripts one throw that gives the thrown dice these values (in die order),
// each from the start column 340 + offset, and the given frequency draw.
inline void ScriptThrow(ScriptedRandom& r, const std::vector<int>& values, int offset = 0, int frequencyDraw = 0) {
    for (int v : values) {
        r.script.push_back(offset);
        r.script.push_back(v - 1);
    }
    if (!values.empty()) r.script.push_back(frequencyDraw);
}

using Dice = std::array<int, kDice>;

// The dice on the table, in die order.
inline Dice DiceOf(const Game& g) {
    Dice d{};
    for (int i = 0; i < kDice; ++i) d[i] = g.S.valeurde[i + 1];
    return d;
}

// Puts the dice on the table together with the analysis a throw leaves
// behind, without going through the throw itself.
inline void LayDice(Game& game, const Dice& dice) {
    GameState& s = game.S;
    for (int i = 0; i < kDice; ++i) s.valeurde[i + 1] = static_cast<std::uint8_t>(dice[i]);
    const DiceAnalysis a = AnalyseDice(s.valeurde, game.T);
    s.nbface = a.nbface;
    s.sommeface = a.sommeface;
    s.sommedes = a.sommedes;
    s.figure[s.joueur] = a.figure;
}

// Fills cells of a column with a score.
inline void Fill(Game& game, int column, std::initializer_list<int> rows, const std::string& text = "1") {
    for (int r : rows) game.Grid.SetCell(column, r, text);
}

// What the game tells its observer: every chosen row written (with the dice
// it was written from), and the throws, tallies and game ends.
struct RecordingObserver : GameObserver {
    struct Write {
        int column, row;
        std::string text;
        bool operator==(const Write&) const = default;
    };
    std::vector<Write> writes;
    std::vector<Dice> writtenFrom;  // the dice of each write, same order
    int throws = 0;
    int tallies = 0;
    int ends = 0;
    std::string winner;
    int score = -1;

    void OnThrow(const Game&) override { ++throws; }
    void OnWrite(const Game& g, int column, int row) override {
        writes.push_back({column, row, g.Grid.Cell(column, row)});
        writtenFrom.push_back(DiceOf(g));
    }
    void OnTally(const Game&, int) override { ++tallies; }
    void OnEnd(const Game&, const std::string& w, int s) override {
        ++ends;
        winner = w;
        score = s;
    }
    // The rows of one column in the order they were written.
    std::vector<int> RowsOf(int column) const {
        std::vector<int> rows;
        for (const Write& w : writes)
            if (w.column == column) rows.push_back(w.row);
        return rows;
    }
};

inline std::ostream& operator<<(std::ostream& os, const RecordingObserver::Write& w) {
    return os << "{col " << w.column << ", row " << w.row << ", \"" << w.text << "\"}";
}

// Runs the animation to its end; false when it did not end within `limit`.
inline bool RunAnimation(Game& g, int limit = 200) {
    for (int i = 0; i < limit && g.controls.FrameTimerEnabled; ++i) g.FrameTimerTimer();
    return !g.controls.FrameTimerEnabled;
}

}  // namespace quimba::testing
