#pragma once
// The history and statistics window, opened by the "Historique" button of the
// best-scores dialog and by Ctrl+H in the main window: each player's figures
// per game type, the histogram of final scores against the optimal mean, the
// score per game over time and the last games, from which an interrupted game
// is resumed or a game opened in the review.

#include <QDialog>
#include <QFutureWatcher>
#include <functional>
#include <optional>
#include <string>

#include "HistoryModel.h"
#include "UiWidgets.h"

class QComboBox;
class QLabel;
class QTreeWidget;
class QImage;

QT_BEGIN_NAMESPACE
class QChart;
class QChartView;
class QLineSeries;
class QAreaSeries;
class QValueAxis;
QT_END_NAMESPACE

namespace quimba::ui {

class HistoryWindow : public QDialog {
    Q_OBJECT
public:
    // `line` gives the language line n as shown; `texture` fills the window
    // as it fills the other dialogs; `database` is the games file.
    HistoryWindow(QWidget* parent, const QImage* texture, std::function<QString(int)> line, std::string database);
    ~HistoryWindow() override;

    // Reads the file again off the window's thread; the figures and charts
    // follow when it is read. Opening the window does it.
    void Reload();
    bool Loading() const;
    const HistoryModel& Model() const { return model_; }

    // The series the charts draw, for the tests.
    QLineSeries* HistogramSeries() const { return histogramLine_; }
    QLineSeries* OptimalSeries() const { return optimalLine_; }
    QLineSeries* OverTimeSeries() const { return overTimeLine_; }
    QTreeWidget* GameList() const { return list_; }
    QComboBox* PlayerChoice() const { return choice_; }
    // The figure beside `text` as shown.
    QString Figure(HistoryText text) const;

    // Where the CSV export asks for its file; tests replace it.
    std::function<QString()> AskExportFile;
    // Tells the player how the export went; tests replace it.
    std::function<void(const QString&)> ShowMessage;
    void Export();

signals:
    // The main window resumes the chosen interrupted game, or opens the review.
    void ResumeRequested(qint64 game);
    void ReviewRequested(qint64 game);
    // The figures and charts now show a fresh read.
    void Loaded();

protected:
    void showEvent(QShowEvent*) override;

private:
    QString Text(HistoryText t) const;
    QString TypeName(int type) const;
    void Build(const QImage* texture);
    QChartView* MakeChart(const QString& title, QChart*& chart);
    void Show(HistoryModel model);
    void ShowCharts();
    void ShowGames();
    void UpdateButtons();
    std::optional<qint64> ChosenGame() const;

    std::function<QString(int)> line_;
    std::string database_;
    HistoryModel model_;
    std::optional<store::PlayerKey> wanted_;
    bool again_ = false;  // a read was asked while one ran
    QFutureWatcher<HistoryModel>* watcher_;

    QComboBox* choice_ = nullptr;
    QLabel* status_ = nullptr;
    std::vector<std::pair<HistoryText, QLabel*>> figures_;
    QChart* histogramChart_ = nullptr;
    QChart* overTimeChart_ = nullptr;
    QLineSeries* histogramLine_ = nullptr;
    QAreaSeries* histogramArea_ = nullptr;
    QLineSeries* optimalLine_ = nullptr;
    QLineSeries* overTimeLine_ = nullptr;
    QValueAxis *histX_ = nullptr, *histY_ = nullptr, *timeX_ = nullptr, *timeY_ = nullptr;
    QTreeWidget* list_ = nullptr;
    TGlassButton* resume_ = nullptr;
    TGlassButton* review_ = nullptr;
    TGlassButton* export_ = nullptr;
    TGlassButton* close_ = nullptr;
};

}  // namespace quimba::ui
