#pragma once
// The in-memory workbook the result tables are written into: named sheets in tab order with an active sheet, and
// per sheet its cells (text or number), merged ranges, cell formats, row height, column widths and print setup.
// XlsxFile writes it out as a file.
#include <compare>
#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "common/Errors.h"

namespace tavrel {

// The workbook could not be written to its file. Nothing was left at the target path. `error` is the system's
// errno of the failure where there was one.
struct WorkbookWriteError : CalcError {
    explicit WorkbookWriteError(const std::string& what, int error = 0) : CalcError(what), error(error) {}
    int error;
};

// The largest sheet a workbook file can hold (rows and columns are 1-based throughout this module).
inline constexpr int kMaxSheetRows = 1048576;
inline constexpr int kMaxSheetColumns = 16384;  // column XFD

// CellName: the A1 name of the cell in row `rows` and column `cols` ("A1", "Z5", "AA3", "AZ10", "ZZ2", "AAA1").
// Throws CalcError for a cell outside the sheet.
std::string CellName(int rows, int cols);

enum class HorizontalAlign { General, Centre };
enum class VerticalAlign { Bottom, Centre };
enum class BorderWeight { None, Thin, Medium };  // colour is always automatic; diagonals are never drawn

struct CellBorders {
    BorderWeight left = BorderWeight::None, top = BorderWeight::None;
    BorderWeight right = BorderWeight::None, bottom = BorderWeight::None;
    auto operator<=>(const CellBorders&) const = default;
};

// Everything a cell shows besides its value. Empty names mean the workbook's defaults.
struct CellStyle {
    HorizontalAlign horizontal = HorizontalAlign::General;
    VerticalAlign vertical = VerticalAlign::Bottom;
    std::string fontName;      // empty: the default font
    double fontSize = 0;       // points; 0: the default size
    std::string numberFormat;  // format code as stored in the file; empty: General
    CellBorders borders;
    auto operator<=>(const CellStyle&) const = default;
};

// A cell's value: nothing, text (UTF-8) or a finite number.
using CellValue = std::variant<std::monostate, std::string, double>;

struct Cell {
    CellValue value;
    CellStyle style;
};

// How a sheet prints. The default prints as the spreadsheet program would without any setting.
struct PageSetup {
    bool landscape = false;
    int paperSize = 0;                  // the file format's paper code (9: A4); 0: the printer's default
    bool fitToPageWidth = false;        // shrink so that every column fits one page width, as many pages down as needed
    std::pair<int, int> repeatRows;     // first and last row printed on top of every page; {0, 0}: none
    std::pair<int, int> repeatColumns;  // first and last column printed left on every page; {0, 0}: none
    bool centreHorizontally = false;
    // Page header and footer in the file's code: &L, &C, &R start the left, centre and right sections, &P is the
    // page number, &N the page count, &D the date, && a literal "&". Empty: none. At most 255 characters.
    std::string header, footer;
    friend bool operator==(const PageSetup&, const PageSetup&) = default;
};

// A rectangle of cells, first to last inclusive, 1-based.
struct CellRange {
    int firstRow = 1, firstCol = 1, lastRow = 1, lastCol = 1;
    bool isSingleCell() const { return firstRow == lastRow && firstCol == lastCol; }
    std::string a1() const;  // "B3:B7"
    friend bool operator==(const CellRange&, const CellRange&) = default;
};

class Worksheet {
public:
    // The sheet's name is given when a Workbook takes it in.
    const std::string& name() const { return name_; }

    // Replaces the print setup. Throws CalcError for a header or footer that is not UTF-8 or longer than 255
    // characters, or rows or columns to repeat outside the sheet.
    void setPageSetup(PageSetup setup);
    const PageSetup& pageSetup() const { return pageSetup_; }

    // --- Formatting every cell of the sheet: cells written so far, cells written later and the empty rest.
    void setAlignmentAll(HorizontalAlign h, VerticalAlign v);
    void setFontAll(const std::string& name, double size);  // points
    void setRowHeightAll(double height);                    // points

    // Column width in character units (the spreadsheet's ColumnWidth); unset columns keep the default.
    void setColumnWidth(int col, double width);

    // --- Ranges. Every cell of the range takes the setting over the style it had.
    void setAlignment(const CellRange& range, HorizontalAlign h, VerticalAlign v);
    void setNumberFormat(const CellRange& range, const std::string& format);
    // Outline of the range in `edge`, the lines between its cells in `inside`; no diagonals.
    void drawBorders(const CellRange& range, BorderWeight edge, BorderWeight inside);
    // Merges the range. Merging a single cell changes nothing; a range that overlaps an earlier merge throws
    // CalcError (the file would be damaged).
    void merge(const CellRange& range);

    // --- Values. A non-finite number or text that is not UTF-8 throws CalcError and leaves the cell as it was.
    void setText(int row, int col, std::string text);
    void setNumber(int row, int col, double value);

    // --- Reading back.
    const Cell* cellAt(int row, int col) const;                                  // nullptr: never written nor formatted
    const std::map<std::pair<int, int>, Cell>& cells() const { return cells_; }  // key (row, col)
    const std::vector<CellRange>& merges() const { return merges_; }
    const CellStyle& sheetStyle() const { return sheetStyle_; }  // the style of cells not touched since
    std::optional<double> rowHeight() const { return rowHeight_; }
    std::optional<double> columnWidth(int col) const;
    const std::map<int, double>& columnWidths() const { return columnWidths_; }

private:
    friend class Workbook;
    Cell& touch(int row, int col);  // the cell, created with the sheet style if new
    template <class Change>
    void changeStyles(const CellRange& range, Change change);

    std::string name_;
    CellStyle sheetStyle_;
    std::optional<double> rowHeight_;  // unset: the file's default row height
    std::map<int, double> columnWidths_;
    std::map<std::pair<int, int>, Cell> cells_;
    std::vector<CellRange> merges_;
    PageSetup pageSetup_;
};

// The text with every byte that is not part of a well-formed UTF-8 character replaced by U+FFFD: for names
// from the file system, which need not be UTF-8, on their way into a cell or a page header.
std::string ToValidUtf8(std::string_view text);

// Throws CalcError unless `name` can name a sheet: 1 to 31 characters (UTF-16 units), UTF-8, none of []:*?/\,
// not starting or ending with an apostrophe, not "History" (reserved by the spreadsheet program).
void CheckSheetName(const std::string& name);

// Sheets in tab order, with one active sheet once there is any sheet.
class Workbook {
public:
    // Inserts the sheet under `name` in front of the active one (at the first tab when there is none) and makes it
    // active. Returns the inserted sheet; references to other sheets are invalidated. Throws CalcError (and
    // inserts nothing) for an invalid name or one already taken (letter case ignored).
    Worksheet& insertSheetBeforeActive(Worksheet sheet, std::string name);
    // Adds the sheet under `name` after the last tab; the active sheet stays (the new one when it is the first).
    // Failures as insertSheetBeforeActive.
    Worksheet& appendSheet(Worksheet sheet, std::string name);

    const std::vector<Worksheet>& sheets() const { return sheets_; }
    std::size_t activeIndex() const { return active_; }  // meaningful only when there are sheets

private:
    void requireFreeName(const std::string& name) const;

    std::vector<Worksheet> sheets_;
    std::size_t active_ = 0;
};

}  // namespace tavrel
