#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include <unistd.h>

#include "cli/Cli.h"
#include "cli/Json.h"

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

std::vector<std::string> straightRoad(std::vector<std::string> extra) {
    std::vector<std::string> a{"stations", "--mode", "straight", "--dl", kExamples + "/straight/road.dl",
                               "--zdm", kExamples + "/straight/road.zdm", "--cg", kExamples + "/straight/road.cg"};
    a.insert(a.end(), extra.begin(), extra.end());
    return a;
}

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
    const auto missing = cli({"stations", "--mode", "straight", "--from", "0", "--to", "1", "--step", "1", "--csv",
                              "-"});
    EXPECT_EQ(missing.status, 1);
    EXPECT_EQ(missing.err, "错误: 读取文件被取消！\n");

    const auto bad = cli({"stations", "--mode", "straight", "--dl", kExamples + "/straight/road.cg", "--zdm",
                          kExamples + "/straight/road.zdm", "--cg", kExamples + "/straight/road.cg", "--from", "0",
                          "--to", "1", "--step", "1", "--csv", "-"});
    EXPECT_EQ(bad.status, 1);
    EXPECT_EQ(bad.err, "错误: 数据文件格式有误或操作有误！\n");

    // A station in the gap of the short chain 2350 -> 2360.
    const auto gap = cli(straightRoad({"--from", "2355", "--to", "2400", "--step", "10", "--csv", "-"}));
    EXPECT_EQ(gap.status, 1);
    EXPECT_EQ(gap.err, "数据有误: 桩号2355不应存在2350和2360之间，请修改！\n");
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

TEST(JsonText, NumbersReadBackExactlyAndStringsAreEscaped) {
    EXPECT_EQ(numberText(0.1), "0.1");
    EXPECT_EQ(numberText(12345.678), "12345.678");
    EXPECT_EQ(numberText(-0.0), "0");
    EXPECT_EQ(std::stod(numberText(1.0 / 3)), 1.0 / 3);
    EXPECT_EQ(jsonNumber(std::nullopt), "null");
    EXPECT_EQ(jsonString("1#墩 \"a\"\\\n"), "\"1#墩 \\\"a\\\"\\\\\\n\"");
}

namespace {

std::vector<std::string> straightCalc(std::vector<std::string> extra) {
    std::vector<std::string> a{"calc", "--mode", "straight", "--dl", kExamples + "/straight/road.dl",
                               "--zdm", kExamples + "/straight/road.zdm", "--cg", kExamples + "/straight/road.cg"};
    a.insert(a.end(), extra.begin(), extra.end());
    return a;
}

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
    EXPECT_EQ(r.err, "错误: 垫石设置资料第 2 行数据中左右标识标识有误！\n");
    EXPECT_TRUE(r.out.empty());
    const auto none = cli(straightCalc({"--json", "-"}));
    EXPECT_EQ(none.status, 1);
    EXPECT_EQ(none.err, "错误: 读取文件被取消！\n");
    std::filesystem::remove_all(dir);
}
