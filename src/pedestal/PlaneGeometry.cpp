#include "pedestal/PlaneGeometry.h"

#include <cmath>

#include "common/Errors.h"
#include "mainline/Spiral.h"

namespace tavrel {

double pt_pt(Point p1, Point p2) { return std::sqrt((p2.x - p1.x) * (p2.x - p1.x) + (p2.y - p1.y) * (p2.y - p1.y)); }

double dtjljs(double xxx, double yyy, double intx, double inty) { return pt_pt({xxx, yyy}, {intx, inty}); }

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

LineCrossing line_line_int(Point p1, Point p2, Point p3, Point p4) {
    const GeneralLine l1 = generalLine(p1, p2), l2 = generalLine(p3, p4);
    const double ab = l1.A * l2.B, ba = l2.A * l1.B;
    if (ab == ba) return {};
    const double D = ab - ba;
    const Point I{(l1.B * l2.C - l2.B * l1.C) / D, (l2.A * l1.C - l1.A * l2.C) / D};
    if (!std::isfinite(I.x) || !std::isfinite(I.y)) throw CalcError("line crossing out of range");
    constexpr double kOnSegmentTol = 0.001;  // m
    const bool leg = std::fabs(pt_pt(p3, p4) - pt_pt(p3, I) - pt_pt(p4, I)) < kOnSegmentTol;
    return {I, leg};
}

int zypsgn(Point p1, Point p2, Point p3) {
    const double a1 = BearingOf(p1, p2), a2 = BearingOf(p2, p3);
    double d = a2 - a1;
    if (d < -kPi) d += 2 * kPi;
    else if (d > kPi) d -= 2 * kPi;
    return d > 0 ? -1 : 1;
}

}  // namespace tavrel
