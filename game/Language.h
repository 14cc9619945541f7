#pragma once
// The language file: every caption and message of the game, one per line,
// addressed by line number (the first line is line 0).

#include <string>
#include <vector>

namespace quimba {

inline constexpr const char* kLanguageFileName = "francais.lan";

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

struct LanguageLoad {
    bool ok = false;
    std::string error;               // the message shown when start-up fails
    std::vector<std::string> lines;  // UTF-8, as many as the file holds
};

// Reads and checks the file. A file that cannot be opened gives
// "Cannot open file "<path>". <reason>"; one too short for the captions gives
// "List index out of bounds (<first missing line>)".
LanguageLoad LoadLanguageFile(const std::string& path);

// The keys of the game, listed in the help dialog under the rules. Files
// written before the keyboard existed lack these lines; the built-in wording
// then stands in.
inline constexpr int kFirstKeyHelpLine = 93;
inline constexpr int kKeyHelpLines = 4;
// Built-in wording of key help line kFirstKeyHelpLine + i.
const char* KeyHelpBuiltIn(int i);
LanguageLoad ParseLanguage(const std::string& bytes);

}  // namespace quimba
