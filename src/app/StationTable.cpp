#include "app/StationTable.h"

#include <cmath>

#include "app/Errors.h"
#include "app/PlanAlignment.h"
#include "pedestal/Deck.h"

namespace tavrel {

namespace {

StationRow rowAt(const ProjectData& project, const PlanAlignment* plan, Station s, double offset) {
    StationRow r;
    r.station = s;
    r.nominalStation = sj_dl_chg(project.chainBreaks, s);
    if (plan) {
        const PointAtStation c = plan->pointAt(s);
        const Point p = OffsetPoint(c, offset);
        r.x = requireFinite(p.x, "x");
        r.y = requireFinite(p.y, "y");
        r.bearing = NormalizedBearing(c.bearing);
    }
    const CrossSlopes slopes = cgjs(project.superelevation, s);
    r.leftSlope = requireFinite(slopes.zcgz, "slope");
    r.rightSlope = requireFinite(slopes.ycgz, "slope");
    r.elevation = offset == 0 ? ProfileElevationAt(project.profile, s)
                              : DeckElevationAt(project.profile, project.superelevation, s, offset).elevation;
    requireFinite(r.elevation, "elevation");
    return r;
}

}  // namespace

std::vector<StationRow> StationTable(const ProjectData& project, Station from, Station to, double step,
                                     double offset) {
    if (!(step > 0) || !std::isfinite(step)) throw RejectedText("数据有误", "桩号间距应为正数！");
    if (to < from) throw RejectedText("数据有误", "终点桩号小于起点桩号！");
    const double n = std::floor((to - from) / step);
    if (n + 2 > static_cast<double>(kMaxStationRows)) throw RejectedText("数据有误", "桩号间距过小，行数太多！");

    std::optional<PlanAlignment> plan;
    if (project.mode.isCurvedSkewBridge) plan.emplace(project);
    std::vector<StationRow> rows;
    constexpr double kSameStation = 1e-9;  // m: a step landing on `to` is `to` itself
    for (std::size_t i = 0;; ++i) {
        const Station s = from + static_cast<double>(i) * step;
        if (s >= to - kSameStation) break;
        rows.push_back(rowAt(project, plan ? &*plan : nullptr, s, offset));
    }
    rows.push_back(rowAt(project, plan ? &*plan : nullptr, to, offset));
    return rows;
}

}  // namespace tavrel
