// The best-scores list: its order, and "s.frd" saved, read back and kept whole through failures.
#include <gtest/gtest.h>

#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <csignal>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "BestScores.h"
#include "BestScoresFile.h"

using namespace quimba;
using namespace std::string_literals;
namespace fs = std::filesystem;

namespace {

struct OrderCase {
    const char* name;
    std::vector<std::string> added;
    std::vector<std::string> listed;
};

class Order : public ::testing::TestWithParam<OrderCase> {};

TEST_P(Order, KeepsAscendingTextOrderIgnoringCase) {
    BestScores list;
    for (const auto& e : GetParam().added) list.Add(e);
    EXPECT_EQ(list.Items(), GetParam().listed);
}

INSTANTIATE_TEST_SUITE_P(
    Entries, Order,
    ::testing::Values(OrderCase{"scores_compare_as_text",
                                {"98 --- d --- ANNE", "105 --- d --- BOB", "9 --- d --- CLEO"},
                                {"105 --- d --- BOB", "9 --- d --- CLEO", "98 --- d --- ANNE"}},
                      OrderCase{"case_is_ignored",
                                {"50 --- d --- bob", "50 --- d --- ANNE", "50 --- d --- Cleo"},
                                {"50 --- d --- ANNE", "50 --- d --- bob", "50 --- d --- Cleo"}},
                      OrderCase{"equal_ignoring_case_keeps_arrival_order",
                                {"50 --- d --- Bob", "50 --- d --- BOB", "50 --- d --- bob"},
                                {"50 --- d --- Bob", "50 --- d --- BOB", "50 --- d --- bob"}},
                      OrderCase{"accented_capitals_fold",
                                {"7 --- d --- \xC3\xA9va", "7 --- d --- \xC3\x89VA", "7 --- d --- \xC3\x89vb"},
                                {"7 --- d --- \xC3\xA9va", "7 --- d --- \xC3\x89VA", "7 --- d --- \xC3\x89vb"}},
                      OrderCase{
                          "prefix_first", {"12 --- d --- AB", "12 --- d --- A"}, {"12 --- d --- A", "12 --- d --- AB"}},
                      OrderCase{"same_text_twice", {"1", "1"}, {"1", "1"}}),
    [](const auto& info) { return std::string(info.param.name); });

// Each test works in a folder of its own under the temporary folder.
class BestScoresFileTest : public ::testing::Test {
protected:
    fs::path dir;
    std::string file;
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = fs::temp_directory_path() / ("quimba_scores_" + std::to_string(::getpid()) + "_" + info->name());
        fs::remove_all(dir);
        fs::create_directories(dir);
        file = (dir / "s.frd").string();
    }
    void TearDown() override {
        std::error_code ec;
        fs::permissions(dir, fs::perms::owner_all, fs::perm_options::add, ec);
        fs::remove_all(dir, ec);
    }
    static void Write(const std::string& path, const std::string& bytes) {
        std::ofstream(path, std::ios::binary) << bytes;
    }
    std::vector<std::string> FolderEntries() const {
        std::vector<std::string> names;
        for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
        std::sort(names.begin(), names.end());
        return names;
    }
    // Loads the file's bytes, saves the list again and returns what is saved.
    std::string RoundTrip(const std::string& bytes, BestScores* loaded = nullptr) {
        Write(file, bytes);
        BestScores list;
        EXPECT_EQ(LoadBestScores(list, file).Error(), "");
        EXPECT_EQ(SaveBestScores(list, file).Error(), "");
        if (loaded) *loaded = list;
        return Read(file);
    }
    static std::string Read(const std::string& path) {
        // Read in one piece: a character at a time takes seconds for the
        // largest lists in the unoptimised sanitizer build.
        std::ifstream in(path, std::ios::binary);
        std::ostringstream bytes;
        bytes << in.rdbuf();
        return std::move(bytes).str();
    }
    std::vector<std::string> Load(const std::string& bytes) {
        Write(file, bytes);
        BestScores list;
        EXPECT_EQ(LoadBestScores(list, file).Error(), "");
        return list.Items();
    }
};

