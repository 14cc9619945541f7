// quimba-sim --record: its games land in the per-user games file, whole, and
// the export reads back the simulator's own figures.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

#include "PartyStore.h"

namespace quimba::sim {
namespace {

namespace fs = std::filesystem;

struct DataHome {
    fs::path path = fs::temp_directory_path() / ("quimba-sim-record-" + std::to_string(::getpid()));
    DataHome() { fs::remove_all(path); }
    ~DataHome() { fs::remove_all(path); }
    std::string Database() const { return (path / "FENTORIX" / "3DQUIMBA" / "parties.sqlite").string(); }
};

std::vector<std::string> Split(const std::string& line) {
    std::vector<std::string> fields;
    std::stringstream in(line);
    for (std::string f; std::getline(in, f, ',');) fields.push_back(f);
    if (!line.empty() && line.back() == ',') fields.emplace_back();
    return fields;
}

TEST(SimRecord, TheExportGivesBackEachStrategysMean) {
    DataHome home;
    const std::string out = "sim_record.out";
    const std::string cmd = "XDG_DATA_HOME='" + home.path.string() + "' \"" + QUIMBA_SIM_PATH +
                            "\" --record --games 300 --type ascendant --strategies ladder,optimal --seed 5 >" + out;
    ASSERT_EQ(std::system(cmd.c_str()), 0);
    std::ifstream report(out);
    std::map<int, double> seatMean;
    for (std::string line; std::getline(report, line);) {
        int seat = 0;
        double mean = 0;
        if (std::sscanf(line.c_str(), "%d %lf", &seat, &mean) == 2) seatMean[seat] = mean;
    }
    ASSERT_EQ(seatMean.size(), 2u);

    store::PartyStore parties(home.Database());
    std::ostringstream csv;
    ASSERT_TRUE(parties.ExportCsv(csv).Ok());
    std::istringstream lines(csv.str());
    std::string line;
    std::getline(lines, line);
    std::map<std::string, std::pair<double, int>> byKind;  // kind: (sum, count)
    while (std::getline(lines, line)) {
        if (!line.empty() && line.back() == '\r') line.pop_back();
        const std::vector<std::string> f = Split(line);
        ASSERT_EQ(f.size(), 11u) << line;
        EXPECT_EQ(f[2], "ascendant");
        EXPECT_EQ(f[8], "finished");
        byKind[f[5]].first += std::stod(f[6]);
        ++byKind[f[5]].second;
    }
    ASSERT_EQ(byKind["classic"].second, 300);
    ASSERT_EQ(byKind["expert"].second, 300);
    // The report rounds to two decimals.
    EXPECT_NEAR(byKind["classic"].first / 300, seatMean[1], 0.006);
    EXPECT_NEAR(byKind["expert"].first / 300, seatMean[2], 0.006);
}

TEST(SimRecord, KilledWhileRecordingLeavesASoundFileOfWholeGames) {
    DataHome home;
    const pid_t child = fork();
    if (child == 0) {
        setenv("XDG_DATA_HOME", home.path.c_str(), 1);
        if (!std::freopen("/dev/null", "w", stdout)) _exit(126);
        execl(QUIMBA_SIM_PATH, QUIMBA_SIM_PATH, "--record", "--games", "1000000", nullptr);
        _exit(127);
    }
    // Killed once a few games are in, at a moment of no particular choosing.
    for (int wait = 0; wait < 200; ++wait) {
        usleep(100000);
        if (fs::exists(home.Database()) &&
            store::PartyStore(home.Database(), store::PartyStore::Mode::Read).Games(INT64_MAX, 3).size() == 3)
            break;
    }
    usleep(static_cast<useconds_t>(::getpid() % 50000));
    kill(child, SIGKILL);
    int status = 0;
    waitpid(child, &status, 0);
    ASSERT_TRUE(WIFSIGNALED(status));
    store::PartyStore parties(home.Database());
    ASSERT_EQ(parties.access(), store::Access::Writable) << parties.OpenNotice().Text();
    EXPECT_TRUE(parties.SetAside().empty());
    const std::vector<store::GameSummary> games = parties.Games(INT64_MAX, 1000000);
    EXPECT_GE(games.size(), 3u);
    for (const store::GameSummary& g : games) {
        ASSERT_EQ(g.state, store::GameSummary::Finished) << "game " << g.id;
        const Result<GameRecord> r = parties.Load(g.id);
        ASSERT_TRUE(r.Ok());
        EXPECT_EQ(r.Value().events.back().kind, EventKind::End);
    }
}

}  // namespace
}  // namespace quimba::sim
