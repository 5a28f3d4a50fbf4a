#pragma once
// The deck cross-section along one pier's axis: four edge points (left outer, left inner, right inner, right
// outer) of the road cross-section with their stations, distances along the axis and elevations, and the deck
// slopes along the axis between them.
#include <string>

#include "pedestal/Results.h"
#include "road/Road.h"

namespace tavrel {

// Offsets of the four edge points from the centreline (m, positive to the left), from the cross-section widths.
std::array<double, 4> EdgeOffsets(const CrossSectionWidths& widths);

// BuildPierSection: the section of a pier at its base station (without the shift of its station text) for the
// layout's skew angle. On the curved skew path an edge line that the pier axis does not meet, or an edge point
// whose foot the search cannot find, is rejected with a message naming the pier and the edge's offset.
PierSection BuildPierSection(const Road& road, const PierRecord& pier, double skewAngle);

// PierSectionElevationAt (`qmjs1`): deck elevation at `distance` (m) along the pier axis, interpolated on the
// pier's section: flat between the inner edges, along the axis slopes beyond them.
double PierSectionElevationAt(const PierSection& section, double distance);

}  // namespace tavrel
