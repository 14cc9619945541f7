// The history window over a small games file whose figures are known by hand.
#include <QComboBox>
#include <QFile>
#include <QImage>
#include <QLineSeries>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QTreeWidget>

#include "HistoryWindow.h"
#include "Language.h"
#include "PartyStore.h"
#include "QtTestMain.h"
#include "Strategy.h"
#include "TGlassButton.h"

using namespace quimba;
using namespace quimba::store;
using namespace quimba::ui;

namespace {

const SeatSetup ana{.name = "Ana"}, bo{.name = "Bo"};
const SeatSetup ladder{.name = "CPU", .kind = SeatKind::Classic}, expert{.name = "CPU", .kind = SeatKind::Expert};

struct Played {
    int type;
    std::vector<SeatSetup> seats;
    std::array<int, kMaxPlayers> totals;
    int winner;  // -1 abandoned, -2 interrupted
};

// Ana: Normal 100 (won vs ladder), 150 (lost to the expert), abandoned, 200
// (won vs the expert), 250 (won vs Bo and the ladder), then an interrupted
// one; one Ascendant game, 90, lost to Bo.
const std::vector<Played> kGames = {
    {.type = kNormal, .seats = {ana, ladder}, .totals = {100, 90}, .winner = 0},
    {.type = kNormal, .seats = {bo, ana, expert}, .totals = {160, 150, 210}, .winner = 2},
    {.type = kNormal, .seats = {ana, bo}, .totals = {}, .winner = -1},
    {.type = kNormal, .seats = {ana, expert}, .totals = {200, 180}, .winner = 0},
    {.type = kNormal, .seats = {ana, bo, ladder}, .totals = {250, 240, 100}, .winner = 0},
    {.type = kAscendant, .seats = {ana, bo}, .totals = {90, 95}, .winner = 1},
    {.type = kNormal, .seats = {bo, ana}, .totals = {}, .winner = -2},
};

void Fill(const std::string& path) {
    PartyStore store(path);
    std::int64_t started = 1765000000;
    for (const Played& p : kGames) {
        GameRecord r{.setup = {.started = started += 60, .type = p.type, .seats = p.seats}, .events = {}};
        if (p.winner == -1) r.events.push_back(RecordEvent::End(GameEnd::Abandoned));
        if (p.winner >= 0) r.events.push_back(RecordEvent::End(GameEnd::Finished, p.totals, p.winner));
        QVERIFY(store.AddGame(r, Origin::Window).Ok());
    }
}

QString Line(int n) { return QString::fromStdString(BuiltInLine(n)); }

}  // namespace

