#include "pedestal/Calculate.h"

#include <cmath>

#include "common/Errors.h"
#include "common/NumberText.h"
#include "pedestal/Deck.h"
#include "pedestal/PierSection.h"
#include "pedestal/SkewBracket.h"

namespace tavrel {

namespace {

ResultTable makeTable(std::size_t piers, std::size_t pedestals) {
    return ResultTable(piers, std::vector<double>(pedestals, 0.0));
}

// No result may hold inf or NaN: one would end up in a table as a wrong number.
void requireAllFinite(const CalculationResult& r) {
    const PedestalResultTables& t = r.tables;
    for (const ResultTable* table :
         {&t.pedestalNominalStation, &t.deckElevation, &t.pedestalCrossSlope, &t.pedestalOffset,
          &t.pedestalTopElevation, &t.capTopElevation, &t.pedestalHeight, &t.pedestalStation})
        for (const auto& row : *table)
            for (double v : row) requireFinite(v, "result");
    for (const auto* xy : {&t.pedestalX, &t.pedestalY})
        for (const auto& row : *xy)
            for (const auto& v : row)
                if (v) requireFinite(*v, "coordinate");
    for (const PierSection& s : r.sections) {
        for (int e = LO; e <= RO; ++e) {
            requireFinite(s.edgeNominalStation[e]);
            requireFinite(s.edgeStation[e]);
            requireFinite(s.edgeDistance[e]);
            requireFinite(s.edgeElevation[e]);
            if (s.edgeX[e]) requireFinite(*s.edgeX[e]);
            if (s.edgeY[e]) requireFinite(*s.edgeY[e]);
        }
        requireFinite(s.leftAxisSlope);
        requireFinite(s.rightAxisSlope);
    }
}

}  // namespace

CalculationResult CalculatePedestals(const Road& road, const PedestalLayout& layout) {
    if (road.curved()) {
        // The brackets of the foot and crossing searches lie kSkewBracketDegrees either side of the skew angle.
        const double a = layout.skewAngle;
        if (a != 90 && !(a > kSkewBracketDegrees && a < 180 - kSkewBracketDegrees))
            throw RejectedText("数据有误",
                               "曲线斜交桥的斜交角应在20度和160度之间，斜交角" + plainNumber(a) + "度有误，请修改！");
    }

    CalculationResult r;
    r.layout = layout;
    const std::size_t P = layout.piers.size(), K = layout.pedestalDistances.size();
    PedestalResultTables& t = r.tables;
    for (ResultTable* table : {&t.pedestalNominalStation, &t.deckElevation, &t.pedestalCrossSlope, &t.pedestalOffset,
                               &t.pedestalTopElevation, &t.capTopElevation, &t.pedestalHeight, &t.pedestalStation})
        *table = makeTable(P, K);
    t.pedestalX.assign(P, std::vector<std::optional<double>>(K));
    t.pedestalY.assign(P, std::vector<std::optional<double>>(K));

    // Pedestal pass: each pedestal from the pier's reference station (with its shift).
    for (std::size_t i = 0; i < P; ++i) {
        const PierRecord& pier = layout.piers[i];
        for (std::size_t k = 0; k < K; ++k) {
            const PedestalPoint p = qmjs(road, pier.referenceStation, layout.skewAngle, layout.pedestalDistances[k]);
            t.pedestalStation[i][k] = p.station;
            t.pedestalNominalStation[i][k] = p.nominalStation;
            t.deckElevation[i][k] = p.deckElevation;
            t.pedestalCrossSlope[i][k] = p.crossSlope;
            t.pedestalOffset[i][k] = p.offset;
            t.pedestalTopElevation[i][k] = p.deckElevation - pier.deckToTopDepth;
            if (p.point) {
                t.pedestalX[i][k] = p.point->x;
                t.pedestalY[i][k] = p.point->y;
            }
        }
    }
    // Section pass: each pier's deck section at its own station (without the shift).
    r.sections.reserve(P);
    for (const PierRecord& pier : layout.piers) r.sections.push_back(BuildPierSection(road, pier, layout.skewAngle));
    // Cap pass: the cap follows the section; the height is what remains to the pedestal top.
    for (std::size_t i = 0; i < P; ++i) {
        const PierRecord& pier = layout.piers[i];
        for (std::size_t k = 0; k < K; ++k) {
            t.capTopElevation[i][k] =
                qmjs1(r.sections[i], layout.pedestalDistances[k]) - pier.deckToTopDepth - pier.designPedestalHeight;
            t.pedestalHeight[i][k] = t.pedestalTopElevation[i][k] - t.capTopElevation[i][k];
        }
    }
    requireAllFinite(r);
    return r;
}

}  // namespace tavrel
