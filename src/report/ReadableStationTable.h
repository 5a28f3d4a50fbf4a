#pragma once
// The station-by-station table of the road for a person at a terminal: what the batch front end's stations
// prints when no output file was asked for.
#include <string>
#include <vector>

#include "road/StationTable.h"

namespace tavrel {

// A first line naming the offset (m, positive to the left) the rows were computed at, a heading line, then one
// line per row: the written station (K format), X and Y (m), the elevation (m), the left and right slopes (%)
// and the bearing of the centreline in degrees, minutes and seconds (to a tenth of a second). Three decimals;
// rows without plane values (the straight path) leave out X, Y and the bearing. Columns line up on a terminal
// where a Chinese character takes two columns.
std::string ReadableStationTable(const std::vector<StationRow>& rows, double offset);

// A bearing (rad, from +x towards +y) as degrees, minutes and seconds to a tenth of a second: 45°30′30.6″.
// Rounded as a whole, so that 59.96″ carries into the minutes; 360° reads 0°00′00.0″.
std::string BearingDmsText(double bearing);

}  // namespace tavrel
