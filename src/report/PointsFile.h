#pragma once
// The point file of one calculation, for a total station or CAD to load: the stake-out points as CSV.
#include <string>

#include "pedestal/Results.h"

namespace tavrel {

// UTF-8 with a byte-order mark (so that spreadsheet programs read the Chinese names), CR LF line ends, no header
// row: one row per stake-out point (StakeOutPoints: the pedestals each pier lists, then its edge points LO, LI,
// RI, RO) with the fields point name (StakeOutPointName, quoted as CSV quotes where it holds a comma, a quote or a
// line break), X, Y, Z, station (StationLabel), offset. X and Y are empty where the calculation has no plane
// point; Z is the pedestal's top elevation or the deck elevation at the edge point; the offset is positive to
// the left. Numbers in metres to four decimals (0.1 mm). Failures as StakeOutPoints.
std::string PointsFile(const CalculationResult& result);

}  // namespace tavrel
