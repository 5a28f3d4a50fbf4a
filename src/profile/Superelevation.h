#pragma once
// The superelevation table: left and right cross slopes (percent) interpolated by station, and the four widths of
// the road cross-section from the file's first line.
#include <string>
#include <vector>

#include "common/Station.h"

namespace tavrel {

struct SuperelevationRecord {
    std::string stationText;  // as written in the file
    Station station = 0;      // continuous station of stationText
    double leftSlope = 0;     // percent
    double rightSlope = 0;    // percent
};

// Cross-section widths (m, signed as offsets, positive to the left), used by the deck elevation and the pier
// sections.
struct CrossSectionWidths {
    double leftSlopedWidth = 0;   // width of the left sloped band beyond centralLeftEdge
    double centralLeftEdge = 0;   // offset of the left edge of the flat central band
    double centralRightEdge = 0;  // offset of the right edge of the flat central band
    double rightSlopedWidth = 0;  // signed width of the right sloped band beyond centralRightEdge
};

// A checked table: made only by SuperelevationBuild, so every value in it is finite and it has a row.
class Superelevation {
public:
    Superelevation() = default;  // no row: every lookup throws CalcError
    const CrossSectionWidths& widths() const { return widths_; }
    const std::vector<SuperelevationRecord>& records() const { return records_; }  // superelevationCount = size

private:
    friend Superelevation SuperelevationBuild(CrossSectionWidths widths, std::vector<SuperelevationRecord> records);
    CrossSectionWidths widths_;
    std::vector<SuperelevationRecord> records_;
};

// SuperelevationBuild: the table of the loaded widths and rows, checked once: throws FormatError for a table
// without rows and CalcError for any value that is not finite.
Superelevation SuperelevationBuild(CrossSectionWidths widths, std::vector<SuperelevationRecord> records);

struct CrossSlopes {
    double leftSlope = 0;   // left cross slope, percent
    double rightSlope = 0;  // right cross slope, percent
};

// CrossSlopesAt (`cgjs`): cross slopes (percent) at a continuous station (m), linear between the first pair of rows
// whose half-open interval [station, next station) holds it; before the first row the first row's slopes, from the
// last row on the last row's slopes (never extrapolated). Rows at one station make an empty interval, so the
// slopes jump there to the later row. Rows out of station order are not checked; they follow the same rules.
// Throws CalcError for a table never built and a station or result that is not finite.
CrossSlopes CrossSlopesAt(const Superelevation& table, Station station);

}  // namespace tavrel
