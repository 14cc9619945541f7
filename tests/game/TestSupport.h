#pragma once
// Scripted ports for driving the rules in tests.

#include <deque>
#include <map>
#include <random>
#include <sstream>
#include <stdexcept>
#include <string>
#include <vector>

#include "Game.h"

namespace quimba::testing {

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
    std::vector<Drawn> drawn;           // since the last Present
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
        for (int n = 0; n < 93; ++n) game.T.push_back("L" + std::to_string(n));
    }
};


// A reproducible stream of draws for whole games.
class SeededRandom : public RandomSource {
public:
    explicit SeededRandom(unsigned seed) : engine(seed) {}
    std::mt19937 engine;
    void Randomize() override {}
    int Random(int n) override { return std::uniform_int_distribution<int>(0, n - 1)(engine); }
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
    o << "joueur " << s.joueur << " cibleordi " << s.cibleordi << " sommedes " << s.sommedes
      << " nblancers " << s.nblancers << " meilleurscore " << s.meilleurscore << " etapeordi "
      << s.etapeordi << " nbjoueurs " << s.nbjoueurs << " tour " << s.tour << " tourfini "
      << s.tourfini << " casechoisie " << s.casechoisie << " meilleurnom '" << s.meilleurnom
      << "' ligneimposee " << s.ligneimposee << " typejeu " << s.typejeu << '\n';
    const MainControls& c = g.controls;
    o << "btn5 " << c.glassbtn5Enabled << " timerordi " << c.TimerordiEnabled << " frame "
      << c.FrameTimerEnabled << " Label23 '" << c.Label23 << "' resultext '" << c.resultext
      << "' visible " << c.resultextVisible << " Label28 '" << c.Label28 << "' cursors "
      << int(c.GridCursor) << int(c.DiceTableCursor) << '\n';
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
inline void NewGame(Game& g, const std::vector<std::string>& names, int typejeu = kNormal) {
    g.Form2.nbjoueurs = static_cast<int>(names.size());
    for (std::size_t i = 0; i < names.size(); ++i) g.Form2.Edit[i + 1] = names[i];
    g.Form2.RadioButton = typejeu;
    g.Form2.button1Click(g);
}

// Scripts one throw that gives the thrown dice these values (in die order),
// each from the start column 340 + offset, and the given frequency draw.
inline void ScriptThrowFrom(ScriptedRandom& r, const std::vector<int>& values, int offset = 0,
                            int frequencyDraw = 0) {
    for (int v : values) {
        r.script.push_back(offset);
        r.script.push_back(v - 1);
    }
    if (!values.empty()) r.script.push_back(frequencyDraw);
}

// Runs the animation to its end; false when it did not end within `limit`.
inline bool RunAnimation(Game& g, int limit = 200) {
    for (int i = 0; i < limit && g.controls.FrameTimerEnabled; ++i) g.FrameTimerTimer();
    return !g.controls.FrameTimerEnabled;
}

}  // namespace quimba::testing
