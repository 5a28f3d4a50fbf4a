#include "excel/PedestalTables.h"

#include <algorithm>
#include <cmath>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "common/Errors.h"
#include "common/NumberText.h"
#include "excel/ResultSheetStyle.h"
#include "excel/StakeOutSheet.h"

namespace tavrel {

namespace {

using namespace resultsheet;

constexpr int kPaperA4 = 9;  // the file format's paper code

// Stations show as kilometres, "+" and at least three digits of metres: 12345.678 as "K12+345.678", 12345 as
// "K12+345". The K is quoted: a bare letter is not a valid format character for every spreadsheet program.
constexpr std::string_view kStationFormatFractional = "\"K\"0+000.000";
constexpr std::string_view kStationFormatWhole = "\"K\"0+000";

constexpr std::string_view kHeightCaption = "垫石高度";
constexpr std::string_view kTopElevationGroupCaption = "垫石号及垫石顶面高程";
constexpr std::string_view kHeightGroupCaption = "垫石号及垫石高度";

constexpr std::string_view kLayoutHeading = "垫石设置资料：";
constexpr std::string_view kRoadHeading = "道路资料：";
constexpr std::string_view kPageFooter = "&C第 &P 页 共 &N 页 &D";
constexpr std::size_t kMaxHeaderLength = 255;  // characters, the spreadsheet program's limit

// How one table differs from the other.
struct TableShape {
    int c0 = 2;                                // the column before the first pedestal column
    std::string_view groupCaption;             // over the pedestal columns; empty: none
    const ResultTable* pierHeights = nullptr;  // the square-pier table's height column, else none
};

// Whole metres when every pier's station s has floor(s) * 1000 == s * 1000; one fractional station switches
// the whole column to three decimals.
std::string_view stationFormat(const std::vector<PierRecord>& piers) {
    const bool anyFractional = std::any_of(piers.begin(), piers.end(), [](const PierRecord& p) {
        const double s = p.referenceNominalStation;
        return std::floor(s) * 1000 != s * 1000;
    });
    return anyFractional ? kStationFormatFractional : kStationFormatWhole;
}

// The station format of a pier whose written number occurs twice on the road: its chain mark and a blank before
// the K ("B K13+186.453"), as StationLabel writes it.
std::string markedStationFormat(char mark, std::string_view format) {
    return std::string("\"") + mark + " " + std::string(format.substr(1));
}

// A path as text for the page header: UTF-8 whatever the file system's bytes.
std::string pathText(const std::filesystem::path& p) { return ToValidUtf8(p.string()); }

std::filesystem::path absolutePath(const std::filesystem::path& p) {
    std::error_code ec;
    const std::filesystem::path a = std::filesystem::absolute(p, ec);
    return (ec ? p : a).lexically_normal();
}

// A literal text inside a page header: "&" starts a code there and is written twice.
std::string headerLiteral(std::string_view text) {
    std::string out;
    for (char c : text) {
        out += c;
        if (c == '&') out += '&';
    }
    return out;
}

// Characters as the spreadsheet program counts them (UTF-16 units) of UTF-8 text.
std::size_t headerLength(std::string_view s) {
    std::size_t n = 0;
    for (char ch : s) {
        const auto b = static_cast<unsigned char>(ch);
        if ((b & 0xC0) != 0x80) ++n;
        if ((b & 0xF8) == 0xF0) ++n;
    }
    return n;
}

// Drops the first character of UTF-8 text.
void dropFirstCharacter(std::string& s) {
    std::size_t n = s.empty() ? 0 : 1;
    while (n < s.size() && (static_cast<unsigned char>(s[n]) & 0xC0) == 0x80) ++n;
    s.erase(0, n);
}

// "&L垫石设置资料：<layout>&R道路资料：<folders>": the layout file by name when it lies in the road files' folder,
// else by its whole path; the road files' folders, distinct, in the order the files were read. When the header
// would pass the 255 characters the spreadsheet program allows, the longer text loses characters at its start
// ("…" marks the cut), so that the file and the last folders stay readable.
std::string pageHeader(const ResultSource& source) {
    std::vector<std::string> folders;
    for (const std::filesystem::path& f : source.roadFiles) {
        const std::string folder = pathText(absolutePath(f).parent_path());
        if (std::find(folders.begin(), folders.end(), folder) == folders.end()) folders.push_back(folder);
    }
    std::string layout, road;
    if (!source.layoutFile.empty()) {
        const std::filesystem::path l = absolutePath(source.layoutFile);
        const bool besideRoad = folders.size() == 1 && folders[0] == pathText(l.parent_path());
        layout = pathText(besideRoad ? l.filename() : l);
    }
    for (const std::string& f : folders) road += (road.empty() ? "" : "；") + f;

    bool layoutCut = false, roadCut = false;
    auto compose = [&] {
        std::string h;
        if (!layout.empty() || layoutCut)
            h += "&L" + headerLiteral(std::string(kLayoutHeading) + (layoutCut ? "…" : "") + layout);
        if (!road.empty() || roadCut)
            h += "&R" + headerLiteral(std::string(kRoadHeading) + (roadCut ? "…" : "") + road);
        return h;
    };
    std::string header = compose();
    while (headerLength(header) > kMaxHeaderLength && !(layout.empty() && road.empty())) {
        const bool cutLayout = headerLength(layout) >= headerLength(road);
        dropFirstCharacter(cutLayout ? layout : road);
        (cutLayout ? layoutCut : roadCut) = true;
        header = compose();
    }
    return header;
}

// Writes the table into an empty sheet, in the order a spreadsheet user would: sheet-wide format and column
// widths, header, number formats, rows, borders.
void writeTable(Worksheet& ws, const PedestalLayout& layout, const ChainBreakTable& chainBreaks,
                const ResultTable& values, const TableShape& shape) {
    const std::size_t pierCount = layout.piers.size();
    const std::size_t pedestalCount = layout.pedestalDistances.size();
    if (pierCount == 0) throw CalcError("no pier to write");
    if (pedestalCount == 0) throw CalcError("no pedestal to write");
    RequireShape(values, pierCount, pedestalCount);
    if (shape.pierHeights) RequireShape(*shape.pierHeights, pierCount, pedestalCount);
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
    std::vector<std::optional<char>> marks;
    for (const PierRecord& pier : layout.piers) marks.push_back(DoubledStationMark(chainBreaks, pier.referenceStation));
    const bool anyMark = std::any_of(marks.begin(), marks.end(), [](const auto& m) { return m.has_value(); });

    ws.setColumnWidth(1, PierColumnWidth(layout.piers));
    ws.setColumnWidth(2, anyMark ? kMarkedStationColumnWidth : kStationColumnWidth);
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

    const std::string_view station = stationFormat(layout.piers);
    ws.setNumberFormat({3, 2, lastRow, 2}, std::string(station));
    for (int i = 0; i < P; ++i)
        if (const auto mark = marks[static_cast<std::size_t>(i)])
            ws.setNumberFormat({i + 3, 2, i + 3, 2}, markedStationFormat(*mark, station));
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

}  // namespace

Worksheet PedestalValueSheet(const PedestalLayout& layout, const ChainBreakTable& chainBreaks,
                             const ResultTable& values, int n) {
    const std::string_view caption = n == 1 ? kTopElevationGroupCaption : n == 2 ? kHeightGroupCaption : "";
    Worksheet sheet;
    writeTable(sheet, layout, chainBreaks, values, TableShape{2, caption, nullptr});
    return sheet;
}

Worksheet SquarePierSheet(const PedestalLayout& layout, const ChainBreakTable& chainBreaks, const ResultTable& values,
                          const ResultTable& pedestalHeight) {
    Worksheet sheet;
    writeTable(sheet, layout, chainBreaks, values, TableShape{3, kTopElevationGroupCaption, &pedestalHeight});
    return sheet;
}

PageSetup ResultPageSetup(const ResultSource& source) {
    PageSetup p;
    p.landscape = true;
    p.paperSize = kPaperA4;
    p.fitToPageWidth = true;
    p.repeatRows = {1, 2};
    p.repeatColumns = {1, 2};
    p.centreHorizontally = true;
    p.header = pageHeader(source);
    p.footer = std::string(kPageFooter);
    return p;
}

Workbook ResultWorkbook(const CalculationResult& result, const ResultSource& source) {
    const PedestalLayout& layout = result.layout;
    const PedestalResultTables& tables = result.tables;
    const PageSetup page = ResultPageSetup(source);
    Workbook book;
    // Each new table goes in front of the one before, so the heights come first.
    auto addInFront = [&](Worksheet sheet, std::string_view name) {
        sheet.setPageSetup(page);
        book.insertSheetBeforeActive(std::move(sheet), std::string(name));
    };
    if (layout.skewAngle == 90) {  // exactly: any other angle, however close, gets the two general tables
        addInFront(SquarePierSheet(layout, result.chainBreaks, tables.pedestalTopElevation, tables.pedestalHeight),
                   kTopElevationSheetName);
    } else {
        addInFront(PedestalValueSheet(layout, result.chainBreaks, tables.pedestalTopElevation, 1),
                   kTopElevationSheetName);
        addInFront(PedestalValueSheet(layout, result.chainBreaks, tables.pedestalHeight, 2), kHeightSheetName);
    }
    if (HasPlanePoints(result)) {
        Worksheet stakeOut = StakeOutSheet(result);
        stakeOut.setPageSetup(page);
        book.appendSheet(std::move(stakeOut), std::string(kStakeOutSheetName));
    }
    return book;
}

}  // namespace tavrel
