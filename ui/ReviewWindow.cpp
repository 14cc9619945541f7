// The review window (F4, or "Revue" from the history) and the final standings over the dice table at a game's end.
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

#include "BackgroundStrategies.h"
#include "Language.h"
#include "PartyStore.h"
#include "ScoreSheet.h"
#include "Strategy.h"
#include "WinChances.h"
#include "Words.h"

namespace quimba::ui {

namespace {

QString T(const LineText& line, ReviewText t) { return line(kFirstReviewLine + t); }

QString DiceText(const std::array<std::uint8_t, kDice>& dice) {
    QStringList faces;
    for (auto d : dice) faces << QString::number(d);
    return faces.join(' ');
}

QString ChoiceText(const ReviewChoice& c, const LineText& line) {
    if (c.write) return T(line, kRevRowPoints).arg(line(RowHeadingLine(c.row))).arg(c.points);
    QStringList kept;
    for (int f = 1; f <= kFaces; ++f)
        for (int n = 0; n < c.keep[f]; ++n) kept << QString::number(f);
    return kept.isEmpty() ? T(line, kRevThrowAll) : T(line, kRevKeep).arg(kept.join(' '));
}

QString VerdictText(Verdict v, const LineText& line) {
    switch (v) {
        case Verdict::Exact: return T(line, kRevExact);
        case Verdict::Inaccuracy: return T(line, kRevInaccuracy);
        case Verdict::Mistake: return T(line, kRevMistake);
        case Verdict::Blunder: return T(line, kRevBlunder);
        case Verdict::Gift: return T(line, kRevGift);
    }
    return {};
}

// Points to the hundredth, with the language's decimal mark.
QString Points(double x, const LineText& line) {
    return QString::fromStdString(DecimalWith(x, line(kLineDecimalMark).toStdString(), 2));
}

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
    // the window names them again in the game's language once it is read.
    SetNames([](int n) { return QString::fromStdString(BuiltInLine(n)); });
    // The table's corner button selects all; nothing to select here.
    table_->setCornerButtonEnabled(false);
    for (QAbstractButton* corner : table_->findChildren<QAbstractButton*>()) corner->setAccessibleName(" ");
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(title_);
    layout->addWidget(table_, 1);
    layout->addWidget(review_, 0, Qt::AlignRight);
    hide();
}

void StandingsOverlay::SetNames(const LineText& line) {
    for (QWidget* w : std::initializer_list<QWidget*>{this, title_, table_})
        w->setAccessibleName(T(line, kRevStandings));
    review_->setAccessibleName(T(line, kRevReviewButton));
}

void StandingsOverlay::Show(const std::vector<Standing>& standings, const LineText& line) {
    title_->setText(T(line, kRevStandings));
    review_->setText(T(line, kRevReviewButton));
    SetNames(line);
    auto* model = static_cast<QStandardItemModel*>(table_->model());
    model->clear();
    model->setHorizontalHeaderLabels({T(line, kRevPlace), T(line, kRevPlayerColumn), T(line, kRevScore),
                                      T(line, kRevSumLuck), T(line, kRevCostOfDecisions)});
    const std::string mark = line(kLineDecimalMark).toStdString();
    auto decimal = [&](double v) { return QString::fromStdString(DecimalWith(v, mark)); };
    for (const Standing& s : standings) {
        QList<QStandardItem*> row;
        row << new QStandardItem(QString::number(s.place))
            << new QStandardItem(QString("%1 (%2)").arg(QString::fromStdString(s.name)).arg(s.seat + 1))
            << new QStandardItem(QString::number(s.score))
            << new QStandardItem(s.reviewed ? decimal(s.luck) : QString("—"))
            << new QStandardItem(s.reviewed ? decimal(s.cost) : QString("—"));
        model->appendRow(row);
    }
    if (QWidget* p = parentWidget()) setGeometry(p->rect().adjusted(12, 12, -12, -12));
    show();
    raise();
}

DecisionModel::DecisionModel(const ReviewData& data, const LineText& line, QObject* parent)
    : QAbstractTableModel(parent),
      data_(data),
      line_(line) {}

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
        case 4: return ChoiceText(d.chosen, line_);
        case 5: return ChoiceText(d.best, line_);
        case 6: return Points(d.cost, line_);
        case 7: return VerdictText(d.verdict, line_);
    }
    return {};
}

QVariant DecisionModel::headerData(int section, Qt::Orientation o, int role) const {
    if (o != Qt::Horizontal || role != Qt::DisplayRole) return QAbstractTableModel::headerData(section, o, role);
    return section >= 0 && section < 8 ? T(line_, ReviewText(kRevColTurn + section)) : QVariant();
}

SummaryModel::SummaryModel(const ReviewData& data, const LineText& line, QObject* parent)
    : QAbstractTableModel(parent),
      data_(data),
      line_(line) {}

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
        case 2: return Points(s.start, line_);
        case 3: return Points(s.luck, line_);
        case 4: return Points(s.cost, line_);
        default: return s.verdicts.at(static_cast<std::size_t>(index.column() - 5));
    }
}

