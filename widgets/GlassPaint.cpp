#include "GlassPaint.h"

#include <QFontMetrics>
#include <QPainter>

using namespace PixelOps;

namespace {

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};

QImage MakeMask(const QImage& face, int w, int h)
{
    QImage mask(std::max(w, 0), std::max(h, 0), QImage::Format_RGB888);
    mask.setDotsPerMeterX(face.dotsPerMeterX());
    mask.setDotsPerMeterY(face.dotsPerMeterY());
    mask.fill(Qt::white);
    return mask;
}

// Dark, opaque glyph pixels turn the mask black (the glyph's monochrome
// mask ANDed onto it).
void AndGlyphMask(QImage& mask, const QImage& glyph, QPoint at)
{
    const QImage g = glyph.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < g.height(); ++y) {
        const int my = at.y() + y;
        if (my < 0 || my >= mask.height())
            continue;
        const auto* src = reinterpret_cast<const QRgb*>(g.constScanLine(y));
        std::uint8_t* dst = mask.scanLine(my);
        for (int x = 0; x < g.width(); ++x) {
            const int mx = at.x() + x;
            if (mx < 0 || mx >= mask.width())
                continue;
            if (qAlpha(src[x]) >= 128 && qGray(src[x]) < 128)
                dst[3 * mx] = dst[3 * mx + 1] = dst[3 * mx + 2] = 0;
        }
    }
}

QImage DisabledGlyph(const QImage& glyph)
{
    // Greyed and lightened halfway toward white, keeping the transparency.
    QImage g = glyph.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < g.height(); ++y) {
        auto* p = reinterpret_cast<QRgb*>(g.scanLine(y));
        for (int x = 0; x < g.width(); ++x) {
            const int v = (qGray(p[x]) + 255) / 2;
            p[x] = qRgba(v, v, v, qAlpha(p[x]));
        }
    }
    return g;
}

class Painter {
public:
    Painter(QImage& face, const GlassLook& look)
        : F(face), L(look), W(face.width()), H(face.height())
    {
    }

    void Run()
    {
        const bool pressedLook = L.pressed || L.down;
        if (L.focused || !L.flat)
            BaseLayer();
        if (L.hotPart != -1 || pressedLook) {
            const int A = L.arrowWidth;
            if (pressedLook && L.duoStyle) {
                Fill({1, 1, W - 1 - A, H - 1},
                     L.down || (L.pressed && L.hotPart == 0) ? L.colorDown : L.color);
                Fill({W - A, 1, W - 1, H - 1},
                     L.pressed && L.hotPart == 1 ? L.colorDown : L.color);
            } else {
                Fill(R1(), pressedLook ? L.colorDown : L.color);
            }
            BaseLayer();
            if (!L.singleBorder) {
                Pen = Blend(FrameCol, kWhite, 50);
                Polyline(F, {{1, 2}, {2, 1}, {W - 3, 1}, {W - 2, 2}, {W - 2, H - 3},
                             {W - 3, H - 2}, {2, H - 2}, {1, H - 3}, {1, 2}},
                         Pen);
            }
            if (L.duoStyle)
                DrawLine(F, {W - A - 1, 1}, {W - A - 1, H - 1}, Pen);
            if (pressedLook)
                Bevels();
        }
        if (L.duoStyle) {
            ArrowPart(L.pressed && L.hotPart == 1);
            Content(pressedLook && L.hotPart == 0, false);
        } else {
            Content(pressedLook, L.arrow);
        }
    }

private:
    Box R1() const { return {1, 1, W - 1, H - 1}; }

    void Fill(Box b, Rgb c)
    {
        if (L.altRender)
            FillFaceAlt(F, b, L.glossAlpha, c, L.glossy);
        else
            FillFace(F, b, L.glossAlpha, c, L.glossy);
    }

    void BaseLayer()
    {
        FrameCol = FrameColor(F, L.colorFrame);
        if (L.hotPart == -1)
            Fill(R1(), L.color);
        if (L.focused) {
            if (L.altFocus)
                Fill(R1(), L.colorFocused);
            else
                FocusLight(F, L.colorFocused, L.lightHeight);
        }
        DrawFrame(F, FrameCol);
        Pen = FrameCol;
    }

