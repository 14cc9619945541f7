// A panel whose background is a tiled picture.
#include "TTexturePanel.h"

#include "TileDraw.h"

#include <QPaintEvent>
#include <QPainter>

namespace quimba::widgets {

TTexturePanel::TTexturePanel(QWidget* parent) : QWidget(parent) {
    resize(200, 200);
    // The panel covers every pixel itself.
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TTexturePanel::SetTexture(const QImage& image) { FTexture = image; }

void TTexturePanel::paintEvent(QPaintEvent* event) {
    QPainter p(this);
    const int w = width(), h = height();
    const QPalette& pal = palette();
    p.fillRect(event->rect(), pal.color(QPalette::Button));
    // Raised bevel: light top and left, dark bottom and right (the dark edges
    // own the two shared corners).
    p.fillRect(QRect(0, 0, w - 1, 1), pal.color(QPalette::Light));
    p.fillRect(QRect(0, 0, 1, h - 1), pal.color(QPalette::Light));
    p.fillRect(QRect(w - 1, 0, 1, h), pal.color(QPalette::Dark));
    p.fillRect(QRect(0, h - 1, w, 1), pal.color(QPalette::Dark));
    if (!FTexture.isNull())
        TileDraw(QRect(1, 1, w - 2, h - 2), p, FScaled.For(FTexture, p.device()->devicePixelRatioF()));
}

}  // namespace quimba::widgets
