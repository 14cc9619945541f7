// The ray marcher behind the dice pictures: distance to a rounded die with
// recessed pips, its colour, shadows and occlusion, and the cameras.
#include "Render3D.h"

namespace quimba::assets {

namespace {

constexpr double kRound = 0.2;       // edge rounding, in half-edge units
constexpr double kPipDepth = 0.085;  // how deep a pip is pressed in
constexpr double kPipSpacing = 0.48;

struct FaceFrame {
    V3 n, u, v;
};

const std::array<FaceFrame, 6> kFrames{{
    {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}},
    {{-1, 0, 0}, {0, -1, 0}, {0, 0, 1}},
    {{0, 1, 0}, {-1, 0, 0}, {0, 0, 1}},
    {{0, -1, 0}, {1, 0, 0}, {0, 0, 1}},
    {{0, 0, 1}, {1, 0, 0}, {0, 1, 0}},
    {{0, 0, -1}, {1, 0, 0}, {0, -1, 0}},
}};

struct Pip {
    double a, b;
};

struct PipLayout {
    int count;
    std::array<Pip, 6> pips;
};

const std::array<PipLayout, 7> kLayouts{{
    {0, {}},
    {1, {{{0, 0}}}},
    {2, {{{-1, -1}, {1, 1}}}},
    {3, {{{-1, -1}, {0, 0}, {1, 1}}}},
    {4, {{{-1, -1}, {1, -1}, {-1, 1}, {1, 1}}}},
    {5, {{{-1, -1}, {1, -1}, {0, 0}, {-1, 1}, {1, 1}}}},
    {6, {{{-1, -1}, {0, -1}, {1, -1}, {-1, 1}, {0, 1}, {1, 1}}}},
}};

double PipRadius(int face) { return face == 1 ? 0.30 : 0.19; }

// Sphere whose cap cuts a dimple of the pip's radius and depth.
double DimpleSphere(double radius) { return (radius * radius + kPipDepth * kPipDepth) / (2.0 * kPipDepth); }

int DominantFace(V3 q) {
    const double ax = std::fabs(q.x), ay = std::fabs(q.y), az = std::fabs(q.z);
    if (ax >= ay && ax >= az) return q.x >= 0 ? 0 : 1;
    if (ay >= az) return q.y >= 0 ? 2 : 3;
    return q.z >= 0 ? 4 : 5;
}

double RoundBox(V3 q) {
    const double b = 1.0 - kRound;
    const V3 d{std::fabs(q.x) - b, std::fabs(q.y) - b, std::fabs(q.z) - b};
    const V3 outside{std::max(d.x, 0.0), std::max(d.y, 0.0), std::max(d.z, 0.0)};
    const double inside = std::min(std::max(d.x, std::max(d.y, d.z)), 0.0);
    return length(outside) + inside - kRound;
}

V3 Srgb(int r, int g, int b) { return {ToLinear(r / 255.0), ToLinear(g / 255.0), ToLinear(b / 255.0)}; }

}  // namespace

M3 RotationZ(double a) {
    const double c = dm::cos(a), s = dm::sin(a);
    return {{c, s, 0}, {-s, c, 0}, {0, 0, 1}};
}

M3 RotationX(double a) {
    const double c = dm::cos(a), s = dm::sin(a);
    return {{1, 0, 0}, {0, c, s}, {0, -s, c}};
}

M3 RotationY(double a) {
    const double c = dm::cos(a), s = dm::sin(a);
    return {{c, 0, -s}, {0, 1, 0}, {s, 0, c}};
}

M3 Compose(const M3& outer, const M3& inner) {
    return {outer.Apply(inner.c0), outer.Apply(inner.c1), outer.Apply(inner.c2)};
}

Die3D UprightDie(int top) {
    // Front and right faces that sit next to each top on a real die.
    static const int kFront[7] = {0, 2, 6, 2, 1, 1, 2};
    static const int kRight[7] = {0, 3, 3, 6, 5, 4, 4};
    Die3D d;
    d.faces = {kRight[top], 7 - kRight[top], 7 - kFront[top], kFront[top], top, 7 - top};
    return d;
}

Camera MakeCamera(double azimuthDeg, double elevationDeg) {
    const double az = azimuthDeg * dm::kPi / 180.0;
    const double el = elevationDeg * dm::kPi / 180.0;
    const V3 toCamera{dm::sin(az) * dm::cos(el), -dm::cos(az) * dm::cos(el), dm::sin(el)};
    Camera cam;
    cam.forward = toCamera * -1.0;
    cam.axisX = normalize(cross(cam.forward, V3{0, 0, 1}));
    cam.axisY = cross(cam.axisX, cam.forward);
    cam.base = cam.forward * -12.0;
    return cam;
}

Camera MakeObliqueCamera(double depth, double down, double skew) {
    // Screen X = x - skew * z, screen Y = depth * y + down * z; the rays run
    // along the direction that both leave unchanged.
    const double top = 8.0;
    Camera cam;
    cam.forward = normalize(V3{-skew, down / depth, -1.0});
    cam.axisX = {1, 0, 0};
    cam.axisY = {0, 1.0 / depth, 0};
    cam.base = {top * skew, -top * down / depth, top};
    return cam;
}

