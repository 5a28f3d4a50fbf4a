#include "geometry/Arc.h"

#include <cmath>

#include "common/Errors.h"

namespace tavrel {

double ArcX(double l, double R) { return R * std::sin(CheckedDiv(l, R)); }
double ArcY(double l, double R) { return R * (1 - std::cos(CheckedDiv(l, R))); }

Point PointAlongArc(Point a, Point b, double sweep, double t) {
    const Point chord = b - a;
    if (sweep == 0) return a + t * chord;
    const double share = std::sin(t * sweep / 2) / std::sin(sweep / 2);
    const double turn = (t - 1) * sweep / 2;
    return a + share * Rotate(turn, chord.x, chord.y);
}

double TangentLengthIn(double R, double p1, double p2, double q1, double alpha) {
    const double a = std::fabs(alpha);
    return CheckedDiv((R + p2) - (R + p1) * std::cos(a), std::sin(a)) + q1;
}

double TangentLengthOut(double R, double p1, double p2, double q2, double alpha) {
    const double a = std::fabs(alpha);
    return CheckedDiv((R + p1) - (R + p2) * std::cos(a), std::sin(a)) + q2;
}

}  // namespace tavrel
