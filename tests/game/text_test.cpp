// Text files: lines split at every line end, Windows-1252 both ways, and the language file's checks.
#include <gtest/gtest.h>

#include <sys/stat.h>

#include <cstdio>

#include "Cp1252.h"
#include "Language.h"
#include "TestSupport.h"
#include "TextLines.h"

using namespace quimba;

namespace {

struct SplitCase {
    const char* name;
    std::string bytes;
    std::vector<std::string> lines;
};

class SplitLinesTest : public ::testing::TestWithParam<SplitCase> {};

TEST_P(SplitLinesTest, SplitsAtEveryLineEnd) { EXPECT_EQ(SplitLines(GetParam().bytes), GetParam().lines); }

INSTANTIATE_TEST_SUITE_P(Endings, SplitLinesTest,
                         ::testing::Values(SplitCase{"crlf", "a\r\nb\r\n", {"a", "b"}},
                                           SplitCase{"lf", "a\nb\n", {"a", "b"}}, SplitCase{"cr", "a\rb\r", {"a", "b"}},
                                           SplitCase{"mixed", "a\r\nb\nc\rd", {"a", "b", "c", "d"}},
                                           SplitCase{"no_final_end", "a\r\nb", {"a", "b"}},
                                           SplitCase{"empty_lines_kept", "\r\n\r\nx\r\n\r\n", {"", "", "x", ""}},
                                           SplitCase{"cr_cr_lf_is_two_ends", "a\r\r\nb", {"a", "", "b"}},
                                           SplitCase{"lf_cr_is_two_ends", "a\n\rb", {"a", "", "b"}},
                                           SplitCase{"blanks_kept", "  Type de jeu \r\n", {"  Type de jeu "}},
                                           SplitCase{"nul_ends_text", std::string("a\r\nb\0c\r\nd", 9), {"a", "b"}},
                                           SplitCase{"nul_first", std::string("\0abc", 4), {}},
                                           SplitCase{"empty_file", "", {}}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(Cp1252, DecodesEveryHighByte) {
    EXPECT_EQ(Cp1252ToUtf8("\xE9\xE0\xE7"), "\xC3\xA9\xC3\xA0\xC3\xA7");  // é à ç
    EXPECT_EQ(Cp1252ToUtf8("\x80"), "\xE2\x82\xAC");                      // euro sign, not U+0080
    EXPECT_EQ(Cp1252ToUtf8("\x9C"), "\xC5\x93");                          // oe ligature
    EXPECT_EQ(Cp1252ToUtf8("\x92"), "\xE2\x80\x99");                      // right quote
    EXPECT_EQ(Cp1252ToUtf8("\x81"), "\xC2\x81");                          // undefined: C1 control
    EXPECT_EQ(Cp1252ToUtf8("\xFF"), "\xC3\xBF");
}

TEST(Cp1252, RoundTripsAllBytes) {
    std::string all;
    for (int b = 1; b < 256; ++b) all += char(b);
    EXPECT_EQ(Utf8ToCp1252(Cp1252ToUtf8(all)), all);
}

TEST(Cp1252, UnmappableAndMalformedBecomeQuestionMarks) {
    EXPECT_EQ(Utf8ToCp1252("\xE4\xB8\xAD"), "?");      // a CJK character
    EXPECT_EQ(Utf8ToCp1252("a\xC3"), "a?");            // truncated sequence
    EXPECT_EQ(Utf8ToCp1252("\xC3(b"), "?(b");          // bad continuation
    EXPECT_EQ(Utf8ToCp1252("\xF0\x9F\x8E\xB2"), "?");  // a die emoji
}

// Each byte of a form the standard forbids is malformed on its own: an
// overlong line feed must never end a best-scores entry.
TEST(Cp1252, ForbiddenFormsNeverSpellTheirCharacter) {
    struct Case {
        const char* name;
        std::string utf8;
        std::string bytes;
    };
    for (const Case& c : {Case{.name = "overlong_line_feed",
                         .utf8 = "a\xC0\x8A"
                                 "b",
                         .bytes = "a??b"},
                          Case{.name = "overlong_nul", .utf8 = "\xC0\x80", .bytes = "??"},
                          Case{.name = "overlong_three_bytes", .utf8 = "\xE0\x80\x8D", .bytes = "???"},
                          Case{.name = "overlong_four_bytes", .utf8 = "\xF0\x80\x80\x8A", .bytes = "????"},
                          Case{.name = "surrogate", .utf8 = "\xED\xA0\x80", .bytes = "???"},
                          Case{.name = "past_the_last_code_point", .utf8 = "\xF4\x90\x80\x80", .bytes = "????"}})
        EXPECT_EQ(Utf8ToCp1252(c.utf8), c.bytes) << c.name;
}

std::string Lines(int n) {
    std::string bytes;
    for (int i = 0; i < n; ++i) bytes += "line" + std::to_string(i) + "\r\n";
    return bytes;
}

TEST(LanguageFile, ShortFileNamesFirstMissingLineInLoadOrder) {
    struct Row {
        int lines;
        const char* error;
    };
    for (const Row& row : {Row{0, "List index out of bounds (1)"}, Row{1, "List index out of bounds (1)"},
                           Row{10, "List index out of bounds (10)"}, Row{36, "List index out of bounds (46)"},
                           Row{57, "List index out of bounds (58)"}, Row{59, "List index out of bounds (89)"},
                           Row{89, "List index out of bounds (89)"}, Row{90, "List index out of bounds (90)"}}) {
        const auto load = ParseLanguage(Lines(row.lines));
        EXPECT_FALSE(load.Ok()) << row.lines;
        EXPECT_EQ(load.Error(), row.error) << row.lines;
    }
}

TEST(LanguageFile, NinetyOneLinesPassStartUp) {
    const auto load = ParseLanguage(Lines(91));
    EXPECT_TRUE(load.Ok());
    EXPECT_EQ(load.Value().size(), 91u);
}

// The game's first files stop at line 92; they still load, and the lines
// added since read as their French wording, while a file that has them wins.
TEST(LanguageFile, AddedLinesFallBackToBuiltInFrench) {
    auto load = ParseLanguage(Lines(93));
    ASSERT_TRUE(load.Ok()) << load.Error();
    quimba::testing::Harness h;
    h.game.T = load.Value();
    EXPECT_EQ(h.game.Line(92), "line92");
    EXPECT_EQ(h.game.Line(kLineConseil), "Conseil :");
    EXPECT_EQ(h.game.Line(kLineEsperance), "espérance");
    EXPECT_EQ(h.game.Line(kLineExpert), "Expert");
    EXPECT_EQ(h.game.Line(kLastAddedLine + 1), "");
    for (int n = kFirstAddedLine; n <= kLastAddedLine; ++n) EXPECT_NE(h.game.Line(n), "") << n;

    load = ParseLanguage(Lines(kLineKeep + 1));  // has line 93 and 94 only
    h.game.T = load.Value();
    EXPECT_EQ(h.game.Line(kLineConseil), "line93");
    EXPECT_EQ(h.game.Line(kLineKeep), "line94");
    EXPECT_EQ(h.game.Line(kLineRelancer), "relancer");
    // A short file keeps reading the original lines it lacks as empty.
    h.game.T.resize(91);
    EXPECT_EQ(h.game.Line(91), "");
}

// The shipped file carries the added lines itself, with the same wording.
TEST(LanguageFile, ShippedFileHasTheAddedLines) {
    const auto load = LoadLanguageFile(std::string(QUIMBA_DATA_DIR) + "/francais.lan");
    ASSERT_TRUE(load.Ok()) << load.Error();
    ASSERT_GT(load.Value().size(), std::size_t(kLastAddedLine));
    for (int n = kFirstAddedLine; n <= kLastAddedLine; ++n) EXPECT_EQ(load.Value()[n], BuiltInLine(n)) << n;
}

TEST(LanguageFile, MissingFileGivesOpenErrorWithReason) {
    const auto load = LoadLanguageFile("/nonexistent/francais.lan");
    EXPECT_FALSE(load.Ok());
    EXPECT_EQ(load.Error(), "Cannot open file \"/nonexistent/francais.lan\". No such file or directory");
}

TEST(LanguageFile, FolderInsteadOfFileIsAnOpenError) {
    const auto load = LoadLanguageFile("/tmp");
    EXPECT_FALSE(load.Ok());
    EXPECT_EQ(load.Error().rfind("Cannot open file \"/tmp\". ", 0), 0u) << load.Error();
}

TEST(LanguageFile, FileOverTheCapIsRefusedNotCut) {
    // A damaged file that never ends must not be read into memory, nor
    // shown cut as if it were a short file.
    const std::string path = ::testing::TempDir() + "huge_francais.lan";
    const std::string head = Lines(kLanguageLineCount - 1);
    {
        std::FILE* f = std::fopen(path.c_str(), "wb");
        ASSERT_NE(f, nullptr);
        std::fwrite(head.data(), 1, head.size(), f);
        const std::string tail(3 * kLanguageMaxBytes, 'x');
        std::fwrite(tail.data(), 1, tail.size(), f);
        std::fclose(f);
    }
    const auto load = LoadLanguageFile(path);
    std::remove(path.c_str());
    EXPECT_EQ(load.Error(), "Cannot open file \"" + path + "\". File too large (more than 1 MiB)");
}

TEST(LanguageFile, FifoOrDeviceIsRefusedAtOnce) {
    const std::string fifo = ::testing::TempDir() + "fifo_francais.lan";
    std::remove(fifo.c_str());
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    // With no writer, opening a FIFO to read it would wait for ever.
    const auto fromFifo = LoadLanguageFile(fifo);
    std::remove(fifo.c_str());
    EXPECT_EQ(fromFifo.Error(), "Cannot open file \"" + fifo + "\". Is a FIFO, not a file");
    EXPECT_EQ(LoadLanguageFile("/dev/zero").Error(), "Cannot open file \"/dev/zero\". Is a device, not a file");
}

TEST(LanguageFile, CaptionOrderStartsWithHelpAndEndsWithBestScoreLabel) {
    const auto& order = CaptionLoadOrder();
    ASSERT_FALSE(order.empty());
    EXPECT_EQ(order.front().line, 1);
    EXPECT_EQ(order.front().window, Window::Help);
    EXPECT_EQ(order.back().line, 89);
    EXPECT_EQ(order.back().window, Window::Main);
    EXPECT_STREQ(order.back().control, "Label22");
    int checkBoxes = 0;
    for (const auto& t : order)
        if (t.line == 52) ++checkBoxes;
    EXPECT_EQ(checkBoxes, 5);
}

}  // namespace
