#pragma once
// The vertical profile: straight grades between grade-change points with a symmetric parabolic vertical curve
// centred on every interior point.
#include <string>
#include <vector>

#include "station/Station.h"

namespace tavrel {

struct ProfilePoint {
    std::string stationText;  // as written in the file
    Station station = 0;      // continuous station of stationText
    double elevation = 0;     // m
    double radius = 0;        // m; 0 = no vertical curve; negative = minus the tangent length (as loaded)
    // Derived by ProfileBuild:
    double grade = 0;          // ratio, to the next point
    double gradeChange = 0;    // grade - previous grade (positive: sag)
    double tangentLength = 0;  // m
    double curveEnd = 0;       // station where the vertical curve ends
};

struct Profile {
    std::vector<ProfilePoint> points;  // pointCount = points.size()
};

// ProfileBuild: grades, grade changes, tangent lengths and curve ends of the loaded points, negative radii
// turned into radii. Fewer than two points, or two points at one station, throw CalcError.
Profile ProfileBuild(std::vector<ProfilePoint> loaded);

// ProfileElevationAt: design elevation (m) of the centreline at a continuous station.
double ProfileElevationAt(const Profile& profile, Station station);

}  // namespace tavrel
