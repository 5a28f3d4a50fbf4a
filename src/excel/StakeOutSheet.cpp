#include "excel/StakeOutSheet.h"

#include <algorithm>
#include <iterator>
#include <string>
#include <vector>

#include "common/Errors.h"
#include "excel/ResultSheetStyle.h"
#include "report/StakeOutPoints.h"
#include "station/ChainBreak.h"

namespace tavrel {

namespace {

using namespace resultsheet;

// Column widths, in characters of the default font.
constexpr double kPointColumnWidth = 6;
constexpr double kOffsetColumnWidth = 9;  // "左正右负" under the caption: four wide characters
constexpr double kCoordinateColumnWidth = 13;

constexpr std::string_view kPointCaption = "点号";
constexpr std::string_view kOffsetCaption = "偏距(m)";
constexpr std::string_view kOffsetSignCaption = "左正右负";
constexpr std::string_view kCoordinateCaption = "坐标(m)";

constexpr int kOffsetColumn = 4, kXColumn = 5, kYColumn = 6, kZColumn = 7;
constexpr int kLastColumn = kZColumn;

// The notes under the table: what the columns and the edge names mean. The last one only where a station
// carries a chain mark.
constexpr std::string_view kNotes[] = {
    "说明：",
    "1. 偏距为点到路线中线的垂距，中线左侧为正、右侧为负。",
    "2. X 向北、Y 向东；Z 为高程：垫石点为垫石顶面高程，边线点为该点的桥面高程。",
    "3. LO、RO：墩台轴线与桥面左、右外边线的交点；LI、RI：与中央带左、右边线的交点。",
};
constexpr std::string_view kChainMarkNote =
    "4. 桩号前的字母为断链标识，标在长链前后重复出现的桩号上，如 B K13+186.453。";

// The sheet-wide format, the column widths, the two header rows and the number format of the value columns.
void writeHeader(Worksheet& ws, const PedestalLayout& layout, bool marked, int lastRow) {
    ws.setAlignmentAll(HorizontalAlign::Centre, VerticalAlign::Centre);
    ws.setRowHeightAll(kRowHeight);
    ws.setFontAll(std::string(kFontName), kFontSize);
    ws.setColumnWidth(1, PierColumnWidth(layout.piers));
    ws.setColumnWidth(2, kPointColumnWidth);
    ws.setColumnWidth(3, marked ? kMarkedStationColumnWidth : kStationColumnWidth);
    ws.setColumnWidth(kOffsetColumn, kOffsetColumnWidth);
    for (int c = kXColumn; c <= kZColumn; ++c) ws.setColumnWidth(c, kCoordinateColumnWidth);

    const std::string_view captions[] = {kPierCaption, kPointCaption, kStationCaption};
    for (int c = 1; c <= 3; ++c) {
        ws.merge({1, c, 2, c});
        ws.setText(1, c, std::string(captions[c - 1]));
    }
    ws.setText(1, kOffsetColumn, std::string(kOffsetCaption));
    ws.setText(2, kOffsetColumn, std::string(kOffsetSignCaption));
    ws.merge({1, kXColumn, 1, kZColumn});
    ws.setText(1, kXColumn, std::string(kCoordinateCaption));
    ws.setText(2, kXColumn, "X");
    ws.setText(2, kYColumn, "Y");
    ws.setText(2, kZColumn, "Z");
    ws.setNumberFormat({3, kOffsetColumn, lastRow, kLastColumn}, std::string(kValueFormat));
}

// From row 3 on, one row per point.
void writeRows(Worksheet& ws, const CalculationResult& result, const std::vector<StakeOutPoint>& points) {
    int r = 3;
    for (const StakeOutPoint& p : points) {
        ws.setText(r, 1, result.layout.piers[p.pier].pierName);
        if (p.pedestal) ws.setNumber(r, 2, static_cast<double>(*p.pedestal + 1));
        else ws.setText(r, 2, kEdgeNames[p.edge]);
        ws.setText(r, 3, StationLabel(result.chainBreaks, p.station));
        ws.setNumber(r, kOffsetColumn, p.offset);
        if (p.x) ws.setNumber(r, kXColumn, *p.x);
        if (p.y) ws.setNumber(r, kYColumn, *p.y);
        ws.setNumber(r, kZColumn, p.z);
        ++r;
    }
}

// The notes, left-aligned from the first column after a blank row below the table.
void writeNotes(Worksheet& ws, int lastRow, bool marked) {
    std::vector<std::string_view> notes(std::begin(kNotes), std::end(kNotes));
    if (marked) notes.push_back(kChainMarkNote);
    int r = lastRow + 2;
    for (std::string_view note : notes) {
        ws.setText(r, 1, std::string(note));
        ws.setAlignment({r, 1, r, 1}, HorizontalAlign::General, VerticalAlign::Centre);
        ++r;
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
    const std::vector<StakeOutPoint> points = StakeOutPoints(result);
    constexpr std::size_t kNoteRows = std::size(kNotes) + 2;  // a blank row, the notes, the chain-mark note
    if (points.size() + 2 + kNoteRows > static_cast<std::size_t>(kMaxSheetRows))
        throw CalcError("table larger than a sheet");
    const int lastRow = static_cast<int>(points.size()) + 2;
    const bool marked = std::any_of(points.begin(), points.end(), [&](const StakeOutPoint& p) {
        return DoubledStationMark(result.chainBreaks, p.station).has_value();
    });
    Worksheet ws;
    writeHeader(ws, result.layout, marked, lastRow);
    writeRows(ws, result, points);
    ws.drawBorders({1, 1, lastRow, kLastColumn}, BorderWeight::Medium, BorderWeight::Thin);
    writeNotes(ws, lastRow, marked);
    return ws;
}

}  // namespace tavrel
