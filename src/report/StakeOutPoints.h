#pragma once
// The points a surveyor sets out for one calculation: every pedestal a pier lists and the edge points of every
// pier's section, in the order the stake-out sheet and the point file list them.
#include <cstddef>
#include <optional>
#include <string>
#include <vector>

#include "pedestal/Results.h"

namespace tavrel {

struct StakeOutPoint {
    std::size_t pier = 0;                 // 0-based index into the layout's piers
    std::optional<std::size_t> pedestal;  // 0-based; none: the edge point `edge` of the pier's section
    Edge edge = LO;
    Station station = 0;         // continuous
    double offset = 0;           // m from the centreline, positive to the left
    std::optional<double> x, y;  // plane point, where the calculation has one
    double z = 0;                // m: the pedestal's top elevation, the deck elevation at an edge point
};

// Per pier the pedestals its side mark lists, then the four edge points LO, LI, RI, RO of its section. Throws
// CalcError when the layout has no pier or no pedestal, a table or the sections do not match the layout, or a
// station is not finite.
std::vector<StakeOutPoint> StakeOutPoints(const CalculationResult& result);

// The point's name: the pier's name, "-" and the pedestal number counted from 1 ("1#墩-3") or the edge's name
// ("1#墩-LO").
std::string StakeOutPointName(const CalculationResult& result, const StakeOutPoint& point);

}  // namespace tavrel
