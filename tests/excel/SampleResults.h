#pragma once
// Hand-made calculation results for the workbook tests and the sample workbooks.
#include <string>
#include <utility>
#include <vector>

#include "pedestal/Results.h"

namespace tavrel::testing {

inline PierRecord SamplePier(std::string name, double nominalStation, SideMark sideMark = SideMark::Both) {
    PierRecord p;
    p.pierName = std::move(name);
    p.referenceNominalStation = nominalStation;
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

}  // namespace tavrel::testing