TEST_F(BestScoresFileTest, SavesEveryEntryInWindows1252WithCrLf) {
    BestScores list;
    list.Add("98 --- 08/12/2026 --- Zo\xC3\xA9");
    list.Add("105 --- 07/12/2026 --- ANNE");
    ASSERT_EQ(SaveBestScores(list, file).Error(), "");
    EXPECT_EQ(Read(file), "105 --- 07/12/2026 --- ANNE\r\n98 --- 08/12/2026 --- Zo\xE9\r\n");
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"s.frd"}) << "no working file is left behind";
}

TEST_F(BestScoresFileTest, EmptyListGivesAnEmptyFile) {
    Write(file, "old\r\n");
    ASSERT_EQ(SaveBestScores(BestScores{}, file).Error(), "");
    EXPECT_TRUE(fs::exists(file));
    EXPECT_EQ(Read(file), "");
}

TEST_F(BestScoresFileTest, LineBreaksInsideAnEntryDoNotSplitIt) {
    BestScores list;
    list.Add("12 --- a\r\nb --- X");
    ASSERT_EQ(SaveBestScores(list, file).Error(), "");
    EXPECT_EQ(Read(file), "12 --- ab --- X\r\n");
}

TEST_F(BestScoresFileTest, SavedListLoadsBackTheSame) {
    BestScores list;
    for (const char* e : {"3 --- d --- \xC3\x89lo\xC3\xAF", "20 --- d --- CPU", "150 --- d --- bob"}) list.Add(e);
    ASSERT_EQ(SaveBestScores(list, file).Error(), "");
    BestScores again;
    ASSERT_EQ(LoadBestScores(again, file).Error(), "");
    EXPECT_EQ(again.Items(), list.Items());
}

TEST_F(BestScoresFileTest, FailedWriteKeepsTheOldFile) {
    Write(file, "old entry\r\n");
    BestScores list;
    for (int i = 0; i < 50; ++i) list.Add(std::to_string(i) + " --- d --- A full disk stops this");
    // A file size limit makes the write fail part way, as a full disk would.
    rlimit before{};
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &before), 0);
    const auto previous = std::signal(SIGXFSZ, SIG_IGN);
    rlimit small = before;
    small.rlim_cur = 64;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
    const std::string message = SaveBestScores(list, file).Error();
    setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, previous);
    EXPECT_EQ(message.rfind("Cannot save file \"" + file + "\". ", 0), 0u) << message;
    EXPECT_EQ(Read(file), "old entry\r\n");
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"s.frd"}) << "no half-written file is left behind";
}

TEST_F(BestScoresFileTest, TargetThatIsAFolderIsReportedAndLeftAlone) {
    fs::create_directory(file);
    Write((fs::path(file) / "inside").string(), "x");
    BestScores list;
    list.Add("1 --- d --- X");
    const std::string message = SaveBestScores(list, file).Error();
    EXPECT_NE(message.find(file), std::string::npos) << message;
    EXPECT_TRUE(fs::is_directory(file));
    EXPECT_EQ(Read((fs::path(file) / "inside").string()), "x");
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"s.frd"}) << "no half-written file is left behind";
}

TEST_F(BestScoresFileTest, ReadOnlyFolderIsReportedAndLeftAlone) {
    Write(file, "old entry\r\n");
    fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec, fs::perm_options::replace);
    if (std::ofstream(dir / "probe")) GTEST_SKIP() << "permissions do not bind this user";
    BestScores list;
    list.Add("1 --- d --- X");
    const std::string message = SaveBestScores(list, file).Error();
    EXPECT_NE(message.find(file), std::string::npos) << message;
    EXPECT_EQ(Read(file), "old entry\r\n");
}

TEST_F(BestScoresFileTest, MissingFolderIsReported) {
    BestScores list;
    const std::string target = (dir / "gone" / "s.frd").string();
    const std::string message = SaveBestScores(list, target).Error();
    EXPECT_EQ(message.rfind("Cannot save file \"" + target + "\". ", 0), 0u) << message;
}

TEST_F(BestScoresFileTest, MissingFileLeavesTheListEmpty) {
    BestScores list;
    EXPECT_EQ(LoadBestScores(list, file).Error(), "");
    EXPECT_TRUE(list.Empty());
}

