#include <gtest/gtest.h>

#include "app/FakePort.h"
#include "app/InitializeCommand.h"
#include "common/TempFiles.h"

using namespace tavrel;
using tavrel::testing::FakePort;
using tavrel::testing::TempDir;

namespace {

constexpr Mode kStraight{false, true};
constexpr Mode kMainLine{true, true};
constexpr Mode kInterchange{true, false};

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

void expectOneMessage(const FakePort& port, std::string_view title, std::string_view text) {
    ASSERT_EQ(port.messages.size(), 1u);
    EXPECT_EQ(port.messages[0].title, title);
    EXPECT_EQ(port.messages[0].text, text);
}

}  // namespace

TEST(InitializeCommand, AsksForTheFilesInTheModesOrder) {
    RoadFiles road;
    struct Row {
        const char* name;
        Mode mode;
        std::vector<std::filesystem::path> files;
        std::vector<DialogId> dialogs;
    } rows[] = {
        {"straight road",
         kStraight,
         {road.dl, road.zdm, road.cg},
         {DialogId::CommonDialog3, DialogId::CommonDialog4, DialogId::CommonDialog2}},
        {"main line",
         kMainLine,
         {road.jdx, road.dl, road.zdm, road.cg},
         {DialogId::CommonDialog1, DialogId::CommonDialog3, DialogId::CommonDialog4, DialogId::CommonDialog2}},
        {"interchange: no chain breaks",
         kInterchange,
         {road.ramp, road.zdm, road.cg},
         {DialogId::CommonDialog1, DialogId::CommonDialog4, DialogId::CommonDialog2}},
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
        EXPECT_EQ(state.project.chainBreaks.chainBreakCount, r.mode.readsChainBreaks() ? 1 : 0);
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
    expectOneMessage(port, "数据有误", "桩号510不应存在500和520之间，请修改！");
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
    } rows[] = {
        {"no file chosen", "", "读取文件被取消！"},
        {"a folder", road.dir.path(), "读取文件被取消！"},
        {"a missing file", road.dir.path() / "missing.dl", "数据文件格式有误或操作有误！"},
        {"binary garbage", road.dir.write("bin.dl", "\x01\x02\xFF\xFE\x80\x00\x9C"), "数据文件格式有误或操作有误！"},
        {"NUL bytes", road.dir.write("nul.dl", std::string("100 110\0\r\n", 10)), "数据文件格式有误或操作有误！"},
        {"invalid GBK", road.dir.write("gbk.dl", "100 110 \xFF\xFF\r\n"), "数据文件格式有误或操作有误！"},
        {"10 MB of one line", road.dir.write("long.dl", longLine), "数据文件格式有误或操作有误！"},
        {"twenty chain breaks",
         road.dir.write("twenty.dl",
                        [] {
                            std::string s;
                            for (int i = 1; i <= 20; ++i)
                                s += std::to_string(i * 100) + " " + std::to_string(i * 100) + "\r\n";
                            return s;
                        }()),
         "数据文件格式有误或操作有误！"},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.name);
        AppState state;
        FakePort port;
        port.answer(r.dl).answer(road.zdm).answer(road.cg);
        EXPECT_FALSE(InitializeCommand(state, kStraight, port));
        expectOneMessage(port, "错误", r.text);
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
