#include "pedestal/StationOfPoint.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "pedestal/SkewBracket.h"

namespace tavrel {

namespace {

constexpr int kMaxWidenings = 2 * kScanIntervals + 2;  // reach / cell <= kScanIntervals on either side
constexpr int kMaxRootSteps = 100;                     // Brent's method needs a dozen; a fixed bound all the same
constexpr double kRootTolerance = 1e-11;               // m of station
constexpr double kNone = std::numeric_limits<double>::infinity();

// One evaluated station of a search: the searched function's value and the centreline point there.
struct Sample {
    Station s = 0;
    double v = 0;
    PointAtStation c;
};

// Brent's method on a cell whose ends' values differ in sign (b.v may be 0): a zero of the function to
// kRootTolerance, as the evaluated sample nearest to it.
template <class Eval>
Sample refineRoot(const Eval& eval, Sample a, Sample b) {
    if (b.v == 0) return b;
    if (a.v == 0) return a;
    Sample c = a;
    double d = b.s - a.s, e = d;
    for (int step = 0; step < kMaxRootSteps; ++step) {
        if ((b.v > 0) == (c.v > 0)) {
            c = a;
            d = e = b.s - a.s;
        }
        if (std::fabs(c.v) < std::fabs(b.v)) {
            a = b;
            b = c;
            c = a;
        }
        const double tol = 2 * std::numeric_limits<double>::epsilon() * std::fabs(b.s) + 0.5 * kRootTolerance;
        const double xm = 0.5 * (c.s - b.s);
        if (std::fabs(xm) <= tol || b.v == 0) return b;
        if (std::fabs(e) >= tol && std::fabs(a.v) > std::fabs(b.v)) {
            // Secant or inverse quadratic interpolation, taken only while it shrinks the cell fast enough.
            const double s = b.v / a.v;
            double p, q;
            if (a.s == c.s) {
                p = 2 * xm * s;
                q = 1 - s;
            } else {
                const double qa = a.v / c.v, r = b.v / c.v;
                p = s * (2 * xm * qa * (qa - r) - (b.s - a.s) * (r - 1));
                q = (qa - 1) * (r - 1) * (s - 1);
            }
            if (p > 0) q = -q;
            p = std::fabs(p);
            if (2 * p < std::min(3 * xm * q - std::fabs(tol * q), std::fabs(e * q))) {
                e = d;
                d = p / q;
            } else {
                d = e = xm;
            }
        } else {
            d = e = xm;
        }
        a = b;
        b = eval(b.s + (std::fabs(d) > tol ? d : std::copysign(tol, xm)));
    }
    return b;
}

// Scans eval over the span [lo, hi] joined with the anchor and widens it as the header describes. cell(a, b) is
// called for every scanned cell (a.s < b.s) and returns how far from the anchor (m of station) the best answer
// found so far lies, kNone while there is none; the scan goes on while an end of the span is nearer than that.
template <class Eval, class Cell>
void scanOutward(const Eval& eval, Station anchor, Station first, Station second, double reach, const Cell& cell) {
    const Station lo = std::min({first, second, anchor}), hi = std::max({first, second, anchor});
    const double width = hi - lo;
    // Clamped while still a double: a span of 1e308 m has no int count of cells.
    const int n = width > 0 ? static_cast<int>(std::clamp(width / kMinScanCell, 1.0, double{kScanIntervals})) : 0;
    double best = kNone;
    Sample low = eval(lo), high = low;
    for (int k = 1; k <= n; ++k) {
        const Sample next = eval(k == n ? hi : lo + width * k / n);
        best = std::min(best, cell(high, next));
        high = next;
    }
    reach = std::max({reach, anchor - lo, hi - anchor});
    const double step = std::max(n > 0 ? width / n : 0.0, reach / kScanIntervals);
    for (int widening = 0; widening < kMaxWidenings; ++widening) {
        const double dLow = anchor - low.s, dHigh = high.s - anchor;
        const bool wantLow = dLow < reach && dLow < best, wantHigh = dHigh < reach && dHigh < best;
        if (!wantLow && !wantHigh) break;
        if (wantLow && (!wantHigh || dLow <= dHigh)) {
            const Sample next = eval(anchor - std::min(dLow + step, reach));
            best = std::min(best, cell(next, low));
            low = next;
        } else {
            const Sample next = eval(anchor + std::min(dHigh + step, reach));
            best = std::min(best, cell(high, next));
            high = next;
        }
    }
}

void requireFinitePoint(Point p) {
    if (!std::isfinite(p.x) || !std::isfinite(p.y)) throw CalcError("search on non-finite data");
}

}  // namespace

FootPoint StationOfPoint(const PlanAlignment& plan, Station anchor, Station bracketFirst, Station bracketSecond,
                         Point p) {
    requireFinitePoint(p);
    if (!std::isfinite(anchor) || !std::isfinite(bracketFirst) || !std::isfinite(bracketSecond))
        throw CalcError("foot search on non-finite data");
    const PointAtStation atAnchor = plan.pointAt(anchor);
    const double r = DistanceBySquares(atAnchor.p, p);
    if (r == 0) return {anchor, 0, atAnchor};

    // The tangent residual (C(s) - p) . t(s): zero at the foot, rising through it where the distance is least.
    // The anchor is often an end of the first span: its point is known already.
    const auto eval = [&](Station s) {
        const PointAtStation c = s == anchor ? atAnchor : plan.pointAt(s);
        const Point t = Direction(c.bearing);
        return Sample{s, (c.p.x - p.x) * t.x + (c.p.y - p.y) * t.y, c};
    };
    std::optional<Sample> foot;
    scanOutward(eval, anchor, bracketFirst, bracketSecond, kReachFactor * r + kReachMargin,
                [&](const Sample& a, const Sample& b) {
                    if (a.v < 0 && b.v >= 0) {
                        const Sample root = refineRoot(eval, a, b);
                        if (std::fabs(root.v) < kFootResidual &&
                            (!foot || std::fabs(root.s - anchor) < std::fabs(foot->s - anchor)))
                            foot = root;
                    }
                    return foot ? std::fabs(foot->s - anchor) : kNone;
                });
    if (!foot) throw FootNotFound("no foot of the point within the search's reach");
    return {foot->s, RequireFinite(DistanceBySquares(foot->c.p, p), "distance"), foot->c};
}

FootPoint StationOfPointWithSide(const PlanAlignment& plan, Station anchor, Station bracketFirst, Station bracketSecond,
                                 Point p) {
    FootPoint r = StationOfPoint(plan, anchor, bracketFirst, bracketSecond, p);
    const Point q1 = plan.pointAt(r.station).p;
    const Point q2 = plan.pointAt(r.station + 1).p;
    r.distance *= TurnSideSign(q2, q1, p);
    return r;
}

AxisCrossing AxisCrossingAtOffset(const PlanAlignment& plan, const PierAxis& axis, double offset) {
    const double h = offset;
    // Plain variables, not a structured binding: the lambdas below capture them (clang 14 cannot capture bindings).
    const auto bracket = OffsetLineBracket(axis.pierStation, axis.pierSkewAngle, h);
    const Station s1 = bracket.first, s2 = bracket.second;
    requireFinitePoint(axis.a);
    requireFinitePoint(axis.b);

    // The bracket's sample count, by the running sum of steps that has always placed the samples.
    AxisCrossing r;
    for (double s = s1; s <= s2; s += kAxisSampleStep) {
        if (r.samples == kMaxAxisSamples) throw CalcError("bracket too long");
        ++r.samples;
    }
    if (h == 0) return r;  // the centreline itself: the axis meets it at the pier's centre point

    // The signed distance of the offset line's point from the axis line, and its position along the axis
    // (positive towards the left half).
    const double axisLength = DistanceBySquares(axis.a, axis.b);
    if (!(axisLength > 0)) throw CalcError("pier axis of no length");
    const Point u = (1 / axisLength) * (axis.a - axis.b);
    const Point m = 0.5 * (axis.a + axis.b);
    const auto eval = [&](Station s) {
        const PointAtStation c = plan.pointAt(s);
        const Point q = OffsetPoint(c, h) - m;
        return Sample{s, q.y * u.x - q.x * u.y, c};
    };
    const auto along = [&](const Sample& x) {
        const Point q = OffsetPoint(x.c, h) - m;
        return q.x * u.x + q.y * u.y;
    };

    std::optional<Sample> best;
    double bestAlong = kNone;
    const double sinSkew = std::fabs(std::sin(DegreesToRadians(axis.pierSkewAngle)));
    const double straightDistance = CheckedDiv(std::fabs(h), sinSkew);
    scanOutward(eval, axis.pierStation, s1, s2, kReachFactor * straightDistance + kReachMargin,
                [&](const Sample& a, const Sample& b) {
                    if ((a.v < 0) != (b.v < 0)) {
                        const Sample root = refineRoot(eval, a, b);
                        const double t = along(root);
                        if ((h > 0 ? t > 0 : t < 0) && std::fabs(t) < bestAlong) best = root, bestAlong = std::fabs(t);
                    }
                    return best ? std::fabs(best->s - axis.pierStation) : kNone;
                });
    if (!best) return r;
    // The offset line's own point at the root: on the axis to the root's tolerance, and on the centreline's
    // normal at its station.
    r.station = best->s;
    r.crossing = OffsetPoint(best->c, h);
    return r;
}

}  // namespace tavrel
