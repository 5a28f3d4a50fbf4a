#pragma once
// Hand-made calculation results for the workbook tests and the sample workbooks.
#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "pedestal/Results.h"

namespace tavrel::testing {

inline PierRecord SamplePier(std::string name, double nominalStation, SideMark sideMark = SideMark::Both) {
    PierRecord p;
    p.pierName = std::move(name);
    p.referenceNominalStation = nominalStation;
    p.baseStation = p.referenceStation = nominalStation;  // a road without chain breaks
    p.sideMark = sideMark;
    return p;
}

// Top elevation of pier i, pedestal j (both 0-based): 100 + i + j / 10 + 0.0004; height: 1.5 + j / 100.
// Every cell differs, and the fourth decimal shows whether a reader rounds to three.
inline double SampleTop(std::size_t i, std::size_t j) {
    return 100.0 + static_cast<double>(i) + static_cast<double>(j) / 10 + 0.0004;
}
inline double SampleHeight(std::size_t j) { return 1.5 + static_cast<double>(j) / 100; }

inline CalculationResult SampleResult(double skewAngle, std::vector<double> distances, std::vector<PierRecord> piers) {
    CalculationResult r;
    r.layout.skewAngle = skewAngle;
    r.layout.pedestalDistances = std::move(distances);
    r.layout.piers = std::move(piers);
    for (std::size_t i = 0; i < r.layout.piers.size(); ++i) {
        auto& top = r.tables.pedestalTopElevation.emplace_back();
        auto& height = r.tables.pedestalHeight.emplace_back();
        for (std::size_t j = 0; j < r.layout.pedestalDistances.size(); ++j) {
            top.push_back(SampleTop(i, j));
            height.push_back(SampleHeight(j));
        }
    }
    return r;
}

// Plane coordinates as a curved calculation gives them, with every number distinct: pedestal j of pier i at
// station referenceNominalStation + j, offset = its distance, X = 3345000 + 10 i + j + 0.1234, Y = 512000 + 10 i
// - j + 0.5678; edge point e at station referenceNominalStation - 2 + e, offset SampleEdgeOffset(e), X = 3345500 +
// 10 i + e + 0.25, Y = 512500 + 10 i + e + 0.75, elevation SampleEdgeZ(i, e), except that the edges listed in
// `edgesWithoutPoint` have no plane point (as an edge at offset 0 on a square pier).
inline double SampleX(std::size_t i, std::size_t j) {
    return 3345000.0 + 10.0 * static_cast<double>(i) + static_cast<double>(j) + 0.1234;
}
inline double SampleY(std::size_t i, std::size_t j) {
    return 512000.0 + 10.0 * static_cast<double>(i) - static_cast<double>(j) + 0.5678;
}
inline double SampleEdgeX(std::size_t i, int e) { return 3345500.0 + 10.0 * static_cast<double>(i) + e + 0.25; }
inline double SampleEdgeY(std::size_t i, int e) { return 512500.0 + 10.0 * static_cast<double>(i) + e + 0.75; }

inline double SampleEdgeOffset(int e) { return 7.5 - 5.25 * e; }
inline double SampleEdgeZ(std::size_t i, int e) { return 200.0 + static_cast<double>(i) + e / 10.0 + 0.0004; }

inline CalculationResult WithPlanePoints(CalculationResult r, std::vector<int> edgesWithoutPoint = {}) {
    const std::size_t P = r.layout.piers.size(), K = r.layout.pedestalDistances.size();
    PedestalResultTables& t = r.tables;
    t.pedestalNominalStation.assign(P, std::vector<double>(K));
    t.pedestalStation.assign(P, std::vector<double>(K));
    t.pedestalOffset.assign(P, std::vector<double>(K));
    t.pedestalX.assign(P, std::vector<std::optional<double>>(K));
    t.pedestalY.assign(P, std::vector<std::optional<double>>(K));
    r.sections.assign(P, PierSection{});
    for (std::size_t i = 0; i < P; ++i) {
        const double station = r.layout.piers[i].referenceNominalStation;
        for (std::size_t j = 0; j < K; ++j) {
            t.pedestalNominalStation[i][j] = t.pedestalStation[i][j] = station + static_cast<double>(j);
            t.pedestalOffset[i][j] = r.layout.pedestalDistances[j];
            t.pedestalX[i][j] = SampleX(i, j);
            t.pedestalY[i][j] = SampleY(i, j);
        }
        for (int e = LO; e <= RO; ++e) {
            const auto k = static_cast<std::size_t>(e);
            r.sections[i].edgeNominalStation[k] = r.sections[i].edgeStation[k] = station - 2 + e;
            r.sections[i].edgeOffset[k] = SampleEdgeOffset(e);
            r.sections[i].edgeElevation[k] = SampleEdgeZ(i, e);
            if (std::find(edgesWithoutPoint.begin(), edgesWithoutPoint.end(), e) != edgesWithoutPoint.end()) continue;
            r.sections[i].edgeX[k] = SampleEdgeX(i, e);
            r.sections[i].edgeY[k] = SampleEdgeY(i, e);
        }
    }
    return r;
}

}  // namespace tavrel::testing
