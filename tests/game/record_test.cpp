// The game record: played again through the rules it rebuilds the live game
// at every moment a player could have closed it; undo points.
#include <gtest/gtest.h>

#include <random>

#include "Record.h"
#include "StrategySupport.h"
#include "SystemPorts.h"
#include "TestSupport.h"

namespace quimba::testing {
namespace {

struct VectorRecorder : GameRecorder {
    GameRecord record;
    std::vector<GameRecord> earlier;  // games begun before this one
    void Begin(const GameSetup& setup) override {
        if (!record.setup.seats.empty()) earlier.push_back(record);
        record = {.setup = setup, .events = {}};
    }
    void Append(const RecordEvent& e) override { record.events.push_back(e); }
};

// What a resumed game must show: the sheet, whose turn, the dice and keeps,
// the advice flag and the computer's progress through its turn.
std::string Position(const Game& g) {
    std::ostringstream o;
    const GameState& s = g.S;
    o << "joueur " << s.joueur << " tour " << s.tour << " nblancers " << s.nblancers << " ligne " << s.ligneimposee
      << " conseil " << s.conseilpartie << " etape " << s.etapeordi << " cible " << s.cibleordi << " timer "
      << g.controls.TimerordiEnabled << " btn " << g.controls.glassbtn5Enabled << " dice";
    for (int d = 1; d <= kDice; ++d) o << ' ' << int(s.valeurde[d]) << (s.garde[d] ? "k" : "");
    for (int c = 0; c < kColumns; ++c) {
        o << "\ncol" << c << ':';
        for (int r = 0; r < kRows; ++r) o << " [" << g.Grid.Cell(c, r) << ']';
    }
    return o.str();
}

// A game played live with seeded dice: persons keep and write at random
// (asking advice now and then), computers play through their timer. Before
// every step it notes how many events were recorded and where the game was;
// dice kept after a throw are not events, so no moment falls between a keep
// and the next throw.
struct LiveGame {
    SeededRandom random;
    FixedClock clock;
    GameView view;
    Game game{random, clock, view};
    VectorRecorder recorder;
    RecordFeed feed{recorder};
    std::mt19937 person;
    std::vector<std::pair<std::size_t, std::string>> moments;

    LiveGame(unsigned seed, const std::vector<std::string>& names, int type, Level level) : random(seed), person(seed) {
        game.T.assign(kLanguageLineCount, "");
        game.strategies = &SharedStrategies();
        game.Form2.Niveau = level;
        StartGame(game, names, type);
        game.Subscribe(feed);
        feed.NewGame(game, 1765000000);
    }

    void Note() { moments.emplace_back(recorder.record.events.size(), Position(game)); }

    void PlayPerson() {
        Game& g = game;
        g.KeyThrow();
        RunAnimation(g);
        Note();
        while (g.S.nblancers < kMaxThrows && person() % 3 != 0) {
            for (int d = 1; d <= kDice; ++d)
                if (person() % 2) g.KeyDie(d);
            g.KeyThrow();
            RunAnimation(g);
            Note();
        }
        if (person() % 5 == 0) {
            g.S.conseilpartie = true;
            feed.AdviceAsked(g);
            Note();
        }
        int row = g.S.ligneimposee;
        if (g.S.typejeu == kNormal) {
            std::vector<int> free;
            for (int r : kChosenRows)
                if (g.Grid.Free(g.S.joueur, r)) free.push_back(r);
            row = free[person() % free.size()];
        }
        g.GridSelectCell(g.S.joueur, row);
    }

