#include "ReviewWindow.h"

#include <QAbstractButton>
#include <QApplication>
#include <QChart>
#include <QChartView>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineSeries>
#include <QMessageBox>
#include <QPushButton>
#include <QShortcut>
#include <QStandardItemModel>
#include <QStyle>
#include <QTableView>
#include <QVBoxLayout>
#include <QValueAxis>

#include <bit>

#include "PartyStore.h"
#include "ScoreSheet.h"
#include "Strategy.h"
#include "WinChances.h"

namespace quimba::ui {

namespace {

QString Tr(bool french, const char* en, const char* fr) { return QString::fromUtf8(french ? fr : en); }

QString DiceText(const std::array<std::uint8_t, kDice>& dice) {
    QStringList faces;
    for (auto d : dice) faces << QString::number(d);
    return faces.join(' ');
}

QString ChoiceText(const ReviewChoice& c, bool french) {
    if (c.write) return Tr(french, "row %1 (%2 pts)", "ligne %1 (%2 pts)").arg(c.row).arg(c.points);
    QStringList kept;
    for (int f = 1; f <= kFaces; ++f)
        for (int n = 0; n < c.keep[f]; ++n) kept << QString::number(f);
    return kept.isEmpty() ? Tr(french, "throw all", "tout relancer")
                          : Tr(french, "keep %1", "garder %1").arg(kept.join(' '));
}

QString VerdictText(Verdict v, bool french) {
    switch (v) {
        case Verdict::Exact: return Tr(french, "exact", "exact");
        case Verdict::Inaccuracy: return Tr(french, "inaccuracy", "imprécision");
        case Verdict::Mistake: return Tr(french, "mistake", "erreur");
        case Verdict::Blunder: return Tr(french, "blunder", "gaffe");
        case Verdict::Gift: return Tr(french, "gift (no play)", "cadeau (hors jeu)");
    }
    return {};
}

QString Points(double x) { return QString::number(x, 'f', 2); }

}  // namespace

ReviewGame ReviewGameOf(const GameRecord& record) {
    ReviewGame game;
    game.type = record.setup.type;
    game.players = static_cast<int>(record.setup.seats.size());
    ReviewTurn turn;
    bool open = false;
    for (const RecordEvent& e : Effective(record)) {
        if (e.kind == EventKind::Throw) {
            if (!open || e.seat != turn.seat) {
                turn = ReviewTurn{};
                turn.seat = e.seat;
                open = true;
            }
            ReviewThrow th;
            for (int d = 0; d < kDice; ++d) {
                th.kept[d] = (e.kept >> d) & 1;
                th.dice[d] = e.faces[d];
            }
            turn.throws.push_back(th);
        } else if (e.kind == EventKind::Write && open) {
            turn.row = e.row;
            turn.points = e.points;
            game.turns.push_back(turn);
            open = false;
        }
    }
    return game;
}

void ReviewCollector::Begin(const Game& g, GameObserver* next) {
    next_ = next;
    game_ = ReviewGame{};
    game_.type = g.State().typejeu;
    game_.players = g.State().nbjoueurs;
    turn_ = ReviewTurn{};
}

void ReviewCollector::OnThrow(const Game& g) {
    if (g.State().nblancers == 1) {
        // The sheet says how many turns are behind: fewer than collected
        // means a new game or an undone write.
        std::size_t written = 0;
        for (int c = 0; c < g.State().nbjoueurs && c < kColumns; ++c)
            written += static_cast<std::size_t>(std::popcount(ColumnStateOf(g.Sheet(), c).filled));
        if (written == 0 || g.State().typejeu != game_.type || g.State().nbjoueurs != game_.players) Begin(g, next_);
        if (game_.turns.size() > written) game_.turns.resize(written);
        turn_ = ReviewTurn{};
        turn_.seat = g.State().joueur;
    }
    ReviewThrow th;
    for (int i = 1; i <= kDice; ++i) {
        th.kept[i - 1] = g.State().nblancers > 1 && g.State().alancer[i] == 0 ? 1 : 0;
        th.dice[i - 1] = g.State().valeurde[i];
    }
    turn_.throws.push_back(th);
    if (next_) next_->OnThrow(g);
}

void ReviewCollector::OnWrite(const Game& g, int column, int row) {
    turn_.row = row;
    turn_.points = g.Sheet().Value(column, row);
    game_.turns.push_back(turn_);
    if (next_) next_->OnWrite(g, column, row);
}

void ReviewCollector::OnTally(const Game& g, int column) {
    if (next_) next_->OnTally(g, column);
}

void ReviewCollector::OnEnd(const Game& g, const std::string& winner, int score) {
    if (next_) next_->OnEnd(g, winner, score);
    if (onEnd) onEnd();
}

std::vector<Standing> StandingsOf(const std::vector<std::string>& names, const std::vector<int>& scores,
                                  const GameReview* review) {
    std::vector<Standing> out;
    for (std::size_t s = 0; s < scores.size(); ++s) {
        Standing st{.seat = static_cast<int>(s), .name = s < names.size() ? names[s] : "", .score = scores[s]};
        if (review && s < review->seats.size()) {
            st.luck = review->seats[s].luck;
            st.cost = review->seats[s].cost;
            st.reviewed = true;
        }
        out.push_back(st);
    }
    std::stable_sort(out.begin(), out.end(), [](const Standing& a, const Standing& b) { return a.score > b.score; });
    for (std::size_t i = 0; i < out.size(); ++i)
        out[i].place = i > 0 && out[i].score == out[i - 1].score ? out[i - 1].place : static_cast<int>(i) + 1;
    return out;
}

StandingsOverlay::StandingsOverlay(QWidget* over) : QFrame(over) {
    setFrameShape(QFrame::StyledPanel);
    // Its own light colours: the main window's dark ones would hide the title.
    setPalette(QApplication::style()->standardPalette());
    setAutoFillBackground(true);
    title_ = new QLabel;
    QFont bold = title_->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.3);
    title_->setFont(bold);
    table_ = new QTableView;
    table_->setModel(new QStandardItemModel(this));
    table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    table_->verticalHeader()->hide();
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    table_->horizontalHeader()->setStretchLastSection(true);
    review_ = new QPushButton;
    connect(review_, &QPushButton::clicked, this, [this] {
        if (onReview) onReview();
    });
    // Named from the start, though hidden, so no control is ever nameless;
    // Show() renames them in the game's language.
    for (QWidget* w : std::initializer_list<QWidget*>{this, title_, table_}) w->setAccessibleName("Classement final");
    review_->setAccessibleName("Revue (F4)");
    // The table's corner button selects all; nothing to select here.
    table_->setCornerButtonEnabled(false);
    for (QAbstractButton* corner : table_->findChildren<QAbstractButton*>()) corner->setAccessibleName(" ");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title_);
    layout->addWidget(table_, 1);
    layout->addWidget(review_, 0, Qt::AlignRight);
    hide();
}

