#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

#include "common/Errors.h"
#include "profile/Profile.h"

using namespace tavrel;

namespace {

ProfilePoint point(Station station, double elevation, double radius) {
    ProfilePoint p;
    p.station = station;
    p.elevation = elevation;
    p.radius = radius;
    return p;
}

// Rises 2 % to a crest at 200 (R 10000, T 150, curve 50..350), then falls 1 %.
Profile crestExample() { return ProfileBuild({point(0, 100, 0), point(200, 104, 10000), point(400, 102, 0)}); }

// Falls 2 % into a sag at 100 (R 5000, T 75, curve 25..175), then rises 1 %.
Profile sagExample() { return ProfileBuild({point(0, 100, 0), point(100, 98, 5000), point(200, 99, 0)}); }

// Every kind of point in one profile: crest (R 6000, curve 60..240), sag given by its tangent length 40
// (curve 260..340), a sharp change without curve at 420, a long sag (R 12000) at 600.
Profile mixedProfile() {
    return ProfileBuild({point(0, 50, 0), point(150, 53, 6000), point(300, 51.5, -40), point(420, 52.7, 0),
                         point(600, 49, 12000), point(800, 50, 0)});
}

double at(const Profile& p, Station s) { return ProfileElevationAt(p, s); }
double below(double s) { return std::nextafter(s, -std::numeric_limits<double>::infinity()); }

// One-sided slopes over a step of h metres.
constexpr double kSlopeStep = 1e-3;  // m: small against any curve, large against rounding of elevations
double slopeBefore(const Profile& p, Station s) { return (at(p, s) - at(p, s - kSlopeStep)) / kSlopeStep; }
double slopeAfter(const Profile& p, Station s) { return (at(p, s + kSlopeStep) - at(p, s)) / kSlopeStep; }

constexpr double kElevTol = 1e-9;  // m: hand-worked values, far below the 1 mm the tables print
constexpr double kJumpTol = 1e-9;  // m: the largest step allowed across a boundary
// Over kSlopeStep a parabola of radius >= 4000 bends the slope by at most 1e-3/4000; rounding adds ~1e-10.
constexpr double kSlopeTol = 1e-6;

}  // namespace

TEST(ProfileBuild, DerivesGradesTangentLengthsAndCurveEnds) {
    const Profile p = crestExample();
    ASSERT_EQ(p.points().size(), 3u);
    EXPECT_NEAR(p.points()[0].grade, 0.02, 1e-15);
    EXPECT_NEAR(p.points()[1].grade, -0.01, 1e-15);
    EXPECT_EQ(p.points()[2].grade, 0);
    EXPECT_EQ(p.points()[0].gradeChange, 0);
    EXPECT_NEAR(p.points()[1].gradeChange, -0.03, 1e-15);
    EXPECT_EQ(p.points()[2].gradeChange, 0);
    EXPECT_EQ(p.points()[0].tangentLength, 0);
    EXPECT_NEAR(p.points()[1].tangentLength, 150, 1e-9);
    EXPECT_EQ(p.points()[2].tangentLength, 0);
    EXPECT_EQ(p.points()[0].curveEnd, 0);
    EXPECT_NEAR(p.points()[1].station - p.points()[1].tangentLength, 50, 1e-9);
    EXPECT_NEAR(p.points()[1].curveEnd, 350, 1e-9);
    EXPECT_EQ(p.points()[2].curveEnd, 400);
}

TEST(ProfileBuild, NegativeRadiusIsTheTangentLength) {
    // Grades -2 % and +1 %: a tangent length of 60 m needs R = 2 * 60 / 0.03 = 4000.
    const Profile p = ProfileBuild({point(0, 100, 0), point(100, 98, -60), point(300, 100, 0)});
    EXPECT_NEAR(p.points()[1].radius, 4000, 1e-6);
    EXPECT_NEAR(p.points()[1].tangentLength, 60, 1e-9);
    EXPECT_NEAR(p.points()[1].station - p.points()[1].tangentLength, 40, 1e-9);
    EXPECT_NEAR(p.points()[1].curveEnd, 160, 1e-9);
    EXPECT_NEAR(at(p, 40), 100 - 0.02 * 40, kElevTol);               // curve start on the incoming grade
    EXPECT_NEAR(at(p, 160), 98 + 0.01 * 60, kElevTol);               // curve end on the outgoing grade
    EXPECT_NEAR(at(p, 100), 98 + 60.0 * 60 / (2 * 4000), kElevTol);  // external distance of a sag: above
}