class HistoryTest : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() {
        QVERIFY(folder_.isValid());
        path_ = (folder_.path() + "/parties.sqlite").toStdString();
        Fill(path_);
    }

    // What the figures panel says for each name and game type.
    void figuresOfEachPlayer() {
        struct Row {
            const char* name;
            SeatKind kind;
            int type;
            QStringList figures;  // played, finished, won, vs persons, ladder, expert, mean, best, worst, deviation,
                                  // current and longest streak
        };
        const Row rows[] = {
            {.name = "Ana",
             .kind = SeatKind::Person,
             .type = kNormal,
             .figures = {"6", "4", "3 (75 %)", "1 / 2", "2 / 2", "1 / 2", "175.0", "250", "100", "55.9", "2", "2"}},
            {.name = "Ana",
             .kind = SeatKind::Person,
             .type = kAscendant,
             .figures = {"1", "1", "0 (0 %)", "0 / 1", "", "", "90.0", "90", "90", "0.0", "0", "0"}},
            {.name = "Bo",
             .kind = SeatKind::Person,
             .type = kNormal,
             .figures = {"4", "2", "0 (0 %)", "0 / 2", "0 / 1", "0 / 1", "200.0", "240", "160", "40.0", "0", "0"}},
            {.name = "CPU",
             .kind = SeatKind::Expert,
             .type = kNormal,
             .figures = {"2", "2", "1 (50 %)", "1 / 2", "", "", "195.0", "210", "180", "15.0", "0", "1"}},
            {.name = "Cy",  // no such player: the default one instead
             .kind = SeatKind::Person,
             .type = kNormal,
             .figures = {"6", "4", "3 (75 %)", "1 / 2", "2 / 2", "1 / 2", "175.0", "250", "100", "55.9", "2", "2"}},
        };
        for (const Row& row : rows) {
            const HistoryModel m = LoadHistory(path_, PlayerKey{.name = row.name, .kind = row.kind, .type = row.type});
            QStringList shown;
            for (const FigureRow& f : Figures(m.stats)) shown << f.value;
            QCOMPARE(shown, row.figures);
        }
    }

    // The charts' points: a closed outline per bar, and one point per game
    // until there are too many, then means of games in a row.
    void chartPoints() {
        const HistoryModel m = LoadHistory(path_, std::nullopt, 3);
        QCOMPARE(m.players[m.selected].name, std::string("Ana"));
        QCOMPARE(m.players[m.selected].type, int(kNormal));
        QCOMPARE(m.optimalMean, kOptimalMeanNormal);
        QCOMPARE(m.histogram.size(), std::size_t(16));  // 100, 150, 200, 250: one game each
        QCOMPARE(m.histogram[4], QPointF(150, 0));
        QCOMPARE(m.histogram[5], QPointF(150, 1));
        QCOMPARE(m.histogram[6], QPointF(160, 1));
        QCOMPARE(m.tallest, 1);
        // Four games over at most three points: pairs, the mean at the last game of each.
        QCOMPARE(m.perPoint, 2);
        QCOMPARE(m.overTime, (std::vector<QPointF>{{2, 125}, {4, 225}}));
        QCOMPARE(m.games.size(), kGames.size());
        QCOMPARE(m.games.front().state, GameSummary::Interrupted);
        // Nothing recorded yet: no player, nothing drawn, no failure.
        const HistoryModel none = LoadHistory(folder_.path().toStdString() + "/none.sqlite", std::nullopt);
        QCOMPARE(none.selected, -1);
        QVERIFY(none.histogram.empty() && none.games.empty());
    }

    // The window read offscreen: its series hold the model's points, the
    // interrupted game can be resumed, the export writes the CSV.
    void windowShowsTheGames() {
        QImage texture(8, 8, QImage::Format_RGB32);
        texture.fill(Qt::darkGray);
        HistoryWindow window(
            nullptr, &texture, [](int n) { return Line(n).isEmpty() ? QString::number(n) : Line(n); }, path_);
        QSignalSpy resumed(&window, &HistoryWindow::ResumeRequested);
        QSignalSpy loaded(&window, &HistoryWindow::Loaded);
        window.show();
        QVERIFY(loaded.wait(10000));
        QCOMPARE(window.Figure(kHistMean), QString("175,0"));  // the French decimal mark
        QCOMPARE(window.HistogramSeries()->count(), 16);
        QCOMPARE(window.HistogramSeries()->at(13), QPointF(250, 1));
        QCOMPARE(window.OptimalSeries()->at(0).x(), kOptimalMeanNormal);
        QCOMPARE(window.OverTimeSeries()->points(), (QList<QPointF>{{1, 100}, {2, 150}, {3, 200}, {4, 250}}));

        // The Ascendant games of Ana, chosen in the list of players.
        const std::vector<PlayerKey>& keys = window.Model().players;
        const int ascendant = static_cast<int>(
            std::find_if(keys.begin(), keys.end(), [](const PlayerKey& k) { return k.type == kAscendant; }) -
            keys.begin());
        QVERIFY(ascendant < window.PlayerChoice()->count());
        window.PlayerChoice()->setCurrentIndex(ascendant);
        emit window.PlayerChoice()->activated(ascendant);
        QVERIFY(loaded.wait(10000));
        QCOMPARE(window.OptimalSeries()->at(1).x(), kOptimalMeanForced);
        QCOMPARE(window.OverTimeSeries()->points(), (QList<QPointF>{{1, 90}}));

        // Newest first: the interrupted game heads the list and only it resumes.
        auto* resume = window.findChild<TGlassButton*>("ResumeButton");
        QTreeWidget* list = window.GameList();
        QCOMPARE(list->topLevelItemCount(), int(kGames.size()));
        list->setCurrentItem(list->topLevelItem(1));
        QVERIFY(!resume->isEnabled());
        list->setCurrentItem(list->topLevelItem(0));
        QVERIFY(resume->isEnabled());
        emit resume->OnClick();
        QCOMPARE(resumed.count(), 1);
        QCOMPARE(resumed.front().front().toLongLong(), qint64(kGames.size()));

        const QString csv = folder_.path() + "/export.csv";
        QString told;
        window.AskExportFile = [&] { return csv; };
        window.ShowMessage = [&](const QString& text) { told = text; };
        window.Export();
        QFile file(csv);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QCOMPARE(file.readLine(), QByteArray("game,started,type,seat,name,kind,score,won,state,coached,undos\r\n"));
        QVERIFY(told.contains(Line(kFirstHistoryLine + kHistExportWritten)));
        window.AskExportFile = [&] { return folder_.path() + "/no/such/folder/export.csv"; };
        window.Export();
        QVERIFY(told.startsWith(Line(kFirstHistoryLine + kHistExportFailed)));
    }

private:
    QTemporaryDir folder_;
    std::string path_;
};

QUIMBA_TEST_MAIN("history", HistoryTest)
#include "history_test.moc"