TEST_F(BestScoresFileTest, ListWithEntriesIsNotReloaded) {
    Write(file, "1 --- d --- FROMFILE\r\n");
    BestScores list;
    list.Add("2 --- d --- HELD");
    EXPECT_EQ(LoadBestScores(list, file).Error(), "");
    EXPECT_EQ(list.Items(), std::vector<std::string>{"2 --- d --- HELD"});
}

TEST_F(BestScoresFileTest, FileThatCannotBeReadGivesTheOpenError) {
    fs::create_directory(file);
    BestScores list;
    EXPECT_EQ(LoadBestScores(list, file).Error(), "Cannot open file \"" + file + "\". Is a directory");
    EXPECT_TRUE(list.Empty());
}

TEST_F(BestScoresFileTest, UnreadableFileGivesTheOpenError) {
    Write(file, "1\r\n");
    fs::permissions(file, fs::perms::none, fs::perm_options::replace);
    if (std::ifstream(file)) GTEST_SKIP() << "permissions do not bind this user";
    BestScores list;
    EXPECT_EQ(LoadBestScores(list, file).Error(), "Cannot open file \"" + file + "\". Permission denied");
}

TEST_F(BestScoresFileTest, LoadsSortedAndDecoded) {
    EXPECT_EQ(Load("9 --- d --- Zo\xE9\r\n105 --- d --- ANNE\nabc\rlast"),
              (std::vector<std::string>{"105 --- d --- ANNE", "9 --- d --- Zo\xC3\xA9", "abc", "last"}));
}

struct KeptBytesCase {
    const char* name;
    std::string file;  // as found on disk, already in list order
    std::vector<std::string> shown;
};

void PrintTo(const KeptBytesCase& c, std::ostream* os) { *os << c.name; }

class KeptBytes : public BestScoresFileTest, public ::testing::WithParamInterface<KeptBytesCase> {};

// Whatever a line holds is shown without hiding anything and saved back
// exactly, and the lines around it are untouched.
TEST_P(KeptBytes, ShowsEveryByteAndSavesItBack) {
    BestScores loaded;
    EXPECT_EQ(RoundTrip(GetParam().file, &loaded), GetParam().file);
    EXPECT_EQ(loaded.Items(), GetParam().shown);
}

