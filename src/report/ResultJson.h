#pragma once
// The results of one calculation as JSON, as the batch front end's calc --json writes them.
#include <string>
#include <string_view>
#include <vector>

#include "pedestal/Results.h"

namespace tavrel {

// One object: "mode" (the name the caller gives), "warnings" (as given: those of loading the road, then those
// of the calculation), "skewAngle", "pedestalDistances", and "piers": per pier its layout line, its section
// ("section": pier station, the four edge points LO, LI, RI, RO, the two axis slopes) and one entry per pedestal
// of the layout, listed or not (station, offset, cross slope, elevations, height, plane point or null). Numbers
// read back as the same double; ends with a newline. Throws CalcError for a value that is not finite.
std::string ResultJson(std::string_view mode, const CalculationResult& result,
                       const std::vector<std::string>& warnings);

}  // namespace tavrel