TEST(ProfileBuild, EndPointRadiiAreIgnored) {
    const Profile plain = crestExample();
    const Profile odd = ProfileBuild({point(0, 100, -75), point(200, 104, 10000), point(400, 102, 5000)});
    EXPECT_EQ(odd.points()[0].tangentLength, 0);
    EXPECT_EQ(odd.points()[2].tangentLength, 0);
    for (double s : {-10.0, 0.0, 30.0, 200.0, 380.0, 400.0, 420.0}) EXPECT_EQ(at(odd, s), at(plain, s)) << s;
}

TEST(ProfileBuild, RebuildingABuiltProfileChangesNothing) {
    const Profile once = ProfileBuild({point(0, 100, 0), point(100, 98, -60), point(300, 100, 0)});
    const Profile twice = ProfileBuild(once.points());
    for (std::size_t k = 0; k < once.points().size(); ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(twice.points()[k].radius, once.points()[k].radius);
        EXPECT_EQ(twice.points()[k].tangentLength, once.points()[k].tangentLength);
        EXPECT_EQ(twice.points()[k].curveEnd, once.points()[k].curveEnd);
    }
}

TEST(ProfileElevation, CrestExampleStations) {
    const Profile p = crestExample();
    struct Row {
        const char* name;
        Station station;
        double elevation;
    } rows[] = {
        {"before the first point: first grade extended", -50, 99},
        {"exactly the first point", 0, 100},
        {"straight grade before the curve", 20, 100.4},
        {"curve start: on the incoming grade", 50, 101},
        {"first half of the curve", 100, 102 - 50.0 * 50 / 20000},
        {"grade-change point: external distance below", 200, 104 - 150.0 * 150 / 20000},
        {"second half of the curve", 300, 103 - 50.0 * 50 / 20000},
        {"curve end: on the outgoing grade", 350, 102.5},
        {"straight grade after the curve", 380, 102.2},
        {"exactly the last point", 400, 102},
        {"after the last point: last grade extended", 450, 101.5},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_NEAR(at(p, row.station), row.elevation, kElevTol);
    }
}

TEST(ProfileElevation, TwoPointsAreOneStraightGrade) {
    const Profile p = ProfileBuild({point(10, 20, 0), point(110, 21, 0)});
    EXPECT_NEAR(at(p, 0), 19.9, kElevTol);
    EXPECT_NEAR(at(p, 60), 20.5, kElevTol);
    EXPECT_NEAR(at(p, 110), 21, kElevTol);
    EXPECT_NEAR(at(p, 210), 22, kElevTol);
}

TEST(ProfileElevation, RadiusZeroIsASharpGradeChange) {
    const Profile p = ProfileBuild({point(0, 100, 0), point(100, 102, 0), point(200, 101, 0)});
    EXPECT_EQ(p.points()[1].tangentLength, 0);
    EXPECT_EQ(at(p, 100), 102);  // on the outgoing grade, which starts at the point's own elevation
    EXPECT_NEAR(at(p, 50), 101, kElevTol);
    EXPECT_NEAR(at(p, 150), 101.5, kElevTol);
    EXPECT_NEAR(slopeBefore(p, 100), 0.02, kSlopeTol);
    EXPECT_NEAR(slopeAfter(p, 100), -0.01, kSlopeTol);
}

TEST(VerticalCurve, SagLiesAboveItsTangentsAndCrestBelow) {
    struct Row {
        const char* name;
        Profile profile;
        double sign;  // +1 sag, -1 crest
        Station start, vertex, end;
        double radius;
    } rows[] = {
        {"sag -2 % / +1 %", sagExample(), +1, 25, 100, 175, 5000},
        {"crest +2 % / -1 %", crestExample(), -1, 50, 200, 350, 10000},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const auto& in = row.profile.points()[0];
        const auto& v = row.profile.points()[1];
        for (double s = row.start + 1; s < row.end; s += 1) {
            const double incoming = in.elevation + (s - in.station) * in.grade;
            const double outgoing = v.elevation + (s - v.station) * v.grade;
            const double e = at(row.profile, s);
            EXPECT_GT(row.sign * (e - incoming), 0) << s;
            EXPECT_GT(row.sign * (e - outgoing), 0) << s;
            // A parabola: the second difference over 1 m is the curvature +-1/R everywhere on the curve.
            const double second = at(row.profile, s + 0.5) - 2 * e + at(row.profile, s - 0.5);
            EXPECT_NEAR(second / 0.25, row.sign / row.radius, 1e-8) << s;
        }
        const double t = row.end - row.vertex;
        EXPECT_NEAR(at(row.profile, row.vertex), v.elevation + row.sign * t * t / (2 * row.radius), kElevTol);
    }
}