    void Bevels()
    {
        const Rgb f = FrameCol;
        const Rgb dark = Blend(f, kBlack, 75), light = Blend(f, kWhite, 75);
        const Rgb flat = Blend(f, kWhite, 45);
        const Rgb dot = Blend(flat, Blend(f, kWhite, 35), 25);
        const int A = L.arrowWidth;
        if (!L.duoStyle) {
            if (L.flatDown) {
                Polyline(F, {{2, H - 2}, {1, H - 3}, {1, 2}, {2, 1}, {W - 3, 1}, {W - 2, 2},
                             {W - 2, H - 3}, {W - 3, H - 2}, {2, H - 2}},
                         flat);
                for (const QPoint p : {QPoint(2, 2), QPoint(2, H - 3), QPoint(W - 3, 2),
                                       QPoint(W - 3, H - 3)})
                    SetPixel(F, p.x(), p.y(), dot);
            } else {
                Polyline(F, {{2, H - 2}, {1, H - 3}, {1, 2}, {2, 1}, {W - 2, 1}}, dark);
                Polyline(F, {{W - 2, 2}, {W - 2, H - 3}, {W - 3, H - 2}, {2, H - 2}}, light);
            }
            return;
        }
        if (L.hotPart == 0 || L.down) {
            if (L.flatDown) {
                Polyline(F, {{2, H - 2}, {1, H - 3}, {1, 2}, {2, 1}, {W - A - 2, 1},
                             {W - A - 2, 2}, {W - A - 2, H - 3}, {W - A - 2, H - 2}, {2, H - 2}},
                         flat);
                SetPixel(F, 2, 2, dot);
                SetPixel(F, 2, H - 3, dot);
            } else {
                Polyline(F, {{2, H - 2}, {1, H - 3}, {1, 2}, {2, 1}, {W - A - 1, 1}}, dark);
                Polyline(F, {{W - A - 2, 2}, {W - A - 2, H - 3}, {W - A - 2, H - 2}, {2, H - 2}},
                         light);
            }
        }
        if (L.hotPart == 1 && L.pressed) {
            if (L.flatDown) {
                Polyline(F, {{W - A, H - 2}, {W - A, 1}, {W - 3, 1}, {W - 2, 2}, {W - 2, H - 3},
                             {W - 3, H - 2}, {W - A, H - 2}},
                         flat);
                SetPixel(F, W - 3, 2, dot);
                SetPixel(F, W - 3, H - 3, dot);
            } else {
                Polyline(F, {{W - A, H - 2}, {W - A, 1}, {W - 2, 1}}, dark);
                Polyline(F, {{W - 2, 2}, {W - 2, H - 3}, {W - 3, H - 2}, {W - A, H - 2}}, light);
            }
        }
    }

    Rgb TextColor() const { return L.enabled ? L.fontColor : L.colorDisabled; }

    void Content(bool pressedFlag, bool arrowFlag)
    {
        const int po = pressedFlag && !L.flatDown ? 1 : 0;
        const bool hasGlyph = !L.glyph.isNull();
        const bool hasCaption = !L.caption.isEmpty();
        // With nothing to cast a shadow the mask would stay white; skipping it
        // keeps an empty button's face untouched.
        if (L.shadowStyle != TShadowStyle::ssNone && (hasGlyph || hasCaption || arrowFlag)) {
            QImage mask = MakeMask(F, W - 2, H - 2);
            const int s = L.shadowStyle == TShadowStyle::ssDrop ? 1 : 0;
            if (hasGlyph)
                AndGlyphMask(mask, L.glyph, L.glyphOrigin + QPoint(s, s));
            if (hasCaption)
                DrawCaption(mask, L.textRect.translated(s, s), L.caption, L.font, kBlack,
                            L.textAlign);
            if (arrowFlag)
                DrawArrowGlyph(mask, L.arrowOrigin + QPoint(s, s), kBlack);
            BlurMask(mask, 1, 3);
            CompositeShadow(F, mask, po, po, L.colorShadow);
        }
        if (hasGlyph) {
            QPainter p(&F);
            p.drawImage(L.glyphOrigin + QPoint(po, po),
                        L.enabled ? L.glyph : DisabledGlyph(L.glyph));
        }
        if (hasCaption)
            DrawCaption(F, L.textRect.translated(po, po), L.caption, L.font, TextColor(),
                        L.textAlign);
        if (arrowFlag)
            DrawArrowGlyph(F, L.arrowOrigin + QPoint(po, po), TextColor());
    }

    void ArrowPart(bool pressedFlag)
    {
        const int po = pressedFlag && !L.flatDown ? 1 : 0;
        const int A = L.arrowWidth;
        if (L.shadowStyle != TShadowStyle::ssNone) {
            QImage mask = MakeMask(F, A + 6, H - 2);
            const int s = L.shadowStyle == TShadowStyle::ssDrop ? 1 : 0;
            DrawArrowGlyph(mask, QPoint(A / 2 + s, L.arrowOrigin.y() + s), TextColor());
            BlurMask(mask, 1, 3);
            CompositeShadow(F, mask, W - A - 6 + po, po, L.colorShadow);
        }
        DrawArrowGlyph(F, L.arrowOrigin + QPoint(po, po), TextColor());
    }

    QImage& F;
    const GlassLook& L;
    const int W, H;
    Rgb FrameCol{};
    Rgb Pen{};
};

} // namespace

void DrawArrowGlyph(QImage& img, QPoint at, Rgb c)
{
    const int x = at.x(), y = at.y();
    Polyline(img, {{x + 3, y + 3}, {x + 7, y + 3}, {x + 5, y + 5}, {x + 3, y + 3}, {x + 6, y + 5}},
             c);
    DrawLine(img, {x + 2, y + 2}, {x + 9, y + 2}, c);
}

void DrawCaption(QImage& img, const QRect& r, const QString& text, const QFont& font, Rgb c,
                 TTextAlign align)
{
    if (text.isEmpty() || r.width() <= 0 || r.height() <= 0)
        return;
    QPainter p(&img);
    p.setFont(font);
    p.setPen(ToColor(c));
    const QFontMetrics fm = p.fontMetrics();
    const QString shown = fm.elidedText(text, Qt::ElideRight, r.width());
    Qt::Alignment flags = Qt::AlignVCenter;
    switch (align) {
    case TTextAlign::taLeft: flags |= Qt::AlignLeft; break;
    case TTextAlign::taCenter: flags |= Qt::AlignHCenter; break;
    case TTextAlign::taRight: flags |= Qt::AlignRight; break;
    }
    p.setClipRect(r);
    p.drawText(r, int(flags | Qt::TextSingleLine), shown);
}

void PaintGlass(QImage& face, const GlassLook& look)
{
    if (face.isNull() || face.format() != QImage::Format_RGB888)
        return;
    Painter(face, look).Run();
}
