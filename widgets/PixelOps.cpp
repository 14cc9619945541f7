// The glass look's pixel arithmetic on 24-bit images: fills, blends, frames and gradients over whole rows.
#include "PixelOps.h"

#include <algorithm>
#include <array>
#include <cstdlib>
#include <vector>

namespace quimba::widgets::PixelOps {

namespace {

using Lut = std::array<std::uint8_t, 256>;

Lut TintTable(int c, int w) {
    Lut t{};
    for (int v = 0; v < 256; ++v) t[v] = Tint(v, c, w);
    return t;
}

// Clips box b to the image; false when nothing is left.
bool Clip(const QImage& img, Box& b) {
    b.left = std::max(b.left, 0);
    b.top = std::max(b.top, 0);
    b.right = std::min(b.right, img.width());
    b.bottom = std::min(b.bottom, img.height());
    return b.left < b.right && b.top < b.bottom;
}

void TintRow(std::uint8_t* p, int n, const Lut& tr, const Lut& tg, const Lut& tb) {
    for (int i = 0; i < n; ++i, p += 3) {
        p[0] = tr[p[0]];
        p[1] = tg[p[1]];
        p[2] = tb[p[2]];
    }
}

void TintRowDirect(std::uint8_t* p, int n, Rgb c, int w) {
    for (int i = 0; i < n; ++i, p += 3) {
        p[0] = Tint(p[0], c.r, w);
        p[1] = Tint(p[1], c.g, w);
        p[2] = Tint(p[2], c.b, w);
    }
}

}  // namespace

int MulDiv(int a, int b, int c) {
    const long long n = static_cast<long long>(a) * b;
    return static_cast<int>((n + c / 2) / c);
}

int BlendWeight(int percent) {
    // p * 2.55 == p * 255 / 100, rounded in integers so that 50 -> 127.5 -> 128.
    const int n = percent * 255;
    int q = n / 100;
    const int rem = n % 100;
    if (rem > 50 || (rem == 50 && (q & 1))) ++q;
    return q;
}

Rgb Blend(Rgb a, Rgb b, int percent) {
    const int d = BlendWeight(percent);
    return {Tint(b.r, a.r, d), Tint(b.g, a.g, d), Tint(b.b, a.b, d)};
}

int GlossAlphaFromLevel(int level) {
    level = std::clamp(level, 0, 100);
    const int scaled = level * 255 / 100;  // trunc(level * 2.55)
    return MulDiv(scaled, 196, 255);
}

Rgb PixelAt(const QImage& img, int x, int y) {
    if (x < 0 || y < 0 || x >= img.width() || y >= img.height()) return {};
    const std::uint8_t* p = img.constScanLine(y) + 3 * x;
    return {p[0], p[1], p[2]};
}

void SetPixel(QImage& img, int x, int y, Rgb c) {
    if (x < 0 || y < 0 || x >= img.width() || y >= img.height()) return;
    std::uint8_t* p = img.scanLine(y) + 3 * x;
    p[0] = c.r;
    p[1] = c.g;
    p[2] = c.b;
}

void DrawLine(QImage& img, QPoint from, QPoint to, Rgb c) {
    int x = from.x(), y = from.y();
    const int dx = std::abs(to.x() - x), dy = std::abs(to.y() - y);
    const int sx = to.x() > x ? 1 : -1, sy = to.y() > y ? 1 : -1;
    int err = dx - dy;
    while (x != to.x() || y != to.y()) {
        SetPixel(img, x, y, c);
        const int e2 = 2 * err;
        if (e2 > -dy) {
            err -= dy;
            x += sx;
        }
        if (e2 < dx) {
            err += dx;
            y += sy;
        }
    }
}

void Polyline(QImage& img, std::initializer_list<QPoint> pts, Rgb c) {
    const QPoint* prev = nullptr;
    for (const QPoint& p : pts) {
        if (prev) DrawLine(img, *prev, p, c);
        prev = &p;
    }
}

void FillFace(QImage& img, Box f, int a, Rgb c, bool glossy) {
    const int half = (f.bottom - f.top) / 2;
    Box clipped = f;
    if (!Clip(img, clipped)) return;
    const int n = clipped.right - clipped.left;
    // A face too low for a gloss band (half == 0) just gets the plain tint.
    const int glossRows = glossy && half > 0 ? half : 0;
    const int step = glossRows ? (176 - a) / half : 0;
    const Lut tr = TintTable(c.r, a), tg = TintTable(c.g, a), tb = TintTable(c.b, a);
    for (int y = f.top; y < f.bottom; ++y) {
        const int row = y - f.top;
        if (y < clipped.top || y >= clipped.bottom) continue;
        std::uint8_t* p = img.scanLine(y) + 3 * clipped.left;
        if (row < glossRows)
            TintRowDirect(p, n, c, 176 - row * step);
        else
            TintRow(p, n, tr, tg, tb);
    }
}

void FillFaceAlt(QImage& img, Box f, int a, Rgb c, bool glossy) {
    if (!glossy) return;
    const int half = (f.bottom - f.top) / 2;
    Box clipped = f;
    if (!Clip(img, clipped)) return;
    const int n = clipped.right - clipped.left;
    const int step = half > 0 ? (176 - a) / half : 0;
    const Lut tr = TintTable(c.r, a), tg = TintTable(c.g, a), tb = TintTable(c.b, a);
    constexpr Rgb white{255, 255, 255};
    for (int y = clipped.top; y < clipped.bottom; ++y) {
        const int row = y - f.top;
        std::uint8_t* p = img.scanLine(y) + 3 * clipped.left;
        TintRow(p, n, tr, tg, tb);
        if (row < half) TintRowDirect(p, n, white, 176 - row * step);
    }
}

Rgb FrameColor(const QImage& img, Rgb frame) {
    const int w = img.width(), h = img.height();
    const Rgb tl = PixelAt(img, 0, 0), tr = PixelAt(img, w - 1, 0);
    const Rgb bl = PixelAt(img, 0, h - 1), br = PixelAt(img, w - 1, h - 1);
    const Rgb cl = Blend(bl, tl, 50), ct = Blend(tl, tr, 50);
    const Rgb cr = Blend(tr, br, 50), cb = Blend(bl, br, 50);
    return Blend(Blend(Blend(cl, ct, 50), Blend(cr, cb, 50), 50), frame, 50);
}

void DrawFrame(QImage& img, Rgb f) {
    const int w = img.width(), h = img.height();
    auto soften = [&](int x, int y, int percent) { SetPixel(img, x, y, Blend(PixelAt(img, x, y), f, percent)); };
    DrawLine(img, {2, 0}, {w - 2, 0}, f);
    soften(1, 1, 25);
    DrawLine(img, {2, h - 1}, {w - 2, h - 1}, f);
    soften(w - 2, 1, 25);
    DrawLine(img, {0, 2}, {0, h - 2}, f);
    soften(1, h - 2, 25);
    DrawLine(img, {w - 1, 2}, {w - 1, h - 2}, f);
    soften(w - 2, h - 2, 25);
    for (const QPoint p : {QPoint(0, 1), QPoint(1, 0), QPoint(w - 1, 1), QPoint(w - 2, 0), QPoint(0, h - 2),
                           QPoint(1, h - 1), QPoint(w - 1, h - 2), QPoint(w - 2, h - 1)})
        soften(p.x(), p.y(), 33);
}

void FocusLight(QImage& img, Rgb light, int h) {
    const int W = img.width(), H = img.height();
    h = std::min(h, H);
    if (h < 2) return;
    const int half = (W + 1) / 2;
    // Per column the weight only depends on the row, so work row by row.
    std::vector<int> colStrength(half);
    for (int i = 0; i < half; ++i) colStrength[i] = std::min(MulDiv(255, i, half), 255);
    auto darken = [&](std::uint8_t* p, int k) {
        p[0] = std::uint8_t(light.r + (((p[0] - light.r) * k) >> 8));
        p[1] = std::uint8_t(light.g + (((p[1] - light.g) * k) >> 8));
        p[2] = std::uint8_t(light.b + (((p[2] - light.b) * k) >> 8));
    };
    for (int j = 0; j <= h - 2; ++j) {
        std::uint8_t* row = img.scanLine(H - h + j);
        for (int i = 0; i < half; ++i) {
            const int k = 255 - MulDiv(colStrength[i], j, h);
            darken(row + 3 * i, k);
            const int mirror = W - 1 - i;
            if (i < mirror) darken(row + 3 * mirror, k);
        }
    }
}

namespace {

// Floored mean of each window sum: a multiply and shift, exact for every sum
// up to 255 * span while span < 128, else a table of quotients.
struct MeanOf {
    explicit MeanOf(int span) : magic(span < 128 ? (std::uint32_t(1) << 22) / span + 1 : 0) {
        if (!magic) {
            table.resize(static_cast<size_t>(255) * span + 1);
            for (size_t i = 0; i < table.size(); ++i) table[i] = static_cast<int>(i) / span;
        }
    }
    std::uint32_t magic;
    std::vector<int> table;
};

// One line of a pass: the floored means of the running sums, then the sums
// slide on by one line.
void SlideStep(int* __restrict out, int* __restrict sum, const int* __restrict add, const int* __restrict sub, int n,
               const MeanOf& mean) {
    if (mean.magic) {
        const std::uint32_t m = mean.magic;
        for (int c = 0; c < n; ++c) {
            out[c] = int((std::uint32_t(sum[c]) * m) >> 22);
            sum[c] += add[c] - sub[c];
        }
    } else {
        for (int c = 0; c < n; ++c) {
            out[c] = mean.table[sum[c]];
            sum[c] += add[c] - sub[c];
        }
    }
}

// `passes` box passes of radius r across `lines` lines of `len` values each
// (every value is averaged with the same value of its neighbouring lines, the
// first and last line repeated beyond the ends). Works on whole lines, so
// the inner loop runs over contiguous memory.
void SlidePasses(std::vector<int>& buf, std::vector<int>& tmp, int lines, int len, int r, int passes,
                 const MeanOf& mean) {
    std::vector<int> sum(len);
    for (int p = 0; p < passes; ++p) {
        auto line = [&](int i) { return buf.data() + static_cast<size_t>(std::clamp(i, 0, lines - 1)) * len; };
        std::fill(sum.begin(), sum.end(), 0);
        for (int k = -r; k <= r; ++k) {
            const int* s = line(k);
            for (int c = 0; c < len; ++c) sum[c] += s[c];
        }
        for (int i = 0; i < lines; ++i)
            SlideStep(tmp.data() + static_cast<size_t>(i) * len, sum.data(), line(i + r + 1), line(i - r), len, mean);
        buf.swap(tmp);
    }
}

// Both transposes store sequentially and read with a stride, which is the
// cheaper way round; NC is the number of channels held per pixel.
template <int NC>
void LoadColumnMajor(const QImage& mask, std::vector<int>& buf) {
    const int w = mask.width(), h = mask.height();
    std::vector<const std::uint8_t*> rows(h);
    for (int y = 0; y < h; ++y) rows[y] = mask.constScanLine(y);
    int* out = buf.data();
    for (int x = 0; x < w; ++x)
        for (int y = 0; y < h; ++y)
            for (int ch = 0; ch < NC; ++ch) *out++ = rows[y][3 * x + ch];
}

template <int NC>
void ToRowMajor(const std::vector<int>& colMajor, std::vector<int>& rowMajor, int w, int h) {
    int* out = rowMajor.data();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            for (int ch = 0; ch < NC; ++ch) *out++ = colMajor[(static_cast<size_t>(x) * h + y) * NC + ch];
}

bool IsGrey(const QImage& img) {
    const int w = img.width(), h = img.height();
    int diff = 0;
    for (int y = 0; y < h; ++y) {
        const std::uint8_t* p = img.constScanLine(y);
        for (int x = 0; x < w; ++x, p += 3) diff |= (p[0] ^ p[1]) | (p[1] ^ p[2]);
    }
    return diff == 0;
}

}  // namespace

void BlurMask(QImage& mask, int r, int passes) {
    if (r <= 0) return;
    const int w = mask.width(), h = mask.height();
    if (w == 0 || h == 0) return;
    const MeanOf mean(2 * r + 1);
    // The channels are blurred independently; a grey mask (the usual case,
    // black shapes on white) has three equal channels, so one is enough.
    const int nc = IsGrey(mask) ? 1 : 3;
    const size_t count = static_cast<size_t>(w) * h * nc;
    std::vector<int> buf(count), tmp(count);

    // Along the rows: held column by column (x-major), so that one step
    // moves a whole column of values at once.
    if (nc == 1)
        LoadColumnMajor<1>(mask, buf);
    else
        LoadColumnMajor<3>(mask, buf);
    SlidePasses(buf, tmp, w, h * nc, r, passes, mean);

    // Down the columns, one pass stronger: back to rows (y-major).
    if (nc == 1)
        ToRowMajor<1>(buf, tmp, w, h);
    else
        ToRowMajor<3>(buf, tmp, w, h);
    buf.swap(tmp);
    SlidePasses(buf, tmp, h, w * nc, r, passes + 1, mean);

    for (int y = 0; y < h; ++y) {
        std::uint8_t* dst = mask.scanLine(y);
        const int* src = buf.data() + static_cast<size_t>(y) * w * nc;
        if (nc == 1) {
            for (int x = 0; x < w; ++x) dst[3 * x] = dst[3 * x + 1] = dst[3 * x + 2] = std::uint8_t(src[x]);
        } else {
            for (int x = 0; x < w; ++x)
                dst[3 * x] = dst[3 * x + 1] = dst[3 * x + 2] =
                    std::uint8_t((src[3 * x] + src[3 * x + 1] + src[3 * x + 2]) / 3);
        }
    }
}

void CompositeShadow(QImage& face, const QImage& mask, int ox, int oy, Rgb shadow) {
    const int x0 = std::max(0, -ox), x1 = std::min(mask.width(), face.width() - ox);
    const int y0 = std::max(0, -oy), y1 = std::min(mask.height(), face.height() - oy);
    for (int y = y0; y < y1; ++y) {
        const std::uint8_t* m = mask.constScanLine(y) + 3 * x0;
        std::uint8_t* p = face.scanLine(y + oy) + 3 * (x0 + ox);
        for (int x = x0; x < x1; ++x, m += 3, p += 3) {
            const int g = m[0];
            p[0] = std::uint8_t(shadow.r + (((p[0] - shadow.r) * g) >> 8));
            p[1] = std::uint8_t(shadow.g + (((p[1] - shadow.g) * g) >> 8));
            p[2] = std::uint8_t(shadow.b + (((p[2] - shadow.b) * g) >> 8));
        }
    }
}

}  // namespace quimba::widgets::PixelOps
