// The LandXML mode of the batch front end: each test file gives the same calculation and station table as the
// same road written in the program's own text files and run in their mode, and the command line's rules for
// the LandXML options.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <regex>
#include <sstream>

#include "cli/Cli.h"
#include "common/TempFiles.h"

using namespace tavrel;
using tavrel::testing::TempDir;

namespace {

const std::string kLandXml = std::string(TAVREL_TEST_DATA_DIR) + "/landxml/";

struct CliRun {
    int status;
    std::string out, err;
};

CliRun cli(const std::vector<std::string>& args) {
    std::ostringstream out, err;
    const int status = RunCli(args, out, err);
    return {status, out.str(), err.str()};
}

std::vector<std::string> joined(std::vector<std::string> a, const std::vector<std::string>& b) {
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

// A JSON text as its tokens: strings, numbers, null and punctuation.
std::vector<std::string> jsonTokens(const std::string& json) {
    static const std::regex token(R"("(?:[^"\\]|\\.)*"|-?[0-9][0-9.eE+-]*|null|true|false|[\[\]{}:,])");
    std::vector<std::string> tokens;
    for (auto it = std::sregex_iterator(json.begin(), json.end(), token); it != std::sregex_iterator(); ++it)
        tokens.push_back(it->str());
    return tokens;
}

// Two JSON texts with the same structure, keys and texts, and numbers within 1e-9 (relative above 1: plane
// coordinates run to millions of metres). The values of the keys in `skipped` are not compared; "mode" differs
// by design.
void expectSameJson(const std::string& landXml, const std::string& own, const std::vector<std::string>& skipped) {
    const auto a = jsonTokens(landXml), b = jsonTokens(own);
    ASSERT_EQ(a.size(), b.size());
    ASSERT_GT(a.size(), 20u);
    std::string key;
    for (std::size_t i = 0; i < a.size(); ++i) {
        const bool value = i > 0 && a[i - 1] == ":";
        if (i + 1 < a.size() && a[i + 1] == ":") key = a[i];
        if (value && (key == "\"mode\"" || std::find(skipped.begin(), skipped.end(), key) != skipped.end())) continue;
        const bool number = a[i][0] == '-' || std::isdigit(static_cast<unsigned char>(a[i][0]));
        if (!number) {
            ASSERT_EQ(a[i], b[i]) << "token " << i << " after " << key;
            continue;
        }
        const double x = std::stod(a[i]), y = std::stod(b[i]);
        EXPECT_NEAR(x, y, 1e-9 * std::max(1.0, std::fabs(y))) << key;
    }
}

std::string number(double v) {
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.12f", v);
    return buf;
}

// The station-equation road (line 600 m, arc R 800 m of 400 m turning right, line 1000 m from (1000, 1000) due
// +x) by intersection points: its one point where the tangents meet, 800 tan(0.25) after the arc's start.
std::string StaEquationIntersectionPoints() {
    const double t = 800 * std::tan(0.25), turn = 0.5;
    const double ipX = 1600 + t;
    const double endX = ipX + (t + 1000) * std::cos(turn), endY = 1000 + (t + 1000) * std::sin(turn);
    return "S,900\r\nJD0\r\n1000 1000 0 0 0\r\nJD1\r\n" + number(ipX) + " 1000 800 0 0\r\nJD2\r\n" + number(endX) +
           " " + number(endY) + " 0 0 0\r\n";
}

// The same road in the program's own files (the element plans, chain breaks and profiles the reader's tests
// compare with); a file without a profile the own files can write gets a stand-in whose elevations are skipped.
struct SameRoad {
    const char* file;
    std::vector<std::string> choice;  // --alignment / --profile
    std::string mode;                 // interchange or mainline
    std::string jdx, dl, zdm;         // zdm empty: skip elevations, no calc
    double from, to;                  // stations of the table (continuous = written where no break lies between)
    std::vector<double> piers;        // written stations of the layout's piers
};

const std::string kFlat = "-1000 100 0\r\n100000 100 0\r\n";

std::vector<SameRoad> SameRoads() {
    return {
        {"feet.xml",
         {},
         "interchange",
         "0,304.8,609.6,90.0000\r\n9999 9999 152.4\r\n304.8 304.8 91.44\r\n304.8 9999 60.96\r\n",
         "",
         "0 30.48 0\r\n182.88 32.3088 -60.96\r\n304.8 31.3944 0\r\n",
         0,
         304.8,
         {40, 150.5, 260}},
        {"grads.xml",
         {},
         "interchange",
         "0,500,500,45.0000\r\n9999 9999 100\r\n-200 -200 80\r\n9999 9999 60\r\n",
         "",
         "",
         0,
         240,
         {}},
        {"staequation.xml",
         {},
         "mainline",
         StaEquationIntersectionPoints(),
         "1000 1100\r\n2000 1950\r\n",
         "900 50 0\r\n1500 55 -100\r\n2950 45 0\r\n",
         900,
         2900,
         {950, 1300, 1800, 2500}},
        {"spiral.xml",
         {},
         "interchange",
         "0,2000,3000,0\r\n9999 9999 100\r\n9999 600 80\r\n600 600 50\r\n600 300 70\r\n300 300 40\r\n"
         "300 900 60\r\n900 9999 90\r\n9999 9999 50\r\n9999 -500 60\r\n-500 -500 40\r\n-500 9999 60\r\n",
         "",
         "0 300 0\r\n300 303 -80\r\n700 299 0\r\n",
         0,
         700,
         {120, 255, 390, 640}},
        {"gbk-namespace.xml",
         {"--alignment", "匝道B", "--profile", "设计纵断面二"},
         "interchange",
         "100,3346000,512800,135\r\n9999 9999 141.4213562373\r\n-400 -400 90\r\n9999 9999 80\r\n",
         "",
         "100 48 0\r\n250 50 -50\r\n411.4213562373 49 0\r\n",
         100,
         411,
         {160, 245, 330}},
        {"circcurve.xml", {}, "interchange", "0,100,100,90\r\n9999 9999 600\r\n", "", "", 0, 600, {}},
        {"unsymparacurve.xml", {}, "interchange", "0,100,100,90\r\n9999 9999 400\r\n", "", "", 0, 400, {}},
    };
}

}  // namespace

TEST(CliLandXml, EachFileGivesTheSameResultsAsTheRoadInOwnFiles) {
    for (const SameRoad& road : SameRoads()) {
        SCOPED_TRACE(road.file);
        TempDir dir;
        const std::string cg = dir.write("road.cg", "6.5,0.5,-0.5,-6.5\r\n" + number(road.from) + " 2 -2\r\n" +
                                                        number(road.to) + " -3 4\r\n")
                                   .string();
        std::vector<std::string> landXml =
            joined({"--mode", "landxml", "--landxml", kLandXml + road.file}, road.choice);
        std::vector<std::string> own{"--mode", road.mode, "--jdx", dir.write("road.jdx", road.jdx).string()};
        if (road.mode == "mainline") own = joined(own, {"--dl", dir.write("road.dl", road.dl).string()});
        own = joined(own, {"--zdm", dir.write("road.zdm", road.zdm.empty() ? kFlat : road.zdm).string()});
        const std::vector<std::string> skipped{road.zdm.empty() ? "\"elevation\"" : ""};

        // Continuous stepping from the alignment's start to its end, off the centreline.
        const std::vector<std::string> table{"--from",   number(road.from),
                                             "--to",     number(road.to),
                                             "--step",   number((road.to - road.from) / 37),
                                             "--offset", "-4.25",
                                             "--json",   "-"};
        const CliRun a = cli(joined(joined({"stations"}, landXml), joined({"--cg", cg}, table)));
        const CliRun b = cli(joined(joined({"stations"}, own), joined({"--cg", cg}, table)));
        ASSERT_EQ(a.status, 0) << a.err;
        ASSERT_EQ(b.status, 0) << b.err;
        EXPECT_TRUE(a.err.empty()) << a.err;
        expectSameJson(a.out, b.out, skipped);
        if (road.piers.empty()) continue;

        std::string layout = "75\r\n-6 L-2.5 0 2.5 6\r\n";
        for (std::size_t i = 0; i < road.piers.size(); ++i)
            layout += std::to_string(i) + "# " + number(road.piers[i]) + " 1.6 0.25\r\n";
        const std::vector<std::string> calc{"--cg",   cg, "--layout", dir.write("bridge.txt", layout).string(),
                                            "--json", "-"};
        const CliRun c = cli(joined(joined({"calc"}, landXml), calc));
        const CliRun d = cli(joined(joined({"calc"}, own), calc));
        ASSERT_EQ(c.status, 0) << c.err;
        ASSERT_EQ(d.status, 0) << d.err;
        EXPECT_NE(c.out.find("\"mode\": \"landxml\""), std::string::npos);
        expectSameJson(c.out, d.out, {});
    }
}

// An alignment among several must be named; a missing or unknown name, or profile, is a message that lists the
// names the file holds; without --profile the alignment's first profile is read.
TEST(CliLandXml, AlignmentAndProfileChoice) {
    const std::string twoRoads = kLandXml + "gbk-namespace.xml";
    const struct {
        const char* name;
        std::string file;
        std::vector<std::string> choice;
        int status;
        std::string said;  // the first stderr line, or the elevation at the alignment's start on success
    } rows[] = {
        {"one alignment needs no name", kLandXml + "feet.xml", {}, 0, "30.48"},
        {"several without a name",
         twoRoads,
         {},
         1,
         "数据有误: LandXML 文件中有 2 条路线，请用 --alignment 指定其中一条：主线、匝道B"},
        {"unknown name",
         twoRoads,
         {"--alignment", "匝道C"},
         1,
         "数据有误: LandXML 文件中没有名为“匝道C”的路线（文件中的路线：主线、匝道B）"},
        {"named alignment, its first profile", twoRoads, {"--alignment", "匝道B"}, 0, "50"},
        {"named profile", twoRoads, {"--alignment", "匝道B", "--profile", "设计纵断面二"}, 0, "48"},
        {"unknown profile",
         twoRoads,
         {"--alignment", "匝道B", "--profile", "设计纵断面三"},
         1,
         "数据有误: 路线“匝道B”中没有名为“设计纵断面三”的纵断面（该路线的纵断面：设计纵断面一、设计纵断面二）"},
        {"a named alignment is checked in a file of one",
         kLandXml + "feet.xml",
         {"--alignment", "Ramp G"},
         1,
         "数据有误: LandXML 文件中没有名为“Ramp G”的路线（文件中的路线：Ramp F）"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const std::string start = row.file == twoRoads ? "100" : "0";
        const CliRun r = cli(joined(joined({"stations", "--mode", "landxml", "--landxml", row.file}, row.choice),
                                    {"--from", start, "--to", start, "--step", "1", "--csv", "-"}));
        EXPECT_EQ(r.status, row.status) << r.err;
        if (row.status != 0) {
            EXPECT_EQ(r.err.substr(0, r.err.find('\n')), row.said);
            EXPECT_TRUE(r.out.empty());
            continue;
        }
        // No --cg: the slopes are empty fields; the elevation is the chosen profile's.
        const std::string line = r.out.substr(r.out.find('\n') + 1);
        EXPECT_EQ(line.substr(line.size() - row.said.size() - 4), "," + row.said + ",,\n") << line;
    }
}

TEST(CliLandXml, OptionsOfTheModeAreUsageErrorsAndCalcNeedsAProfile) {
    const std::string feet = kLandXml + "feet.xml";
    const std::vector<std::string> table{"--from", "0", "--to", "10", "--step", "5", "--csv", "-"};
    const struct {
        const char* name;
        std::vector<std::string> args;
        const char* says;
    } usage[] = {
        {"no --landxml", joined({"stations", "--mode", "landxml"}, table), "需要 --landxml"},
        {"calc without --cg", {"calc", "--mode", "landxml", "--landxml", feet, "--layout", "x.txt"}, "需要 --cg"},
        {"a profile file beside it", joined({"stations", "--mode", "landxml", "--landxml", feet, "--zdm", "a"}, table),
         "--zdm"},
        {"--alignment in another mode", joined({"stations", "--mode", "straight", "--alignment", "A"}, table),
         "--mode landxml"},
    };
    for (const auto& row : usage) {
        SCOPED_TRACE(row.name);
        const CliRun r = cli(row.args);
        EXPECT_EQ(r.status, 2);
        EXPECT_EQ(r.err.rfind("tavrel-cli: ", 0), 0u) << r.err;
        EXPECT_NE(r.err.substr(0, r.err.find('\n')).find(row.says), std::string::npos) << r.err;
    }

    TempDir dir;
    const CliRun noProfile = cli({"calc", "--mode", "landxml", "--landxml", kLandXml + "grads.xml", "--cg",
                                  dir.write("r.cg", "5,0.5,-0.5,-5\r\n0 2 -2\r\n").string(), "--layout",
                                  dir.write("b.txt", "90\r\n-3 3\r\n1# 100 1.5 0.3\r\n").string(), "--json", "-"});
    EXPECT_EQ(noProfile.status, 1);
    EXPECT_EQ(noProfile.err.rfind("数据有误: 路线“G”没有纵断面", 0), 0u) << noProfile.err;
    EXPECT_TRUE(noProfile.out.empty());

    const CliRun notXml =
        cli(joined({"stations", "--mode", "landxml", "--landxml", dir.write("bad.xml", "road\r\n").string()}, table));
    EXPECT_EQ(notXml.status, 1);
    EXPECT_NE(notXml.err.find("\n位置: bad.xml 第 1 行: road\n"), std::string::npos) << notXml.err;
}

// A project names the LandXML file, the alignment and the profile; an option given as well overrides it.
TEST(CliLandXml, AProjectNamesTheFileAlignmentAndProfile) {
    TempDir dir;
    const std::string xml = kLandXml + "gbk-namespace.xml";
    const auto project = dir.write(
        "p.tavrel", "[road]\nmode = landxml\nlandxml = " + xml + "\nalignment = 匝道B\nprofalign = 设计纵断面二\n");
    const std::vector<std::string> table{"--from", "100", "--to", "400", "--step", "50", "--csv", "-"};
    const CliRun fromProject = cli(joined({"stations", "--project", project.string()}, table));
    const CliRun explicitRun = cli(
        joined({"stations", "--mode", "landxml", "--landxml", xml, "--alignment", "匝道B", "--profile", "设计纵断面二"},
               table));
    ASSERT_EQ(fromProject.status, 0) << fromProject.err;
    EXPECT_EQ(fromProject.out, explicitRun.out);
    const CliRun otherProfile =
        cli(joined({"stations", "--project", project.string(), "--profile", "设计纵断面一"}, table));
    ASSERT_EQ(otherProfile.status, 0) << otherProfile.err;
    EXPECT_NE(otherProfile.out, fromProject.out);
    EXPECT_NE(otherProfile.out.find("\n100,100,3346000,512800,2.356194490192345,50,,\n"), std::string::npos)
        << otherProfile.out;
}
