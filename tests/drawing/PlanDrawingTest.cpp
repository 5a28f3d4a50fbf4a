#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <set>

#include "common/NumberText.h"
#include "drawing/BuildPlan.h"
#include "drawing/CentrelineSampling.h"
#include "drawing/Dxf.h"
#include "drawing/ExampleDrawings.h"
#include "drawing/Sheet.h"
#include "input/LayoutFile.h"
#include "pedestal/Calculate.h"
#include "pedestal/TestRoads.h"

using namespace tavrel;
using tavrel::testing::kExampleNames;
using tavrel::testing::RunExample;

namespace {

// Distance of p from the segment ab.
double offSegment(Point p, Point a, Point b) {
    const Point ab = b - a, ap = p - a;
    const double len2 = ab.x * ab.x + ab.y * ab.y;
    const double t = len2 == 0 ? 0 : std::clamp((ap.x * ab.x + ap.y * ab.y) / len2, 0.0, 1.0);
    return Distance(p, a + t * ab);
}

// Whether two convex quadrilaterals overlap (separating axis test on their edges).
bool overlap(const std::array<Point, 4>& a, const std::array<Point, 4>& b) {
    for (const auto* shape : {&a, &b}) {
        for (int k = 0; k < 4; ++k) {
            const Point e = (*shape)[(k + 1) % 4] - (*shape)[k];
            const Point n{-e.y, e.x};
            double aMin = INFINITY, aMax = -INFINITY, bMin = INFINITY, bMax = -INFINITY;
            for (Point p : a) {
                aMin = std::min(aMin, n.x * p.x + n.y * p.y);
                aMax = std::max(aMax, n.x * p.x + n.y * p.y);
            }
            for (Point p : b) {
                bMin = std::min(bMin, n.x * p.x + n.y * p.y);
                bMax = std::max(bMax, n.x * p.x + n.y * p.y);
            }
            if (aMax <= bMin || bMax <= aMin) return false;
        }
    }
    return true;
}

bool inside(Point p, const std::array<Point, 4>& q) {
    for (int k = 0; k < 4; ++k) {
        const Point e = q[(k + 1) % 4] - q[k], v = p - q[k];
        if (e.x * v.y - e.y * v.x < 0) return false;
    }
    return true;
}

// Whether the segment ab crosses or enters the convex quadrilateral q.
bool crosses(Point a, Point b, const std::array<Point, 4>& q) {
    if (inside(a, q) || inside(b, q)) return true;
    const auto side = [](Point p, Point r, Point s) { return (s.x - r.x) * (p.y - r.y) - (s.y - r.y) * (p.x - r.x); };
    for (int k = 0; k < 4; ++k) {
        const Point r = q[k], s = q[(k + 1) % 4];
        if (side(a, r, s) * side(b, r, s) < 0 && side(r, a, b) * side(s, a, b) < 0) return true;
    }
    return false;
}

std::vector<const DrawnLine*> linesOn(const PlanDrawing& d, DrawingLayer layer) {
    std::vector<const DrawnLine*> out;
    for (const DrawnLine& l : d.lines)
        if (l.layer == layer) out.push_back(&l);
    return out;
}

// The angle from bearing a to bearing b, in (-pi, pi].
double turn(double a, double b) { return std::remainder(b - a, 2 * kPi); }

}  // namespace

TEST(CentrelineSampling, ChordsStrayLessThanAMillimetreOnTightCurvesSpiralsAndTheirOffsetLines) {
    struct Row {
        const char* name;
        double radius, spiral;
    };
    const Row rows[] = {{"ramp circle R 25", 25, 0},
                        {"ramp circle R 60", 60, 0},
                        {"R 60 between 40 m spirals", 60, 40},
                        {"main line R 300 between 80 m spirals", 300, 80}};
    const std::vector<double> offsets{7.5, -7.5, 0.5, 12.5};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const ProjectData project = tavrel::testing::circularMainLine(r.radius, r.spiral);
        const PlanAlignment plan(tavrel::testing::mainLineOf(project));
        const CentrelineAt at = [&](Station s) { return plan.pointAt(s); };
        const std::vector<Station> s = SampleStations(at, 900, 1150, offsets, {1000.25});
        ASSERT_GE(s.size(), 2u);
        EXPECT_EQ(s.front(), 900);
        EXPECT_EQ(s.back(), 1150);
        EXPECT_TRUE(std::find(s.begin(), s.end(), 1000.25) != s.end());
        double worst = 0;
        for (std::size_t k = 1; k < s.size(); ++k) {
            ASSERT_LT(s[k - 1], s[k]);
            ASSERT_LE(s[k] - s[k - 1], kCoarseSampleStep + 1e-9);
            const PointAtStation a = at(s[k - 1]), b = at(s[k]);
            // A dense sampler between the two samples, on the centreline and every offset line.
            for (int j = 1; j < 16; ++j) {
                const PointAtStation m = at(s[k - 1] + (s[k] - s[k - 1]) * j / 16);
                worst = std::max(worst, offSegment(m.p, a.p, b.p));
                for (double o : offsets)
                    worst = std::max(worst, offSegment(OffsetPoint(m, o), OffsetPoint(a, o), OffsetPoint(b, o)));
            }
        }
        EXPECT_LT(worst, kChordTolerance);
        // Not wastefully dense either: the worst chord uses a fair share of the tolerance.
        EXPECT_GT(worst, kChordTolerance / 8);
    }
}

