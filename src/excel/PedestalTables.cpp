#include "excel/PedestalTables.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <string>
#include <string_view>

#include "common/Errors.h"

namespace tavrel {

namespace {

constexpr std::string_view kFontName = "宋体";
constexpr double kFontSize = 10;   // points
constexpr double kRowHeight = 15;  // points
// Column widths, in characters of the default font.
constexpr double kPierColumnWidth = 6;
constexpr double kStationColumnWidth = 12;
constexpr double kValueColumnWidth = 8;

// Stations show as kilometres, "+" and at least three digits of metres: 12345.678 as "K12+345.678", 12345 as
// "K12+345". The K is quoted: a bare letter is not a valid format character for every spreadsheet program.
constexpr std::string_view kStationFormatFractional = "\"K\"0+000.000";
constexpr std::string_view kStationFormatWhole = "\"K\"0+000";
constexpr std::string_view kValueFormat = "0.000";

constexpr std::string_view kPierCaption = "墩台号";
constexpr std::string_view kStationCaption = "桩号";
constexpr std::string_view kHeightCaption = "垫石高度";
constexpr std::string_view kTopElevationGroupCaption = "垫石号及垫石顶面高程";
constexpr std::string_view kHeightGroupCaption = "垫石号及垫石高度";

// How one table differs from the other.
struct TableShape {
    int c0 = 2;                                // the column before the first pedestal column
    std::string_view groupCaption;             // over the pedestal columns; empty: none
    const ResultTable* pierHeights = nullptr;  // the square-pier table's height column, else none
};

void requireShape(const ResultTable& table, std::size_t piers, std::size_t pedestals) {
    if (table.size() != piers) throw CalcError("result table has a different number of piers than the layout");
    for (const auto& row : table)
        if (row.size() != pedestals)
            throw CalcError("result table has a different number of pedestals than the layout");
}

// Whole metres when every pier's station s has floor(s) * 1000 == s * 1000; one fractional station switches
// the whole column to three decimals.
std::string_view stationFormat(const std::vector<PierRecord>& piers) {
    const bool anyFractional = std::any_of(piers.begin(), piers.end(), [](const PierRecord& p) {
        const double s = p.referenceNominalStation;
        return std::floor(s) * 1000 != s * 1000;
    });
    return anyFractional ? kStationFormatFractional : kStationFormatWhole;
}

// Writes the table into an empty sheet, in the order a spreadsheet user would: sheet-wide format and column
// widths, header, number formats, rows, borders.
void writeTable(Worksheet& ws, const PedestalLayout& layout, const ResultTable& values, const TableShape& shape) {
    const std::size_t pierCount = layout.piers.size();
    const std::size_t pedestalCount = layout.pedestalDistances.size();
    if (pierCount == 0) throw CalcError("no pier to write");
    if (pedestalCount == 0) throw CalcError("no pedestal to write");
    requireShape(values, pierCount, pedestalCount);
    if (shape.pierHeights) requireShape(*shape.pierHeights, pierCount, pedestalCount);
    if (pierCount > static_cast<std::size_t>(kMaxSheetRows) ||
        pedestalCount > static_cast<std::size_t>(kMaxSheetColumns))
        throw CalcError("table larger than a sheet");
    const int P = static_cast<int>(pierCount);
    const int K = static_cast<int>(pedestalCount);
    const int c0 = shape.c0;
    const int lastRow = P + 2;  // pier i (0-based) is on row i + 3
    const int lastCol = K + c0;

    ws.setAlignmentAll(HorizontalAlign::Centre, VerticalAlign::Centre);
    ws.setRowHeightAll(kRowHeight);
    ws.setFontAll(std::string(kFontName), kFontSize);
    ws.setColumnWidth(1, kPierColumnWidth);
    ws.setColumnWidth(2, kStationColumnWidth);
    // Columns 3 .. K + 2 in both tables: in the square-pier table that is the height column and every pedestal
    // column but the last, which keeps the default width.
    for (int c = 3; c <= K + 2; ++c) ws.setColumnWidth(c, kValueColumnWidth);

    ws.merge({1, 1, 2, 1});
    ws.setText(1, 1, std::string(kPierCaption));
    ws.merge({1, 2, 2, 2});
    ws.setText(1, 2, std::string(kStationCaption));
    if (shape.pierHeights) {
        ws.merge({1, 3, 2, 3});
        ws.setText(1, 3, std::string(kHeightCaption));
    }
    ws.merge({1, c0 + 1, 1, c0 + K});
    if (!shape.groupCaption.empty()) ws.setText(1, c0 + 1, std::string(shape.groupCaption));
    for (int j = 1; j <= K; ++j) ws.setNumber(2, c0 + j, j);

    ws.setNumberFormat({3, 2, lastRow, 2}, std::string(stationFormat(layout.piers)));
    if (shape.pierHeights) ws.setNumberFormat({3, 3, lastRow, 3}, std::string(kValueFormat));
    ws.setNumberFormat({3, c0 + 1, lastRow, lastCol}, std::string(kValueFormat));

    for (int i = 0; i < P; ++i) {
        const PierRecord& pier = layout.piers[static_cast<std::size_t>(i)];
        const auto& row = values[static_cast<std::size_t>(i)];
        ws.setText(i + 3, 1, pier.pierName);
        ws.setNumber(i + 3, 2, pier.referenceNominalStation);
        if (shape.pierHeights) ws.setNumber(i + 3, 3, (*shape.pierHeights)[static_cast<std::size_t>(i)][0]);
        for (int j = 0; j < K; ++j)
            if (Lists(pier.sideMark, layout.pedestalDistances[static_cast<std::size_t>(j)]))
                ws.setNumber(i + 3, c0 + j + 1, row[static_cast<std::size_t>(j)]);
    }

    ws.drawBorders({1, 1, lastRow, lastCol}, BorderWeight::Medium, BorderWeight::Thin);
}

// Builds the sheet aside and adds it only when complete, so that a failure adds nothing.
void addTableSheet(ExcelApp& excelApp, const PedestalLayout& layout, const ResultTable& values,
                   const TableShape& shape) {
    Workbook& book = excelApp.workbook();
    Worksheet sheet;
    writeTable(sheet, layout, values, shape);
    book.insertSheetBeforeActive(std::move(sheet));
}

}  // namespace

void excelout(ExcelApp& excelApp, const PedestalLayout& layout, const ResultTable& dshtemp, int n) {
    const std::string_view caption = n == 1 ? kTopElevationGroupCaption : n == 2 ? kHeightGroupCaption : "";
    addTableSheet(excelApp, layout, dshtemp, TableShape{2, caption, nullptr});
}

void excelout90(ExcelApp& excelApp, const PedestalLayout& layout, const ResultTable& dshtemp,
                const ResultTable& pedestalHeight) {
    addTableSheet(excelApp, layout, dshtemp, TableShape{3, kTopElevationGroupCaption, &pedestalHeight});
}

void WriteResultSheets(ExcelApp& excelApp, const CalculationResult& result) {
    ExcelConnect(excelApp);
    const PedestalLayout& layout = result.layout;
    const PedestalResultTables& tables = result.tables;
    Workbook before = excelApp.workbook();
    try {
        if (layout.skewAngle == 90) {  // exactly: any other angle, however close, gets the two general tables
            excelout90(excelApp, layout, tables.pedestalTopElevation, tables.pedestalHeight);
        } else {
            excelout(excelApp, layout, tables.pedestalTopElevation, 1);
            excelout(excelApp, layout, tables.pedestalHeight, 2);
        }
    } catch (...) {
        excelApp.workbook() = std::move(before);
        throw;
    }
}

}  // namespace tavrel
