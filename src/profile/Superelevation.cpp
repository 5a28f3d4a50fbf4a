#include "profile/Superelevation.h"

#include <cstddef>

#include "common/Errors.h"

namespace tavrel {

Superelevation SuperelevationBuild(CrossSectionWidths widths, std::vector<SuperelevationRecord> records) {
    // A road without cross slopes cannot be calculated; say so at load rather than at the first pier.
    if (records.empty()) throw FormatError("empty superelevation table");
    RequireFinite(widths.leftSlopedWidth, "left sloped width");
    RequireFinite(widths.centralLeftEdge, "central left edge");
    RequireFinite(widths.centralRightEdge, "central right edge");
    RequireFinite(widths.rightSlopedWidth, "right sloped width");
    for (const SuperelevationRecord& row : records) {
        RequireFinite(row.station, "superelevation station");
        RequireFinite(row.leftSlope, "left cross slope");
        RequireFinite(row.rightSlope, "right cross slope");
    }
    Superelevation built;
    built.widths_ = widths;
    built.records_ = std::move(records);
    return built;
}

CrossSlopes CrossSlopesAt(const Superelevation& table, Station station) {
    const auto& r = table.records();
    const std::size_t m = r.size();
    if (m == 0) throw CalcError("empty superelevation table");
    RequireFinite(station, "station");

    // Beyond either end the end row holds; slopes are never extrapolated.
    if (station < r[0].station) return {r[0].leftSlope, r[0].rightSlope};
    if (station >= r[m - 1].station) return {r[m - 1].leftSlope, r[m - 1].rightSlope};

    // The first pair of rows whose half-open interval holds the station. Two rows at one station make an empty
    // interval that never matches, so the slopes jump there to the later row. Linear: tables are short.
    for (std::size_t i = 0; i + 1 < m; ++i) {
        const SuperelevationRecord& a = r[i];
        const SuperelevationRecord& b = r[i + 1];
        if (a.station <= station && station < b.station) {
            // b.station > a.station here, so the run is positive; CheckedDiv only guards against overflow.
            const double run = RequireFinite(b.station - a.station, "superelevation station difference");
            const double along = station - a.station;
            return {RequireFinite(CheckedDiv(b.leftSlope - a.leftSlope, run) * along + a.leftSlope, "left cross slope"),
                    RequireFinite(CheckedDiv(b.rightSlope - a.rightSlope, run) * along + a.rightSlope,
                                  "right cross slope")};
        }
    }
    // Not reached with finite rows: the first row beyond the station and the row before it always form a matching pair,
    // whatever the order of the rows. Kept so that no table can make the lookup run past its end.
    throw CalcError("station lies between no two superelevation rows");
}

}  // namespace tavrel
