// The game's pictures: dice, board, keep mark, textures, border and roll picture, drawn
// from deterministic noise and the ray marcher, pixel for pixel the same on every machine.
#include "Assets.h"
#include "DetMath.h"
#include "Render3D.h"

#include <algorithm>

namespace quimba::assets {

namespace {

constexpr int kSub = 4;  // subsamples per pixel side

int ToByte(double v) { return int(std::floor(dm::clamp01(v) * 255.0 + 0.5)); }

QRgb RgbLinear(V3 c) { return qRgb(ToByte(ToSrgb(c.x)), ToByte(ToSrgb(c.y)), ToByte(ToSrgb(c.z))); }

QRgb Rgbd(double r, double g, double b) { return qRgb(ToByte(r / 255.0), ToByte(g / 255.0), ToByte(b / 255.0)); }

V3 LinearOf(QRgb c) { return {ToLinear(qRed(c) / 255.0), ToLinear(qGreen(c) / 255.0), ToLinear(qBlue(c) / 255.0)}; }

QImage BlankPicture(int w, int h) {
    QImage img(w, h, QImage::Format_RGB888);
    img.fill(QColor(0, 0, 255));
    return img;
}

// A picture whose every pixel is colourAt(x, y).
template <typename ColourAt>
QImage PaintEach(int w, int h, ColourAt colourAt) {
    QImage img(w, h, QImage::Format_RGB888);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) img.setPixel(x, y, colourAt(x, y));
    return img;
}

// Camera for the die pictures: from high above, a little to the front and
// the left, so the top face carries the value and thin left and front sides
// give the die its depth. Kept dice stand 45 pixels apart and each one covers
// the left of the one before, so nothing of a die may reach right of x = 60
// (its pick box's edge): that keeps the left pips of its neighbour in sight.
Camera DieCamera() {
    const double depth = 0.925, down = 0.12, skew = -0.12;
    Camera cam = MakeObliqueCamera(depth, down, skew);
    // The silhouette spans 2 + 2 |skew| across and 2 (depth + down) high:
    // fit it to x 3..60 and y 4..57.
    cam.scale = std::min(57.0 / (2.0 - 2.0 * skew), 53.0 / (2.0 * depth + 2.0 * down));
    cam.cx = 31.5;
    cam.cy = 30.5;
    return cam;
}

}  // namespace

QImage MakeDie(int face) {
    face = std::clamp(face, 1, 6);
    DiceScene scene;
    Die3D die = UprightDie(face);
    die.pipsOnSides = false;
    scene.dice.push_back(die);
    const Camera cam = DieCamera();
    // Edge pixels fade into this instead of the key colour, so no pixel
    // comes out half blue; on the table it reads as a contact shadow.
    const V3 rim = LinearOf(qRgb(34, 30, 24));
    QImage img = BlankPicture(kDieWidth, kDieHeight);
    std::vector<int> coverage(std::size_t(kDieWidth * kDieHeight), 0);
    for (int y = 0; y < kDieHeight; ++y) {
        for (int x = 0; x < kDieWidth; ++x) {
            int hits = 0;
            V3 sum;
            for (int sy = 0; sy < kSub; ++sy) {
                for (int sx = 0; sx < kSub; ++sx) {
                    const Shade s = scene.Trace(cam, x + (sx + 0.5) / kSub, y + (sy + 0.5) / kSub);
                    if (s.hit) {
                        ++hits;
                        sum = sum + s.colour;
                    }
                }
            }
            const int total = kSub * kSub;
            coverage[std::size_t(y * kDieWidth + x)] = hits;
            if (hits * 4 < total) continue;  // mostly table: leave it see-through
            const V3 c = (sum + rim * double(total - hits)) * (1.0 / total);
            img.setPixel(x, y, RgbLinear(c));
        }
    }
    // A short shadow cast down onto the baize, in two steps of darkness so
    // it does not end in a hard edge; never right of the body (see above).
    const QRgb shadowNear = qRgb(10, 38, 22);
    const QRgb shadowFar = qRgb(15, 62, 36);
    for (int y = 0; y < kDieHeight; ++y) {
        for (int x = 0; x < kDieWidth; ++x) {
            if (img.pixel(x, y) != kKeyBlue) continue;
            auto covered = [&](int dx, int dy) {
                const int sx = x - dx, sy = y - dy;
                if (sx < 0 || sy < 0 || sx >= kDieWidth || sy >= kDieHeight) return false;
                return coverage[std::size_t(sy * kDieWidth + sx)] * 4 >= kSub * kSub;
            };
            if (x > kDieBodyRight) continue;
            if (covered(0, 1) || covered(1, 2))
                img.setPixel(x, y, shadowNear);
            else if (covered(1, 3) || covered(2, 3))
                img.setPixel(x, y, shadowFar);
        }
    }
    return img;
}

