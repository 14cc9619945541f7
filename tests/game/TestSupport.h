#pragma once
// Scripted ports for driving the rules in tests.

#include <deque>
#include <map>
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

}  // namespace quimba::testing
