#include "profile/Profile.h"

#include <cmath>
#include <cstddef>

#include "common/Errors.h"

namespace tavrel {

namespace {

// Elevation on the straight grade that leaves point p, at station x.
double onGradeFrom(const ProfilePoint& p, Station x) { return p.elevation + (x - p.station) * p.grade; }

// Tangent elevation t moved by the parabola offset l^2 / (2R) of the vertical curve at point c, l being the
// distance from the nearer curve end: up on a sag (grade increasing), down on a crest. The curve branches are
// reached only where tangentLength > 0, which needs radius > 0; checkedDiv keeps even an impossible 0 from
// letting inf through.
double withCurveOffset(double t, double l, const ProfilePoint& c) {
    const double y = checkedDiv(l * l, 2 * c.radius);
    if (c.gradeChange > 0) return t + y;
    if (c.gradeChange < 0) return t - y;
    return t;  // no grade change: no curve, no offset
}

}  // namespace

Profile ProfileBuild(std::vector<ProfilePoint> loaded) {
    auto& p = loaded;
    const std::size_t n = p.size();
    if (n < 2) throw CalcError("profile needs at least two points");
    for (const ProfilePoint& point : p) {
        requireFinite(point.station, "profile station");
        requireFinite(point.elevation, "profile elevation");
        requireFinite(point.radius, "profile radius");
    }

    // Grades, point k to point k+1; two consecutive points at one station stop here. The last point has none.
    for (std::size_t k = 0; k + 1 < n; ++k) {
        AtRecord(p[k + 1].line, [&] {
            const double run = requireFinite(p[k + 1].station - p[k].station, "profile station difference");
            p[k].grade = checkedDiv(p[k + 1].elevation - p[k].elevation, run);
        });
    }
    p[n - 1].grade = 0;

    // Grade changes at the interior points; the end points never carry a curve.
    p[0].gradeChange = 0;
    for (std::size_t k = 1; k + 1 < n; ++k)
        p[k].gradeChange = requireFinite(p[k].grade - p[k - 1].grade, "profile grade change");
    p[n - 1].gradeChange = 0;

    // A negative radius -T gives the tangent length T; turn it into the radius with that tangent length. With
    // no grade change there is no such radius, and the division stops the build. A radius of 0 stays 0.
    for (std::size_t k = 1; k + 1 < n; ++k)
        if (p[k].radius < 0)
            AtRecord(p[k].line, [&] { p[k].radius = checkedDiv(2 * (-p[k].radius), std::abs(p[k].gradeChange)); });

    p[0].tangentLength = 0;
    for (std::size_t k = 1; k + 1 < n; ++k)
        p[k].tangentLength = requireFinite(std::abs(p[k].gradeChange) * p[k].radius / 2, "tangent length");
    p[n - 1].tangentLength = 0;

    p[0].curveEnd = p[0].station;
    for (std::size_t k = 1; k + 1 < n; ++k)
        p[k].curveEnd = requireFinite(p[k].tangentLength + p[k].station, "vertical curve end");
    p[n - 1].curveEnd = p[n - 1].station;

    Profile built;
    built.points_ = std::move(loaded);
    return built;
}

double ProfileElevationAt(const Profile& profile, Station x) {
    const auto& p = profile.points();
    const std::size_t n = p.size();
    if (n < 2) throw CalcError("profile needs at least two points");
    requireFinite(x, "station");

    // Outside the points the end grades extend; at the last point the last grade gives its elevation.
    if (x < p[0].station) return requireFinite(onGradeFrom(p[0], x), "elevation");
    if (x >= p[n - 1].station) return requireFinite(onGradeFrom(p[n - 2], x), "elevation");

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
    const double start = c.station - c.tangentLength;
    const double end = c.station + c.tangentLength;

    // Straight grade up to the curve start.
    if (a.curveEnd <= x && x < start) return requireFinite(onGradeFrom(a, x), "elevation");
    // First half of the curve, measured from its start on the incoming grade.
    if (start <= x && x < c.station)
        return requireFinite(withCurveOffset(onGradeFrom(a, x), x - start, c), "elevation");
    // Second half, from the grade-change point on, measured to the curve end on the outgoing grade.
    if (c.station <= x && x < end) return requireFinite(withCurveOffset(onGradeFrom(c, x), end - x, c), "elevation");

    // The three ranges above cover [curveEnd[i], curveEnd[i+1]) whatever the order of the stations, so with the
    // curve ends ProfileBuild derives every station lands on one of them (stations out of order or overlapping
    // curves give the rules' value, not this). Kept so that no profile can make the lookup fall through.
    throw CalcError("station lies on no segment of the profile (curve ends inconsistent with the points)");
}

}  // namespace tavrel
