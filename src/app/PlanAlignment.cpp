#include "app/PlanAlignment.h"

#include <cmath>

#include "app/Errors.h"

namespace tavrel {

PlanAlignment::PlanAlignment(const ProjectData& project) : project_(project) {
    if (!project.mode.isCurvedSkewBridge) throw CalcError("no plan alignment was loaded");
}

PointAtStation PlanAlignment::pointAt(Station station) const {
    const PointAtStation r = project_.mode.mainLineMode ? MainLinePointAt(project_.mainLine, station)
                                                        : InterchangePointAt(project_.elementChain, station);
    requireFinite(r.p.x, "x");
    requireFinite(r.p.y, "y");
    requireFinite(r.bearing, "bearing");
    return r;
}

namespace {

// Stations of the plan's first and last points.
std::pair<Station, Station> planEnds(const ProjectData& p) {
    if (p.mode.mainLineMode) {
        if (p.mainLine.curves.empty()) throw CalcError("empty main line");
        return {p.mainLine.curves.front().jdStation, p.mainLine.curves.back().jdStation};
    }
    if (p.elementChain.nodeStation.empty()) throw CalcError("empty element chain");
    return {p.elementChain.nodeStation.front(), p.elementChain.nodeStation.back()};
}

}  // namespace

Station PlanAlignment::firstStation() const { return planEnds(project_).first; }

Station PlanAlignment::lastStation() const { return planEnds(project_).second; }

double NormalizedBearing(double bearing) {
    double b = std::fmod(bearing, 2 * kPi);
    if (b < 0) b += 2 * kPi;
    if (b >= 2 * kPi) b = 0;  // fmod of a value just below 0 can round up to 2*pi
    return b;
}

Point OffsetPoint(const PointAtStation& c, double u) { return c.p + u * direction(c.bearing - kPi / 2); }

}  // namespace tavrel
