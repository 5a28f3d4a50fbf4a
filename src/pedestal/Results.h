#pragma once
// The calculate command's input (the pedestal layout file) and its results: per pier and pedestal the station,
// offset, deck, top and cap elevations and height, and per pier the deck cross-section along the pier axis.
#include <array>
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "common/Errors.h"
#include "common/Station.h"
#include "station/ChainBreak.h"

namespace tavrel {

// Which pedestals of a pier its table row lists: Both ("ZY", all), Left ("Z", those at distance >= 0) or Right
// ("Y", those at distance <= 0); a pedestal at distance 0 belongs to both sides.
enum class SideMark { Both, Left, Right };

// The side rule: whether a pier with this mark lists the pedestal at `distance` (m along the pier axis, positive
// to the left).
inline bool Lists(SideMark mark, double distance) {
    switch (mark) {
        case SideMark::Left: return distance >= 0;
        case SideMark::Right: return distance <= 0;
        case SideMark::Both: break;
    }
    return true;
}

// The mark as the layout file writes it: "ZY", "Z" or "Y".
inline const char* SideMarkText(SideMark mark) {
    switch (mark) {
        case SideMark::Left: return "Z";
        case SideMark::Right: return "Y";
        case SideMark::Both: break;
    }
    return "ZY";
}

// One pier or abutment line of the layout file.
struct PierRecord {
    std::string pierName;                // as written (token 1)
    Station baseStation = 0;             // continuous station of the station part of token 2
    double stationShift = 0;             // m, signed shift along the road from token 2
    Station referenceStation = 0;        // baseStation + stationShift: where the pedestals are laid out from
    double referenceNominalStation = 0;  // referenceStation in the written (chain-break) numbering
    double deckToTopDepth = 0;           // m, deck surface down to the pedestal top
    double designPedestalHeight = 0;     // m
    SideMark sideMark = SideMark::Both;
    std::size_t line = 0;  // its line in the layout file (0: not read from a file)
};

struct PedestalLayout {
    double skewAngle = 90;                  // degrees from the forward tangent to the right half of the pier axis
    std::vector<double> pedestalDistances;  // m along the pier axis, positive to the left; pedestalCount = size
    std::vector<PierRecord> piers;          // pierCount = size
};

// A pier x pedestal table of doubles: table[pier][pedestal], both 0-based.
using ResultTable = std::vector<std::vector<double>>;

// Throws CalcError unless the table has one row per pier and one value per pedestal in every row.
template <class Table>
void RequireShape(const Table& table, std::size_t piers, std::size_t pedestals) {
    if (table.size() != piers) throw CalcError("result table has a different number of piers than the layout");
    for (const auto& row : table)
        if (row.size() != pedestals)
            throw CalcError("result table has a different number of pedestals than the layout");
}

struct PedestalResultTables {
    ResultTable pedestalNominalStation;  // written station of the pedestal point
    ResultTable deckElevation;           // m
    ResultTable pedestalCrossSlope;      // ratio that applied at the point (0 in the central band)
    ResultTable pedestalOffset;          // m, signed, positive to the left
    ResultTable pedestalTopElevation;    // deckElevation - deckToTopDepth
    ResultTable capTopElevation;         // pier section at the pedestal - deckToTopDepth - designPedestalHeight
    ResultTable pedestalHeight;          // pedestalTopElevation - capTopElevation
    // Also kept for the JSON results: the continuous station and plane point of each pedestal (the point only
    // where the calculation has one: the curved skew path).
    ResultTable pedestalStation;
    std::vector<std::vector<std::optional<double>>> pedestalX, pedestalY;
};

// The four edge points of the road cross-section, in this order.
enum Edge { LO = 0, LI = 1, RI = 2, RO = 3 };
inline constexpr std::array<const char*, 4> kEdgeNames{"LO", "LI", "RI", "RO"};

// The deck cross-section along one pier's axis.
struct PierSection {
    Station pierStation = 0;                            // the pier's baseStation
    double pierSkewAngle = 90;                          // degrees
    std::array<double, 4> edgeNominalStation{};         // written stations
    std::array<double, 4> edgeStation{};                // continuous stations
    std::array<double, 4> edgeOffset{};                 // m from the centreline, positive to the left
    std::array<double, 4> edgeDistance{};               // m along the pier axis from the pier's centre point
    std::array<double, 4> edgeElevation{};              // m
    std::array<std::optional<double>, 4> edgeX, edgeY;  // plane points, on the curved skew path only
    double leftAxisSlope = 0, rightAxisSlope = 0;       // deck slopes along the axis (ratios)
};

struct CalculationResult {
    PedestalLayout layout;
    PedestalResultTables tables;
    std::vector<PierSection> sections;  // one per pier
    // The chain breaks of the road: the numbering of the written stations, and the chain marks the outputs add
    // where a written number occurs twice (StationLabel).
    ChainBreakTable chainBreaks;
    // What the user must be told about this calculation (data the road does not cover, lines not read), in the
    // user's words; the results are computed all the same.
    std::vector<std::string> warnings;
};

}  // namespace tavrel
