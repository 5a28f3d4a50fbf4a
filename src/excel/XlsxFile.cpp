#include "excel/XlsxFile.h"

#include <fcntl.h>
#include <locale.h>
#include <unistd.h>
#include <xlsxwriter.h>

#include <cerrno>
#include <cmath>
#include <cstdio>
#include <map>
#include <set>
#include <string>
#include <utility>

namespace tavrel {

namespace {

// The library prints numbers with the C library's %G, which follows LC_NUMERIC: under a comma-decimal locale
// (which a desktop program may have set) the file would get "101,2345". Holds the C numeric rules on this
// thread while alive.
class CNumericLocale {
public:
    CNumericLocale() {
        locale_t base = duplocale(uselocale(static_cast<locale_t>(0)));
        if (base == static_cast<locale_t>(0)) return;
        c_ = newlocale(LC_NUMERIC_MASK, "C", base);
        if (c_ == static_cast<locale_t>(0)) {
            freelocale(base);
            return;
        }
        previous_ = uselocale(c_);
    }
    ~CNumericLocale() {
        if (c_ == static_cast<locale_t>(0)) return;
        uselocale(previous_);
        freelocale(c_);
    }
    CNumericLocale(const CNumericLocale&) = delete;
    CNumericLocale& operator=(const CNumericLocale&) = delete;

private:
    locale_t c_ = static_cast<locale_t>(0);
    locale_t previous_ = static_cast<locale_t>(0);
};

// The library reports its failures by printing "[ERROR] ..." lines on the process's stderr; the program reports
// them in its own words instead. While alive, stderr goes to /dev/null (the program is single-threaded while it
// writes a workbook; a failure to redirect just leaves stderr as it was).
class QuietStderr {
public:
    QuietStderr() {
        std::fflush(stderr);
        saved_ = ::dup(STDERR_FILENO);
        const int null = ::open("/dev/null", O_WRONLY | O_CLOEXEC);
        if (saved_ < 0 || null < 0 || ::dup2(null, STDERR_FILENO) < 0) {
            if (saved_ >= 0) ::close(saved_);
            saved_ = -1;
        }
        if (null >= 0) ::close(null);
    }
    ~QuietStderr() {
        if (saved_ < 0) return;
        std::fflush(stderr);
        const int error = errno;  // keep the errno of the failure for the caller
        ::dup2(saved_, STDERR_FILENO);
        ::close(saved_);
        errno = error;
    }
    QuietStderr(const QuietStderr&) = delete;
    QuietStderr& operator=(const QuietStderr&) = delete;

private:
    int saved_ = -1;
};

// The library drops a row height equal to its default (15 points) instead of storing it; the next double up
// is stored as 15 with the custom-height mark, so the row keeps 15 whatever the reader's default is.
double storableRowHeight(double height) {
    return height == LXW_DEF_ROW_HEIGHT ? std::nextafter(LXW_DEF_ROW_HEIGHT, 16.0) : height;
}

uint8_t borderStyle(BorderWeight w) {
    switch (w) {
        case BorderWeight::Thin: return LXW_BORDER_THIN;
        case BorderWeight::Medium: return LXW_BORDER_MEDIUM;
        case BorderWeight::None: break;
    }
    return LXW_BORDER_NONE;
}

// One file being written: the library's workbook and one format per distinct cell style.
class XlsxWriter {
public:
    explicit XlsxWriter(const std::filesystem::path& path) : book_(workbook_new(path.string().c_str())) {
        if (!book_) throw WorkbookWriteError("cannot start the workbook file " + path.string());
    }
    ~XlsxWriter() {
        if (book_) lxw_workbook_free(book_);
    }
    XlsxWriter(const XlsxWriter&) = delete;
    XlsxWriter& operator=(const XlsxWriter&) = delete;

    void writeSheet(const Worksheet& sheet, bool active) {
        lxw_worksheet* ws = workbook_add_worksheet(book_, sheet.name().c_str());
        if (!ws) throw WorkbookWriteError("cannot add the sheet " + sheet.name());
        writeColumns(ws, sheet);
        writeRows(ws, sheet);
        // Merge first, then write every cell with its own format: the merge pads its cells with one format,
        // and each of them must keep its own borders.
        for (const CellRange& m : sheet.merges())
            check(worksheet_merge_range(ws, m.firstRow - 1, static_cast<lxw_col_t>(m.firstCol - 1), m.lastRow - 1,
                                        static_cast<lxw_col_t>(m.lastCol - 1), "", nullptr),
                  "merge " + m.a1());
        for (const auto& [at, cell] : sheet.cells()) writeCell(ws, at.first - 1, at.second - 1, cell);
        writePageSetup(ws, sheet.pageSetup());
        if (active) worksheet_activate(ws);
    }

    // Writes the file and releases the library's workbook.
    void close() {
        lxw_workbook* book = std::exchange(book_, nullptr);
        errno = 0;
        check(workbook_close(book), "write the file");
    }

private:
    void check(lxw_error e, const std::string& what) {
        if (e == LXW_NO_ERROR) return;
        const int error = errno != 0 ? errno : EIO;  // the file operation's own reason, where the library kept it
        throw WorkbookWriteError("cannot " + what + ": " + lxw_strerror(e), error);
    }

