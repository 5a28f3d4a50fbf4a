#include <gtest/gtest.h>

#include "app/CalculateCommand.h"
#include "app/FakePort.h"
#include "common/TempFiles.h"
#include "pedestal/TestRoads.h"

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
    const auto r = CalculateCommand(state, Mode{false, true}, ok, {std::nullopt, false});
    ASSERT_TRUE(r);
    EXPECT_TRUE(ok.messages.empty());
    EXPECT_EQ(ok.titles, std::vector<std::string>{"读取垫石设置资料"});

    FakePort cancel;
    cancel.answer(std::nullopt);
    EXPECT_FALSE(CalculateCommand(state, Mode{false, true}, cancel, {std::nullopt, false}));
    ASSERT_EQ(cancel.messages.size(), 1u);
    EXPECT_EQ(cancel.messages[0].text, "读取文件被取消！");

    FakePort noPlan;
    noPlan.answer(layout);
    EXPECT_FALSE(CalculateCommand(state, Mode{true, true}, noPlan, {std::nullopt, false}));
    ASSERT_EQ(noPlan.messages.size(), 1u);
    EXPECT_EQ(noPlan.messages[0].title, "数据有误");
}