double DiceScene::DieDistance(const Die3D& d, V3 p, int* pipFace) const {
    const V3 q = d.rot.ApplyInverse(p - d.centre) * (1.0 / d.half);
    double dist = RoundBox(q);
    if (dist < 0.3) {
        const int k = DominantFace(q);
        const int face = d.faces[std::size_t(k)];
        if (k == 4 || d.pipsOnSides) {
            const FaceFrame& f = kFrames[std::size_t(k)];
            const double r = PipRadius(face);
            const double big = DimpleSphere(r);
            const PipLayout& layout = kLayouts[std::size_t(face)];
            for (int i = 0; i < layout.count; ++i) {
                const Pip& pip = layout.pips[std::size_t(i)];
                const V3 c = f.n * (1.0 + big - kPipDepth) + (f.u * pip.a + f.v * pip.b) * kPipSpacing;
                dist = std::max(dist, -(length(q - c) - big));
            }
            if (pipFace) *pipFace = k;
        }
    }
    return dist * d.half;
}

double DiceScene::Distance(V3 p) const {
    double best = 1e9;
    for (const Die3D& d : dice) best = std::min(best, DieDistance(d, p));
    return best;
}

V3 DiceScene::SurfaceColour(const Die3D& d, V3 pWorld) const {
    static const V3 ivory = Srgb(242, 232, 208);
    static const V3 ink = Srgb(30, 27, 32);
    static const V3 red = Srgb(178, 22, 28);
    const V3 q = d.rot.ApplyInverse(pWorld - d.centre) * (1.0 / d.half);
    const int k = DominantFace(q);
    if (k != 4 && !d.pipsOnSides) return ivory;
    const FaceFrame& f = kFrames[std::size_t(k)];
    const int face = d.faces[std::size_t(k)];
    const double r = PipRadius(face);
    const double height = dot(q, f.n);
    const V3 flat = q - f.n * height;
    double nearest = 1e9;
    const PipLayout& layout = kLayouts[std::size_t(face)];
    for (int i = 0; i < layout.count; ++i) {
        const Pip& pip = layout.pips[std::size_t(i)];
        nearest = std::min(nearest, length(flat - (f.u * pip.a + f.v * pip.b) * kPipSpacing));
    }
    const double inPip = dm::smoothstep(r + 0.005, r - 0.035, nearest) * dm::smoothstep(0.997, 0.975, height);
    const V3 paint = (face == 1 && d.redAce) ? red : ink;
    return ivory + (paint - ivory) * inPip;
}

V3 DiceScene::NormalAt(V3 p) const {
    const double e = 1e-3;
    const V3 n{Distance(p + V3{e, 0, 0}) - Distance(p - V3{e, 0, 0}),
               Distance(p + V3{0, e, 0}) - Distance(p - V3{0, e, 0}),
               Distance(p + V3{0, 0, e}) - Distance(p - V3{0, 0, e})};
    return normalize(n);
}

double DiceScene::Occlusion(V3 p, V3 n) const {
    double occ = 0.0;
    double weight = 1.0;
    const double unit = dice.empty() ? 1.0 : dice.front().half;
    for (int i = 1; i <= 5; ++i) {
        const double h = 0.04 * unit * i;
        occ += (h - Distance(p + n * h)) / unit * weight;
        weight *= 0.7;
    }
    return dm::clamp01(1.0 - 2.5 * occ);
}

double DiceScene::SoftShadow(V3 p, V3 dir) const {
    const double unit = dice.empty() ? 1.0 : dice.front().half;
    double t = 0.01 * unit;
    double lit = 1.0;
    for (int i = 0; i < 64 && t < 8.0 * unit; ++i) {
        const double h = Distance(p + dir * t);
        if (h < 1e-5 * unit) return 0.0;
        lit = std::min(lit, 8.0 * h / t);
        t += dm::Clampd(h, 0.01 * unit, 0.25 * unit);
    }
    return dm::clamp01(lit);
}

Shade DiceScene::Trace(const Camera& cam, double px, double py) const {
    const V3 origin = cam.RayOrigin(px, py);
    const V3 dir = cam.forward;
    double t = 0.0;
    Shade out;
    const double unit = dice.empty() ? 1.0 : dice.front().half;
    for (int i = 0; i < 200 && t < 40.0; ++i) {
        const V3 p = origin + dir * t;
        const double d = Distance(p);
        if (d < 2e-4 * unit) {
            out.hit = true;
            break;
        }
        t += d;
    }
    if (!out.hit) return out;
    const V3 p = origin + dir * t;
    const Die3D* owner = &dice.front();
    double best = 1e9;
    for (const Die3D& d : dice) {
        const double dd = DieDistance(d, p);
        if (dd < best) {
            best = dd;
            owner = &d;
        }
    }
    const V3 n = NormalAt(p);
    const V3 view = dir * -1.0;
    const V3 keyLight = normalize(keyLightAt - p);
    const double shadow = SoftShadow(p + n * (0.004 * unit), keyLight);
    const double key = std::max(0.0, dot(n, keyLight)) * shadow;
    const double fill = std::max(0.0, dot(n, fillLight));
    const V3 h = normalize(keyLight + view);
    const double specular = dm::pow(std::max(0.0, dot(n, h)), 24.0) * 0.22 * shadow;
    const double occ = Occlusion(p, n);
    const V3 albedo = SurfaceColour(*owner, p);
    const double light = 0.26 * occ + 0.80 * key + 0.20 * fill * occ;
    out.colour = albedo * light + V3{specular, specular, specular * 0.95};
    return out;
}

double DiceScene::GroundLight(const Camera& cam, double px, double py) const {
    const V3 origin = cam.RayOrigin(px, py);
    if (std::fabs(cam.forward.z) < 1e-9) return 1.0;
    const double t = (groundZ - origin.z) / cam.forward.z;
    const V3 p = origin + cam.forward * t;
    return SoftShadow(p, normalize(keyLightAt - p));
}

}  // namespace quimba::assets
