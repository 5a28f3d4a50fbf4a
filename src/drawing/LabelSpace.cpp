#include "drawing/LabelSpace.h"

#include <algorithm>
#include <cmath>

namespace tavrel {

namespace {

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

LabelSpace::CellRange LabelSpace::cellsOf(const Outline& q) const {
    double x0 = INFINITY, y0 = INFINITY, x1 = -INFINITY, y1 = -INFINITY;
    for (Point p : q) {
        x0 = std::min(x0, p.x);
        y0 = std::min(y0, p.y);
        x1 = std::max(x1, p.x);
        y1 = std::max(y1, p.y);
    }
    const auto cellOf = [this](double v) { return static_cast<std::int64_t>(std::floor(v / cell_)); };
    return {cellOf(x0), cellOf(y0), cellOf(x1), cellOf(y1)};
}

bool LabelSpace::isClear(const Outline& outline) const {
    const CellRange r = cellsOf(outline);
    for (std::int64_t cx = r.x0; cx <= r.x1; ++cx)
        for (std::int64_t cy = r.y0; cy <= r.y1; ++cy) {
            const auto found = cells_.find(key(cx, cy));
            if (found == cells_.end()) continue;
            for (std::size_t k : found->second)
                if (OutlinesOverlap(outline, outlines_[k])) return false;
        }
    return true;
}

void LabelSpace::take(const Outline& outline) {
    const CellRange r = cellsOf(outline);
    outlines_.push_back(outline);
    for (std::int64_t cx = r.x0; cx <= r.x1; ++cx)
        for (std::int64_t cy = r.y0; cy <= r.y1; ++cy) cells_[key(cx, cy)].push_back(outlines_.size() - 1);
}

}  // namespace tavrel
