#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include <unistd.h>

#include "cli/Cli.h"

using namespace tavrel;

namespace {

const std::string kExamples = TAVREL_EXAMPLES_DIR;

struct Run {
    int status;
    std::string out, err;
};

Run cli(std::vector<std::string> args) {
    std::ostringstream out, err;
    const int status = RunCli(args, out, err);
    return {status, out.str(), err.str()};
}

// A command on the straight example road, with more arguments after the road files.
std::vector<std::string> onStraightRoad(const std::string& command, std::vector<std::string> extra) {
    std::vector<std::string> a{command,
                               "--mode",
                               "straight",
                               "--dl",
                               kExamples + "/straight/road.dl",
                               "--zdm",
                               kExamples + "/straight/road.zdm",
                               "--cg",
                               kExamples + "/straight/road.cg"};
    a.insert(a.end(), extra.begin(), extra.end());
    return a;
}

std::vector<std::string> straightRoad(std::vector<std::string> extra) { return onStraightRoad("stations", extra); }

std::vector<std::string> lines(const std::string& s) {
    std::vector<std::string> out;
    std::istringstream in(s);
    for (std::string l; std::getline(in, l);) out.push_back(l);
    return out;
}

}  // namespace

TEST(CliUsage, BadCommandLinesAreUsageErrors) {
    EXPECT_EQ(cli({}).status, 2);
    EXPECT_EQ(cli({"draw"}).status, 2);
    EXPECT_EQ(cli({"calc", "--mode", "curved"}).status, 2);
    EXPECT_EQ(cli({"calc", "--mode"}).status, 2);
    EXPECT_EQ(cli({"stations", "--mode", "straight", "--layout", "x"}).status, 2);
    EXPECT_EQ(cli(straightRoad({"--from", "abc", "--to", "2100", "--step", "10", "--csv", "-"})).status, 2);
}

TEST(CliMessages, CommandFailuresGoToStderrAsTitleAndText) {
    const auto missing =
        cli({"stations", "--mode", "straight", "--from", "0", "--to", "1", "--step", "1", "--csv", "-"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "错误: 读取文件被取消！\n");

    const auto bad = cli({"stations", "--mode", "straight", "--dl", kExamples + "/straight/road.cg", "--zdm",
                          kExamples + "/straight/road.zdm", "--cg", kExamples + "/straight/road.cg", "--from", "0",
                          "--to", "1", "--step", "1", "--csv", "-"});
    EXPECT_EQ(bad.status, 1);
    // The superelevation file given as the chain breaks: its first line has commas, not two numbers.
    EXPECT_EQ(bad.err, "错误: 数据文件格式有误或操作有误！\n位置: road.cg 第 1 行: 10.5,0.5,-0.5,-10.5\n");

    // A station in the gap of the short chain 2350 -> 2360.
    const auto gap = cli(straightRoad({"--from", "2355", "--to", "2400", "--step", "10", "--csv", "-"}));
    EXPECT_EQ(gap.status, 1);
    EXPECT_EQ(gap.err, "数据有误: 桩号2355不应存在2350和2360之间，请修改！\n");  // from the command line: no file
}

TEST(CliStations, RowsRunFromTheFirstStationToTheLastInclusive) {
    const auto r = cli(straightRoad({"--from", "2000", "--to", "2025", "--step", "10", "--csv", "-"}));
    ASSERT_EQ(r.status, 0) << r.err;
    const auto l = lines(r.out);
    ASSERT_EQ(l.size(), 5u);
    EXPECT_EQ(l[0], "station,nominalStation,x,y,bearing,elevation,leftSlope,rightSlope");
    EXPECT_EQ(l[1], "2000,2000,,,,120,2,-2");
    EXPECT_EQ(l[4].substr(0, 10), "2025,2025,");
}

TEST(CliStations, ChainMarksAndNominalStations) {
    // B2400 lies after the short chain 2350 -> 2360: continuous 2390.
    const auto r = cli(straightRoad({"--from", "B2400", "--to", "2400", "--step", "5", "--json", "-"}));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\"station\": 2390, \"nominalStation\": 2400, \"x\": null, \"y\": null, \"bearing\": null"),
              std::string::npos)
        << r.out;
    EXPECT_EQ(r.out.front(), '[');
}

namespace {

std::vector<std::string> straightCalc(std::vector<std::string> extra) { return onStraightRoad("calc", extra); }

}  // namespace

