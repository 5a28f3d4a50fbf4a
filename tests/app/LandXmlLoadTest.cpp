// The initialise command on a LandXML road: which lists the user is asked, what is loaded, what a failure
// leaves in force, what a project records, and an alignment far longer than an element file may be.
#include <gtest/gtest.h>

#include <cmath>

#include "app/FakePort.h"
#include "app/InitializeCommand.h"
#include "app/ProjectCommands.h"
#include "common/TempFiles.h"
#include "interchange/ElementChain.h"

using namespace tavrel;
using tavrel::testing::FakePort;
using tavrel::testing::FileBytes;
using tavrel::testing::TempDir;
using Names = std::vector<std::string>;
using Choices = std::vector<std::optional<std::size_t>>;

namespace {

const std::string kLandXml = std::string(TAVREL_TEST_DATA_DIR) + "/landxml/";

// A LandXML load: the names given beforehand, the answers to the lists, the lists asked in order ("A": the
// alignments, "P": the profiles of 匝道B), and the names loaded or the message of the failure.
struct ChoiceRow {
    const char* name;
    std::filesystem::path file;
    LoadOptions preset;
    Choices choices;
    std::string asked;
    const char* alignment;  // nullptr: the load fails with `message`
    const char* profile;
    std::string message = "";  // the start of the message
};

std::vector<ChoiceRow> ChoiceRows(const TempDir& dir) {
    const std::string twoRoads = kLandXml + "gbk-namespace.xml";
    return {
        {"one alignment, one profile: no list", kLandXml + "feet.xml", LoadOptions(), Choices(), "", "Ramp F",
         "design"},
        {"both chosen", twoRoads, LoadOptions(), Choices{1, 1}, "AP", "匝道B", "设计纵断面二"},
        {"an alignment without a profile", twoRoads, LoadOptions(), Choices{0}, "A", "主线", ""},
        {"alignment named beforehand: the profile is asked", twoRoads, LoadOptions{"匝道B", ""}, Choices{0}, "P",
         "匝道B", "设计纵断面一"},
        {"both named beforehand", twoRoads, LoadOptions{"匝道B", "设计纵断面二"}, Choices(), "", "匝道B",
         "设计纵断面二"},
        {"a project's names: never a list, the first profile", twoRoads, LoadOptions{"匝道B", "", false}, Choices(), "",
         "匝道B", "设计纵断面一"},
        {"list cancelled", twoRoads, LoadOptions(), Choices{std::nullopt}, "A", nullptr, nullptr, "读取文件被取消！"},
        {"a project without a name of several alignments", twoRoads, LoadOptions{"", "", false}, Choices(), "", nullptr,
         nullptr, "LandXML 文件中有 2 条路线，请指定其中一条：主线、匝道B\n位置: gbk-namespace.xml"},
        {"not XML", dir.write("bad.xml", "road\r\n"), LoadOptions(), Choices(), "", nullptr, nullptr,
         "文件不是格式正确的 XML"},
    };
}

}  // namespace

TEST(InitializeLandXml, ListsOnlyWhereTheFileHoldsSeveralAndAFailureKeepsThePreviousRoad) {
    TempDir dir;
    const auto cg = dir.write("road.cg", "5,0.5,-0.5,-5\r\n0 2 -2\r\n500 2 -2\r\n");
    std::string feet = FileBytes(kLandXml + "feet.xml");
    feet.replace(feet.find("<End>955.336489"), 15, "<End>955.350000");  // 4 mm off: read, with a warning
    const auto nearlyJoined = dir.write("near.xml", feet);
    for (const auto& row : ChoiceRows(dir)) {
        SCOPED_TRACE(row.name);
        // The road in use before: feet.xml with a curve 4 mm off its end, loaded with one warning at the curve.
        AppState state;
        FakePort before;
        ASSERT_TRUE(InitializeCommand(state, RoadMode::LandXml, before.answer(nearlyJoined).answer(cg)));
        ASSERT_EQ(before.warnings.size(), 1u);
        EXPECT_EQ(before.warnings[0].rfind("near.xml 第 15 行：线元 Curve", 0), 0u) << before.warnings[0];

        FakePort port;
        port.answer(row.file).answer(cg);
        for (const auto& c : row.choices) port.choose(c);
        const bool loaded = InitializeCommand(state, RoadMode::LandXml, port, row.preset);
        std::string asked;
        for (const auto& list : port.lists) {
            const bool alignments = list.id == ChoiceId::LandXmlAlignment;
            asked += alignments ? "A" : "P";
            EXPECT_EQ(list.items, (alignments ? Names{"主线", "匝道B"} : Names{"设计纵断面一", "设计纵断面二"}));
        }
        EXPECT_EQ(asked, row.asked);
        EXPECT_EQ(loaded, row.alignment != nullptr);
        EXPECT_TRUE(state.calculateEnabled);
        const ProjectData& p = state.project;
        if (!loaded) {
            ASSERT_EQ(port.messages.size(), 1u);
            EXPECT_EQ(port.messages[0].text.rfind(row.message, 0), 0u) << port.messages[0].text;
            // Nothing half-loaded: the previous road, whole.
            EXPECT_EQ(p.landXmlAlignment, "Ramp F");
            EXPECT_EQ(p.roadFiles, (std::vector<std::filesystem::path>{nearlyJoined, cg}));
            EXPECT_EQ(std::get<ElementChain>(p.plan).elements().size(), 3u);
            continue;
        }
        EXPECT_TRUE(port.messages.empty()) << port.messages[0].text;
        EXPECT_EQ(port.asked, (std::vector<DialogId>{DialogId::LandXmlFile, DialogId::SuperelevationFile}));
        EXPECT_EQ(p.landXmlAlignment, row.alignment);
        EXPECT_EQ(p.landXmlProfile, row.profile);
        EXPECT_EQ(p.profile.points().empty(), std::string(row.profile).empty());
        EXPECT_EQ(p.roadFiles, (std::vector<std::filesystem::path>{row.file, cg}));
        EXPECT_TRUE(p.warnings.empty());
    }
}

