// Cost of composing the dice table: one animation frame (board, five dice,
// two keep marks, present) and a whole throw of 46 frames.

#include "DrawSurface.h"
#include "PictureList.h"

#include <QApplication>

#include <benchmark/benchmark.h>

#include <array>
#include <cstdlib>

using quimba::TDrawSurface;
using quimba::TPictureList;

namespace {

constexpr QRgb kBlue = qRgb(0, 0, 255);

QImage Board() {
    QImage img(TDrawSurface::kWidth, TDrawSurface::kHeight, QImage::Format_RGB32);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x) img.setPixel(x, y, qRgb(20 + x % 40, 90 + y % 50, 30));
    return img;
}

// A rounded die on a blue background, with pips: several opaque runs a row.
QImage Die(int face) {
    QImage img(70, 60, QImage::Format_RGB32);
    img.fill(kBlue);
    for (int y = 8; y < 52; ++y)
        for (int x = 12; x < 58; ++x) {
            const int dx = x < 20 ? 20 - x : (x > 50 ? x - 50 : 0);
            const int dy = y < 16 ? 16 - y : (y > 44 ? y - 44 : 0);
            if (dx * dx + dy * dy <= 64) img.setPixel(x, y, qRgb(240, 240, 230));
        }
    for (int p = 0; p < face; ++p) {
        const int cx = 22 + (p % 3) * 13, cy = 20 + (p / 3) * 20;
        for (int y = cy - 3; y <= cy + 3; ++y)
            for (int x = cx - 3; x <= cx + 3; ++x)
                if ((x - cx) * (x - cx) + (y - cy) * (y - cy) <= 9) img.setPixel(x, y, kBlue);
    }
    return img;
}

QImage KeepMark() {
    QImage img(30, 26, QImage::Format_RGB32);
    img.fill(kBlue);
    for (int y = 0; y < 26; ++y)
        for (int x = 0; x < 30; ++x)
            if (std::abs(x - 15) + std::abs(y - 13) < 12) img.setPixel(x, y, qRgb(220, 30, 30));
    return img;
}

struct Table {
    TPictureList source;
    TDrawSurface surface;
    std::array<int, 6> posx{0, 360, 370, 350, 375, 345};
    std::array<int, 6> posy{0, 30, 50, 30, 50, 40};
    static constexpr std::array<int, 6> stepX{0, 2, 4, 6, 8, 10};
    static constexpr std::array<int, 6> stepY{0, 2, 4, 2, 4, 3};

    Table() {
        source.SetPicture(0, Board());
        for (int f = 1; f <= 6; ++f) source.SetPicture(f, Die(f));
        source.SetPicture(7, KeepMark());
        for (int i = 0; i <= 8; ++i) source.SetTransparentColor(i, kBlue);
    }

    void Frame(int n) {
        QImage& s = surface.Surface();
        source.Draw(s, 0, 0, 0);
        for (int d = 1; d <= 5; ++d) {
            posx[d] -= stepX[d];
            posy[d] += stepY[d];
            source.Draw(s, 1 + (n + d) % 6, posx[d], posy[d]);
        }
        // Two kept dice' marks.
        source.Draw(s, 7, 195 + 20, -5 + 20);
        source.Draw(s, 7, 150 + 20, 0 + 20);
        surface.Flip();
    }

    void Reset() {
        posx = {0, 360, 370, 350, 375, 345};
        posy = {0, 30, 50, 30, 50, 40};
    }
};

Table& TheTable() {
    static Table table;
    return table;
}

void BM_OneFrame(benchmark::State& state) {
    Table& t = TheTable();
    int n = 0;
    for (auto _ : state) {
        if (n % 46 == 0) t.Reset();
        t.Frame(n++);
        benchmark::DoNotOptimize(t.surface.Shown().constBits());
    }
    state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_OneFrame)->Unit(benchmark::kMicrosecond);

void BM_WholeThrow(benchmark::State& state) {
    Table& t = TheTable();
    for (auto _ : state) {
        t.Reset();
        for (int n = 0; n < 46; ++n) t.Frame(n);
        benchmark::DoNotOptimize(t.surface.Shown().constBits());
    }
}
BENCHMARK(BM_WholeThrow)->Unit(benchmark::kMicrosecond);

void BM_DieOnly(benchmark::State& state) {
    Table& t = TheTable();
    for (auto _ : state) {
        t.source.Draw(t.surface.Surface(), 3, 200, 100);
        benchmark::ClobberMemory();
    }
}
BENCHMARK(BM_DieOnly)->Unit(benchmark::kNanosecond);

}  // namespace

int main(int argc, char** argv) {
    // The surface is a widget; it is never shown here.
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? "offscreen" : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
