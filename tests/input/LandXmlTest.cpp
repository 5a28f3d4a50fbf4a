// The LandXML reader, where the command line cannot see it: vertical curves the profile file cannot write, and
// the line at fault of a file that cannot be read as a road. The files' roads as a whole, the choice of
// alignment and profile and the warnings are checked end to end (CliLandXmlTest, LandXmlLoadTest).
#include <gtest/gtest.h>

#include <string>

#include "common/TempFiles.h"
#include "input/LandXml.h"

using namespace tavrel;
using tavrel::testing::FileBytes;

namespace {

std::string LandXmlFile(const std::string& name) {
    return FileBytes(std::string(TAVREL_TEST_DATA_DIR) + "/landxml/" + name);
}

std::string Replaced(std::string s, const std::string& from, const std::string& to) {
    const std::size_t at = s.find(from);
    EXPECT_NE(at, std::string::npos) << from;
    return at == std::string::npos ? s : s.replace(at, from.size(), to);
}

// A grade-change point, with the vertical curve the profile file cannot write.
ProfilePoint Pvi(Station station, double elevation, VerticalCurveKind kind = VerticalCurveKind::Parabola,
                 double radius = 0, double in = 0, double out = 0) {
    ProfilePoint p;
    p.station = station;
    p.elevation = elevation;
    p.curveKind = kind;
    p.radius = radius;
    p.lengthIn = in;
    p.lengthOut = out;
    return p;
}

}  // namespace

// Circular curves (a crest by a negative radius, a sag by its length) and an unsymmetric parabola give the
// elevations of the same curves built directly.
TEST(LandXmlImport, VerticalCurvesTheProfileFileCannotWrite) {
    using K = VerticalCurveKind;
    const struct {
        const char* file;
        std::vector<ProfilePoint> points;
    } rows[] = {
        {"circcurve.xml", {Pvi(0, 100), Pvi(150, 106, K::Circle, 3000), Pvi(400, 101, K::Circle, 4000), Pvi(600, 105)}},
        {"unsymparacurve.xml", {Pvi(0, 20), Pvi(200, 24, K::ParabolaByLengths, 0, 120, 60), Pvi(400, 21)}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.file);
        const LandXmlRoad road = ReadLandXml(LandXmlFile(row.file), {});
        EXPECT_TRUE(road.warnings.empty());
        const Profile read = ProfileBuild(road.profilePoints), built = ProfileBuild(row.points);
        for (Station s = -5; s <= 605; s += 2.5)
            EXPECT_NEAR(ProfileElevationAt(read, s), ProfileElevationAt(built, s), 1e-9) << s;
    }
}

// Files that cannot be read as the road fail with the reason in the user's words and the line at fault (0: the
// file as a whole).
TEST(LandXmlImport, BadFilesAreLocatedErrors) {
    const std::string feet = LandXmlFile("feet.xml");
    const struct {
        const char* name;
        std::string bytes;
        const char* says;
        std::size_t line;
    } rows[] = {
        {"not XML", "road data\r\n", "不是格式正确的 XML", 1},
        {"unclosed element", "<?xml version=\"1.0\"?>\n<LandXML>\n<Units>\n</LandXML>\n", "不配对", 4},
        {"not LandXML", "<?xml version=\"1.0\"?>\n<road/>\n", "不是 LandXML", 2},
        {"bytes that are not UTF-8", "<?xml version=\"1.0\"?>\n<LandXML>\n\xC3(</LandXML>", "UTF-8", 3},
        {"no alignment", "<LandXML><Alignments/></LandXML>", "没有路线", 0},
        {"unknown unit", Replaced(feet, "\"foot\"", "\"yard\""), "不支持的长度单位“yard”", 5},
        {"unsupported element", Replaced(feet, "<Line length", "<IrregularLine/><Line length"),
         "不支持平面线元 IrregularLine", 11},
        {"unsupported spiral", Replaced(feet, "spiType=\"clothoid\"", "spiType=\"cubic\""), "只支持 clothoid", 20},
        {"chain broken by 0.3 m", Replaced(feet, "<End>955.336489", "<End>956.336489"), "超过 0.1 m", 15},
        {"not a number", Replaced(feet, "radius=\"1000\"", "radius=\"1OOO\""), "radius 不是数值", 15},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        try {
            ReadLandXml(row.bytes, {});
            ADD_FAILURE() << "read without error";
        } catch (const LandXmlError& e) {
            EXPECT_NE(std::string(e.what()).find(row.says), std::string::npos) << e.what();
            ASSERT_TRUE(e.where.has_value());
            EXPECT_EQ(e.where->line, row.line);
            EXPECT_EQ(e.where->text.empty(), row.line == 0);
        }
    }
}