TEST(CliCalc, JsonHoldsEveryPierAndPedestal) {
    const auto r = cli(straightCalc({"--layout", kExamples + "/straight/bridge.txt", "--json", "-"}));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_NE(r.out.find("\"mode\": \"straight\""), std::string::npos);
    EXPECT_NE(r.out.find("\"pedestalDistances\": [-9.75, -6.25, -2.75, 2.75, 6.25, 9.75]"), std::string::npos);
    EXPECT_NE(r.out.find("\"pierName\": \"3#台\""), std::string::npos);
    EXPECT_NE(r.out.find("\"sideMark\": \"Y\""), std::string::npos);
    // The shifted pier: base 2395 written = 2385 continuous, laid out half a metre further on.
    EXPECT_NE(r.out.find("\"baseStation\": 2385, \"stationShift\": 0.5, \"referenceStation\": 2385.5, "
                         "\"referenceNominalStation\": 2395.5"),
              std::string::npos);
    EXPECT_NE(r.out.find("\"x\": null"), std::string::npos);
    EXPECT_EQ(r.out.find("nan"), std::string::npos);
}

TEST(CliCalc, WorkbookGoesExactlyWhereAsked) {
    const auto dir = std::filesystem::temp_directory_path() / ("tavrel-cli-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const auto xlsx = dir / "out.xlsx";
    const auto r = cli(straightCalc({"--layout", kExamples + "/straight/bridge.txt", "--xlsx", xlsx.string()}));
    EXPECT_EQ(r.status, 0) << r.err;
    EXPECT_GT(std::filesystem::file_size(xlsx), 1000u);
    std::filesystem::remove_all(dir);
}

TEST(CliCalc, LayoutMistakesAreToldInTheProgramsWords) {
    const auto dir = std::filesystem::temp_directory_path() / ("tavrel-cli-layout-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    std::ofstream(dir / "bad.txt", std::ios::binary) << "90\r\n-3 3\r\n1# 2400 1.5 0.3\r\n2# 2420 1.5 0.3 LEFT\r\n";
    const auto r = cli(straightCalc({"--layout", (dir / "bad.txt").string(), "--json", "-"}));
    EXPECT_EQ(r.status, 1);
    EXPECT_EQ(r.err,
              "错误: 垫石设置资料第 2 行数据中左右标识标识有误！\n位置: bad.txt 第 4 行: 2# 2420 1.5 0.3 LEFT\n");
    EXPECT_TRUE(r.out.empty());
    const auto none = cli(straightCalc({"--json", "-"}));
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.err, "错误: 读取文件被取消！\n");
    std::filesystem::remove_all(dir);
}

namespace {

std::vector<std::string> exampleCalc(const std::string& mode, std::vector<std::string> extra) {
    const std::string d = kExamples + "/" + mode + "/";
    std::vector<std::string> a{"calc", "--mode", mode};
    if (mode == "interchange") {
        a.insert(a.end(), {"--jdx", d + "ramp.jdx", "--zdm", d + "ramp.zdm", "--cg", d + "ramp.cg"});
    } else {
        if (mode == "mainline") a.insert(a.end(), {"--jdx", d + "road.jdx"});
        a.insert(a.end(), {"--dl", d + "road.dl", "--zdm", d + "road.zdm", "--cg", d + "road.cg"});
    }
    a.insert(a.end(), {"--layout", d + "bridge.txt"});
    a.insert(a.end(), extra.begin(), extra.end());
    return a;
}

// The number after `"key": ` at its first occurrence following `from`, and `then` after it, in a JSON text.
double jsonValueAfter(const std::string& json, const std::string& from, const std::string& key,
                      const std::string& then = {}) {
    auto start = json.find(from);
    if (start != std::string::npos && !then.empty()) start = json.find(then, start);
    if (start == std::string::npos) throw std::runtime_error("no " + from + " " + then);
    const auto at = json.find("\"" + key + "\": ", start);
    if (at == std::string::npos) throw std::runtime_error("no " + key + " after " + from);
    return std::stod(json.substr(at + key.size() + 4));
}

}  // namespace

TEST(CliExamples, PinnedStationsAndHeightsOfTheExampleBridges) {
    // The first pedestal of each example's pier 1#: its station and height as checked against an independent
    // calculation of the same bridges (agreement well under 0.1 mm).
    const struct {
        const char* mode;
        const char* pier;
        double referenceNominalStation, pedestalStation, height, topElevation;
    } rows[] = {
        {"straight", "\"pierName\": \"1#墩\"", 2395.5, 2385.5, 0.251262, 121.808173},
        {"mainline", "\"pierName\": \"1#墩\"", 12630, 12632.941983, 0.298736, 249.210643},
        {"interchange", "\"pierName\": \"A匝道1#墩\"", 175, 177.068875, 0.248202, 251.771935},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.mode);
        const auto r = cli(exampleCalc(row.mode, {"--json", "-"}));
        ASSERT_EQ(r.status, 0) << r.err;
        EXPECT_NEAR(jsonValueAfter(r.out, row.pier, "referenceNominalStation"), row.referenceNominalStation, 1e-6);
        EXPECT_NEAR(jsonValueAfter(r.out, row.pier, "station", "\"pedestals\""), row.pedestalStation, 1e-5);
        EXPECT_NEAR(jsonValueAfter(r.out, row.pier, "height", "\"pedestals\""), row.height, 1e-5);
        EXPECT_NEAR(jsonValueAfter(r.out, row.pier, "topElevation", "\"pedestals\""), row.topElevation, 1e-5);
    }
}

