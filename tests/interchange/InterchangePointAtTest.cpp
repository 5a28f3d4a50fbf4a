#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <limits>
#include <string>

#include "common/Errors.h"
#include "interchange/ElementChain.h"

using namespace tavrel;

namespace {

constexpr double kMm = 1e-3;                // m: results are printed to the millimetre
constexpr double kAngleTol = 1e-6;          // rad: 1 mm across a 1 km lever
constexpr double kRounding = 1e-9;          // m or rad: closed forms and series, rounding only
constexpr double kStartAzimuth = 135.5125;  // decimal degrees

// Every kind of element, turning both ways: straights, spirals from and to straights, arcs, spirals between
// radii with the radius shrinking and growing, a compound spiral whose clothoid origin lies 12 km away, an
// S-shaped spiral, and radius 10000 (finite) next to 9999 (straight).
const std::vector<AlignmentElement> kMixedRamp = {
    {9999, 9999, 80}, {9999, 300, 60},  {300, 300, 120},   {300, 600, 50},     {600, 200, 70},
    {200, 200, 50},   {200, -250, 90},  {-250, -250, 80},  {-250, -500, 40},   {-500, -150, 60},
    {-150, 9999, 70}, {9999, 9999, 50}, {9999, 10000, 60}, {10000, 10000, 30}, {1000, 995, 60},
    {995, 9999, 40},  {9999, -400, 45}, {-400, 9999, 45},  {9999, 9999, 25},
};

ElementInput mixedInput() { return {1000, 500, 200, 0, kMixedRamp}; }

ElementChain chainOf(const ElementInput& in, double azimuthDegrees = kStartAzimuth) {
    ElementInput withAzimuth = in;
    withAzimuth.elementStartAzimuth = azimuthDegrees;
    return BuildElementChain(withAzimuth);
}

double curvature(double radius) { return radius == InfiniteRadius ? 0 : 1 / radius; }

// Reference ramp from the raw elements (S-shapes unsplit): the bearing integrates the linearly varying
// curvature in closed form, the position integrates (cos, sin) of it by composite Simpson in steps <= 0.25 m.
struct IntegratedRamp {
    struct Start {
        Station s;
        Point p;
        double bearing;
    };
    std::vector<AlignmentElement> elements;
    std::vector<Start> starts;  // one per element, then the end

    IntegratedRamp(const ElementInput& in, double azimuthDegrees) : elements(in.elements) {
        starts.push_back({in.elementStartStation, {in.elementStartX, in.elementStartY}, azimuthDegrees * kPi / 180});
        for (std::size_t k = 0; k < in.elements.size(); ++k) starts.push_back(along(k, in.elements[k].length));
    }
    Start along(std::size_t k, double l) const {
        const AlignmentElement& e = elements[k];
        const Start& a = starts[k];
        const double k1 = curvature(e.startRadius), dk = curvature(e.endRadius) - k1;
        const auto beta = [&](double t) { return a.bearing + k1 * t + dk * t * t / (2 * e.length); };
        const int steps = 2 * std::max(1, static_cast<int>(std::ceil(l / 0.5)));
        const double h = l / steps;
        Point sum = Direction(beta(0)) + Direction(beta(l));
        for (int i = 1; i < steps; ++i) sum = sum + (i % 2 ? 4.0 : 2.0) * Direction(beta(i * h));
        return {a.s + l, a.p + (h / 3) * sum, beta(l)};
    }
    Start at(Station s) const {
        std::size_t k = 0;
        while (k + 2 < starts.size() && s >= starts[k + 1].s) ++k;
        return along(k, s - starts[k].s);
    }
};

// A long ramp of repeated straight - spiral - arc - compound spiral - arc - spiral groups, alternating sides,
// with pseudo-random radii (150 ... 900 m) and lengths.
std::vector<AlignmentElement> generatedRamp(std::size_t count) {
    unsigned seed = 12345;
    const auto uniform = [&](double lo, double hi) {
        seed = seed * 1103515245u + 12345u;
        return lo + (hi - lo) * ((seed >> 8) & 0xffff) / 65535.0;
    };
    std::vector<AlignmentElement> e;
    for (double side = 1; e.size() < count; side = -side) {
        const double r1 = side * uniform(150, 500), r2 = side * uniform(520, 900);
        e.insert(e.end(), {{9999, 9999, uniform(20, 200)},
                           {9999, r1, uniform(30, 90)},
                           {r1, r1, uniform(10, 150)},
                           {r1, r2, uniform(30, 80)},
                           {r2, r2, uniform(10, 100)},
                           {r2, 9999, uniform(30, 90)}});
    }
    e.resize(count);
    return e;
}

double angleBetween(double a, double b) { return std::fabs(std::remainder(a - b, 2 * kPi)); }

}  // namespace

