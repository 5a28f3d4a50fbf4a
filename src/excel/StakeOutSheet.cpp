#include "excel/StakeOutSheet.h"

#include <optional>
#include <string>

#include "common/Errors.h"
#include "common/NumberText.h"
#include "excel/ResultSheetStyle.h"

namespace tavrel {

namespace {

using namespace resultsheet;

// Column widths, in characters of the default font.
constexpr double kPointColumnWidth = 6;
constexpr double kCoordinateColumnWidth = 13;

constexpr std::string_view kPointCaption = "点号";
constexpr std::string_view kOffsetCaption = "偏距";
constexpr std::string_view kCoordinateCaption = "坐标";

constexpr int kLastColumn = 6;

// The last row of the sheet: two header rows, then per pier the pedestals it lists and its four edge points.
// Checks the result against its layout first.
int lastRowOf(const CalculationResult& result) {
    const PedestalLayout& layout = result.layout;
    const PedestalResultTables& t = result.tables;
    const std::size_t pierCount = layout.piers.size();
    const std::size_t pedestalCount = layout.pedestalDistances.size();
    if (pierCount == 0) throw CalcError("no pier to write");
    if (pedestalCount == 0) throw CalcError("no pedestal to write");
    RequireShape(t.pedestalNominalStation, pierCount, pedestalCount);
    RequireShape(t.pedestalOffset, pierCount, pedestalCount);
    RequireShape(t.pedestalX, pierCount, pedestalCount);
    RequireShape(t.pedestalY, pierCount, pedestalCount);
    if (result.sections.size() != pierCount) throw CalcError("pier sections do not match the layout");
    std::size_t rowCount = 2;
    for (const PierRecord& pier : layout.piers) {
        rowCount += kEdgeNames.size();
        for (double d : layout.pedestalDistances) rowCount += Lists(pier.sideMark, d) ? 1 : 0;
    }
    if (rowCount > static_cast<std::size_t>(kMaxSheetRows)) throw CalcError("table larger than a sheet");
    return static_cast<int>(rowCount);
}

// The sheet-wide format, the column widths, the two header rows and the number format of the value columns.
void writeHeader(Worksheet& ws, const PedestalLayout& layout, int lastRow) {
    ws.setAlignmentAll(HorizontalAlign::Centre, VerticalAlign::Centre);
    ws.setRowHeightAll(kRowHeight);
    ws.setFontAll(std::string(kFontName), kFontSize);
    ws.setColumnWidth(1, PierColumnWidth(layout.piers));
    ws.setColumnWidth(2, kPointColumnWidth);
    ws.setColumnWidth(3, kStationColumnWidth);
    ws.setColumnWidth(4, kValueColumnWidth);
    ws.setColumnWidth(5, kCoordinateColumnWidth);
    ws.setColumnWidth(6, kCoordinateColumnWidth);

    const std::string_view captions[] = {kPierCaption, kPointCaption, kStationCaption, kOffsetCaption};
    for (int c = 1; c <= 4; ++c) {
        ws.merge({1, c, 2, c});
        ws.setText(1, c, std::string(captions[c - 1]));
    }
    ws.merge({1, 5, 1, 6});
    ws.setText(1, 5, std::string(kCoordinateCaption));
    ws.setText(2, 5, "X");
    ws.setText(2, 6, "Y");
    ws.setNumberFormat({3, 4, lastRow, kLastColumn}, std::string(kValueFormat));
}

// From row 3 on: per pier the pedestals it lists, then the edge points of its section.
void writeRows(Worksheet& ws, const CalculationResult& result) {
    const PedestalLayout& layout = result.layout;
    const PedestalResultTables& t = result.tables;
    int r = 3;
    auto setOptional = [&ws](int row, int col, const std::optional<double>& v) {
        if (v) ws.setNumber(row, col, *v);
    };
    for (std::size_t i = 0; i < layout.piers.size(); ++i) {
        const PierRecord& pier = layout.piers[i];
        for (std::size_t k = 0; k < layout.pedestalDistances.size(); ++k) {
            if (!Lists(pier.sideMark, layout.pedestalDistances[k])) continue;
            ws.setText(r, 1, pier.pierName);
            ws.setNumber(r, 2, static_cast<double>(k + 1));
            ws.setText(r, 3, StationKText(RequireFinite(t.pedestalNominalStation[i][k], "station")));
            ws.setNumber(r, 4, t.pedestalOffset[i][k]);
            setOptional(r, 5, t.pedestalX[i][k]);
            setOptional(r, 6, t.pedestalY[i][k]);
            ++r;
        }
        const PierSection& section = result.sections[i];
        for (int e = LO; e <= RO; ++e) {
            ws.setText(r, 1, pier.pierName);
            ws.setText(r, 2, kEdgeNames[static_cast<std::size_t>(e)]);
            ws.setText(r, 3,
                       StationKText(RequireFinite(section.edgeNominalStation[static_cast<std::size_t>(e)], "station")));
            setOptional(r, 5, section.edgeX[static_cast<std::size_t>(e)]);
            setOptional(r, 6, section.edgeY[static_cast<std::size_t>(e)]);
            ++r;
        }
    }
}

}  // namespace

bool HasPlanePoints(const CalculationResult& result) {
    for (const auto& row : result.tables.pedestalX)
        for (const auto& x : row)
            if (x) return true;
    return false;
}

Worksheet StakeOutSheet(const CalculationResult& result) {
    const int lastRow = lastRowOf(result);
    Worksheet ws;
    writeHeader(ws, result.layout, lastRow);
    writeRows(ws, result);
    ws.drawBorders({1, 1, lastRow, kLastColumn}, BorderWeight::Medium, BorderWeight::Thin);
    return ws;
}

}  // namespace tavrel
