#pragma once
// A tiny ray marcher for dice: rounded cubes with recessed pips, lit by a
// key and a fill light, seen through an orthographic camera from above.

#include "DetMath.h"

#include <array>
#include <functional>
#include <vector>

namespace quimba::assets {

struct V3 {
    double x = 0, y = 0, z = 0;
};
inline V3 operator+(V3 a, V3 b) { return {a.x + b.x, a.y + b.y, a.z + b.z}; }
inline V3 operator-(V3 a, V3 b) { return {a.x - b.x, a.y - b.y, a.z - b.z}; }
inline V3 operator*(V3 a, double s) { return {a.x * s, a.y * s, a.z * s}; }
inline V3 operator*(double s, V3 a) { return a * s; }
inline double dot(V3 a, V3 b) { return a.x * b.x + a.y * b.y + a.z * b.z; }
inline V3 cross(V3 a, V3 b) { return {a.y * b.z - a.z * b.y, a.z * b.x - a.x * b.z, a.x * b.y - a.y * b.x}; }
inline double length(V3 a) { return std::sqrt(dot(a, a)); }
inline V3 normalize(V3 a) { return a * (1.0 / length(a)); }

// Rows of a rotation matrix taking die axes to world axes.
struct M3 {
    V3 c0{1, 0, 0}, c1{0, 1, 0}, c2{0, 0, 1};  // images of the die's x, y, z axes
    V3 Apply(V3 v) const { return c0 * v.x + c1 * v.y + c2 * v.z; }
    V3 ApplyInverse(V3 v) const { return {dot(c0, v), dot(c1, v), dot(c2, v)}; }
};
M3 RotationZ(double radians);
M3 RotationX(double radians);
M3 RotationY(double radians);
M3 Compose(const M3& outer, const M3& inner);

struct Die3D {
    V3 centre;          // world position
    M3 rot;             // die axes to world
    double half = 1.0;  // half the edge length in world units
    // Face numbers on the die's +x, -x, +y, -y, +z, -z sides.
    std::array<int, 6> faces{2, 5, 4, 3, 1, 6};
    bool redAce = true;       // the single pip of the one is red
    bool pipsOnSides = true;  // false: only the top face is marked
};

// Die whose top (+z) shows `top`, with a matching front (-y) and right (+x).
Die3D UprightDie(int top);

// A parallel projection: pixel (px, py) looks along `forward` from
// base + axisX * sx + axisY * sy, where (sx, sy) is the pixel in world units
// from (cx, cy), y upwards.
struct Camera {
    V3 forward, axisX, axisY, base;
    double scale = 20.0;    // pixels per world unit
    double cx = 0, cy = 0;  // pixel position of the world origin
    V3 RayOrigin(double px, double py) const {
        return base + axisX * ((px - cx) / scale) + axisY * ((cy - py) / scale);
    }
};
// Orthographic view from the given direction.
Camera MakeCamera(double azimuthDeg, double elevationDeg);
// Oblique view that keeps the top faces' edges level on screen: world x is
// screen x, world y rises by `depth` per unit, and going down one unit moves
// `down` down the screen and `skew` to the right, showing the front and
// right sides.
Camera MakeObliqueCamera(double depth, double down, double skew);

// Colour in linear light, 0..1 per channel.
struct Shade {
    bool hit = false;
    V3 colour;
};

class DiceScene {
public:
    std::vector<Die3D> dice;
    V3 keyLightAt{-3.0, -2.6, 6.0};  // a lamp above the table, to the front left
    V3 fillLight = normalize(V3{0.7, -0.6, 0.35});
    double groundZ = -1e9;  // below everything: no ground

    double Distance(V3 p) const;
    Shade Trace(const Camera& cam, double px, double py) const;
    // How much of the key light reaches point p (0 shadowed .. 1 lit).
    double SoftShadow(V3 p, V3 dir) const;
    // Key-light shadow on the ground seen through pixel (px, py); 1 = lit.
    double GroundLight(const Camera& cam, double px, double py) const;

private:
    double DieDistance(const Die3D& d, V3 p, int* pipFace = nullptr) const;
    V3 SurfaceColour(const Die3D& d, V3 pWorld) const;
    V3 NormalAt(V3 p) const;
    double Occlusion(V3 p, V3 n) const;
};

inline double ToSrgb(double linear) { return dm::pow(dm::clamp01(linear), 1.0 / 2.2); }
inline double ToLinear(double srgb) { return dm::pow(dm::clamp01(srgb), 2.2); }

}  // namespace quimba::assets