// An element file's chain is held to 999 elements; a LandXML alignment is not: 10,000 elements build, and a
// station near the end lies where the lengths put it.
TEST(InitializeLandXml, TenThousandElementsBuild) {
    std::string xml =
        "<LandXML><Units><Metric linearUnit=\"meter\" angularUnit=\"radians\" directionUnit=\"radians\"/></Units>"
        "<Alignments><Alignment name=\"long\" staStart=\"0\"><CoordGeom>\n"
        "<Line length=\"10\"><Start>0 0</Start><End>10 0</End></Line>\n";
    // Arcs of 0.02 rad turning right, then left.
    for (int k = 1; k < 10000; ++k)
        xml += "<Curve rot=\"" + std::string(k % 2 ? "cw" : "ccw") + "\" radius=\"500\" length=\"10\"/>\n";
    xml += "</CoordGeom></Alignment></Alignments></LandXML>\n";
    TempDir dir;
    FakePort port;
    LoadOptions stationsOnly;
    stationsOnly.readSuperelevation = false;
    const ProjectData p = LoadProject(RoadMode::LandXml, port.answer(dir.write("long.xml", xml)), stationsOnly);
    const auto& chain = std::get<ElementChain>(p.plan);
    ASSERT_EQ(chain.elements().size(), 10000u);
    EXPECT_DOUBLE_EQ(chain.nodeStation().back(), 100000);
    // Each pair of arcs ends heading along +x again, two chords of 2 * 500 sin(0.01) further on, both at 0.01
    // rad. After the line and 4,999 pairs: station 99,990.
    const PointAtStation end = InterchangePointAt(chain, 99990);
    const double chords = 9998 * 1000 * std::sin(0.01);
    EXPECT_NEAR(end.p.x, 10 + chords * std::cos(0.01), 1e-6);
    EXPECT_NEAR(end.p.y, chords * std::sin(0.01), 1e-6);
    EXPECT_NEAR(std::remainder(end.bearing, 2 * 3.141592653589793), 0, 1e-9);
    EXPECT_EQ(port.asked, std::vector<DialogId>{DialogId::LandXmlFile});  // no superelevation asked for
}

// A project file records the LandXML road's alignment and profile, and reopens that road without a list.
TEST(InitializeLandXml, ASavedProjectReopensTheChosenAlignmentAndProfile) {
    TempDir dir;
    const auto xml = dir.write("road.xml", FileBytes(kLandXml + "gbk-namespace.xml"));
    const auto cg = dir.write("road.cg", "5,0.5,-0.5,-5\r\n100 2 -2\r\n400 2 -2\r\n");
    AppState state;
    FakePort port;
    ASSERT_TRUE(InitializeCommand(state, RoadMode::LandXml, port.answer(xml).answer(cg).choose(1).choose(1)));
    ASSERT_TRUE(SaveProjectCommand(state, std::nullopt, dir.path() / "p.tavrel", port));
    const std::string text = FileBytes(dir.path() / "p.tavrel");
    EXPECT_NE(text.find("landxml = road.xml\nalignment = 匝道B\nprofalign = 设计纵断面二\n"), std::string::npos)
        << text;

    AppState reopened;
    FakePort silent;
    ASSERT_TRUE(OpenProjectCommand(reopened, dir.path() / "p.tavrel", silent));
    EXPECT_TRUE(silent.asked.empty() && silent.lists.empty());
    EXPECT_EQ(reopened.project.landXmlAlignment, "匝道B");
    EXPECT_EQ(reopened.project.landXmlProfile, "设计纵断面二");
    EXPECT_EQ(reopened.project.roadFiles, state.project.roadFiles);
}
