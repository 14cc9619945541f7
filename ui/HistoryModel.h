#pragma once
// What the history window shows, read from the games file in one go so it
// can be built off the window's thread: whose statistics, their figures, the
// points of both charts and the last games.

#include <QPointF>
#include <QString>
#include <optional>
#include <string>
#include <vector>

#include "PartyStore.h"

namespace quimba::ui {

// The texts of the history window, by their place after kFirstHistoryLine.
enum HistoryText : int {
    kHistTitle,
    kHistButton,
    kHistPlayed,
    kHistFinished,
    kHistWon,
    kHistAgainstPersons,
    kHistAgainstLadder,
    kHistAgainstExpert,
    kHistMean,
    kHistBest,
    kHistWorst,
    kHistDeviation,
    kHistCurrentStreak,
    kHistLongestStreak,
    kHistScoresChart,
    kHistOptimalMean,
    kHistOverTimeChart,
    kHistDate,
    kHistType,
    kHistPlayers,
    kHistScores,
    kHistCoached,
    kHistState,
    kHistStateFinished,
    kHistStateInterrupted,
    kHistStateAbandoned,
    kHistResume,
    kHistReview,
    kHistExport,
    kHistYes,
    kHistNoGame,
    kHistExportWritten,
    kHistExportFailed,
    kHistReading,
    kHistGamesAxis,
    kHistGameAxis,
    kHistTextCount
};

struct HistoryModel {
    std::vector<store::PlayerKey> players;  // every name, kind and game type with games
    int selected = -1;                      // the one shown, -1 when there is none
    store::PlayerStats stats;
    int bin = 10;  // points per bar of the histogram
    // The histogram as a closed outline of bars on the score axis, ready for
    // an area chart, and its tallest bar.
    std::vector<QPointF> histogram;
    int tallest = 0;
    double optimalMean = 0;  // of the shown game type
    // Score per game over time: x is the game's rank among the player's
    // finished games (1 = first). Past `maxPoints` games each point is the
    // mean of `perPoint` games in a row, placed at the last of them.
    std::vector<QPointF> overTime;
    int perPoint = 1;
    std::vector<store::GameSummary> games;  // the last games, newest first
    store::StoreNotice notice;              // why the file could not be read, if it could not
};

// Everything for `choice` (the player with the most finished person games
// when empty, or the first key). `path` is opened read-only; a missing file
// gives an empty model.
HistoryModel LoadHistory(const std::string& path, const std::optional<store::PlayerKey>& choice, int maxPoints = 500,
                         int lastGames = 200);
HistoryModel BuildHistory(const store::PartyStore& store, const std::optional<store::PlayerKey>& choice,
                          int maxPoints = 500, int lastGames = 200);

// One line of the figures beside the charts: which text heads it, and the value.
struct FigureRow {
    HistoryText text;
    QString value;
};
// An empty value reads as a dash: a best score of no finished game means nothing.
// `decimal` is the language's decimal mark.
std::vector<FigureRow> Figures(const store::PlayerStats& stats, const QString& decimal = ".");

}  // namespace quimba::ui
