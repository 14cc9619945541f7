// The dice table's off-screen image and the widget that shows its last presented frame.
#include "DrawSurface.h"

#include <QMouseEvent>
#include <QPainter>

#include <algorithm>
#include <cstring>

namespace quimba {

TDrawSurface::TDrawSurface(QWidget* parent)
    : QWidget(parent),
      surface_(kWidth, kHeight, QImage::Format_RGB32),
      shown_(kWidth, kHeight, QImage::Format_RGB32) {
    surface_.fill(Qt::black);
    shown_.fill(Qt::black);
    setFixedSize(kWidth, kHeight);
    // Every pixel is painted from the frame, so nothing needs erasing first.
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAttribute(Qt::WA_NoSystemBackground);
    setAutoFillBackground(false);
    setMouseTracking(true);
}

void TDrawSurface::Flip() {
    // Copy into the shown frame's own buffer rather than sharing: the game
    // draws the next frame at once, which would otherwise detach and
    // allocate every frame.
    if (shown_.size() != surface_.size() || shown_.format() != surface_.format())
        shown_ = QImage(surface_.size(), surface_.format());
    if (shown_.bytesPerLine() == surface_.bytesPerLine()) {
        std::memcpy(shown_.bits(), surface_.constBits(), std::size_t(surface_.sizeInBytes()));
    } else {
        const auto rowBytes = std::size_t(std::min(shown_.bytesPerLine(), surface_.bytesPerLine()));
        for (int row = 0; row < surface_.height(); ++row)
            std::memcpy(shown_.scanLine(row), surface_.constScanLine(row), rowBytes);
    }
    update();
}

void TDrawSurface::paintEvent(QPaintEvent* event) {
    QPainter painter(this);
    painter.setCompositionMode(QPainter::CompositionMode_Source);
    const QRect area = event->rect();
    if (painter.device()->devicePixelRatioF() == 1.0) {
        painter.drawImage(area.topLeft(), shown_, area);
        return;
    }
    // On a denser screen the frame is scaled smoothly, as a whole so that
    // the filter sees the neighbours of the repainted area too.
    painter.setClipRect(area);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(rect(), shown_);
}

void TDrawSurface::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    if (initialized_) return;
    initialized_ = true;
    emit OnInitialize();
    // The first set-up always counts as a restore of the (new) surfaces.
    emit OnRestoreSurface();
}

void TDrawSurface::mousePressEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    emit OnMouseDown(p.x(), p.y());
}

void TDrawSurface::mouseMoveEvent(QMouseEvent* event) {
    const QPoint p = event->position().toPoint();
    emit OnMouseMove(p.x(), p.y());
}

}  // namespace quimba
