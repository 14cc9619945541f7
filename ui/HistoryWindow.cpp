// The history and statistics window (Ctrl+H, or "Historique" in the best-scores dialog): figures, charts, the list of
// games.
#include "HistoryWindow.h"
#include "StoreNoticeText.h"

#include <QAreaSeries>
#include <QChart>
#include <QChartView>
#include <QComboBox>
#include <QDateTime>
#include <QFileDialog>
#include <QHeaderView>
#include <QLabel>
#include <QLegendMarker>
#include <QLineSeries>
#include <QMessageBox>
#include <QMetaMethod>
#include <QTreeWidget>
#include <QValueAxis>
#include <QtConcurrent/QtConcurrentRun>
#include <algorithm>

#include "CentreOnScreen.h"
#include "DialogFrame.h"
#include "Fonts.h"
#include "GlassLook.h"
#include "Language.h"
#include "TGlassButton.h"
#include "TTextureFill.h"

namespace quimba::ui {

static_assert(kHistTextCount == kHistoryLines, "one language line for each text of the window");

namespace {

// The colours of the best-scores list: yellow on navy.
const QColor kNavy(0, 0, 128);
const QColor kYellow(255, 255, 0);
const QColor kGrid(64, 64, 160);
constexpr int kWidth = 800;
constexpr int kHeight = 596;
constexpr int kLineBestScores = 75;  // "Fermer": the best-scores dialog's close button
constexpr int kFirstTypeLine = 54;   // "Normal", "Ascendant", "Descendant"

const char* kPanelStyle = "background: rgb(0, 0, 128); color: rgb(255, 255, 0); border: 1px solid rgb(64, 64, 64);";

QString KeyName(const store::PlayerKey& key, const QString& type, const std::function<QString(int)>& line) {
    QString name = QString::fromStdString(key.name);
    if (key.kind == SeatKind::Classic) name += " (" + line(kLineClassique) + ")";
    if (key.kind == SeatKind::Expert) name += " (" + line(kLineExpert) + ")";
    return QString("%1 - %2 (%3)").arg(name, type).arg(key.games);
}

void StyleAxis(QValueAxis* axis, const QFont& font) {
    axis->setLabelsColor(kYellow);
    axis->setLabelsFont(font);
    axis->setTitleBrush(kYellow);
    axis->setTitleFont(font);
    axis->setGridLineColor(kGrid);
    axis->setLinePenColor(kYellow);
    axis->setLabelFormat("%d");
}

}  // namespace

HistoryWindow::HistoryWindow(QWidget* parent, const QImage* texture, std::function<QString(int)> line,
                             std::string database)
    : QDialog(parent),
      line_(std::move(line)),
      database_(std::move(database)),
      watcher_(new QFutureWatcher<HistoryModel>(this)) {
    SetUpDialog(*this, "HistoryWindow", Text(kHistTitle), QSize(kWidth, kHeight));
    Build(texture);
    connect(watcher_, &QFutureWatcher<HistoryModel>::finished, this, [this] {
        HistoryModel read = watcher_->result();
        if (again_) {
            again_ = false;
            Reload();
            return;
        }
        Show(std::move(read));
    });
    AskExportFile = [this] {
        return QFileDialog::getSaveFileName(this, Text(kHistExport), QDir::homePath() + "/quimba-history.csv",
                                            "CSV (*.csv)");
    };
    ShowMessage = [this](const QString& text) { QMessageBox::information(this, Text(kHistTitle), text); };
}

HistoryWindow::~HistoryWindow() = default;

QString HistoryWindow::Text(HistoryText t) const { return line_(kFirstHistoryLine + t); }

QString HistoryWindow::TypeName(int type) const { return line_(kFirstTypeLine + type - kNormal); }

void HistoryWindow::Build(const QImage* texture) {
    TTextureFill* fill = FillDialog(*this, texture);
    const QFont font = LayoutFont("MS Serif", 11, true);

    choice_ = new QComboBox(fill);
    choice_->setObjectName("PlayerChoice");
    choice_->setGeometry(12, 12, 264, 26);
    choice_->setFont(font);
    choice_->setStyleSheet(QString("QComboBox { %1 padding: 0px 4px; }"
                                   "QComboBox QAbstractItemView { background: rgb(0, 0, 128); color: rgb(255, 255, 0);"
                                   " selection-background-color: rgb(0, 0, 255); }")
                               .arg(kPanelStyle));
    choice_->setAccessibleName(Text(kHistPlayers));
    connect(choice_, &QComboBox::activated, this, [this](int i) {
        if (i < 0 || i >= static_cast<int>(model_.players.size())) return;
        wanted_ = model_.players[i];
        Reload();
    });

    auto* panel = new QLabel(fill);
    panel->setGeometry(12, 46, 264, 266);
    panel->setStyleSheet(QString("QLabel { %1 }").arg(kPanelStyle));
    const std::vector<FigureRow> rows = Figures({});
    for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
        auto* name = new QLabel(Text(rows[i].text), panel);
        auto* value = new QLabel(panel);
        for (QLabel* l : {name, value}) {
            l->setFont(font);
            l->setStyleSheet("QLabel { color: rgb(255, 255, 0); background: transparent; border: none; }");
        }
        // Wins against each kind of opponent sit indented under "won".
        const bool under = rows[i].text >= kHistAgainstPersons && rows[i].text <= kHistAgainstExpert;
        name->setGeometry(under ? 18 : 8, 6 + i * 21, 190, 20);
        value->setGeometry(180, 6 + i * 21, 78, 20);
        value->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        value->setAccessibleName(Text(rows[i].text));
        figures_.emplace_back(rows[i].text, value);
    }

