#pragma once
// Small roads built in code for the pedestal tests.
#include <cmath>
#include <string>

#include "app/ProjectData.h"

namespace tavrel::testing {

// A main line along +x from (0, 0) at station 0, turning right through 60 degrees at (1000, 0) on a plain
// circular curve of radius 300 (no spirals), then on to a far end. Profile rising 1 %, cross-section with a
// 1 m central band and 7.5 m sloped bands at 2 % falling outwards.
inline ProjectData circularMainLine(double radius = 300, double spiral = 0) {
    ProjectData p;
    p.mode = RoadMode::MainLine;
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

// A main line along +x turning at (1000, 0) through `deflection` degrees (positive to the right) on a curve of
// radius R with spirals of Ls, at survey coordinates when `survey` is set; profile rising 5 %, the cross-section of
// circularMainLine.
inline ProjectData tightMainLine(double R, double Ls, double deflection, bool survey = false) {
    ProjectData p;
    p.mode = RoadMode::MainLine;
    const double x0 = survey ? 3345000 : 0, y0 = survey ? 512000 : 0, a = deflection * kPi / 180;
    const auto jd = [](const char* name, double x, double y, double r, double ls) {
        return IntersectionPoint{name, x, y, std::to_string(r), std::to_string(ls), ls, 0, 0};
    };
    p.plan = MainLineBuild({0,
                            {jd("JD0", x0, y0, 0, 0), jd("JD1", x0 + 1000, y0, R, Ls),
                             jd("JD2", x0 + 1000 + 1000 * std::cos(a), y0 + 1000 * std::sin(a), 0, 0)}});
    p.profile = ProfileBuild({{"0", 0, 100, 0}, {"3000", 3000, 250, 0}});
    p.superelevation = SuperelevationBuild({7.5, 0.5, -0.5, -7.5}, {{"0", 0, 2, -2}});
    return p;
}

// An interchange loop at survey coordinates: 60 m straight, a 40 m spiral into an arc of radius R and length L
// (turning left), a 40 m spiral out and 60 m straight; the cross-section of circularMainLine.
inline ProjectData loopRamp(double R, double L) {
    ProjectData p;
    p.mode = RoadMode::Interchange;
    p.plan = BuildElementChain(
        {0, 3346000, 512800, 45.3, {{9999, 9999, 60}, {9999, -R, 40}, {-R, -R, L}, {-R, 9999, 40}, {9999, 9999, 60}}});
    p.profile = ProfileBuild({{"0", 0, 100, 0}, {"3000", 3000, 250, 0}});
    p.superelevation = SuperelevationBuild({7.5, 0.5, -0.5, -7.5}, {{"0", 0, 2, -2}});
    return p;
}

// The same cross-section and profile on a straight road (no plan alignment).
inline ProjectData straightRoad() {
    ProjectData p;
    p.mode = RoadMode::Straight;
    p.profile = ProfileBuild({{"0", 0, 100, 0}, {"3000", 3000, 130, 0}});
    p.superelevation = SuperelevationBuild({7.5, 0.5, -0.5, -7.5}, {{"0", 0, 2, -2}});
    return p;
}

// The main line of a project built by circularMainLine.
inline const MainLine& mainLineOf(const ProjectData& p) { return std::get<MainLine>(p.plan); }

}  // namespace tavrel::testing
