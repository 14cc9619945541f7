#pragma once
// The main window's rules: the game state, the score sheet, the language
// lines and every handler of the main window, free of any toolkit. The window
// forwards its events here and mirrors `controls` afterwards.
//
// Where each part of Game lives:
//   Game.cpp           commands, the event stream, the setup dialog's edits
//   Throw.cpp          a throw: the new faces, their places, their analysis
//   Animation.cpp      the roll animation and picking dice with the mouse
//   PersonPick.cpp     a person's pick of a row, scored by ScoringRule.h
//   Tally.cpp          adding a column up, the turn handed on, the game's end
//   Keyboard.cpp       every key as the click it stands for
//   ComputerTurn.cpp   the computer's turn, tick by tick
//   ComputerChoice.cpp the row a computer writes (ladder or best play)
//   MainSettings.cpp   what is kept between runs (settings, best scores)

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

// One thing that happened in the game, told as it happens. The fields a kind
// does not name stay at their defaults.
struct GameEvent {
    enum class Kind {
        NewGame,        // players, typejeu: a game was set up
        TurnStarted,    // column, round: a player's turn begins, before any throw
        Thrown,         // column, throwNumber, kept (dice left on the table), faces
        DieToggled,     // die, kept[die]: a person kept or freed a die
        RowWritten,     // column, row, points: a chosen row written
        Tallied,        // column: rows 7, 8 and 16 rewritten
        GameEnded,      // column (the winner's, -1 for none), winner, points
        AdviceReady,    // kept (dice to keep) or row (the row to write)
        AdviceWaiting,  // advice asked while the strategy table is prepared
        AdviceStale,    // the advice on show no longer fits the position
        CursorMoved,    // column, row: the sheet cursor, row -1 when hidden
    };
    explicit GameEvent(Kind k) : kind(k) {}
    Kind kind;
    int column = -1;
    int row = -1;
    int points = 0;
    int die = 0;
    int throwNumber = 0;
    int round = 0;
    int players = 0;
    int typejeu = 0;
    std::array<bool, kDice + 1> kept{};
    std::array<int, kDice + 1> faces{};
    std::string winner;
};

// A subscriber to the game's events. Every event comes through OnEvent; its
// default hands the four a trace needs to the hooks below, so a listener may
// take the whole stream or only those.
class GameObserver {
public:
    virtual ~GameObserver() = default;
    virtual void OnEvent(const Game& game, const GameEvent& event);
    virtual void OnThrow(const Game&) {}                               // after a throw's analysis
    virtual void OnWrite(const Game&, int /*column*/, int /*row*/) {}  // a chosen row written
    virtual void OnTally(const Game&, int /*column*/) {}               // rows 7, 8, 16 rewritten
    virtual void OnEnd(const Game&, const std::string& /*winner*/, int /*score*/) {}
};

// What the windows may ask of the game: each command is a click, a key or a
// dialog's action and passes the rules' own checks. The windows hold the
// game as a const Game for reading and these commands for changing it.
class GameCommands {
public:
    // "Commencer" in the setup dialog: a new game as the setup says.
    virtual void NewGame() = 0;
    // A person's throw ("Lancer", Space, Enter or a screen reader's press).
    // Refused during a computer's turn, while the button is disabled, while
    // the dice still tumble and after the third throw. True when it threw.
    virtual bool Throw() = 0;
    // Keeps or frees die 1..5 as a click on it would; true when it did.
    virtual bool ToggleDie(int die) = 0;
    // A pick of a cell of the sheet (a click, or Enter on the cursor).
    virtual void WriteRow(int column, int row) = 0;
    // The person's request for advice; tells AdviceReady or AdviceWaiting.
    virtual void AskAdvice() = 0;
    // The strategy table of `typejeu` became ready: a request that waited
    // for it is answered now, if the position did not move meanwhile.
    virtual void StrategyReady(int typejeu) = 0;
    // The language file's lines, and the best-scores list read at start-up.
    virtual void SetLines(std::vector<std::string> lines) = 0;
    virtual void SetBestScoreList(BestScores list) = 0;
    // "Effacer tout" in the best-scores dialog.
    virtual void ClearBestScores() = 0;
    // The setup dialog's edits: opening it, a name typed, a box ticked, the
    // player count's arrows, the game type, the level and "retour".
    virtual void SetupOpened() = 0;
    virtual void SetupName(int player, std::string name) = 0;
    virtual void SetupComputer(int player, bool computer) = 0;
    virtual void SetupPlayers(bool more) = 0;
    virtual void SetupGameType(int typejeu) = 0;
    virtual void SetupLevel(Level level) = 0;
    virtual void SetupCancelled() = 0;
    // The event stream; a subscriber stays until unsubscribed and is told in
    // the order of subscription. Subscribing twice changes nothing.
    virtual void Subscribe(GameObserver& observer) = 0;
    virtual void Unsubscribe(GameObserver& observer) = 0;

