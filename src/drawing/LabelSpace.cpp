#include "drawing/LabelSpace.h"

#include <algorithm>
#include <cmath>

namespace tavrel {

namespace {

// Cell numbers beyond this (2^40) are not gridded: their keys would overflow.
constexpr double kFarthestCell = 1099511627776.0;

// The extent of an outline along the normal n.
struct Extent {
    double lo, hi;
};
Extent along(const Outline& q, Point n) {
    Extent e{INFINITY, -INFINITY};
    for (Point p : q) {
        const double v = n.x * p.x + n.y * p.y;
        e.lo = std::min(e.lo, v);
        e.hi = std::max(e.hi, v);
    }
    return e;
}

}  // namespace

bool OutlinesOverlap(const Outline& a, const Outline& b) {
    for (const Outline* shape : {&a, &b}) {
        for (std::size_t k = 0; k < 4; ++k) {
            const Point edge = (*shape)[(k + 1) % 4] - (*shape)[k];
            const Point normal{-edge.y, edge.x};
            const Extent ea = along(a, normal), eb = along(b, normal);
            if (ea.hi <= eb.lo || eb.hi <= ea.lo) return false;
        }
    }
    return true;
}

std::optional<LabelSpace::CellRange> LabelSpace::cellsOf(const Outline& q) const {
    double x0 = INFINITY, y0 = INFINITY, x1 = -INFINITY, y1 = -INFINITY;
    for (Point p : q) {
        x0 = std::min(x0, p.x);
        y0 = std::min(y0, p.y);
        x1 = std::max(x1, p.x);
        y1 = std::max(y1, p.y);
    }
    // Cell numbers as doubles first: only those that fit the grid's keys become integers.
    const double cx0 = std::floor(x0 / cell_), cy0 = std::floor(y0 / cell_);
    const double cx1 = std::floor(x1 / cell_), cy1 = std::floor(y1 / cell_);
    const auto inGrid = [](double c) { return std::fabs(c) <= kFarthestCell; };
    if (!(inGrid(cx0) && inGrid(cy0) && inGrid(cx1) && inGrid(cy1))) return std::nullopt;
    if (cx1 - cx0 >= kMostCellsAcross || cy1 - cy0 >= kMostCellsAcross) return std::nullopt;
    return CellRange{static_cast<std::int64_t>(cx0), static_cast<std::int64_t>(cy0), static_cast<std::int64_t>(cx1),
                     static_cast<std::int64_t>(cy1)};
}

bool LabelSpace::isClear(const Outline& outline) const {
    for (std::size_t k : apart_)
        if (OutlinesOverlap(outline, outlines_[k])) return false;
    const auto r = cellsOf(outline);
    if (!r) {
        // Kept apart itself: against every outline.
        return std::none_of(outlines_.begin(), outlines_.end(),
                            [&](const Outline& taken) { return OutlinesOverlap(outline, taken); });
    }
    for (std::int64_t cx = r->x0; cx <= r->x1; ++cx)
        for (std::int64_t cy = r->y0; cy <= r->y1; ++cy) {
            const auto found = cells_.find(key(cx, cy));
            if (found == cells_.end()) continue;
            for (std::size_t k : found->second)
                if (OutlinesOverlap(outline, outlines_[k])) return false;
        }
    return true;
}

void LabelSpace::take(const Outline& outline) {
    const auto r = cellsOf(outline);
    outlines_.push_back(outline);
    if (!r) {
        apart_.push_back(outlines_.size() - 1);
        return;
    }
    for (std::int64_t cx = r->x0; cx <= r->x1; ++cx)
        for (std::int64_t cy = r->y0; cy <= r->y1; ++cy) cells_[key(cx, cy)].push_back(outlines_.size() - 1);
}

}  // namespace tavrel
