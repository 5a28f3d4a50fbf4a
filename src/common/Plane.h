#pragma once
// Plane coordinates and bearings shared by both plan alignments and the pedestal geometry.
//
// Coordinates are (x, y) exactly as in the input files (x northing, y easting in survey data). A bearing is in
// radians, measured from +x towards +y (clockwise when x points north); its direction is (cos a, sin a). Local
// frames: u along the tangent, v to the right of it. Offsets from a centreline are positive to the left.
#include <cmath>
#include <numbers>

namespace tavrel {

struct Point {
    double x = 0;  // m
    double y = 0;  // m
};

// Centreline point and tangent bearing at one station; callers apply offsets themselves.
struct PointAtStation {
    Point p;
    double bearing = 0;  // rad, from +x towards +y
};

inline constexpr double kPi = std::numbers::pi;  // equals 4*atan(1) to the last bit

// Degrees -> radians, as pi * deg / 180 in that order (the order fixes the last bit of every result).
inline double DegreesToRadians(double degrees) { return kPi * degrees / 180; }

inline Point Direction(double bearing) { return {std::cos(bearing), std::sin(bearing)}; }

// Rot(theta) applied to local (u along, v right): u*cos - v*sin, u*sin + v*cos.
inline Point Rotate(double theta, double u, double v) {
    const double c = std::cos(theta), s = std::sin(theta);
    return {u * c - v * s, u * s + v * c};
}

inline Point operator+(Point a, Point b) { return {a.x + b.x, a.y + b.y}; }
inline Point operator-(Point a, Point b) { return {a.x - b.x, a.y - b.y}; }
inline Point operator*(double k, Point a) { return {k * a.x, k * a.y}; }

// The distance between two points (m), in two roundings. distance is std::hypot, which cannot overflow. The pedestal
// calculation has always taken the root of the sum of squares for the distances it reports (edge distances along
// the pier axis, pedestal offsets) and for its searches; the two differ in the last bit for about one pair of
// points in six, so each keeps its own to keep every result bit for bit.
inline double Distance(Point a, Point b) { return std::hypot(b.x - a.x, b.y - a.y); }
inline double DistanceBySquares(Point a, Point b) {
    return std::sqrt((b.x - a.x) * (b.x - a.x) + (b.y - a.y) * (b.y - a.y));
}

// The point at signed offset u (m, positive to the left, the side of bearing - pi/2) from a centreline point.
inline Point OffsetPoint(const PointAtStation& c, double u) { return c.p + u * Direction(c.bearing - kPi / 2); }

// An angle brought into [0, fullTurn), in whatever unit fullTurn gives (2*pi or 360). fmod is exact, so within one
// turn of the range this is one subtraction or addition of fullTurn; a tiny negative angle whose sum with fullTurn
// rounds up to fullTurn becomes 0, and -0 becomes 0.
inline double NormalizedAngle(double angle, double fullTurn) {
    double a = std::fmod(angle, fullTurn);
    if (a < 0) a += fullTurn;
    if (a >= fullTurn) a -= fullTurn;
    return a + 0.0;
}

// A bearing brought into [0, 2*pi).
inline double NormalizedBearing(double bearing) { return NormalizedAngle(bearing, 2 * kPi); }

// One wrapping step into [-pi, pi]: below -pi add 2pi, else above pi subtract 2pi (exactly +-pi stays).
inline double WrapAngle(double a) {
    if (a < -kPi) return a + 2 * kPi;
    if (a > kPi) return a - 2 * kPi;
    return a;
}

}  // namespace tavrel
