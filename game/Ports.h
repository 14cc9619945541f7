#pragma once
// What the rules need from the world around them. The windows implement
// these over Qt; tests and the simulator script them.

#include <optional>
#include <string>

namespace quimba {

class RandomSource {
public:
    virtual ~RandomSource() = default;
    // Reseeds from the clock; a scripted source may ignore it.
    virtual void Randomize() = 0;
    // A uniform integer in 0..n-1.
    virtual int Random(int n) = 0;
};

class Clock {
public:
    virtual ~Clock() = default;
    // The stamp of the day written into a best-scores entry; no line break.
    virtual std::string DayStamp() = 0;
};

class SettingsStore {
public:
    virtual ~SettingsStore() = default;
    virtual std::optional<std::string> Read(const std::string& key) = 0;
    virtual void Write(const std::string& key, const std::string& value) = 0;
};

// Pictures of the dice table, by number in the picture list.
enum Picture : int {
    kBoard = 0,  // pictures 1..6 are the die faces
    kKeepMark = 7,
    kBorder = 8,
};

// Sounds of the sound list.
enum Sound : int {
    kThrowSound = 0,
    kTallySound = 1,
};

// What the handlers do to the screen and the speakers. Every call is a
// request; nothing is returned. The default does nothing, which is what the
// simulator wants.
class GameView {
public:
    virtual ~GameView() = default;
    virtual void SetSoundFrequency(int /*sound*/, int /*hertz*/) {}
    virtual void PlaySound(int /*sound*/) {}
    // Draws one picture on the dice table's off-screen surface.
    virtual void DrawPicture(int /*picture*/, int /*x*/, int /*y*/) {}
    // Shows the off-screen surface.
    virtual void Present() {}
    virtual void RepaintGrid() {}
    virtual void RepaintMain() {}
};

class StrategyTable;

// Where an expert computer and the advice get their table; nullptr while it
// is not ready.
class StrategySource {
public:
    virtual ~StrategySource() = default;
    virtual const StrategyTable* Table(int typejeu) = 0;
};

}  // namespace quimba