    QChartView* histogram = MakeChart(Text(kHistScoresChart), histogramChart_);
    histogram->setParent(fill);
    histogram->setObjectName("ScoresChart");
    histogram->setGeometry(288, 12, 500, 150);
    histogramLine_ = new QLineSeries(this);
    histogramArea_ = new QAreaSeries(histogramLine_);
    histogramArea_->setName(Text(kHistScoresChart));
    histogramArea_->setColor(QColor(255, 255, 0, 170));
    histogramArea_->setBorderColor(kYellow);
    optimalLine_ = new QLineSeries;
    optimalLine_->setPen(QPen(QColor(255, 64, 64), 2, Qt::DashLine));
    histogramChart_->addSeries(histogramArea_);
    histogramChart_->addSeries(optimalLine_);
    histX_ = new QValueAxis;
    histY_ = new QValueAxis;
    StyleAxis(histX_, font);
    StyleAxis(histY_, font);
    histogramChart_->addAxis(histX_, Qt::AlignBottom);
    histogramChart_->addAxis(histY_, Qt::AlignLeft);
    for (QAbstractSeries* s :
         {static_cast<QAbstractSeries*>(histogramArea_), static_cast<QAbstractSeries*>(optimalLine_)}) {
        s->attachAxis(histX_);
        s->attachAxis(histY_);
    }

    QChartView* overTime = MakeChart(Text(kHistOverTimeChart), overTimeChart_);
    overTime->setParent(fill);
    overTime->setObjectName("OverTimeChart");
    overTime->setGeometry(288, 166, 500, 146);
    overTimeLine_ = new QLineSeries;
    overTimeLine_->setName(Text(kHistOverTimeChart));
    overTimeLine_->setPen(QPen(QColor(0, 255, 255), 1.5));
    overTimeChart_->addSeries(overTimeLine_);
    overTimeChart_->legend()->hide();
    timeX_ = new QValueAxis;
    timeY_ = new QValueAxis;
    StyleAxis(timeX_, font);
    StyleAxis(timeY_, font);
    overTimeChart_->addAxis(timeX_, Qt::AlignBottom);
    overTimeChart_->addAxis(timeY_, Qt::AlignLeft);
    overTimeLine_->attachAxis(timeX_);
    overTimeLine_->attachAxis(timeY_);

    list_ = new QTreeWidget(fill);
    list_->setObjectName("GameList");
    list_->setGeometry(12, 320, 776, 218);
    list_->setFont(font);
    list_->setRootIsDecorated(false);
    list_->setUniformRowHeights(true);
    list_->setAllColumnsShowFocus(true);
    list_->setHeaderLabels({Text(kHistDate), Text(kHistType), Text(kHistPlayers), Text(kHistScores), Text(kHistCoached),
                            Text(kHistState)});
    list_->setColumnWidth(0, 128);
    list_->setColumnWidth(1, 92);
    list_->setColumnWidth(2, 250);
    list_->setColumnWidth(3, 120);
    list_->setColumnWidth(4, 80);
    list_->setStyleSheet(
        "QTreeWidget { background: rgb(0, 0, 128); color: rgb(255, 255, 0); border: 1px solid rgb(64, 64, 64); }"
        "QTreeWidget::item:selected { background: rgb(0, 0, 255); color: rgb(255, 255, 0); }"
        "QHeaderView::section { background: rgb(0, 0, 96); color: rgb(255, 255, 0); border: 1px solid rgb(64, 64, "
        "160); padding: 1px 4px; }");
    list_->setAccessibleName(Text(kHistPlayers));
    connect(list_, &QTreeWidget::currentItemChanged, this, &HistoryWindow::UpdateButtons);

