#pragma once
// The result workbook of one calculation: the pedestal tables as formatted worksheets (per pier its name and
// station, per pedestal one value, under a two-row header; the square-pier table adds each pier's pedestal
// height), the stake-out sheet (StakeOutSheet) when a plan alignment was used, and a print setup
// that puts every sheet on A4 landscape pages naming the files the results came from.
#include <filesystem>
#include <string_view>
#include <vector>

#include "excel/StakeOutSheet.h"
#include "excel/Workbook.h"
#include "pedestal/Results.h"

namespace tavrel {

inline constexpr std::string_view kHeightSheetName = "垫石高度";
inline constexpr std::string_view kTopElevationSheetName = "垫石顶面高程";

// Where a calculation's input came from; the page header of every printed page names them.
struct ResultSource {
    std::filesystem::path layoutFile;              // the pedestal layout file
    std::vector<std::filesystem::path> roadFiles;  // the road files the project was loaded from
};

// PedestalValueSheet: the general table of `values` (pier x pedestal, the layout's size) with the group caption of
// table `n`: 1 "垫石号及垫石顶面高程" (top elevations), 2 "垫石号及垫石高度" (heights), any other n none. Pedestals
// outside a pier's side (the side rule, Lists) stay empty. A pier station whose written number occurs twice on the
// road (`chainBreaks`, DoubledStationMark) shows its chain mark as StationLabel writes it ("B K13+186.453"), and the
// station column is widened for it. Throws CalcError when the layout has no pier or no pedestal, a table does not
// match the layout or a value to be written is not finite.
Worksheet PedestalValueSheet(const PedestalLayout& layout, const ChainBreakTable& chainBreaks,
                             const ResultTable& values, int n);

// SquarePierSheet: the square-pier table: top elevations `values` as in PedestalValueSheet (caption of table 1), with
// the column "垫石高度" after the station holding each pier's first pedestal height from `pedestalHeight`. Failures as
// PedestalValueSheet.
Worksheet SquarePierSheet(const PedestalLayout& layout, const ChainBreakTable& chainBreaks, const ResultTable& values,
                          const ResultTable& pedestalHeight);

// The print setup of every result sheet: A4 landscape, one page wide, the two header rows and the columns A
// and B on every page, centred across the page; the header names the layout file (left) and the road files'
// folder (right), the footer "第 &P 页 共 &N 页" and the date.
PageSetup ResultPageSetup(const ResultSource& source);

// The workbook of one calculation. Skew angle exactly 90 degrees: the square-pier table "垫石顶面高程"; any
// other angle: "垫石高度" (heights) in front of "垫石顶面高程" (top elevations). Then "垫石坐标" when the
// calculation has plane points. The first sheet is active. Failures as PedestalValueSheet.
Workbook ResultWorkbook(const CalculationResult& result, const ResultSource& source);

}  // namespace tavrel
