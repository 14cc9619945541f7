#pragma once
// Covers a rectangle with unscaled copies of a bitmap, laid from the
// rectangle's top-left corner; the last column and row are clipped, always
// keeping the bitmap's top-left part.

#include <QImage>
#include <QRect>

class QPainter;

namespace quimba::widgets {

// Into a 24-bit image (Format_RGB888) by direct row copies; anything outside
// the target image is skipped.
void TileDraw(const QRect& r, QImage& target, const QImage& bitmap);

// Onto any painter, one block copy per tile.
void TileDraw(const QRect& r, QPainter& target, const QImage& bitmap);

}  // namespace quimba::widgets