TEST(VerticalCurve, MeetsItsTangentsAtStartAndEnd) {
    const Profile p = mixedProfile();
    for (std::size_t k = 1; k + 1 < p.points().size(); ++k) {
        SCOPED_TRACE(k);
        const auto& prev = p.points()[k - 1];
        const auto& c = p.points()[k];
        const Station start = c.station - c.tangentLength;
        EXPECT_NEAR(at(p, start), prev.elevation + (start - prev.station) * prev.grade, kElevTol);
        EXPECT_NEAR(at(p, c.curveEnd), c.elevation + (c.curveEnd - c.station) * c.grade, kElevTol);
    }
}

TEST(ProfileContinuity, NoJumpAtCurveStartsEndsAndGradePoints) {
    const Profile p = mixedProfile();
    std::vector<Station> boundaries;
    for (const auto& c : p.points()) {
        boundaries.push_back(c.station - c.tangentLength);
        boundaries.push_back(c.station);
        boundaries.push_back(c.curveEnd);
    }
    for (Station s : boundaries) {
        SCOPED_TRACE(s);
        EXPECT_NEAR(at(p, below(s)), at(p, s), kJumpTol);
        EXPECT_NEAR(at(p, s - 1e-7), at(p, s + 1e-7), 1e-8);  // 2e-7 m apart at grades near 2 %: ~4e-9 m
    }
}

TEST(ProfileContinuity, SlopeIsContinuousAcrossEveryVerticalCurve) {
    const Profile p = mixedProfile();
    for (std::size_t k = 1; k + 1 < p.points().size(); ++k) {
        const auto& c = p.points()[k];
        if (c.tangentLength == 0) {
            // The one point without a curve is the control: there the slope must jump by its grade change.
            EXPECT_NEAR(slopeAfter(p, c.station) - slopeBefore(p, c.station), c.gradeChange, kSlopeTol);
            continue;
        }
        SCOPED_TRACE(k);
        const Station start = c.station - c.tangentLength;
        EXPECT_NEAR(slopeBefore(p, start), p.points()[k - 1].grade, kSlopeTol);
        EXPECT_NEAR(slopeAfter(p, start), p.points()[k - 1].grade, kSlopeTol);
        EXPECT_NEAR(slopeBefore(p, c.station), slopeAfter(p, c.station), kSlopeTol);
        EXPECT_NEAR(slopeBefore(p, c.curveEnd), c.grade, kSlopeTol);
        EXPECT_NEAR(slopeAfter(p, c.curveEnd), c.grade, kSlopeTol);
    }
}

// The curve of a point given by kind: a parabola by its lengths in and out, or a circle of radius r.
ProfilePoint curvePoint(Station station, double elevation, VerticalCurveKind kind, double radius, double in = 0,
                        double out = 0) {
    ProfilePoint p = point(station, elevation, radius);
    p.curveKind = kind;
    p.lengthIn = in;
    p.lengthOut = out;
    return p;
}

// Radius of the circle through three points (station, elevation): abc / (4 area).
double circumradius(const Profile& p, Station a, Station b, Station c) {
    const double ax = a, ay = at(p, a), bx = b, by = at(p, b), cx = c, cy = at(p, c);
    const double area2 = std::abs((bx - ax) * (cy - ay) - (cx - ax) * (by - ay));
    return std::hypot(bx - ax, by - ay) * std::hypot(cx - bx, cy - by) * std::hypot(ax - cx, ay - cy) / (2 * area2);
}

