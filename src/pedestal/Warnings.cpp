#include "pedestal/Warnings.h"

#include <algorithm>
#include <utility>

#include "common/NumberText.h"

namespace tavrel {

namespace {

// A station range [first, last] of continuous stations.
struct StationRange {
    Station first = 0, last = 0;
    bool holds(Station s) const { return first <= s && s <= last; }
};

// A data set whose range is checked, and what the calculation does beyond it.
struct Coverage {
    std::string name;  // "纵断面资料"
    StationRange range;
    std::string beyond;  // "按端部纵坡延伸计算"
};

template <class Rows, class StationOf>
StationRange rangeOf(const Rows& rows, StationOf stationOf) {
    const auto [lo, hi] = std::minmax_element(
        rows.begin(), rows.end(), [&](const auto& a, const auto& b) { return stationOf(a) < stationOf(b); });
    return {stationOf(*lo), stationOf(*hi)};
}

std::vector<Coverage> coveragesOf(const Road& road) {
    std::vector<Coverage> c;
    const auto& points = road.profile.points();
    if (!points.empty())
        c.push_back(
            {"纵断面资料", rangeOf(points, [](const ProfilePoint& p) { return p.station; }), "高程按端部纵坡延伸计算"});
    const auto& rows = road.superelevation.records();
    if (rows.size() > 1)
        c.push_back(
            {"超高资料", rangeOf(rows, [](const SuperelevationRecord& r) { return r.station; }), "横坡按端部超高取值"});
    if (road.plan)
        c.push_back({"平面资料", {road.plan->firstStation(), road.plan->lastStation()}, "按端部切线延伸计算"});
    return c;
}

// The points of pier i with their continuous stations, named as the user knows them.
std::vector<std::pair<std::string, Station>> pointsOfPier(const CalculationResult& r, std::size_t i) {
    std::vector<std::pair<std::string, Station>> points;
    points.emplace_back("墩台中心", r.sections[i].pierStation);
    for (std::size_t k = 0; k < r.tables.pedestalStation[i].size(); ++k)
        points.emplace_back("垫石" + std::to_string(k + 1), r.tables.pedestalStation[i][k]);
    for (int e = LO; e <= RO; ++e)
        points.emplace_back(std::string("边缘") + kEdgeNames[e], r.sections[i].edgeStation[e]);
    return points;
}

}  // namespace

std::vector<std::string> CalculationWarnings(const Road& road, const CalculationResult& r) {
    std::vector<std::string> warnings;
    const std::vector<Coverage> coverages = coveragesOf(road);
    const PedestalLayout& layout = r.layout;
    const auto written = [&](Station s) { return StationLabel(road.chainBreaks, s); };
    for (std::size_t i = 0; i < layout.piers.size() && i < r.sections.size(); ++i) {
        const PierRecord& pier = layout.piers[i];
        const auto points = pointsOfPier(r, i);
        for (const Coverage& c : coverages) {
            std::string outside;
            for (const auto& [name, station] : points)
                if (!c.range.holds(station)) outside += (outside.empty() ? "" : "、") + name;
            if (outside.empty()) continue;
            warnings.push_back("墩台" + pier.pierName + "的" + outside + "桩号超出" + c.name + "的范围（" +
                               written(c.range.first) + "～" + written(c.range.last) + "），" + c.beyond);
        }
        const bool listsAny = std::any_of(layout.pedestalDistances.begin(), layout.pedestalDistances.end(),
                                          [&](double d) { return Lists(pier.sideMark, d); });
        if (!listsAny)
            warnings.push_back("墩台" + pier.pierName + "的左右标识为" + SideMarkText(pier.sideMark) +
                               "，按此标识没有列出任何垫石");
    }
    return warnings;
}

}  // namespace tavrel
