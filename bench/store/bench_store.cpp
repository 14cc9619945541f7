// The games file against its budgets: one event recorded (p99 <= 1 ms), the
// statistics of one name over 100,000 games (<= 300 ms), the export of
// 100,000 games (<= 3 s). Each has a baseline measured in the same run: the
// same event into a file in memory, a bare count over the same seats, the
// same rows read without writing the CSV.
//   bench_store [--benchmark_filter=...]; QUIMBA_BENCH_DIR picks the folder
//   (default /tmp); the 100,000-game file is built once and kept there.
#include <benchmark/benchmark.h>
#include <sqlite3.h>

#include <algorithm>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <ostream>
#include <random>
#include <streambuf>

#include "PartyStore.h"
#include "StoreRecorder.h"

namespace {

using namespace quimba;
using namespace quimba::store;
namespace fs = std::filesystem;

constexpr int kGames = 100000;

fs::path Folder() {
    const char* dir = std::getenv("QUIMBA_BENCH_DIR");
    return dir && *dir ? fs::path(dir) : fs::temp_directory_path();
}

// A finished two-seat game of plausible size: 13 rounds of two or three
// throws and a row each.
GameRecord SyntheticGame(std::mt19937& rng, const SeatSetup& first, const SeatSetup& second) {
    GameRecord r{.setup = {.started = 1765000000, .type = kNormal, .seats = {first, second}}, .events = {}};
    for (int round = 0; round < kRounds; ++round)
        for (int seat = 0; seat < 2; ++seat) {
            const int throws = 1 + static_cast<int>(rng() % 3);
            for (int t = 0; t < throws; ++t)
                r.events.push_back(RecordEvent::Throw(
                    seat, t ? static_cast<std::uint8_t>(rng() % 32) : 0,
                    {std::uint8_t(1 + rng() % 6), std::uint8_t(1 + rng() % 6), std::uint8_t(1 + rng() % 6),
                     std::uint8_t(1 + rng() % 6), std::uint8_t(1 + rng() % 6)}));
            r.events.push_back(RecordEvent::Write(seat, kChosenRows[round], static_cast<int>(rng() % 30)));
        }
    const std::array<int, kMaxPlayers> totals{120 + static_cast<int>(rng() % 150), 120 + static_cast<int>(rng() % 150)};
    r.events.push_back(RecordEvent::End(GameEnd::Finished, totals, totals[1] > totals[0] ? 1 : 0));
    return r;
}

// 100,000 games of "Ana" against the ladder or the expert, built once.
const std::string& HundredThousand() {
    static const std::string path = [] {
        const fs::path file = Folder() / "quimba-bench-100k.sqlite";
        PartyStore store(file.string());
        if (store.Games(INT64_MAX, 1).empty() || store.Games(INT64_MAX, 1).front().id < kGames) {
            std::mt19937 rng(1);
            const SeatSetup ana{.name = "Ana"};
            const SeatSetup ladder{.name = "CPU", .kind = SeatKind::Classic};
            const SeatSetup expert{.name = "CPU", .kind = SeatKind::Expert};
            for (int n = 0; n < kGames; ++n)
                store.AddGame(SyntheticGame(rng, ana, n % 3 ? ladder : expert), Origin::Window);
        }
        return file.string();
    }();
    return path;
}

// Records the events of whole games one transaction each and reports the
// 99th percentile of one event.
void RecordEvents(benchmark::State& state, const std::string& file) {
    std::error_code ec;
    for (const char* side : {"", "-wal", "-shm"}) fs::remove(file + side, ec);
    PartyStore store(file);
    StoreRecorder recorder(store, Origin::Window, nullptr);
    std::mt19937 rng(2);
    const GameRecord game = SyntheticGame(rng, {.name = "Ana"}, {.name = "CPU", .kind = SeatKind::Classic});
    std::vector<double> micros;
    std::size_t next = 0;
    for (auto _ : state) {
        if (next == 0) recorder.Begin(game.setup);
        const auto start = std::chrono::steady_clock::now();
        recorder.Append(game.events[next]);
        micros.push_back(std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - start).count());
        next = (next + 1) % game.events.size();
    }
    std::sort(micros.begin(), micros.end());
    state.counters["p50_us"] = micros[micros.size() / 2];
    state.counters["p99_us"] = micros[micros.size() * 99 / 100];
    state.counters["max_us"] = micros.back();
}