namespace {

// Walnut: dark and light bands that wander along the grain. `along` runs with
// the grain, `across` over it.
V3 WoodColour(double along, double across, std::uint64_t seed, double alongPeriod = 0, int alongCells = 0) {
    const double period = alongPeriod > 0 ? alongPeriod : 4096.0;
    const int cells = alongCells > 0 ? alongCells : 64;
    const double warp = dm::Fbm(along, across * 6.0, period, 4096.0, cells, 512, 4, seed);
    const double rings = dm::sin(across * 0.9 + warp * 7.0);
    const double band = dm::smoothstep(-0.3, 1.0, rings);
    const double fibre =
        dm::HashUnit(std::int64_t(std::floor(along / 3.0)), std::int64_t(std::floor(across)), seed + 5) * 0.06;
    const double pore =
        dm::HashUnit(std::int64_t(std::floor(along)), std::int64_t(std::floor(across)), seed + 9) * 0.04;
    const V3 dark{58, 30, 14};
    const V3 light{118, 66, 32};
    const V3 c = dark + (light - dark) * band;
    return c * (1.0 + fibre + pore);
}

QRgb RgbOf(V3 c) { return Rgbd(c.x, c.y, c.z); }

}  // namespace

QImage MakeBoard() {
    const int w = kBoardWidth, h = kBoardHeight;
    const int rimWidth = 12;
    QImage img(w, h, QImage::Format_RGB888);
    const V3 felt{22, 104, 60};
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const int edge = std::min(std::min(x, y), std::min(w - 1 - x, h - 1 - y));
            if (edge < rimWidth) {
                // Mitred wooden rim: the side nearest to the pixel decides the grain.
                const int toLeft = x, toTop = y, toRight = w - 1 - x, toBottom = h - 1 - y;
                const bool horizontal = std::min(toTop, toBottom) <= std::min(toLeft, toRight);
                const double along = horizontal ? x : y;
                const double across = edge + (horizontal ? (toTop < toBottom ? 0 : 40) : (toLeft < toRight ? 80 : 120));
                V3 c = WoodColour(along, across, horizontal ? 11 : 23);
                // Profile: dark outer edge, rounded lit top, then a lip down to the felt.
                const double t = (edge + 0.5) / rimWidth;
                const bool litSide = (horizontal && toTop < toBottom) || (!horizontal && toLeft < toRight);
                double shade = 0.55 + 0.65 * dm::sin(dm::clamp01(t * 1.25) * dm::kPi);
                if (t > 0.8) shade = litSide ? 0.55 : 0.95;  // inner lip faces away from or toward the lamp
                shade *= litSide ? 1.08 : 0.86;
                if (edge == 0) shade *= 0.6;
                c = c * shade;
                img.setPixel(x, y, RgbOf(c));
                continue;
            }
            // Baize: fine fibres, a faint mottle, a lamp over the middle and
            // the rim's shadow along the edges.
            const double fx = x - rimWidth, fy = y - rimWidth;
            const double grain = dm::HashUnit(x, y, 101) * 0.05;
            const double fibres = dm::ValueNoise(x / 1.5, y / 5.0, 0, 0, 103) * 0.035 +
                                  dm::ValueNoise(x / 5.0, y / 1.5, 0, 0, 107) * 0.035;
            const double mottle = dm::Fbm(x, y, w, h, 5, 3, 4, 109) * 0.06;
            const double dx = (x - 250.0) / 320.0, dy = (y - 150.0) / 230.0;
            double lamp = 1.16 - 0.42 * (dx * dx + dy * dy);
            lamp = std::max(lamp, 0.55);
            const double fromEdge =
                std::min(std::min(fx, fy), std::min(w - 2 * rimWidth - 1 - fx, h - 2 * rimWidth - 1 - fy));
            const double shadowDepth = (fx < fy && fx < 40) || fy < 40 ? 0.5 : 0.35;
            lamp *= 1.0 - shadowDepth * dm::exp(-fromEdge / 4.0);
            V3 c = felt * (lamp * (1.0 + grain + fibres + mottle));
            // A thin gold inlay line round the playing area.
            const double inset = 14.0;
            const double lx = std::min(fx - inset, (w - 2 * rimWidth - 1 - inset) - fx);
            const double ly = std::min(fy - inset, (h - 2 * rimWidth - 1 - inset) - fy);
            double lineDist;
            const double corner = 10.0;
            if (lx < corner && ly < corner) {
                const double ax = corner - lx, ay = corner - ly;
                lineDist = std::fabs(std::sqrt(ax * ax + ay * ay) - corner);
            } else {
                lineDist = std::fabs(std::min(lx, ly));
            }
            const double line = dm::smoothstep(1.2, 0.3, lineDist);
            const V3 gold{196, 160, 78};
            c = c + (gold * (0.75 + 0.25 * lamp) - c) * (line * 0.8);
            img.setPixel(x, y, RgbOf(c));
        }
    }
    return img;
}

