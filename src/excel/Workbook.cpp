#include "excel/Workbook.h"

#include <algorithm>
#include <cmath>
#include <string_view>

#include "common/Errors.h"

namespace tavrel {

namespace {

constexpr double kMaxRowHeight = 409;    // points: the largest row height a sheet accepts
constexpr double kMaxColumnWidth = 255;  // characters: the widest column a sheet accepts

void requireCell(int row, int col) {
    if (row < 1 || row > kMaxSheetRows || col < 1 || col > kMaxSheetColumns)
        throw CalcError("cell (" + std::to_string(row) + ", " + std::to_string(col) + ") is outside the sheet");
}

void requireRange(const CellRange& r) {
    requireCell(r.firstRow, r.firstCol);
    requireCell(r.lastRow, r.lastCol);
    if (r.firstRow > r.lastRow || r.firstCol > r.lastCol) throw CalcError("reversed cell range");
}

// Strict UTF-8: no overlong forms, no surrogates, nothing past U+10FFFF. Text in another encoding would be
// stored as is and damage the file. Returns the length in bytes of the character at s[i], 0 when the bytes
// there do not form one.
std::size_t utf8CharLength(std::string_view s, std::size_t i) {
    const auto b = static_cast<unsigned char>(s[i]);
    std::size_t extra = 0;
    char32_t cp = 0, min = 0;
    if (b < 0x80) {
        return 1;
    } else if ((b & 0xE0) == 0xC0) {
        extra = 1, cp = b & 0x1F, min = 0x80;
    } else if ((b & 0xF0) == 0xE0) {
        extra = 2, cp = b & 0x0F, min = 0x800;
    } else if ((b & 0xF8) == 0xF0) {
        extra = 3, cp = b & 0x07, min = 0x10000;
    } else {
        return 0;
    }
    if (i + extra >= s.size()) return 0;  // truncated sequence
    for (std::size_t k = 1; k <= extra; ++k) {
        const auto c = static_cast<unsigned char>(s[i + k]);
        if ((c & 0xC0) != 0x80) return 0;
        cp = (cp << 6) | (c & 0x3F);
    }
    if (cp < min || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return 0;
    return extra + 1;
}

bool isUtf8(std::string_view s) {
    for (std::size_t i = 0; i < s.size();) {
        const std::size_t n = utf8CharLength(s, i);
        if (n == 0) return false;
        i += n;
    }
    return true;
}

// Length in UTF-16 units, as the spreadsheet program counts the characters of a name or a header; `s` is UTF-8.
std::size_t utf16Length(std::string_view s) {
    std::size_t n = 0;
    for (const char ch : s) {
        const auto b = static_cast<unsigned char>(ch);
        if ((b & 0xC0) != 0x80) ++n;  // a lead byte starts a character
        if ((b & 0xF8) == 0xF0) ++n;  // four-byte characters take two units
    }
    return n;
}

// Letter case folded the way sheet names are compared (ASCII letters; the names this program uses are fixed).
std::string foldedName(std::string_view name) {
    std::string s(name);
    for (char& c : s)
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    return s;
}

constexpr std::size_t kMaxSheetNameLength = 31;
constexpr std::size_t kMaxHeaderFooterLength = 255;

bool overlaps(const CellRange& a, const CellRange& b) {
    return a.firstRow <= b.lastRow && b.firstRow <= a.lastRow && a.firstCol <= b.lastCol && b.firstCol <= a.lastCol;
}

}  // namespace

std::string CellName(int rows, int cols) {
    requireCell(rows, cols);
    // Column letters count in base 26 with digits A..Z standing for 1..26 (no zero digit): Z, AA, AZ, BA, ZZ,
    // AAA, ..., XFD.
    std::string letters;
    for (int c = cols; c > 0; c = (c - 1) / 26) letters.insert(letters.begin(), static_cast<char>('A' + (c - 1) % 26));
    return letters + std::to_string(rows);
}

std::string CellRange::a1() const { return CellName(firstRow, firstCol) + ":" + CellName(lastRow, lastCol); }

std::string ToValidUtf8(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t n = utf8CharLength(text, i);
        if (n == 0) {
            out += "\uFFFD";
            ++i;
        } else {
            out.append(text, i, n);
            i += n;
        }
    }
    return out;
}

void CheckSheetName(const std::string& name) {
    if (!isUtf8(name)) throw CalcError("sheet name is not UTF-8");
    const std::size_t length = utf16Length(name);
    if (length == 0 || length > kMaxSheetNameLength)
        throw CalcError("sheet name must have 1 to 31 characters: " + name);
    if (name.find_first_of("[]:*?/\\") != std::string::npos)
        throw CalcError("sheet name holds one of []:*?/\\: " + name);
    if (name.front() == '\'' || name.back() == '\'')
        throw CalcError("sheet name starts or ends with an apostrophe: " + name);
    if (foldedName(name) == "history") throw CalcError("sheet name History is reserved");
}

void Worksheet::setPageSetup(PageSetup setup) {
    for (const std::string* text : {&setup.header, &setup.footer}) {
        if (!isUtf8(*text)) throw CalcError("page header or footer is not UTF-8");
        if (utf16Length(*text) > kMaxHeaderFooterLength)
            throw CalcError("page header or footer longer than 255 characters");
    }
    if (setup.repeatRows != std::pair{0, 0}) requireRange({setup.repeatRows.first, 1, setup.repeatRows.second, 1});
    if (setup.repeatColumns != std::pair{0, 0})
        requireRange({1, setup.repeatColumns.first, 1, setup.repeatColumns.second});
    if (setup.paperSize < 0 || setup.paperSize > 255) throw CalcError("paper size code out of range");
    pageSetup_ = std::move(setup);
}

Cell& Worksheet::touch(int row, int col) {
    requireCell(row, col);
    auto [it, inserted] = cells_.try_emplace({row, col});
    if (inserted) it->second.style = sheetStyle_;
    return it->second;
}

template <class Change>
void Worksheet::changeStyles(const CellRange& range, Change change) {
    requireRange(range);
    for (int r = range.firstRow; r <= range.lastRow; ++r)
        for (int c = range.firstCol; c <= range.lastCol; ++c) change(touch(r, c).style, r, c);
}

void Worksheet::setAlignmentAll(HorizontalAlign h, VerticalAlign v) {
    sheetStyle_.horizontal = h;
    sheetStyle_.vertical = v;
    for (auto& [at, cell] : cells_) cell.style.horizontal = h, cell.style.vertical = v;
}

void Worksheet::setFontAll(const std::string& name, double size) {
    if (!isUtf8(name)) throw CalcError("font name is not UTF-8");
    if (!(size > 0 && size <= kMaxRowHeight)) throw CalcError("font size out of range");
    sheetStyle_.fontName = name;
    sheetStyle_.fontSize = size;
    for (auto& [at, cell] : cells_) cell.style.fontName = name, cell.style.fontSize = size;
}

void Worksheet::setRowHeightAll(double height) {
    if (!(height >= 0 && height <= kMaxRowHeight)) throw CalcError("row height out of range");
    rowHeight_ = height;
}

void Worksheet::setColumnWidth(int col, double width) {
    requireCell(1, col);
    if (!(width >= 0 && width <= kMaxColumnWidth)) throw CalcError("column width out of range");
    columnWidths_[col] = width;
}

std::optional<double> Worksheet::columnWidth(int col) const {
    const auto it = columnWidths_.find(col);
    if (it == columnWidths_.end()) return std::nullopt;
    return it->second;
}

void Worksheet::setAlignment(const CellRange& range, HorizontalAlign h, VerticalAlign v) {
    changeStyles(range, [&](CellStyle& s, int, int) { s.horizontal = h, s.vertical = v; });
}

void Worksheet::setNumberFormat(const CellRange& range, const std::string& format) {
    if (!isUtf8(format)) throw CalcError("number format is not UTF-8");
    changeStyles(range, [&](CellStyle& s, int, int) { s.numberFormat = format; });
}

void Worksheet::drawBorders(const CellRange& range, BorderWeight edge, BorderWeight inside) {
    changeStyles(range, [&](CellStyle& s, int r, int c) {
        s.borders.left = c == range.firstCol ? edge : inside;
        s.borders.right = c == range.lastCol ? edge : inside;
        s.borders.top = r == range.firstRow ? edge : inside;
        s.borders.bottom = r == range.lastRow ? edge : inside;
    });
}

void Worksheet::merge(const CellRange& range) {
    requireRange(range);
    if (range.isSingleCell()) return;
    for (const CellRange& m : merges_)
        if (overlaps(m, range)) throw CalcError("merged range " + range.a1() + " overlaps " + m.a1());
    merges_.push_back(range);
}

void Worksheet::setText(int row, int col, std::string text) {
    if (!isUtf8(text)) throw CalcError("cell text is not UTF-8");
    touch(row, col).value = std::move(text);
}

void Worksheet::setNumber(int row, int col, double value) {
    if (!std::isfinite(value)) throw CalcError("non-finite number for cell " + CellName(row, col));
    touch(row, col).value = value;
}

const Cell* Worksheet::cellAt(int row, int col) const {
    const auto it = cells_.find({row, col});
    return it == cells_.end() ? nullptr : &it->second;
}

void Workbook::requireFreeName(const std::string& name) const {
    CheckSheetName(name);
    for (const Worksheet& s : sheets_)
        if (foldedName(s.name()) == foldedName(name)) throw CalcError("a sheet is already named " + name);
}

Worksheet& Workbook::insertSheetBeforeActive(Worksheet sheet, std::string name) {
    requireFreeName(name);
    sheet.name_ = std::move(name);
    const std::size_t at = sheets_.empty() ? 0 : active_;
    sheets_.insert(sheets_.begin() + static_cast<std::ptrdiff_t>(at), std::move(sheet));
    active_ = at;
    return sheets_[at];
}

Worksheet& Workbook::appendSheet(Worksheet sheet, std::string name) {
    requireFreeName(name);
    sheet.name_ = std::move(name);
    sheets_.push_back(std::move(sheet));
    return sheets_.back();
}

}  // namespace tavrel
