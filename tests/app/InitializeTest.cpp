#include <gtest/gtest.h>
#include <sys/stat.h>

#include "app/CalculateCommand.h"
#include "app/FakePort.h"
#include "app/InitializeCommand.h"
#include "common/TempFiles.h"

using namespace tavrel;
using tavrel::testing::FakePort;
using tavrel::testing::TempDir;

namespace {

constexpr RoadMode kStraight = RoadMode::Straight;
constexpr RoadMode kMainLine = RoadMode::MainLine;
constexpr RoadMode kInterchange = RoadMode::Interchange;

// A small but complete road, files as an engineer writes them (CR LF).
struct RoadFiles {
    TempDir dir;
    std::filesystem::path jdx = dir.write("road.jdx",
                                          "测试路线,0\r\nJD0\r\n0 0 0 0 0\r\nJD1\r\n1000 0 500 100 100\r\n"
                                          "JD2\r\n1000 1000 0 0 0\r\n");
    std::filesystem::path ramp =
        dir.write("ramp.jdx", "0,0,0,90.0000\r\n9999 9999 100\r\n9999 300 60\r\n300 300 100\r\n");
    std::filesystem::path dl = dir.write("road.dl", "500 520\r\n");
    std::filesystem::path zdm = dir.write("road.zdm", "0 100 0\r\n600 106 8000\r\n1600 101 0\r\n");
    std::filesystem::path cg = dir.write("road.cg", "0.75,0.5,0.5,0.75\r\n0 2 -2\r\n1500 2 -2\r\n");
};

// One message: its title, its first line and, when `where` is given, its second line ("位置: ...").
void expectOneMessage(const FakePort& port, std::string_view title, std::string_view text,
                      std::optional<std::string_view> where = std::nullopt) {
    ASSERT_EQ(port.messages.size(), 1u);
    EXPECT_EQ(port.messages[0].title, title);
    const std::string& shown = port.messages[0].text;
    const auto lineEnd = shown.find('\n');
    EXPECT_EQ(shown.substr(0, lineEnd), text);
    if (where) {
        EXPECT_EQ(lineEnd == std::string::npos ? "" : shown.substr(lineEnd + 1), *where);
    }
}

// The one message of a load of `files` (answered in turn) that fails; empty when it does not fail so.
std::string failedLoadMessage(RoadMode mode, const std::vector<std::filesystem::path>& files) {
    FakePort port;
    for (const auto& f : files) port.answer(f);
    AppState state;
    EXPECT_FALSE(InitializeCommand(state, mode, port));
    EXPECT_EQ(port.messages.size(), 1u);
    return port.messages.empty() ? std::string() : port.messages[0].text;
}

}  // namespace

TEST(InitializeCommand, AsksForTheFilesInTheModesOrder) {
    RoadFiles road;
    struct Row {
        const char* name;
        RoadMode mode;
        std::vector<std::filesystem::path> files;
        std::vector<DialogId> dialogs;
    } rows[] = {
        {"straight road",
         kStraight,
         {road.dl, road.zdm, road.cg},
         {DialogId::ChainBreakFile, DialogId::ProfileFile, DialogId::SuperelevationFile}},
        {"main line",
         kMainLine,
         {road.jdx, road.dl, road.zdm, road.cg},
         {DialogId::PlanFile, DialogId::ChainBreakFile, DialogId::ProfileFile, DialogId::SuperelevationFile}},
        {"interchange: no chain breaks",
         kInterchange,
         {road.ramp, road.zdm, road.cg},
         {DialogId::PlanFile, DialogId::ProfileFile, DialogId::SuperelevationFile}},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        FakePort port;
        for (const auto& f : r.files) port.answer(f);
        AppState state;
        EXPECT_TRUE(InitializeCommand(state, r.mode, port));
        EXPECT_TRUE(port.messages.empty());
        EXPECT_EQ(port.asked, r.dialogs);
        EXPECT_TRUE(state.calculateEnabled);
        EXPECT_EQ(state.project.profile.points().size(), 3u);
        EXPECT_EQ(state.project.superelevation.records().size(), 2u);
        EXPECT_EQ(state.project.chainBreaks.chainBreakCount, ReadsChainBreaks(r.mode) ? 1 : 0);
        EXPECT_EQ(state.project.roadFiles, r.files);  // the printed pages name their folder
    }
}

