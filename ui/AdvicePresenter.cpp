// The advice on the dice table and the sheet.
#include "AdvicePresenter.h"

#include <QPainter>

#include "ScoreGrid.h"

namespace quimba::ui {

namespace {
// The advice's frame: a colour neither the board, the dice nor the keep mark use.
const QColor kAdviceFrame(0, 230, 90);
}  // namespace

AdvicePresenter::AdvicePresenter(const Game& game, ScoreGrid* grid) : game_(game), grid_(grid) {}

void AdvicePresenter::OnEvent(const Game&, const GameEvent& e) {
    if (e.kind == GameEvent::Kind::AdviceReady) {
        dice_ = {};
        row_ = 0;
        if (e.row >= 0)
            row_ = e.row;
        else
            dice_ = e.kept;
        shown_ = true;
        changed_ = true;
    } else if (e.kind == GameEvent::Kind::AdviceStale && shown_) {
        dice_ = {};
        row_ = 0;
        shown_ = false;
        changed_ = true;
    }
}

void AdvicePresenter::Refresh() {
    if (!changed_) return;
    changed_ = false;
    grid_->SetAdvisedCell(row_ ? game_.State().joueur : -1, row_);
    // While dice roll, the next frame redraws the table anyway.
    if (!game_.Controls().FrameTimerEnabled) game_.DrawStillTable();
}

void AdvicePresenter::FrameDice(QImage& surface) const {
    if (!shown_) return;
    QPainter p(&surface);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(kAdviceFrame, 3));
    p.setBrush(Qt::NoBrush);
    const GameState& s = game_.State();
    // Around the die's face, which fills its 70 x 60 picture but for a few
    // pixels of board colour.
    for (int i = 1; i <= kDice; ++i)
        if (dice_[i]) p.drawRoundedRect(QRectF(s.posx[i] + 1.5, s.posy[i] + 2.5, 62, 59), 6, 6);
}

}  // namespace quimba::ui