    status_ = new QLabel(fill);
    status_->setGeometry(20, 500, 760, 30);
    status_->setFont(font);
    status_->setAlignment(Qt::AlignCenter);
    status_->setStyleSheet("QLabel { color: rgb(255, 255, 0); background: transparent; }");

    const int y = kHeight - 50;
    resume_ = MakeGlassButton(fill, "ResumeButton", QRect(12, y, 182, 38), Text(kHistResume));
    review_ = MakeGlassButton(fill, "ReviewButton", QRect(210, y, 182, 38), Text(kHistReview));
    export_ = MakeGlassButton(fill, "ExportButton", QRect(408, y, 182, 38), Text(kHistExport));
    close_ = MakeGlassButton(fill, "CloseButton", QRect(606, y, 182, 38), line_(kLineBestScores));
    for (TGlassButton* b : {resume_, review_, export_, close_}) b->SetTabStop(true);
    connect(resume_, &TGlassButton::OnClick, this, [this] {
        if (const auto game = ChosenGame()) {
            accept();
            emit ResumeRequested(*game);
        }
    });
    connect(review_, &TGlassButton::OnClick, this, [this] {
        if (const auto game = ChosenGame()) {
            accept();
            emit ReviewRequested(*game);
        }
    });
    connect(export_, &TGlassButton::OnClick, this, &HistoryWindow::Export);
    connect(close_, &TGlassButton::OnClick, this, &QDialog::accept);
    UpdateButtons();
}

QChartView* HistoryWindow::MakeChart(const QString& title, QChart*& chart) {
    chart = new QChart;
    chart->setTitle(title);
    chart->setTitleBrush(kYellow);
    chart->setTitleFont(LayoutFont("MS Serif", 12, true));
    chart->setBackgroundBrush(kNavy);
    chart->setBackgroundPen(QPen(QColor(64, 64, 64)));
    chart->setBackgroundRoundness(0);
    chart->setMargins(QMargins(2, 0, 6, 0));
    chart->legend()->setLabelColor(kYellow);
    chart->legend()->setFont(LayoutFont("MS Serif", 11, true));
    chart->legend()->setAlignment(Qt::AlignRight);
    chart->setAnimationOptions(QChart::NoAnimation);
    // Drawn as vectors at the screen's own pixel ratio: sharp at any scale.
    auto* view = new QChartView(chart);
    view->setRenderHint(QPainter::Antialiasing);
    view->setFrameShape(QFrame::NoFrame);
    view->setStyleSheet("background: transparent;");
    return view;
}

void HistoryWindow::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    CentreOnScreen(this);
    Reload();
}

void HistoryWindow::Reload() {
    if (watcher_->isRunning()) {
        again_ = true;
        return;
    }
    if (model_.players.empty()) status_->setText(Text(kHistReading));
    // The file is read on a pool thread: over many games it takes a moment,
    // and the window opens meanwhile.
    watcher_->setFuture(QtConcurrent::run([path = database_, choice = wanted_] { return LoadHistory(path, choice); }));
}

bool HistoryWindow::Loading() const { return watcher_->isRunning(); }

QString HistoryWindow::Figure(HistoryText text) const {
    for (const auto& [t, label] : figures_)
        if (t == text) return label->text();
    return {};
}

void HistoryWindow::Show(HistoryModel model) {
    model_ = std::move(model);
    choice_->clear();
    for (const store::PlayerKey& key : model_.players) choice_->addItem(KeyName(key, TypeName(key.type), line_));
    choice_->setCurrentIndex(model_.selected);
    if (model_.selected >= 0) wanted_ = model_.players[model_.selected];
    const std::vector<FigureRow> rows = Figures(model_.stats, line_(kLineDecimalMark));
    for (const FigureRow& row : rows)
        for (auto& [t, label] : figures_)
            if (t == row.text) label->setText(row.value.isEmpty() ? QString("-") : row.value);
    ShowCharts();
    ShowGames();
    // A file that cannot be read says why rather than seeming empty.
    const QString empty = model_.notice.Empty() ? Text(kHistNoGame) : StoreNoticeText(model_.notice, line_);
    status_->setText(model_.players.empty() ? empty : QString());
    status_->setVisible(model_.players.empty());
    UpdateButtons();
    emit Loaded();
}

