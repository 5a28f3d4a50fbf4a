#include "road/StationTable.h"

#include <cmath>

#include "common/Errors.h"
#include "road/DeckElevation.h"

namespace tavrel {

namespace {

StationRow rowAt(const Road& road, Station s, double offset) {
    StationRow r;
    r.station = s;
    r.nominalStation = WrittenStation(road.chainBreaks, s);
    if (road.plan) {
        const PointAtStation c = road.plan->pointAt(s);
        const Point p = OffsetPoint(c, offset);
        r.x = RequireFinite(p.x, "x");
        r.y = RequireFinite(p.y, "y");
        r.bearing = NormalizedBearing(c.bearing);
    }
    const bool hasSlopes = !road.superelevation.records().empty();
    if (hasSlopes) {
        const CrossSlopes slopes = CrossSlopesAt(road.superelevation, s);
        r.leftSlope = RequireFinite(slopes.leftSlope, "slope");
        r.rightSlope = RequireFinite(slopes.rightSlope, "slope");
    }
    if (!road.profile.points().empty() && (offset == 0 || hasSlopes)) {
        r.elevation =
            RequireFinite(offset == 0 ? ProfileElevationAt(road.profile, s)
                                      : DeckElevationAt(road.profile, road.superelevation, s, offset).elevation,
                          "elevation");
    }
    return r;
}

}  // namespace

std::vector<StationRow> StationTable(const Road& road, Station from, Station to, double step, double offset) {
    if (!(step > 0) || !std::isfinite(step)) throw RejectedText("数据有误", "桩号间距应为正数！");
    if (to < from) throw RejectedText("数据有误", "终点桩号小于起点桩号！");
    const double n = std::floor((to - from) / step);
    if (n + 2 > static_cast<double>(kMaxStationRows)) throw RejectedText("数据有误", "桩号间距过小，行数太多！");

    std::vector<StationRow> rows;
    constexpr double kSameStation = 1e-9;  // m: a step landing on `to` is `to` itself
    for (std::size_t i = 0;; ++i) {
        const Station s = from + static_cast<double>(i) * step;
        if (s >= to - kSameStation) break;
        rows.push_back(rowAt(road, s, offset));
    }
    rows.push_back(rowAt(road, to, offset));
    return rows;
}

}  // namespace tavrel
