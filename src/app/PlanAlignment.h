#pragma once
// The point-at-station service: the centreline point and bearing of whichever plan alignment was loaded (main
// line by intersection points, or interchange ramp by elements). Everything that needs plan coordinates goes
// through this one interface.
#include "app/ProjectData.h"
#include "mainline/Plane.h"

namespace tavrel {

class PlanAlignment {
public:
    // The plan of a project loaded for a curved skew bridge; throws CalcError when the project has none.
    explicit PlanAlignment(const ProjectData& project);

    // Centreline point and tangent bearing at a continuous station; the bearing as the alignment gives it
    // (the main line in [0, 2*pi), the ramp as computed).
    PointAtStation pointAt(Station station) const;

    // Stations of the plan's first and last points (first and last intersection point, or chain start and
    // end): the stretch on which a bridge may stand.
    Station firstStation() const;
    Station lastStation() const;

private:
    const ProjectData& project_;
};

// Bearing brought into [0, 2*pi).
double NormalizedBearing(double bearing);

// The point at signed offset u (m, positive to the left) from a centreline point.
Point OffsetPoint(const PointAtStation& c, double u);

}  // namespace tavrel
