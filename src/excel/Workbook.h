#pragma once
// The in-memory workbook the result tables are written into: sheets in tab order with an active sheet, and per
// sheet its cells (text or number), merged ranges, cell formats, row height and column widths. It stands in for
// a running spreadsheet program; XlsxFile writes it out as a file.
#include <compare>
#include <cstddef>
#include <map>
#include <optional>
#include <string>
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

// rowcol: the A1 name of the cell in row `rows` and column `cols` ("A1", "Z5", "AA3", "AZ10", "ZZ2", "AAA1").
// Throws CalcError for a cell outside the sheet.
std::string rowcol(int rows, int cols);

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

    // --- Formatting every cell of the sheet: cells written so far, cells written later and the empty rest.
    void setAlignmentAll(HorizontalAlign h, VerticalAlign v);
    void setFontAll(const std::string& name, double size);  // points
    void setRowHeightAll(double height);                    // points

    // Column width in character units (the spreadsheet's ColumnWidth); unset columns keep the default.
    void setColumnWidth(int col, double width);

    // --- Ranges. Every cell of the range takes the setting over the style it had.
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
};

// Sheets in tab order, with one active sheet once there is any sheet.
class Workbook {
public:
    // Inserts the sheet in front of the active one (at the first tab when there is none), makes it active and
    // names it like a spreadsheet program names a new sheet: "Sheet" + one more than the highest number in use.
    // Returns the inserted sheet; references to other sheets are invalidated.
    Worksheet& insertSheetBeforeActive(Worksheet sheet);

    const std::vector<Worksheet>& sheets() const { return sheets_; }
    std::size_t activeIndex() const { return active_; }  // meaningful only when there are sheets

private:
    std::string nextSheetName() const;

    std::vector<Worksheet> sheets_;
    std::size_t active_ = 0;
};

}  // namespace tavrel
