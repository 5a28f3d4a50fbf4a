#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "common/Errors.h"
#include "profile/Superelevation.h"

using namespace tavrel;

namespace {

Superelevation table(std::vector<SuperelevationRecord> rows) { return SuperelevationBuild({}, std::move(rows)); }

SuperelevationRecord row(Station station, double left, double right) { return {"", station, left, right}; }

struct Expect {
    const char* name;
    Station station;
    double left, right;
};

void checkRows(const Superelevation& t, const std::vector<Expect>& rows) {
    for (const Expect& e : rows) {
        SCOPED_TRACE(e.name);
        const auto [left, right] = CrossSlopesAt(t, e.station);
        EXPECT_NEAR(left, e.left, 1e-12);
        EXPECT_NEAR(right, e.right, 1e-12);
    }
}

}  // namespace

TEST(CrossSlope, InterpolatesBetweenRowsAndHoldsTheEndRowsBeyond) {
    checkRows(table({row(100, 2, 2), row(200, -4, 6)}), {
                                                            {"halfway", 150, -1, 4},
                                                            {"a quarter in", 125, 0.5, 3},
                                                            {"before the table", 50, 2, 2},
                                                            {"after the table: not extrapolated", 250, -4, 6},
                                                            {"exactly the first row", 100, 2, 2},
                                                            {"exactly the last row", 200, -4, 6},
                                                        });
}

TEST(CrossSlope, RowStationsGiveThatRowExactly) {
    const Superelevation t = table({row(0, 1.5, -1.5), row(80, 2, 3), row(130, -2.5, 4), row(300, 0.3, 0.7)});
    for (const auto& r : t.records()) {
        SCOPED_TRACE(r.station);
        const auto [left, right] = CrossSlopesAt(t, r.station);
        EXPECT_EQ(left, r.leftSlope);
        EXPECT_EQ(right, r.rightSlope);
    }
}

TEST(CrossSlope, OneRowHoldsEverywhere) {
    checkRows(table({row(500, 3, -2)}), {
                                            {"before", -1e6, 3, -2},
                                            {"on the row", 500, 3, -2},
                                            {"after", 1e6, 3, -2},
                                        });
}

TEST(CrossSlope, RowsAtOneStationJumpToTheLaterRow) {
    checkRows(table({row(100, 2, 2), row(200, -4, 6), row(200, 3, -3), row(300, 1, 1)}),
              {
                  {"just before the doubled station: earlier row's side", std::nextafter(200.0, 0.0), -4, 6},
                  {"on the doubled station: later row", 200, 3, -3},
                  {"after it: from the later row", 250, 2, -1},
              });
    checkRows(table({row(100, 1, 1), row(100, 5, 5), row(200, 7, 7)}), {
                                                                           {"doubled first station", 100, 5, 5},
                                                                           {"before it: first row", 99, 1, 1},
                                                                       });
    checkRows(table({row(100, 1, 1), row(200, 5, 5), row(200, 7, 7)}), {
                                                                           {"doubled last station", 200, 7, 7},
                                                                       });
}

TEST(CrossSlope, ContinuousAtInteriorRowsAndBoundedByNeighbours) {
    const Superelevation t = table({row(0, 2, 2), row(40, -2, 2), row(90, -2, 6), row(100, 4, -4)});
    for (std::size_t k = 1; k + 1 < t.records().size(); ++k) {
        const Station s = t.records()[k].station;
        SCOPED_TRACE(s);
        const auto before = CrossSlopesAt(t, std::nextafter(s, -1e9));
        const auto on = CrossSlopesAt(t, s);
        EXPECT_NEAR(before.leftSlope, on.leftSlope, 1e-9);
        EXPECT_NEAR(before.rightSlope, on.rightSlope, 1e-9);
    }
    for (double s = 0; s < 100; s += 0.5) {
        std::size_t k = 0;
        while (t.records()[k + 1].station <= s) ++k;
        const auto& a = t.records()[k];
        const auto& b = t.records()[k + 1];
        const auto [left, right] = CrossSlopesAt(t, s);
        EXPECT_GE(left, std::min(a.leftSlope, b.leftSlope) - 1e-12) << s;
        EXPECT_LE(left, std::max(a.leftSlope, b.leftSlope) + 1e-12) << s;
        EXPECT_GE(right, std::min(a.rightSlope, b.rightSlope) - 1e-12) << s;
        EXPECT_LE(right, std::max(a.rightSlope, b.rightSlope) + 1e-12) << s;
    }
}

TEST(SuperelevationErrors, EmptyTablesAndNonFiniteValuesAreCalculationErrors) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    const Superelevation good = table({row(100, 2, 2), row(200, -4, 6)});
    EXPECT_THROW(CrossSlopesAt(Superelevation{}, 0), CalcError);  // never built
    EXPECT_THROW(table({}), FormatError);                         // a table must have a row
    EXPECT_THROW(CrossSlopesAt(good, nan), CalcError);
    EXPECT_THROW(CrossSlopesAt(good, -inf), CalcError);
    EXPECT_THROW(CrossSlopesAt(table({row(100, 2, 2), row(nan, -4, 6)}), 50), CalcError);
    EXPECT_THROW(CrossSlopesAt(table({row(100, 2, inf), row(200, -4, 6)}), 250), CalcError);
    EXPECT_THROW(CrossSlopesAt(table({row(0, -1e308, 0), row(1e-10, 1e308, 0)}), 5e-11), CalcError);  // slope overflows
}
