#pragma once
// Elementary functions built only from +, -, *, / and sqrt, which IEEE
// rounds exactly. The C library picks different code paths per CPU for
// sin/exp/pow, and a last-bit difference would flip a byte now and then in
// the generated files; these give the same bits on every x86-64 machine.

#include <cmath>
#include <cstdint>

namespace quimba::assets::dm {

inline constexpr double kPi = 3.14159265358979323846;
inline constexpr double kLn2 = 0.69314718055994530942;

inline double clamp01(double v) { return v < 0.0 ? 0.0 : (v > 1.0 ? 1.0 : v); }
inline double Clampd(double v, double lo, double hi) { return v < lo ? lo : (v > hi ? hi : v); }
inline double mix(double a, double b, double t) { return a + (b - a) * t; }
inline double smoothstep(double e0, double e1, double x) {
    const double t = clamp01((x - e0) / (e1 - e0));
    return t * t * (3.0 - 2.0 * t);
}

// sin on [-pi/2, pi/2] by its Taylor series; error below 1e-11 there.
inline double SinCore(double x) {
    const double x2 = x * x;
    double term = x;
    double sum = x;
    for (int k = 1; k <= 8; ++k) {
        term *= -x2 / double((2 * k) * (2 * k + 1));
        sum += term;
    }
    return sum;
}

inline double sin(double x) {
    const double twoPi = 2.0 * kPi;
    x -= twoPi * std::floor(x / twoPi + 0.5);  // now in [-pi, pi]
    if (x > kPi / 2)
        x = kPi - x;
    else if (x < -kPi / 2)
        x = -kPi - x;
    return SinCore(x);
}

inline double cos(double x) { return sin(x + kPi / 2); }

inline double exp(double x) {
    if (x < -700.0) return 0.0;
    if (x > 700.0) x = 700.0;
    const double k = std::floor(x / kLn2 + 0.5);
    const double r = x - k * kLn2;
    double term = 1.0;
    double sum = 1.0;
    for (int i = 1; i <= 14; ++i) {
        term *= r / double(i);
        sum += term;
    }
    return std::ldexp(sum, int(k));
}

inline double log(double x) {
    if (x <= 0.0) return -745.0;
    int e = 0;
    const double m = std::frexp(x, &e);  // m in [0.5, 1)
    const double s = (m - 1.0) / (m + 1.0);
    const double s2 = s * s;
    double term = s;
    double sum = 0.0;
    for (int k = 0; k < 30; ++k) {
        sum += term / double(2 * k + 1);
        term *= s2;
    }
    return 2.0 * sum + double(e) * kLn2;
}

inline double pow(double a, double b) {
    if (a <= 0.0) return 0.0;
    return exp(b * log(a));
}

// Small, fast and fully specified pseudo-random source (SplitMix64).
class Rng {
public:
    explicit Rng(std::uint64_t seed) : state_(seed) {}
    std::uint64_t Next() {
        std::uint64_t z = (state_ += 0x9E3779B97F4A7C15ULL);
        z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
        z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
        return z ^ (z >> 31);
    }
    // Uniform in [0, 1).
    double Uniform() { return double(Next() >> 11) * (1.0 / 9007199254740992.0); }
    double Range(double lo, double hi) { return lo + (hi - lo) * Uniform(); }
    // Sum of four uniforms: a cheap bell-shaped value in [-1, 1].
    double Bell() { return (Uniform() + Uniform() + Uniform() + Uniform()) * 0.5 - 1.0; }

private:
    std::uint64_t state_;
};

inline std::uint64_t Hash3(std::int64_t x, std::int64_t y, std::uint64_t seed) {
    std::uint64_t h = seed * 0x9E3779B97F4A7C15ULL;
    h ^= std::uint64_t(x) * 0xC2B2AE3D27D4EB4FULL;
    h = (h ^ (h >> 29)) * 0xBF58476D1CE4E5B9ULL;
    h ^= std::uint64_t(y) * 0x165667B19E3779F9ULL;
    h = (h ^ (h >> 32)) * 0x94D049BB133111EBULL;
    return h ^ (h >> 31);
}

// Hash to [-1, 1).
inline double HashUnit(std::int64_t x, std::int64_t y, std::uint64_t seed) {
    return double(Hash3(x, y, seed) >> 11) * (2.0 / 9007199254740992.0) - 1.0;
}

inline std::int64_t Wrap(std::int64_t v, std::int64_t period) {
    if (period <= 0) return v;
    const std::int64_t m = v % period;
    return m < 0 ? m + period : m;
}

// Value noise on an integer lattice; a lattice period of px × py cells makes
// it repeat exactly, so a texture built from it tiles without a seam.
inline double ValueNoise(double x, double y, std::int64_t px, std::int64_t py, std::uint64_t seed) {
    const double fx = std::floor(x);
    const double fy = std::floor(y);
    const std::int64_t ix = std::int64_t(fx);
    const std::int64_t iy = std::int64_t(fy);
    double tx = x - fx;
    double ty = y - fy;
    tx = tx * tx * tx * (tx * (tx * 6.0 - 15.0) + 10.0);
    ty = ty * ty * ty * (ty * (ty * 6.0 - 15.0) + 10.0);
    const std::int64_t x0 = Wrap(ix, px), x1 = Wrap(ix + 1, px);
    const std::int64_t y0 = Wrap(iy, py), y1 = Wrap(iy + 1, py);
    const double a = HashUnit(x0, y0, seed);
    const double b = HashUnit(x1, y0, seed);
    const double c = HashUnit(x0, y1, seed);
    const double d = HashUnit(x1, y1, seed);
    return mix(mix(a, b, tx), mix(c, d, tx), ty);
}

// Fractal sum over the tile [0, w) × [0, h): the coarsest octave has
// cellsX × cellsY cells over the tile, each next one twice as many.
inline double Fbm(double x, double y, double w, double h, int cellsX, int cellsY, int octaves, std::uint64_t seed,
                  double gain = 0.5) {
    double sum = 0.0;
    double amp = 1.0;
    double norm = 0.0;
    std::int64_t cx = cellsX, cy = cellsY;
    for (int o = 0; o < octaves; ++o) {
        sum += amp * ValueNoise(x * double(cx) / w, y * double(cy) / h, cx, cy, seed + std::uint64_t(o) * 7919);
        norm += amp;
        amp *= gain;
        cx *= 2;
        cy *= 2;
    }
    return sum / norm;
}

}  // namespace quimba::assets::dm
