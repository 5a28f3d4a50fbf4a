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

Station PlanAlignment::firstStation() const {
    if (project_.mode.mainLineMode) {
        if (project_.mainLine.curves.empty()) throw CalcError("empty main line");
        return project_.mainLine.curves.front().jdStation;
    }
    if (project_.elementChain.nodeStation.empty()) throw CalcError("empty element chain");
    return project_.elementChain.nodeStation.front();
}

Station PlanAlignment::lastStation() const {
    if (project_.mode.mainLineMode) {
        if (project_.mainLine.curves.empty()) throw CalcError("empty main line");
        return project_.mainLine.curves.back().jdStation;
    }
    if (project_.elementChain.nodeStation.empty()) throw CalcError("empty element chain");
    return project_.elementChain.nodeStation.back();
}

double NormalizedBearing(double bearing) {
    double b = std::fmod(bearing, 2 * kPi);
    if (b < 0) b += 2 * kPi;
    if (b >= 2 * kPi) b = 0;  // fmod of a value just below 0 can round up to 2*pi
    return b;
}

Point OffsetPoint(const PointAtStation& c, double u) { return c.p + u * direction(c.bearing - kPi / 2); }

}  // namespace tavrel
