// The game record's reader: whatever events a damaged or forged games file
// hands back, the replay either refuses them with a reason or ends with a
// sheet that holds exactly the points the record says were written.
#include <cstddef>
#include <cstdint>
#include <string>

#include "FuzzCheck.h"
#include "Game.h"
#include "Language.h"
#include "Record.h"

using namespace quimba;

namespace {

struct NoClock : Clock {
    std::string DayStamp() override { return {}; }
};

// Bytes laid out as a set-up (type, seat count, each seat's kind) then events
// of eight bytes (kind, seat, kept, five faces; a write takes its row and
// points from the first two faces).
GameRecord Decode(const std::uint8_t* data, std::size_t size) {
    GameRecord record;
    std::size_t at = 0;
    auto next = [&]() -> std::uint8_t { return at < size ? data[at++] : 0; };
    record.setup.type = next() % 5;
    const int seats = next() % 7;
    for (int s = 0; s < seats; ++s)
        record.setup.seats.push_back({.name = "S" + std::to_string(s), .kind = SeatKind(next() % 4)});
    while (at < size) {
        RecordEvent e;
        e.kind = EventKind(next() % 6);
        e.seat = next() % 6;
        e.kept = next();
        for (auto& face : e.faces) face = next() % 8;
        e.row = e.faces[0] * 3 + e.faces[1] % 3;
        e.points = e.faces[1] * 5;
        e.end = GameEnd(1 + e.kept % 2);
        record.events.push_back(e);
    }
    return record;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (size > 4096) return 0;  // a game holds a few hundred events
    const GameRecord record = Decode(data, size);
    RecordedDice dice;
    NoClock clock;
    GameView view;
    Game game{dice, clock, view};
    game.T.assign(kLanguageLineCount, "");
    const Status replayed = Replay(game, dice, record);
    if (!replayed.Ok()) {
        FUZZ_CHECK(!replayed.Error().empty());
        return 0;
    }
    for (const RecordEvent& e : Effective(record))
        if (e.kind == EventKind::Write) FUZZ_CHECK(game.Grid.Cell(e.seat, e.row) == std::to_string(e.points));
    return 0;
}
