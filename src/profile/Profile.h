#pragma once
// The vertical profile: straight grades between grade-change points with a vertical curve at every interior
// point: a symmetric parabola given by its radius (the profile file's curve), a parabola given by its horizontal
// lengths before and after the point (unsymmetric when they differ), or an exact circular arc.
#include <cstddef>
#include <string>
#include <vector>

#include "common/Station.h"

namespace tavrel {

// The shape of the vertical curve at a grade-change point.
enum class VerticalCurveKind {
    Parabola,           // symmetric parabola given by `radius` (the profile file's only kind)
    ParabolaByLengths,  // two parabola arcs meeting tangentially at the point, over lengthIn and lengthOut
    Circle,             // the circle of radius `radius` tangent to both grades
};

struct ProfilePoint {
    std::string stationText;  // as written in the file
    Station station = 0;      // continuous station of stationText
    double elevation = 0;     // m
    // m. Parabola: 0 = no vertical curve, negative = minus the tangent length (as loaded). Circle: the circle's
    // radius, 0 = no vertical curve.
    double radius = 0;
    std::size_t line = 0;  // the line of the file it was read from (0: not read from a file)
    VerticalCurveKind curveKind = VerticalCurveKind::Parabola;
    // ParabolaByLengths: horizontal lengths (m) from the curve start to the point and from the point to the curve
    // end; both 0 = no vertical curve. Equal lengths give the symmetric parabola of tangent length lengthIn.
    double lengthIn = 0, lengthOut = 0;
    // Derived by ProfileBuild:
    double grade = 0;            // ratio, to the next point
    double gradeChange = 0;      // grade - previous grade (positive: sag)
    double tangentLength = 0;    // m: horizontal length from the point to the curve end (a parabola's tangent)
    double tangentLengthIn = 0;  // m: horizontal length from the curve start to the point
    double curveEnd = 0;         // station where the vertical curve ends
};

// A built profile: made only by ProfileBuild, so its derived fields always belong to its points.
class Profile {
public:
    Profile() = default;  // no point: every lookup throws CalcError
    const std::vector<ProfilePoint>& points() const { return points_; }

private:
    friend Profile ProfileBuild(std::vector<ProfilePoint> loaded);
    std::vector<ProfilePoint> points_;  // pointCount = points_.size()
};

// ProfileBuild: grades, grade changes, tangent lengths and curve ends of the loaded points, negative radii of
// interior parabola points turned into radii. Throws CalcError for fewer than two points, two consecutive points
// at one station, a negative radius (a tangent length) where the grade does not change, a negative circle radius
// or parabola length, a parabola by lengths with only one of them 0 where the grade changes, and any non-finite
// value. Rebuilding a built profile gives the same profile.
Profile ProfileBuild(std::vector<ProfilePoint> loaded);

// ProfileElevationAt: design elevation (m) of the centreline at a continuous station (m). Before the first and
// from the last point on, the end grades extend. Half-open boundaries: a curve start belongs to the curve, a
// grade-change point to the second half of its curve (to the outgoing grade where there is no curve). Throws
// CalcError for a profile of fewer than two points and a non-finite station or result. Stations out of order and
// overlapping curves are not checked: they follow the same rules. Never returns inf or NaN.
double ProfileElevationAt(const Profile& profile, Station station);

}  // namespace tavrel
