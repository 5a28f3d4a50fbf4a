#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <sstream>
#include <string>

#include "input/ChainBreakFile.h"
#include "input/ElementFile.h"
#include "input/LandXml.h"
#include "input/ProfileFile.h"

using namespace tavrel;

namespace {

std::string LandXmlFile(const std::string& name) {
    std::ifstream in(std::string(TAVREL_TEST_DATA_DIR) + "/landxml/" + name, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

std::string Replaced(std::string s, const std::string& from, const std::string& to) {
    const std::size_t at = s.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? s : s.replace(at, from.size(), to);
}

// A profile point with a vertical curve that the profile file cannot write.
ProfilePoint CurvePoint(Station station, double elevation, VerticalCurveKind kind, double radius, double in = 0,
                        double out = 0) {
    ProfilePoint p;
    p.station = station;
    p.elevation = elevation;
    p.curveKind = kind;
    p.radius = radius;
    p.lengthIn = in;
    p.lengthOut = out;
    return p;
}

constexpr double kSameRoad = 1e-9;  // m: the same numbers through two readers differ only by rounding

}  // namespace

namespace {

// One LandXML file and the same road in the program's own files.
struct SameRoadRow {
    const char* name;
    const char* file;
    LandXmlChoice choice;
    const char* jdx;  // element plan
    const char* dl;   // chain breaks
    const char* zdm;  // profile; nullptr: `points` instead
    std::vector<ProfilePoint> points;
};

std::vector<SameRoadRow> SameRoadRows() {
    using K = VerticalCurveKind;
    return {
        {"feet, symmetric parabola",
         "feet.xml",
         {},
         "0,304.8,609.6,90.0000\r\n9999 9999 152.4\r\n304.8 304.8 91.44\r\n304.8 9999 60.96\r\n",
         "",
         "0 30.48 0\r\n182.88 32.3088 -60.96\r\n304.8 31.3944 0\r\n",
         {}},
        {"grads, no coordinates, no profile",
         "grads.xml",
         {},
         "0,500,500,45.0000\r\n9999 9999 100\r\n-200 -200 80\r\n9999 9999 60\r\n",
         "",
         "",
         {}},
        // Profile stations are continuous in the file, written numbers in the profile file.
        {"station equations: short then long chain",
         "staequation.xml",
         {},
         "900,1000,1000,0\r\n9999 9999 600\r\n800 800 400\r\n9999 9999 1000\r\n",
         "1000 1100\r\n2000 1950\r\n",
         "900 50 0\r\n1500 55 -100\r\n2950 45 0\r\n",
         {}},
        {"circular vertical curves, crest R < 0, sag by length",
         "circcurve.xml",
         {},
         "0,100,100,90\r\n9999 9999 600\r\n",
         "",
         nullptr,
         {CurvePoint(0, 100, K::Parabola, 0), CurvePoint(150, 106, K::Circle, 3000),
          CurvePoint(400, 101, K::Circle, 4000), CurvePoint(600, 105, K::Parabola, 0)}},
        {"unsymmetric parabola",
         "unsymparacurve.xml",
         {},
         "0,100,100,90\r\n9999 9999 400\r\n",
         "",
         nullptr,
         {CurvePoint(0, 20, K::Parabola, 0), CurvePoint(200, 24, K::ParabolaByLengths, 0, 120, 60),
          CurvePoint(400, 21, K::Parabola, 0)}},
        {"spirals between two radii and back to back",
         "spiral.xml",
         {},
         "0,2000,3000,0\r\n9999 9999 100\r\n9999 600 80\r\n600 600 50\r\n600 300 70\r\n300 300 40\r\n300 900 60\r\n"
         "900 9999 90\r\n9999 9999 50\r\n9999 -500 60\r\n-500 -500 40\r\n-500 9999 60\r\n",
         "",
         "0 300 0\r\n300 303 -80\r\n700 299 0\r\n",
         {}},
        {"GBK, prefixed namespace, Chinese names, second profile",
         "gbk-namespace.xml",
         {"匝道B", "设计纵断面二"},
         "100,3346000,512800,135\r\n9999 9999 141.4213562373\r\n-400 -400 90\r\n9999 9999 80\r\n",
         "",
         "100 48 0\r\n250 50 -50\r\n411.4213562373 49 0\r\n",
         {}},
    };
}

// The file's chain breaks, plan points and elevations equal those of the row's own files.
void ExpectSameRoad(const SameRoadRow& row) {
    const LandXmlRoad road = ReadLandXml(LandXmlFile(row.file), row.choice);
    EXPECT_TRUE(road.warnings.empty()) << road.warnings.front().text;

    const ChainBreakTable breaks = MakeChainBreakTable(road.chainBreaks);
    const ChainBreakTable ownBreaks = MakeChainBreakTable(ReadChainBreakFile(row.dl));
    ASSERT_EQ(breaks.chainBreakCount, ownBreaks.chainBreakCount);
    for (int k = 1; k <= breaks.chainBreakCount; ++k) {
        EXPECT_NEAR(breaks.chainBreaks[k].beforeStation, ownBreaks.chainBreaks[k].beforeStation, kSameRoad);
        EXPECT_NEAR(breaks.chainBreaks[k].afterStation, ownBreaks.chainBreaks[k].afterStation, kSameRoad);
    }

    const ElementChain chain = BuildElementChain(road.plan);
    const ElementChain own = BuildElementChain(ReadElementFile(row.jdx));
    const Station first = own.nodeStation().front(), last = own.nodeStation().back();
    EXPECT_NEAR(chain.nodeStation().back(), last, kSameRoad);

    const std::vector<ProfilePoint> ownPoints = row.zdm ? ReadProfileFile(row.zdm, ownBreaks) : row.points;
    ASSERT_EQ(road.profilePoints.empty(), ownPoints.empty());
    const Profile profile = ownPoints.empty() ? Profile() : ProfileBuild(road.profilePoints);
    const Profile ownProfile = ownPoints.empty() ? Profile() : ProfileBuild(ownPoints);
    for (Station s = first - 5; s <= last + 5; s += (last - first) / 97) {
        const PointAtStation p = InterchangePointAt(chain, s), q = InterchangePointAt(own, s);
        EXPECT_NEAR(p.p.x, q.p.x, kSameRoad) << s;
        EXPECT_NEAR(p.p.y, q.p.y, kSameRoad) << s;
        EXPECT_NEAR(p.bearing, q.bearing, 1e-12) << s;
        if (ownPoints.empty()) continue;
        EXPECT_NEAR(ProfileElevationAt(profile, s), ProfileElevationAt(ownProfile, s), kSameRoad) << s;
    }
}

}  // namespace

// Each file holds one feature; the same road written in the program's own files (element plan, chain breaks,
// profile; built directly where the profile file has no such curve) must give the same points and elevations.
TEST(LandXmlImport, EachFileIsTheSameRoadAsItsOwnTextFiles) {
    for (const SameRoadRow& row : SameRoadRows()) {
        SCOPED_TRACE(row.name);
        ExpectSameRoad(row);
    }
}

// Files that cannot be read as the road fail with the reason in the user's words and the line at fault (0: the
// file as a whole); small disagreements are warnings at the element's line.
TEST(LandXmlImport, BadFilesAreLocatedErrorsAndSmallGapsWarnings) {
    const std::string feet = LandXmlFile("feet.xml");
    const std::string curveEnd = "<End>955.336489 2795.520207</End>";
    struct Row {
        const char* name;
        std::string bytes;
        LandXmlChoice choice;
        const char* says;
        std::size_t line;
    } rows[] = {
        {"not XML", "road data\r\n", {}, "不是格式正确的 XML", 1},
        {"unclosed element", "<?xml version=\"1.0\"?>\n<LandXML>\n<Units>\n</LandXML>\n", {}, "不配对", 4},
        {"not LandXML", "<?xml version=\"1.0\"?>\n<road/>\n", {}, "不是 LandXML", 2},
        {"bytes that are not UTF-8", "<?xml version=\"1.0\"?>\n<LandXML>\n\xC3(</LandXML>", {}, "UTF-8", 3},
        {"no alignment", "<LandXML><Alignments/></LandXML>", {}, "没有路线", 0},
        {"two alignments, no name", LandXmlFile("gbk-namespace.xml"), {}, "主线、匝道B", 0},
        {"unknown alignment", LandXmlFile("gbk-namespace.xml"), {"匝道C", ""}, "文件中的路线：主线、匝道B", 0},
        {"unknown profile", feet, {"Ramp F", "final"}, "该路线的纵断面：design", 0},
        {"unknown unit", Replaced(feet, "\"foot\"", "\"yard\""), {}, "不支持的长度单位“yard”", 5},
        {"unsupported element",
         Replaced(feet, "<Line length", "<IrregularLine/><Line length"),
         {},
         "不支持平面线元 IrregularLine",
         11},
        {"unsupported spiral", Replaced(feet, "spiType=\"clothoid\"", "spiType=\"cubic\""), {}, "只支持 clothoid", 20},
        {"chain broken by 0.3 m", Replaced(feet, curveEnd, "<End>956.336489 2795.520207</End>"), {}, "超过 0.1 m", 15},
        {"not a number", Replaced(feet, "radius=\"1000\"", "radius=\"1OOO\""), {}, "radius 不是数值", 15},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        try {
            ReadLandXml(row.bytes, row.choice);
            ADD_FAILURE() << "read without error";
        } catch (const LandXmlError& e) {
            EXPECT_NE(std::string(e.what()).find(row.says), std::string::npos) << e.what();
            ASSERT_TRUE(e.where.has_value());
            EXPECT_EQ(e.where->line, row.line);
            EXPECT_EQ(e.where->text.empty(), row.line == 0);
        }
    }
    const std::vector<LandXmlAlignmentNames> listed = ListLandXmlAlignments(LandXmlFile("gbk-namespace.xml"));
    ASSERT_EQ(listed.size(), 2u);
    EXPECT_EQ(listed[1].name, "匝道B");
    EXPECT_EQ(listed[1].profiles, (std::vector<std::string>{"设计纵断面一", "设计纵断面二"}));
    // 0.0137 ft (4.2 mm) off: read, with a warning at the curve.
    const LandXmlRoad off = ReadLandXml(Replaced(feet, curveEnd, "<End>955.35 2795.520207</End>"), {});
    ASSERT_EQ(off.warnings.size(), 1u);
    EXPECT_EQ(off.warnings[0].where.line, 15u);
    EXPECT_NE(off.warnings[0].text.find("Curve"), std::string::npos);
}
