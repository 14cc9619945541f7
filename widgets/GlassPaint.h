#pragma once
// The glass button's look, painted into its 24-bit face bitmap which already
// holds the parent's background.

#include "GlassTypes.h"
#include "PixelOps.h"

#include <QFont>
#include <QImage>
#include <QPoint>
#include <QRect>
#include <QString>
#include <optional>

namespace quimba::widgets {

// The button's published look: what its properties set and its painting
// reads as they are.
struct GlassStyle {
    bool flat = true;
    bool glossy = false;
    bool altRender = false;
    bool altFocus = false;
    bool flatDown = false;
    bool down = false;
    bool singleBorder = false;
    bool duoStyle = false;
    bool arrow = false;
    int glossAlpha = 72;
    int lightHeight = 25;
    int arrowWidth = 18;
    TShadowStyle shadowStyle = TShadowStyle::ssNone;
    TTextAlign textAlign = TTextAlign::taCenter;
    PixelOps::Rgb color{255, 255, 255};
    PixelOps::Rgb colorDown{0, 0, 0};
    PixelOps::Rgb colorFrame{128, 128, 128};
    PixelOps::Rgb colorShadow{0, 0, 0};
    PixelOps::Rgb colorFocused{255, 255, 0};
    PixelOps::Rgb colorDisabled{192, 192, 192};
};

// Everything the painting reads from the button: its style, its state and
// its layout.
struct GlassLook : GlassStyle {
    bool enabled = true;
    bool focused = false;
    bool pressed = false;
    int hotPart = -1;
    PixelOps::Rgb fontColor{0, 0, 0};
    QFont font;
    QString caption;
    QRect textRect;  // caption area
    QPoint arrowOrigin;
    QPoint glyphOrigin;
    QImage glyph;  // null: no glyph
};

// The caption's ink and the blurred shadow mask of the content, kept between
// paints: they change only with the caption, font, layout or shadow, while a
// button repaints at every hover and press. Rebuilt when any of those differ.
struct GlassContentKey {
    QString caption;
    QFont font;
    QRect textRect;
    TTextAlign textAlign = TTextAlign::taCenter;
    QSize size;
    int dpmX = 0, dpmY = 0;
    TShadowStyle shadowStyle = TShadowStyle::ssNone;
    bool arrow = false;
    QPoint arrowOrigin;
    qint64 glyphKey = 0;
    QPoint glyphOrigin;
    bool operator==(const GlassContentKey&) const = default;
};
struct GlassContentCache {
    std::optional<GlassContentKey> key;  // of what is kept; none before the first paint

    QImage coverage;  // Grayscale8, face-sized: how much of each pixel the caption inks
    QRect inked;      // bounding box of the ink
    QImage shadow;    // RGB888, (W - 2) x (H - 2): the blurred mask; null without shadow
};

// Builds the button over the background already in `face`.
void PaintGlass(QImage& face, const GlassLook& look, GlassContentCache& cache);
void PaintGlass(QImage& face, const GlassLook& look);

// The drop-down triangle, seven pixels wide and four rows high, from (x+2, y+2).
void DrawArrowGlyph(QImage& img, QPoint at, PixelOps::Rgb c);

// Single-line caption into r: vertically centred, end ellipsis when too long.
void DrawCaption(QImage& img, const QRect& r, const QString& text, const QFont& font, PixelOps::Rgb c,
                 TTextAlign align);

}  // namespace quimba::widgets
