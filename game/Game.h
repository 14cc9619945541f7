#pragma once
// The main window's rules: the game state, the score sheet, the language
// lines and every handler of the main window, free of any toolkit. The window
// forwards its events here and mirrors `controls` afterwards.

#include <array>
#include <string>
#include <vector>

#include "BestScores.h"
#include "GameState.h"
#include "MainControls.h"
#include "Ports.h"
#include "ScoreSheet.h"
#include "SetupForm.h"

namespace quimba {

class Game;

// Told of the moments a replay or a trace needs; the game works without one.
class GameObserver {
public:
    virtual ~GameObserver() = default;
    virtual void OnThrow(const Game&) {}                               // after a throw's analysis
    virtual void OnWrite(const Game&, int /*column*/, int /*row*/) {}  // a chosen row written
    virtual void OnTally(const Game&, int /*column*/) {}               // rows 7, 8, 16 rewritten
    virtual void OnEnd(const Game&, const std::string& /*winner*/, int /*score*/) {}
};

class Game {
public:
    Game(RandomSource& random, Clock& clock, GameView& view);

    GameState S;
    ScoreSheet Grid;
    MainControls controls;
    SetupForm Form2;
    BestScores ListBoxScore;
    std::vector<std::string> T;  // the language file's lines

    // Line n of the language file; a line the file lacks reads as empty, or
    // as its built-in wording for the lines added after the first 93.
    const std::string& Line(int n) const;

    // Main window shown: reads the settings store.
    void FormShow(SettingsStore& store);
    // Main window closing: writes the settings store, but only after the
    // window was shown, so a failed start-up never overwrites stored values.
    void FormClose(SettingsStore& store);
    bool Shown() const { return shown_; }

    // The throw (roll button, or the computer's timer).
    void Button1Click();

    // Animation frame and the dice table's mouse.
    void FrameTimerTimer();
    void DiceTableMouseDown(int x, int y);
    void DiceTableMouseMove(int x, int y);
    void DiceTableInitialize();
    void DiceTableRestoreSurface();
    // Board, the five dice and their keep marks, then present.
    void DrawStillTable();

    // Whether a click on the dice table may keep or release dice now.
    bool DicePickable() const;

    // Keyboard play. Each key stands for a click and passes the same tests;
    // none acts for a computer player. True when the key changed something.
    bool KeyDie(int die);      // keys 1..5: keep or release that die only
    bool KeyThrow();           // Space: the roll button
    bool KeyEnter();           // writes the row under the sheet cursor, else throws
    bool KeyCursor(int step);  // Up (-1) and Down (+1) over the current column
    void KeyEscape();          // hides the sheet cursor
    // Row of the sheet cursor in column joueur; -1 while it is hidden.
    int SheetCursorRow() const;

    // The score sheet's selection event and mouse.
    void GridSelectCell(int column, int row);
    void GridMouseMove(int x, int y);

    // The computer's choice of row, then the tally and turn change.
    void compteordi();
    // The computer's turn, one step per tick of Timerordi.
    void TimerordiTimer();
    // The computer's choice of dice to keep.
    void ordijoue();
    // Number of dice showing a face.
    int NombreNum(int face) const;
    // What a chosen row earns with the current player's last throw; -1 for
    // the name row and the computed rows, which are never scored.
    int RowScore(int row) const;

    RandomSource& random;
    Clock& clock;
    GameView& view;
    GameObserver* observer = nullptr;

    // How the players named "CPU" play: 1 "Classique", the ladder of the
    // rules; 2 "Expert", the exact best play of the strategy table.
    int niveau = 1;
    // A level for one column only (the simulator's mixed tables); 0 takes
    // `S.niveau`.
    std::array<int, kColumns> niveaujoueur{};
    // The expert's tables; an expert waits on the timer while its table is
    // not ready.
    StrategySource* strategies = nullptr;
    // The level a column plays at, and whether it is a computer playing
    // the exact best play.
    int Level(int column) const;
    bool Expert(int column) const;

    // Writes a chosen row of the current column and tells the observer.
    void WriteCell(int row, std::string text);

private:
    // The computer's choice of row; true when it wrote a cell.
    bool choixordi();
    // The same two decisions made by the strategy table.
    bool choixexpert();
    void expertjoue();
    const StrategyTable* expertTable() const;
    // Tally, forced row, turn change and end of game.
    void tally();
    void endOfGame();

    // A kept die goes back to the throw, a free one is kept.
    void ToggleKeep(int die);
    bool shown_ = false;
    // The stored best score as read, and the number it counted as: the text
    // goes back unchanged unless a game has beaten it.
    std::string highscoreText_;
    int highscoreValue_ = 0;

    // The sheet cursor belongs to one throw of one turn: a throw or a turn
    // change hides it, so Enter goes back to throwing.
    struct SheetCursor {
        int row = -1;
        int joueur = -1;
        int tour = -1;
        int nblancers = -1;
    } cursor_;
    bool SheetPickable() const;
};

}  // namespace quimba
