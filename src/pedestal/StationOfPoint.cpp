#include "pedestal/StationOfPoint.h"

#include <algorithm>
#include <cmath>

#include "common/Errors.h"
#include "pedestal/SkewBracket.h"

namespace tavrel {

namespace {

constexpr int kScanIntervals = 16;     // coarse scan of the bracket before narrowing
constexpr int kMaxGoldenRounds = 200;  // the bracket shrinks by 0.618 per round: far more than needed
constexpr double kGoldenWidth = 1e-7;  // m: golden-section stops here; Newton takes it from there
constexpr int kMaxNewtonSteps = 20;
constexpr double kNewtonStep = 1e-11;     // m: a Newton step this small means the foot is found
constexpr double kDerivativeStep = 1e-4;  // m: central difference for the tangent condition's slope

double distanceAt(const PlanAlignment& plan, Station s, Point p) { return pt_pt(plan.pointAt(s).p, p); }

// Tangent condition: (C(s) - p) . t(s); zero at the foot of the perpendicular.
double tangentCondition(const PlanAlignment& plan, Station s, Point p) {
    const PointAtStation c = plan.pointAt(s);
    const Point t = direction(c.bearing);
    return (c.p.x - p.x) * t.x + (c.p.y - p.y) * t.y;
}

}  // namespace

double www(Point aaa, Point bbb) { return pt_pt(aaa, bbb); }

FootPoint js_dtzh(const PlanAlignment& plan, Station xyqdzh, Station xyzdzh, Point p) {
    if (!std::isfinite(xyqdzh) || !std::isfinite(xyzdzh) || !std::isfinite(p.x) || !std::isfinite(p.y))
        throw CalcError("foot search on non-finite data");
    if (xyqdzh == xyzdzh) return {xyqdzh, distanceAt(plan, xyqdzh, p)};
    const double lo = std::min(xyqdzh, xyzdzh), hi = std::max(xyqdzh, xyzdzh);

    // Coarse scan: the sample nearest to p, and its neighbours as the bracket of the minimum.
    double best = 0;
    int bestIndex = 0;
    for (int k = 0; k <= kScanIntervals; ++k) {
        const double s = lo + (hi - lo) * k / kScanIntervals;
        const double d = distanceAt(plan, s, p);
        if (k == 0 || d < best) best = d, bestIndex = k;
    }
    double a = lo + (hi - lo) * std::max(bestIndex - 1, 0) / kScanIntervals;
    double b = lo + (hi - lo) * std::min(bestIndex + 1, kScanIntervals) / kScanIntervals;

    // Golden-section search for the minimum of the distance.
    const double invPhi = (std::sqrt(5.0) - 1) / 2;
    double c = b - invPhi * (b - a), d = a + invPhi * (b - a);
    double fc = distanceAt(plan, c, p), fd = distanceAt(plan, d, p);
    for (int round = 0; round < kMaxGoldenRounds && b - a > kGoldenWidth; ++round) {
        if (fc <= fd) {
            b = d, d = c, fd = fc;
            c = b - invPhi * (b - a);
            fc = distanceAt(plan, c, p);
        } else {
            a = c, c = d, fc = fd;
            d = a + invPhi * (b - a);
            fd = distanceAt(plan, d, p);
        }
    }
    double s = fc <= fd ? c : d;
    double f = std::min(fc, fd);

    // Newton steps on the tangent condition, kept inside the bracket and only while they bring p closer.
    for (int step = 0; step < kMaxNewtonSteps; ++step) {
        const double g = tangentCondition(plan, s, p);
        const double slope =
            (tangentCondition(plan, s + kDerivativeStep, p) - tangentCondition(plan, s - kDerivativeStep, p)) /
            (2 * kDerivativeStep);
        if (!(std::fabs(slope) > 1e-6)) break;
        const double next = std::clamp(s - g / slope, lo, hi);
        const double fNext = distanceAt(plan, next, p);
        if (fNext > f + 1e-12) break;
        const bool done = std::fabs(next - s) < kNewtonStep;
        s = next, f = fNext;
        if (done) break;
    }
    return {s, requireFinite(f, "distance")};
}

FootPoint js_dtzh1(const PlanAlignment& plan, Station xyqdzh, Station xyzdzh, Point p) {
    FootPoint r = js_dtzh(plan, xyqdzh, xyzdzh, p);
    const Point q1 = plan.pointAt(r.ptzh).p;
    const Point q2 = plan.pointAt(r.ptzh + 1).p;
    r.ptd *= zypsgn(q2, q1, p);
    return r;
}

AxisCrossing intxy(const PlanAlignment& plan, const PierAxis& axis, double hdmjl) {
    const double h = hdmjl;
    const auto [s1, s2] = OffsetLineBracket(axis.pierStation, axis.pierSkewAngle, h);

    std::vector<Point> samples;
    for (double s = s1; s <= s2; s += kAxisSampleStep) {
        if (samples.size() == static_cast<std::size_t>(kMaxAxisSamples)) throw CalcError("bracket too long");
        samples.push_back(OffsetPoint(plan.pointAt(s), h));
    }
    AxisCrossing r;
    r.samples = static_cast<int>(samples.size());
    for (std::size_t n = 0; n + 1 < samples.size(); ++n) {
        const LineCrossing c = line_line_int(axis.a, axis.b, samples[n], samples[n + 1]);
        if (c.leg) {
            r.crossing = c.point;
            break;
        }
    }
    return r;
}

}  // namespace tavrel