QVariant SummaryModel::headerData(int section, Qt::Orientation o, int role) const {
    if (o != Qt::Horizontal || role != Qt::DisplayRole) return QAbstractTableModel::headerData(section, o, role);
    return section >= 0 && section < 5 + kVerdicts ? T(line_, ReviewText(kRevSumSeat + section)) : QVariant();
}

namespace {

// One line per seat through the turn starts; `pick` reads a start's values.
template <typename Pick>
QChartView* SeriesChart(const ReviewData& data, const QString& title, const QString& decimalMark, Pick pick, double lo,
                        double hi) {
    auto* chart = new QChart;
    chart->setTitle(title);
    // The axes' numbers with the language's decimal mark.
    chart->setLocalizeNumbers(true);
    chart->setLocale(decimalMark == "," ? QLocale(QLocale::French) : QLocale::c());
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

ReviewWindow::ReviewWindow(ReviewData data, const LineText& line, QWidget* parent)
    : QWidget(parent, Qt::Window),
      data_(std::move(data)),
      line_(line) {
    setWindowTitle(T(line, kRevTitle));
    decisions_ = new DecisionModel(data_, line, this);
    summary_ = new SummaryModel(data_, line, this);

    double hiScore = 100;
    for (const auto& s : data_.review.starts)
        for (double e : s.expected) hiScore = std::max(hiScore, e);
    const QString mark = line(kLineDecimalMark);
    auto* expected = SeriesChart(
        data_, T(line, kRevExpectedChart), mark, [](const ReviewTurnStart& s) { return s.expected; }, 0,
        hiScore * 1.05);
    auto* chances = SeriesChart(
        data_, T(line, kRevChancesChart), mark,
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
    table_->setAccessibleName(T(line, kRevDecisions));
    table_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    connect(table_->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this](const QModelIndex& now) {
        if (now.isValid() && now.row() != moment_) ShowMoment(now.row());
    });

    auto* summary = new QTableView;
    summary->setModel(summary_);
    summary->setAccessibleName(T(line, kRevSummary));
    summary->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    summary->resizeRowsToContents();
    summary->setFixedHeight(summary->horizontalHeader()->sizeHint().height() + summary->verticalHeader()->length() +
                            2 * summary->frameWidth());
    summary->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);

    sheet_ = new QTableView;
    sheet_->setAccessibleName(T(line, kRevSheetThen));
    sheet_->setModel(new QStandardItemModel(this));
    sheet_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    sheet_->setFocusPolicy(Qt::NoFocus);
    dice_ = new QLabel;
    dice_->setAccessibleName(T(line, kRevDiceThen));
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
    for (std::size_t r = 0; r < kChosenRows.size(); ++r) rows << line_(RowHeadingLine(kChosenRows[r]));
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
        T(line_, kRevMoment)
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

void OpenReview(QWidget* parent, const ReviewGame& game, const std::vector<std::string>& names, StrategySource& tables,
                const LineText& line) {
    const StrategyTable* table = tables.Table(game.type);
    auto* background = dynamic_cast<BackgroundStrategies*>(&tables);
    if (!table && background) {
        // The table is on its way (asked for just now if it was not): the
        // review opens when it is ready, the pointer busy until then.
        QApplication::setOverrideCursor(Qt::BusyCursor);
        auto waiting = std::make_shared<QMetaObject::Connection>();
        *waiting = QObject::connect(background, &BackgroundStrategies::Ready, parent, [=, &tables](int type) {
            if (type != game.type) return;
            QObject::disconnect(*waiting);
            QApplication::restoreOverrideCursor();
            OpenReview(parent, game, names, tables, line);
        });
        return;
    }
    if (!table) {
        QMessageBox::information(parent, T(line, kRevReview), T(line, kRevTableNotReady));
        return;
    }
    const WinChances chances = WinChances::Build(*table, 2);
    Result<GameReview> review = ReviewOf(*table, game, &chances);
    if (!review.Ok()) {
        QMessageBox::warning(parent, T(line, kRevReview), QString::fromStdString(review.Error()));
        return;
    }
    auto* window = new ReviewWindow({game, review.Value(), names}, line, parent);
    window->setAttribute(Qt::WA_DeleteOnClose);
    window->show();
}

void OpenRecordedReview(QWidget* parent, const store::PartyStore& store, std::int64_t game, StrategySource& tables,
                        const LineText& line) {
    Result<GameRecord> record = store.Load(game);
    if (!record.Ok()) {
        QMessageBox::warning(parent, T(line, kRevReview), QString::fromStdString(record.Error()));
        return;
    }
    std::vector<std::string> names;
    for (const SeatSetup& s : record.Value().setup.seats) names.push_back(s.name);
    OpenReview(parent, ReviewGameOf(record.Value()), names, tables, line);
}

}  // namespace quimba::ui