TEST(InterchangePointAt, WorkedExamples) {
    {
        SCOPED_TRACE("a quarter of a circle of radius 200 starting at (0, 0) with bearing 0");
        const auto r = InterchangePointAt(BuildElementChain({0, 0, 0, 0, {{200, 200, 200 * kPi}}}), 100 * kPi);
        EXPECT_NEAR(r.p.x, 200, kRounding);
        EXPECT_NEAR(r.p.y, 200, kRounding);
        EXPECT_NEAR(r.bearing, kPi / 2, kRounding);
    }
    {
        SCOPED_TRACE("end of a spiral (9999, 300, 60): turned 0.1, about 2 m right of the start tangent");
        const auto c = BuildElementChain({0, 0, 0, 0, {{9999, 300, 60}, {9999, 9999, 10}}});
        const auto r = InterchangePointAt(c, std::nextafter(60.0, 0.0));
        EXPECT_NEAR(r.bearing, 0.1, kRounding);
        EXPECT_NEAR(r.p.y, 1.9985717, 1e-6);  // l^3/(6 A^2) - l^7/(336 A^6), A^2 = 18000
    }
    {
        SCOPED_TRACE("an empty chain is the straight line through the start point");
        const auto c = BuildElementChain({100, 1, 2, 90, {}});
        for (double s : {50.0, 100.0, 130.0}) {
            const auto r = InterchangePointAt(c, s);
            EXPECT_NEAR(r.p.x, 1, kRounding);
            EXPECT_NEAR(r.p.y, 2 + (s - 100), kRounding);
            EXPECT_NEAR(r.bearing, kPi / 2, kRounding);
        }
    }
}

TEST(InterchangePointAt, StationsOnNodesAndBeyondTheEnds) {
    const auto c = chainOf(mixedInput());
    const std::size_t last = c.nodeStation().size() - 1;
    for (std::size_t k = 0; k <= last; ++k) {
        SCOPED_TRACE("node " + std::to_string(k));
        const auto r = InterchangePointAt(c, c.nodeStation()[k]);
        EXPECT_NEAR(r.p.x, c.nodeX()[k], kRounding);
        EXPECT_NEAR(r.p.y, c.nodeY()[k], kRounding);
        EXPECT_NEAR(angleBetween(r.bearing, c.nodeBearing()[k]), 0, kRounding);
    }
    const auto before = InterchangePointAt(c, c.nodeStation()[0] - 10);
    EXPECT_NEAR(before.p.x, c.nodeX()[0] - 10 * std::cos(c.nodeBearing()[0]), kRounding);
    EXPECT_NEAR(before.p.y, c.nodeY()[0] - 10 * std::sin(c.nodeBearing()[0]), kRounding);
    const auto beyond = InterchangePointAt(c, c.nodeStation()[last] + 10);
    EXPECT_NEAR(beyond.p.x, c.nodeX()[last] + 10 * std::cos(c.nodeBearing()[last]), kRounding);
    EXPECT_NEAR(beyond.p.y, c.nodeY()[last] + 10 * std::sin(c.nodeBearing()[last]), kRounding);
    EXPECT_EQ(beyond.bearing, c.nodeBearing()[last]);
}

TEST(InterchangePointAt, AgreesWithIntegratedCurvatureAlongAMixedRamp) {
    const ElementInput in = mixedInput();
    const auto c = chainOf(in);
    const IntegratedRamp reference(in, kStartAzimuth);
    for (Station s = c.nodeStation().front(); s <= c.nodeStation().back(); s += 3.7) {
        SCOPED_TRACE(s);
        const auto got = InterchangePointAt(c, s);
        const auto want = reference.at(s);
        EXPECT_LE(Distance(got.p, want.p), kMm);
        EXPECT_LE(angleBetween(got.bearing, want.bearing), kAngleTol);
    }
    const auto& end = reference.starts.back();
    EXPECT_LE(Distance({c.nodeX().back(), c.nodeY().back()}, end.p), kMm);
    EXPECT_LE(angleBetween(c.nodeBearing().back(), end.bearing), kAngleTol);
}

TEST(InterchangePointAt, LeftHandElementsMirrorRightHandOnes) {
    std::vector<AlignmentElement> mirrored = kMixedRamp;
    for (auto& e : mirrored) {
        if (e.startRadius != InfiniteRadius) e.startRadius = -e.startRadius;
        if (e.endRadius != InfiniteRadius) e.endRadius = -e.endRadius;
    }
    const auto right = chainOf({0, 0, 0, 0, kMixedRamp}, 0), left = chainOf({0, 0, 0, 0, mirrored}, 0);
    for (Station s = -5; s < right.nodeStation().back() + 5; s += 4.3) {
        SCOPED_TRACE(s);
        const auto r = InterchangePointAt(right, s), l = InterchangePointAt(left, s);
        EXPECT_NEAR(l.p.x, r.p.x, kRounding);
        EXPECT_NEAR(l.p.y, -r.p.y, kRounding);
        EXPECT_NEAR(angleBetween(l.bearing, -r.bearing), 0, kRounding);
    }
}

