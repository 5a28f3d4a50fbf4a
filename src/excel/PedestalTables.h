#pragma once
// The result tables of a calculation as formatted worksheets in the session's workbook: per pier its name and
// station, per pedestal one value, under a two-row header; the square-pier table adds each pier's pedestal
// height. Each writer adds one sheet in front of the active one and makes it active.
#include "excel/ExcelApp.h"
#include "pedestal/Results.h"

namespace tavrel {

// excelout: the general table of `dshtemp` (pier x pedestal, the layout's size) with the group caption of table
// `n`: 1 "垫石号及垫石顶面高程" (top elevations), 2 "垫石号及垫石高度" (heights), any other n none.
// Pedestals outside a pier's side (the side rule, Lists) stay empty. Throws CalcError (and adds no sheet) when the
// session has no workbook, the layout has no pier or no pedestal, a table does not match the layout or a value to be
// written is not finite.
void excelout(ExcelApp& excelApp, const PedestalLayout& layout, const ResultTable& dshtemp, int n);

// excelout90: the square-pier table: top elevations `dshtemp` as in excelout (caption of table 1), with the
// column "垫石高度" after the station holding each pier's first pedestal height from `pedestalHeight`. Failures
// as excelout.
void excelout90(ExcelApp& excelApp, const PedestalLayout& layout, const ResultTable& dshtemp,
                const ResultTable& pedestalHeight);

// The output step of a calculation: connects the session, then writes the top elevations and the heights as
// two sheets (the heights in front), or the one square-pier table when the skew angle is exactly 90 degrees.
// All or nothing: after a failure the workbook holds none of this calculation's sheets.
void WriteResultSheets(ExcelApp& excelApp, const CalculationResult& result);

}  // namespace tavrel