TEST(PlanDrawing, PierAxesCrossTheRoadAtTheSkewAngleWithTheirPedestalsAndEdgePointsOnThem) {
    for (const char* name : kExampleNames) {
        SCOPED_TRACE(name);
        const auto run = RunExample(name);
        const PlanDrawing& d = run.drawing;
        const auto axes = linesOn(d, DrawingLayer::PierAxis);
        const auto& piers = run.result.layout.piers;
        ASSERT_EQ(axes.size(), piers.size());  // one pier line per base station in the examples
        const Road road = run.project.road(ReadsPlan(run.mode));
        const double theta = DegreesToRadians(run.result.layout.skewAngle);
        for (std::size_t i = 0; i < piers.size(); ++i) {
            const Point left = axes[i]->points.front(), right = axes[i]->points.back();
            const double rightBearing = std::atan2(right.y - left.y, right.x - left.x);
            const double tangent = road.plan ? road.plan->pointAt(piers[i].baseStation).bearing : 0.0;
            EXPECT_NEAR(turn(tangent, rightBearing), theta, 1e-9);
            for (const PedestalMark& m : d.pedestals) {
                if (m.pier == i && piers[i].stationShift == 0) {
                    EXPECT_LT(offSegment(m.at, left, right), 1e-6);
                }
            }
        }
        // Four edge points per axis, each within a millimetre of its own axis.
        std::size_t edgePoints = 0;
        for (const DrawnPoint& p : d.points)
            if (p.layer == DrawingLayer::DeckEdge) {
                ++edgePoints;
                EXPECT_TRUE(std::any_of(axes.begin(), axes.end(), [&](const DrawnLine* a) {
                    return offSegment(p.at, a->points.front(), a->points.back()) < 1e-6;
                }));
            }
        EXPECT_EQ(edgePoints, 4 * axes.size());
    }
}

TEST(PlanDrawing, StraightRoadRunsAlongXFromTheFirstPierWithPedestalsAtTheirStationAndOffset) {
    const auto run = RunExample("straight");
    const PlanDrawing& d = run.drawing;
    EXPECT_FALSE(d.surveyCoordinates);
    const auto centre = linesOn(d, DrawingLayer::Centreline);
    ASSERT_EQ(centre.size(), 1u);
    for (Point p : centre[0]->points) EXPECT_EQ(p.y, 0);
    const Station origin = run.result.layout.piers.front().baseStation;
    // Independent of how the drawing places them: the calculation's station and offset of each pedestal.
    const auto& t = run.result.tables;
    ASSERT_EQ(d.pedestals.size(), 21u);  // 3#台 lists its right side only
    for (const PedestalMark& m : d.pedestals) {
        EXPECT_NEAR(m.at.x, t.pedestalStation[m.pier][m.pedestal] - origin, 1e-9);
        EXPECT_NEAR(m.at.y, -t.pedestalOffset[m.pier][m.pedestal], 1e-9);
        EXPECT_TRUE(Lists(run.result.layout.piers[m.pier].sideMark, run.result.layout.pedestalDistances[m.pedestal]));
    }
}

