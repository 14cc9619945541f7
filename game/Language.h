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
// The file's first edition held this many lines (0 to 92); the lines added
// since fall back to their built-in wording.
inline constexpr int kLanguageLineCount = 93;

enum class Window { Main, Setup, Help, BestScores };

// Lines the game has read since the file first had 93 lines (0 to 92), each
// added after the last. A file that stops before them still loads: the
// missing ones read as the built-in French wording (BuiltInLine).
inline constexpr int kFirstAddedLine = 93;
inline constexpr int kLineConseil = 93;         // head of an advice: "Conseil :"
inline constexpr int kLineKeep = 94;            // before the faces to keep
inline constexpr int kLineRelancer = 95;        // after them: throw the others
inline constexpr int kLineToutRelancer = 96;    // nothing worth keeping
inline constexpr int kLineEsperance = 97;       // before an expected final score
inline constexpr int kLineEcrireEn = 98;        // before the row to write
inline constexpr int kLineLigne = 99;           // before the number of rows 1 to 6
inline constexpr int kLineHorsScores = 100;     // said once: the game leaves the best scores
inline constexpr int kLinePreparation = 101;    // the strategy is still being computed
inline constexpr int kLineMaintenant = 102;     // sheet tooltip: what the row gives now
inline constexpr int kLineDeMoins = 103;        // sheet tooltip: the cost against the best
inline constexpr int kLineMeilleurChoix = 104;  // sheet tooltip: the row is the best play
inline constexpr int kLineNiveau = 105;         // setup dialog: the computer's level
inline constexpr int kLineClassique = 106;
inline constexpr int kLineExpert = 107;
// The keys of the game, listed in the help dialog under the rules.
inline constexpr int kFirstKeyHelpLine = 108;
inline constexpr int kKeyHelpLines = 4;
// The commands once laid out in French only: the main window's five, the
// setup's two.
inline constexpr int kLineNewGame = 112;
inline constexpr int kLineQuit = 113;
inline constexpr int kLineShowScores = 114;
inline constexpr int kLineHelp = 115;
inline constexpr int kLineThrow = 116;
inline constexpr int kLineStart = 117;
inline constexpr int kLineBack = 118;
// What screen readers hear of the controls that show no text of their own.
inline constexpr int kLineSheetName = 119;
inline constexpr int kLineDiceTableName = 120;
inline constexpr int kLineStatusLineName = 121;
inline constexpr int kLineResultName = 122;
inline constexpr int kLineBestScoreName = 123;
inline constexpr int kLineDiePictureName = 124;
inline constexpr int kLineFewerPlayers = 125;
inline constexpr int kLineMorePlayers = 126;
// Patterns: %1, %2 stand for what the game puts in.
inline constexpr int kLineDieName = 127;   // "Dé %1": the die's number
inline constexpr int kLineDieKept = 128;   // "%1, gardé": the die's name
inline constexpr int kLineLabelled = 129;  // "%1 : %2": a name and its value
// The language's decimal mark, alone on its line.
inline constexpr int kLineDecimalMark = 130;
inline constexpr int kLineSettingsNotSaved = 131;  // a message at quit
inline constexpr int kLineClearAllQuestion = 132;  // "Effacer tout" asks first
inline constexpr int kLineYes = 133;
inline constexpr int kLineNo = 134;
// The help on the game types, the computer's levels and the advice, shown
// before the keys.
inline constexpr int kFirstMoreHelpLine = 135;
inline constexpr int kMoreHelpLines = 6;
// The history window's texts, in the order of HistoryText (ui/HistoryModel.h).
inline constexpr int kFirstHistoryLine = 141;
inline constexpr int kHistoryLines = 36;
// Resuming, taking a row back and the games file's notices.
inline constexpr int kLineGameResumed = kFirstHistoryLine + kHistoryLines;
inline constexpr int kLineRowTakenBack = kLineGameResumed + 1;
inline constexpr int kLineUndoAfterThrow = kLineGameResumed + 2;
inline constexpr int kLineUndoAfterEnd = kLineGameResumed + 3;
inline constexpr int kLineNothingToUndo = kLineGameResumed + 4;
inline constexpr int kLineRecordingNotice = kLineGameResumed + 5;
// The games file's notices, in the order of store::StoreNotice::Kind (None
// has no line); the system's own detail follows on a line of its own.
inline constexpr int kFirstStoreNoticeLine = kLineRecordingNotice + 1;
inline constexpr int kStoreNoticeLines = 7;
// The review window's and the final standings' texts, in the order of
// ReviewText (ui/ReviewWindow.h).
inline constexpr int kFirstReviewLine = kFirstStoreNoticeLine + kStoreNoticeLines;
inline constexpr int kReviewLines = 46;
inline constexpr int kLastAddedLine = kFirstReviewLine + kReviewLines - 1;

// The wording of an added line when the file lacks it; empty for any other line.
const std::string& BuiltInLine(int n);

// One caption that start-up takes from the language file. `control` is the
// control's name in its window ("caption" is the window's own title).
struct CaptionTarget {
    int line;
    Window window;
    const char* control;
};

// The captions in the order they are loaded.
const std::vector<CaptionTarget>& CaptionLoadOrder();
// Captions from the added lines, loaded after those; a file without the
// lines gives them their built-in wording instead of failing.
const std::vector<CaptionTarget>& AddedCaptions();

// What a screen reader is told of a control, besides its caption.
enum class Spoken { Name, Description };
struct SpokenTarget {
    int line;
    Window window;
    const char* control;
    Spoken what;
};
const std::vector<SpokenTarget>& SpokenTexts();

// A larger file is refused whole; the game needs far less.
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