TEST(InitializeCommand, DialogTitlesAreTheProgramsOwn) {
    RoadFiles road;
    FakePort port;
    port.answer(road.jdx).answer(road.dl).answer(road.zdm).answer(road.cg);
    AppState state;
    InitializeCommand(state, kMainLine, port);
    EXPECT_EQ(port.titles,
              (std::vector<std::string>{"读取平面资料", "读取断链资料", "读取纵断面设计资料", "读取超高资料"}));
}

TEST(InitializeCommand, CancellingAlwaysCancelsAndKeepsThePreviousRoad) {
    RoadFiles road;
    AppState state;
    FakePort first;
    first.answer(road.dl).answer(road.zdm).answer(road.cg);
    ASSERT_TRUE(InitializeCommand(state, kStraight, first));

    // The same dialogs again, the profile dialog cancelled: no silent re-read of the earlier file.
    FakePort second;
    second.answer(road.dl).answer(std::nullopt);
    EXPECT_FALSE(InitializeCommand(state, kStraight, second));
    expectOneMessage(second, "错误", "读取文件被取消！");
    EXPECT_EQ(second.messages[0].icon, MessageIcon::Error);
    EXPECT_EQ(second.asked.size(), 2u);  // nothing asked after the cancel
    EXPECT_TRUE(state.calculateEnabled);
    EXPECT_EQ(state.project.profile.points().size(), 3u);
}

TEST(InitializeCommand, AFailedLoadLeavesThePreviousRoadWhole) {
    RoadFiles road;
    AppState state;
    FakePort first;
    first.answer(road.dl).answer(road.zdm).answer(road.cg);
    ASSERT_TRUE(InitializeCommand(state, kStraight, first));
    const double elevation = state.project.profile.points()[1].elevation;

    // New chain breaks and a new profile read fine, then the superelevation file is bad.
    const auto dl2 = road.dir.write("two.dl", "100 110\r\n200 190\r\n");
    const auto zdm2 = road.dir.write("two.zdm", "0 50 0\r\n100 51 0\r\n");
    const auto badCg = road.dir.write("bad.cg", "1,1,1,1\r\n0 2 x\r\n");
    FakePort second;
    second.answer(dl2).answer(zdm2).answer(badCg);
    EXPECT_FALSE(InitializeCommand(state, kStraight, second));
    expectOneMessage(second, "错误", "数据文件格式有误或操作有误！");
    EXPECT_EQ(state.project.chainBreaks.chainBreakCount, 1);
    EXPECT_EQ(state.project.profile.points()[1].elevation, elevation);
    EXPECT_EQ(state.project.profile.points().size(), 3u);
    EXPECT_TRUE(state.calculateEnabled);
}

TEST(InitializeCommand, CalculateStaysDisabledUntilALoadSucceeds) {
    RoadFiles road;
    AppState state;
    FakePort port;
    port.answer(road.dl).answer(road.zdm).answer(road.dir.write("empty.cg", ""));
    EXPECT_FALSE(InitializeCommand(state, kStraight, port));
    EXPECT_FALSE(state.calculateEnabled);
}

TEST(InitializeCommand, ALaterLoadKeepsNothingOfAnEarlierOne) {
    RoadFiles road;
    AppState state;
    FakePort first;
    first.answer(road.dir.write("three.dl", "100 110\r\n200 210\r\n300 310\r\n")).answer(road.zdm).answer(road.cg);
    ASSERT_TRUE(InitializeCommand(state, kStraight, first));
    FakePort second;
    second.answer(road.dl).answer(road.zdm).answer(road.cg);
    ASSERT_TRUE(InitializeCommand(state, kStraight, second));
    const auto& t = state.project.chainBreaks;
    EXPECT_EQ(t.chainBreakCount, 1);
    EXPECT_EQ(t.chainBreaks[2].beforeStation, 5000000);
    EXPECT_EQ(t.chainBreaks[3].beforeStation, 0);  // no stale break behind the sentinel
    EXPECT_EQ(t.chainBreaks[3].afterStation, 0);
}