TEST(PlanDrawing, TicksEveryTenMetresOfWrittenStationAndTheChainBreakWithBothStations) {
    // The straight example: chain break 2350 -> 2360 (continuous 2350), piers at written 2370 ... 2445; the road
    // is drawn 20 m beyond the bridge: continuous 2340 to 2455, written 2340 to 2465.
    const auto run = RunExample("straight");
    std::set<std::string> ticks;
    std::vector<std::string> breaks;
    for (const DrawnText& t : run.drawing.texts) {
        if (t.text.rfind("K", 0) == 0 && t.text.find('.') == std::string::npos) ticks.insert(t.text);
        if (t.text.rfind("断链", 0) == 0) breaks.push_back(t.text);
    }
    std::set<std::string> expected{"K2+340"};
    for (int m = 370; m <= 460; m += 10) expected.insert("K2+" + std::to_string(m));
    EXPECT_EQ(ticks, expected);
    EXPECT_EQ(breaks, std::vector<std::string>{"断链 K2+350=K2+360"});

    // The main line (no break near the bridge): K12+580 to K12+710.
    const auto main = RunExample("mainline");
    std::set<std::string> mainTicks;
    for (const DrawnText& t : main.drawing.texts)
        if (t.text.rfind("K", 0) == 0 && t.text.find('.') == std::string::npos) mainTicks.insert(t.text);
    EXPECT_EQ(mainTicks.size(), 14u);
    EXPECT_EQ(*mainTicks.begin(), "K12+580");
    EXPECT_EQ(*mainTicks.rbegin(), "K12+710");
}

TEST(PlanLabels, NoTwoOverlapNoneHidesAPedestalAndAllReadLeftToRight) {
    for (const char* name : kExampleNames) {
        SCOPED_TRACE(name);
        const PlanDrawing d = RunExample(name).drawing;
        ASSERT_FALSE(d.texts.empty());
        for (std::size_t a = 0; a < d.texts.size(); ++a) {
            const auto outline = TextOutline(d.texts[a]);
            EXPECT_GE(d.texts[a].bearing, 0);
            EXPECT_LT(d.texts[a].bearing, kPi);
            for (std::size_t b = a + 1; b < d.texts.size(); ++b)
                EXPECT_FALSE(overlap(outline, TextOutline(d.texts[b]))) << d.texts[a].text << " / " << d.texts[b].text;
            for (const PedestalMark& m : d.pedestals) EXPECT_FALSE(inside(m.at, outline)) << d.texts[a].text;
        }
    }
}

TEST(PlanLabels, PierAndStationLabelsStayOffTheDeckEdgesAndTheCentreline) {
    std::vector<std::pair<std::string, PlanDrawing>> drawings;
    for (const char* name : kExampleNames) drawings.emplace_back(name, RunExample(name).drawing);
    // A strongly skewed bridge: the deck edges run close along the pier axes.
    ProjectData project = tavrel::testing::straightRoad();
    const Road road = project.road(false);
    const PedestalLayout layout =
        ReadLayoutFile("30\r\n-4 4\r\n1#墩 500 1.5 0.3\r\n2#墩 540 1.5 0.3\r\n", project.chainBreaks);
    drawings.emplace_back("skew 30", BuildPlanDrawing(road, CalculatePedestals(road, layout)));
    for (const auto& [name, d] : drawings) {
        SCOPED_TRACE(name);
        for (const DrawnText& t : d.texts) {
            if (t.text.find_first_not_of("0123456789") == std::string::npos) continue;  // pedestal numbers
            const auto outline = TextOutline(t);
            for (const DrawnLine& l : d.lines) {
                if (l.layer != DrawingLayer::DeckEdge && l.layer != DrawingLayer::Centreline) continue;
                const std::vector<Point> path = LinePath(l, 1e-4);  // arcs as they are drawn
                for (std::size_t k = 1; k < path.size(); ++k)
                    ASSERT_FALSE(crosses(path[k - 1], path[k], outline)) << t.text;
            }
        }
    }
}

