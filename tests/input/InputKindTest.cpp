#include <gtest/gtest.h>

#include "common/TextFile.h"
#include "input/InputKind.h"

using namespace tavrel;

namespace {

const std::string kExamples = TAVREL_EXAMPLES_DIR;

}  // namespace

// Every bundled example file is taken for its own kind, whatever its neighbours; text that is no road file is
// taken for none.
TEST(InputKind, EachExampleFileIsTakenForItsOwnKindAndNothingElseForAny) {
    const struct {
        const char* file;
        std::optional<InputKind> kind;
    } rows[] = {
        {"mainline/road.jdx", InputKind::IntersectionPointPlan},
        {"mainline/road.dl", InputKind::ChainBreaks},
        {"mainline/road.zdm", InputKind::Profile},
        {"mainline/road.cg", InputKind::Superelevation},
        {"mainline/bridge.txt", InputKind::Layout},
        {"interchange/ramp.jdx", InputKind::ElementPlan},
        {"interchange/ramp.zdm", InputKind::Profile},
        {"interchange/ramp.cg", InputKind::Superelevation},
        {"interchange/bridge.txt", InputKind::Layout},
        {"straight/road.dl", InputKind::ChainBreaks},
        {"straight/road.zdm", InputKind::Profile},
        {"straight/road.cg", InputKind::Superelevation},
        {"straight/bridge.txt", InputKind::Layout},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.file);
        EXPECT_EQ(GuessInputKind(ReadTextFile(kExamples + "/" + row.file)), row.kind);
    }
    for (const char* text : {"", "\r\n\r\n", "Tavrel 说明\r\n请先初始化。\r\n", "1 2 3 4 5 6 7 8\r\n", ",,,\r\n"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(GuessInputKind(text), std::nullopt);
    }
}