TEST(CliExamples, WithoutAnOutputTheResultsAreATableOnStandardOutput) {
    const auto r = cli(exampleCalc("straight", {}));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.err.empty());
    EXPECT_NE(r.out.find("墩台 1#墩  桩号 K2+395.500\n"), std::string::npos) << r.out;
    // Pedestal 1 of 1#墩: offset, top elevation and height, three decimals.
    EXPECT_NE(r.out.find("       1      -9.750       121.808         0.251\n"), std::string::npos) << r.out;
    // 3#台 carries the mark Y: its left pedestals (4 to 6, at positive distances) are not listed.
    const std::string last = r.out.substr(r.out.find("墩台 3#台"));
    EXPECT_NE(last.find("\n       3 "), std::string::npos);
    EXPECT_EQ(last.find("\n       4 "), std::string::npos);
}

TEST(CliCalc, DxfAloneWritesTheDrawingAndNoTableAndAnUnwritableTargetIsAFailure) {
    const auto dir = std::filesystem::temp_directory_path() / ("tavrel-cli-dxf-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const auto dxf = dir / "plan.dxf";
    const auto r = cli(exampleCalc("mainline", {"--dxf", dxf.string()}));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.out.empty()) << r.out;  // --dxf is an output: no table
    std::ifstream in(dxf, std::ios::binary);
    std::string head(40, '\0');
    in.read(head.data(), 40);
    EXPECT_EQ(head.rfind("  0\r\nSECTION\r\n  2\r\nHEADER\r\n", 0), 0u);

    const auto nowhere = (dir / "no such folder" / "plan.dxf").string();
    const auto bad = cli(exampleCalc("mainline", {"--dxf", nowhere}));
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.err, "错误: 文件 " + nowhere + " 写入失败：文件夹不存在！\n");
    std::filesystem::remove_all(dir);
}

TEST(CliCalc, PointsWritesThePointFileAndNoTable) {
    const auto dir = std::filesystem::temp_directory_path() / ("tavrel-cli-points-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    const auto csv = dir / "points.csv";
    const auto r = cli(exampleCalc("mainline", {"--points", csv.string()}));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.out.empty()) << r.out;
    std::ifstream in(csv, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text.rfind("\xEF\xBB\xBF"
                         "0#台-1,",
                         0),
              0u);
    EXPECT_EQ(lines(text).size(), 4u * (8 + 4));  // 4 piers: 8 pedestals and 4 edge points each
    std::filesystem::remove_all(dir);
}

TEST(CliConventions, HelpAndVersionGoToStandardOutput) {
    for (const auto& args :
         std::vector<std::vector<std::string>>{{"--help"}, {"-h"}, {"calc", "--help"}, {"stations", "-h"}}) {
        SCOPED_TRACE(args.back());
        const auto r = cli(args);
        EXPECT_EQ(r.status, 0);
        EXPECT_TRUE(r.err.empty());
        EXPECT_NE(r.out.find("Usage: tavrel-cli"), std::string::npos) << r.out;
    }
    EXPECT_NE(cli({"calc", "--help"}).out.find("--layout"), std::string::npos);
    EXPECT_NE(cli({"calc", "--help"}).out.find("--dxf"), std::string::npos);
    EXPECT_NE(cli({"stations", "--help"}).out.find("--step"), std::string::npos);
    const auto v = cli({"--version"});
    EXPECT_EQ(v.status, 0);
    EXPECT_EQ(v.out, "tavrel-cli 2.0\n");
}