TEST(PlanDrawing, TwoBearingRowsOfOnePierShareItsAxisAndLabelTheirPedestalsApart) {
    ProjectData project = tavrel::testing::straightRoad();  // one superelevation row: the deck runs the whole stretch
    const Road road = project.road(false);
    const PedestalLayout layout =
        ReadLayoutFile("90\r\n-4 -1 1 4\r\n1#墩 500-L0.6 1.5 0.3\r\n1#墩 500+L0.6 1.5 0.3\r\n2#墩 530 1.5 0.3\r\n",
                       project.chainBreaks);
    const PlanDrawing d = BuildPlanDrawing(road, CalculatePedestals(road, layout));
    EXPECT_EQ(linesOn(d, DrawingLayer::PierAxis).size(), 2u);
    EXPECT_EQ(std::count_if(d.texts.begin(), d.texts.end(), [](const DrawnText& t) { return t.text == "1#墩"; }), 1);
    // The number of each pedestal of the first row lies behind it (smaller x), of the second row ahead: the
    // nearest text with that number on the pedestal's line along the road.
    for (const PedestalMark& m : d.pedestals) {
        if (m.pier > 1) continue;
        const std::string number = std::to_string(m.pedestal + 1);
        const DrawnText* label = nullptr;
        for (const DrawnText& t : d.texts)
            if (t.text == number && std::fabs(t.at.y - m.at.y) < 1e-9 &&
                (!label || std::fabs(t.at.x - m.at.x) < std::fabs(label->at.x - m.at.x)))
                label = &t;
        ASSERT_NE(label, nullptr);
        EXPECT_EQ(label->at.x > m.at.x, m.pier == 1) << m.pier << " " << number;
    }
}

TEST(PlanDrawing, DeckEdgesOnlyWhereTheSuperelevationTableReaches) {
    ProjectData project = tavrel::testing::straightRoad();
    project.superelevation = SuperelevationBuild({7.5, 0.5, -0.5, -7.5}, {{"0", 0, 2, -2}, {"505", 505, 2, -2}});
    const Road road = project.road(false);
    const PedestalLayout layout =
        ReadLayoutFile("90\r\n-4 4\r\n1#墩 500 1.5 0.3\r\n2#墩 530 1.5 0.3\r\n", project.chainBreaks);
    const PlanDrawing d = BuildPlanDrawing(road, CalculatePedestals(road, layout));
    const auto edges = linesOn(d, DrawingLayer::DeckEdge);
    ASSERT_EQ(edges.size(), 4u);  // outer and central band edges
    for (const DrawnLine* e : edges) {
        EXPECT_NEAR(e->points.front().x, 480 - 500, 1e-9);  // 20 m before the first pier, in the local frame
        EXPECT_NEAR(e->points.back().x, 505 - 500, 1e-9);   // the table's last row
    }
    EXPECT_EQ(linesOn(d, DrawingLayer::Centreline)[0]->points.back().x, 550 - 500);
}

namespace {

// The calculation and drawing of a layout on the project's road (curved when it has a plan).
std::pair<CalculationResult, PlanDrawing> DrawLayout(const ProjectData& project, const std::string& layout) {
    const Road road = project.road(project.planAlignment().has_value());
    const CalculationResult result = CalculatePedestals(road, ReadLayoutFile(layout, project.chainBreaks));
    return {result, BuildPlanDrawing(road, result)};
}

// A layout of piers every `span` m from `first` to `last` with pedestals at the given distances; the first pier is
// laid out half a metre along the road from its station.
std::string EvenLayout(const char* skewAndPedestals, double first, double last, double span) {
    std::string text = skewAndPedestals;
    int n = 0;
    for (double s = first; s <= last + 1e-9; s += span, ++n)
        text += std::to_string(n) + "#墩 " + std::to_string(s) + (n == 0 ? "+L0.5" : "") + " 1.5 0.3\r\n";
    return text;
}

bool InBox(Point p, const PlanBox& b) { return p.x >= b.minX && p.x <= b.maxX && p.y >= b.minY && p.y <= b.maxY; }

// Bridges hard to draw: long, round a loop, on tight curves. The DXF size each stays under and the sheets it takes
// at least. Not `plausible`: a deck far wider than its curve's radius, whose edges have cusps and whose stretches
// are wider than a sheet (its edges and sheets are not checked).
struct HardBridge {
    const char* name;
    ProjectData project;
    std::string layout;
    std::size_t maxDxfBytes, minSheets;
    bool plausible;
};

std::vector<HardBridge> HardBridges() {
    using namespace tavrel::testing;
    ProjectData tight = loopRamp(10, 609);  // R 10 m over 609 m, 790 m of sloped width
    tight.superelevation = SuperelevationBuild({395, 0, 0, -395}, {{"0", 0, 2, -2}});
    return {
        {"1.8 km round R 300 between 80 m spirals", circularMainLine(300, 80),
         EvenLayout("75\r\n-10.5 -7 -3.5 3.5 7 10.5\r\n", 100, 1900, 40), 450000, 3, true},
        {"a loop: its exit passes its entry", loopRamp(50, 200), EvenLayout("90\r\n-6 -3 3 6\r\n", 20, 380, 20), 200000,
         1, true},
        {"a loop of R 25", loopRamp(25, 120), EvenLayout("90\r\n-3 3\r\n", 50, 270, 220), 200000, 1, true},
        {"R 10 under 790 m of deck", std::move(tight), EvenLayout("90\r\n-3 3\r\n", 40, 740, 700), 2000000, 1, false}};
}

}  // namespace

