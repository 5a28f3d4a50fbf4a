// The LandXML mode of the batch front end: each test file gives the same calculation and station table as the
// same road written in the program's own text files and run in their mode, the choice of alignment and profile
// by option or project, and the command line's rules for the LandXML options.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <regex>

#include "cli/CliRun.h"
#include "common/TempFiles.h"

using tavrel::testing::CliRun;
using tavrel::testing::TempDir;
using Args = std::vector<std::string>;

namespace {

const std::string kLandXml = std::string(TAVREL_TEST_DATA_DIR) + "/landxml/";

Args Joined(std::initializer_list<Args> parts) {
    Args all;
    for (const auto& part : parts) all.insert(all.end(), part.begin(), part.end());
    return all;
}

CliRun Cli(std::initializer_list<Args> parts) { return tavrel::testing::RunCliCaptured(Joined(parts)); }

// A JSON text as its tokens: strings, numbers, null and punctuation.
std::vector<std::string> JsonTokens(const std::string& json) {
    static const std::regex token(R"("(?:[^"\\]|\\.)*"|-?[0-9][0-9.eE+-]*|null|true|false|[\[\]{}:,])");
    std::vector<std::string> tokens;
    for (auto it = std::sregex_iterator(json.begin(), json.end(), token); it != std::sregex_iterator(); ++it)
        tokens.push_back(it->str());
    return tokens;
}

// Two JSON texts with the same structure, keys and texts, and numbers within 1e-9 (relative above 1: plane
// coordinates run to millions of metres), but for the mode, landxml in the first; elevations skipped on request.
void ExpectSameJson(const std::string& landXml, const std::string& own, bool skipElevations) {
    const auto a = JsonTokens(landXml), b = JsonTokens(own);
    ASSERT_EQ(a.size(), b.size());
    ASSERT_GT(a.size(), 20u);
    std::string key;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (i + 1 < a.size() && a[i + 1] == ":") key = a[i];
        const bool value = i > 0 && a[i - 1] == ":";
        if (value && skipElevations && key == "\"elevation\"") continue;
        if (a[i][0] != '-' && !std::isdigit(static_cast<unsigned char>(a[i][0]))) {
            ASSERT_EQ(a[i], value && key == "\"mode\"" ? "\"landxml\"" : b[i]) << "token " << i << " after " << key;
            continue;
        }
        const double x = std::stod(a[i]), y = std::stod(b[i]);
        EXPECT_NEAR(x, y, 1e-9 * std::max(1.0, std::fabs(y))) << key;
    }
}

std::string Number(double v) {
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
    return "S,900\r\nJD0\r\n1000 1000 0 0 0\r\nJD1\r\n" + Number(ipX) + " 1000 800 0 0\r\nJD2\r\n" + Number(endX) +
           " " + Number(endY) + " 0 0 0\r\n";
}

// The same road in the program's own files: an element plan (intersection points and chain breaks: the
// mainline mode) and a profile. A file without a profile the own files can write gets a flat stand-in whose
// elevations are skipped, and no calculation.
struct SameRoad {
    const char* file;
    std::string plan, dl, zdm;
    double from, to;   // stations of the table (written = continuous where no break lies between)
    Args choice = {};  // --alignment / --profile
};

std::vector<SameRoad> SameRoads() {
    return {
        {"feet.xml", "0,304.8,609.6,90.0000\r\n9999 9999 152.4\r\n304.8 304.8 91.44\r\n304.8 9999 60.96\r\n", "",
         "0 30.48 0\r\n182.88 32.3088 -60.96\r\n304.8 31.3944 0\r\n", 0, 304.8},
        {"grads.xml", "0,500,500,45.0000\r\n9999 9999 100\r\n-200 -200 80\r\n9999 9999 60\r\n", "", "", 0, 240},
        {"staequation.xml", StaEquationIntersectionPoints(), "1000 1100\r\n2000 1950\r\n",
         "900 50 0\r\n1500 55 -100\r\n2950 45 0\r\n", 900, 2900},
        {"spiral.xml",
         "0,2000,3000,0\r\n9999 9999 100\r\n9999 600 80\r\n600 600 50\r\n600 300 70\r\n300 300 40\r\n"
         "300 900 60\r\n900 9999 90\r\n9999 9999 50\r\n9999 -500 60\r\n-500 -500 40\r\n-500 9999 60\r\n",
         "", "0 300 0\r\n300 303 -80\r\n700 299 0\r\n", 0, 700},
        {"gbk-namespace.xml", "100,3346000,512800,135\r\n9999 9999 141.4213562373\r\n-400 -400 90\r\n9999 9999 80\r\n",
         "", "100 48 0\r\n250 50 -50\r\n411.4213562373 49 0\r\n", 100, 411,
         Args{"--alignment", "匝道B", "--profile", "设计纵断面二"}},
        {"circcurve.xml", "0,100,100,90\r\n9999 9999 600\r\n", "", "", 0, 600},
        {"unsymparacurve.xml", "0,100,100,90\r\n9999 9999 400\r\n", "", "", 0, 400},
    };
}

}  // namespace

// Feet, grads, GBK with a prefixed namespace, station equations, spirals: the same station table (stepped
// continuously off the centreline) and, where the profile can be written, the same calculation.
TEST(CliLandXml, EachFileGivesTheSameResultsAsTheRoadInOwnFiles) {
    for (const SameRoad& road : SameRoads()) {
        SCOPED_TRACE(road.file);
        TempDir dir;
        const std::string cg = dir.write("road.cg", "6.5,0.5,-0.5,-6.5\r\n" + Number(road.from) + " 2 -2\r\n" +
                                                        Number(road.to) + " -3 4\r\n")
                                   .string();
        const Args landXml =
            Joined({Args{"--mode", "landxml", "--landxml", kLandXml + road.file, "--cg", cg}, road.choice});
        const std::string zdm = road.zdm.empty() ? "-1000 100 0\r\n100000 100 0\r\n" : road.zdm;
        Args own{"--mode", road.dl.empty() ? "interchange" : "mainline", "--cg",  cg,
                 "--jdx",  dir.write("road.jdx", road.plan).string(),    "--zdm", dir.write("road.zdm", zdm).string()};
        if (!road.dl.empty()) own = Joined({own, Args{"--dl", dir.write("road.dl", road.dl).string()}});

        const Args table{"--from=" + Number(road.from), "--to=" + Number(road.to),
                         "--step=" + Number((road.to - road.from) / 37), "--offset=-4.25", "--json=-"};
        // Piers along the road, at written stations clear of the chain breaks.
        std::string layout = "75\r\n-6 L-2.5 0 2.5 6\r\n";
        int pier = 0;
        for (double at : {0.2, 0.45, 0.7, 0.9})
            layout += std::to_string(pier++) + "# " + Number(road.from + at * (road.to - road.from)) + " 1.6 0.25\r\n";
        std::vector<Args> runs{Joined({{"stations"}, table})};
        if (!road.zdm.empty())
            runs.push_back({"calc", "--layout=" + dir.write("bridge.txt", layout).string(), "--json=-"});
        for (const Args& run : runs) {
            const CliRun a = Cli({run, landXml}), b = Cli({run, own});
            ASSERT_EQ(a.status, 0) << a.err;
            ASSERT_EQ(b.status, 0) << b.err;
            EXPECT_TRUE(a.err.empty()) << a.err;
            ExpectSameJson(a.out, b.out, road.zdm.empty());
        }
    }
}

// An alignment among several is named by option or by project (an option overriding the project); without a
// profile name the alignment's first profile is read: the elevation at station 100 tells which. Misused options
// are usage errors naming them; a file that cannot give the road, or lacks a name asked for, is a failure in the
// program's words that lists the names the file holds.
TEST(CliLandXml, ChoiceByOptionOrProjectAndMistakes) {
    TempDir dir;
    const std::string feet = kLandXml + "feet.xml", twoRoads = kLandXml + "gbk-namespace.xml";
    const std::string project = dir.write("p.tavrel", "[road]\nmode = landxml\nlandxml = " + twoRoads +
                                                          "\nalignment = 匝道B\nprofalign = 设计纵断面二\n")
                                    .string();
    const std::string cg = dir.write("r.cg", "5,0.5,-0.5,-5\r\n0 2 -2\r\n").string();
    const std::string layout = dir.write("b.txt", "90\r\n-3 3\r\n1# 100 1.5 0.3\r\n").string();
    const Args stations{"stations", "--mode", "landxml", "--landxml"};
    const struct {
        const char* name;
        Args args;
        int status;
        std::string said;  // in standard output on success (no --cg: empty slopes), else in standard error
    } rows[] = {
        {"named alignment, its first profile", Joined({stations, Args{twoRoads, "--alignment", "匝道B"}}), 0,
         ",50,,\n"},
        {"named profile", Joined({stations, Args{twoRoads, "--alignment", "匝道B", "--profile", "设计纵断面二"}}), 0,
         ",48,,\n"},
        {"the project's names", Args{"stations", "--project", project}, 0, ",48,,\n"},
        {"an option overrides the project", Args{"stations", "--project", project, "--profile", "设计纵断面一"}, 0,
         ",50,,\n"},
        {"several without a name", Joined({stations, Args{twoRoads}}), 1,
         "数据有误: LandXML 文件中有 2 条路线，请用 --alignment 指定其中一条：主线、匝道B\n"},
        {"unknown profile", Joined({stations, Args{twoRoads, "--alignment", "匝道B", "--profile", "设计纵断面三"}}), 1,
         "数据有误: 路线“匝道B”中没有名为“设计纵断面三”的纵断面（该路线的纵断面：设计纵断面一、设计纵断面二）\n"},
        {"a named alignment is checked in a file of one", Joined({stations, Args{feet, "--alignment", "Ramp G"}}), 1,
         "数据有误: LandXML 文件中没有名为“Ramp G”的路线（文件中的路线：Ramp F）\n"},
        {"not XML, located", Joined({stations, Args{dir.write("bad.xml", "road\r\n").string()}}), 1,
         "数据有误: 文件不是格式正确的 XML：文件中没有 XML 元素\n位置: bad.xml 第 1 行: road\n"},
        {"calc without a profile",
         Args{"calc", "--mode", "landxml", "--landxml", kLandXml + "grads.xml", "--cg", cg, "--layout", layout}, 1,
         "数据有误: 路线“G”没有纵断面（ProfAlign），无法计算垫石高程，请选用有纵断面的路线！\n"},
        {"no --landxml", Args{"stations", "--mode", "landxml"}, 2,
         "tavrel-cli: --mode landxml 需要 --landxml（LandXML 文件）\n"},
        {"calc without --cg", Args{"calc", "--mode", "landxml", "--landxml", feet, "--layout", layout}, 2,
         "tavrel-cli: calc --mode landxml 需要 --cg（超高资料）\n"},
        {"a profile file beside it", Joined({stations, Args{feet, "--zdm", "a.zdm"}}), 2,
         "tavrel-cli: --mode landxml 的平面、断链和纵断面都取自 --landxml 文件，不用 --jdx、--dl、--zdm\n"},
        {"--alignment in another mode", Args{"stations", "--mode", "straight", "--alignment", "A"}, 2,
         "tavrel-cli: --landxml、--alignment、--profile 只用于 --mode landxml\n"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        const Args table{"--from", "100", "--to", "100", "--step", "1", "--csv", "-"};
        const CliRun r = Cli({row.args, row.args[0] == "calc" ? Args{"--json", "-"} : table});
        EXPECT_EQ(r.status, row.status) << r.err;
        const std::string& shown = row.status == 0 ? r.out : r.err;
        EXPECT_NE(shown.find(row.said), std::string::npos) << shown;
        EXPECT_TRUE((row.status == 0 ? r.err : r.out).empty());
    }
}
