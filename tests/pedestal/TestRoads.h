#pragma once
// Small roads built in code for the pedestal tests.
#include <string>

#include "app/ProjectData.h"

namespace tavrel::testing {

// A main line along +x from (0, 0) at station 0, turning right through 60 degrees at (1000, 0) on a plain
// circular curve of radius 300 (no spirals), then on to a far end. Profile rising 1 %, cross-section with a
// 1 m central band and 7.5 m sloped bands at 2 % falling outwards.
inline ProjectData circularMainLine(double radius = 300, double spiral = 0) {
    ProjectData p;
    p.mode = Mode{true, true};
    const double c = 0.5, s = 0.8660254037844386;  // cos, sin of 60 degrees
    const std::string R = std::to_string(radius), Ls = std::to_string(spiral);
    p.plan = MainLineBuild({0,
                            {{"JD0", 0, 0, "0", "0", 0},
                             {"JD1", 1000, 0, R, Ls, spiral},
                             {"JD2", 1000 + 1000 * c, 1000 * s, "0", "0", 0}}});
    p.profile = ProfileBuild({{"0", 0, 100, 0}, {"3000", 3000, 130, 0}});
    p.superelevation = SuperelevationBuild({7.5, 0.5, -0.5, -7.5}, {{"0", 0, 2, -2}});
    return p;
}

// The same cross-section and profile on a straight road (no plan alignment).
inline ProjectData straightRoad() {
    ProjectData p;
    p.mode = Mode{false, true};
    p.profile = ProfileBuild({{"0", 0, 100, 0}, {"3000", 3000, 130, 0}});
    p.superelevation = SuperelevationBuild({7.5, 0.5, -0.5, -7.5}, {{"0", 0, 2, -2}});
    return p;
}

// The main line of a project built by circularMainLine.
inline const MainLine& mainLineOf(const ProjectData& p) { return std::get<MainLine>(p.plan); }

}  // namespace tavrel::testing
