// The history window against its budget: open in at most 300 ms over
// 100,000 recorded games. Measured: the window's reads and model (what runs
// off the window's thread), and the window from construction to its first
// full paint with the charts. Baselines in the same run: opening the file
// alone, and a bare dialog of the same size painted.
//   QT_QPA_PLATFORM=offscreen bench_history; QUIMBA_HISTORY_DB names a games
//   file (one filled by `quimba-sim --record`); without it a file of 100,000
//   games is made once in QUIMBA_BENCH_DIR (default /tmp) and kept.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QDialog>
#include <QImage>
#include <QLabel>
#include <QSignalSpy>
#include <cstdlib>
#include <filesystem>
#include <random>

#include "Fonts.h"
#include "HistoryWindow.h"
#include "PartyStore.h"

namespace {

using namespace quimba;
using namespace quimba::store;
namespace fs = std::filesystem;

constexpr int kGames = 100000;

// Two seats a game, the person against the ladder or the expert, scores
// spread like real ones; the statistics read the seats, not the throws.
std::string Database() {
    if (const char* named = std::getenv("QUIMBA_HISTORY_DB"); named && *named) return named;
    const char* dir = std::getenv("QUIMBA_BENCH_DIR");
    const fs::path path = fs::path(dir && *dir ? dir : fs::temp_directory_path().string()) / "quimba-history.sqlite";
    if (fs::exists(path)) return path.string();
    PartyStore store(path.string());
    std::mt19937 rng(1);
    std::normal_distribution<double> score(195, 40);
    const SeatSetup ana{.name = "Ana"};
    const SeatSetup cpu[2] = {{.name = "CPU", .kind = SeatKind::Classic}, {.name = "CPU", .kind = SeatKind::Expert}};
    for (int i = 0; i < kGames; ++i) {
        const int a = std::max(0, static_cast<int>(score(rng))), b = std::max(0, static_cast<int>(score(rng)));
        GameRecord r{.setup = {.started = 1765000000 + i * 300, .type = kNormal, .seats = {ana, cpu[i % 2]}},
                     .events = {RecordEvent::End(GameEnd::Finished, {a, b}, a >= b ? 0 : 1)}};
        store.AddGame(r, Origin::Simulator);
    }
    return path.string();
}

const std::string& Path() {
    static const std::string path = Database();
    return path;
}

void OpenOnly(benchmark::State& state) {
    for (auto _ : state) {
        const PartyStore store(Path(), PartyStore::Mode::Read);
        benchmark::DoNotOptimize(store.access());
    }
}
BENCHMARK(OpenOnly)->Unit(benchmark::kMillisecond);

void Model(benchmark::State& state) {
    for (auto _ : state) {
        const ui::HistoryModel model = ui::LoadHistory(Path(), std::nullopt);
        state.counters["games"] = model.stats.played;
        benchmark::DoNotOptimize(model.histogram.data());
    }
}
BENCHMARK(Model)->Unit(benchmark::kMillisecond);

QImage& Texture() {
    static QImage texture = [] {
        QImage t(64, 64, QImage::Format_RGB32);
        t.fill(Qt::darkGray);
        return t;
    }();
    return texture;
}

void BareDialog(benchmark::State& state) {
    for (auto _ : state) {
        QDialog dialog;
        dialog.setFixedSize(800, 596);
        dialog.show();
        benchmark::DoNotOptimize(dialog.grab());
    }
}
BENCHMARK(BareDialog)->Unit(benchmark::kMillisecond);

// From construction to the first paint with the figures and charts filled.
void WindowFirstPaint(benchmark::State& state) {
    for (auto _ : state) {
        ui::HistoryWindow window(
            nullptr, &Texture(), [](int n) { return QString::number(n); }, Path());
        QSignalSpy loaded(&window, &ui::HistoryWindow::Loaded);
        window.show();
        if (!loaded.wait(30000)) state.SkipWithError("the history was never read");
        benchmark::DoNotOptimize(window.grab());
    }
}
BENCHMARK(WindowFirstPaint)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    Path();
    // The game has drawn text before the history opens: the process's first
    // use of the fonts is paid here, not by the first window measured.
    QLabel warm("3D QUIMBA");
    warm.setFont(quimba::ui::LayoutFont("MS Serif", 11, true));
    warm.show();
    warm.grab();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