TEST(PlanDrawing, AStretchTooLongToDrawIsToldAndFarStationsStillEnd) {
    const ProjectData road = tavrel::testing::straightRoad();
    try {
        DrawLayout(road, EvenLayout("90\r\n-3 3\r\n", 500, 100000500, 1e8));
        ADD_FAILURE() << "a bridge of 100,000 km drawn";
    } catch (const RejectedText& e) {
        EXPECT_STREQ(e.what(), "平面图要绘制的路段长约 100000 km，超过能绘制的 200 km，请检查墩台桩号！");
    }
    // Where adding 1 to a tick number no longer changes it, the ticks still come to an end.
    EXPECT_LT(DrawLayout(road, EvenLayout("90\r\n-3 3\r\n", 2e17, 2e17 + 2048, 2048)).second.lines.size(), 1000u);
}

TEST(PlanDrawing, ArcsAreDrawnAsArcsAndEveryLineFollowsTheRoad) {
    for (const HardBridge& bridge : HardBridges()) {
        SCOPED_TRACE(bridge.name);
        const auto [r, d] = DrawLayout(bridge.project, bridge.layout);
        EXPECT_LT(DxfText(d).size(), bridge.maxDxfBytes);
        const auto centre = linesOn(d, DrawingLayer::Centreline);
        EXPECT_TRUE(std::any_of(centre[0]->sweeps.begin(), centre[0]->sweeps.end(), [](double a) { return a != 0; }));
        // The road's own points every 0.5 m over the bridge against the lines drawn there.
        const PlanAlignment plan = *bridge.project.planAlignment();
        const CrossSectionWidths w = bridge.project.superelevation.widths();
        for (const double offset :
             {0.0, w.leftSlopedWidth + w.centralLeftEdge, w.centralRightEdge + w.rightSlopedWidth}) {
            if (offset != 0 && !bridge.plausible) continue;
            std::vector<std::vector<Point>> paths;
            for (const DrawnLine* l : linesOn(d, offset == 0 ? DrawingLayer::Centreline : DrawingLayer::DeckEdge))
                paths.push_back(LinePath(*l, 1e-4));
            double worst = 0;
            for (Station s = r.layout.piers.front().baseStation; s <= r.layout.piers.back().baseStation; s += 0.5) {
                const Point p = OffsetPoint(plan.pointAt(s), offset);
                double nearest = INFINITY;
                for (const auto& path : paths)
                    for (std::size_t k = 1; k < path.size(); ++k)
                        nearest = std::min(nearest, offSegment(p, path[k - 1], path[k]));
                worst = std::max(worst, nearest);
            }
            EXPECT_LT(worst, kChordTolerance) << offset;
        }
    }
}

TEST(Sheet, SmallestStandardScaleThatFitsEitherOrientation) {
    struct Row {
        const char* name;
        double width, height, scale;
    };
    const Row rows[] = {
        {"a footbridge", 10, 5, 100},
        {"100 x 50 m: 400 mm wide at 1:250", 100, 50, 250},
        {"a north-south bridge fits the portrait sheet", 60, 190, 500},
        {"just over 1:500 on landscape", 200.5, 10, 1000},
        {"beyond the list: next multiple of 10000", 30000, 1000, 80000},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(StandardScaleFor(r.width, r.height), r.scale);
    }
    // The examples' sheets take every text and keep the builder's scale.
    for (const char* name : kExampleNames) {
        SCOPED_TRACE(name);
        const PlanDrawing d = RunExample(name).drawing;
        const auto sheets = LayoutSheets(d);
        ASSERT_EQ(sheets.size(), 1u);
        const SheetLayout& s = sheets.front();
        EXPECT_EQ(s.scale, d.scale);
        const PlanBox box = DrawingBox(d);
        for (Point p : {Point{box.minX, box.minY}, Point{box.maxX, box.maxY}}) {
            const auto at = s.toSheet(p);
            EXPECT_GE(at.right, s.areaLeftMm);
            EXPECT_LE(at.right, s.areaLeftMm + s.areaWidthMm);
            EXPECT_GE(at.down, s.areaTopMm);
            EXPECT_LE(at.down, s.areaTopMm + s.areaHeightMm);
        }
    }
}

