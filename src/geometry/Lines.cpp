#include "geometry/Lines.h"

#include <cmath>

#include "common/Errors.h"

namespace tavrel {

double BearingOf(Point p, Point q) {
    const double dx = q.x - p.x, dy = q.y - p.y;
    if (dx != 0) {
        const double t = std::atan(dy / dx);
        if (t >= 0) return dx >= 0 ? t : t + kPi;
        return dx >= 0 ? t + 2 * kPi : t + kPi;
    }
    return dy > 0 ? kPi / 2 : 3 * kPi / 2;
}

namespace {

// A*x + B*y + C = 0 through two points.
struct GeneralLine {
    double A, B, C;
};
GeneralLine generalLine(Point p, Point q) {
    if (p.x != q.x) {
        const double A = (q.y - p.y) / (q.x - p.x);
        return {A, -1, p.y - A * p.x};
    }
    return {1, 0, -p.x};
}

}  // namespace

LineCrossing CrossLines(Point p1, Point p2, Point p3, Point p4) {
    const GeneralLine l1 = generalLine(p1, p2), l2 = generalLine(p3, p4);
    const double ab = l1.A * l2.B, ba = l2.A * l1.B;
    if (ab == ba) return {};
    const double D = ab - ba;
    const Point I{(l1.B * l2.C - l2.B * l1.C) / D, (l2.A * l1.C - l1.A * l2.C) / D};
    if (!std::isfinite(I.x) || !std::isfinite(I.y)) throw CalcError("line crossing out of range");
    constexpr double kOnSegmentTol = 0.001;  // m
    const bool onSegment =
        std::fabs(DistanceBySquares(p3, p4) - DistanceBySquares(p3, I) - DistanceBySquares(p4, I)) < kOnSegmentTol;
    return {I, onSegment};
}

Point CrossLinesBySlopes(Point p1, Point p2, Point p3, Point p4) {
    const auto slope = [](Point a, Point b) { return CheckedDiv(a.y - b.y, a.x - b.x); };
    const auto intercept = [](Point a, Point b) { return CheckedDiv(a.x * b.y - b.x * a.y, a.x - b.x); };
    if (p1.x != p2.x && p3.x != p4.x) {
        const double k1 = slope(p1, p2), b1 = intercept(p1, p2);
        const double k2 = slope(p3, p4), b2 = intercept(p3, p4);
        const double X = CheckedDiv(b2 - b1, k1 - k2);
        return {X, RequireFinite(k1 * X + b1)};
    }
    if (p1.x == p2.x) {
        if (p3.x == p4.x) throw CalcError("both lines parallel to the y axis");
        const double k2 = slope(p3, p4), b2 = intercept(p3, p4);
        return {p1.x, RequireFinite(k2 * p1.x + b2)};
    }
    const double k1 = slope(p1, p2), b1 = intercept(p1, p2);
    return {p3.x, RequireFinite(k1 * p3.x + b1)};
}

int TurnSideSign(Point p1, Point p2, Point p3) { return WrapAngle(BearingOf(p2, p3) - BearingOf(p1, p2)) > 0 ? -1 : 1; }

}  // namespace tavrel
