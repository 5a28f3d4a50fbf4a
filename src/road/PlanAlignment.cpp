#include "road/PlanAlignment.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

#include "common/Errors.h"

namespace tavrel {

namespace {

// Stations of the plan's first and last points.
std::pair<Station, Station> planEnds(const MainLine* line) {
    if (line->curves().empty()) throw CalcError("empty main line");
    return {line->curves().front().jdStation, line->curves().back().jdStation};
}

std::pair<Station, Station> planEnds(const ElementChain* ramp) {
    if (ramp->nodeStation().empty()) throw CalcError("empty element chain");
    return {ramp->nodeStation().front(), ramp->nodeStation().back()};
}

// Where a piece of the centreline begins, and its shape up to the next knot.
struct Knot {
    Station at;
    PlanPieceShape shape;
    double radius;
};
constexpr double kBeforeEverything = -std::numeric_limits<double>::infinity();

// The main line: the first side, then per curve ZH spiral HY arc YH spiral HZ straight; nullopt where the key
// stations do not ascend.
std::optional<std::vector<Knot>> knotsOf(const MainLine* line) {
    std::vector<Knot> knots{{kBeforeEverything, PlanPieceShape::Straight, 0}};
    for (int k = 2; k <= line->intersectionCount() - 1; ++k) {
        const MainLineCurve& c = line->curve(k);
        knots.push_back({c.zhStation, PlanPieceShape::Spiral, 0});
        knots.push_back({c.hyStation, PlanPieceShape::Arc, std::fabs(c.R)});
        knots.push_back({c.yhStation, PlanPieceShape::Spiral, 0});
        knots.push_back({c.hzStation, PlanPieceShape::Straight, 0});
    }
    const bool ascending =
        std::is_sorted(knots.begin(), knots.end(), [](const Knot& a, const Knot& b) { return a.at < b.at; });
    if (!ascending) return std::nullopt;
    return knots;
}

// The ramp: the start tangent, each element, the end tangent; nullopt where the node stations do not ascend.
std::optional<std::vector<Knot>> knotsOf(const ElementChain* ramp) {
    if (!ramp->nodeStationsAscending() || ramp->nodeStation().empty()) return std::nullopt;
    std::vector<Knot> knots{{kBeforeEverything, PlanPieceShape::Straight, 0}};
    for (std::size_t k = 0; k < ramp->elements().size(); ++k) {
        const AlignmentElement& e = ramp->elements()[k];
        switch (ShapeOf(e)) {
            case ElementShape::Straight: knots.push_back({ramp->nodeStation()[k], PlanPieceShape::Straight, 0}); break;
            case ElementShape::Arc:
                knots.push_back({ramp->nodeStation()[k], PlanPieceShape::Arc, std::fabs(e.startRadius)});
                break;
            case ElementShape::Spiral: knots.push_back({ramp->nodeStation()[k], PlanPieceShape::Spiral, 0}); break;
        }
    }
    knots.push_back({ramp->nodeStation().back(), PlanPieceShape::Straight, 0});
    return knots;
}

PointAtStation pointOn(const MainLine* line, Station s) { return MainLinePointAt(*line, s); }
PointAtStation pointOn(const ElementChain* ramp, Station s) { return InterchangePointAt(*ramp, s); }

}  // namespace

PointAtStation PlanAlignment::pointAt(Station station) const {
    const PointAtStation r = std::visit([station](auto* line) { return pointOn(line, station); }, line_);
    RequireFinite(r.p.x, "x");
    RequireFinite(r.p.y, "y");
    RequireFinite(r.bearing, "bearing");
    return r;
}

Station PlanAlignment::firstStation() const {
    return std::visit([](auto* line) { return planEnds(line).first; }, line_);
}

Station PlanAlignment::lastStation() const {
    return std::visit([](auto* line) { return planEnds(line).second; }, line_);
}

std::vector<PlanPiece> PlanAlignment::piecesBetween(Station from, Station to) const {
    if (!(from < to)) return {};
    const auto knots = std::visit([](auto* line) { return knotsOf(line); }, line_);
    if (!knots) return {{from, to, PlanPieceShape::Spiral, 0}};
    std::vector<PlanPiece> pieces;
    for (std::size_t j = 0; j < knots->size(); ++j) {
        const Knot& k = (*knots)[j];
        const Station lo = std::max(from, k.at);
        const Station hi = j + 1 < knots->size() ? std::min(to, (*knots)[j + 1].at) : to;
        if (lo < hi) pieces.push_back({lo, hi, k.shape, k.radius});
    }
    return pieces;
}

}  // namespace tavrel
