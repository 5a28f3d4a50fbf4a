#pragma once
// The vertical profile: straight grades between grade-change points with a symmetric parabolic vertical curve
// centred on every interior point.
#include <cstddef>
#include <string>
#include <vector>

#include "common/Station.h"

namespace tavrel {

struct ProfilePoint {
    std::string stationText;  // as written in the file
    Station station = 0;      // continuous station of stationText
    double elevation = 0;     // m
    double radius = 0;        // m; 0 = no vertical curve; negative = minus the tangent length (as loaded)
    std::size_t line = 0;     // the line of the file it was read from (0: not read from a file)
    // Derived by ProfileBuild:
    double grade = 0;          // ratio, to the next point
    double gradeChange = 0;    // grade - previous grade (positive: sag)
    double tangentLength = 0;  // m
    double curveEnd = 0;       // station where the vertical curve ends
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
// interior points turned into radii. Throws CalcError for fewer than two points, two consecutive points at one
// station, a negative radius (a tangent length) where the grade does not change, and any non-finite value.
// Rebuilding a built profile gives the same profile.
Profile ProfileBuild(std::vector<ProfilePoint> loaded);

// ProfileElevationAt: design elevation (m) of the centreline at a continuous station (m). Before the first and
// from the last point on, the end grades extend. Half-open boundaries: a curve start belongs to the curve, a
// grade-change point to the second half of its curve (to the outgoing grade where there is no curve). Throws
// CalcError for a profile of fewer than two points and a non-finite station or result. Stations out of order and
// overlapping curves are not checked: they follow the same rules. Never returns inf or NaN.
double ProfileElevationAt(const Profile& profile, Station station);

}  // namespace tavrel