INSTANTIATE_TEST_SUITE_P(
    Lines, KeptBytes,
    ::testing::Values(KeptBytesCase{"nul_inside_a_line",
                                    "1 --- d --- A\r\n2 --- d\0 --- B\r\n3 --- d --- C\r\n"s,
                                    {"1 --- d --- A", "2 --- d\xEF\xBF\xBD --- B", "3 --- d --- C"}},
                      KeptBytesCase{"undefined_and_control_bytes",
                                    "12\t --- \x01"
                                    "d\x7F --- X\x81Y\x1B\r\n13 --- d --- Zo\xE9\r\n",
                                    {"12\xEF\xBF\xBD --- \xEF\xBF\xBD"
                                     "d\xEF\xBF\xBD --- X\xEF\xBF\xBDY\xEF\xBF\xBD",
                                     "13 --- d --- Zo\xC3\xA9"}},
                      KeptBytesCase{"empty_lines_stay_entries", "\r\n\r\n5 --- d --- E\r\n", {"", "", "5 --- d --- E"}},
                      KeptBytesCase{"long_line_is_not_cut", std::string(5000, 'x') + "\r\n", {std::string(5000, 'x')}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(BestScoresFileTest, EveryByteValueSurvivesASave) {
    std::string line;
    for (int b = 0; b < 256; ++b)
        if (b != '\r' && b != '\n') line += char(b);
    const std::string bytes = "0 --- d --- " + line + "\r\n1 --- d --- next\r\n";
    EXPECT_EQ(RoundTrip(bytes), bytes);
}

TEST_F(BestScoresFileTest, ElevenThousandEntriesSurviveWithTheNewOne) {
    std::vector<std::string> lines;
    for (int i = 0; i < 11000; ++i)
        lines.push_back(std::to_string(100 + i % 300) + " --- 0" + std::to_string(i % 9 + 1) + "/12/2026 --- P" +
                        std::to_string(i));
    BestScores ordered;
    ordered.AddLines(lines);
    const std::string bytes = FormatBestScores(ordered.Lines());
    Write(file, bytes);
    BestScores list;
    ASSERT_EQ(LoadBestScores(list, file).Error(), "");
    ASSERT_EQ(list.Size(), 11000u);
    list.Add("999 --- 08/12/2026 --- NEW");
    ASSERT_EQ(SaveBestScores(list, file).Error(), "");
    EXPECT_EQ(Read(file), bytes + "999 --- 08/12/2026 --- NEW\r\n");
}

TEST_F(BestScoresFileTest, ReadsPastTheOldMebibyteLimit) {
    std::string bytes;
    const std::string line = std::string(198, 'a') + "\r\n";
    while (bytes.size() < 2 * 1024 * 1024) bytes += line;
    bytes += "ZZ at the end\r\n";
    EXPECT_EQ(RoundTrip(bytes), bytes);
}

struct RefusedListCase {
    const char* name;
    std::size_t size;
    char fill;
    const char* reason;
};

void PrintTo(const RefusedListCase& c, std::ostream* os) { *os << c.name; }

class RefusedFile : public BestScoresFileTest, public ::testing::WithParamInterface<RefusedListCase> {};

// A file no game could have written is refused whole: nothing is loaded, so
// nothing cut can be saved over it.
TEST_P(RefusedFile, IsReportedAndLoadsNothing) {
    Write(file, std::string(GetParam().size, GetParam().fill));
    BestScores list;
    const std::string message = LoadBestScores(list, file).Error();
    EXPECT_EQ(message.rfind("Cannot open file \"" + file + "\". " + GetParam().reason, 0), 0u) << message;
    EXPECT_TRUE(list.Empty());
}

INSTANTIATE_TEST_SUITE_P(Files, RefusedFile,
                         ::testing::Values(RefusedListCase{"too_large", kBestScoresMaxBytes + 1, 'x', "File too large"},
                                           RefusedListCase{"too_many_lines", kBestScoresMaxEntries + 1, '\n',
                                                           "Too many lines"}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(BestScoresFileTest, ReadOnlyFileIsRefusedNotReplaced) {
    Write(file, "old entry\r\n");
    fs::permissions(file, fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read,
                    fs::perm_options::replace);
    BestScores list;
    list.Add("1 --- d --- X");
    const std::string message = SaveBestScores(list, file).Error();
    EXPECT_EQ(message.rfind("Cannot save file \"" + file + "\". ", 0), 0u) << message;
    EXPECT_EQ(Read(file), "old entry\r\n");
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all,
              fs::perms::owner_read | fs::perms::group_read | fs::perms::others_read);
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"s.frd"});
}

TEST_F(BestScoresFileTest, SaveKeepsTheFileMode) {
    Write(file, "old\r\n");
    fs::permissions(file, fs::perms::owner_read | fs::perms::owner_write, fs::perm_options::replace);
    BestScores list;
    list.Add("1 --- d --- X");
    ASSERT_EQ(SaveBestScores(list, file).Error(), "");
    EXPECT_EQ(fs::status(file).permissions() & fs::perms::all, fs::perms::owner_read | fs::perms::owner_write);
}

TEST_F(BestScoresFileTest, LinkIsKeptAndItsTargetUpdated) {
    fs::create_directories(dir / "real");
    const fs::path real = dir / "real" / "scores.txt";
    Write(real.string(), "old\r\n");
    fs::create_symlink(fs::path("real") / "scores.txt", file);
    BestScores list;
    list.Add("7 --- d --- LINK");
    ASSERT_EQ(SaveBestScores(list, file).Error(), "");
    EXPECT_TRUE(fs::is_symlink(file));
    EXPECT_EQ(Read(real.string()), "7 --- d --- LINK\r\n");
}

TEST_F(BestScoresFileTest, LoopOfLinksIsReported) {
    fs::create_symlink("s.frd", file);
    BestScores list;
    const std::string message = SaveBestScores(list, file).Error();
    EXPECT_EQ(message.rfind("Cannot save file \"" + file + "\". ", 0), 0u) << message;
}

std::vector<std::string> Entries(const std::string& bytes) { return ParseBestScores(bytes); }

TEST_F(BestScoresFileTest, SaveKeepsTheLineEndingOfTheFile) {
    for (const std::string ending : {"\n", "\r\n"}) {
        Write(file, "1 --- d --- A" + ending + "2 --- d --- B" + ending);
        BestScores list;
        ASSERT_EQ(LoadBestScores(list, file).Error(), "");
        list.Add("3 --- d --- C");
        ASSERT_EQ(MergeBestScores(list, file).Error(), "");
        EXPECT_EQ(Read(file), "1 --- d --- A" + ending + "2 --- d --- B" + ending + "3 --- d --- C" + ending);
    }
}

// One rule for load and save: whatever a save writes, the next load either
// reads whole or holds back as too large to show, and a held-back list is
// never cut: new entries go at its end.
TEST_F(BestScoresFileTest, ListNearTheLimitIsNeverCutAndAlwaysLoads) {
    const std::string line = std::string(60, 'x') + "\n";
    std::string bytes;
    while (bytes.size() + line.size() <= kBestScoresMaxBytes - 30) bytes += line;
    Write(file, bytes);  // fits with LF; would not with CR LF
    for (int close = 0; close < 3; ++close) {
        BestScores list;
        bool tooLarge = false;
        const std::string loaded = LoadBestScores(list, file, &tooLarge).Error();
        EXPECT_EQ(loaded.empty(), !tooLarge) << loaded;
        list.Add(std::to_string(close) + " --- d --- NEW");
        const Result<bool> saved = MergeBestScores(list, file);
        ASSERT_EQ(saved.Error(), "");
        const std::string after = Read(file);
        const std::vector<std::string> lines = Entries(after);
        EXPECT_EQ(std::count(lines.begin(), lines.end(), line.substr(0, 60)),
                  std::ptrdiff_t(bytes.size() / line.size()));
        EXPECT_EQ(lines.size(), bytes.size() / line.size() + close + 1) << "close " << close;
        EXPECT_EQ(after.find('\r'), std::string::npos) << "the file's LF became CR LF";
        EXPECT_EQ(saved.Value(), after.size() > kBestScoresMaxBytes);
    }
}

TEST_F(BestScoresFileTest, ListTooLargeToShowKeepsItsBytesAndGetsNewEntriesAtItsEnd) {
    const std::string bytes = std::string(kBestScoresMaxBytes + 5, 'y');  // last line unended
    Write(file, bytes);
    BestScores list;
    bool tooLarge = false;
    EXPECT_NE(LoadBestScores(list, file, &tooLarge).Error(), "");
    EXPECT_TRUE(tooLarge);
    list.Add("9 --- d --- NEW");
    const Result<bool> saved = MergeBestScores(list, file);
    ASSERT_EQ(saved.Error(), "");
    EXPECT_TRUE(saved.Value());
    EXPECT_EQ(Read(file), bytes + "\r\n9 --- d --- NEW\r\n");
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"s.frd"});
}

