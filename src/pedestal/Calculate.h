#pragma once
// The pedestal calculation: every pedestal of every pier of a layout on a road.
#include "pedestal/Results.h"
#include "road/Road.h"

namespace tavrel {

// CalculatePedestals: every pedestal of every pier, the piers' sections and the cap elevations, on the straight
// path or, when the road has a plan, on the curved skew path. On that path a skew angle other than 90 outside
// (20, 160) degrees is rejected with the message the user must see, and so is a pedestal point whose foot on the
// centreline cannot be found (naming the pier and the pedestal, counted from 1). Piers are calculated on up to as
// many threads as there are cores; the failure reported is the one a pier-by-pier run would meet first. Every value
// of the result is finite.
CalculationResult CalculatePedestals(const Road& road, const PedestalLayout& layout);

}  // namespace tavrel
