#pragma once
// Main lines for the tests: curves laid out by hand and long generated lines.
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>

#include "input/IntersectionPointFile.h"
#include "mainline/MainLine.h"

namespace tavrel::test {

inline double degrees(double d) { return d * kPi / 180; }

// An intersection point; R and Ls1 are written as text, as the plan file keeps them.
inline IntersectionPoint jd(Point p, double R = 0, double Ls1 = 0, double Ls2 = 0, double RD1 = 0, double RD2 = 0) {
    IntersectionPoint q;
    q.x = p.x, q.y = p.y;
    q.radiusText = std::to_string(R), q.spiralInText = std::to_string(Ls1);
    q.spiralOut = Ls2, q.spiralInStartRadius = RD1, q.spiralOutEndRadius = RD2;
    return q;
}

// One curve at (1000, 0): side 1 runs 1000 m along +x from the origin, side 2 leaves with the given deflection
// (positive turns right, towards +y).
inline MainLineInput oneCurve(double deflectionDegrees, double R, double Ls1, double Ls2, double RD1 = 0,
                              double RD2 = 0) {
    return {0,
            {jd({0, 0}), jd({1000, 0}, R, Ls1, Ls2, RD1, RD2),
             jd(Point{1000, 0} + 1000 * Direction(degrees(deflectionDegrees)))}};
}

// A right turn of 30 degrees at (1000, 0) (R 600, spirals 80 m), then 1200 m on, a left turn of 40 degrees with
// the given curve values: the curve under test is not the first one.
inline MainLineInput twoCurves(double R, double Ls1, double Ls2, double RD1 = 0, double RD2 = 0) {
    const Point p3 = Point{1000, 0} + 1200 * Direction(degrees(30));
    return {500,
            {jd({0, 0}), jd({1000, 0}, 600, 80, 80), jd(p3, R, Ls1, Ls2, RD1, RD2),
             jd(p3 + 1000 * Direction(degrees(-10)))}};
}

// Points (0, 0), (1000, 0), (0, 100); "ht" makes point 2 a switchback, its name ending "1", "0" keeps side 1
// and reverses side 2. R 60, spirals of 30 m.
inline MainLineInput switchbackLine() {
    return ReadIntersectionPointFile("road,0\nJD1\n0 0 0 0 0\nJD2ht10\n1000 0 60 30 30\nJD3\n0 100 0 0 0\n");
}

// n points with road-like curves: radius 300..1500 m, deflections 10..60 degrees alternately right and left,
// spirals up to 150 m that together turn at most 0.8 of the deflection, sides sideMin..sideMax m. Sides of
// 2000 m or more keep curves apart (a tangent is at most about 950 m); short sides make them overlap.
inline MainLineInput generatedLine(int n, double sideMin, double sideMax, std::uint32_t seed) {
    std::mt19937 gen(seed);
    const auto uniform = [&](double lo, double hi) { return lo + (hi - lo) * (gen() / 4294967296.0); };
    MainLineInput in{12000, {}};
    Point p{3345000, 512000};
    double bearing = uniform(0, 2 * kPi);
    for (int i = 1; i <= n; ++i) {
        in.points.push_back(jd(p));
        if (i > 1 && i < n) {
            const double R = uniform(300, 1500), a = degrees(uniform(10, 60)), maxLs = std::min(150.0, 0.8 * a * R);
            in.points.back() = jd(p, R, std::floor(uniform(0, maxLs)), std::floor(uniform(0, maxLs)));
            bearing += (i % 2 == 0 ? a : -a);
        }
        p = p + uniform(sideMin, sideMax) * Direction(bearing);
    }
    return in;
}

}  // namespace tavrel::test
