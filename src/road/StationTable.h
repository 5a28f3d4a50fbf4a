#pragma once
// The station-by-station table of a loaded road: what surveyors and checkers use to see the road, computed
// with the same services as the pedestal calculation.
#include <optional>
#include <string_view>
#include <vector>

#include "road/Road.h"

namespace tavrel {

struct StationRow {
    Station station = 0;            // continuous
    double nominalStation = 0;      // as written on the drawings (chain-break numbering)
    std::optional<double> x, y;     // m, the point at the row's offset; none without a plan alignment
    std::optional<double> bearing;  // rad in [0, 2*pi), of the centreline
    // m: design elevation at offset 0, deck elevation at any other offset; none without a profile (and, off the
    // centreline, without a superelevation table)
    std::optional<double> elevation;
    std::optional<double> leftSlope, rightSlope;  // percent; none without a superelevation table
};

inline constexpr std::size_t kMaxStationRows = 1000000;  // a table nobody could read; stops a runaway step

// Rows from `from` in steps of `step` (continuous stepping), ending with `to` itself. Throws RejectedText for a
// step that is not positive, `to` before `from`, or more than kMaxStationRows rows.
// Plane points come from the road's plan when it has one; elevations and slopes from the road's profile and
// superelevation table where it has them (a road loaded without either leaves those values out).
std::vector<StationRow> StationTable(const Road& road, Station from, Station to, double step, double offset);

}  // namespace tavrel
