#pragma once
// Pixel arithmetic of the glass look, on 24-bit images (QImage::Format_RGB888).
// Every loop walks whole rows through scanLine()/bytesPerLine(); rectangles
// are half-open boxes (right and bottom excluded) and are clipped to the image.

#include <QColor>
#include <QImage>
#include <QPoint>

#include <cstdint>
#include <initializer_list>

namespace quimba::widgets::PixelOps {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// Half-open rectangle: columns left..right-1, rows top..bottom-1.
struct Box {
    int left = 0, top = 0, right = 0, bottom = 0;
};

inline Rgb ToRgb(const QColor& c) {
    const QColor rgb = c.toRgb();
    return {std::uint8_t(rgb.red()), std::uint8_t(rgb.green()), std::uint8_t(rgb.blue())};
}
inline QColor ToColor(Rgb c) { return QColor(c.r, c.g, c.b); }

// Round-to-nearest a*b/c, halves away from zero (c > 0, a, b >= 0).
int MulDiv(int a, int b, int c);

// Percent -> weight out of 256: p * 2.55 rounded to nearest, halves to even.
int BlendWeight(int percent);

// Tints v toward c with weight w (0..255): v + floor((c - v) * w / 256).
inline std::uint8_t Tint(int v, int c, int w) {
    // C++20 guarantees an arithmetic shift, i.e. floor division for negatives.
    return std::uint8_t(v + (((c - v) * w) >> 8));
}

// Mixes a over b by `percent`.
Rgb Blend(Rgb a, Rgb b, int percent);

// Tint weight of the face from the glossy level 0..100.
int GlossAlphaFromLevel(int level);

// Single pixels (ignored outside the image).
Rgb PixelAt(const QImage& img, int x, int y);
void SetPixel(QImage& img, int x, int y, Rgb c);

// A segment in the raster convention: start point drawn, end point not.
void DrawLine(QImage& img, QPoint from, QPoint to, Rgb c);
// Connected segments; only the very last point is left out.
void Polyline(QImage& img, std::initializer_list<QPoint> pts, Rgb c);

// Face renderers over box f, tint weight a toward colour c.
void FillFace(QImage& img, Box f, int a, Rgb c, bool glossy);
void FillFaceAlt(QImage& img, Box f, int a, Rgb c, bool glossy);

// Frame colour from the four corner pixels mixed half with `frame`.
Rgb FrameColor(const QImage& img, Rgb frame);
// One-pixel frame with cut, softened corners over the whole image.
void DrawFrame(QImage& img, Rgb f);

// Bottom glow of the focus look, `h` rows high.
void FocusLight(QImage& img, Rgb light, int h);

// Box blur of radius r: `passes` along rows, passes + 1 along columns, then grey.
void BlurMask(QImage& mask, int r, int passes);

// Darkens `face` toward `shadow` by the grey mask placed at (ox, oy).
void CompositeShadow(QImage& face, const QImage& mask, int ox, int oy, Rgb shadow);

}  // namespace quimba::widgets::PixelOps