TEST_F(BestScoresFileTest, FifoIsRefusedAtOnceByLoadAndSave) {
    ASSERT_EQ(::mkfifo(file.c_str(), 0600), 0);
    BestScores list;
    EXPECT_EQ(LoadBestScores(list, file).Error(), "Cannot open file \"" + file + "\". Is a FIFO, not a file");
    list.Add("1 --- d --- X");
    EXPECT_EQ(MergeBestScores(list, file).Error(), "Cannot save file \"" + file + "\". Is a FIFO, not a file");
    EXPECT_EQ(SaveBestScores(list, file).Error(), "Cannot save file \"" + file + "\". Is a FIFO, not a file");
}

TEST_F(BestScoresFileTest, KilledSavesLeaveNothingAfterTheNextSave) {
    Write(file, "old\r\n");
    for (const char* left : {"s.frd.tmp", "s.frd.a1B2c3", "s.frd.XyZ789", "s.frd.lock"})
        Write((dir / left).string(), "x");
    for (const char* mine : {"s.frd.backup", "s.frd.old"}) Write((dir / mine).string(), "mine");  // not ours
    BestScores list;
    list.Add("1 --- d --- X");
    ASSERT_EQ(SaveBestScores(list, file).Error(), "");
    EXPECT_EQ(FolderEntries(), (std::vector<std::string>{"s.frd", "s.frd.backup", "s.frd.old"}));
}

