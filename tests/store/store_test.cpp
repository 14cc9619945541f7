// The games file: what goes in comes back whole, the history's figures, the
// upgrade of an older file, and every fault leaving nothing committed lost.
#include <gtest/gtest.h>
#include <signal.h>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>

#include "BackgroundRecorder.h"
#include "Language.h"
#include "PartyStore.h"
#include "Simulator.h"
#include "StoreRecorder.h"

namespace quimba::store {
namespace {

namespace fs = std::filesystem;

// A fresh folder per test, removed afterwards.
struct Folder {
    fs::path path;
    Folder() {
        path = fs::temp_directory_path() /
               ("quimba-store-" + std::to_string(::getpid()) + "-" + std::to_string(std::random_device{}()));
        fs::create_directories(path);
    }
    ~Folder() {
        std::error_code ec;
        fs::permissions(path, fs::perms::owner_all, ec);
        fs::remove_all(path, ec);
    }
    std::string File() const { return (path / "parties.sqlite").string(); }
};

// Simulated games of computers, recorded through the same feed as the window's.
struct RecordedGames {
    std::vector<GameRecord> records;
    RecordedGames(int count, int players, int type, unsigned long long seed) {
        struct Keep : GameRecorder {
            std::vector<GameRecord>& out;
            explicit Keep(std::vector<GameRecord>& o) : out(o) {}
            void Begin(const GameSetup& s) override { out.push_back({.setup = s, .events = {}}); }
            void Append(const RecordEvent& e) override { out.back().events.push_back(e); }
        } keep(records);
        RecordFeed feed(keep);
        sim::Simulator simulator(seed, std::vector<std::string>(kLanguageLineCount));
        simulator.SetRecordFeed(&feed);
        sim::GameResult result;
        std::string error;
        for (int n = 0; n < count; ++n) simulator.PlayGame(players, type, &feed, result, error);
    }
};

std::string Pragma(const std::string& file, const std::string& sql) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(file.c_str(), &db, SQLITE_OPEN_READWRITE, nullptr);
    sqlite3_stmt* s = nullptr;
    sqlite3_prepare_v2(db, sql.c_str(), -1, &s, nullptr);
    std::string out;
    while (s && sqlite3_step(s) == SQLITE_ROW)
        out += std::string(reinterpret_cast<const char*>(sqlite3_column_text(s, 0))) + ";";
    sqlite3_finalize(s);
    sqlite3_close(db);
    return out;
}

TEST(PartyStore, AGameComesBackEventForEventAndReplaysToTheSameSheet) {
    Folder folder;
    PartyStore store(folder.File());
    ASSERT_EQ(store.access(), Access::Writable) << store.OpenNotice().Text();
    std::vector<StoreNotice::Kind> told;
    StoreRecorder recorder(store, Origin::Window, [&](const StoreNotice& notice) { told.push_back(notice.kind); });
    for (int type : {kNormal, kAscendant, kDescendant}) {
        const GameRecord original = RecordedGames(1, 3, type, 40 + type).records.front();
        recorder.Begin(original.setup);
        for (const RecordEvent& e : original.events) recorder.Append(e);
        ASSERT_EQ(recorder.Pending(), 0u);
        const Result<GameRecord> back = store.Load(*recorder.GameId());
        ASSERT_TRUE(back.Ok()) << back.Error();
        EXPECT_EQ(back.Value(), original);
    }
    EXPECT_TRUE(told.empty());
    EXPECT_EQ(Pragma(folder.File(), "PRAGMA journal_mode"), "wal;");
    EXPECT_EQ(Pragma(folder.File(), "PRAGMA user_version"), std::to_string(kSchemaVersion) + ";");
}

// The window's recorder: events queued on the game's thread reach the file
// in order, a fault is told once, and the interrupted game is found there.
TEST(PartyStore, RecordingOnItsOwnThreadWritesEveryEventInOrder) {
    Folder folder;
    const GameRecord game = RecordedGames(1, 2, kDescendant, 12).records.front();
    std::vector<StoreNotice::Kind> told;
    std::optional<std::int64_t> interrupted;
    {
        BackgroundRecorder recorder(folder.File(), Origin::Window,
                                    [&](const StoreNotice& notice) { told.push_back(notice.kind); });
        recorder.Begin(game.setup);
        for (std::size_t i = 0; i + 1 < game.events.size(); ++i) recorder.Append(game.events[i]);
        recorder.Run([&](PartyStore& store) { interrupted = store.LastInterrupted(); });
        recorder.Drain();
        ASSERT_TRUE(interrupted.has_value());
        EXPECT_EQ(recorder.Current().events.size(), game.events.size() - 1);
        recorder.Append(game.events.back());
    }
    EXPECT_TRUE(told.empty());
    const PartyStore store(folder.File(), PartyStore::Mode::Read);
    const Result<GameRecord> back = store.Load(*interrupted);
    ASSERT_TRUE(back.Ok());
    EXPECT_EQ(back.Value(), game);
    EXPECT_FALSE(store.LastInterrupted().has_value());
}

// Four games of "Ana" whose figures are worked out by hand.
TEST(PartyStore, StatisticsOfANameAndType) {
    Folder folder;
    PartyStore store(folder.File());
    struct Played {
        std::vector<SeatSetup> seats;
        std::array<int, kMaxPlayers> totals;
        int winner;  // -1: abandoned
    };
    const SeatSetup ana{.name = "Ana"}, bo{.name = "Bo"};
    const SeatSetup ladder{.name = "CPU", .kind = SeatKind::Classic}, expert{.name = "CPU", .kind = SeatKind::Expert};
    const std::vector<Played> games = {
        {.seats = {ana, ladder}, .totals = {100, 90}, .winner = 0},
        {.seats = {bo, ana, expert}, .totals = {160, 150, 210}, .winner = 2},
        {.seats = {ana, bo}, .totals = {}, .winner = -1},
        {.seats = {ana, expert}, .totals = {200, 180}, .winner = 0},
        {.seats = {ana, bo, ladder}, .totals = {250, 240, 100}, .winner = 0},
    };
    for (const Played& p : games) {
        const GameRecord r{.setup = {.started = 1765000000, .type = kNormal, .seats = p.seats},
                           .events = {p.winner < 0 ? RecordEvent::End(GameEnd::Abandoned)
                                                   : RecordEvent::End(GameEnd::Finished, p.totals, p.winner)}};
        ASSERT_TRUE(store.AddGame(r, Origin::Window).Ok());
    }
    const PlayerStats st = store.Statistics({.name = "Ana", .type = kNormal, .histogramBin = 50});
    EXPECT_EQ(st.played, 5);
    EXPECT_EQ(st.finished, 4);
    EXPECT_EQ(st.won, 3);
    EXPECT_DOUBLE_EQ(st.mean, 175.0);
    EXPECT_EQ(st.best, 250);
    EXPECT_EQ(st.worst, 100);
    EXPECT_NEAR(st.deviation, std::sqrt(3125.0), 1e-9);
    EXPECT_EQ(st.currentStreak, 2);
    EXPECT_EQ(st.longestStreak, 2);
    EXPECT_EQ(st.persons.played, 2);
    EXPECT_EQ(st.persons.won, 1);
    EXPECT_EQ(st.ladder.played, 2);
    EXPECT_EQ(st.ladder.won, 2);
    EXPECT_EQ(st.expert.played, 2);
    EXPECT_EQ(st.expert.won, 1);
    ASSERT_EQ(st.histogram.size(), 4u);
    EXPECT_EQ(st.histogram[0].from, 100);
    EXPECT_EQ(st.histogram[3].from, 250);
    ASSERT_EQ(st.overTime.size(), 4u);
    EXPECT_EQ(st.overTime[1].score, 150);
    EXPECT_EQ(store.Statistics({.name = "CPU", .type = kNormal, .kind = SeatKind::Expert}).won, 1);
    EXPECT_EQ(store.Statistics({.name = "Ana", .type = kAscendant}).played, 0);
}

TEST(PartyStore, ExportsOneRfc4180LinePerSeat) {
    Folder folder;
    PartyStore store(folder.File());
    const GameRecord finished{
        .setup = {.started = 1765000000,
                  .type = kAscendant,
                  .seats = {{.name = "Ana, \"la\"\nreine"}, {.name = "CPU", .kind = SeatKind::Expert}}},
        .events = {RecordEvent::Advice(0), RecordEvent::Undo(), RecordEvent::End(GameEnd::Finished, {120, 130}, 1)}};
    const GameRecord open{
        .setup = {.started = 1765003600, .type = kDescendant, .seats = {{.name = "Bo"}, {.name = "Cy"}}}, .events = {}};
    ASSERT_TRUE(store.AddGame(finished, Origin::Window).Ok());
    ASSERT_TRUE(store.AddGame(open, Origin::Window).Ok());
    std::ostringstream csv;
    ASSERT_TRUE(store.ExportCsv(csv).Ok());
    EXPECT_EQ(csv.str(),
              "game,started,type,seat,name,kind,score,won,state,coached,undos\r\n"
              "1,2025-12-06T05:46:40Z,ascendant,1,\"Ana, \"\"la\"\"\nreine\",person,120,0,finished,1,1\r\n"
              "1,2025-12-06T05:46:40Z,ascendant,2,CPU,expert,130,1,finished,1,1\r\n"
              "2,2025-12-06T06:46:40Z,descendant,1,Bo,person,,0,interrupted,0,0\r\n"
              "2,2025-12-06T06:46:40Z,descendant,2,Cy,person,,0,interrupted,0,0\r\n");
    EXPECT_EQ(store.LastInterrupted(), std::optional<std::int64_t>(2));
}

TEST(PartyStore, UpgradesAVersionOneFileKeepingItsGames) {
    Folder folder;
    {
        sqlite3* db = nullptr;
        ASSERT_EQ(sqlite3_open(folder.File().c_str(), &db), SQLITE_OK);
        const char* v1 = R"sql(
CREATE TABLE games(id INTEGER PRIMARY KEY, started INTEGER NOT NULL, type INTEGER NOT NULL,
                   state INTEGER NOT NULL DEFAULT 0);
CREATE TABLE seats(game INTEGER NOT NULL, seat INTEGER NOT NULL, name TEXT NOT NULL, kind INTEGER NOT NULL,
                   score INTEGER, PRIMARY KEY(game, seat)) WITHOUT ROWID;
CREATE TABLE events(game INTEGER NOT NULL, seq INTEGER NOT NULL, kind INTEGER NOT NULL, seat INTEGER NOT NULL,
                    a INTEGER NOT NULL DEFAULT 0, b INTEGER NOT NULL DEFAULT 0,
                    PRIMARY KEY(game, seq)) WITHOUT ROWID;
INSERT INTO games VALUES(1, 1765000000, 2, 1);
INSERT INTO seats VALUES(1, 1, 'Ana', 0, 140), (1, 2, 'CPU', 1, 150);
INSERT INTO events VALUES(1, 0, 4, 0, 0, 0), (1, 1, 3, 0, 0, 0), (1, 2, 3, 0, 0, 0);
PRAGMA user_version = 1;)sql";
        ASSERT_EQ(sqlite3_exec(db, v1, nullptr, nullptr, nullptr), SQLITE_OK);
        sqlite3_close(db);
    }
    PartyStore store(folder.File());
    ASSERT_EQ(store.access(), Access::Writable) << store.OpenNotice().Text();
    EXPECT_EQ(Pragma(folder.File(), "PRAGMA user_version"), "2;");
    const std::vector<GameSummary> games = store.Games();
    ASSERT_EQ(games.size(), 1u);
    EXPECT_TRUE(games[0].coached);
    EXPECT_EQ(games[0].undos, 2);
    ASSERT_EQ(games[0].seats.size(), 2u);
    EXPECT_FALSE(games[0].seats[0].won);
    EXPECT_TRUE(games[0].seats[1].won);
    EXPECT_EQ(store.Statistics({.name = "CPU", .type = kAscendant}).won, 1);
    // The upgraded file takes new games like a fresh one.
    EXPECT_TRUE(store
                    .AddGame({.setup = {.type = kNormal, .seats = {{.name = "Bo"}, {.name = "Cy"}}}, .events = {}},
                             Origin::Window)
                    .Ok());
}

