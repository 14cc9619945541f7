#pragma once
// Covers a rectangle with unscaled copies of a bitmap, laid from the
// rectangle's top-left corner; the last column and row are clipped, always
// keeping the bitmap's top-left part.

#include <QImage>
#include <QRect>

class QPainter;

// Into a 24-bit image (Format_RGB888) by direct row copies; anything outside
// the target image is skipped.
void TileDraw(const QRect& r, QImage& target, const QImage& bitmap);

// Onto any painter, one block copy per tile. A bitmap with a device pixel
// ratio above 1 is laid at that resolution, in tiles of its logical size.
void TileDraw(const QRect& r, QPainter& target, const QImage& bitmap);

// A bitmap smoothly scaled for a screen's device pixel ratio, remade only
// when the bitmap or the ratio changes. At ratio 1 it is the bitmap itself.
class ScaledTexture {
public:
    const QImage& For(const QImage& bitmap, qreal ratio);

private:
    qint64 FKey = 0;
    qreal FRatio = 0;
    QImage FScaled;
};
