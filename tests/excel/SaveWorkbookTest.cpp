#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "common/Errors.h"
#include "common/TempFiles.h"
#include "excel/ExcelApp.h"
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

// The workbook of one calculation.
Workbook resultBook(double skew = 60) {
    return ResultWorkbook(SampleResult(skew, {-1, 1}, {SamplePier("1#", 100), SamplePier("2#", 130)}), {});
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
    ExcelApp app;
    const fs::path written = SaveWorkbookBeside(app, resultBook(), layout);
    EXPECT_EQ(written, dir.path() / "大桥 bridge.xlsx");
    EXPECT_TRUE(isZip(written));
    EXPECT_EQ(listing(dir.path()), (std::vector<std::string>{"大桥 bridge.txt", "大桥 bridge.xlsx"}));
}

TEST(WorkbookFileName, ForeignFilesAreKeptAndTheNextNumberTaken) {
    TempDir dir;
    const fs::path layout = dir.write("bridge.txt", "");
    dir.write("bridge.xlsx", "the user's own workbook");
    dir.write("bridge (2).xlsx", "another one");
    ExcelApp app;
    EXPECT_EQ(SaveWorkbookBeside(app, resultBook(), layout), dir.path() / "bridge (3).xlsx");
    EXPECT_EQ(contents(dir.path() / "bridge.xlsx"), "the user's own workbook");
    EXPECT_EQ(contents(dir.path() / "bridge (2).xlsx"), "another one");
}

TEST(WorkbookFileName, OwnFileIsRewrittenInPlace) {
    TempDir dir;
    const fs::path layout = dir.write("bridge.txt", "");
    ExcelApp app;
    const fs::path first = SaveWorkbookBeside(app, resultBook(), layout);
    const std::string before = contents(first);
    EXPECT_EQ(SaveWorkbookBeside(app, resultBook(90), layout), first);
    EXPECT_NE(contents(first), before);  // now the square-pier table alone
    // Reached by another spelling of the same path, it is still this run's file.
    EXPECT_EQ(SaveWorkbookBeside(app, resultBook(), dir.path() / "." / "bridge.txt"), dir.path() / "." / "bridge.xlsx");
    EXPECT_EQ(listing(dir.path()), (std::vector<std::string>{"bridge.txt", "bridge.xlsx"}));
}

TEST(WorkbookFileName, OwnFileChangedSinceIsNoLongerOurs) {
    TempDir dir;
    const fs::path layout = dir.write("bridge.txt", "");
    ExcelApp app;
    const fs::path first = SaveWorkbookBeside(app, resultBook(), layout);
    dir.write("bridge.xlsx", "saved again by the user with notes");
    EXPECT_EQ(SaveWorkbookBeside(app, resultBook(), layout), dir.path() / "bridge (2).xlsx");
    EXPECT_EQ(contents(first), "saved again by the user with notes");
}

TEST(WorkbookFileName, FileOfAnotherRunIsForeign) {
    TempDir dir;
    const fs::path layout = dir.write("bridge.txt", "");
    ExcelApp earlierRun;
    SaveWorkbookBeside(earlierRun, resultBook(), layout);
    ExcelApp app;
    EXPECT_EQ(SaveWorkbookBeside(app, resultBook(), layout), dir.path() / "bridge (2).xlsx");
}

TEST(WorkbookFileName, FileOpenInASpreadsheetProgramIsLeftAlone) {
    struct Row {
        const char* name;
        std::string lockFile;  // beside bridge.xlsx while it is open
    } rows[] = {
        {"LibreOffice", ".~lock.bridge.xlsx#"},
        {"Excel", "~$bridge.xlsx"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        TempDir dir;
        const fs::path layout = dir.write("bridge.txt", "");
        ExcelApp app;
        const fs::path first = SaveWorkbookBeside(app, resultBook(), layout);
        const std::string shown = contents(first);
        EXPECT_FALSE(IsOpenInSpreadsheet(first));
        // Opened after this run wrote it: the next calculation must not pull it from under the program.
        dir.write(row.lockFile, "lock");
        EXPECT_TRUE(IsOpenInSpreadsheet(first));
        const fs::path second = SaveWorkbookBeside(app, resultBook(90), layout);
        EXPECT_EQ(second, dir.path() / "bridge (2).xlsx");
        EXPECT_EQ(contents(first), shown);
        // Closed again: this run's own, unchanged file may be replaced once more.
        fs::remove(dir.path() / row.lockFile);
        EXPECT_EQ(SaveWorkbookBeside(app, resultBook(90), layout), first);
        EXPECT_NE(contents(first), shown);
        // A lock beside a name nobody has written yet keeps that name free of our file too.
        dir.write(".~lock.bridge (3).xlsx#", "lock");
        fs::remove(second);
        dir.write("bridge (2).xlsx", "the user's own");
        fs::remove(first);
        dir.write("bridge.xlsx", "the user's own");
        EXPECT_EQ(SaveWorkbookBeside(app, resultBook(), layout), dir.path() / "bridge (4).xlsx");
    }
}

TEST(WorkbookSave, SaveAsReplacesTheNamedFile) {
    TempDir dir;
    const fs::path target = dir.write("out.xlsx", "old");
    ExcelApp app;
    SaveWorkbookAs(app, resultBook(90), target);
    EXPECT_TRUE(isZip(target));
    EXPECT_EQ(listing(dir.path()), (std::vector<std::string>{"out.xlsx"}));
}

TEST(WorkbookSave, FailureThrowsAndLeavesNoFile) {
    TempDir dir;
    ExcelApp app;
    const Workbook book = resultBook();
    EXPECT_THROW(SaveWorkbookBeside(app, book, dir.path() / "missing" / "bridge.txt"), WriteError);
    EXPECT_THROW(SaveWorkbookAs(app, book, dir.path() / "missing" / "out.xlsx"), WriteError);
    fs::create_directory(dir.path() / "taken.xlsx");
    EXPECT_THROW(SaveWorkbookAs(app, book, dir.path() / "taken.xlsx"), WriteError);
    EXPECT_TRUE(fs::is_directory(dir.path() / "taken.xlsx"));
    EXPECT_TRUE(fs::is_empty(dir.path() / "taken.xlsx"));
    EXPECT_EQ(listing(dir.path()), (std::vector<std::string>{"taken.xlsx"}));  // no temporary file left
}

TEST(WorkbookSave, NothingToWriteWithoutASheet) {
    TempDir dir;
    ExcelApp app;
    EXPECT_THROW(SaveWorkbookAs(app, Workbook{}, dir.path() / "a.xlsx"), WorkbookWriteError);
    EXPECT_TRUE(fs::is_empty(dir.path()));
}
