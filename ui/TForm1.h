#pragma once
// The main window: score sheet, dice table, status lines and the five
// commands. It owns the game and forwards every event to it, then mirrors
// the game's control state.

#include <QAccessible>
#include <QFuture>
#include <QImage>
#include <QLabel>
#include <QTimer>
#include <QWidget>
#include <functional>
#include <memory>

#include "AdvicePresenter.h"
#include "DrawSurface.h"
#include "FrameTimer.h"
#include "Game.h"
#include "GameAccessible.h"
#include "KeyMap.h"
#include "PictureList.h"
#include "ProgramFiles.h"
#include "ScoreGrid.h"
#include "SystemPorts.h"
#include "TGlassButton.h"
#include "TTexturePanel.h"
#include "UiWidgets.h"
#include "WaveList.h"
#include "WindowPictures.h"

namespace quimba::ui {

class BackgroundStrategies;
class GameRecording;
class HistoryWindow;
class ReviewCollector;
class StandingsOverlay;
class ChancesPanel;
class TForm2;
class TForm4;
class TForm5;

class TForm1 : public QWidget, public GameView, private GameObserver {
    Q_OBJECT
public:
    // `programDir` is the program's folder, ending in a separator; the
    // files are looked for from there. `random` may be replaced by tests.
    explicit TForm1(const QString& programDir, std::unique_ptr<RandomSource> random = nullptr,
                    QWidget* parent = nullptr);
    TForm1(const ProgramFiles& files, std::unique_ptr<RandomSource> random = nullptr, QWidget* parent = nullptr);
    ~TForm1() override;

    // The game as the windows see it: read through this, changed only
    // through the commands.
    const Game& game() const { return *game_; }
    GameCommands& Commands() { return *game_; }
    // The whole game, for tests that lay out a position by hand.
    Game& GameForTests() { return *game_; }
    const ProgramFiles& Files() const { return files_; }
    void SetDialogs(TForm2* setup, TForm4* help, TForm5* scores);

    // Loads the language file into the captions of the four windows, then
    // the pictures. False when start-up must end.
    bool chargetextes();
    bool ActivateGraph();
    // Set when a start-up failure asked the window to close.
    bool CloseRequested() const { return closeRequested_; }

    // Shows a message box; tests replace it to collect the messages.
    std::function<void(const QString&)> ShowMessage;

    // Hands an event to the screen readers; tests replace it to listen
    // where no reader runs.
    std::function<void(QAccessibleEvent*)> TellReaders;

    // Mirrors the game's control state onto the widgets.
    void Sync();

    // The person's request for advice ("H", "?" or a right click on the dice
    // table): the best play is outlined and said in the result line.
    void Conseil();
    // The advice on show: dice outlined on the table (by die 1..5) and the row
    // outlined in the sheet (0 for none); dropped as soon as the position moves.
    const std::array<bool, kDice + 1>& AdvisedDice() const { return advice_->Dice(); }
    int AdvisedRow() const { return advice_->Row(); }
    BackgroundStrategies& Strategies() { return *strategies_; }

    // Handlers of the commands.
    void GradBtn1Click();
    void quit() { close(); }
    void GradBtn5Click();
    void GradBtn3Click();
    // The history and statistics window (Ctrl+H, or from the best scores).
    void ShowHistory();
    HistoryWindow* History() const { return history_; }
    // Takes back the last row a person wrote (Ctrl+Z, a right click on the sheet).
    void Undo();
    GameRecording& Recording() { return *recording_; }
    // F4: the review of the game being played or just ended.
    void OpenCurrentReview();
    // The final standings over the dice table, until a new game starts.
    void ShowStandings();
    StandingsOverlay* Standings() const { return standings_; }
    ChancesPanel* Chances() const { return chances_; }
    // Line n of the language file; Lines() hands it to the review's windows.
    QString Text(int line) const;
    std::function<QString(int)> Lines() const {
        return [this](int n) { return Text(n); };
    }

    // The controls, named as in the layout.
    TTexturePanel* TexturePanel1;
    ScoreGrid* Grid;
    QLabel* Label22;
    QLabel* Label28;
    QLabel* Label23;
    QLabel* resultext;
    TDrawSurface* DiceTable;
    QLabel* Image1;
    TGlassButton* glassbtn1;
    TGlassButton* glassbtn2;
    TGlassButton* glassbtn3;
    TGlassButton* glassbtn4;
    TGlassButton* glassbtn5;
    QTimer* Timerordi;
    TFrameTimer* FrameTimer;
    TPictureList Source;
    TWaveList* DS;
    QImage Image2;

    // The keys of keyboard play; true when the key belongs to the game.
    bool GameKey(QKeyEvent* e);
    // Keeps or releases a die as its key would; for the screen readers' press.
    void ToggleDie(int die) {
        Run([&] { Commands().ToggleDie(die); });
    }

protected:
    void showEvent(QShowEvent*) override;
    void closeEvent(QCloseEvent*) override;
    void keyPressEvent(QKeyEvent*) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // GameView
    void SetSoundFrequency(int sound, int hertz) override;
    void PlaySound(int sound) override;
    void DrawPicture(int picture, int x, int y) override;
    void Present() override;
    void RepaintGrid() override;
    void RepaintMain() override;

    // GameObserver: the window's own use of the game's events.
    void OnEvent(const Game& game, const GameEvent& event) override;
    // Runs a command of the key table.
    void PerformKey(const KeyBinding& binding);

    void BuildLayout();
    // Tells screen readers what changed: a throw's result, a kept die, the
    // cursor, a written cell, a new turn, the end.
    void Announce();
    void KeepHeadingsClearOfTheSheet();
    void LoadSounds();
    template <typename F>
    void Run(F&& handler) {
        handler();
        Sync();
    }

    ProgramFiles files_;
    // The pictures, decoded on a worker while the windows are built; taken
    // by the first loading.
    QFuture<DecodedPictures> pictures_;
    std::unique_ptr<RandomSource> random_;
    SystemClock clock_;
    std::unique_ptr<Game> game_;
    std::unique_ptr<BackgroundStrategies> strategies_;
    std::unique_ptr<AdvicePresenter> advice_;
    std::unique_ptr<KeyMap> keys_;
    std::unique_ptr<GameRecording> recording_;
    std::unique_ptr<ReviewCollector> review_;
    StandingsOverlay* standings_ = nullptr;
    ChancesPanel* chances_ = nullptr;
    TForm2* Form2 = nullptr;
    TForm4* Form4 = nullptr;
    TForm5* Form5 = nullptr;
    HistoryWindow* history_ = nullptr;  // made at its first opening
    bool closeRequested_ = false;
    bool shownOnce_ = false;
    // What the screen readers were last told, and a turn start not told yet.
    ReaderNews news_;
    bool turnToAnnounce_ = false;
    bool newGameTurn_ = false;
};

}  // namespace quimba::ui