void HistoryWindow::ShowCharts() {
    QList<QPointF> bars(model_.histogram.begin(), model_.histogram.end());
    histogramLine_->replace(bars);
    // The mark stands a little above the tallest bar, so it reads even where
    // no bar reaches.
    const double top = std::max(1, model_.tallest) * 1.1;
    optimalLine_->replace({{model_.optimalMean, 0}, {model_.optimalMean, top}});
    optimalLine_->setName(QString("%1 %2").arg(Text(kHistOptimalMean)).arg(model_.optimalMean, 0, 'f', 2));
    double low = model_.optimalMean - 20, high = model_.optimalMean + 20;
    if (!model_.histogram.empty()) {
        low = std::min(low, model_.histogram.front().x());
        high = std::max(high, model_.histogram.back().x());
    }
    histX_->setRange(low, high);
    // Ticks on round scores, whatever the range.
    histX_->setTickType(QValueAxis::TicksDynamic);
    histX_->setTickAnchor(0);
    histX_->setTickInterval(high - low > 150 ? 50 : 25);
    histY_->setRange(0, top);
    histY_->applyNiceNumbers();
    histY_->setTitleText(Text(kHistGamesAxis));

    QList<QPointF> points(model_.overTime.begin(), model_.overTime.end());
    overTimeLine_->replace(points);
    const int games = static_cast<int>(model_.stats.overTime.size());
    timeX_->setRange(model_.overTime.empty() ? 0 : 1, std::max(games, 2));
    timeX_->setTitleText(Text(kHistGameAxis));
    double yLow = 0, yHigh = 1;
    if (!points.empty()) {
        const auto [lo, hi] = std::minmax_element(points.begin(), points.end(),
                                                  [](const QPointF& a, const QPointF& b) { return a.y() < b.y(); });
        yLow = lo->y();
        yHigh = std::max(hi->y(), yLow + 1);
    }
    timeY_->setRange(yLow, yHigh);
    timeY_->applyNiceNumbers();
}

void HistoryWindow::ShowGames() {
    list_->clear();
    for (const store::GameSummary& g : model_.games) {
        QStringList names, scores;
        for (const auto& seat : g.seats) {
            names << QString::fromStdString(seat.name);
            scores << (seat.score ? QString::number(*seat.score) : QString("-"));
        }
        const HistoryText state = g.state == store::GameSummary::Finished    ? kHistStateFinished
                                  : g.state == store::GameSummary::Abandoned ? kHistStateAbandoned
                                                                             : kHistStateInterrupted;
        auto* item = new QTreeWidgetItem(
            list_, {QDateTime::fromSecsSinceEpoch(g.started).toString("yyyy-MM-dd hh:mm"), TypeName(g.type),
                    names.join(", "), scores.join(" / "), g.coached ? Text(kHistYes) : QString(), Text(state)});
        item->setData(0, Qt::UserRole, QVariant::fromValue<qint64>(g.id));
        item->setData(1, Qt::UserRole, static_cast<int>(g.state));
        item->setData(2, Qt::UserRole, static_cast<int>(g.origin));
    }
}

std::optional<qint64> HistoryWindow::ChosenGame() const {
    const QTreeWidgetItem* item = list_->currentItem();
    if (!item) return std::nullopt;
    return item->data(0, Qt::UserRole).toLongLong();
}

void HistoryWindow::UpdateButtons() {
    const QTreeWidgetItem* item = list_->currentItem();
    // Only a game of the window is resumed; the simulator's never stop halfway.
    const bool interrupted = item && item->data(1, Qt::UserRole).toInt() == store::GameSummary::Interrupted &&
                             item->data(2, Qt::UserRole).toInt() == static_cast<int>(store::Origin::Window);
    resume_->setEnabled(interrupted && isSignalConnected(QMetaMethod::fromSignal(&HistoryWindow::ResumeRequested)));
    review_->setEnabled(item && isSignalConnected(QMetaMethod::fromSignal(&HistoryWindow::ReviewRequested)));
}

void HistoryWindow::Export() {
    const QString file = AskExportFile ? AskExportFile() : QString();
    if (file.isEmpty()) return;
    const Status done = store::ExportHistoryFile(database_, QFile::encodeName(file).toStdString());
    ShowMessage(done.Ok() ? Text(kHistExportWritten) + " " + QDir::toNativeSeparators(file)
                          : Text(kHistExportFailed) + " " + QString::fromStdString(done.Error()));
}

}  // namespace quimba::ui
