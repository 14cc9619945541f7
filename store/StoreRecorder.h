#pragma once
// The recorder the window and the simulator hand their games to: each event
// goes to the games file in a transaction of its own; an event that could not
// be written (a full disk, a busy file) waits and goes with the next one, and
// the player hears of a fault once, not at every event.

#include <cstdint>
#include <functional>
#include <optional>
#include <string>

#include "PartyStore.h"
#include "Record.h"

namespace quimba::store {

class StoreRecorder : public GameRecorder {
public:
    // `tell` receives each notice for the player (in the caller's thread).
    StoreRecorder(PartyStore& store, Origin origin, std::function<void(const StoreNotice&)> tell);

    void Begin(const GameSetup& setup) override;
    void Append(const RecordEvent& event) override;
    // Goes on recording a game already in the file (a resumed game).
    void Continue(std::int64_t id, const GameRecord& record);

    // The game being recorded, every event included, stored or not.
    const GameRecord& Current() const { return current_; }
    std::optional<std::int64_t> GameId() const { return id_; }
    // Events of the current game not yet in the file.
    std::size_t Pending() const { return current_.events.size() - stored_; }

private:
    void Flush();
    void Tell(const StoreNotice& notice);

    PartyStore& store_;
    Origin origin_;
    std::function<void(const StoreNotice&)> tell_;
    GameRecord current_;
    std::optional<std::int64_t> id_;
    std::size_t stored_ = 0;
    bool toldOpen_ = false;
    bool toldFault_ = false;  // until a write succeeds again
    bool retrying_ = false;
};

// For the simulator: a whole game in one transaction once it has ended, so
// 100,000 games take seconds, not minutes. A game cut short is not written.
class WholeGameRecorder : public GameRecorder {
public:
    WholeGameRecorder(PartyStore& store, Origin origin) : store_(store), origin_(origin) {}
    void Begin(const GameSetup& setup) override { current_ = {.setup = setup, .events = {}}; }
    void Append(const RecordEvent& event) override;
    // The first failure, empty while every game was written.
    const std::string& Error() const { return error_; }
    long Written() const { return written_; }

private:
    PartyStore& store_;
    Origin origin_;
    GameRecord current_;
    std::string error_;
    long written_ = 0;
};

}  // namespace quimba::store
