// Writes the sample workbooks that the file-level checks read back (check_workbook.py, check_shown_text.py):
//   skew.xlsx      skew 60: top elevations and heights, three pedestals, side marks ZY, Z, Y
//   square.xlsx    skew exactly 90: the square-pier table, four pedestals, whole stations
//   stations.xlsx  two calculations in one session (one pedestal each): whole stations, then fractional ones
// The numbers are those of SampleResults.h; the scripts hold them too: change them together.
#include <cstdio>
#include <exception>
#include <filesystem>

#include "excel/PedestalTables.h"
#include "excel/SampleResults.h"

using namespace tavrel;
using tavrel::testing::SamplePier;
using tavrel::testing::SampleResult;

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT_FOLDER\n", argv[0]);
        return 2;
    }
    const std::filesystem::path out = argv[1];
    try {
        {
            ExcelApp app;
            WriteResultSheets(app, SampleResult(60, {-1.5, 0, 1.5},
                                                {SamplePier("0#", 12345.678, SideMark::Both),
                                                 SamplePier("1号墩", 12375.5, SideMark::Left),
                                                 SamplePier("2#", 12405, SideMark::Right)}));
            SaveWorkbookAs(app, out / "skew.xlsx");
        }
        {
            ExcelApp app;
            WriteResultSheets(
                app, SampleResult(90, {-3, -1, 1, 3},
                                  {SamplePier("A0", 500, SideMark::Both), SamplePier("P1", 530, SideMark::Right)}));
            SaveWorkbookAs(app, out / "square.xlsx");
        }
        {
            ExcelApp app;
            WriteResultSheets(
                app, SampleResult(90, {0},
                                  {SamplePier("1#", 12345, SideMark::Both), SamplePier("2#", 12346, SideMark::Both)}));
            WriteResultSheets(app, SampleResult(90, {0},
                                                {SamplePier("3#", 12345.678, SideMark::Both),
                                                 SamplePier("4#", 345.5, SideMark::Both)}));
            SaveWorkbookAs(app, out / "stations.xlsx");
        }
    } catch (const std::exception& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}
