#pragma once
// How the main window shows the advice: the dice to keep framed on the dice
// table, the row to write outlined in the sheet. It listens to the game's
// events; the game says when advice is given and when it no longer fits.

#include <QImage>
#include <array>

#include "Game.h"

namespace quimba::ui {

class ScoreGrid;

class AdvicePresenter : public GameObserver {
public:
    AdvicePresenter(const Game& game, ScoreGrid* grid);

    void OnEvent(const Game& game, const GameEvent& event) override;

    // Outlines what changed since the last call: the sheet's cell, and the
    // still table when no animation is drawing it anyway.
    void Refresh();
    // Frames the advised dice on the table's surface, after a frame is drawn.
    void FrameDice(QImage& surface) const;

    bool Shown() const { return shown_; }
    // By die 1..5, and the row (0 for none).
    const std::array<bool, kDice + 1>& Dice() const { return dice_; }
    int Row() const { return row_; }

private:
    const Game& game_;
    ScoreGrid* grid_;
    std::array<bool, kDice + 1> dice_{};
    int row_ = 0;
    bool shown_ = false;
    bool changed_ = false;
};

}  // namespace quimba::ui
