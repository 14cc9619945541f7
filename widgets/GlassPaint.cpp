// The glass button's look painted into its face bitmap over the parent's background, with the parts that do not change
// kept.
#include "GlassPaint.h"

#include <QFontMetrics>
#include <QPainter>

#include <algorithm>

namespace quimba::widgets {

using namespace PixelOps;

namespace {

constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kBlack{0, 0, 0};

QImage MakeMask(const QImage& face, int w, int h) {
    QImage mask(std::max(w, 0), std::max(h, 0), QImage::Format_RGB888);
    mask.setDotsPerMeterX(face.dotsPerMeterX());
    mask.setDotsPerMeterY(face.dotsPerMeterY());
    mask.fill(Qt::white);
    return mask;
}

// Dark, opaque glyph pixels turn the mask black (the glyph's monochrome
// mask ANDed onto it).
void AndGlyphMask(QImage& mask, const QImage& glyph, QPoint at) {
    const QImage g = glyph.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < g.height(); ++y) {
        const int my = at.y() + y;
        if (my < 0 || my >= mask.height()) continue;
        const auto* src = reinterpret_cast<const QRgb*>(g.constScanLine(y));
        std::uint8_t* dst = mask.scanLine(my);
        for (int x = 0; x < g.width(); ++x) {
            const int mx = at.x() + x;
            if (mx < 0 || mx >= mask.width()) continue;
            if (qAlpha(src[x]) >= 128 && qGray(src[x]) < 128) dst[3 * mx] = dst[3 * mx + 1] = dst[3 * mx + 2] = 0;
        }
    }
}

QImage DisabledGlyph(const QImage& glyph) {
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
    Painter(QImage& face, const GlassLook& look, GlassContentCache& cache)
        : F(face),
          L(look),
          C(cache),
          W(face.width()),
          H(face.height()) {}

    void Run() {
        const bool pressedLook = L.pressed || L.down;
        if (L.focused || !L.flat) BaseLayer();
        if (L.hotPart != -1 || pressedLook) {
            const int A = L.arrowWidth;
            if (pressedLook && L.duoStyle) {
                Fill({1, 1, W - 1 - A, H - 1}, L.down || (L.pressed && L.hotPart == 0) ? L.colorDown : L.color);
                Fill({W - A, 1, W - 1, H - 1}, L.pressed && L.hotPart == 1 ? L.colorDown : L.color);
            } else {
                Fill(R1(), pressedLook ? L.colorDown : L.color);
            }
            BaseLayer();
            if (!L.singleBorder) {
                Pen = Blend(FrameCol, kWhite, 50);
                Polyline(F,
                         {{1, 2},
                          {2, 1},
                          {W - 3, 1},
                          {W - 2, 2},
                          {W - 2, H - 3},
                          {W - 3, H - 2},
                          {2, H - 2},
                          {1, H - 3},
                          {1, 2}},
                         Pen);
            }
            if (L.duoStyle) DrawLine(F, {W - A - 1, 1}, {W - A - 1, H - 1}, Pen);
            if (pressedLook) Bevels();
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

    void Fill(Box b, Rgb c) {
        if (L.altRender)
            FillFaceAlt(F, b, L.glossAlpha, c, L.glossy);
        else
            FillFace(F, b, L.glossAlpha, c, L.glossy);
    }

    void BaseLayer() {
        FrameCol = FrameColor(F, L.colorFrame);
        if (L.hotPart == -1) Fill(R1(), L.color);
        if (L.focused) {
            if (L.altFocus)
                Fill(R1(), L.colorFocused);
            else
                FocusLight(F, L.colorFocused, L.lightHeight);
        }
        DrawFrame(F, FrameCol);
        Pen = FrameCol;
    }

    void Bevels() {
        const Rgb f = FrameCol;
        const Rgb dark = Blend(f, kBlack, 75), light = Blend(f, kWhite, 75);
        const Rgb flat = Blend(f, kWhite, 45);
        const Rgb dot = Blend(flat, Blend(f, kWhite, 35), 25);
        const int A = L.arrowWidth;
        if (!L.duoStyle) {
            if (L.flatDown) {
                Polyline(F,
                         {{2, H - 2},
                          {1, H - 3},
                          {1, 2},
                          {2, 1},
                          {W - 3, 1},
                          {W - 2, 2},
                          {W - 2, H - 3},
                          {W - 3, H - 2},
                          {2, H - 2}},
                         flat);
                for (const QPoint p : {QPoint(2, 2), QPoint(2, H - 3), QPoint(W - 3, 2), QPoint(W - 3, H - 3)})
                    SetPixel(F, p.x(), p.y(), dot);
            } else {
                Polyline(F, {{2, H - 2}, {1, H - 3}, {1, 2}, {2, 1}, {W - 2, 1}}, dark);
                Polyline(F, {{W - 2, 2}, {W - 2, H - 3}, {W - 3, H - 2}, {2, H - 2}}, light);
            }
            return;
        }
        if (L.hotPart == 0 || L.down) {
            if (L.flatDown) {
                Polyline(F,
                         {{2, H - 2},
                          {1, H - 3},
                          {1, 2},
                          {2, 1},
                          {W - A - 2, 1},
                          {W - A - 2, 2},
                          {W - A - 2, H - 3},
                          {W - A - 2, H - 2},
                          {2, H - 2}},
                         flat);
                SetPixel(F, 2, 2, dot);
                SetPixel(F, 2, H - 3, dot);
            } else {
                Polyline(F, {{2, H - 2}, {1, H - 3}, {1, 2}, {2, 1}, {W - A - 1, 1}}, dark);
                Polyline(F, {{W - A - 2, 2}, {W - A - 2, H - 3}, {W - A - 2, H - 2}, {2, H - 2}}, light);
            }
        }
        if (L.hotPart == 1 && L.pressed) {
            if (L.flatDown) {
                Polyline(F,
                         {{W - A, H - 2},
                          {W - A, 1},
                          {W - 3, 1},
                          {W - 2, 2},
                          {W - 2, H - 3},
                          {W - 3, H - 2},
                          {W - A, H - 2}},
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

    void Content(bool pressedFlag, bool arrowFlag) {
        const int po = pressedFlag && !L.flatDown ? 1 : 0;
        const bool hasGlyph = !L.glyph.isNull();
        const bool hasCaption = !L.caption.isEmpty();
        if (GlassContentKey key = KeyOf(arrowFlag); C.key != key) RebuildCache(std::move(key));
        if (!C.shadow.isNull()) CompositeShadow(F, C.shadow, po, po, L.colorShadow);
        if (hasGlyph) {
            QPainter p(&F);
            p.drawImage(L.glyphOrigin + QPoint(po, po), L.enabled ? L.glyph : DisabledGlyph(L.glyph));
        }
        if (hasCaption) InkCaption(po, TextColor());
        if (arrowFlag) DrawArrowGlyph(F, L.arrowOrigin + QPoint(po, po), TextColor());
    }

    GlassContentKey KeyOf(bool arrowFlag) const {
        return {.caption = L.caption,
                .font = L.font,
                .textRect = L.textRect,
                .textAlign = L.textAlign,
                .size = F.size(),
                .dpmX = F.dotsPerMeterX(),
                .dpmY = F.dotsPerMeterY(),
                .shadowStyle = L.shadowStyle,
                .arrow = arrowFlag,
                .arrowOrigin = L.arrowOrigin,
                .glyphKey = L.glyph.cacheKey(),
                .glyphOrigin = L.glyphOrigin};
    }

    void RebuildCache(GlassContentKey key) {
        const bool arrowFlag = key.arrow;
        C.key = std::move(key);

        // The caption's ink, drawn once in white on nothing.
        C.coverage = QImage(W, H, QImage::Format_Grayscale8);
        C.coverage.fill(0);
        C.inked = QRect();
        if (!L.caption.isEmpty()) {
            QImage ink(W, H, QImage::Format_ARGB32_Premultiplied);
            ink.setDotsPerMeterX(F.dotsPerMeterX());
            ink.setDotsPerMeterY(F.dotsPerMeterY());
            ink.fill(Qt::transparent);
            DrawCaption(ink, L.textRect, L.caption, L.font, kWhite, L.textAlign);
            int left = W, top = H, right = -1, bottom = -1;
            for (int y = 0; y < H; ++y) {
                const auto* src = reinterpret_cast<const QRgb*>(ink.constScanLine(y));
                std::uint8_t* dst = C.coverage.scanLine(y);
                for (int x = 0; x < W; ++x) {
                    dst[x] = std::uint8_t(qAlpha(src[x]));
                    if (dst[x]) {
                        left = std::min(left, x);
                        right = std::max(right, x);
                        top = std::min(top, y);
                        bottom = std::max(bottom, y);
                    }
                }
            }
            if (right >= 0) C.inked = QRect(QPoint(left, top), QPoint(right, bottom));
        }

        // With nothing to cast a shadow the mask would stay white; without
        // one the face stays untouched.
        C.shadow = QImage();
        const bool hasGlyph = !L.glyph.isNull();
        if (L.shadowStyle == TShadowStyle::ssNone || !(hasGlyph || !L.caption.isEmpty() || arrowFlag)) return;
        QImage mask = MakeMask(F, W - 2, H - 2);
        const int s = L.shadowStyle == TShadowStyle::ssDrop ? 1 : 0;
        if (hasGlyph) AndGlyphMask(mask, L.glyph, L.glyphOrigin + QPoint(s, s));
        // The caption in black, one drop shift away.
        for (int y = 0; y < mask.height(); ++y) {
            const int cy = y - s;
            if (cy < 0 || cy >= H) continue;
            const std::uint8_t* cov = C.coverage.constScanLine(cy);
            std::uint8_t* m = mask.scanLine(y);
            for (int x = 0; x < mask.width(); ++x) {
                const int cx = x - s;
                if (cx < 0 || cx >= W || !cov[cx]) continue;
                const int v = (m[3 * x] * (255 - cov[cx]) + 127) / 255;
                m[3 * x] = m[3 * x + 1] = m[3 * x + 2] = std::uint8_t(v);
            }
        }
        if (arrowFlag) DrawArrowGlyph(mask, L.arrowOrigin + QPoint(s, s), kBlack);
        BlurMask(mask, 1, 3);
        C.shadow = mask;
    }

    // The caption in colour c, shifted by (po, po): each pixel moves toward
    // c by its ink, as an antialiased pen would draw it.
    void InkCaption(int po, Rgb c) {
        if (C.inked.isEmpty()) return;
        const int y0 = std::max(C.inked.top(), -po), y1 = std::min(C.inked.bottom(), H - 1 - po);
        const int x0 = std::max(C.inked.left(), -po), x1 = std::min(C.inked.right(), W - 1 - po);
        for (int y = y0; y <= y1; ++y) {
            const std::uint8_t* cov = C.coverage.constScanLine(y);
            std::uint8_t* p = F.scanLine(y + po);
            for (int x = x0; x <= x1; ++x) {
                const int a = cov[x];
                if (!a) continue;
                std::uint8_t* q = p + 3 * (x + po);
                q[0] = std::uint8_t(q[0] + ((c.r - q[0]) * a + (c.r >= q[0] ? 127 : -127)) / 255);
                q[1] = std::uint8_t(q[1] + ((c.g - q[1]) * a + (c.g >= q[1] ? 127 : -127)) / 255);
                q[2] = std::uint8_t(q[2] + ((c.b - q[2]) * a + (c.b >= q[2] ? 127 : -127)) / 255);
            }
        }
    }

    void ArrowPart(bool pressedFlag) {
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
    GlassContentCache& C;
    const int W, H;
    Rgb FrameCol{};
    Rgb Pen{};
};

}  // namespace

void DrawArrowGlyph(QImage& img, QPoint at, Rgb c) {
    const int x = at.x(), y = at.y();
    Polyline(img, {{x + 3, y + 3}, {x + 7, y + 3}, {x + 5, y + 5}, {x + 3, y + 3}, {x + 6, y + 5}}, c);
    DrawLine(img, {x + 2, y + 2}, {x + 9, y + 2}, c);
}

void DrawCaption(QImage& img, const QRect& r, const QString& text, const QFont& font, Rgb c, TTextAlign align) {
    if (text.isEmpty() || r.width() <= 0 || r.height() <= 0) return;
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

void PaintGlass(QImage& face, const GlassLook& look, GlassContentCache& cache) {
    if (face.isNull() || face.format() != QImage::Format_RGB888) return;
    Painter(face, look, cache).Run();
}

void PaintGlass(QImage& face, const GlassLook& look) {
    GlassContentCache cache;
    PaintGlass(face, look, cache);
}

}  // namespace quimba::widgets
