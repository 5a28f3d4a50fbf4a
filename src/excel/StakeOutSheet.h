#pragma once
// The stake-out sheet "垫石坐标" of the result workbook: the plane coordinates and elevations of every pedestal and
// of the deck edges along every pier axis, for setting them out on site. Only a calculation with a plan alignment has
// them.
#include <string_view>

#include "excel/Workbook.h"
#include "pedestal/Results.h"

namespace tavrel {

inline constexpr std::string_view kStakeOutSheetName = "垫石坐标";

// Whether the calculation placed its pedestals in the plane (a plan alignment was used): only then is there a
// stake-out sheet.
bool HasPlanePoints(const CalculationResult& result);

// The stake-out sheet: per pier, one row per pedestal its side mark lists (pier name, pedestal number, station,
// offset, X, Y, Z = the pedestal's top elevation), then one row per edge point of its section (LO, LI, RI, RO) with
// station, the edge's offset, X, Y and Z = the deck elevation there; below the table, after a blank row, notes on
// the offset's sign, the axes, Z and the edge names. Stations as StationLabel writes them ("K12+345.678", with a
// chain mark where the number occurs twice on the road, and then a note on the marks and a wider station column);
// the headings carry the unit (m) and the offset's sign (left positive). A point without plane coordinates leaves
// its X and Y empty. Throws CalcError when the layout has no pier or no pedestal, a table or the sections do not
// match the layout, the rows do not fit a sheet or a station is not finite.
Worksheet StakeOutSheet(const CalculationResult& result);

}  // namespace tavrel