TEST(PartyStoreFaults, ADamagedFileIsKeptAsideAndAFreshOneStarted) {
    Folder folder;
    const std::string junk(8192, 'x');
    std::ofstream(folder.File(), std::ios::binary) << junk;
    PartyStore store(folder.File());
    EXPECT_EQ(store.access(), Access::Writable);
    EXPECT_EQ(store.OpenNotice().kind, StoreNotice::Kind::DamagedSetAside);
    EXPECT_EQ(store.OpenNotice().detail, store.SetAside());
    ASSERT_FALSE(store.SetAside().empty());
    std::ifstream aside(store.SetAside(), std::ios::binary);
    EXPECT_EQ(std::string(std::istreambuf_iterator<char>(aside), {}), junk);
    EXPECT_NE(store.SetAside().find(".damaged-"), std::string::npos);
    EXPECT_TRUE(store
                    .AddGame({.setup = {.type = kNormal, .seats = {{.name = "Bo"}, {.name = "Cy"}}}, .events = {}},
                             Origin::Window)
                    .Ok());
}

// Damage past the first page only shows when a write reads it: the game in
// progress then goes whole into a fresh file.
TEST(PartyStoreFaults, DamageFoundWhileRecordingMovesTheGameToAFreshFile) {
    Folder folder;
    {
        PartyStore store(folder.File());
        ASSERT_TRUE(store.AddGame(RecordedGames(1, 2, kNormal, 8).records.front(), Origin::Window).Ok());
    }
    const auto size = fs::file_size(folder.File());
    ASSERT_GT(size, 8192u);
    {
        std::fstream f(folder.File(), std::ios::binary | std::ios::in | std::ios::out);
        f.seekp(4096);
        f << std::string(size - 4096, '\x5a');
    }
    PartyStore store(folder.File());
    std::vector<StoreNotice::Kind> told;
    StoreRecorder recorder(store, Origin::Window, [&](const StoreNotice& notice) { told.push_back(notice.kind); });
    const GameRecord game = RecordedGames(1, 2, kAscendant, 9).records.front();
    recorder.Begin(game.setup);
    for (const RecordEvent& e : game.events) recorder.Append(e);
    ASSERT_FALSE(store.SetAside().empty());
    EXPECT_EQ(fs::file_size(store.SetAside()), size);
    EXPECT_EQ(told, std::vector{StoreNotice::Kind::DamagedSetAside});
    EXPECT_EQ(recorder.Pending(), 0u);
    const Result<GameRecord> back = store.Load(*recorder.GameId());
    ASSERT_TRUE(back.Ok());
    EXPECT_EQ(back.Value(), game);
    EXPECT_EQ(store.Games().size(), 1u);
}

