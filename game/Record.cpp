// A game's record played again through the rules: the set-up, the undos
// taken out, the recorded dice fed to the throws, resume and undo points.
#include "Record.h"

#include <algorithm>

#include "Game.h"

namespace quimba {

namespace {

// Frames enough for any throw to settle; the slowest die needs about 60.
constexpr int kMaxSettleFrames = 1000;

bool IsPerson(const GameSetup& setup, int seat) {
    return seat >= 0 && seat < static_cast<int>(setup.seats.size()) && setup.seats[seat].kind == SeatKind::Person;
}

bool IsChosen(int row) { return std::find(kChosenRows.begin(), kChosenRows.end(), row) != kChosenRows.end(); }

std::optional<Level> LevelOf(SeatKind kind) {
    switch (kind) {
        case SeatKind::Classic: return Level::Classic;
        case SeatKind::Expert: return Level::Expert;
        default: return std::nullopt;
    }
}

Status Fail(std::size_t index, const std::string& why) {
    return Status::Failure("event " + std::to_string(index + 1) + ": " + why);
}

// Runs the roll animation to its end, as the window's frame timer does.
void Settle(Game& g) {
    for (int frame = 0; frame < kMaxSettleFrames && g.controls.FrameTimerEnabled; ++frame) g.FrameTimerTimer();
}

// The ladder picks the face it collects right before its second throw and
// keeps collecting it; a resumed computer turn must go on with that face. A
// forced number row is its own face; a straight or a sum row has none;
// otherwise every die it kept shows that face.
int CollectedFace(const GameState& s, const ScoreSheet& sheet) {
    if (s.nblancers < 2) return 0;
    const int forced = s.ligneimposee;
    if (s.typejeu != kNormal && forced >= ligne1 && forced <= ligne6) return forced;
    if (s.typejeu != kNormal && (forced == lignesuite || forced == ligneplus || forced == lignemoins)) return 0;
    if (s.typejeu == kNormal && s.tour == kRounds - 1 && sheet.Free(s.joueur, lignesuite)) return 0;
    int face = 0;
    for (int i = 1; i <= kDice; ++i) {
        if (s.garde[i] != 1) continue;
        if (face != 0 && s.valeurde[i] != face) return 0;
        face = s.valeurde[i];
    }
    return face;
}

}  // namespace

GameSetup SetupOf(const Game& g, std::int64_t started) {
    GameSetup setup{.started = started, .type = g.S.typejeu, .seats = {}};
    for (int c = 0; c < g.S.nbjoueurs && c < kColumns; ++c) {
        SeatKind kind = SeatKind::Person;
        if (g.Grid.IsComputer(c)) kind = g.LevelOf(c) == Level::Expert ? SeatKind::Expert : SeatKind::Classic;
        setup.seats.push_back({.name = g.Grid.Cell(c, lignenoms), .kind = kind});
    }
    return setup;
}

UndoAnswer UndoPoint(const GameSetup& setup, const std::vector<RecordEvent>& effective) {
    for (std::size_t i = effective.size(); i-- > 0;) {
        const RecordEvent& e = effective[i];
        if (e.kind == EventKind::End) return {.refused = UndoRefusal::GameOver};
        if (!IsPerson(setup, e.seat)) continue;
        if (e.kind == EventKind::Throw) {
            // Before anyone's first row, there is simply nothing to take back.
            const bool anyRow = std::any_of(effective.begin(), effective.begin() + static_cast<std::ptrdiff_t>(i),
                                            [&](const RecordEvent& w) { return w.kind == EventKind::Write; });
            return {.refused = anyRow ? UndoRefusal::PersonThrewSince : UndoRefusal::NothingToTakeBack};
        }
        if (e.kind == EventKind::Write) return {.keep = i};
    }
    return {.refused = UndoRefusal::NothingToTakeBack};
}

std::vector<RecordEvent> Effective(const GameRecord& record) {
    std::vector<RecordEvent> out;
    for (const RecordEvent& e : record.events) {
        if (e.kind != EventKind::Undo) {
            out.push_back(e);
            continue;
        }
        const UndoAnswer point = UndoPoint(record.setup, out);
        if (!point.Ok()) continue;  // a refused undo changes nothing
        // Advice asked in what is taken back still marks the game coached.
        std::vector<RecordEvent> advice;
        for (std::size_t i = point.keep; i < out.size(); ++i)
            if (out[i].kind == EventKind::Advice) advice.push_back(out[i]);
        out.resize(point.keep);
        out.insert(out.end(), advice.begin(), advice.end());
    }
    return out;
}

void RecordedDice::Arm(std::vector<int> faces) {
    faces_ = std::move(faces);
    next_ = 0;
    armed_ = true;
}

std::size_t RecordedDice::Disarm() {
    armed_ = false;
    return faces_.size() - std::min(next_, faces_.size());
}

int RecordedDice::Random(int n) {
    // Faces are drawn as Random(6); the start places and the sound take
    // whatever comes, so the first value serves.
    if (armed_ && n == kFaces && next_ < faces_.size()) return faces_[next_++] - 1;
    return 0;
}

Status Replay(Game& g, RecordedDice& dice, const GameRecord& record) {
    const GameSetup& setup = record.setup;
    const int players = static_cast<int>(setup.seats.size());
    if (players < 2 || players > kMaxPlayers)
        return Status::Failure("the record has " + std::to_string(players) + " seats");
    if (setup.type < kNormal || setup.type > kDescendant) return Status::Failure("unknown game type");

    bool anyExpert = false;
    g.Form2.nbjoueurs = players;
    g.seatLevels = {};
    for (int c = 0; c < players; ++c) {
        const SeatSetup& seat = setup.seats[c];
        // The sheet tells computers by their name; a record that disagrees
        // could not be played again.
        if ((seat.name == kComputerName) != (seat.kind != SeatKind::Person))
            return Status::Failure("seat " + std::to_string(c + 1) + ": name and kind disagree");
        g.Form2.Edit[c + 1] = seat.name;
        g.seatLevels[c] = LevelOf(seat.kind);
        anyExpert = anyExpert || seat.kind == SeatKind::Expert;
    }
    g.Form2.RadioButton = setup.type;
    g.Form2.Niveau = anyExpert ? Level::Expert : Level::Classic;
    g.NewGame();

    GameState& s = g.S;
    const std::vector<RecordEvent> events = Effective(record);
    for (std::size_t i = 0; i < events.size(); ++i) {
        const RecordEvent& e = events[i];
        const bool over = s.tour >= kRounds;
        if (e.kind == EventKind::End) {
            if (e.end == GameEnd::Finished && !over) return Fail(i, "the game ends before its last round");
            if (i + 1 != events.size()) return Fail(i, "events after the end");
            break;
        }
        if (e.kind == EventKind::Advice) {
            s.conseilpartie = true;
            continue;
        }
        if (over) return Fail(i, "the game is already over");
        if (e.seat != s.joueur) return Fail(i, "seat " + std::to_string(e.seat + 1) + " plays out of turn");
        const bool computer = g.Grid.IsComputer(s.joueur);

        if (e.kind == EventKind::Throw) {
            if (s.nblancers >= kMaxThrows) return Fail(i, "a fourth throw");
            if (s.nblancers == 0 && e.kept != 0) return Fail(i, "dice kept before the first throw");
            std::vector<int> faces;
            for (int d = 1; d <= kDice; ++d) {
                const bool kept = (e.kept >> (d - 1)) & 1;
                if (kept && e.faces[d - 1] != s.valeurde[d]) return Fail(i, "a kept die changed its face");
                if (e.faces[d - 1] < 1 || e.faces[d - 1] > kFaces) return Fail(i, "a face out of 1..6");
                s.garde[d] = kept ? 1 : 0;
                s.alancer[d] = kept ? 0 : 1;
                if (!kept) faces.push_back(e.faces[d - 1]);
            }
            // A computer throws on the step of its turn that bears the
            // throw's number, starting from no target face.
            if (computer) {
                if (s.nblancers == 0) s.cibleordi = 0;
                s.etapeordi = s.nblancers + 1;
            }
            dice.Arm(std::move(faces));
            g.Button1Click();
            if (dice.Disarm() != 0) return Fail(i, "the throw did not draw every recorded die");
            for (int d = 1; d <= kDice; ++d)
                if (s.valeurde[d] != e.faces[d - 1]) return Fail(i, "the dice differ from the record");
            Settle(g);
            if (computer && !g.Expert(s.joueur)) s.cibleordi = CollectedFace(s, g.Grid);
            continue;
        }

        // A row written.
        if (s.nblancers < 1) return Fail(i, "a row written before any throw");
        if (!IsChosen(e.row) || !g.Grid.Free(s.joueur, e.row))
            return Fail(i, "row " + std::to_string(e.row) + " cannot be written");
        if (s.typejeu != kNormal && e.row != s.ligneimposee) return Fail(i, "not the forced row");
        const int column = s.joueur;
        if (computer) {
            // The computer's choice is taken as recorded, so a record
            // outlives a change in how the computer plays.
            g.WriteCell(e.row, std::to_string(e.points));
            s.casechoisie = true;
            g.compteordi();
        } else {
            g.GridSelectCell(column, e.row);
            if (g.Grid.Free(column, e.row)) return Fail(i, "the row was refused");
        }
        if (g.Grid.Cell(column, e.row) != std::to_string(e.points)) return Fail(i, "the points differ from the record");
    }
    return Status{Done{}};
}

namespace {
// A game of its own for a replay: the recorded dice, no sound, no picture.
// A game of its own to replay into, with the tables and strategies of `like`.
struct ReplayBench {
    explicit ReplayBench(const Game& like) {
        game.T = like.T;
        game.strategies = like.strategies;
    }
    RecordedDice dice;
    class : public Clock {
        std::string DayStamp() override { return {}; }
    } clock;
    GameView view;
    Game game{dice, clock, view};
};
}  // namespace

// The end of a finished game as the record keeps it: each column's total and
// the winner, ties to the lower column.
RecordEvent EndOf(const Game& g) {
    std::array<int, kMaxPlayers> totals{};
    int winner = -1;
    for (int c = 0; c < g.S.nbjoueurs && c < kMaxPlayers; ++c) {
        totals[c] = g.Grid.Value(c, lignetotal);
        if (winner < 0 || totals[c] > totals[winner]) winner = c;
    }
    return RecordEvent::End(GameEnd::Finished, totals, winner);
}

std::optional<RecordEvent> MissingEnd(const Game& like, const GameRecord& record) {
    for (const RecordEvent& e : record.events)
        if (e.kind == EventKind::End) return std::nullopt;
    ReplayBench bench(like);
    if (!Replay(bench.game, bench.dice, record).Ok() || bench.game.S.tour < kRounds) return std::nullopt;
    return EndOf(bench.game);
}

Status Resume(Game& target, const GameRecord& record) {
    ReplayBench bench(target);
    const Status replayed = Replay(bench.game, bench.dice, record);
    if (!replayed.Ok()) return replayed;
    const Game& from = bench.game;
    if (from.S.tour >= kRounds) return Status::Failure("the game is over");

    // What the game knows beyond this game stays: the best score and its line.
    GameState state = from.S;
    state.meilleurscore = target.S.meilleurscore;
    state.meilleurnom = target.S.meilleurnom;
    target.S = state;
    target.Grid = from.Grid;
    const std::string bestLine = target.controls.Label28;
    target.controls = from.controls;
    target.controls.Label28 = bestLine;
    target.seatLevels = from.seatLevels;
    target.Form2.nbjoueurs = from.Form2.nbjoueurs;
    target.Form2.RadioButton = from.Form2.RadioButton;
    target.Form2.Niveau = from.Form2.Niveau;
    for (int c = 1; c <= from.S.nbjoueurs; ++c) target.Form2.Edit[c] = from.Form2.Edit[c];
    return replayed;
}

void RecordFeed::NewGame(const Game& g, std::int64_t started) {
    // A game left in progress for a new one is abandoned; it stays in the
    // history.
    Abandoned();
    setup_ = SetupOf(g, started);
    state_ = State::Waiting;
}

void RecordFeed::Emit(const RecordEvent& event) {
    if (state_ == State::Idle) return;
    // A game is begun in the record at its first event, so set-ups left
    // before any throw leave nothing behind.
    if (state_ == State::Waiting) recorder_.Begin(setup_);
    state_ = State::Live;
    recorder_.Append(event);
}

void RecordFeed::AdviceAsked(const Game& g) { Emit(RecordEvent::Advice(g.S.joueur)); }

void RecordFeed::Undone() { Emit(RecordEvent::Undo()); }

void RecordFeed::Abandoned() {
    if (state_ == State::Live) recorder_.Append(RecordEvent::End(GameEnd::Abandoned));
    state_ = State::Idle;
}

void RecordFeed::OnThrow(const Game& g) {
    // The throw leaves alancer as it found it: 0 marks a die that stayed.
    std::uint8_t kept = 0;
    std::array<std::uint8_t, kDice> faces{};
    for (int d = 1; d <= kDice; ++d) {
        if (g.S.alancer[d] == 0) kept |= static_cast<std::uint8_t>(1 << (d - 1));
        faces[d - 1] = g.S.valeurde[d];
    }
    Emit(RecordEvent::Throw(g.S.joueur, kept, faces));
}

void RecordFeed::OnWrite(const Game& g, int column, int row) {
    Emit(RecordEvent::Write(column, row, g.Grid.Value(column, row)));
}

void RecordFeed::OnEnd(const Game& g, const std::string&, int) {
    Emit(EndOf(g));
    state_ = State::Idle;
}

}  // namespace quimba
