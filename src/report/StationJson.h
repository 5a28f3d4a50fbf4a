#pragma once
// The station-by-station table of the road as JSON, as the batch front end's stations --json writes it.
#include <string>
#include <vector>

#include "road/StationTable.h"

namespace tavrel {

// An array of one object per row, one row a line: station, nominalStation, x, y, bearing (null without a plan),
// elevation, leftSlope, rightSlope (null where the road has no profile or superelevation). Numbers read back as
// the same double; ends with a newline.
std::string StationJson(const std::vector<StationRow>& rows);

}  // namespace tavrel