    // The main window's own events, forwarded as they come.
    virtual void FormShow(SettingsStore& store) = 0;
    virtual void FormClose(SettingsStore& store) = 0;
    virtual void FrameTimerTimer() = 0;
    virtual void TimerordiTimer() = 0;
    virtual void DiceTableMouseDown(int x, int y) = 0;
    virtual void DiceTableMouseMove(int x, int y) = 0;
    virtual void DiceTableInitialize() = 0;
    virtual void DiceTableRestoreSurface() = 0;
    virtual void GridMouseMove(int x, int y) = 0;
    virtual bool KeyDie(int key) = 0;
    virtual bool KeyThrow() = 0;
    virtual bool KeyEnter() = 0;
    virtual bool KeyCursor(int step) = 0;
    virtual void KeyEscape() = 0;

protected:
    ~GameCommands() = default;
};

class Game final : public GameCommands {
public:
    Game(RandomSource& random, Clock& clock, GameView& view);

    // The windows' read-only face: everything they show comes from these.
    const GameState& State() const { return S; }
    const ScoreSheet& Sheet() const { return Grid; }
    const MainControls& Controls() const { return controls; }
    const SetupForm& Setup() const { return Form2; }
    const BestScores& BestScoreList() const { return ListBoxScore; }
    const std::vector<std::string>& Lines() const { return T; }

    // The windows' commands (see GameCommands).
    void NewGame() override;
    bool Throw() override;
    bool ToggleDie(int die) override;
    void WriteRow(int column, int row) override { GridSelectCell(column, row); }
    void AskAdvice() override;
    void StrategyReady(int typejeu) override;
    void SetLines(std::vector<std::string> lines) override { T = std::move(lines); }
    void SetBestScoreList(BestScores list) override { ListBoxScore = std::move(list); }
    void ClearBestScores() override { ListBoxScore.Clear(); }
    void SetupOpened() override;
    void SetupName(int player, std::string name) override;
    void SetupComputer(int player, bool computer) override { Form2.SetCheckBox(player, computer); }
    void SetupPlayers(bool more) override { Form2.UpDown1Click(more); }
    void SetupGameType(int typejeu) override { Form2.RadioButton = typejeu; }
    void SetupLevel(Level level) override { Form2.Niveau = level; }
    void SetupCancelled() override { Form2.glassbtn2Click(); }

    // The event stream; a subscriber stays until unsubscribed and is told in
    // the order of subscription. Subscribing twice changes nothing.
    void Subscribe(GameObserver& observer) override;
    void Unsubscribe(GameObserver& observer) override;

    // Which key (1..5) names die `die`: the keys count the dice from left to
    // right as they lie on the table; and the die a key names.
    int DieKey(int die) const;
    int DieForKey(int key) const;

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
    void FormShow(SettingsStore& store) override;
    // Main window closing: writes the settings store, but only after the
    // window was shown, so a failed start-up never overwrites stored values.
    void FormClose(SettingsStore& store) override;
    bool Shown() const { return shown_; }

    // The throw (roll button, or the computer's timer).
    void Button1Click();

    // Animation frame and the dice table's mouse.
    void FrameTimerTimer() override;
    void DiceTableMouseDown(int x, int y) override;
    void DiceTableMouseMove(int x, int y) override;
    void DiceTableInitialize() override;
    void DiceTableRestoreSurface() override;
    // Board, the five dice and their keep marks, then present.
    void DrawStillTable() const;

    // Whether a click on the dice table may keep or release dice now.
    bool DicePickable() const;
    // Whether a thrown die is still rolling over the table.
    bool Tumbling() const;

    // Keyboard play. Each key stands for a click and passes the same tests;
    // none acts for a computer player. True when the key changed something.
    bool KeyDie(int key) override;      // keys 1..5: keep or release the key's die only
    bool KeyThrow() override;           // Space: the roll button
    bool KeyEnter() override;           // writes the row under the sheet cursor, else throws
    bool KeyCursor(int step) override;  // Up (-1) and Down (+1) over the current column
    void KeyEscape() override;          // hides the sheet cursor
    // Row of the sheet cursor in column joueur; -1 while it is hidden.
    int SheetCursorRow() const;

    // The score sheet's selection event and mouse.
    void GridSelectCell(int column, int row);
    void GridMouseMove(int x, int y) override;

    // The computer's choice of row, then the tally and turn change.
    void compteordi();
    // The computer's turn, one step per tick of Timerordi.
    void TimerordiTimer() override;
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

    // A level for one column only (the simulator's mixed tables); none
    // takes `S.niveau`.
    std::array<std::optional<Level>, kColumns> seatLevels{};
    // The expert's tables; an expert waits on the timer while its table is
    // not ready.
    StrategySource* strategies = nullptr;
    // The level a column plays at, and whether it is a computer playing
    // the exact best play.
    Level LevelOf(int column) const;
    bool Expert(int column) const;

    // Writes a chosen row of the current column and tells the subscribers.
    void WriteCell(int row, std::string text);

private:
    void Emit(const GameEvent& event) const;
    // Tells that the advice on show, or awaited, no longer fits.
    void DropAdvice();
    void TellCursor();
    std::vector<GameObserver*> observers_;
    bool adviceShown_ = false;
    bool adviceWaiting_ = false;

    // The computer's choice of row; true when it wrote a cell.
    bool ClassicChoice();
    // The same two decisions made by the strategy table.
    bool ExpertChoice();
    void expertjoue();
    const StrategyTable* expertTable() const;
    // Tally, forced row, turn change and end of game.
    void Tally();
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
