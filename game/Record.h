#pragma once
// The record of one game, event by event: enough to rebuild the game exactly
// (its sheet, whose turn it is, the dice on the table), to resume it after a
// close or a crash and to take back a person's misclick. The rules hand
// events to a `GameRecorder`; where they end up (a database, a test's vector)
// is the recorder's business.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "Game.h"
#include "GameState.h"
#include "Ports.h"
#include "Result.h"

namespace quimba {

// Who plays a seat: a person, or a computer at one of its two levels.
enum class SeatKind : std::uint8_t { Person = 0, Classic = 1, Expert = 2 };

struct SeatSetup {
    std::string name;
    SeatKind kind = SeatKind::Person;
    bool operator==(const SeatSetup&) const = default;
};

struct GameSetup {
    std::int64_t started = 0;      // seconds since 1970-01-01 UTC
    int type = kNormal;            // GameType
    std::vector<SeatSetup> seats;  // one per column, 2..5
    bool operator==(const GameSetup&) const = default;
};

enum class EventKind : std::uint8_t { Throw = 1, Write = 2, Undo = 3, Advice = 4, End = 5 };

// How a game stopped; a game without an End event is interrupted.
enum class GameEnd : std::uint8_t { Finished = 1, Abandoned = 2 };

struct RecordEvent {
    EventKind kind = EventKind::Throw;
    int seat = 0;  // the column that threw, wrote or asked (0-based)
    // Throw: bit i set when die i+1 stayed on the table; the five faces after it.
    std::uint8_t kept = 0;
    std::array<std::uint8_t, kDice> faces{};
    // Write: the row and the points written.
    int row = 0;
    int points = 0;
    // End: how, and for a finished game each seat's total and the seat
    // announced the winner (ties go to the lower seat).
    GameEnd end = GameEnd::Finished;
    std::array<int, kMaxPlayers> totals{};
    int winner = -1;
    bool operator==(const RecordEvent&) const = default;

    static RecordEvent Throw(int seat, std::uint8_t kept, std::array<std::uint8_t, kDice> faces) {
        return {.kind = EventKind::Throw, .seat = seat, .kept = kept, .faces = faces};
    }
    static RecordEvent Write(int seat, int row, int points) {
        return {.kind = EventKind::Write, .seat = seat, .row = row, .points = points};
    }
    static RecordEvent Undo() { return {.kind = EventKind::Undo}; }
    static RecordEvent Advice(int seat) { return {.kind = EventKind::Advice, .seat = seat}; }
    static RecordEvent End(GameEnd how, std::array<int, kMaxPlayers> totals = {}, int winner = -1) {
        return {.kind = EventKind::End, .end = how, .totals = totals, .winner = winner};
    }
};

struct GameRecord {
    GameSetup setup;
    std::vector<RecordEvent> events;  // in the order they happened, undos included
    bool operator==(const GameRecord&) const = default;
};

// Where the rules send a game's record as it happens. Each call is one
// event; an implementation must not make the caller wait on a disk for
// longer than it takes to hand the event over.
class GameRecorder {
public:
    virtual ~GameRecorder() = default;
    virtual void Begin(const GameSetup& setup) = 0;
    virtual void Append(const RecordEvent& event) = 0;
};

// Turns what the game reports into record events for a recorder. The game
// reports neither a new game nor advice asked or an undo, so whoever drives
// it (the window, the simulator) says those.
class RecordFeed : public GameObserver {
public:
    explicit RecordFeed(GameRecorder& recorder) : recorder_(recorder) {}

    // Right after the set-up. A game still in progress is recorded as
    // abandoned first; the new one is begun at its first event.
    void NewGame(const Game& g, std::int64_t started);
    // A game brought back by Resume goes on in the record it came from.
    void Resumed() { state_ = State::Live; }
    void AdviceAsked(const Game& g);
    void Undone();
    // The game in progress is given up (a closed game is only interrupted
    // and says nothing).
    void Abandoned();

    void OnThrow(const Game& g) override;
    void OnWrite(const Game& g, int column, int row) override;
    void OnEnd(const Game& g, const std::string& winner, int score) override;

private:
    void Emit(const RecordEvent& event);

    GameRecorder& recorder_;
    GameSetup setup_;
    enum class State { Idle, Waiting, Live } state_ = State::Idle;
};

// The set-up of the game just started on `g`, stamped `started`.
GameSetup SetupOf(const Game& g, std::int64_t started);

// The events that still count: every Undo removes what it takes back, and
// itself. Advice asked stays, so taking a row back never clears coaching.
std::vector<RecordEvent> Effective(const GameRecord& record);

// Whether the last person's row among `effective` (events without undos)
// may be taken back: not after the end, not once a person has thrown since.
// When it may, how many events stay: the record up to just before that row,
// so the person is back after their throw with the same dice.
enum class UndoRefusal { None, GameOver, PersonThrewSince, NothingToTakeBack };
struct UndoAnswer {
    std::size_t keep = 0;
    UndoRefusal refused = UndoRefusal::None;
    bool Ok() const { return refused == UndoRefusal::None; }
};
UndoAnswer UndoPoint(const GameSetup& setup, const std::vector<RecordEvent>& effective);

// The recorded dice, handed to the throws of a replay while armed; outside
// a throw (the faces tumbling in the animation) any face will do.
class RecordedDice : public RandomSource {
public:
    void Arm(std::vector<int> faces);
    // Faces armed but not drawn; disarms.
    std::size_t Disarm();
    void Randomize() override {}
    int Random(int n) override;

private:
    std::vector<int> faces_;
    std::size_t next_ = 0;
    bool armed_ = false;
};

// Plays the effective events of the record again on `g`, a game built over
// `dice`: a new game with its set-up, every throw (with the recorded dice and
// keeps), every row written and advice asked, then stops where the record
// stops; no die is thrown beyond it. The animation runs as in play, so the
// dice lie where they settled. Fails, leaving `g` where it stopped, when the
// record does not follow the rules (a throw out of turn, a row refused,
// points or dice that differ).
Status Replay(Game& g, RecordedDice& dice, const GameRecord& record);

// Brings `target` to where the record of an interrupted game stopped: the
// sheet, whose turn, the throw count, the dice and which are kept, the
// advice flag, each computer's level. The stored best score stays.
Status Resume(Game& target, const GameRecord& record);

// The end a record lacks when its last row was written but the program was
// killed before the end went into the file; nothing when it has one, or when
// rows remain. `like` lends the tables the computers' turns replay with.
std::optional<RecordEvent> MissingEnd(const Game& like, const GameRecord& record);

}  // namespace quimba
