#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "BestScores.h"
#include "BestScoresFile.h"

using namespace quimba;
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
    ::testing::Values(
        OrderCase{"scores_compare_as_text",
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
        OrderCase{"prefix_first", {"12 --- d --- AB", "12 --- d --- A"}, {"12 --- d --- A", "12 --- d --- AB"}},
        OrderCase{"same_text_twice", {"1", "1"}, {"1", "1"}}),
    [](const auto& info) { return std::string(info.param.name); });

// Each test works in a folder of its own under the temporary folder.
class BestScoresFileTest : public ::testing::Test {
protected:
    fs::path dir;
    std::string file;
    void SetUp() override {
        const auto* info = ::testing::UnitTest::GetInstance()->current_test_info();
        dir = fs::temp_directory_path() /
              ("quimba_scores_" + std::to_string(::getpid()) + "_" + info->name());
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
    static std::string Read(const std::string& path) {
        std::ifstream in(path, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    }
    std::vector<std::string> Load(const std::string& bytes) {
        Write(file, bytes);
        BestScores list;
        EXPECT_EQ(LoadBestScores(list, file), "");
        return list.Items();
    }
};

TEST_F(BestScoresFileTest, SavesEveryEntryInWindows1252WithCrLf) {
    BestScores list;
    list.Add("98 --- 08/12/2026 --- Zo\xC3\xA9");
    list.Add("105 --- 07/12/2026 --- ANNE");
    ASSERT_EQ(SaveBestScores(list, file), "");
    EXPECT_EQ(Read(file), "105 --- 07/12/2026 --- ANNE\r\n98 --- 08/12/2026 --- Zo\xE9\r\n");
    EXPECT_FALSE(fs::exists(file + ".new"));
}

TEST_F(BestScoresFileTest, EmptyListGivesAnEmptyFile) {
    Write(file, "old\r\n");
    ASSERT_EQ(SaveBestScores(BestScores{}, file), "");
    EXPECT_TRUE(fs::exists(file));
    EXPECT_EQ(Read(file), "");
}

TEST_F(BestScoresFileTest, LineBreaksInsideAnEntryDoNotSplitIt) {
    BestScores list;
    list.Add("12 --- a\r\nb --- X");
    ASSERT_EQ(SaveBestScores(list, file), "");
    EXPECT_EQ(Read(file), "12 --- ab --- X\r\n");
}

TEST_F(BestScoresFileTest, SavedListLoadsBackTheSame) {
    BestScores list;
    for (const char* e : {"3 --- d --- \xC3\x89lo\xC3\xAF", "20 --- d --- CPU", "150 --- d --- bob"}) list.Add(e);
    ASSERT_EQ(SaveBestScores(list, file), "");
    BestScores again;
    ASSERT_EQ(LoadBestScores(again, file), "");
    EXPECT_EQ(again.Items(), list.Items());
}

TEST_F(BestScoresFileTest, FailedSaveKeepsTheOldFile) {
    Write(file, "old entry\r\n");
    // The new text cannot be written beside the target.
    fs::create_directory(file + ".new");
    BestScores list;
    list.Add("1 --- d --- X");
    const std::string message = SaveBestScores(list, file);
    EXPECT_NE(message.find(file), std::string::npos) << message;
    EXPECT_EQ(Read(file), "old entry\r\n");
}

TEST_F(BestScoresFileTest, TargetThatIsAFolderIsReportedAndLeftAlone) {
    fs::create_directory(file);
    Write((fs::path(file) / "inside").string(), "x");
    BestScores list;
    list.Add("1 --- d --- X");
    const std::string message = SaveBestScores(list, file);
    EXPECT_NE(message.find(file), std::string::npos) << message;
    EXPECT_TRUE(fs::is_directory(file));
    EXPECT_EQ(Read((fs::path(file) / "inside").string()), "x");
    EXPECT_FALSE(fs::exists(file + ".new")) << "no half-written file is left behind";
}

TEST_F(BestScoresFileTest, ReadOnlyFolderIsReportedAndLeftAlone) {
    Write(file, "old entry\r\n");
    fs::permissions(dir, fs::perms::owner_read | fs::perms::owner_exec, fs::perm_options::replace);
    if (std::ofstream(dir / "probe")) GTEST_SKIP() << "permissions do not bind this user";
    BestScores list;
    list.Add("1 --- d --- X");
    const std::string message = SaveBestScores(list, file);
    EXPECT_NE(message.find(file), std::string::npos) << message;
    EXPECT_EQ(Read(file), "old entry\r\n");
}

TEST_F(BestScoresFileTest, MissingFolderIsReported) {
    BestScores list;
    const std::string target = (dir / "gone" / "s.frd").string();
    const std::string message = SaveBestScores(list, target);
    EXPECT_EQ(message.rfind("Cannot save file \"" + target + "\". ", 0), 0u) << message;
}

TEST_F(BestScoresFileTest, MissingFileLeavesTheListEmpty) {
    BestScores list;
    EXPECT_EQ(LoadBestScores(list, file), "");
    EXPECT_TRUE(list.Empty());
}

TEST_F(BestScoresFileTest, ListWithEntriesIsNotReloaded) {
    Write(file, "1 --- d --- FROMFILE\r\n");
    BestScores list;
    list.Add("2 --- d --- HELD");
    EXPECT_EQ(LoadBestScores(list, file), "");
    EXPECT_EQ(list.Items(), std::vector<std::string>{"2 --- d --- HELD"});
}

TEST_F(BestScoresFileTest, FileThatCannotBeReadGivesTheOpenError) {
    fs::create_directory(file);
    BestScores list;
    EXPECT_EQ(LoadBestScores(list, file), "Cannot open file \"" + file + "\". Is a directory");
    EXPECT_TRUE(list.Empty());
}

TEST_F(BestScoresFileTest, UnreadableFileGivesTheOpenError) {
    Write(file, "1\r\n");
    fs::permissions(file, fs::perms::none, fs::perm_options::replace);
    if (std::ifstream(file)) GTEST_SKIP() << "permissions do not bind this user";
    BestScores list;
    EXPECT_EQ(LoadBestScores(list, file), "Cannot open file \"" + file + "\". Permission denied");
}

TEST_F(BestScoresFileTest, LoadsSortedAndDecoded) {
    EXPECT_EQ(Load("9 --- d --- Zo\xE9\r\n105 --- d --- ANNE\nabc\rlast"),
              (std::vector<std::string>{"105 --- d --- ANNE", "9 --- d --- Zo\xC3\xA9", "abc", "last"}));
}

TEST_F(BestScoresFileTest, ControlCharactersAreDropped) {
    EXPECT_EQ(Load("12\t --- \x01" "d\x7F --- X\x81Y\x1B\r\n"), std::vector<std::string>{"12 --- d --- XY"});
}

TEST_F(BestScoresFileTest, NulEndsTheText) {
    EXPECT_EQ(Load(std::string("1 --- d --- A\r\n2 --- d\0 --- B\r\n3\r\n", 30)),
              (std::vector<std::string>{"1 --- d --- A", "2 --- d"}));
}

TEST_F(BestScoresFileTest, EveryByteValueLoadsWithoutControls) {
    std::string all;
    for (int round = 0; round < 50; ++round)
        for (int b = 1; b < 256; ++b) all += char(b);
    const auto entries = Load(all);
    ASSERT_FALSE(entries.empty());
    for (const auto& e : entries) {
        for (unsigned char c : e) EXPECT_FALSE(c < 0x20 || c == 0x7F) << int(c);
        EXPECT_EQ(e.find("\xC2\x81"), std::string::npos);
    }
}

TEST_F(BestScoresFileTest, LongLinesAreCutAtTwoHundredCharacters) {
    std::string accented(300, '\xE9');
    const auto entries = Load(std::string(5000, 'x') + "\r\n" + accented + "\r\n");
    ASSERT_EQ(entries.size(), 2u);
    EXPECT_EQ(entries[0], std::string(200, 'x'));
    std::string cut;
    for (int i = 0; i < 200; ++i) cut += "\xC3\xA9";
    EXPECT_EQ(entries[1], cut);
}

TEST_F(BestScoresFileTest, OnlyTheFirstMebibyteIsRead) {
    std::string bytes;
    const std::string line = std::string(198, 'a') + "\r\n";  // 200 bytes a line
    while (bytes.size() < kBestScoresMaxBytes + 10 * line.size()) bytes += line;
    bytes += "ZZ beyond the limit\r\n";
    const auto entries = Load(bytes);
    // 1 MiB holds 5242 whole lines and the start of one more.
    ASSERT_EQ(entries.size(), 5243u);
    // The cut line is a prefix of the others, so it sorts first.
    EXPECT_EQ(entries.front(), std::string(kBestScoresMaxBytes % 200, 'a'));
    for (const auto& e : entries) ASSERT_EQ(e.find('Z'), std::string::npos);
}

TEST_F(BestScoresFileTest, AtMostTenThousandEntries) {
    std::string bytes;
    for (int i = 0; i < 20000; ++i) bytes += std::to_string(i % 10) + "\r";
    const auto entries = Load(bytes);
    EXPECT_EQ(entries.size(), 10000u);
    EXPECT_EQ(entries.front(), "0");
    EXPECT_EQ(entries.back(), "9");
}

TEST_F(BestScoresFileTest, FileOfLineEndsOnlyIsCapped) {
    const auto entries = Load(std::string(kBestScoresMaxBytes * 2, '\n'));
    EXPECT_EQ(entries.size(), 10000u);
    EXPECT_EQ(entries.front(), "");
}

}  // namespace