namespace {

// Fills a keyed picture from a coverage function sampled kSub × kSub per
// pixel: `paint` gives the colour of a covered sample, or false where the
// sample is background. Edges fade toward `outline`, never toward the key.
template <class Paint>
void PaintKeyed(QImage& img, V3 outline, Paint paint) {
    const int total = kSub * kSub;
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x) {
            int hits = 0;
            V3 sum;
            for (int sy = 0; sy < kSub; ++sy) {
                for (int sx = 0; sx < kSub; ++sx) {
                    V3 c;
                    if (paint(x + (sx + 0.5) / kSub, y + (sy + 0.5) / kSub, c)) {
                        ++hits;
                        sum = sum + c;
                    }
                }
            }
            if (hits * 3 < total) continue;
            const V3 c = (sum + outline * double(total - hits)) * (1.0 / total);
            img.setPixel(x, y, RgbOf(c));
        }
    }
}

double RoundRectDistance(double x, double y, double cx, double cy, double hw, double hh, double r) {
    const double qx = std::fabs(x - cx) - hw + r;
    const double qy = std::fabs(y - cy) - hh + r;
    const double ox = std::max(qx, 0.0), oy = std::max(qy, 0.0);
    return std::sqrt(ox * ox + oy * oy) + std::min(std::max(qx, qy), 0.0) - r;
}

}  // namespace

