// The main line's centreline point and tangent bearing at a continuous station.
#include <algorithm>
#include <cmath>
#include <optional>

#include "common/Errors.h"
#include "geometry/Arc.h"
#include "geometry/Clothoid.h"
#include "mainline/MainLine.h"
#include "mainline/MainLineDetail.h"

namespace tavrel {

using namespace mainline_detail;

int MainLineCurveIndexByScan(const MainLine& line, Station station) {
    const int N = line.intersectionCount();
    for (int k = 2; k <= N - 2; ++k)
        if (line.curve(k).zhStation <= station && station < line.curve(k + 1).zhStation) return k;
    return N - 1;
}

int MainLineCurveIndex(const MainLine& line, Station station) {
    // The last distinct ZH station at or below the station (upper_bound, one step back) names the stretch whose
    // answer the build stored.
    const auto& breaks = line.curveSearch().zhBreaks;
    const auto above = std::upper_bound(breaks.begin(), breaks.end(), station);
    if (above == breaks.begin()) return line.intersectionCount() - 1;
    return line.curveSearch().curveFrom[static_cast<std::size_t>(above - breaks.begin() - 1)];
}

namespace {

// A switchback measures its curve backwards.
double measureSign(const MainLineCurve& c) { return c.isSwitchback ? -1.0 : 1.0; }

// On the incoming spiral of curve c (ZH <= station < HY): along the full clothoid from its virtual origin.
// sideIn is the bearing of the incoming side.
PointAtStation onIncomingSpiral(const MainLineCurve& c, double sideIn, Station station) {
    const double s = DeflectionSign(c.deflection);
    const double u = measureSign(c) * (station - c.zhStation);
    const double l01 = c.virtualLengthIn, fullLength = c.Ls1 + l01;
    PointAtStation a;
    a.p = IncomingSpiralPoint(c, u);
    a.bearing = IncomingOriginBearing(c, sideIn) + CheckedDiv((u + l01) * (u + l01), 2 * c.R * fullLength * s);
    return a;
}

// On the circular arc of curve c (HY <= station <= YH).
PointAtStation onArc(const MainLineCurve& c, Station station) {
    const double s = DeflectionSign(c.deflection);
    const double u = measureSign(c) * (station - c.hyStation);
    const double signedRadius = std::fabs(c.R) * s;
    const double theta = c.bearingHY;
    const double au = std::fabs(u);
    return {c.hyPoint + Rotated(theta, {ArcX(au, signedRadius), ArcY(au, signedRadius)}),
            theta + CheckedDiv(u, c.R * s)};
}

// On the outgoing spiral of curve c (YH < station < HZ): measured backwards from HZ on the outgoing clothoid.
PointAtStation onOutgoingSpiral(const MainLineCurve& c, Station station) {
    const double s = DeflectionSign(c.deflection);
    const double u = measureSign(c) * (c.hzStation - station);
    const double l02 = c.virtualLengthOut, fullLength = c.Ls2 + l02;
    return {OutgoingSpiralPoint(c, u),
            OutgoingOriginBearing(c) - CheckedDiv((u + l02) * (u + l02), 2 * c.R * fullLength * s)};
}

// Along a straight of the given bearing from its point `from` at station fromStation.
PointAtStation alongStraight(Point from, Station fromStation, double bearing, Station station) {
    return {from + (station - fromStation) * Direction(bearing), bearing};
}

// The result with its bearing brought towards [0, 2*pi); no result, or one that is not finite, is an error.
PointAtStation finished(std::optional<PointAtStation> out) {
    if (!out) throw CalcError("station lies on no element of the main line (overlapping curves)");
    out->bearing = RequireFinite(NormalizedBearing(out->bearing), "bearing");
    RequireFinite(out->p.x, "x");
    RequireFinite(out->p.y, "y");
    return *out;
}

}  // namespace

PointAtStation MainLinePointAt(const MainLine& line, Station station) {
    const int N = line.intersectionCount();
    if (N < 2) throw CalcError("a main line needs at least two intersection points");
    if (!std::isfinite(station)) throw CalcError("station is not finite");

    const MainLineCurve& first = line.curve(1);
    if (N == 2)  // no curve: the straight through both points
        return finished(alongStraight(first.jdPoint, first.jdStation, first.sideBearing, station));

    // The tests below may overlap; each one that holds computes the result and a later one overrides it.
    const int k = MainLineCurveIndex(line, station);
    const MainLineCurve& c = line.curve(k);
    std::optional<PointAtStation> out;

    // a. Incoming spiral, ZH <= station < HY.
    if (c.zhStation <= station && station < c.hyStation)
        out = onIncomingSpiral(c, line.curve(k - 1).sideBearing, station);

    // b. Circular arc, HY <= station <= YH.
    if (c.hyStation <= station && station <= c.yhStation) out = onArc(c, station);

    // c. Outgoing spiral, YH < station < HZ.
    if (c.yhStation < station && station < c.hzStation) out = onOutgoingSpiral(c, station);

    // d. Straight after the curve, HZ[k] <= station <= ZH[k+1].
    if (c.hzStation <= station && station <= line.curve(k + 1).zhStation)
        out = alongStraight(c.hzPoint, c.hzStation, c.sideBearing, station);

    // e. Before the first curve (and before the start point): along side 1 from point 1.
    if (station <= line.curve(2).zhStation)
        out = alongStraight(first.jdPoint, first.jdStation, first.sideBearing, station);

    // f. After the last curve (and beyond the end point): along the last side from the last HZ.
    const MainLineCurve& last = line.curve(N - 1);
    if (station >= last.hzStation) out = alongStraight(last.hzPoint, last.hzStation, last.sideBearing, station);

    return finished(out);
}

}  // namespace tavrel