TEST(CliConventions, KeyEqualsValueWorksAsKeySpaceValue) {
    const std::string d = kExamples + "/straight/";
    const auto spaced =
        cli(straightRoad({"--from", "2000", "--to", "2020", "--step", "10", "--offset", "-5.25", "--csv", "-"}));
    const auto joined =
        cli({"stations", "--mode=straight", "--dl=" + d + "road.dl", "--zdm=" + d + "road.zdm", "--cg=" + d + "road.cg",
             "--from=2000", "--to=2020", "--step=10", "--offset=-5.25", "--csv=-"});
    ASSERT_EQ(spaced.status, 0) << spaced.err;
    EXPECT_EQ(joined.status, 0) << joined.err;
    EXPECT_EQ(joined.out, spaced.out);
}

TEST(CliConventions, UsageErrorsAreOneLineThenTheUsageOnStderr) {
    for (const auto& args : std::vector<std::vector<std::string>>{
             {},
             {"draw"},
             {"calc", "--mode", "curved"},
             {"stations", "--mode", "straight", "--from", "0", "--to", "1", "--step", "1"}}) {
        const auto r = cli(args);
        EXPECT_EQ(r.status, 2);
        EXPECT_TRUE(r.out.empty());
        EXPECT_EQ(r.err.rfind("tavrel-cli: ", 0), 0u) << r.err;
        EXPECT_NE(r.err.find("\nUsage: tavrel-cli"), std::string::npos) << r.err;
    }
}

TEST(CliWarnings, WarningsGoToStderrAndIntoTheJsonTheStatusStaysZero) {
    const auto dir = std::filesystem::temp_directory_path() / ("tavrel-cli-warn-" + std::to_string(::getpid()));
    std::filesystem::create_directories(dir);
    // The example profile covers K2+000 to K2+800: a pier at 2900 lies beyond it; a blank line hides a fourth.
    std::ofstream(dir / "far.txt", std::ios::binary)
        << "90\r\n-3 3\r\n1# 2400 1.5 0.3\r\n9# 2900 1.5 0.3\r\n\r\n10# 2950 1.5 0.3\r\n";
    const auto r = cli(straightCalc({"--layout", (dir / "far.txt").string(), "--json", "-"}));
    EXPECT_EQ(r.status, 0) << r.err;
    const auto err = lines(r.err);
    ASSERT_EQ(err.size(), 3u) << r.err;
    for (const auto& l : err) EXPECT_EQ(l.rfind("警告: ", 0), 0u) << l;
    EXPECT_EQ(err[0], "警告: far.txt 第 5 行为空行，其后 1 行未读入");
    EXPECT_NE(err[1].find("墩台9#的墩台中心"), std::string::npos) << err[1];
    EXPECT_NE(err[1].find("超出纵断面资料的范围（K2+000.000～K2+800.000）"), std::string::npos) << err[1];
    EXPECT_NE(err[2].find("超出超高资料的范围"), std::string::npos) << err[2];
    EXPECT_NE(r.out.find("\"warnings\": [\"far.txt 第 5 行为空行，其后 1 行未读入\", \"墩台9#的"), std::string::npos)
        << r.out.substr(0, 400);
    std::filesystem::remove_all(dir);
}

// The run's own inputs reach the output checks (the kinds of unsafe target are OutputFile's tests).
TEST(CliOutputs, TheRunsInputsAreRefusedAsTargetsWithTheProgramsMessage) {
    const auto dir = std::filesystem::temp_directory_path() / ("tavrel-cli-out-" + std::to_string(::getpid()));
    const std::string layout = kExamples + "/straight/bridge.txt";
    const struct {
        const char* name;
        std::vector<std::string> extra;
        std::string firstLine;
    } rows[] = {
        {"the layout file as the workbook",
         {"--xlsx", layout},
         "错误: 不能写入文件 " + layout + "：这是本次读入的资料文件！"},
        {"the profile as the JSON",
         {"--json", kExamples + "/straight/road.zdm"},
         "错误: 不能写入文件 " + kExamples + "/straight/road.zdm：这是本次读入的资料文件！"},
        {"a missing folder",
         {"--xlsx", (dir / "none" / "a.xlsx").string()},
         "错误: 文件 " + (dir / "none" / "a.xlsx").string() + " 写入失败：文件夹不存在！"},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.name);
        auto args = straightCalc({"--layout", layout});
        args.insert(args.end(), row.extra.begin(), row.extra.end());
        const auto r = cli(args);
        EXPECT_EQ(r.status, 1);
        EXPECT_EQ(lines(r.err).at(0), row.firstLine);
    }
    std::filesystem::remove_all(dir);
}
