// A picture tiled over a widget's whole area, at the screen's pixel ratio.
#include "TTextureFill.h"

#include "TileDraw.h"

#include <QPainter>

namespace quimba::widgets {

TTextureFill::TTextureFill(QWidget* parent) : QWidget(parent) {
    resize(200, 200);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void TTextureFill::SetTexture(const QImage* image) {
    FTexture = image;
    repaint();
}

void TTextureFill::paintEvent(QPaintEvent*) {
    QPainter p(this);
    if (FTexture && FTexture->isNull()) {
        // A picture that cannot be drawn is dropped for good; the empty look
        // below shows instead.
        FTexture = nullptr;
    }
    if (FTexture) {
        TileDraw(rect(), p, FScaled.For(*FTexture, p.device()->devicePixelRatioF()));
        return;
    }
    // Empty look: white area inside a black one-pixel outline.
    p.fillRect(rect(), Qt::black);
    if (width() > 2 && height() > 2) p.fillRect(rect().adjusted(1, 1, -1, -1), Qt::white);
}

}  // namespace quimba::widgets
