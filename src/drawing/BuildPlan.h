#pragma once
// The plan drawing of one calculation, built from its results and the road it ran on.
#include "drawing/PlanDrawing.h"
#include "pedestal/Results.h"
#include "road/Road.h"

namespace tavrel {

inline constexpr double kApproachMargin = 20;  // m of road drawn before the bridge's first and after its last point
inline constexpr double kTickSpacing = 10;     // m of written station between two station ticks

// BuildPlanDrawing: the centreline over the bridge and its approaches, the deck edges where the superelevation
// table gives the cross-section, the chain-break points, every pier axis across the deck with its name and
// station, every listed pedestal (the pier's side mark) with its number, the section edge points, and station
// ticks every kTickSpacing of written station with K-format labels. On the curved skew path everything is in the
// plan's coordinates; on the straight path the road is a straight line along +x from the first pier's centre
// point. `road` must be the road the calculation ran on. Throws CalcError where the plan cannot be evaluated.
PlanDrawing BuildPlanDrawing(const Road& road, const CalculationResult& result);

}  // namespace tavrel
