#include "pedestal/Calculate.h"

#include <algorithm>
#include <atomic>
#include <cmath>
#include <exception>
#include <system_error>
#include <thread>
#include <vector>

#include "common/Errors.h"
#include "common/NumberText.h"
#include "pedestal/PedestalPlacement.h"
#include "pedestal/PierSection.h"
#include "pedestal/SkewBracket.h"
#include "pedestal/StationOfPoint.h"

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
            for (double v : row) RequireFinite(v, "result");
    for (const auto* xy : {&t.pedestalX, &t.pedestalY})
        for (const auto& row : *xy)
            for (const auto& v : row)
                if (v) RequireFinite(*v, "coordinate");
    for (const PierSection& s : r.sections) {
        for (int e = LO; e <= RO; ++e) {
            RequireFinite(s.edgeNominalStation[e]);
            RequireFinite(s.edgeStation[e]);
            RequireFinite(s.edgeDistance[e]);
            RequireFinite(s.edgeElevation[e]);
            if (s.edgeX[e]) RequireFinite(*s.edgeX[e]);
            if (s.edgeY[e]) RequireFinite(*s.edgeY[e]);
        }
        RequireFinite(s.leftAxisSlope);
        RequireFinite(s.rightAxisSlope);
    }
}

// PlacePedestal for pedestal number `number` (counted from 1, as the tables count them) of a pier: a pedestal
// point whose foot the search cannot find is rejected with a message naming both.
PedestalPlacement placePedestal(const Road& road, const PierRecord& pier, std::size_t number, double skewAngle,
                                double distance) {
    try {
        return PlacePedestal(road, pier.referenceStation, skewAngle, distance);
    } catch (const FootNotFound&) {
        throw RejectedText("数据有误", "墩台" + pier.pierName + "的" + std::to_string(number) +
                                           "号垫石在路线中线上找不到垂足，请检查斜交角和垫石位置！");
    }
}

// Every pedestal of pier i (0-based) into the tables, laid out from the pier's reference station.
void placePedestals(const Road& road, const PedestalLayout& layout, std::size_t i, PedestalResultTables& t) {
    const PierRecord& pier = layout.piers[i];
    for (std::size_t k = 0; k < layout.pedestalDistances.size(); ++k) {
        const PedestalPlacement p = placePedestal(road, pier, k + 1, layout.skewAngle, layout.pedestalDistances[k]);
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

// Piers are independent: body(i) for every pier i runs on up to kMaxThreads threads (one for fewer than
// kMinPiersPerThread piers per thread), each taking the next pier not yet taken. A failure is reported as the
// serial loop would report it: the first failing pier's exception. Piers are handed out in order, so when a pier
// fails every earlier pier has been taken and runs to its end, while no new pier is taken. Where the system gives
// no more threads, the ones there are do the work.
constexpr unsigned kMaxThreads = 8;
constexpr std::size_t kMinPiersPerThread = 16;

template <class Body>
void forEachPier(std::size_t piers, const Body& body) {
    const unsigned cores = std::max(1u, std::thread::hardware_concurrency());
    const auto threads = static_cast<unsigned>(
        std::min<std::size_t>({cores, kMaxThreads, std::max<std::size_t>(piers / kMinPiersPerThread, 1)}));
    std::vector<std::exception_ptr> failure(piers);
    std::atomic<std::size_t> next{0};
    std::atomic<bool> failed{false};
    const auto work = [&] {
        for (std::size_t i; !failed.load(std::memory_order_relaxed) && (i = next.fetch_add(1)) < piers;) {
            try {
                body(i);
            } catch (...) {
                failure[i] = std::current_exception();
                failed = true;
            }
        }
    };
    {
        std::vector<std::jthread> helpers;
        try {
            for (unsigned t = 1; t < threads; ++t) helpers.emplace_back(work);
        } catch (const std::system_error&) {}
        work();
    }
    for (const std::exception_ptr& f : failure)
        if (f) std::rethrow_exception(f);
}

}  // namespace

CalculationResult CalculatePedestals(const Road& road, const PedestalLayout& layout) {
    if (road.curved()) {
        // The brackets of the foot and crossing searches lie kSkewBracketDegrees either side of the skew angle.
        const double a = layout.skewAngle;
        if (a != 90 && !(a > kSkewBracketDegrees && a < 180 - kSkewBracketDegrees))
            throw RejectedText("数据有误",
                               "曲线斜交桥的斜交角应在20度和160度之间，斜交角" + PlainNumber(a) + "度有误，请修改！");
    }

    CalculationResult r;
    r.layout = layout;
    r.chainBreaks = road.chainBreaks;
    const std::size_t P = layout.piers.size(), K = layout.pedestalDistances.size();
    PedestalResultTables& t = r.tables;
    for (ResultTable* table : {&t.pedestalNominalStation, &t.deckElevation, &t.pedestalCrossSlope, &t.pedestalOffset,
                               &t.pedestalTopElevation, &t.capTopElevation, &t.pedestalHeight, &t.pedestalStation})
        *table = makeTable(P, K);
    t.pedestalX.assign(P, std::vector<std::optional<double>>(K));
    t.pedestalY.assign(P, std::vector<std::optional<double>>(K));

    // Pedestal pass: each pedestal from the pier's reference station (with its shift). A failure at a pier names
    // the pier's line of the layout file.
    forEachPier(P, [&](std::size_t i) { AtRecord(layout.piers[i].line, [&] { placePedestals(road, layout, i, t); }); });
    // Section pass: each pier's deck section at its own station (without the shift).
    r.sections.resize(P);
    forEachPier(P, [&](std::size_t i) {
        const PierRecord& pier = layout.piers[i];
        r.sections[i] = AtRecord(pier.line, [&] { return BuildPierSection(road, pier, layout.skewAngle); });
    });
    // Cap pass: the cap follows the section; the height is what remains to the pedestal top.
    for (std::size_t i = 0; i < P; ++i) {
        const PierRecord& pier = layout.piers[i];
        for (std::size_t k = 0; k < K; ++k) {
            t.capTopElevation[i][k] = PierSectionElevationAt(r.sections[i], layout.pedestalDistances[k]) -
                                      pier.deckToTopDepth - pier.designPedestalHeight;
            t.pedestalHeight[i][k] = t.pedestalTopElevation[i][k] - t.capTopElevation[i][k];
        }
    }
    requireAllFinite(r);
    return r;
}

}  // namespace tavrel
