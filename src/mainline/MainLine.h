#pragma once
// The main line given by intersection points: curve elements (spirals and arcs) and the point at a station.
#include <string>
#include <vector>

#include "mainline/Plane.h"
#include "station/Station.h"

namespace tavrel {

// One intersection point as read from the plan file.
struct IntersectionPoint {
    std::string pointName;
    double x = 0, y = 0;     // m
    std::string curveValue3;  // R, circular-curve radius (m), kept as written and converted where used
    std::string curveValue4;  // Ls1, incoming spiral length (m), kept as written
    double curveValue5 = 0;   // Ls2, outgoing spiral length (m)
    double curveValue6 = 0;   // RD1, radius where the incoming spiral begins (m); 0 = on the straight
    double curveValue7 = 0;   // RD2, radius where the outgoing spiral ends (m); 0 = on the straight
    bool isSwitchback = false;     // the road turns back through more than a half turn here
    bool switchbackFlag1 = false;  // the incoming side keeps its forward direction
    bool switchbackFlag2 = false;  // the outgoing side keeps its forward direction
};

struct MainLineInput {
    Station mainLineStartStation = 0;
    std::vector<IntersectionPoint> points;  // intersectionCount = points.size() (at most 1000)
};

// Derived curve table (filled by MainLineBuild).
struct MainLine {
    MainLineInput input;
};

// MainLineBuild: curve elements of every intersection point. Throws CalcError where the geometry has no finite
// answer (R = 0 at an interior point, zero deflection, RD1 = R or RD2 = R, parallel lines) and FormatError for
// a radius or spiral length that is not a number.
MainLine MainLineBuild(const MainLineInput& input);

// MainLinePointAt: centreline point and tangent bearing in [0, 2*pi) at a continuous station.
PointAtStation MainLinePointAt(const MainLine& line, Station station);

}  // namespace tavrel
