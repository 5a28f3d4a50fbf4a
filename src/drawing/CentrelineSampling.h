#pragma once
// Where a centreline and the lines at fixed offsets from it are sampled for drawing them as polylines.
#include <functional>
#include <vector>

#include "common/Plane.h"
#include "common/Station.h"

namespace tavrel {

inline constexpr double kChordTolerance = 1e-3;  // m: a drawn chord strays less than this from its line

// The centreline point and bearing at a continuous station.
using CentrelineAt = std::function<PointAtStation(Station)>;

// Stations from `from` to `to` (both included, increasing) at which the centreline and every line at the given
// offsets (m, positive to the left) are sampled so that each chord between neighbouring samples strays less than
// kChordTolerance from its line. Every station of `knots` inside [from, to] is one of the samples. A first grid of
// at most kCoarseSampleStep is halved where the middle of a chord lies farther than half the tolerance from the
// line: on a circle the middle is the farthest point, and along a spiral the curvature changes too little over
// a short chord to move the farthest point by more than that margin.
inline constexpr double kCoarseSampleStep = 5;  // m
std::vector<Station> SampleStations(const CentrelineAt& at, Station from, Station to,
                                    const std::vector<double>& offsets, const std::vector<Station>& knots = {});

}  // namespace tavrel
