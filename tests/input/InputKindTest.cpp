#include <gtest/gtest.h>

#include <filesystem>
#include <map>

#include "common/TextFile.h"
#include "input/InputKind.h"

using namespace tavrel;

// Every bundled example file is taken for its own kind, as its name says; text that is no road file for none.
TEST(InputKind, EachExampleFileIsTakenForItsOwnKindAndNothingElseForAny) {
    const std::map<std::string, InputKind> byName{{"road.jdx", InputKind::IntersectionPointPlan},
                                                  {"ramp.jdx", InputKind::ElementPlan},
                                                  {".dl", InputKind::ChainBreaks},
                                                  {".zdm", InputKind::Profile},
                                                  {".cg", InputKind::Superelevation},
                                                  {"bridge.txt", InputKind::Layout}};
    int files = 0;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(TAVREL_EXAMPLES_DIR)) {
        if (!entry.is_regular_file()) continue;
        const std::string name = entry.path().filename().string(), extension = entry.path().extension().string();
        const auto kind = byName.count(name) ? byName.find(name) : byName.find(extension);
        if (kind == byName.end()) continue;  // a file of a kind the guess does not cover
        SCOPED_TRACE(name);
        EXPECT_EQ(GuessInputKind(ReadTextFile(entry.path())), kind->second);
        ++files;
    }
    EXPECT_GE(files, 13);
    for (const char* text : {"", "\r\n\r\n", "Tavrel 说明\r\n请先初始化。\r\n", "1 2 3 4 5 6 7 8\r\n", ",,,\r\n"}) {
        SCOPED_TRACE(text);
        EXPECT_EQ(GuessInputKind(text), std::nullopt);
    }
}
