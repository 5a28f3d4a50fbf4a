#include "profile/Profile.h"

#include <cmath>
#include <cstddef>

#include "common/Errors.h"

namespace tavrel {

namespace {

// Elevation on the straight grade that leaves point p, at station x.
double onGradeFrom(const ProfilePoint& p, Station x) { return p.elevation + (x - p.station) * p.grade; }

// Tangent elevation t moved by the parabola offset of the vertical curve at point c, l being the distance from
// the nearer curve end (the start on the first half): up on a sag (grade increasing), down on a crest. By radius
// the offset is l^2 / (2R). By lengths T1 before and T2 after the point, the two arcs meet at the point with one
// slope when their offsets are |w| T2 l^2 / (2 T1 (T1 + T2)) before it and |w| T1 l^2 / (2 T2 (T1 + T2)) after
// it (w the grade change); equal lengths T give l^2 |w| / (4T), the parabola of radius 2T / |w|. The curve
// branches are reached only where the curve has length, which needs radius > 0 (both lengths > 0); CheckedDiv
// keeps even an impossible 0 from letting inf through.
double withCurveOffset(double t, double l, const ProfilePoint& c, bool firstHalf) {
    double y;
    if (c.curveKind == VerticalCurveKind::ParabolaByLengths) {
        const double nearLength = firstHalf ? c.tangentLengthIn : c.tangentLength;
        const double farLength = firstHalf ? c.tangentLength : c.tangentLengthIn;
        y = CheckedDiv(l * l * std::abs(c.gradeChange) * farLength,
                       2 * nearLength * (c.tangentLengthIn + c.tangentLength));
    } else {
        y = CheckedDiv(l * l, 2 * c.radius);
    }
    if (c.gradeChange > 0) return t + y;
    if (c.gradeChange < 0) return t - y;
    return t;  // no grade change: no curve, no offset
}

// Elevation at station x on the circular vertical curve of point c, whose incoming grade leaves point a. The
// circle touches the incoming grade (at angle th1 = atan g1) at the curve start A, its centre lies |R| away on
// the normal, above A on a sag (s = 1) and below on a crest (s = -1). Measured from the circle's lowest (sag) or
// highest (crest) point, whose elevation is zA - 2 s R sin^2(th1 / 2), as s u^2 / (R + sqrt(R^2 - u^2)) with u
// the horizontal distance from the centre: no two large numbers are subtracted.
double onCircle(const ProfilePoint& a, const ProfilePoint& c, Station x) {
    const double s = c.gradeChange > 0 ? 1.0 : -1.0;
    const double R = c.radius, th1 = std::atan(a.grade);
    const double startStation = c.station - c.tangentLengthIn;
    const double startElevation = c.elevation - a.grade * c.tangentLengthIn;
    const double centreStation = startStation - s * R * std::sin(th1);
    const double halfSine = std::sin(th1 / 2);
    const double extremeElevation = startElevation - s * 2 * R * halfSine * halfSine;
    const double u = x - centreStation;
    return extremeElevation + s * CheckedDiv(u * u, R + std::sqrt(R * R - u * u));
}

// Horizontal lengths of the vertical curve at interior point c (incoming grade from point a): before and after
// the point. A parabola by radius spans its tangent length |w| R / 2 on both sides; the circle touches each grade
// R tan(|th2 - th1| / 2) from the point along that grade (th = atan of the grade), whose horizontal part is that
// times cos th.
struct CurveSpan {
    double in = 0, out = 0;
};
CurveSpan curveSpan(const ProfilePoint& a, const ProfilePoint& c) {
    switch (c.curveKind) {
        case VerticalCurveKind::Parabola: {
            const double t = RequireFinite(std::abs(c.gradeChange) * c.radius / 2, "tangent length");
            return {t, t};
        }
        case VerticalCurveKind::ParabolaByLengths:
            if (c.lengthIn < 0 || c.lengthOut < 0) throw CalcError("negative vertical curve length");
            if (c.gradeChange != 0 && (c.lengthIn == 0) != (c.lengthOut == 0))
                throw CalcError("a parabola by lengths needs both lengths");
            return {c.lengthIn, c.lengthOut};
        case VerticalCurveKind::Circle: {
            if (c.radius < 0) throw CalcError("negative circle radius");
            if (c.radius == 0 || c.gradeChange == 0) return {0, 0};
            const double th1 = std::atan(a.grade), th2 = std::atan(c.grade);
            const double alongGrade = c.radius * std::tan(std::abs(th2 - th1) / 2);
            return {RequireFinite(alongGrade * std::cos(th1), "tangent length"),
                    RequireFinite(alongGrade * std::cos(th2), "tangent length")};
        }
    }
    throw CalcError("unknown vertical curve kind");
}

}  // namespace

Profile ProfileBuild(std::vector<ProfilePoint> loaded) {
    auto& p = loaded;
    const std::size_t n = p.size();
    if (n < 2) throw CalcError("profile needs at least two points");
    for (const ProfilePoint& point : p) {
        RequireFinite(point.station, "profile station");
        RequireFinite(point.elevation, "profile elevation");
        RequireFinite(point.radius, "profile radius");
        RequireFinite(point.lengthIn, "profile curve length");
        RequireFinite(point.lengthOut, "profile curve length");
    }

    // Grades, point k to point k+1; two consecutive points at one station stop here. The last point has none.
    for (std::size_t k = 0; k + 1 < n; ++k) {
        AtRecord(p[k + 1].line, [&] {
            const double run = RequireFinite(p[k + 1].station - p[k].station, "profile station difference");
            p[k].grade = CheckedDiv(p[k + 1].elevation - p[k].elevation, run);
        });
    }
    p[n - 1].grade = 0;

    // Grade changes at the interior points; the end points never carry a curve.
    p[0].gradeChange = 0;
    for (std::size_t k = 1; k + 1 < n; ++k)
        p[k].gradeChange = RequireFinite(p[k].grade - p[k - 1].grade, "profile grade change");
    p[n - 1].gradeChange = 0;

    // A negative parabola radius -T gives the tangent length T; turn it into the radius with that tangent length.
    // With no grade change there is no such radius, and the division stops the build. A radius of 0 stays 0.
    for (std::size_t k = 1; k + 1 < n; ++k)
        if (p[k].curveKind == VerticalCurveKind::Parabola && p[k].radius < 0)
            AtRecord(p[k].line, [&] { p[k].radius = CheckedDiv(2 * (-p[k].radius), std::abs(p[k].gradeChange)); });

    p[0].tangentLength = p[0].tangentLengthIn = 0;
    for (std::size_t k = 1; k + 1 < n; ++k) {
        const CurveSpan span = AtRecord(p[k].line, [&] { return curveSpan(p[k - 1], p[k]); });
        p[k].tangentLengthIn = span.in;
        p[k].tangentLength = span.out;
    }
    p[n - 1].tangentLength = p[n - 1].tangentLengthIn = 0;

    p[0].curveEnd = p[0].station;
    for (std::size_t k = 1; k + 1 < n; ++k)
        p[k].curveEnd = RequireFinite(p[k].tangentLength + p[k].station, "vertical curve end");
    p[n - 1].curveEnd = p[n - 1].station;

    Profile built;
    built.points_ = std::move(loaded);
    return built;
}

double ProfileElevationAt(const Profile& profile, Station x) {
    const auto& p = profile.points();
    const std::size_t n = p.size();
    if (n < 2) throw CalcError("profile needs at least two points");
    RequireFinite(x, "station");

    // Outside the points the end grades extend; at the last point the last grade gives its elevation.
    if (x < p[0].station) return RequireFinite(onGradeFrom(p[0], x), "elevation");
    if (x >= p[n - 1].station) return RequireFinite(onGradeFrom(p[n - 2], x), "elevation");

    // Segment i runs from the end of the curve at point i to the end of the curve at point i+1 (half-open).
    // The first match wins, the last segment takes what no other matches. A linear scan: profiles hold a few
    // hundred points at most, and with stations out of order or a curve reaching past the next point the
    // curve ends are not sorted, so a binary search would need a second, proven-equal path for no real gain.
    std::size_t i = n - 2;
    for (std::size_t k = 0; k + 2 < n; ++k) {
        if (p[k].curveEnd <= x && x < p[k + 1].curveEnd) {
            i = k;
            break;
        }
    }
    const ProfilePoint& a = p[i];      // segment start
    const ProfilePoint& c = p[i + 1];  // grade-change point whose curve closes the segment
    const double start = c.station - c.tangentLengthIn;
    const double end = c.station + c.tangentLength;

    // Straight grade up to the curve start.
    if (a.curveEnd <= x && x < start) return RequireFinite(onGradeFrom(a, x), "elevation");
    // A circular curve is one arc from its start to its end.
    if (c.curveKind == VerticalCurveKind::Circle && start <= x && x < end)
        return RequireFinite(onCircle(a, c, x), "elevation");
    // First half of the curve, measured from its start on the incoming grade.
    if (start <= x && x < c.station)
        return RequireFinite(withCurveOffset(onGradeFrom(a, x), x - start, c, true), "elevation");
    // Second half, from the grade-change point on, measured to the curve end on the outgoing grade.
    if (c.station <= x && x < end)
        return RequireFinite(withCurveOffset(onGradeFrom(c, x), end - x, c, false), "elevation");

    // The three ranges above cover [curveEnd[i], curveEnd[i+1]) whatever the order of the stations, so with the
    // curve ends ProfileBuild derives every station lands on one of them (stations out of order or overlapping
    // curves give the rules' value, not this). Kept so that no profile can make the lookup fall through.
    throw CalcError("station lies on no segment of the profile (curve ends inconsistent with the points)");
}

}  // namespace tavrel
