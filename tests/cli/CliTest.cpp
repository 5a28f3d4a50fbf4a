#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <set>
#include <sstream>

#include <unistd.h>

#include "cli/Cli.h"
#include "cli/CliRun.h"
#include "common/NumberText.h"
#include "common/TempFiles.h"

using namespace tavrel;
using tavrel::testing::TempDir;

namespace {

const std::string kExamples = TAVREL_EXAMPLES_DIR;

using Run = tavrel::testing::CliRun;

// A run of the command line; with `stdoutFails`, its standard output fails at the first write (closed or full).
Run cli(const std::vector<std::string>& args, bool stdoutFails = false) {
    return tavrel::testing::RunCliCaptured(args, stdoutFails);
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
    // A file that is not there keeps the first line of the window's message and says so on the second.
    const auto missing = cli({"stations", "--mode", "straight", "--dl", kExamples + "/straight/none.dl", "--zdm",
                              kExamples + "/straight/road.zdm", "--cg", kExamples + "/straight/road.cg", "--from", "0",
                              "--to", "1", "--step", "1", "--csv", "-"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "错误: 数据文件格式有误或操作有误！\n位置: none.dl：文件不存在\n");

    const auto bad = cli({"stations", "--mode", "straight", "--dl", kExamples + "/straight/road.cg", "--zdm",
                          kExamples + "/straight/road.zdm", "--cg", kExamples + "/straight/road.cg", "--from", "0",
                          "--to", "1", "--step", "1", "--csv", "-"});
    EXPECT_EQ(bad.status, 1);
    // The superelevation file given as the chain breaks: its first line has commas, not two numbers.
    EXPECT_EQ(bad.err,
              "错误: 数据文件格式有误或操作有误！\n位置: road.cg 第 1 行: 10.5,0.5,-0.5,-10.5\n"
              "此文件看来是超高资料，不是断链资料；请检查是否选错了文件。\n");

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
    EXPECT_EQ(none.status, 2);  // without the layout there is nothing to calculate: a usage error
    EXPECT_EQ(lines(none.err).at(0), "tavrel-cli: calc --mode straight 需要 --layout（垫石设置资料）");
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

// The arguments without the option and its value.
std::vector<std::string> without(std::vector<std::string> args, const std::string& option) {
    const auto at = std::find(args.begin(), args.end(), option);
    args.erase(at, at + 2);
    return args;
}

// `stations` on the road of an example.
std::vector<std::string> exampleStations(const std::string& mode, std::vector<std::string> extra) {
    auto args = without(exampleCalc(mode, std::move(extra)), "--layout");
    args[0] = "stations";
    return args;
}

std::string exampleProject(const std::string& mode) { return kExamples + "/" + mode + "/" + mode + ".tavrel"; }

// The example line of a usage text ("例：tavrel-cli calc --mode mainline --jdx road.jdx ...") run on the bundled
// example of its mode: input names become paths into that folder, an output goes into `scratch`.
Run runUsageExample(const std::string& usage, const std::filesystem::path& scratch) {
    std::istringstream line(usage.substr(usage.find("例：tavrel-cli ") + std::string("例：tavrel-cli ").size()));
    std::vector<std::string> args;
    for (std::string word; line.peek() != '\n' && line >> word;) {
        const std::string option = args.empty() ? "" : args.back();
        if (option == "--xlsx") word = (scratch / word).string();
        else if (option != "--mode" && word.find('.') != std::string::npos)
            word = kExamples + "/" + args.at(2) + "/" + word;
        args.push_back(word);
    }
    return cli(args);
}

}  // namespace

TEST(CliStations, WithoutAnOutputTheRowsAreATableOnStandardOutput) {
    auto args = exampleStations("mainline", {"--from", "12000", "--to", "12020", "--step", "10", "--offset", "5.25"});
    const auto table = lines(cli(args).out);
    args.insert(args.end(), {"--csv", "-"});
    const auto csv = lines(cli(args).out);
    ASSERT_EQ(table.size(), 5u);  // the offset, the headings, three rows
    EXPECT_EQ(table[0], "偏距 5.250 m（左正右负），高程为该处的桥面高程，共 3 行");
    // Each row shows the values of the CSV row to three decimals, the bearing in degrees, minutes and seconds.
    for (std::size_t i = 0; i < 3; ++i) {
        SCOPED_TRACE(table[i + 2]);
        std::istringstream row(table[i + 2]), values(csv.at(i + 1));
        const std::vector<std::string> shown{std::istream_iterator<std::string>(row), {}};
        std::vector<std::string> read;
        for (std::string w; std::getline(values, w, ',');) read.push_back(w);
        ASSERT_EQ(shown.size(), 7u);
        EXPECT_EQ(shown[0], StationKText(std::stod(read[1])));
        for (const auto& [column, field] : {std::pair{1, 2}, {2, 3}, {3, 5}, {4, 6}, {5, 7}})
            EXPECT_NEAR(std::stod(shown[column]), std::stod(read[field]), 0.0005 + 1e-9);
        int degrees = 0, minutes = 0;
        double seconds = 0;
        ASSERT_EQ(std::sscanf(shown[6].c_str(), "%d°%d′%lf″", &degrees, &minutes, &seconds), 3);
        EXPECT_NEAR(degrees + minutes / 60.0 + seconds / 3600, std::stod(read[4]) * 180 / std::acos(-1.0), 0.05 / 3600);
    }
    // On the straight road there are no plane values: those columns are left out.
    const auto straight = lines(cli(straightRoad({"--from", "2000", "--to", "2010", "--step", "10"})).out);
    ASSERT_EQ(straight.size(), 4u);
    EXPECT_EQ(straight[2], "    K2+000.000    120.000      2.000     -2.000");
}

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
    const TempDir dir;
    const auto csv = dir.path() / "points.csv";
    const auto r = cli(exampleCalc("mainline", {"--points", csv.string()}));
    ASSERT_EQ(r.status, 0) << r.err;
    EXPECT_TRUE(r.out.empty()) << r.out;
    std::ifstream in(csv, std::ios::binary);
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    EXPECT_EQ(text.rfind(std::string("\xEF\xBB\xBF") + "0#台-1,", 0), 0u);  // with a BOM, the first pier first
    EXPECT_EQ(lines(text).size(), 4u * (8 + 4));  // 4 piers: 8 pedestals and 4 edge points each
}

TEST(CliConventions, HelpAndVersionGoToStandardOutput) {
    // Each usage text is in Chinese and ends with one example of its command, which runs on the example files.
    const TempDir scratch;
    for (const auto& args :
         std::vector<std::vector<std::string>>{{"--help"}, {"-h"}, {"calc", "--help"}, {"stations", "-h"}}) {
        SCOPED_TRACE(args.front());
        const auto r = cli(args);
        EXPECT_EQ(r.status, 0);
        EXPECT_TRUE(r.err.empty());
        EXPECT_NE(r.out.find("用法: tavrel-cli"), std::string::npos) << r.out;
        // The example is of the command asked about (calc for the program as a whole).
        EXPECT_NE(r.out.find("例：tavrel-cli " + (args.size() > 1 ? args[0] : "calc")), std::string::npos) << r.out;
        const auto run = runUsageExample(r.out, scratch.path());
        EXPECT_EQ(run.status, 0) << run.err;
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
        EXPECT_NE(r.err.find("\n用法: tavrel-cli"), std::string::npos) << r.err;
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

TEST(CliProject, AProjectGivesExactlyWhatItsOptionsGiveAndExplicitOptionsOverrideIt) {
    const TempDir dir;
    const std::string s = kExamples + "/straight/";
    // The straight example with a profile that is not there: found missing unless the command line replaces it.
    const std::string gone = dir.write("p.tavrel", "[road]\nmode = straight\nchainbreaks = " + s +
                                                       "road.dl\nprofile = gone.zdm\nsuperelevation = " + s +
                                                       "road.cg\n[bridge]\nlayout = " + s + "bridge.txt\n");
    std::vector<std::pair<std::vector<std::string>, std::vector<std::string>>> rows{
        {{"calc", "--project", gone, "--zdm", s + "road.zdm", "--json", "-"}, exampleCalc("straight", {"--json", "-"})},
        {{"stations", "--project", exampleProject("mainline"), "--from", "12600", "--to", "12700", "--step", "20",
          "--csv", "-"},
         exampleStations("mainline", {"--from", "12600", "--to", "12700", "--step", "20", "--csv", "-"})}};
    for (const char* mode : {"straight", "mainline", "interchange"})
        rows.push_back(
            {{"calc", "--project", exampleProject(mode), "--json", "-"}, exampleCalc(mode, {"--json", "-"})});
    for (const auto& [project, options] : rows) {
        SCOPED_TRACE(project.at(2));
        const auto expected = cli(options), run = cli(project);
        ASSERT_EQ(expected.status, 0) << expected.err;
        EXPECT_EQ(run.status, 0) << run.err;
        EXPECT_EQ(run.out, expected.out);
        EXPECT_EQ(run.err, expected.err);
    }
    EXPECT_EQ(cli({"calc", "--project", gone, "--json", "-"}).err,
              "项目文件有误: 项目文件中的纵断面设计资料不存在：" + (dir.path() / "gone.zdm").string() +
                  "\n位置: p.tavrel 第 4 行: profile = gone.zdm\n");
}

// Each failing run: its status, how its standard error starts, no standard output, and no file left behind.
TEST(CliFailures, StatusFirstLinesOfStderrAndNoOutputLeftBehind) {
    const TempDir dir;
    const std::string d = kExamples + "/straight/", layout = d + "bridge.txt";
    const auto out = [&dir](const char* name) { return (dir.path() / name).string(); };
    std::string many = "90\r\n-3 3\r\n";
    for (int k = 0; k < 100000; ++k) many += std::to_string(k) + "# 2400 1.5 0.3\r\n";
    const std::string locked = dir.write("locked.xlsx", "open elsewhere");
    dir.write(".~lock.locked.xlsx#", "");
    // A pier 100,000 km down the road: calculated with warnings (beyond the road data), too long to draw.
    const std::string far = dir.write("far.txt", "90\r\n-3 3\r\n1# 2400 1.5 0.3\r\n2# 100002400 1.5 0.3\r\n");
    // A blank line after the first superelevation row (a warning), then a bad side mark (the failure).
    const std::string gap = dir.write("gap.cg", "10.5,0.5,-0.5,-10.5\r\n2000 2 -2\r\n\r\n2800 2 -2\r\n");
    const std::string bad = dir.write("bad.txt", "90\r\n-3 3\r\n1# 2400 1.5 0.3\r\n2# 2420 1.5 0.3 LEFT\r\n");
    const std::string badProject = dir.write("bad.tavrel", "[road]\nmode = straight\nzdm = a.zdm\n");
    const std::string manyFile = dir.write("many.txt", many);
    const std::set<std::filesystem::path> inputs{std::filesystem::directory_iterator(dir.path()), {}};
    const auto offset = [](const char* v) {
        return straightRoad({"--from", "2000", "--to", "2100", "--step", "10", "--offset", v, "--csv", "-"});
    };
    const std::string twice = "tavrel-cli: --json 和 --dxf 指向同一个输出文件：";
    const std::string stdoutFailed = "错误: 标准输出写入失败：磁盘读写错误！\n";
    const struct {
        ::Run run;
        int status;
        std::string start;
    } rows[] = {
        {cli(without(exampleCalc("mainline", {}), "--jdx")), 2,
         "tavrel-cli: calc --mode mainline 需要 --jdx（平面资料）\n"},
        {cli({"calc", "--mode", "straight", "--zdm", d + "road.zdm"}), 2,
         "tavrel-cli: calc --mode straight 需要 --dl（断链资料）、--cg（超高资料）、--layout（垫石设置资料）\n"},
        {cli({"calc", "--dl", d + "road.dl", "--layout", layout}), 2,
         "tavrel-cli: calc 需要 --mode（straight、mainline、interchange 或 landxml）或 --project\n"},
        {cli(exampleStations("interchange", {"--from", "0"})), 2,
         "tavrel-cli: stations --mode interchange 需要 --to（最后一个桩号）、--step（桩距）\n"},
        {cli(offset("nan")), 2, "tavrel-cli: --offset"},
        {cli(offset("1e308")), 2, "tavrel-cli: --offset"},
        {cli(straightCalc({"--json", out("x"), "--dxf", (dir.path() / "." / "x").string()})), 2, twice},
        {cli(straightCalc({"--json", "-", "--dxf", "-"})), 2, twice + "-\n"},
        {cli({"--help"}, /*stdoutFails=*/true), 1, stdoutFailed},
        {cli({"--version"}, /*stdoutFails=*/true), 1, stdoutFailed},
        // The failure, then its location, then the warnings; the calculation's warnings after a failing output.
        {cli({"calc", "--mode", "straight", "--dl", d + "road.dl", "--zdm", d + "road.zdm", "--cg", gap, "--layout",
              bad, "--json", "-"}),
         1,
         "错误: 垫石设置资料第 2 行数据中左右标识标识有误！\n位置: bad.txt 第 4 行: 2# 2420 1.5 0.3 LEFT\n"
         "警告: gap.cg 第 3 行为空行，其后 1 行未读入\n"},
        {cli(straightCalc({"--layout", far, "--json", "-"}), /*stdoutFails=*/true), 1, stdoutFailed + "警告: "},
        // All targets or none: a refused one, a drawing too long to draw.
        {cli(straightCalc({"--layout", layout, "--xlsx", out("new.xlsx"), "--json", layout})), 1,
         "错误: 不能写入文件 " + layout + "：这是本次读入的资料文件！\n"},
        {cli(straightCalc(
             {"--layout", far, "--xlsx", out("new.xlsx"), "--json", out("new.json"), "--dxf", out("new.dxf")})),
         1, "数据有误: 平面图要绘制的路段长约 100000 km，超过能绘制的 200 km，请检查墩台桩号！\n"},
        {cli(straightCalc({"--layout", layout, "--xlsx", locked})), 1,
         "错误: 不能写入文件 " + locked + "：它已在电子表格程序中打开，请关闭后重试！\n"},
        {cli(straightCalc({"--layout", manyFile, "--json", "-"})), 1,
         "数据有误: 垫石设置资料的墩台数超过32767（一次计算的上限），请分成几个文件计算！\n"
         "位置: many.txt 第 32770 行: 32767# 2400"},
        {cli({"calc", "--project", badProject, "--json", "-"}), 1, "项目文件有误: [road] 节中没有键“zdm”；"},
    };
    for (const auto& row : rows) {
        EXPECT_EQ(row.run.status, row.status) << row.start;
        EXPECT_EQ(row.run.err.rfind(row.start, 0), 0u) << row.run.err.substr(0, 300);
        EXPECT_TRUE(row.run.out.empty()) << row.start;
    }
    EXPECT_EQ(inputs, (std::set<std::filesystem::path>{std::filesystem::directory_iterator(dir.path()), {}}));
    std::ifstream kept(locked);
    EXPECT_EQ(std::string((std::istreambuf_iterator<char>(kept)), {}), "open elsewhere");
}