// What each copy adds or clears is applied to the file as it is when that
// copy closes, in either order.
TEST_F(BestScoresFileTest, TwoCopiesLoseNothing) {
    struct Case {
        const char* name;
        bool firstClears;
        bool firstClosesFirst;
        std::vector<std::string> kept;
    };
    for (const Case& c : {Case{.name = "both_add_first_closes_first",
                         .firstClears = false,
                         .firstClosesFirst = true,
                         .kept = {"0 --- d --- OLD", "1 --- d --- FIRST", "2 --- d --- SECOND"}},
                          Case{.name = "both_add_second_closes_first",
                          .firstClears = false,
                          .firstClosesFirst = false,
                          .kept = {"0 --- d --- OLD", "1 --- d --- FIRST", "2 --- d --- SECOND"}},
                          Case{.name = "first_clears_after_adding",
                          .firstClears = true,
                          .firstClosesFirst = false,
                          .kept = {"2 --- d --- SECOND"}}}) {
        Write(file, "0 --- d --- OLD\r\n");
        BestScores first, second;
        ASSERT_EQ(LoadBestScores(first, file).Error(), "");
        ASSERT_EQ(LoadBestScores(second, file).Error(), "");
        first.Add("1 --- d --- FIRST");
        if (c.firstClears) first.Clear();
        second.Add("2 --- d --- SECOND");
        BestScores* order[] = {&first, &second};
        if (!c.firstClosesFirst) std::swap(order[0], order[1]);
        for (BestScores* list : order) ASSERT_EQ(MergeBestScores(*list, file).Error(), "") << c.name;
        EXPECT_EQ(Entries(Read(file)), c.kept) << c.name;
        EXPECT_EQ(order[1]->Lines(), c.kept) << c.name << ": the list closed last shows what was merged";
    }
}

// Real processes saving at the same moment: the lock lets no save overwrite
// another's entries.
TEST_F(BestScoresFileTest, ConcurrentCopiesKeepEveryEntry) {
    constexpr int kCopies = 4;
    constexpr int kSaves = 20;
    std::vector<pid_t> children;
    for (int copy = 0; copy < kCopies; ++copy) {
        const pid_t pid = ::fork();
        ASSERT_GE(pid, 0);
        if (pid == 0) {
            BestScores list;
            bool ok = LoadBestScores(list, file).Ok();
            for (int save = 0; save < kSaves && ok; ++save) {
                list.Add(std::to_string(copy) + " --- " + std::to_string(save) + " --- P");
                ok = MergeBestScores(list, file).Ok();
            }
            std::_Exit(ok ? 0 : 1);
        }
        children.push_back(pid);
    }
    for (const pid_t pid : children) {
        int status = 0;
        ASSERT_EQ(::waitpid(pid, &status, 0), pid);
        EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
    }
    EXPECT_EQ(Entries(Read(file)).size(), std::size_t(kCopies * kSaves));
    EXPECT_EQ(FolderEntries(), std::vector<std::string>{"s.frd"});
}

TEST(BestScoresLists, TheOtherListJoinsOnceWithoutRepeats) {
    BestScores list;
    list.AddLines({"1 --- d --- A", "2 --- d --- B", "2 --- d --- B"});
    list.AddMissingLines({"2 --- d --- B", "3 --- d --- C", "1 --- d --- A", "3 --- d --- C"});
    EXPECT_EQ(list.Lines(), (std::vector<std::string>{"1 --- d --- A", "2 --- d --- B", "2 --- d --- B",
                                                      "3 --- d --- C", "3 --- d --- C"}));
    EXPECT_EQ(list.CarriedLines(), (std::vector<std::string>{"3 --- d --- C", "3 --- d --- C"}));
    EXPECT_TRUE(list.AddedLines().empty());
}

}  // namespace
