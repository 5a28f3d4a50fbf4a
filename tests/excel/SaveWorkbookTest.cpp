#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "common/Errors.h"
#include "common/TempFiles.h"
#include "excel/PedestalTables.h"
#include "excel/SampleResults.h"

using namespace tavrel;
using tavrel::testing::SamplePier;
using tavrel::testing::SampleResult;
using tavrel::testing::TempDir;
namespace fs = std::filesystem;

namespace {

std::string contents(const fs::path& p) {
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// A session with one calculation written into it.
ExcelApp sessionWithSheets(double skew = 60) {
    ExcelApp app;
    WriteResultSheets(app, SampleResult(skew, {-1, 1}, {SamplePier("1#", 100), SamplePier("2#", 130)}));
    return app;
}

// Names of everything in the folder, so a stray temporary file shows up.
std::vector<std::string> listing(const fs::path& dir) {
    std::vector<std::string> names;
    for (const auto& e : fs::directory_iterator(dir)) names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

bool isZip(const fs::path& p) { return contents(p).rfind("PK\x03\x04", 0) == 0; }

}  // namespace

TEST(WorkbookFileName, BesideTheLayoutNamedAfterIt) {
    TempDir dir;
    const fs::path layout = dir.write("大桥 bridge.txt", "90\n0\n");
    ExcelApp app = sessionWithSheets();
    const fs::path written = SaveWorkbookBeside(app, layout);
    EXPECT_EQ(written, dir.path() / "大桥 bridge.xlsx");
    EXPECT_TRUE(isZip(written));
    EXPECT_EQ(listing(dir.path()), (std::vector<std::string>{"大桥 bridge.txt", "大桥 bridge.xlsx"}));
}

TEST(WorkbookFileName, ForeignFilesAreKeptAndTheNextNumberTaken) {
    TempDir dir;
    const fs::path layout = dir.write("bridge.txt", "");
    dir.write("bridge.xlsx", "the user's own workbook");
    dir.write("bridge (2).xlsx", "another one");
    ExcelApp app = sessionWithSheets();
    EXPECT_EQ(SaveWorkbookBeside(app, layout), dir.path() / "bridge (3).xlsx");
    EXPECT_EQ(contents(dir.path() / "bridge.xlsx"), "the user's own workbook");
    EXPECT_EQ(contents(dir.path() / "bridge (2).xlsx"), "another one");
}

TEST(WorkbookFileName, OwnFileIsRewrittenInPlace) {
    TempDir dir;
    const fs::path layout = dir.write("bridge.txt", "");
    ExcelApp app = sessionWithSheets();
    const fs::path first = SaveWorkbookBeside(app, layout);
    const std::string before = contents(first);
    WriteResultSheets(app, SampleResult(60, {0}, {SamplePier("3#", 160)}));
    EXPECT_EQ(SaveWorkbookBeside(app, layout), first);
    EXPECT_NE(contents(first), before);  // now four sheets
    // Reached by another spelling of the same path, it is still this session's file.
    EXPECT_EQ(SaveWorkbookBeside(app, dir.path() / "." / "bridge.txt"), dir.path() / "." / "bridge.xlsx");
    EXPECT_EQ(listing(dir.path()), (std::vector<std::string>{"bridge.txt", "bridge.xlsx"}));
}

TEST(WorkbookFileName, OwnFileChangedSinceIsNoLongerOurs) {
    TempDir dir;
    const fs::path layout = dir.write("bridge.txt", "");
    ExcelApp app = sessionWithSheets();
    const fs::path first = SaveWorkbookBeside(app, layout);
    dir.write("bridge.xlsx", "saved again by the user with notes");
    EXPECT_EQ(SaveWorkbookBeside(app, layout), dir.path() / "bridge (2).xlsx");
    EXPECT_EQ(contents(first), "saved again by the user with notes");
}

TEST(WorkbookFileName, FileOfAnotherSessionIsForeign) {
    TempDir dir;
    const fs::path layout = dir.write("bridge.txt", "");
    ExcelApp earlierRun = sessionWithSheets();
    SaveWorkbookBeside(earlierRun, layout);
    ExcelApp app = sessionWithSheets();
    EXPECT_EQ(SaveWorkbookBeside(app, layout), dir.path() / "bridge (2).xlsx");
}

TEST(WorkbookSave, SaveAsReplacesTheNamedFile) {
    TempDir dir;
    const fs::path target = dir.write("out.xlsx", "old");
    ExcelApp app = sessionWithSheets(90);
    SaveWorkbookAs(app, target);
    EXPECT_TRUE(isZip(target));
    EXPECT_EQ(listing(dir.path()), (std::vector<std::string>{"out.xlsx"}));
}

TEST(WorkbookSave, FailureThrowsAndLeavesNoFile) {
    TempDir dir;
    ExcelApp app = sessionWithSheets();
    EXPECT_THROW(SaveWorkbookBeside(app, dir.path() / "missing" / "bridge.txt"), WriteError);
    EXPECT_THROW(SaveWorkbookAs(app, dir.path() / "missing" / "out.xlsx"), WriteError);
    fs::create_directory(dir.path() / "taken.xlsx");
    EXPECT_THROW(SaveWorkbookAs(app, dir.path() / "taken.xlsx"), WriteError);
    EXPECT_TRUE(fs::is_directory(dir.path() / "taken.xlsx"));
    EXPECT_TRUE(fs::is_empty(dir.path() / "taken.xlsx"));
    EXPECT_EQ(listing(dir.path()), (std::vector<std::string>{"taken.xlsx"}));  // no temporary file left
}

TEST(WorkbookSave, NothingToWriteBeforeAnySheet) {
    TempDir dir;
    ExcelApp app;
    EXPECT_THROW(SaveWorkbookAs(app, dir.path() / "a.xlsx"), CalcError);  // never connected
    ExcelConnect(app);
    EXPECT_THROW(SaveWorkbookAs(app, dir.path() / "a.xlsx"), WorkbookWriteError);
    EXPECT_TRUE(fs::is_empty(dir.path()));
}