void StandingsOverlay::Show(const std::vector<Standing>& standings, bool french) {
    title_->setText(Tr(french, "Final standings", "Classement final"));
    setAccessibleName(title_->text());
    title_->setAccessibleName(title_->text());
    table_->setAccessibleName(title_->text());
    review_->setAccessibleName(review_->text());
    review_->setText(Tr(french, "Review (F4)", "Revue (F4)"));
    auto* model = static_cast<QStandardItemModel*>(table_->model());
    model->clear();
    model->setHorizontalHeaderLabels({Tr(french, "Place", "Place"), Tr(french, "Player (column)", "Joueur (colonne)"),
                                      Tr(french, "Score", "Score"), Tr(french, "Luck", "Chance"),
                                      Tr(french, "Cost of decisions", "Coût des décisions")});
    for (const Standing& s : standings) {
        QList<QStandardItem*> row;
        row << new QStandardItem(QString::number(s.place))
            << new QStandardItem(QString("%1 (%2)").arg(QString::fromStdString(s.name)).arg(s.seat + 1))
            << new QStandardItem(QString::number(s.score))
            << new QStandardItem(s.reviewed ? QString::number(s.luck, 'f', 1) : QString("—"))
            << new QStandardItem(s.reviewed ? QString::number(s.cost, 'f', 1) : QString("—"));
        model->appendRow(row);
    }
    if (QWidget* p = parentWidget()) setGeometry(p->rect().adjusted(12, 12, -12, -12));
    show();
    raise();
}

