#include "road/PlanAlignment.h"

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

}  // namespace tavrel
