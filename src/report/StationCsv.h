#pragma once
// The station-by-station table of the road as CSV, as the batch front end's stations --csv writes it.
#include <string>
#include <vector>

#include "road/StationTable.h"

namespace tavrel {

// A header line "station,nominalStation,x,y,bearing,elevation,leftSlope,rightSlope", then one line per row; a
// missing value (plane point, elevation, slope) is an empty field. Numbers read back as the same double.
std::string StationCsv(const std::vector<StationRow>& rows);

}  // namespace tavrel
