#include <gtest/gtest.h>

#include "app/CalculateCommand.h"
#include "app/FakePort.h"
#include "common/TempFiles.h"
#include "pedestal/TestRoads.h"
#include "profile/Profile.h"

using namespace tavrel;
using tavrel::testing::straightRoad;

TEST(CalculateCommand, ReportsThroughThePortAndNeedsAPlanForTheCurvedPath) {
    using tavrel::testing::FakePort;
    tavrel::testing::TempDir dir;
    AppState state;
    state.project = straightRoad();
    const auto layout = dir.write("bridge.txt", "90\r\n-3 3\r\n1#墩 500 1.5 0.3\r\n");

    FakePort ok;
    ok.answer(layout);
    const auto r = CalculateCommand(state, RoadMode::Straight, ok, {std::nullopt, false});
    ASSERT_TRUE(r);
    EXPECT_TRUE(ok.messages.empty());
    EXPECT_EQ(ok.titles, std::vector<std::string>{"读取垫石设置资料"});

    FakePort cancel;
    cancel.answer(std::nullopt);
    EXPECT_FALSE(CalculateCommand(state, RoadMode::Straight, cancel, {std::nullopt, false}));
    ASSERT_EQ(cancel.messages.size(), 1u);
    EXPECT_EQ(cancel.messages[0].text, "读取文件被取消！");

    // Loaded without a plan, calculated with one: refused.
    FakePort noPlan;
    noPlan.answer(layout);
    EXPECT_FALSE(CalculateCommand(state, RoadMode::MainLine, noPlan, {std::nullopt, false}));
    ASSERT_EQ(noPlan.messages.size(), 1u);
    EXPECT_EQ(noPlan.messages[0].title, "提示");
}

TEST(CalculateCommand, OptionsOtherThanTheRoadWasLoadedWithAreRefusedNamingBoth) {
    using tavrel::testing::FakePort;
    tavrel::testing::TempDir dir;
    const auto layout = dir.write("bridge.txt", "90\r\n-3 3\r\n1#墩 100 1.5 0.3\r\n");
    const ProjectData roads[] = {tavrel::testing::straightRoad(), tavrel::testing::circularMainLine(),
                                 tavrel::testing::loopRamp(60, 200)};
    for (const ProjectData& loaded : roads) {
        for (RoadMode chosen : {RoadMode::Straight, RoadMode::MainLine, RoadMode::Interchange}) {
            SCOPED_TRACE(std::string(ModeName(loaded.mode)) + " loaded, " + std::string(ModeName(chosen)) + " chosen");
            AppState state;
            state.project = loaded;
            FakePort port;
            port.answer(layout);
            const auto outcome = CalculateCommand(state, chosen, port, {std::nullopt, false});
            if (chosen == loaded.mode) {
                EXPECT_TRUE(outcome);
                EXPECT_TRUE(port.messages.empty());
                continue;
            }
            // Refused before the layout dialog, with both settings in one message; nothing calculated.
            EXPECT_FALSE(outcome);
            EXPECT_TRUE(port.asked.empty());
            ASSERT_EQ(port.messages.size(), 1u);
            const std::string& text = port.messages[0].text;
            EXPECT_EQ(port.messages[0].title, "提示");
            const auto loadedAt = text.find("“" + std::string(ModeName(loaded.mode)) + "”");
            const auto chosenAt = text.find("“" + std::string(ModeName(chosen)) + "”");
            EXPECT_NE(loadedAt, std::string::npos) << text;
            EXPECT_NE(chosenAt, std::string::npos) << text;
            EXPECT_LT(loadedAt, chosenAt) << text;
            EXPECT_NE(text.find("重新初始化"), std::string::npos) << text;
        }
    }
}