TEST(PlanDrawing, LegibleSheetsAxesAcrossTheDeckAndLabelsApartAndRightOnHardBridges) {
    for (const HardBridge& bridge : HardBridges()) {
        SCOPED_TRACE(bridge.name);
        const auto drawn = DrawLayout(bridge.project, bridge.layout);
        const PlanDrawing& d = drawn.second;
        // Every text prints at least 2.5 mm high at the drawing's scale and overlaps no other.
        for (std::size_t a = 0; a < d.texts.size(); ++a) {
            EXPECT_GE(d.texts[a].height * 1000 / d.scale, kLegibleTextMm - 1e-9) << d.texts[a].text;
            for (std::size_t b = a + 1; b < d.texts.size(); ++b)
                EXPECT_FALSE(overlap(TextOutline(d.texts[a]), TextOutline(d.texts[b])))
                    << d.texts[a].text << " / " << d.texts[b].text;
        }
        // Each pier is labelled with the station the tables give it, the first too.
        const CalculationResult& r = drawn.first;
        std::set<std::string> texts;
        for (const DrawnText& t : d.texts) texts.insert(t.text);
        for (const PierRecord& pier : r.layout.piers)
            EXPECT_EQ(texts.count(StationKText(pier.referenceNominalStation)), 1u) << pier.pierName;
        // Each axis spans its section's edge points and pedestals, and at most 2 mm of the sheet beyond each end.
        auto axes = linesOn(d, DrawingLayer::PierAxis);  // the axes, not the leaders to labels moved out
        std::erase_if(axes, [](const DrawnLine* l) { return l->style != LineStyle::DashDot; });
        ASSERT_EQ(axes.size(), r.sections.size());
        const auto [nearest, farthest] =
            std::minmax_element(r.layout.pedestalDistances.begin(), r.layout.pedestalDistances.end());
        for (std::size_t i = 0; i < axes.size(); ++i) {
            double lo = *nearest, hi = *farthest;
            for (double e : r.sections[i].edgeDistance) lo = std::min(lo, e), hi = std::max(hi, e);
            const double beyond = Distance(axes[i]->points.front(), axes[i]->points.back()) - (hi - lo);
            EXPECT_NEAR(beyond, 2 * d.scale / 1000, 2 * d.scale / 1000 + 1e-9);  // 0 to 2 * 2 mm
        }
        // Sheets at the drawing's scale; each text, axis and centreline point lies whole on one of them.
        if (!bridge.plausible) continue;
        const std::vector<SheetLayout> sheets = LayoutSheets(d);
        EXPECT_GE(sheets.size(), bridge.minSheets);
        for (const SheetLayout& s : sheets) EXPECT_EQ(s.scale, d.scale);
        const auto onASheet = [&sheets](const auto& points) {
            return std::any_of(sheets.begin(), sheets.end(), [&points](const SheetLayout& s) {
                return std::all_of(points.begin(), points.end(), [w = s.window()](Point p) { return InBox(p, w); });
            });
        };
        for (const DrawnText& t : d.texts) EXPECT_TRUE(onASheet(TextOutline(t))) << t.text;
        for (const DrawnLine* axis : axes) EXPECT_TRUE(onASheet(axis->points));
        for (Point p : linesOn(d, DrawingLayer::Centreline).front()->points) EXPECT_TRUE(onASheet(std::array{p}));
    }
}

TEST(PedestalSummary, NameStationOffsetCoordinatesTopAndHeight) {
    PlanDrawing d;
    PedestalMark m{1, 2, {3345123.4564, 512000.5}, "1#墩", "B K12+345.679", -0.0001, 250.1234, 0.3};
    EXPECT_EQ(PedestalSummary(d, m),
              "1#墩 垫石 3\n桩号 B K12+345.679\n偏距 0.000 m\nX 3345123.456\nY 512000.500\n顶面高程 250.123 m\n"
              "垫石高度 0.300 m");
    d.surveyCoordinates = false;
    EXPECT_NE(PedestalSummary(d, m).find("X（局部） 3345123.456"), std::string::npos);
}