TEST(InitializeCommand, ARejectedStationTextShowsOnlyItsOwnMessage) {
    RoadFiles road;
    AppState state;
    FakePort port;
    port.answer(road.dl).answer(road.dir.write("gap.zdm", "0 100 0\r\n510 101 0\r\n"));
    EXPECT_FALSE(InitializeCommand(state, kStraight, port));
    expectOneMessage(port, "数据有误", "桩号510不应存在500和520之间，请修改！", "位置: gap.zdm 第 2 行: 510 101 0");
    EXPECT_FALSE(state.calculateEnabled);
    EXPECT_EQ(port.asked.size(), 2u);  // the superelevation file is not asked for
}

TEST(InitializeCommand, BadInputOfAnyKindEndsWithAMessage) {
    RoadFiles road;
    const std::string longLine(10u << 20, '7');
    struct Row {
        const char* name;
        std::filesystem::path dl;
        std::string_view text;
        std::string where;  // the second line; empty: none
    } rows[] = {
        {"no file chosen", "", "读取文件被取消！", ""},
        {"a folder", road.dir.path(), "读取文件被取消！",
         "位置: " + road.dir.path().filename().string() + "：这是文件夹"},
        {"a missing file", road.dir.path() / "missing.dl", "数据文件格式有误或操作有误！",
         "位置: missing.dl：文件不存在"},
        {"binary garbage", road.dir.write("bin.dl", "\x01\x02\xFF\xFE\x80\x00\x9C"), "数据文件格式有误或操作有误！",
         "位置: bin.dl 第 1 行: ?????"},
        {"NUL bytes", road.dir.write("nul.dl", std::string("1 2\r\n100 110\0\r\n", 15)), "数据文件格式有误或操作有误！",
         "位置: nul.dl 第 2 行: 100 110?"},
        {"invalid GBK", road.dir.write("gbk.dl", "100 110 \xFF\xFF\r\n"), "数据文件格式有误或操作有误！",
         "位置: gbk.dl 第 1 行: 100 110 ??"},
        {"10 MB of one line", road.dir.write("long.dl", longLine), "数据文件格式有误或操作有误！",
         "位置: long.dl 第 1 行: " + std::string(60, '7') + "…"},
        {"twenty chain breaks",
         road.dir.write("twenty.dl",
                        [] {
                            std::string s;
                            for (int i = 1; i <= 20; ++i)
                                s += std::to_string(i * 100) + " " + std::to_string(i * 100) + "\r\n";
                            return s;
                        }()),
         "数据文件格式有误或操作有误！", "位置: twenty.dl 第 20 行: 2000 2000"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        AppState state;
        FakePort port;
        port.answer(r.dl).answer(road.zdm).answer(road.cg);
        EXPECT_FALSE(InitializeCommand(state, kStraight, port));
        expectOneMessage(port, "错误", r.text, r.where);
        EXPECT_FALSE(state.calculateEnabled);
    }
}

TEST(InitializeCommand, EmptyOrOnePointProfileIsRejected) {
    RoadFiles road;
    for (const char* text : {"", "\r\n0 100 0\r\n", "0 100 0\r\n"}) {
        SCOPED_TRACE(text);
        AppState state;
        FakePort port;
        port.answer(road.dl).answer(road.dir.write("p.zdm", text)).answer(road.cg);
        EXPECT_FALSE(InitializeCommand(state, kStraight, port));
        expectOneMessage(port, "错误", "数据文件格式有误或操作有误！");
    }
}

TEST(LocatedMessages, AFaultInEachRoadFileNamesTheFileTheLineAndItsText) {
    RoadFiles road;
    std::string manyValues;  // one more value than a line may hold
    for (std::size_t i = 0; i <= kMaxTokensPerLine; ++i) manyValues += "1 ";
    struct Row {
        const char* name;
        RoadMode mode;
        std::vector<std::filesystem::path> files;
        std::string where;
    } rows[] = {
        {"chain breaks: a record with one value",
         kStraight,
         {road.dir.write("a.dl", "500 520\r\n700\r\n"), road.zdm, road.cg},
         "位置: a.dl 第 2 行: 700"},
        {"main line: a data line with three values",
         kMainLine,
         {road.dir.write("b.jdx", "路线,0\r\nJD0\r\n0 0 0 0 0\r\nJD1\r\n1000  0\t500\r\n"), road.dl, road.zdm, road.cg},
         "位置: b.jdx 第 5 行: 1000  0 500"},
        {"main line: the start station is not a number",
         kMainLine,
         {road.dir.write("c.jdx", "路线\r\nK0+000\r\nJD0\r\n0 0 0 0 0\r\n"), road.dl, road.zdm, road.cg},
         "位置: c.jdx 第 2 行: K0+000"},
        {"ramp: a length that is not a number",
         kInterchange,
         {road.dir.write("d.jdx", "0,0,0,90.0000\r\n9999 9999 100\r\n9999 300 6O\r\n"), road.zdm, road.cg},
         "位置: d.jdx 第 3 行: 9999 300 6O"},
        {"profile: the layout file given as the profile",
         kStraight,
         {road.dl, road.dir.write("bridge.zdm", "90\r\n-3 3\r\n1# 100 1.5 0.3\r\n"), road.cg},
         "位置: bridge.zdm 第 1 行: 90\n此文件看来是垫石设置资料，不是纵断面设计资料；请检查是否选错了文件。"},
        {"superelevation: a slope that is not a number",
         kStraight,
         {road.dl, road.zdm, road.dir.write("e.cg", "0.75,0.5,0.5,0.75\r\n0 2 -2\r\n1500 2 -2%\r\n")},
         "位置: e.cg 第 3 行: 1500 2 -2%"},
        {"superelevation: a header width that is not a number",
         kStraight,
         {road.dl, road.zdm, road.dir.write("f.cg", "0.75,0.5,x,0.75\r\n0 2 -2\r\n")},
         "位置: f.cg 第 1 行: 0.75,0.5,x,0.75"},
        {"profile: two points at one station (found by the profile's build)",
         kStraight,
         {road.dl, road.dir.write("h.zdm", "0 100 0\r\n500 101 0\r\n500 102 0\r\n900 99 0\r\n"), road.cg},
         "位置: h.zdm 第 3 行: 500 102 0"},
        {"ramp: a radius of 0 (found by the chain's build)",
         kInterchange,
         {road.dir.write("i.jdx", "0,0,0,90.0000\r\n9999 9999 100\r\n0 300 60\r\n"), road.zdm, road.cg},
         "位置: i.jdx 第 3 行: 0 300 60"},
        {"main line: a curve of radius 0 (found by the line's build)",
         kMainLine,
         {road.dir.write("j.jdx",
                         "路线,0\r\nJD0\r\n0 0 0 0 0\r\nJD1\r\n1000 0 0 100 100\r\nJD2\r\n1000 1000 0 0 0\r\n"),
          road.dl, road.zdm, road.cg},
         "位置: j.jdx 第 5 行: 1000 0 0 100 100"},
        {"too many values on one line",
         kStraight,
         {road.dir.write("g.dl", "1 2\r\n" + manyValues + "\r\n"), road.zdm, road.cg},
         ""},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        const std::string text = failedLoadMessage(r.mode, r.files);
        EXPECT_EQ(text.substr(0, text.find('\n')), "数据文件格式有误或操作有误！");
        if (!r.where.empty()) EXPECT_EQ(text.substr(text.find('\n') + 1), r.where);
        else EXPECT_NE(text.find("第 2 行"), std::string::npos) << text;
    }
}

TEST(LoadWarnings, ABlankLineThatEndsAFileEarlyIsToldAndTheRestIsNotRead) {
    RoadFiles road;
    struct Row {
        const char* name;
        RoadMode mode;
        std::vector<std::filesystem::path> files;
        std::string warning;
    } rows[] = {
        {"chain breaks",
         kStraight,
         {road.dir.write("w.dl", "500 520\r\n\r\n900 950\r\n\r\n1200 1250\r\n\r\n"), road.zdm, road.cg},
         "w.dl 第 2 行为空行，其后 2 行未读入"},
        {"plan: a blank name line after JD1",
         kMainLine,
         {road.dir.write("w.jdx",
                         "路线,0\r\nJD0\r\n0 0 0 0 0\r\nJD1\r\n1000 0 500 100 100\r\n\r\nJD2\r\n1000 1000 0 0 "
                         "0\r\n"),
          road.dl, road.zdm, road.cg},
         "w.jdx 第 6 行为空行，其后 2 行未读入"},
        {"profile, a line of blanks and tabs",
         kStraight,
         {road.dl, road.dir.write("w.zdm", "0 100 0\r\n600 106 8000\r\n \t \r\n1600 101 0\r\n"), road.cg},
         "w.zdm 第 3 行为空行，其后 1 行未读入"},
        {"superelevation",
         kStraight,
         {road.dl, road.zdm, road.dir.write("w.cg", "0.75,0.5,0.5,0.75\r\n0 2 -2\r\n\r\n1500 2 -2\r\n")},
         "w.cg 第 3 行为空行，其后 1 行未读入"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        FakePort port;
        for (const auto& f : r.files) port.answer(f);
        AppState state;
        ASSERT_TRUE(InitializeCommand(state, r.mode, port));
        EXPECT_TRUE(port.messages.empty());
        EXPECT_EQ(port.warnings, std::vector<std::string>{r.warning});
        EXPECT_EQ(port.warningCalls, 1);
        EXPECT_EQ(state.project.warnings, port.warnings);
    }
    // Blank lines at the very end are no early end.
    FakePort quiet;
    quiet.answer(road.dir.write("end.dl", "500 520\r\n\r\n \r\n")).answer(road.zdm).answer(road.cg);
    AppState state;
    ASSERT_TRUE(InitializeCommand(state, kStraight, quiet));
    EXPECT_EQ(quiet.warningCalls, 0);
}

TEST(InputFiles, AFifoOrADeviceIsRefusedAtOnceNeverWaitedOn) {
    RoadFiles road;
    const auto fifo = road.dir.path() / "pipe.dl";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);  // nobody ever writes to it: opening it for reading would wait
    for (const std::filesystem::path& dl : {fifo, std::filesystem::path("/dev/zero")}) {
        SCOPED_TRACE(dl.string());
        FakePort port;
        port.answer(dl).answer(road.zdm).answer(road.cg);
        AppState state;
        EXPECT_FALSE(InitializeCommand(state, kStraight, port));
        expectOneMessage(port, "错误", "读取文件被取消！", "位置: " + dl.filename().string() + "：不是普通文件");
    }
}

TEST(LoadWarnings, ANumberReadOnlyInPartKeepsItsValueAndIsToldWithFileLineAndText) {
    RoadFiles road;
    // Typos as they happen: letters O for zeros, a unit after a number, a letter for a digit.
    const auto zdm = road.dir.write("typo.zdm", "0 100 0\r\n600 106 8OOO\r\n2000m 10l 0\r\n");
    // A control character in the file's name is shown escaped, so the warning stays one line.
    const auto cg = road.dir.write("typo\x01.cg", "0.75,0.5,0.5,0.75\r\n0 2 -2\r\n15OO 2 -2\r\n");
    AppState state;
    FakePort load;
    load.answer(road.dl).answer(zdm).answer(cg);
    ASSERT_TRUE(InitializeCommand(state, kStraight, load));
    EXPECT_EQ(load.warnings, (std::vector<std::string>{"typo.zdm 第 2 行: “8OOO”不是完整的数值，按“8”读入",
                                                       "typo.zdm 第 3 行: “2000m”不是完整的桩号，按“2000”读入",
                                                       "typo.zdm 第 3 行: “10l”不是完整的数值，按“10”读入",
                                                       "typo\\x01.cg 第 3 行: “15OO”不是完整的桩号，按“15”读入"}));
    // The values stay those of the lenient reading (2000 lies after the short chain 500 -> 520).
    const auto& points = state.project.profile.points();
    EXPECT_EQ(points[1].radius, 8);
    EXPECT_EQ(points[2].station, 1980);
    EXPECT_EQ(points[2].elevation, 10);
    EXPECT_EQ(state.project.superelevation.records()[1].station, 15);

    // Pier stations of the layout file, each with its line.
    FakePort calc;
    calc.answer(road.dir.write("bridge.txt", "90\r\n-3 3\r\n1# 1OO 1.5 0.3\r\n2# 300+L0.5m 1.5 0.3\r\n"));
    const auto outcome = CalculateCommand(state, kStraight, calc, {std::nullopt, false});
    ASSERT_TRUE(outcome);
    // (The superelevation table ends at 15 as read: the piers after it are told too.)
    ASSERT_GE(calc.warnings.size(), 2u);
    EXPECT_EQ(std::vector(calc.warnings.begin(), calc.warnings.begin() + 2),
              (std::vector<std::string>{"bridge.txt 第 3 行: “1OO”不是完整的桩号，按“1”读入",
                                        "bridge.txt 第 4 行: “300+L0.5m”不是完整的桩号，按“300+L0.5”读入"}));
    EXPECT_EQ(outcome->calculation.layout.piers[0].referenceStation, 1);
    EXPECT_EQ(outcome->calculation.layout.piers[1].referenceStation, 300.5);
    EXPECT_EQ(outcome->warnings.size(), 4 + calc.warnings.size());  // the load's four, then the calculation's
}

TEST(LocatedMessages, AFailureSaysWhyWhereItCanWhatTheFileSeemsToBeABlankLineAPierBeyondThePlan) {
    RoadFiles road;
    const std::string kFormat = "数据文件格式有误或操作有误！\n";
    struct Row {
        const char* name;
        RoadMode mode;
        std::vector<std::filesystem::path> files;
        std::string text;
    } rows[] = {
        {"the element plan under the intersection-point option",
         kMainLine,
         {road.ramp, road.dl, road.zdm, road.cg},
         kFormat +
             "位置: ramp.jdx 第 2 行: 9999 9999 100\n"
             "此文件看来是平面资料（积木法—互通），不是平面资料（交点法—主线）；请检查是否选错了平面资料的格式。"},
        {"the chain breaks given as the profile",
         kStraight,
         {road.dl, road.dl, road.cg},
         kFormat + "位置: road.dl\n此文件看来是断链资料，不是纵断面设计资料；请检查是否选错了文件。"},
        {"a blank second line of the profile",
         kStraight,
         {road.dl, road.dir.write("blank.zdm", "0 100 0\r\n\r\n600 106 8000\r\n1600 101 0\r\n"), road.cg},
         kFormat + "位置: blank.zdm 第 2 行（空行）\n空行表示资料到此结束，其后 2 "
                   "行未读入；若其后的行也是资料，请删去空行。"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        EXPECT_EQ(failedLoadMessage(r.mode, r.files), r.text);
    }

    // A pier beyond the plan names the layout file and the pier's line.
    AppState state;
    FakePort load;
    load.answer(road.jdx).answer(road.dl).answer(road.zdm).answer(road.cg);
    ASSERT_TRUE(InitializeCommand(state, kMainLine, load));
    FakePort calc;
    calc.answer(road.dir.write("far.txt", "90\r\n-3 3\r\n1# 300 1.5 0.3\r\n2# 5000 1.5 0.3\r\n"));
    EXPECT_FALSE(CalculateCommand(state, kMainLine, calc, {std::nullopt, false}));
    ASSERT_EQ(calc.messages.size(), 1u);
    EXPECT_EQ(calc.messages[0].text, "桩号5000超出平面数据文件，请修改！\n位置: far.txt 第 4 行: 2# 5000 1.5 0.3");
}
