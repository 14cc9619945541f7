// A program-style glass button repaints (hover, press, release) without a
// single heap allocation once its face has been built. Every allocation of
// the process is counted here, the toolkit's included.
#include "QtTestMain.h"
#include "TTexturePanel.h"
#include "WidgetTestSupport.h"

#include <QLabel>
#include <QTest>

#include <atomic>
#include <cstddef>

using namespace quimba::widgets;
using widgettest::DressAsCommand;

#if defined(__SANITIZE_ADDRESS__)
#define QUIMBA_COUNT_ALLOCATIONS 0
#else
#define QUIMBA_COUNT_ALLOCATIONS 1
#endif

namespace {
std::atomic<bool> gCounting{false};
std::atomic<long> gAllocations{0};
}  // namespace

#if QUIMBA_COUNT_ALLOCATIONS
namespace {
void Count() {
    if (gCounting.load(std::memory_order_relaxed)) gAllocations.fetch_add(1, std::memory_order_relaxed);
}
}  // namespace

// glibc's own entry points, under the names every allocator call ends in.
extern "C" {
void* __libc_malloc(std::size_t);
void* __libc_calloc(std::size_t, std::size_t);
void* __libc_realloc(void*, std::size_t);
void* __libc_memalign(std::size_t, std::size_t);

void* malloc(std::size_t n) {
    Count();
    return __libc_malloc(n);
}
void* calloc(std::size_t n, std::size_t size) {
    Count();
    return __libc_calloc(n, size);
}
void* realloc(void* p, std::size_t n) {
    Count();
    return __libc_realloc(p, n);
}
void* memalign(std::size_t alignment, std::size_t n) {
    Count();
    return __libc_memalign(alignment, n);
}
void* aligned_alloc(std::size_t alignment, std::size_t n) {
    Count();
    return __libc_memalign(alignment, n);
}
int posix_memalign(void** out, std::size_t alignment, std::size_t n) {
    Count();
    *out = __libc_memalign(alignment, n);
    return *out ? 0 : 12;  // ENOMEM
}
}
#endif

class GlassAllocTest : public QObject {
    Q_OBJECT
private slots:
    void repaintsAllocateNothing() {
        if (!QUIMBA_COUNT_ALLOCATIONS) QSKIP("the sanitizer owns the allocator in this build");
        TTexturePanel panel;
        panel.resize(400, 120);
        QImage tex(37, 23, QImage::Format_RGB888);
        for (int y = 0; y < tex.height(); ++y)
            for (int x = 0; x < tex.width(); ++x) tex.setPixelColor(x, y, QColor(40 + x * 3, 60 + y * 5, 90));
        panel.SetTexture(tex);
        auto* label = new QLabel(QStringLiteral("Joueur"), &panel);
        label->move(30, 30);
        auto* button = new TGlassButton(&panel);
        button->setGeometry(20, 20, 198, 38);
        DressAsCommand(button, QStringLiteral("Nouvelle Partie"));

        // The first paint of each look builds what later ones reuse.
        button->PaintFace();
        const bool looks[] = {false, true, false, true};
        for (bool down : looks) {
            button->SetDown(down);
            button->PaintFace();
        }
        long counted = 0;
        for (bool down : looks) {
            button->SetDown(down);
            gAllocations = 0;
            gCounting = true;
            button->PaintFace();
            gCounting = false;
            counted += gAllocations;
        }
        QCOMPARE(counted, 0L);
        QCOMPARE(button->BackgroundCopies(), 1);
    }
};

QUIMBA_TEST_MAIN("glassalloc", GlassAllocTest)
#include "glassalloc_test.moc"