TEST(CalculateCommand, LayoutFaultsNameTheLineAndLayoutWarningsComeOnce) {
    using tavrel::testing::FakePort;
    tavrel::testing::TempDir dir;
    AppState state;
    state.project = straightRoad();
    const auto run = [&](const std::string& name, const std::string& text) {
        FakePort port;
        port.answer(dir.write(name, text));
        const auto r = CalculateCommand(state, RoadMode::Straight, port, {std::nullopt, false});
        return std::pair{r.has_value(), port};
    };
    {
        SCOPED_TRACE("a pier line with three values");
        const auto [ok, port] = run("a.txt", "90\r\n-3 3\r\n1# 500 1.5 0.3\r\n2# 530 1.5\r\n");
        EXPECT_FALSE(ok);
        ASSERT_EQ(port.messages.size(), 1u);
        EXPECT_EQ(port.messages[0].text, "数据文件格式有误或操作有误！\n位置: a.txt 第 4 行: 2# 530 1.5");
    }
    {
        SCOPED_TRACE("a pedestal distance that is not a number");
        const auto [ok, port] = run("b.txt", "60\r\n-3 3m\r\n1# 500 1.5 0.3\r\n");
        EXPECT_FALSE(ok);
        EXPECT_EQ(port.messages.at(0).text, "数据文件格式有误或操作有误！\n位置: b.txt 第 2 行: -3 3m");
    }
    {
        SCOPED_TRACE("more piers times pedestals than one calculation takes");
        std::string text = "90\r\n";
        for (int k = 0; k < 2000; ++k) text += "L" + std::to_string(k % 20 - 10) + " ";
        text += "\r\n";
        for (int i = 0; i < 600; ++i) text += std::to_string(i) + "# " + std::to_string(100 + i) + " 1.5 0.3\r\n";
        const auto [ok, port] = run("big.txt", text);
        EXPECT_FALSE(ok);
        ASSERT_EQ(port.messages.size(), 1u);
        EXPECT_EQ(port.messages[0].title, "数据有误");
        EXPECT_EQ(port.messages[0].text.rfind("垫石设置资料的墩台数与垫石数之积超过1000000", 0), 0u);
        EXPECT_NE(port.messages[0].text.find("位置: big.txt 第 503 行: 500# 600 1.5 0.3"), std::string::npos);
    }
    {
        SCOPED_TRACE("a stray blank line: the piers before it are calculated, the user is told");
        const auto [ok, port] =
            run("c.txt", "90\r\n-3 3\r\n1# 500 1.5 0.3\r\n\r\n2# 530 1.5 0.3\r\n3# 560 1.5 0.3\r\n");
        EXPECT_TRUE(ok);
        EXPECT_TRUE(port.messages.empty());
        EXPECT_EQ(port.warnings, std::vector<std::string>{"c.txt 第 4 行为空行，其后 2 行未读入"});
        EXPECT_EQ(port.warningCalls, 1);
    }
}

TEST(CalculateCommand, OutcomeCarriesAllWarningsInOrderAndARoadOfItsOwn) {
    using tavrel::testing::FakePort;
    tavrel::testing::TempDir dir;
    AppState state;
    state.project = straightRoad();
    state.project.warnings = {"road.zdm 第 3 行未读入"};
    FakePort port;
    port.answer(dir.write("d.txt", "90\r\n-3 3\r\n1# 500 1.5 0.3\r\n\r\n2# 530 1.5 0.3\r\n"));
    const auto outcome = CalculateCommand(state, RoadMode::Straight, port, {std::nullopt, false});
    ASSERT_TRUE(outcome);
    // The port was told only the calculation's warning (the load warnings were told when loading); the outcome
    // holds both, the load warnings first.
    EXPECT_EQ(port.warnings, std::vector<std::string>{"d.txt 第 4 行为空行，其后 1 行未读入"});
    EXPECT_EQ(outcome->warnings,
              (std::vector<std::string>{"road.zdm 第 3 行未读入", "d.txt 第 4 行为空行，其后 1 行未读入"}));
    EXPECT_FALSE(outcome->workbook);

    // A later 初始化 replaces the project: the outcome still has the road it was calculated on.
    state.project = ProjectData{};
    const Road road = outcome->road();
    EXPECT_NEAR(ProfileElevationAt(road.profile, 1500), 115, 1e-9);
    EXPECT_NE(&road.profile, &state.project.profile);
}
