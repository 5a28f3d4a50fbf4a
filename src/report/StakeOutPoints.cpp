#include "report/StakeOutPoints.h"

#include "common/Errors.h"

namespace tavrel {

std::vector<StakeOutPoint> StakeOutPoints(const CalculationResult& result) {
    const PedestalLayout& layout = result.layout;
    const PedestalResultTables& t = result.tables;
    const std::size_t pierCount = layout.piers.size();
    const std::size_t pedestalCount = layout.pedestalDistances.size();
    if (pierCount == 0) throw CalcError("no pier to write");
    if (pedestalCount == 0) throw CalcError("no pedestal to write");
    RequireShape(t.pedestalStation, pierCount, pedestalCount);
    RequireShape(t.pedestalOffset, pierCount, pedestalCount);
    RequireShape(t.pedestalTopElevation, pierCount, pedestalCount);
    RequireShape(t.pedestalX, pierCount, pedestalCount);
    RequireShape(t.pedestalY, pierCount, pedestalCount);
    if (result.sections.size() != pierCount) throw CalcError("pier sections do not match the layout");

    std::vector<StakeOutPoint> points;
    for (std::size_t i = 0; i < pierCount; ++i) {
        for (std::size_t k = 0; k < pedestalCount; ++k) {
            if (!Lists(layout.piers[i].sideMark, layout.pedestalDistances[k])) continue;
            points.push_back({i, k, LO, RequireFinite(t.pedestalStation[i][k], "station"), t.pedestalOffset[i][k],
                              t.pedestalX[i][k], t.pedestalY[i][k], t.pedestalTopElevation[i][k]});
        }
        const PierSection& s = result.sections[i];
        for (const Edge e : {LO, LI, RI, RO})
            points.push_back({i, std::nullopt, e, RequireFinite(s.edgeStation[e], "station"), s.edgeOffset[e],
                              s.edgeX[e], s.edgeY[e], s.edgeElevation[e]});
    }
    return points;
}

std::string StakeOutPointName(const CalculationResult& result, const StakeOutPoint& point) {
    const std::string& pier = result.layout.piers.at(point.pier).pierName;
    if (point.pedestal) return pier + "-" + std::to_string(*point.pedestal + 1);
    return pier + "-" + kEdgeNames[point.edge];
}

}  // namespace tavrel
