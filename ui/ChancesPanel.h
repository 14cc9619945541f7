#pragma once
// Each seat's chance to win, shown beside the sheet when the player asks for
// it (F6; the choice is kept in the settings as "CHANCES"): at every turn
// start, the chance of each column to finish first when every seat plays
// best from there. Hidden unless asked for, so the window is otherwise as
// laid out.

#include <QFont>
#include <QFutureWatcher>
#include <QWidget>
#include <array>
#include <memory>
#include <vector>

#include "Game.h"
#include "WinChances.h"

namespace quimba::ui {

class BackgroundStrategies;

class ChancesPanel : public QWidget, private GameObserver {
    Q_OBJECT
public:
    // Reads the game's turn starts; the tables come from `tables`, the
    // chances' own table is built off this thread at the first need.
    ChancesPanel(QWidget* parent, Game& game, BackgroundStrategies& tables, QFont font);
    ~ChancesPanel() override;

    // Shown or not, as the player chose; the choice goes to the settings.
    void SetOn(bool on);
    bool On() const { return on_; }
    void SetTitle(const QString& title);
    // The chances shown, in seat order; empty while they are not known.
    const std::vector<double>& Shown() const { return chances_; }

signals:
    // The chances of a turn start are shown (tests wait for it).
    void Updated();

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    void OnEvent(const Game& g, const GameEvent& event) override;
    // The chances of the game's present turn start, or a build of what they need.
    void Update();

    Game& game_;
    BackgroundStrategies& tables_;
    QFont font_;
    QString title_;
    bool on_ = false;
    std::vector<QString> names_;
    std::vector<double> chances_;
    std::array<std::shared_ptr<const WinChances>, 4> built_;  // by game type 1..3
    QFutureWatcher<std::shared_ptr<const WinChances>> watcher_;
};

}  // namespace quimba::ui