DecisionModel::DecisionModel(const ReviewData& data, bool french, QObject* parent)
    : QAbstractTableModel(parent),
      data_(data),
      french_(french) {}

int DecisionModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(data_.review.decisions.size());
}
int DecisionModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 8; }

QVariant DecisionModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole) return {};
    const ReviewDecision& d = data_.review.decisions.at(index.row());
    const auto seat = static_cast<std::size_t>(d.seat);
    switch (index.column()) {
        case 0: return d.round + 1;
        case 1:
            return seat < data_.names.size() ? QString::fromStdString(data_.names[seat]) : QString::number(d.seat + 1);
        case 2: return d.throwNumber;
        case 3: return DiceText(d.dice);
        case 4: return ChoiceText(d.chosen, french_);
        case 5: return ChoiceText(d.best, french_);
        case 6: return Points(d.cost);
        case 7: return VerdictText(d.verdict, french_);
    }
    return {};
}

QVariant DecisionModel::headerData(int section, Qt::Orientation o, int role) const {
    if (o != Qt::Horizontal || role != Qt::DisplayRole) return QAbstractTableModel::headerData(section, o, role);
    static const char* en[] = {"Turn", "Seat", "Throw", "Dice", "Choice", "Best", "Cost", "Verdict"};
    static const char* fr[] = {"Tour", "Joueur", "Lancer", "Dés", "Choix", "Meilleur", "Coût", "Verdict"};
    return section >= 0 && section < 8 ? Tr(french_, en[section], fr[section]) : QVariant();
}

SummaryModel::SummaryModel(const ReviewData& data, bool french, QObject* parent)
    : QAbstractTableModel(parent),
      data_(data),
      french_(french) {}

int SummaryModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(data_.review.seats.size());
}
int SummaryModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 5 + kVerdicts; }

QVariant SummaryModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole && role != Qt::AccessibleTextRole) return {};
    const auto seat = static_cast<std::size_t>(index.row());
    const SeatReview& s = data_.review.seats.at(seat);
    switch (index.column()) {
        case 0:
            return seat < data_.names.size() ? QString::fromStdString(data_.names[seat]) : QString::number(seat + 1);
        case 1: return s.points;
        case 2: return Points(s.start);
        case 3: return Points(s.luck);
        case 4: return Points(s.cost);
        default: return s.verdicts.at(static_cast<std::size_t>(index.column() - 5));
    }
}

QVariant SummaryModel::headerData(int section, Qt::Orientation o, int role) const {
    if (o != Qt::Horizontal || role != Qt::DisplayRole) return QAbstractTableModel::headerData(section, o, role);
    static const char* en[] = {"Seat",  "Final",        "Expected at start", "Luck",     "Cost",
                               "Exact", "Inaccuracies", "Mistakes",          "Blunders", "Gifts"};
    static const char* fr[] = {"Joueur", "Final",        "Attendu au départ", "Chance", "Coût",
                               "Exacts", "Imprécisions", "Erreurs",           "Gaffes", "Cadeaux"};
    return section >= 0 && section < 5 + kVerdicts ? Tr(french_, en[section], fr[section]) : QVariant();
}

namespace {

// One line per seat through the turn starts; `pick` reads a start's values.
template <typename Pick>
QChartView* SeriesChart(const ReviewData& data, const QString& title, Pick pick, double lo, double hi) {
    auto* chart = new QChart;
    chart->setTitle(title);
    auto* x = new QValueAxis;
    auto* y = new QValueAxis;
    x->setLabelFormat("%d");
    y->setRange(lo, hi);
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    const auto& starts = data.review.starts;
    for (std::size_t seat = 0; seat < data.review.seats.size(); ++seat) {
        auto* line = new QLineSeries;
        line->setName(seat < data.names.size() ? QString::fromStdString(data.names[seat]) : QString::number(seat + 1));
        line->setPointsVisible(true);
        for (std::size_t t = 0; t < starts.size(); ++t) {
            const std::vector<double> v = pick(starts[t]);
            if (seat < v.size()) line->append(static_cast<double>(t), v[seat]);
        }
        chart->addSeries(line);
        line->attachAxis(x);
        line->attachAxis(y);
    }
    x->setRange(0, std::max<double>(1, static_cast<double>(starts.size()) - 1));
    auto* view = new QChartView(chart);
    view->setRenderHint(QPainter::Antialiasing);
    view->setMinimumSize(360, 240);
    return view;
}

}  // namespace