TEST(PartyStoreFaults, AFileFromANewerVersionIsReadAndNeverWritten) {
    Folder folder;
    {
        PartyStore store(folder.File());
        ASSERT_TRUE(store
                        .AddGame({.setup = {.type = kNormal, .seats = {{.name = "Bo"}, {.name = "Cy"}}}, .events = {}},
                                 Origin::Window)
                        .Ok());
    }
    sqlite3* db = nullptr;
    sqlite3_open(folder.File().c_str(), &db);
    sqlite3_exec(db, "PRAGMA user_version = 9; PRAGMA wal_checkpoint(TRUNCATE);", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    const auto before = fs::last_write_time(folder.File());
    const auto size = fs::file_size(folder.File());

    PartyStore store(folder.File());
    EXPECT_EQ(store.access(), Access::ReadOnly);
    EXPECT_EQ(store.OpenNotice().kind, StoreNotice::Kind::NewerVersion);
    EXPECT_EQ(store.Games().size(), 1u);
    std::vector<StoreNotice::Kind> told;
    StoreRecorder recorder(store, Origin::Window, [&](const StoreNotice& notice) { told.push_back(notice.kind); });
    recorder.Begin({.type = kNormal, .seats = {{.name = "Bo"}, {.name = "Cy"}}});
    recorder.Append(RecordEvent::Advice(0));
    EXPECT_EQ(told, std::vector{StoreNotice::Kind::NewerVersion});
    EXPECT_EQ(fs::last_write_time(folder.File()), before);
    EXPECT_EQ(fs::file_size(folder.File()), size);
    EXPECT_EQ(Pragma(folder.File(), "PRAGMA user_version"), "9;");
}

TEST(PartyStoreFaults, AnUnwritablePlaceLeavesRecordingOffAndSaysSoOnce) {
    Folder folder;
    // A folder that cannot be made (a file stands in its place) fails for
    // root too; a write-protected folder only for other users.
    std::ofstream(folder.path / "blocked") << "x";
    std::vector<std::string> places = {(folder.path / "blocked" / "parties.sqlite").string()};
    if (::geteuid() != 0) {
        fs::create_directories(folder.path / "locked");
        fs::permissions(folder.path / "locked", fs::perms::owner_read | fs::perms::owner_exec);
        places.push_back((folder.path / "locked" / "parties.sqlite").string());
    }
    for (const std::string& place : places) {
        PartyStore store(place);
        EXPECT_EQ(store.access(), Access::None) << place;
        std::vector<StoreNotice::Kind> told;
        StoreRecorder recorder(store, Origin::Window, [&](const StoreNotice& notice) { told.push_back(notice.kind); });
        recorder.Begin({.type = kNormal, .seats = {{.name = "Bo"}, {.name = "Cy"}}});
        recorder.Append(RecordEvent::Advice(0));
        recorder.Append(RecordEvent::Advice(1));
        EXPECT_EQ(told, std::vector{StoreNotice::Kind::NotRecorded}) << place;
    }
}

TEST(PartyStoreFaults, AFullDiskFailsOneEventAndTheNextCatchesUp) {
    Folder folder;
    PartyStore store(folder.File());
    std::vector<StoreNotice::Kind> told;
    StoreRecorder recorder(store, Origin::Window, [&](const StoreNotice& notice) { told.push_back(notice.kind); });
    const GameRecord game = RecordedGames(1, 5, kNormal, 3).records.front();
    // An earlier game nearly fills the events' first page; the file may
    // then grow no more, so the new game's events soon stop fitting.
    GameRecord earlier{.setup = game.setup, .events = {}};
    for (int n = 0; n < 250; ++n) earlier.events.push_back(RecordEvent::Write(0, 1, n));
    ASSERT_TRUE(store.AddGame(earlier, Origin::Window).Ok());
    recorder.Begin(game.setup);
    store.LimitPages(std::stoi(Pragma(folder.File(), "PRAGMA page_count")));
    std::size_t i = 0;
    for (; i < game.events.size() && recorder.Pending() == 0; ++i) recorder.Append(game.events[i]);
    ASSERT_GT(recorder.Pending(), 0u) << "the cap never filled";
    EXPECT_EQ(store.LastFault(), Fault::Full);
    for (std::size_t j = 0; j < 3 && i < game.events.size(); ++j, ++i) recorder.Append(game.events[i]);
    EXPECT_EQ(told, std::vector{StoreNotice::Kind::EventWaiting});
    store.LimitPages(1 << 20);
    for (; i < game.events.size(); ++i) recorder.Append(game.events[i]);
    EXPECT_EQ(recorder.Pending(), 0u);
    const Result<GameRecord> back = store.Load(*recorder.GameId());
    ASSERT_TRUE(back.Ok());
    EXPECT_EQ(back.Value(), game);
    EXPECT_EQ(Pragma(folder.File(), "PRAGMA integrity_check"), "ok;");
}

// A child that records events as fast as it can and reports each commit
// through a pipe; it never returns.
[[noreturn]] void RecordForever(const std::string& file, int report, int seat) {
    PartyStore store(file);
    StoreRecorder recorder(store, Origin::Simulator, nullptr);
    recorder.Begin({.type = kNormal, .seats = {{.name = "Ana"}, {.name = "Bo"}}});
    const std::int64_t id = recorder.GameId().value_or(-1);
    for (int n = 0;; ++n) {
        recorder.Append(RecordEvent::Write(seat, 1 + n % 15, n));
        if (recorder.Pending() != 0) _exit(3);
        const std::int64_t line[2] = {id, n};
        if (write(report, line, sizeof line) != sizeof line) _exit(4);
    }
}

TEST(PartyStoreFaults, KilledAtAnyMomentTheFileIsSoundAndHoldsEveryCommittedEvent) {
    Folder folder;
    std::mt19937 rng(7);
    int committedRounds = 0;
    for (int round = 0; round < 15; ++round) {
        int fds[2];
        ASSERT_EQ(pipe(fds), 0);
        const pid_t child = fork();
        if (child == 0) {
            close(fds[0]);
            RecordForever(folder.File(), fds[1], round % 2);
        }
        close(fds[1]);
        std::int64_t line[2] = {-1, -1}, last[2] = {-1, -1};
        // Every other round waits for a first commit, so a loaded machine
        // cannot turn every round into a kill before the file is written.
        if (round % 2 && read(fds[0], line, sizeof line) == sizeof line) std::copy(line, line + 2, last);
        usleep(2000 + rng() % 60000);
        kill(child, SIGKILL);
        int status = 0;
        waitpid(child, &status, 0);
        while (read(fds[0], line, sizeof line) == sizeof line) std::copy(line, line + 2, last);
        close(fds[0]);
        ASSERT_TRUE(WIFSIGNALED(status)) << "the child stopped by itself: " << status;
        if (!fs::exists(folder.File())) continue;  // killed before it made the file
        EXPECT_EQ(Pragma(folder.File(), "PRAGMA integrity_check"), "ok;");
        if (last[0] < 0) continue;  // killed before its first commit
        ++committedRounds;
        const std::string held =
            Pragma(folder.File(), "SELECT count(*) FROM events WHERE game = " + std::to_string(last[0]) +
                                      " AND seq <= " + std::to_string(last[1]));
        EXPECT_EQ(held, std::to_string(last[1] + 1) + ";") << "round " << round;
    }
    EXPECT_GE(committedRounds, 7);
}

TEST(PartyStoreFaults, TwoCopiesRecordIntoOneFileTogether) {
    Folder folder;
    { PartyStore layout(folder.File()); }
    constexpr int kEach = 300;
    pid_t children[2];
    for (int c = 0; c < 2; ++c) {
        children[c] = fork();
        if (children[c] == 0) {
            PartyStore store(folder.File());
            StoreRecorder recorder(store, Origin::Window, nullptr);
            recorder.Begin({.type = kNormal, .seats = {{.name = c ? "Bo" : "Ana"}, {.name = "Cy"}}});
            for (int n = 0; n < kEach; ++n) recorder.Append(RecordEvent::Write(0, 1, n));
            _exit(recorder.Pending() == 0 && recorder.GameId() ? 0 : 1);
        }
    }
    for (pid_t child : children) {
        int status = 0;
        waitpid(child, &status, 0);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    EXPECT_EQ(Pragma(folder.File(), "SELECT count(*) FROM events"), std::to_string(2 * kEach) + ";");
}

TEST(PartyStore, PerUserPathFollowsXdgDataHome) {
    const char* saved = std::getenv("XDG_DATA_HOME");
    const std::string keep = saved ? saved : "";
    const std::string home = std::getenv("HOME") ? std::getenv("HOME") : "";
    setenv("XDG_DATA_HOME", "/tmp/xdg", 1);
    EXPECT_EQ(DefaultDatabasePath(), "/tmp/xdg/FENTORIX/3DQUIMBA/parties.sqlite");
    // A relative value is ignored, as the XDG rules say.
    setenv("XDG_DATA_HOME", "rel", 1);
    setenv("HOME", "/home/ana", 1);
    EXPECT_EQ(DefaultDatabasePath(), "/home/ana/.local/share/FENTORIX/3DQUIMBA/parties.sqlite");
    setenv("HOME", home.c_str(), 1);
    if (saved)
        setenv("XDG_DATA_HOME", keep.c_str(), 1);
    else
        unsetenv("XDG_DATA_HOME");
}

}  // namespace
}  // namespace quimba::store
