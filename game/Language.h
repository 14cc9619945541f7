#pragma once
// The language file: every caption and message of the game, one per line,
// addressed by line number (the first line is line 0).

#include <string>
#include <vector>

#include "Result.h"

namespace quimba {

inline constexpr const char* kLanguageFileName = "francais.lan";

// Lines read again during play.
inline constexpr int kLinePlayer = 19;         // the word for a player, heads the status line
inline constexpr int kLineYourTurn = 77;       // status line ending at the start of a turn
inline constexpr int kLineThrowNumber = 78;    // before the throw count in the status line
inline constexpr int kLineThreeOfAKind = 79;   // followed by the face
inline constexpr int kLineFourOfAKind = 80;    // followed by the face
inline constexpr int kLineFiveOfAKind = 81;    // followed by the face
inline constexpr int kLineFullHouse = 82;      // followed by the face of the three
inline constexpr int kLineFullHouseAnd = 83;   // between the two faces of a full house
inline constexpr int kLineSmallStraight = 84;  // 1 to 5
inline constexpr int kLineLargeStraight = 85;  // 2 to 6
inline constexpr int kLineWinnerBefore = 91;   // before the winner's name and score
inline constexpr int kLineWinnerAfter = 92;    // after them
// Line 92 is the last one read, so a complete file holds this many lines.
inline constexpr int kLanguageLineCount = 93;

enum class Window { Main, Setup, Help, BestScores };

// One caption that start-up takes from the language file. `control` is the
// control's name in its window ("caption" is the window's own title).
struct CaptionTarget {
    int line;
    Window window;
    const char* control;
};

// The captions in the order they are loaded.
const std::vector<CaptionTarget>& CaptionLoadOrder();

// Only the first MiB of the file is read; the game needs far less.
inline constexpr std::size_t kLanguageMaxBytes = 1024 * 1024;

// Reads and checks the file, giving its lines as UTF-8, as many as it holds.
// A file that cannot be opened fails with
// "Cannot open file "<path>". <reason>"; one too short for the captions with
// "List index out of bounds (<first missing line>)".
Result<std::vector<std::string>> LoadLanguageFile(const std::string& path);
Result<std::vector<std::string>> ParseLanguage(const std::string& bytes);

// Line n of the loaded lines; a line the file lacks reads as empty.
const std::string& LanguageLine(const std::vector<std::string>& lines, int n);

}  // namespace quimba
