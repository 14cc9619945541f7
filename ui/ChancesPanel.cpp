// The chances to win beside the sheet: turn starts read from the game's
// events, the chances' table built on a pool thread, the figures painted.
#include "ChancesPanel.h"

#include <QPainter>
#include <QSettings>
#include <QtConcurrent>

#include "BackgroundStrategies.h"
#include "GameState.h"

namespace quimba::ui {

namespace {
constexpr const char* kSettingsKey = "CHANCES";
constexpr int kLineHeight = 20;
constexpr int kBarWidth = 70;
constexpr int kPercentWidth = 48;
}  // namespace

ChancesPanel::ChancesPanel(QWidget* parent, Game& game, BackgroundStrategies& tables, QFont font)
    : QWidget(parent),
      game_(game),
      tables_(tables),
      font_(std::move(font)) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
    game_.Subscribe(*this);
    connect(&tables_, &BackgroundStrategies::Ready, this, [this](int) { Update(); });
    connect(&watcher_, &QFutureWatcher<std::shared_ptr<const WinChances>>::finished, this, [this] {
        const std::shared_ptr<const WinChances> built = watcher_.result();
        built_[static_cast<std::size_t>(built->Type())] = built;
        Update();
    });
    on_ = QSettings("FENTORIX", "3DQUIMBA").value(kSettingsKey).toString() == "1";
    setVisible(on_);
}

ChancesPanel::~ChancesPanel() {
    game_.Unsubscribe(*this);
    watcher_.waitForFinished();
}

void ChancesPanel::SetOn(bool on) {
    on_ = on;
    QSettings("FENTORIX", "3DQUIMBA").setValue(kSettingsKey, on ? "1" : "0");
    setVisible(on);
    if (on) Update();
}

void ChancesPanel::SetTitle(const QString& title) {
    title_ = title;
    update();
}

void ChancesPanel::OnEvent(const Game&, const GameEvent& event) {
    if (event.kind == GameEvent::Kind::NewGame) {
        chances_.clear();
        update();
    }
    if (event.kind == GameEvent::Kind::TurnStarted) Update();
}

void ChancesPanel::Update() {
    if (!on_) return;
    const GameState& s = game_.State();
    const std::size_t type = static_cast<std::size_t>(s.typejeu);
    if (type < 1 || type >= built_.size()) return;
    if (!built_[type]) {
        const StrategyTable* table = tables_.Table(s.typejeu);
        if (table && !watcher_.isRunning()) {
            watcher_.setFuture(QtConcurrent::run(
                [table] { return std::shared_ptr<const WinChances>(new WinChances(WinChances::Build(*table, 1))); }));
        }
        return;
    }
    names_.clear();
    for (int c = 0; c < s.nbjoueurs && c < kColumns; ++c)
        names_.push_back(QString::fromStdString(game_.Sheet().Cell(c, lignenoms)));
    chances_ = built_[type]->Chances(SeatPositions(game_.Sheet(), s.nbjoueurs));
    update();
    emit Updated();
}

void ChancesPanel::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setFont(font_);
    p.setPen(QColor(255, 255, 0));
    p.drawText(QRect(0, 0, width(), kLineHeight), Qt::AlignLeft | Qt::AlignVCenter, title_);
    const int nameWidth = width() - kBarWidth - kPercentWidth - 8;
    for (std::size_t i = 0; i < chances_.size() && i < names_.size(); ++i) {
        const int y = kLineHeight * static_cast<int>(i + 1) + 4;
        p.setPen(QColor(255, 255, 0));
        p.drawText(QRect(0, y, nameWidth, kLineHeight), Qt::AlignLeft | Qt::AlignVCenter,
                   p.fontMetrics().elidedText(names_[i], Qt::ElideRight, nameWidth));
        const QRect bar(nameWidth + 4, y + 5, kBarWidth, kLineHeight - 10);
        p.fillRect(bar, QColor(60, 60, 60));
        p.fillRect(QRect(bar.topLeft(), QSize(static_cast<int>(kBarWidth * chances_[i] + 0.5), bar.height())),
                   QColor(210, 200, 0));
        p.drawText(QRect(width() - kPercentWidth, y, kPercentWidth, kLineHeight), Qt::AlignRight | Qt::AlignVCenter,
                   QString("%1%").arg(static_cast<int>(chances_[i] * 100 + 0.5)));
    }
}

}  // namespace quimba::ui