    // nullptr for the plain default style: the library writes no format then.
    lxw_format* format(const CellStyle& style) {
        if (style == CellStyle{}) return nullptr;
        auto [it, inserted] = formats_.try_emplace(style, nullptr);
        if (!inserted) return it->second;
        lxw_format* f = workbook_add_format(book_);
        if (!f) throw WorkbookWriteError("cannot add a cell format");
        if (style.horizontal == HorizontalAlign::Centre) format_set_align(f, LXW_ALIGN_CENTER);
        if (style.vertical == VerticalAlign::Centre) format_set_align(f, LXW_ALIGN_VERTICAL_CENTER);
        if (!style.fontName.empty()) format_set_font_name(f, style.fontName.c_str());
        if (style.fontSize > 0) format_set_font_size(f, style.fontSize);
        if (!style.numberFormat.empty()) format_set_num_format(f, style.numberFormat.c_str());
        format_set_left(f, borderStyle(style.borders.left));
        format_set_top(f, borderStyle(style.borders.top));
        format_set_right(f, borderStyle(style.borders.right));
        format_set_bottom(f, borderStyle(style.borders.bottom));
        it->second = f;
        return f;
    }

    // Widths where set; the sheet style on every column, so that empty cells anywhere show it too.
    void writeColumns(lxw_worksheet* ws, const Worksheet& sheet) {
        lxw_format* all = format(sheet.sheetStyle());
        int next = 1;  // first column not yet written
        auto defaultRun = [&](int last) {
            if (all && next <= last)
                check(worksheet_set_column(ws, static_cast<lxw_col_t>(next - 1), static_cast<lxw_col_t>(last - 1),
                                           LXW_DEF_COL_WIDTH, all),
                      "format columns");
        };
        for (const auto& [col, width] : sheet.columnWidths()) {
            defaultRun(col - 1);
            check(
                worksheet_set_column(ws, static_cast<lxw_col_t>(col - 1), static_cast<lxw_col_t>(col - 1), width, all),
                "set a column width");
            next = col + 1;
        }
        defaultRun(kMaxSheetColumns);
    }

    // The sheet's row height as the default of every row, and stored on each row that holds cells.
    void writeRows(lxw_worksheet* ws, const Worksheet& sheet) {
        const std::optional<double> height = sheet.rowHeight();
        if (!height) return;
        worksheet_set_default_row(ws, *height, LXW_FALSE);
        std::set<int> rows;
        for (const auto& [at, cell] : sheet.cells()) rows.insert(at.first);
        for (const CellRange& m : sheet.merges())
            for (int r = m.firstRow; r <= m.lastRow; ++r) rows.insert(r);
        for (int r : rows) check(worksheet_set_row(ws, r - 1, storableRowHeight(*height), nullptr), "set a row height");
    }

    void writePageSetup(lxw_worksheet* ws, const PageSetup& p) {
        if (p.landscape) worksheet_set_landscape(ws);
        if (p.paperSize != 0) worksheet_set_paper(ws, static_cast<uint8_t>(p.paperSize));
        if (p.fitToPageWidth) worksheet_fit_to_pages(ws, 1, 0);  // one page wide, any number of pages down
        if (p.repeatRows.first > 0)
            check(worksheet_repeat_rows(ws, static_cast<lxw_row_t>(p.repeatRows.first - 1),
                                        static_cast<lxw_row_t>(p.repeatRows.second - 1)),
                  "set the rows printed on every page");
        if (p.repeatColumns.first > 0)
            check(worksheet_repeat_columns(ws, static_cast<lxw_col_t>(p.repeatColumns.first - 1),
                                           static_cast<lxw_col_t>(p.repeatColumns.second - 1)),
                  "set the columns printed on every page");
        if (p.centreHorizontally) worksheet_center_horizontally(ws);
        if (!p.header.empty()) check(worksheet_set_header(ws, p.header.c_str()), "set the page header");
        if (!p.footer.empty()) check(worksheet_set_footer(ws, p.footer.c_str()), "set the page footer");
    }

    void writeCell(lxw_worksheet* ws, int row, int col, const Cell& cell) {
        lxw_format* f = format(cell.style);
        const auto c = static_cast<lxw_col_t>(col);
        if (const auto* text = std::get_if<std::string>(&cell.value)) {
            check(worksheet_write_string(ws, row, c, text->c_str(), f), "write text");
        } else if (const auto* number = std::get_if<double>(&cell.value)) {
            check(worksheet_write_number(ws, row, c, *number, f), "write a number");
        } else if (f) {
            check(worksheet_write_blank(ws, row, c, f), "format an empty cell");
        }
    }

    lxw_workbook* book_;
    std::map<CellStyle, lxw_format*> formats_;
};

}  // namespace

void WriteXlsxFile(const Workbook& book, const std::filesystem::path& path) {
    if (book.sheets().empty()) throw WorkbookWriteError("the workbook has no sheet");
    const CNumericLocale cNumbers;
    const QuietStderr quiet;
    XlsxWriter writer(path);
    for (std::size_t i = 0; i < book.sheets().size(); ++i) writer.writeSheet(book.sheets()[i], i == book.activeIndex());
    writer.close();
}

}  // namespace tavrel