ReviewWindow::ReviewWindow(ReviewData data, bool french, QWidget* parent)
    : QWidget(parent, Qt::Window),
      data_(std::move(data)),
      french_(french) {
    setWindowTitle(Tr(french, "Review of the game", "Revue de la partie"));
    decisions_ = new DecisionModel(data_, french, this);
    summary_ = new SummaryModel(data_, french, this);

    double hiScore = 100;
    for (const auto& s : data_.review.starts)
        for (double e : s.expected) hiScore = std::max(hiScore, e);
    auto* expected = SeriesChart(
        data_, Tr(french, "Expected final score at each turn start", "Score final attendu à chaque début de tour"),
        [](const ReviewTurnStart& s) { return s.expected; }, 0, hiScore * 1.05);
    auto* chances = SeriesChart(
        data_, Tr(french, "Chance to win (%)", "Chance de gagner (%)"),
        [](const ReviewTurnStart& s) {
            std::vector<double> p = s.chances;
            for (double& x : p) x *= 100;
            return p;
        },
        0, 100);
    // A point clicked shows the first decision of that turn.
    for (QChartView* view : {expected, chances})
        for (QAbstractSeries* series : view->chart()->series())
            connect(static_cast<QLineSeries*>(series), &QLineSeries::clicked, this, [this](const QPointF& p) {
                const int turn = static_cast<int>(std::lround(p.x()));
                const auto& ds = data_.review.decisions;
                for (std::size_t i = 0; i < ds.size(); ++i)
                    if (ds[i].turn >= turn) return ShowMoment(static_cast<int>(i));
            });

    table_ = new QTableView;
    table_->setModel(decisions_);
    table_->setSelectionBehavior(QAbstractItemView::SelectRows);
    table_->setSelectionMode(QAbstractItemView::SingleSelection);
    table_->setAccessibleName(Tr(french, "Decisions", "Décisions"));
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this](const QModelIndex& now) {
        if (now.isValid() && now.row() != moment_) ShowMoment(now.row());
    });

    auto* summary = new QTableView;
    summary->setModel(summary_);
    summary->setAccessibleName(Tr(french, "Summary per seat", "Résumé par joueur"));
    summary->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    summary->resizeRowsToContents();
    summary->setFixedHeight(summary->horizontalHeader()->sizeHint().height() + summary->verticalHeader()->length() +
                            2 * summary->frameWidth());
    summary->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    sheet_ = new QTableView;
    sheet_->setAccessibleName(Tr(french, "Sheet at that moment", "Feuille à ce moment"));
    sheet_->setModel(new QStandardItemModel(this));
    sheet_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sheet_->setFocusPolicy(Qt::NoFocus);
    dice_ = new QLabel;
    dice_->setAccessibleName(Tr(french, "Dice at that moment", "Dés à ce moment"));
    QFont big = dice_->font();
    big.setPointSizeF(big.pointSizeF() * 1.6);
    dice_->setFont(big);

    auto* charts = new QHBoxLayout;
    charts->addWidget(expected);
    charts->addWidget(chances);
    auto* moment = new QVBoxLayout;
    moment->addWidget(dice_);
    moment->addWidget(sheet_, 1);
    auto* lower = new QHBoxLayout;
    lower->addWidget(table_, 3);
    lower->addLayout(moment, 2);
    auto* all = new QVBoxLayout(this);
    all->addLayout(charts, 2);
    all->addWidget(summary);
    all->addLayout(lower, 3);
    // Left and right step through the game wherever the focus is; up and
    // down in the table do the same one row at a time.
    for (auto [key, step] : {std::pair{Qt::Key_Right, 1}, std::pair{Qt::Key_Left, -1}}) {
        auto* shortcut = new QShortcut(QKeySequence(key), this);
        shortcut->setContext(Qt::WidgetWithChildrenShortcut);
        connect(shortcut, &QShortcut::activated, this, [this, step = step] { ShowMoment(moment_ + step); });
    }
    resize(1100, 800);
    if (!data_.review.decisions.empty()) ShowMoment(0);
    table_->setFocus();
}