TEST(VerticalCurve, ParabolaByLengthsAndCircleTouchBothGradesSmoothly) {
    using K = VerticalCurveKind;
    struct Row {
        const char* name;
        Profile profile;
        double middleOrdinate;  // elevation at the point minus the point's elevation; NaN: not checked
    } rows[] = {
        // Grades +2 % / -1.5 %: the textbook middle ordinate w T1 T2 / (2 (T1 + T2)) with w = -0.035.
        {"unequal parabola 120 / 60",
         ProfileBuild({point(0, 20, 0), curvePoint(200, 24, K::ParabolaByLengths, 0, 120, 60), point(400, 21, 0)}),
         -0.035 * 120 * 60 / (2 * 180)},
        {"crest circle R 3000",
         ProfileBuild({point(0, 100, 0), curvePoint(150, 106, K::Circle, 3000), point(300, 103, 0)}), NAN},
        {"sag circle R 4000",
         ProfileBuild({point(0, 100, 0), curvePoint(200, 96, K::Circle, 4000), point(400, 100, 0)}), NAN},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const Profile& p = row.profile;
        const ProfilePoint &in = p.points()[0], &c = p.points()[1];
        const Station start = c.station - c.tangentLengthIn, end = c.curveEnd;
        EXPECT_NEAR(at(p, start), in.elevation + (start - in.station) * in.grade, kElevTol);
        EXPECT_NEAR(at(p, end), c.elevation + (end - c.station) * c.grade, kElevTol);
        EXPECT_NEAR(slopeAfter(p, start), in.grade, kSlopeTol);
        EXPECT_NEAR(slopeBefore(p, end), c.grade, kSlopeTol);
        EXPECT_NEAR(slopeBefore(p, c.station), slopeAfter(p, c.station), kSlopeTol);
        if (!std::isnan(row.middleOrdinate)) {
            EXPECT_NEAR(at(p, c.station) - c.elevation, row.middleOrdinate, kElevTol);
        }
        if (c.curveKind != K::Circle) continue;
        // A circle: any three of its points give its radius, and its arc is R |atan g2 - atan g1| long.
        EXPECT_NEAR(circumradius(p, start + 5, c.station + 3, end - 7), c.radius, 1e-4);
        double arc = 0;
        for (Station s = start; s < end; s += 0.01)
            arc += std::hypot(std::min(0.01, end - s), at(p, std::min(s + 0.01, end)) - at(p, s));
        EXPECT_NEAR(arc, c.radius * std::abs(std::atan(c.grade) - std::atan(in.grade)), 1e-6);
    }
    // Equal lengths are the symmetric parabola of the profile file, with the radius 2T / |w|.
    const Profile byLengths =
        ProfileBuild({point(0, 100, 0), curvePoint(200, 104, K::ParabolaByLengths, 0, 150, 150), point(400, 102, 0)});
    for (Station s = -10; s < 410; s += 3.7) EXPECT_NEAR(at(byLengths, s), at(crestExample(), s), 1e-12) << s;
}

TEST(ProfileElevation, OverlappingCurvesStillFollowTheSegmentRules) {
    // Not checked, and not an error: R 20000 at 100 gives T 300, a curve from -200 to 400 that swallows the points
    // at 150 and 300. The curve ends (0, 400, 150, 300, 500) are out of order, so two segments can match.
    const Profile p = ProfileBuild(
        {point(0, 100, 0), point(100, 102, 20000), point(150, 101.5, 0), point(300, 103, 0), point(500, 102, 0)});
    struct Row {
        const char* name;
        Station station;
        double elevation;
    } rows[] = {
        {"first half of the long curve", 50, 100 + 0.02 * 50 - 250.0 * 250 / 40000},
        {"segments 1 and 3 match: the first wins", 200, 102 - 0.01 * 100 - 200.0 * 200 / 40000},
        {"no segment matches: the last one takes it", 450, 103 - 0.005 * 150},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_NEAR(at(p, row.station), row.elevation, kElevTol);
    }
}

TEST(ProfileErrors, UnbuildableProfilesAreCalculationErrors) {
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const double inf = std::numeric_limits<double>::infinity();
    struct Row {
        const char* name;
        std::vector<ProfilePoint> points;
    } rows[] = {
        {"no point", {}},
        {"one point", {point(0, 100, 0)}},
        {"two points at one station", {point(0, 100, 0), point(100, 101, 0), point(100, 102, 0)}},
        {"tangent length where the grade does not change",
         {point(0, 100, 0), point(100, 101, -50), point(200, 102, 0)}},
        {"NaN elevation", {point(0, 100, 0), point(100, nan, 0)}},
        {"infinite station", {point(0, 100, 0), point(inf, 101, 0)}},
        {"infinite radius", {point(0, 100, 0), point(100, 101, inf), point(200, 100, 0)}},
        {"grade overflows", {point(0, -1e308, 0), point(1e-10, 1e308, 0)}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        EXPECT_THROW(ProfileBuild(row.points), CalcError);
    }
}

TEST(ProfileErrors, LookupsWithoutAnAnswerAreCalculationErrors) {
    const Profile good = crestExample();
    EXPECT_THROW(at(good, std::numeric_limits<double>::quiet_NaN()), CalcError);
    EXPECT_THROW(at(good, std::numeric_limits<double>::infinity()), CalcError);
    EXPECT_THROW(at(Profile{}, 0), CalcError);  // never built: no point
}