// A red lacquered padlock with a gold shackle. Drawn at (+20, +20) over a
// kept die, it hangs on the die's lower right corner, clear of the pips.
QImage MakeKeepMark() {
    // Padlock over x 32..56, y 19..48 of the mark, that is x 52..76 and
    // y 39..68 of the die: right of its own pips and, on the kept row,
    // below the pips of the die it overlaps.
    const int w = 57, h = 50;
    QImage img = BlankPicture(w, h);
    const V3 outline{44, 14, 8};
    const double bx = 44.0, by = 39.0;  // body centre
    const double bw = 11.5, bh = 9.0;   // body half size
    const double sr = 6.2, st = 2.1;    // shackle radius and half thickness
    const double sy0 = by - bh + 1.0;   // where the shackle legs enter the body
    const double sy = sy0 - 3.0;        // centre of the shackle's arch
    PaintKeyed(img, outline, [&](double x, double y, V3& c) {
        const double body = RoundRectDistance(x, y, bx, by, bw, bh, 3.0);
        // Shackle: an arch above, two legs down into the body.
        double shackle;
        if (y < sy) {
            const double dx = x - bx, dy = y - sy;
            shackle = std::fabs(std::sqrt(dx * dx + dy * dy) - sr) - st;
        } else {
            shackle = std::fabs(std::fabs(x - bx) - sr) - st;
            if (y > sy0 + 2) shackle = 1e9;
        }
        const double edge = 1.1;  // dark outline width
        if (body < 0) {
            const double inner = -body;
            if (inner < edge) {
                c = outline;
                return true;
            }
            // Lacquer: lighter at the top left, a glossy band near the top.
            const double t = dm::clamp01((y - (by - bh)) / (2 * bh));
            const double u = dm::clamp01((x - (bx - bw)) / (2 * bw));
            V3 red = V3{214, 38, 34} + (V3{122, 12, 14} - V3{214, 38, 34}) * (0.6 * t + 0.4 * u);
            const double gloss = dm::smoothstep(0.32, 0.2, t) * dm::smoothstep(0.05, 0.18, t) * 0.5;
            red = red + (V3{255, 190, 170} - red) * gloss;
            // Gold keyhole.
            const double kx = x - bx, ky = y - (by + 0.5);
            const double hole =
                std::min(std::sqrt(kx * kx + ky * ky) - 2.2, RoundRectDistance(x, y, bx, by + 3.5, 1.0, 3.0, 0.5));
            if (hole < 0)
                red = V3{60, 20, 8};
            else if (hole < 1.0)
                red = V3{236, 196, 92};
            c = red;
            return true;
        }
        if (shackle < 0) {
            if (-shackle < edge * 0.9) {
                c = outline;
                return true;
            }
            const double lit = dm::clamp01(0.5 + (-shackle) / (2 * st) * 0.8 - (y - sy) * 0.03 - (x - bx) * 0.02);
            c = V3{150, 108, 34} + (V3{252, 224, 130} - V3{150, 108, 34}) * lit;
            return true;
        }
        if (body < edge * 0.6 || shackle < edge * 0.5) {
            c = outline;
            return true;
        }
        return false;
    });
    return img;
}

// A carved frame with a gold bead; the game loads it beside the table
// pictures but does not draw it.
QImage MakeBorder() {
    const int w = 64, h = 64;
    QImage img = BlankPicture(w, h);
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const int edge = std::min(std::min(x, y), std::min(w - 1 - x, h - 1 - y));
            if (edge >= 10) continue;
            const bool horizontal = std::min(y, h - 1 - y) <= std::min(x, w - 1 - x);
            V3 c = WoodColour(horizontal ? x : y, edge * 1.0 + (horizontal ? 0 : 50), 31);
            const double shade = 0.6 + 0.5 * dm::sin((edge + 0.5) / 10.0 * dm::kPi);
            c = c * shade;
            if (edge == 5) c = V3{206, 170, 84};
            if (edge == 0 || edge == 9) c = c * 0.5;
            img.setPixel(x, y, RgbOf(c));
        }
    }
    return img;
}

// Dark marble, near black with faint slate veins. Every noise term repeats
// over the tile, so copies laid side by side meet without a seam.
QImage MakeMainTexture() {
    const int w = 512, h = 264;
    return PaintEach(w, h, [&](int x, int y) {
        const double warp = dm::Fbm(x, y, w, h, 4, 2, 6, 201);
        const double warp2 = dm::Fbm(x, y, w, h, 8, 4, 5, 203);
        const double phase = 2.0 * dm::kPi * (2.0 * x / w + 1.0 * y / h);
        const double v1 = std::fabs(dm::sin(phase + warp * 3.5));
        const double v2 = std::fabs(dm::sin(2.0 * dm::kPi * (-3.0 * x / w + 2.0 * y / h) + warp2 * 3.0));
        const double vein = dm::pow(1.0 - v1, 10.0) * 0.55 + dm::pow(1.0 - v2, 30.0) * 0.35;
        const double cloud = dm::Fbm(x, y, w, h, 6, 3, 5, 207);
        const double grain = dm::HashUnit(x, y, 209) * 0.035;
        V3 c = V3{17, 19, 23} * (1.0 + 0.45 * cloud + grain);
        c = c + (V3{74, 84, 90} - c) * dm::clamp01(vein * (0.6 + 0.4 * cloud));
        return RgbOf(c);
    });
}