void ReviewWindow::ShowMoment(int decision) {
    const auto& ds = data_.review.decisions;
    if (decision < 0 || decision >= static_cast<int>(ds.size())) return;
    moment_ = decision;
    const ReviewDecision& d = ds[static_cast<std::size_t>(decision)];
    const int players = static_cast<int>(data_.review.seats.size());
    // The sheet holds every row written before this turn.
    auto* model = static_cast<QStandardItemModel*>(sheet_->model());
    model->clear();
    model->setColumnCount(players);
    model->setRowCount(static_cast<int>(kChosenRows.size()));
    QStringList columns, rows;
    for (int s = 0; s < players; ++s)
        columns << (static_cast<std::size_t>(s) < data_.names.size() ? QString::fromStdString(data_.names[s])
                                                                     : QString::number(s + 1));
    for (std::size_t r = 0; r < kChosenRows.size(); ++r) rows << Tr(french_, "row %1", "ligne %1").arg(kChosenRows[r]);
    model->setHorizontalHeaderLabels(columns);
    model->setVerticalHeaderLabels(rows);
    for (int t = 0; t < d.turn && t < static_cast<int>(data_.game.turns.size()); ++t) {
        const ReviewTurn& turn = data_.game.turns[static_cast<std::size_t>(t)];
        for (std::size_t r = 0; r < kChosenRows.size(); ++r)
            if (kChosenRows[r] == turn.row)
                model->setItem(static_cast<int>(r), turn.seat, new QStandardItem(QString::number(turn.points)));
    }
    const auto seat = static_cast<std::size_t>(d.seat);
    dice_->setText(
        Tr(french_, "%1, turn %2, throw %3: %4", "%1, tour %2, lancer %3 : %4")
            .arg(seat < data_.names.size() ? QString::fromStdString(data_.names[seat]) : QString::number(d.seat + 1))
            .arg(d.round + 1)
            .arg(d.throwNumber)
            .arg(DiceText(d.dice)));
    if (table_->currentIndex().row() != decision) table_->selectRow(decision);
}

void ReviewWindow::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Right) return ShowMoment(moment_ + 1);
    if (e->key() == Qt::Key_Left) return ShowMoment(moment_ - 1);
    if (e->key() == Qt::Key_Escape) return void(close());
    QWidget::keyPressEvent(e);
}

std::vector<std::string> SeatNames(const Game& g) {
    std::vector<std::string> names;
    for (int c = 0; c < g.State().nbjoueurs && c < kColumns; ++c) names.push_back(g.Sheet().Cell(c, lignenoms));
    return names;
}

QString ReviewKeyHelp(bool french) {
    return Tr(
        french, "F4 reviews the game: each decision's cost, the luck of the dice and the chances to win.",
        "F4 ouvre la revue de la partie : le coût de chaque décision, la chance aux dés et les chances de gagner.");
}

void OpenReview(QWidget* parent, const ReviewGame& game, const std::vector<std::string>& names, StrategySource& tables,
                bool french) {
    const StrategyTable* table = tables.Table(game.type);
    if (!table) {
        QMessageBox::information(
            parent, Tr(french, "Review", "Revue"),
            Tr(french, "The best-play table is still being built; try again in a moment.",
               "La table du meilleur jeu est encore en construction ; réessayez dans un instant."));
        return;
    }
    const WinChances chances = WinChances::Build(*table, 2);
    Result<GameReview> review = ReviewOf(*table, game, &chances);
    if (!review.Ok()) {
        QMessageBox::warning(parent, Tr(french, "Review", "Revue"), QString::fromStdString(review.Error()));
        return;
    }
    auto* window = new ReviewWindow({game, review.Value(), names}, french, parent);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
}

void OpenRecordedReview(QWidget* parent, const store::PartyStore& store, std::int64_t game, StrategySource& tables,
                        bool french) {
    Result<GameRecord> record = store.Load(game);
    if (!record.Ok()) {
        QMessageBox::warning(parent, Tr(french, "Review", "Revue"), QString::fromStdString(record.Error()));
        return;
    }
    std::vector<std::string> names;
    for (const SeatSetup& s : record.Value().setup.seats) names.push_back(s.name);
    OpenReview(parent, ReviewGameOf(record.Value()), names, tables, french);
}

}  // namespace quimba::ui
