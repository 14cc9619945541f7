// Tiling a picture over a rectangle, the scaled tile kept between paints.
#include "TileDraw.h"

#include <QPainter>

#include <algorithm>
#include <cstring>

namespace quimba::widgets {

namespace {

// Walks the tiles of r; visit(x, y, w, h) gets each target area, whose
// source is always the bitmap's (0, 0, w, h).
template <typename Visit>
void ForEachTile(const QRect& r, int tw, int th, Visit visit) {
    if (tw < 1 || th < 1 || r.isEmpty()) return;
    const int right = r.x() + r.width(), bottom = r.y() + r.height();
    for (int y = r.y(); y < bottom;) {
        const int h = std::min(th, bottom - y);
        for (int x = r.x(); x < right;) {
            const int w = std::min(tw, right - x);
            visit(x, y, w, h);
            x += w;
        }
        y += h;
    }
}

}  // namespace

void TileDraw(const QRect& r, QImage& target, const QImage& bitmap) {
    if (bitmap.isNull() || target.isNull()) return;
    const QImage src =
        bitmap.format() == QImage::Format_RGB888 ? bitmap : bitmap.convertToFormat(QImage::Format_RGB888);
    const QImage::Format fmt = target.format();
    if (fmt != QImage::Format_RGB888) {
        // Other formats go through the painter path.
        QPainter p(&target);
        TileDraw(r, p, bitmap);
        return;
    }
    ForEachTile(r, src.width(), src.height(), [&](int x, int y, int w, int h) {
        // Clip the tile to the target, keeping the source aligned with it.
        const int x0 = std::max(x, 0), y0 = std::max(y, 0);
        const int x1 = std::min(x + w, target.width()), y1 = std::min(y + h, target.height());
        if (x0 >= x1 || y0 >= y1) return;
        const size_t bytes = static_cast<size_t>(x1 - x0) * 3;
        for (int ty = y0; ty < y1; ++ty)
            std::memcpy(target.scanLine(ty) + 3 * x0, src.constScanLine(ty - y) + 3 * (x0 - x), bytes);
    });
}

void TileDraw(const QRect& r, QPainter& target, const QImage& bitmap) {
    if (bitmap.isNull()) return;
    const qreal ratio = bitmap.devicePixelRatio();
    if (ratio == 1.0) {
        ForEachTile(r, bitmap.width(), bitmap.height(),
                    [&](int x, int y, int w, int h) { target.drawImage(QPoint(x, y), bitmap, QRect(0, 0, w, h)); });
        return;
    }
    const QSize logical = (QSizeF(bitmap.size()) / ratio).toSize();
    ForEachTile(r, logical.width(), logical.height(), [&](int x, int y, int w, int h) {
        target.drawImage(QRectF(x, y, w, h), bitmap, QRectF(0, 0, w * ratio, h * ratio));
    });
}

const QImage& ScaledTexture::For(const QImage& bitmap, qreal ratio) {
    if (ratio == 1.0 || bitmap.isNull()) return bitmap;
    if (FKey != bitmap.cacheKey() || FRatio != ratio || FScaled.isNull()) {
        FScaled =
            bitmap.scaled((QSizeF(bitmap.size()) * ratio).toSize(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        FScaled.setDevicePixelRatio(ratio);
        FKey = bitmap.cacheKey();
        FRatio = ratio;
    }
    return FScaled;
}

}  // namespace quimba::widgets