// Dark oak planks, grain running across, for the player setup dialog.
QImage MakeSetupTexture() {
    const int w = 384, h = 150;
    const int plank = 50;
    return PaintEach(w, h, [&](int x, int y) {
        // Joints sit mid-tile so the wrap-around falls inside a plank.
        const int shifted = y + plank / 2;
        const int index = (shifted / plank) % (h / plank);
        const double inPlank = shifted % plank;
        // Each plank has its own grain offset and tone.
        const double warp = dm::Fbm(x, y, w, h, 3, 6, 5, 301 + std::uint64_t(index));
        const double rings = dm::sin(inPlank * 0.55 + index * 3.1 + warp * 6.0);
        const double band = dm::smoothstep(-0.4, 1.0, rings);
        const double fibre = dm::ValueNoise(x * 24.0 / w * 4.0, y / 1.2, 96, 0, 307) * 0.07;
        const double tone = 1.0 + 0.08 * dm::HashUnit(index, 0, 311);
        V3 c = V3{34, 21, 12} + (V3{66, 41, 23} - V3{34, 21, 12}) * band;
        c = c * (tone * (1.0 + fibre + dm::HashUnit(x, y, 313) * 0.03));
        if (inPlank < 1.0)
            c = c * 0.45;  // the joint
        else if (inPlank < 2.0)
            c = c * 1.12;  // its lit edge
        return RgbOf(c);
    });
}

// Even, fine-grained dark grey behind the help text and the best scores.
QImage MakeDialogTexture() {
    const int w = 573, h = 152;
    return PaintEach(w, h, [&](int x, int y) {
        const double speck = dm::HashUnit(x, y, 401) * 0.06;
        const double fine = dm::Fbm(x, y, w, h, 191, 51, 2, 403) * 0.05;
        const double v = 50.0 * (1.0 + speck + fine);
        return Rgbd(v, v, v + 2.0);
    });
}

// Two dice tumbling onto the main window's marble, for beside the roll
// button. The background is the panel texture exactly where the picture
// lies on the panel (tiled from the panel's inner corner at (1, 1)).
QImage MakeRollPicture(const QImage& mainTexture) {
    const int w = 110, h = 62;
    QImage img(w, h, QImage::Format_RGB888);
    const int tw = mainTexture.width(), th = mainTexture.height();
    DiceScene scene;
    Die3D a = UprightDie(5);
    a.half = 1.0;
    a.rot = RotationZ(0.45);
    a.centre = {-1.55, 0.1, 0.0};
    Die3D b = UprightDie(3);
    b.half = 1.0;
    b.rot = Compose(RotationZ(-0.35), Compose(RotationX(0.5), RotationY(-0.3)));
    b.centre = {1.45, -0.15, 0.55};
    scene.dice = {a, b};
    scene.keyLightAt = {-5.0, -1.5, 8.0};
    scene.groundZ = -1.0;
    Camera cam = MakeCamera(10.0, 60.0);
    cam.scale = 15.5;
    cam.cx = 55.0;
    cam.cy = 30.0;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            const QRgb bg = mainTexture.pixel(((kRollPictureLeft - 1 + x) % tw + tw) % tw,
                                              ((kRollPictureTop - 1 + y) % th + th) % th);
            const V3 ground = LinearOf(bg);
            V3 sum;
            const int total = kSub * kSub;
            for (int sy = 0; sy < kSub; ++sy) {
                for (int sx = 0; sx < kSub; ++sx) {
                    const double px = x + (sx + 0.5) / kSub, py = y + (sy + 0.5) / kSub;
                    const Shade s = scene.Trace(cam, px, py);
                    if (s.hit) {
                        sum = sum + s.colour;
                    } else {
                        const double lit = scene.GroundLight(cam, px, py);
                        sum = sum + ground * (0.35 + 0.65 * lit);
                    }
                }
            }
            img.setPixel(x, y, RgbLinear(sum * (1.0 / total)));
        }
    }
    return img;
}

}  // namespace quimba::assets
