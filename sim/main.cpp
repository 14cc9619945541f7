// quimba-sim: plays computer games headless and reports the scores.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <memory>

#include "Language.h"
#include "PartyStore.h"
#include "Record.h"
#include "ReviewRecorder.h"
#include "SimOptions.h"
#include "SimStats.h"
#include "Simulator.h"
#include "StoreRecorder.h"
#include "TraceWriter.h"

using namespace quimba;
using namespace quimba::sim;

namespace {

std::filesystem::path ProgramFolder(const char* argv0) {
    std::error_code ec;
    auto self = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (ec) self = std::filesystem::absolute(argv0, ec);
    return self.parent_path();
}

// The shipped texts when they lie beside the program; otherwise blank lines,
// which the rules accept just as well.
std::vector<std::string> LanguageLines(const std::filesystem::path& folder) {
    const auto path = folder / kLanguageFileName;
    if (std::filesystem::exists(path)) {
        Result<std::vector<std::string>> load = LoadLanguageFile(path.string());
        if (load.Ok()) return std::move(load.Value());
    }
    return std::vector<std::string>(kLanguageLineCount);
}

// The solved value of each game type for one player alone, and what the
// table costs to build.
void PrintSolved() {
    for (int type : {kNormal, kAscendant, kDescendant}) {
        const auto start = std::chrono::steady_clock::now();
        const StrategyTable table = StrategyTable::Build(type);
        const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        std::printf("%-10s optimal %.4f  %zu states  built in %.3f s  %.2f MiB\n", TypeName(type), table.Value({}),
                    table.States(), seconds, static_cast<double>(table.Bytes()) / (1024.0 * 1024.0));
    }
}

// Hands each of the game's reports to every listener in turn.
struct Listeners : GameObserver {
    std::vector<GameObserver*> all;
    void OnThrow(const Game& g) override {
        for (GameObserver* o : all) o->OnThrow(g);
    }
    void OnWrite(const Game& g, int column, int row) override {
        for (GameObserver* o : all) o->OnWrite(g, column, row);
    }
    void OnTally(const Game& g, int column) override {
        for (GameObserver* o : all) o->OnTally(g, column);
    }
    void OnEnd(const Game& g, const std::string& winner, int score) override {
        for (GameObserver* o : all) o->OnEnd(g, winner, score);
    }
};

}  // namespace

int main(int argc, char** argv) {
    SimOptions options;
    std::string error;
    if (!ParseSimOptions(std::vector<std::string>(argv + 1, argv + argc), options, error)) {
        std::cerr << "quimba-sim: " << error << '\n';
        return 2;
    }
    if (options.solve) {
        PrintSolved();
        return 0;
    }
    std::ofstream traceFile;
    std::unique_ptr<TraceWriter> trace;
    if (!options.trace.empty()) {
        traceFile.open(options.trace, std::ios::binary | std::ios::trunc);
        if (!traceFile) {
            std::cerr << "quimba-sim: cannot write the trace file '" << options.trace << "'\n";
            return 2;
        }
        trace = std::make_unique<TraceWriter>(traceFile);
    }

    std::ofstream reviewFile;
    if (!options.review.empty()) {
        reviewFile.open(options.review, std::ios::binary | std::ios::trunc);
        if (!reviewFile) {
            std::cerr << "quimba-sim: cannot write the review file '" << options.review << "'\n";
            return 2;
        }
    }

    Listeners listeners;
    std::unique_ptr<store::PartyStore> parties;
    std::unique_ptr<store::WholeGameRecorder> recorder;
    std::unique_ptr<RecordFeed> feed;
    if (options.record) {
        const std::string path = store::DefaultDatabasePath();
        parties = std::make_unique<store::PartyStore>(path);
        if (parties->access() != store::Access::Writable) {
            std::cerr << "quimba-sim: " << parties->OpenNotice().Text() << '\n';
            return 2;
        }
        if (!parties->OpenNotice().Empty()) std::cerr << "quimba-sim: " << parties->OpenNotice().Text() << '\n';
        recorder = std::make_unique<store::WholeGameRecorder>(*parties, store::Origin::Simulator);
        feed = std::make_unique<RecordFeed>(*recorder);
        listeners.all.push_back(feed.get());
    }

    Simulator simulator(options.seed, LanguageLines(ProgramFolder(argv[0])));
    simulator.SetLevels(options.strategies);
    simulator.SetRecordFeed(feed.get());
    // Any table is built before the clock starts, so games/s counts play only.
    for (Level level : options.strategies)
        if (level == Level::Expert) simulator.Table(options.type);
    const bool reviewing = !options.review.empty() || options.chances;
    const StrategyTable* table = reviewing ? simulator.Table(options.type) : nullptr;
    std::unique_ptr<WinChances> chances;
    if (options.chances) chances = std::make_unique<WinChances>(WinChances::Build(*table));
    // The reviewer passes every report on to the trace, with the chances put in.
    ReviewRecorder reviewer(trace.get(), chances.get(), options.chances ? &traceFile : nullptr);
    if (reviewing)
        listeners.all.insert(listeners.all.begin(), &reviewer);
    else if (trace)
        listeners.all.insert(listeners.all.begin(), trace.get());
    SimStats stats(options.players);
    GameResult result;
    const auto start = std::chrono::steady_clock::now();
    for (long n = 1; n <= options.games; ++n) {
        if (trace) trace->BeginGame(n, options.type, options.players);
        reviewer.BeginGame(options.type, options.players);
        if (!simulator.PlayGame(options.players, options.type, listeners.all.empty() ? nullptr : &listeners, result,
                                error)) {
            std::cerr << "quimba-sim: game " << n << ": " << error << '\n';
            return 1;
        }
        if (reviewFile.is_open()) {
            const Result<GameReview> review = ReviewOf(*table, reviewer.Recorded(), nullptr);
            if (!review.Ok()) {
                std::cerr << "quimba-sim: game " << n << ": the review failed: " << review.Error() << '\n';
                return 1;
            }
            for (int c = 0; c < options.players; ++c)
                reviewFile << ReviewLine(n, c, options.type, review.Value().seats[c], result.totals[c]) << '\n';
        }
        stats.AddGame(result.totals, result.winner);
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    if (trace) {
        traceFile.flush();
        if (!traceFile) {
            std::cerr << "quimba-sim: writing the trace file failed\n";
            return 1;
        }
    }
    if (reviewFile.is_open()) {
        reviewFile.flush();
        if (!reviewFile) {
            std::cerr << "quimba-sim: writing the review file failed\n";
            return 1;
        }
    }
    if (recorder && !recorder->Error().empty()) {
        std::cerr << "quimba-sim: recording failed after " << recorder->Written() << " games: " << recorder->Error()
                  << '\n';
        return 1;
    }
    std::string strategies;
    for (Level level : options.strategies)
        strategies += std::string(strategies.empty() ? "" : ",") + StrategyName(level);
    std::cout << options.games << " " << TypeName(options.type) << " games, " << options.players
              << " computer players (" << strategies << "), seed " << options.seed << "\n"
              << stats.Report(seconds);
    if (recorder) std::cout << recorder->Written() << " games recorded in " << parties->path() << "\n";
    return 0;
}