    void Play() {
        Game& g = game;
        for (int step = 0; step < 100000 && g.S.tour < kRounds; ++step) {
            Note();
            if (g.controls.FrameTimerEnabled)
                g.FrameTimerTimer();
            else if (g.controls.TimerordiEnabled)
                g.TimerordiTimer();
            else
                PlayPerson();
        }
    }
};

struct ReplayBench {
    RecordedDice dice;
    FixedClock clock;
    GameView view;
    Game game{dice, clock, view};
    ReplayBench() {
        game.T.assign(kLanguageLineCount, "");
        game.strategies = &SharedStrategies();
    }
};

struct RecordCase {
    const char* name;
    int type;
    std::vector<std::string> names;
    Level level;
    unsigned seed;
};

class RecordReplay : public ::testing::TestWithParam<RecordCase> {};

// The strongest form of "the record is enough": replaying the events
// recorded up to any moment rebuilds the game as it stood then, so a game
// killed at that moment resumes there; the whole record rebuilds every cell.
TEST_P(RecordReplay, EveryPrefixRebuildsTheGameAsItStoodThen) {
    const RecordCase& c = GetParam();
    LiveGame live(c.seed, c.names, c.type, c.level);
    live.Play();
    ASSERT_GE(live.game.S.tour, kRounds);
    const RecordEvent& end = live.recorder.record.events.back();
    ASSERT_EQ(end.kind, EventKind::End);
    for (int col = 0; col < live.game.S.nbjoueurs; ++col)
        EXPECT_EQ(std::to_string(end.totals[col]), live.game.Grid.Cell(col, lignetotal));

    ReplayBench whole;
    const Status done = Replay(whole.game, whole.dice, live.recorder.record);
    ASSERT_TRUE(done.Ok()) << done.Error();
    for (int col = 0; col < kColumns; ++col)
        for (int row = 0; row < kRows; ++row)
            EXPECT_EQ(whole.game.Grid.Cell(col, row), live.game.Grid.Cell(col, row))
                << "column " << col << " row " << row;

    // Moments between a computer's ticks repeat; each distinct one is checked.
    std::size_t checked = 0;
    for (std::size_t m = 0; m < live.moments.size(); ++m) {
        const auto& [count, position] = live.moments[m];
        if (m + 1 < live.moments.size() && live.moments[m + 1].first == count) continue;
        GameRecord prefix{.setup = live.recorder.record.setup,
                          .events = {live.recorder.record.events.begin(), live.recorder.record.events.begin() + count}};
        ReplayBench bench;
        const Status s = Replay(bench.game, bench.dice, prefix);
        ASSERT_TRUE(s.Ok()) << s.Error();
        ASSERT_EQ(Position(bench.game), position) << "after " << count << " events";
        ++checked;
    }
    EXPECT_GT(checked, 40u);
}

// Killed between the last row and the end: the end is found again, the same
// as the one the game recorded; a record with its end, or with rows left,
// has none missing.
TEST_P(RecordReplay, AGameKilledBeforeItsEndIsGivenTheSameEnd) {
    const RecordCase& c = GetParam();
    LiveGame live(c.seed, c.names, c.type, c.level);
    live.Play();
    GameRecord cut = live.recorder.record;
    ASSERT_EQ(cut.events.back().kind, EventKind::End);
    EXPECT_FALSE(MissingEnd(live.game, cut));
    const RecordEvent end = cut.events.back();
    cut.events.pop_back();
    const std::optional<RecordEvent> found = MissingEnd(live.game, cut);
    ASSERT_TRUE(found);
    EXPECT_EQ(*found, end);
    while (cut.events.back().kind != EventKind::Write) cut.events.pop_back();
    cut.events.pop_back();
    EXPECT_FALSE(MissingEnd(live.game, cut));
}

INSTANTIATE_TEST_SUITE_P(
    Games, RecordReplay,
    ::testing::Values(
        RecordCase{
            .name = "NormalTwoPersons", .type = kNormal, .names = {"Ana", "Bo"}, .level = Level::Classic, .seed = 1},
        RecordCase{.name = "NormalPersonAndLadders",
                   .type = kNormal,
                   .names = {"Ana", "CPU", "CPU"},
                   .level = Level::Classic,
                   .seed = 2},
        RecordCase{
            .name = "NormalExpertFirst", .type = kNormal, .names = {"CPU", "Ana"}, .level = Level::Expert, .seed = 3},
        RecordCase{.name = "AscendantMixed",
                   .type = kAscendant,
                   .names = {"CPU", "Ana", "Bo"},
                   .level = Level::Classic,
                   .seed = 4},
        RecordCase{
            .name = "AscendantExpert", .type = kAscendant, .names = {"Ana", "CPU"}, .level = Level::Expert, .seed = 5},
        RecordCase{.name = "DescendantFive",
                   .type = kDescendant,
                   .names = {"Ana", "CPU", "Bo", "CPU", "Cy"},
                   .level = Level::Classic,
                   .seed = 6},
        RecordCase{.name = "DescendantExpert",
                   .type = kDescendant,
                   .names = {"CPU", "CPU"},
                   .level = Level::Expert,
                   .seed = 7}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(RecordReplay, RefusesARecordThatBreaksTheRules) {
    const GameSetup setup{.type = kNormal, .seats = {{.name = "Ana"}, {.name = "Bo"}}};
    const RecordEvent first = RecordEvent::Throw(0, 0, {1, 1, 1, 2, 2});
    struct Case {
        const char* name;
        std::vector<RecordEvent> events;
    };
    const std::vector<Case> cases = {
        {.name = "out of turn", .events = {RecordEvent::Throw(1, 0, {1, 2, 3, 4, 5})}},
        {.name = "kept die changed", .events = {first, RecordEvent::Throw(0, 0b00001, {6, 1, 1, 2, 2})}},
        {.name = "fourth throw", .events = {first, first, first, first}},
        {.name = "points differ", .events = {first, RecordEvent::Write(0, ligne1, 2)}},
        {.name = "row taken twice",
         .events = {first, RecordEvent::Write(0, ligne1, 3), first, RecordEvent::Write(1, ligne1, 3), first,
                    RecordEvent::Write(0, ligne1, 3)}},
        {.name = "early end", .events = {first, RecordEvent::End(GameEnd::Finished)}},
    };
    for (const Case& c : cases) {
        ReplayBench bench;
        EXPECT_FALSE(Replay(bench.game, bench.dice, {.setup = setup, .events = c.events}).Ok()) << c.name;
    }
}

TEST(RecordUndo, TakesBackTheLastPersonsRowOnlyWhileNobodyThrewSince) {
    const std::array<std::uint8_t, kDice> dice{3, 3, 3, 5, 6};
    const RecordEvent t0 = RecordEvent::Throw(0, 0, dice), t1 = RecordEvent::Throw(1, 0, dice);
    const RecordEvent w0 = RecordEvent::Write(0, ligne3, 9), w1 = RecordEvent::Write(1, ligne3, 9);
    const GameSetup persons{.type = kNormal, .seats = {{.name = "Ana"}, {.name = "Bo"}}};
    const GameSetup withComputer{.type = kNormal,
                                 .seats = {{.name = "Ana"}, {.name = "CPU", .kind = SeatKind::Classic}}};
    struct Case {
        const char* name;
        GameSetup setup;
        std::vector<RecordEvent> events;
        int point;  // events that stay; -1 refused
        UndoRefusal refused = UndoRefusal::None;
    };
    const std::vector<Case> cases = {
        {.name = "row just written", .setup = persons, .events = {t0, w0}, .point = 1},
        {.name = "advice before the row stays",
         .setup = persons,
         .events = {t0, RecordEvent::Advice(0), w0},
         .point = 2},
        {.name = "the computer's turn goes with it", .setup = withComputer, .events = {t0, w0, t1, w1}, .point = 1},
        {.name = "second person threw since",
         .setup = persons,
         .events = {t0, w0, t1},
         .point = -1,
         .refused = UndoRefusal::PersonThrewSince},
        {.name = "nothing written yet",
         .setup = persons,
         .events = {t0},
         .point = -1,
         .refused = UndoRefusal::NothingToTakeBack},
        {.name = "after the end",
         .setup = persons,
         .events = {t0, w0, RecordEvent::End(GameEnd::Finished)},
         .point = -1,
         .refused = UndoRefusal::GameOver},
    };
    for (const Case& c : cases) {
        const UndoAnswer p = UndoPoint(c.setup, c.events);
        EXPECT_EQ(p.Ok() ? static_cast<int>(p.keep) : -1, c.point) << c.name;
        EXPECT_EQ(p.refused, c.refused) << c.name;
    }
}

TEST(RecordUndo, PutsThePersonBackAfterTheThrowWithTheSameDiceAndKeepsTheAdvice) {
    LiveGame live(11, {"Ana", "Bo"}, kNormal, Level::Classic);
    Game& g = live.game;
    g.KeyThrow();
    RunAnimation(g);
    g.S.conseilpartie = true;
    live.feed.AdviceAsked(g);
    const std::string afterThrow = Position(g);
    g.KeyCursor(+1);
    g.KeyEnter();
    ASSERT_EQ(g.S.joueur, 1);
    live.feed.Undone();
    // A second undo has nothing left to take back and changes nothing.
    live.feed.Undone();

    ReplayBench bench;
    ASSERT_TRUE(Replay(bench.game, bench.dice, live.recorder.record).Ok());
    EXPECT_EQ(Position(bench.game), afterThrow);
    EXPECT_EQ(Effective(live.recorder.record).size(), 2u);
}

TEST(RecordFeed, ANewGameOverOneInProgressRecordsItAbandonedAndAnUntouchedOneNotAtAll) {
    LiveGame live(13, {"Ana", "Bo"}, kNormal, Level::Classic);
    Game& g = live.game;
    live.PlayPerson();
    live.feed.NewGame(g, 1765000100);  // the first game had a row: abandoned
    live.feed.NewGame(g, 1765000200);  // the second had nothing: forgotten
    g.KeyThrow();
    const GameRecord& r = live.recorder.record;
    EXPECT_EQ(r.setup.started, 1765000200);
    ASSERT_EQ(r.events.size(), 1u);
    EXPECT_EQ(r.events[0].kind, EventKind::Throw);
    ASSERT_EQ(live.recorder.earlier.size(), 1u);
    EXPECT_EQ(live.recorder.earlier[0].events.back(), RecordEvent::End(GameEnd::Abandoned));
}

TEST(RecordResume, BringsAnInterruptedGameIntoAnotherGameKeepingItsBestScore) {
    LiveGame live(12, {"Ana", "CPU"}, kDescendant, Level::Expert);
    live.PlayPerson();
    for (int i = 0; i < 3 && live.game.controls.TimerordiEnabled; ++i) {
        RunAnimation(live.game);
        live.game.TimerordiTimer();
    }
    const std::string where = Position(live.game);

    Harness target;
    target.game.T.assign(kLanguageLineCount, "");
    target.game.S.meilleurscore = 250;
    target.game.controls.Label28 = "Zed 250";
    const Status s = Resume(target.game, live.recorder.record);
    ASSERT_TRUE(s.Ok()) << s.Error();
    EXPECT_EQ(Position(target.game), where);
    EXPECT_EQ(target.game.S.meilleurscore, 250);
    EXPECT_EQ(target.game.controls.Label28, "Zed 250");
    EXPECT_TRUE(target.game.Expert(1));
}

}  // namespace
}  // namespace quimba::testing