void BM_RecordOneEvent(benchmark::State& state) {
    RecordEvents(state, (Folder() / "quimba-bench-events.sqlite").string());
}
BENCHMARK(BM_RecordOneEvent)->Iterations(20000);

// Baseline: the same transactions into a file in memory, no disk at all.
void BM_RecordOneEventInMemory(benchmark::State& state) { RecordEvents(state, ":memory:"); }
BENCHMARK(BM_RecordOneEventInMemory)->Iterations(20000);

void BM_Statistics100k(benchmark::State& state) {
    const PartyStore store(HundredThousand(), PartyStore::Mode::Read);
    int played = 0;
    for (auto _ : state) {
        const PlayerStats st = store.Statistics({.name = "Ana", .type = kNormal});
        played = st.played;
        benchmark::DoNotOptimize(st.mean);
    }
    state.counters["games"] = played;
}
BENCHMARK(BM_Statistics100k)->Unit(benchmark::kMillisecond)->MinTime(2);

// Baseline: one bare count over the same seats.
void BM_CountSeats100k(benchmark::State& state) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(HundredThousand().c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    for (auto _ : state) {
        sqlite3_stmt* s = nullptr;
        sqlite3_prepare_v2(db, "SELECT count(*), sum(score) FROM seats WHERE name = 'Ana'", -1, &s, nullptr);
        sqlite3_step(s);
        benchmark::DoNotOptimize(sqlite3_column_int64(s, 1));
        sqlite3_finalize(s);
    }
    sqlite3_close(db);
}
BENCHMARK(BM_CountSeats100k)->Unit(benchmark::kMillisecond)->MinTime(2);

struct Discard : std::streambuf {
    std::streamsize bytes = 0;
    std::streamsize xsputn(const char*, std::streamsize n) override { return bytes += n, n; }
    int overflow(int c) override { return ++bytes, c; }
};

void BM_Export100k(benchmark::State& state) {
    for (auto _ : state) {
        const fs::path out = Folder() / "quimba-bench-export.csv";
        const Status s = ExportHistoryFile(HundredThousand(), out.string());
        if (!s.Ok()) state.SkipWithError(s.Error().c_str());
        state.counters["bytes"] = static_cast<double>(fs::file_size(out));
    }
}
BENCHMARK(BM_Export100k)->Unit(benchmark::kMillisecond)->Iterations(3);

// Baseline: the export's rows read, nothing formatted or written.
void BM_ReadExportRows100k(benchmark::State& state) {
    sqlite3* db = nullptr;
    sqlite3_open_v2(HundredThousand().c_str(), &db, SQLITE_OPEN_READONLY, nullptr);
    for (auto _ : state) {
        sqlite3_stmt* s = nullptr;
        sqlite3_prepare_v2(db,
                           "SELECT g.id, g.started, g.type, s.seat, s.name, s.kind, s.score, s.won, g.state, "
                           "g.coached, g.undos FROM games g JOIN seats s ON s.game = g.id ORDER BY g.id, s.seat",
                           -1, &s, nullptr);
        std::int64_t rows = 0;
        while (sqlite3_step(s) == SQLITE_ROW) ++rows;
        benchmark::DoNotOptimize(rows);
        sqlite3_finalize(s);
    }
    sqlite3_close(db);
}
BENCHMARK(BM_ReadExportRows100k)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

BENCHMARK_MAIN();
