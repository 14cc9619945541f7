// The history window's figures, read from the games file in one go off the window's thread.
#include "HistoryModel.h"

#include <algorithm>

#include "Strategy.h"
#include "Words.h"

namespace quimba::ui {

namespace {

int DefaultChoice(const std::vector<store::PlayerKey>& players) {
    // The person who played most is the one at the keyboard; a file of
    // simulated games alone shows its busiest computer.
    int best = -1;
    auto better = [&](int i) {
        if (best < 0) return true;
        const bool person = players[i].kind == SeatKind::Person, bestPerson = players[best].kind == SeatKind::Person;
        if (person != bestPerson) return person;
        return players[i].games > players[best].games;
    };
    for (int i = 0; i < static_cast<int>(players.size()); ++i)
        if (better(i)) best = i;
    return best;
}

std::vector<QPointF> Outline(const std::vector<store::PlayerStats::Bar>& bars, int bin) {
    std::vector<QPointF> points;
    points.reserve(bars.size() * 4);
    for (const auto& bar : bars) {
        const double left = bar.from, right = bar.from + bin;
        points.insert(points.end(), {{left, 0}, {left, double(bar.games)}, {right, double(bar.games)}, {right, 0}});
    }
    return points;
}

std::vector<QPointF> OverTime(const std::vector<store::PlayerStats::Point>& games, int maxPoints, int& perPoint) {
    const int n = static_cast<int>(games.size());
    perPoint = maxPoints > 0 && n > maxPoints ? (n + maxPoints - 1) / maxPoints : 1;
    std::vector<QPointF> points;
    points.reserve(n / perPoint + 1);
    for (int first = 0; first < n; first += perPoint) {
        const int last = std::min(n, first + perPoint);
        double sum = 0;
        for (int i = first; i < last; ++i) sum += games[i].score;
        points.emplace_back(last, sum / (last - first));
    }
    return points;
}

}  // namespace

HistoryModel BuildHistory(const store::PartyStore& store, const std::optional<store::PlayerKey>& choice, int maxPoints,
                          int lastGames) {
    HistoryModel model;
    model.notice = store.OpenNotice();
    model.players = store.Players();
    model.selected = -1;
    if (choice) {
        for (int i = 0; i < static_cast<int>(model.players.size()); ++i) {
            const store::PlayerKey& k = model.players[i];
            if (k.name == choice->name && k.kind == choice->kind && k.type == choice->type) model.selected = i;
        }
    }
    if (model.selected < 0) model.selected = DefaultChoice(model.players);
    model.games = store.Games(INT64_MAX, lastGames);
    if (model.selected < 0) return model;
    const store::PlayerKey& key = model.players[model.selected];
    // Bars of ten points across the free game's wide range, five across the
    // forced orders' narrower one.
    model.bin = key.type == kNormal ? 10 : 5;
    model.stats = store.Statistics({.name = key.name, .type = key.type, .kind = key.kind, .histogramBin = model.bin});
    model.histogram = Outline(model.stats.histogram, model.bin);
    for (const auto& bar : model.stats.histogram) model.tallest = std::max(model.tallest, bar.games);
    model.optimalMean = OptimalMean(key.type);
    model.overTime = OverTime(model.stats.overTime, maxPoints, model.perPoint);
    return model;
}

HistoryModel LoadHistory(const std::string& path, const std::optional<store::PlayerKey>& choice, int maxPoints,
                         int lastGames) {
    const store::PartyStore store(path, store::PartyStore::Mode::Read);
    return BuildHistory(store, choice, maxPoints, lastGames);
}

std::vector<FigureRow> Figures(const store::PlayerStats& s, const QString& mark) {
    const bool any = s.finished > 0;
    auto number = [](int n) { return QString::number(n); };
    auto decimal = [&](double v) {
        return any ? QString::fromStdString(DecimalWith(v, mark.toStdString())) : QString();
    };
    auto against = [](const store::PlayerStats::Against& a) {
        return a.played > 0 ? QString("%1 / %2").arg(a.won).arg(a.played) : QString();
    };
    const QString won =
        any ? QString("%1 (%2 %)").arg(s.won).arg(QString::number(100.0 * s.won / s.finished, 'f', 0)) : number(s.won);
    return {
        {kHistPlayed, number(s.played)},
        {kHistFinished, number(s.finished)},
        {kHistWon, won},
        {kHistAgainstPersons, against(s.persons)},
        {kHistAgainstLadder, against(s.ladder)},
        {kHistAgainstExpert, against(s.expert)},
        {kHistMean, decimal(s.mean)},
        {kHistBest, any ? number(s.best) : QString()},
        {kHistWorst, any ? number(s.worst) : QString()},
        {kHistDeviation, decimal(s.deviation)},
        {kHistCurrentStreak, number(s.currentStreak)},
        {kHistLongestStreak, number(s.longestStreak)},
    };
}

}  // namespace quimba::ui
