#pragma once
// The room the labels of a drawing take, so that a new label can be kept clear of those placed before it.
#include <array>
#include <cstdint>
#include <optional>
#include <unordered_map>
#include <vector>

#include "common/Plane.h"

namespace tavrel {

using Outline = std::array<Point, 4>;  // a convex quadrilateral (a text's TextOutline)

// Whether two outlines share more than an edge (separating axes: the edges of both).
bool OutlinesOverlap(const Outline& a, const Outline& b);

// The outlines taken so far, found by a grid of square cells (cellSize m) so that a check looks only at the
// outlines near it. An outline across more than kMostCellsAcross cells, or far out of any grid (a drawing of an
// absurd width), is kept apart and checked against every new one instead.
class LabelSpace {
public:
    explicit LabelSpace(double cellSize) : cell_(cellSize > 0 ? cellSize : 1) {}

    // Whether the outline stays clear of every outline taken.
    bool isClear(const Outline& outline) const;
    void take(const Outline& outline);

    static constexpr double kMostCellsAcross = 64;

private:
    struct CellRange {
        std::int64_t x0, y0, x1, y1;
    };
    // The cells the outline's box covers; none when it is kept apart.
    std::optional<CellRange> cellsOf(const Outline& outline) const;
    static std::int64_t key(std::int64_t cx, std::int64_t cy) { return cx * 4000037 + cy; }

    double cell_;
    std::vector<Outline> outlines_;
    std::vector<std::size_t> apart_;  // outlines in no cell
    std::unordered_map<std::int64_t, std::vector<std::size_t>> cells_;
};

}  // namespace tavrel
