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

// cgjs: cross slopes at a continuous station, linear between rows, the end rows' values beyond the table.
// An empty table throws CalcError.
CrossSlopes cgjs(const Superelevation& table, Station zhzh);

}  // namespace tavrel
