// Paints of a program-style glass button over a textured panel (a look
// change, and one after the parent has painted), and one full paint of the
// 1024 x 525 textured panel.
#include "PixelOps.h"
#include "TGlassButton.h"
#include "TTexturePanel.h"
#include "WidgetTestSupport.h"

#include <QApplication>
#include <QLabel>

#include <benchmark/benchmark.h>

using namespace quimba::widgets;

namespace {

QImage Texture() {
    QImage tex(573, 152, QImage::Format_RGB888);
    for (int y = 0; y < tex.height(); ++y)
        for (int x = 0; x < tex.width(); ++x)
            tex.setPixelColor(x, y, QColor((x * 7 + y * 3) & 63, (x * 5 + y * 11) & 63, 40));
    return tex;
}

struct MainPanel {
    MainPanel() {
        panel.resize(1024, 525);
        panel.SetTexture(Texture());
        auto* label = new QLabel(QStringLiteral("Joueur 1"), &panel);
        label->move(330, 440);
        button = new TGlassButton(&panel);
        button->setGeometry(323, 430, 198, 38);
        widgettest::DressAsCommand(button, QStringLiteral("Nouvelle Partie"));
    }
    TTexturePanel panel;
    TGlassButton* button = nullptr;
};

void BM_GlassButtonPaint(benchmark::State& state) {
    MainPanel scene;
    for (auto _ : state) {
        scene.button->PaintFace();
        benchmark::DoNotOptimize(scene.button->FaceBitmap().constBits());
    }
}
BENCHMARK(BM_GlassButtonPaint)->Unit(benchmark::kMicrosecond);

// The same paint when the parent's look behind the button must be copied
// again first (after the parent itself has painted).
void BM_GlassButtonPaintFreshBackground(benchmark::State& state) {
    MainPanel scene;
    for (auto _ : state) {
        scene.button->BackgroundChanged();
        scene.button->PaintFace();
        benchmark::DoNotOptimize(scene.button->FaceBitmap().constBits());
    }
}
BENCHMARK(BM_GlassButtonPaintFreshBackground)->Unit(benchmark::kMicrosecond);

// The caption shadow's blur on its own, the biggest part of a button paint.
void BM_BlurMask(benchmark::State& state) {
    QImage mask(196, 36, QImage::Format_RGB888);
    mask.fill(Qt::white);
    for (int x = 60; x < 140; x += 3) mask.setPixelColor(x, 18, Qt::black);
    for (auto _ : state) {
        QImage m = mask.copy();
        PixelOps::BlurMask(m, 1, 3);
        benchmark::DoNotOptimize(m.constBits());
    }
}
BENCHMARK(BM_BlurMask)->Unit(benchmark::kMicrosecond);

void BM_TexturePanelPaint(benchmark::State& state) {
    MainPanel scene;
    scene.button->hide();
    QImage target(1024, 525, QImage::Format_RGB888);
    for (auto _ : state) {
        scene.panel.render(&target, QPoint(), QRegion(), QWidget::DrawWindowBackground);
        benchmark::DoNotOptimize(target.constBits());
    }
}
BENCHMARK(BM_TexturePanelPaint)->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
