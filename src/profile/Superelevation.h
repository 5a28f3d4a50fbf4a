#pragma once
// The superelevation table: left and right cross slopes (percent) interpolated by station.
#include <string>
#include <vector>

#include "station/Station.h"

namespace tavrel {

struct SuperelevationRecord {
    std::string stationText;  // as written in the file
    Station station = 0;      // continuous station of stationText
    double leftSlope = 0;     // percent
    double rightSlope = 0;    // percent
};

struct Superelevation {
    // Cross-section widths from the file's first line (m), used by the deck elevation.
    double leftSlopedWidth = 0, centralLeftEdge = 0, centralRightEdge = 0, rightSlopedWidth = 0;
    std::vector<SuperelevationRecord> records;  // superelevationCount = records.size()
};

struct CrossSlopes {
    double zcgz = 0;  // left cross slope, percent
    double ycgz = 0;  // right cross slope, percent
};

// cgjs: cross slopes (percent) at a continuous station zhzh (m), linear between the first pair of rows whose
// half-open interval [station, next station) holds zhzh; before the first row the first row's slopes, from the
// last row on the last row's slopes (never extrapolated). Rows at one station make an empty interval, so the
// slopes jump there to the later row. Rows out of station order are not checked; they follow the same rules.
// Throws CalcError for an empty table and any non-finite value (station, row, or result).
CrossSlopes cgjs(const Superelevation& table, Station zhzh);

}  // namespace tavrel