TEST(InterchangePointAt, ContinuousAtEveryNode) {
    for (const auto& [name, elements] : {std::pair{"mixed ramp", kMixedRamp}, {"999 elements", generatedRamp(999)}}) {
        SCOPED_TRACE(name);
        const auto c = chainOf({0, 3346000, 512800, 0, elements});
        for (std::size_t k = 1; k < c.nodeStation().size(); ++k) {
            SCOPED_TRACE("node " + std::to_string(k));
            const auto before = InterchangePointAt(c, c.nodeStation()[k] - 1e-7);
            const auto at = InterchangePointAt(c, c.nodeStation()[k]);
            EXPECT_LE(Distance(before.p, at.p), kMm);
            EXPECT_LE(angleBetween(before.bearing, at.bearing), kAngleTol);
        }
    }
}

TEST(InterchangePointAt, StepsOfHalfAMetreAreHalfAMetreApartAlongTheBearing) {
    const auto c = chainOf(mixedInput());
    constexpr double step = 0.5, h = 1e-3;
    const auto nearNode = [&](Station s) {
        return std::any_of(c.nodeStation().begin(), c.nodeStation().end(),
                           [&](Station n) { return std::fabs(n - s) <= 2 * h; });
    };
    for (Station s = c.nodeStation().front() - 3; s < c.nodeStation().back() + 3; s += step) {
        SCOPED_TRACE(s);
        const auto a = InterchangePointAt(c, s), b = InterchangePointAt(c, s + step);
        // A chord over a turn of t is shorter than its arc by t^2/24 of it.
        const double turn = angleBetween(a.bearing, b.bearing);
        EXPECT_NEAR(Distance(a.p, b.p), step * (1 - turn * turn / 24), 1e-6);
        if (nearNode(s)) continue;
        const auto ahead = InterchangePointAt(c, s + h), behind = InterchangePointAt(c, s - h);
        const double chordBearing = std::atan2(ahead.p.y - behind.p.y, ahead.p.x - behind.p.x);
        EXPECT_LE(angleBetween(chordBearing, a.bearing), 1e-7);
    }
}

TEST(InterchangePointAt, BinarySearchFindsTheElementTheScanFinds) {
    const auto fast = chainOf({0, 0, 0, 0, generatedRamp(999)});
    ASSERT_TRUE(fast.nodeStationsAscending());
    std::vector<Station> stations;
    for (Station n : fast.nodeStation())
        stations.insert(stations.end(), {n, std::nextafter(n, -1e9), std::nextafter(n, 1e9)});
    for (int i = -10; i <= 3010; ++i) stations.push_back(fast.nodeStation().back() * i / 3000.0);
    for (Station s : stations) ASSERT_EQ(ElementIndexAt(fast, s), ElementIndexAtByScan(fast, s)) << "station " << s;
}

TEST(InterchangePointAt, ElementOfNegativeLengthTakesTheFirstMatchingElement) {
    // Node stations 0, 100, 60, 160: station 80 lies on the first straight, 110 on the arc after the step back.
    const auto c = BuildElementChain({0, 0, 0, 0, {{9999, 9999, 100}, {9999, 9999, -40}, {300, 300, 100}}});
    EXPECT_FALSE(c.nodeStationsAscending());
    EXPECT_NEAR(InterchangePointAt(c, 80).p.x, 80, kRounding);
    const auto same = BuildElementChain({0, 0, 0, 0, {{9999, 9999, 60}, {300, 300, 100}}});
    const auto got = InterchangePointAt(c, 110), want = InterchangePointAt(same, 110);
    EXPECT_NEAR(got.p.x, want.p.x, kRounding);
    EXPECT_NEAR(got.p.y, want.p.y, kRounding);
    EXPECT_NEAR(got.bearing, want.bearing, kRounding);
}

TEST(InterchangePointAt, UnbuiltChainOrNonFiniteStationIsACalculationError) {
    EXPECT_THROW(InterchangePointAt(ElementChain{}, 0), CalcError);
    const auto c = chainOf(mixedInput());
    EXPECT_THROW(InterchangePointAt(c, std::numeric_limits<double>::quiet_NaN()), CalcError);
    EXPECT_THROW(InterchangePointAt(c, std::numeric_limits<double>::infinity()), CalcError);
}
