#pragma once
// The station-by-station table of a loaded road: what surveyors and checkers use to see the road, computed
// with the same services as the pedestal calculation.
#include <optional>
#include <string_view>
#include <vector>

#include "road/Road.h"

namespace tavrel {

struct StationRow {
    Station station = 0;                   // continuous
    double nominalStation = 0;             // as written on the drawings (chain-break numbering)
    std::optional<double> x, y;            // m, the point at the row's offset; none without a plan alignment
    std::optional<double> bearing;         // rad in [0, 2*pi), of the centreline
    double elevation = 0;                  // m: design elevation at offset 0, deck elevation at any other offset
    double leftSlope = 0, rightSlope = 0;  // percent
};

inline constexpr std::size_t kMaxStationRows = 1000000;  // a table nobody could read; stops a runaway step

// Rows from `from` in steps of `step` (continuous stepping), ending with `to` itself. Throws RejectedText for a
// step that is not positive, `to` before `from`, or more than kMaxStationRows rows.
// Plane points come from the road's plan when it has one.
std::vector<StationRow> StationTable(const Road& road, Station from, Station to, double step, double offset);

}  // namespace tavrel
