#!/usr/bin/python3
"""Reads the sample workbooks back with openpyxl and checks what a spreadsheet user gets: sheet names, order and
the active sheet, captions, merges, values and the empty cells of the side rule, number formats, font, alignment,
borders, column widths, row heights, the print setup, the stake-out sheet, and that the calculations of one run
of the program each wrote a workbook holding only their own sheets.

Usage: check_workbook.py SAMPLE_PROGRAM   (tavrel_xlsx_sample; it writes the workbooks into a scratch folder)
The sample numbers are those of SampleResults.h: top elevation of pier i, pedestal j (0-based)
100 + i + j / 10 + 0.0004, height 1.5 + j / 100.
"""
import math
import subprocess
import sys
import tempfile
import unittest
from pathlib import Path

from openpyxl import load_workbook
from openpyxl.utils import get_column_letter

SAMPLE = None  # path of the sample program, from the command line
OUT = None  # scratch folder holding the workbooks

WHOLE = '"K"0+000'
FRACTIONAL = '"K"0+000.000'
TOP_CAPTION = "垫石号及垫石顶面高程"
HEIGHT_CAPTION = "垫石号及垫石高度"
HEIGHTS, TOPS, STAKE_OUT = "垫石高度", "垫石顶面高程", "垫石坐标"
SAMPLE_HEADER = "垫石设置资料：bridge.txt", "道路资料：/projects/大桥"


def top(i, j):
    return 100 + i + j / 10 + 0.0004


def height(j):
    return 1.5 + j / 100


def stored_width(characters):
    """Column width as the file format stores it: characters of the default font's digit width (7 px) plus
    5 px padding, truncated to 1/256 of a character."""
    return math.floor((characters * 7 + 5) / 7 * 256) / 256


class Table:
    """What one sheet should hold. rows: (pier name, station, pier height or None, [value or None per pedestal])."""

    def __init__(self, caption, rows, station_format, square=False, pier_width=6):
        self.caption = caption
        self.pier_width = pier_width
        self.rows = rows
        self.station_format = station_format
        self.square = square
        self.c0 = 3 if square else 2
        self.k = len(rows[0][3])
        self.last_row = len(rows) + 2
        self.last_col = self.k + self.c0


class WorkbookChecks(unittest.TestCase):
    def open(self, name):
        path = OUT / name
        return load_workbook(path), load_workbook(path, read_only=True)

    def check_table(self, book, fast, sheet, t):
        ws = book[sheet]
        with self.subTest(sheet=sheet, what="captions and merges"):
            self.assertEqual(ws["A1"].value, "墩台号")
            self.assertEqual(ws["B1"].value, "桩号")
            merges = {"A1:A2", "B1:B2"}
            if t.square:
                self.assertEqual(ws["C1"].value, "垫石高度")
                merges.add("C1:C2")
            first = get_column_letter(t.c0 + 1)
            if t.k > 1:
                merges.add(f"{first}1:{get_column_letter(t.last_col)}1")
            self.assertEqual({str(m) for m in ws.merged_cells.ranges}, merges)
            self.assertEqual(ws[f"{first}1"].value, t.caption)
            self.assertEqual([ws.cell(2, t.c0 + j).value for j in range(1, t.k + 1)], list(range(1, t.k + 1)))

        with self.subTest(sheet=sheet, what="values and number formats"):
            for i, (name, station, pier_height, values) in enumerate(t.rows):
                r = i + 3
                self.assertEqual(ws.cell(r, 1).value, name)
                self.assertTrue(math.isclose(ws.cell(r, 2).value, station, rel_tol=1e-12), (r, station))
                self.assertEqual(ws.cell(r, 2).number_format, t.station_format)
                if t.square:
                    self.assertTrue(math.isclose(ws.cell(r, 3).value, pier_height, rel_tol=1e-12))
                    self.assertEqual(ws.cell(r, 3).number_format, "0.000")
                for j, v in enumerate(values):
                    cell = ws.cell(r, t.c0 + 1 + j)
                    self.assertEqual(cell.number_format, "0.000", cell.coordinate)
                    if v is None:
                        self.assertIsNone(cell.value, cell.coordinate)
                    else:
                        self.assertTrue(math.isclose(cell.value, v, rel_tol=1e-12), (cell.coordinate, cell.value, v))

        with self.subTest(sheet=sheet, what="widths and heights"):
            dims = ws.column_dimensions
            self.assertEqual(dims["A"].width, stored_width(t.pier_width))
            self.assertEqual(dims["B"].width, stored_width(12))
            for c in range(3, t.k + 3):
                self.assertEqual(dims[get_column_letter(c)].width, stored_width(8), c)
            # Columns after the sized ones keep the default width (8.43) and carry the sheet's font.
            rest = dims[get_column_letter(t.k + 3)]
            self.assertEqual((rest.min, rest.max), (t.k + 3, 16384))
            self.assertEqual(rest.width, stored_width(8.43))
            self.assertEqual((rest.font.name, rest.font.sz), ("宋体", 10))
            for r in range(1, t.last_row + 1):
                self.assertEqual(ws.row_dimensions[r].height, 15, r)
            self.assertEqual(ws.sheet_format.defaultRowHeight, 15)

        # Fonts and borders per cell from the plain reading of the file: the normal load copies a merge's
        # anchor format onto the other cells of the merge.
        with self.subTest(sheet=sheet, what="font, alignment, borders"):
            rows = fast[sheet].iter_rows(min_row=1, max_row=t.last_row, min_col=1, max_col=t.last_col)
            for r, row in enumerate(rows, start=1):
                for c, cell in enumerate(row, start=1):
                    where = f"{get_column_letter(c)}{r}"
                    self.assertEqual((cell.font.name, cell.font.sz), ("宋体", 10), where)
                    self.assertEqual((cell.alignment.horizontal, cell.alignment.vertical), ("center", "center"), where)
                    b = cell.border
                    expected = (
                        "medium" if c == 1 else "thin",
                        "medium" if r == 1 else "thin",
                        "medium" if c == t.last_col else "thin",
                        "medium" if r == t.last_row else "thin",
                    )
                    self.assertEqual((b.left.style, b.top.style, b.right.style, b.bottom.style), expected, where)
                    self.assertIsNone(b.diagonal.style, where)

    def check_print_setup(self, ws, header):
        """A4 landscape, one page wide, the header rows and the first two columns on every page, centred; the
        header names the layout file and the road folder, the footer counts the pages and gives the date."""
        with self.subTest(sheet=ws.title, what="print setup"):
            self.assertEqual(ws.page_setup.orientation, "landscape")
            self.assertEqual(int(ws.page_setup.paperSize), 9)
            self.assertTrue(ws.sheet_properties.pageSetUpPr.fitToPage)
            self.assertIn(ws.page_setup.fitToWidth, (None, 1))  # 1 is the default and left out of the file
            self.assertEqual(int(ws.page_setup.fitToHeight), 0)
            self.assertEqual(ws.print_title_rows, "$1:$2")
            self.assertEqual(ws.print_title_cols, "$A:$B")
            self.assertTrue(ws.print_options.horizontalCentered)
            self.assertEqual((ws.oddHeader.left.text, ws.oddHeader.right.text), header)
            self.assertEqual(ws.oddFooter.center.text, "第 &P 页 共 &N 页 &D")

    def test_skew_pier_heights_in_front_of_top_elevations(self):
        book, fast = self.open("skew.xlsx")
        self.assertEqual(book.sheetnames, [HEIGHTS, TOPS])
        self.assertEqual(book.active.title, HEIGHTS)
        # Pedestals at -1.5, 0, 1.5; marks ZY, Z (the first pedestal empty), Y (the last empty).
        listed = [[0, 1, 2], [1, 2], [0, 1]]
        piers = [("0#", 12345.678), ("1号墩", 12375.5), ("2#", 12405)]

        def rows(value):
            return [(n, s, None, [value(i, j) if j in listed[i] else None for j in range(3)])
                    for i, (n, s) in enumerate(piers)]

        self.check_table(book, fast, TOPS, Table(TOP_CAPTION, rows(top), FRACTIONAL))
        self.check_table(book, fast, HEIGHTS, Table(HEIGHT_CAPTION, rows(lambda i, j: height(j)), FRACTIONAL))
        for ws in book.worksheets:
            self.check_print_setup(ws, SAMPLE_HEADER)

    def test_square_pier_one_table_with_the_height_column(self):
        book, fast = self.open("square.xlsx")
        self.assertEqual(book.sheetnames, [TOPS])
        self.assertEqual(book.active.title, TOPS)
        # Pedestals at -3, -1, 1, 3; "P1" has mark Y.
        rows = [("A0", 500, height(0), [top(0, j) for j in range(4)]),
                ("P1", 530, height(0), [top(1, 0), top(1, 1), None, None])]
        self.check_table(book, fast, TOPS, Table(TOP_CAPTION, rows, WHOLE, square=True))
        self.check_print_setup(book[TOPS], SAMPLE_HEADER)

    def test_station_format_follows_the_stations_of_the_calculation(self):
        for name, rows, station_format in [
                ("whole.xlsx", [("1#", 12345, height(0), [top(0, 0)]), ("2#", 12346, height(0), [top(1, 0)])], WHOLE),
                ("fractional.xlsx", [("3#", 12345.678, height(0), [top(0, 0)]), ("4#", 345.5, height(0), [top(1, 0)])],
                 FRACTIONAL)]:
            book, fast = self.open(name)
            self.assertEqual(book.sheetnames, [TOPS], name)
            self.check_table(book, fast, TOPS, Table(TOP_CAPTION, rows, station_format, square=True))

    def test_plan_adds_the_stake_out_sheet(self):
        book, fast = self.open("plan.xlsx")
        self.assertEqual(book.sheetnames, [HEIGHTS, TOPS, STAKE_OUT])
        self.assertEqual(book.active.title, HEIGHTS)
        # Pedestals at -1.5, 0, 1.5; "A匝道1#墩" has mark Z; edge RI has no plane point. Column A holds the
        # longest name: 1 + 2 * 2 + 2 + 2 = 9 characters wide.
        piers = [("A匝道0#台", 150), ("A匝道1#墩", 175.25)]
        listed = [[0, 1, 2], [1, 2]]

        def rows(value):
            return [(n, s, None, [value(i, j) if j in listed[i] else None for j in range(3)])
                    for i, (n, s) in enumerate(piers)]

        self.check_table(book, fast, TOPS, Table(TOP_CAPTION, rows(top), FRACTIONAL, pier_width=9))
        self.check_table(book, fast, HEIGHTS,
                         Table(HEIGHT_CAPTION, rows(lambda i, j: height(j)), FRACTIONAL, pier_width=9))
        for ws in book.worksheets:
            self.check_print_setup(ws, SAMPLE_HEADER)

        ws = book[STAKE_OUT]
        with self.subTest(what="stake-out header"):
            self.assertEqual([ws.cell(1, c).value for c in range(1, 8)],
                             ["墩台号", "点号", "桩号", "偏距(m)", "坐标(m)", None, None])
            self.assertEqual([ws.cell(2, c).value for c in range(4, 8)], ["左正右负", "X", "Y", "Z"])
            self.assertEqual({str(m) for m in ws.merged_cells.ranges}, {"A1:A2", "B1:B2", "C1:C2", "E1:G1"})
            self.assertEqual(ws.column_dimensions["A"].width, stored_width(9))
        # The rows' values: StakeOutSheet's unit test, the shown text (check_shown_text.py) and the example
        # projects against their JSON (check_example_workbooks.py). Below the table a blank row and four notes.
        self.assertEqual(ws.max_row, 2 + 3 + 4 + 2 + 4 + 1 + 4)
        with self.subTest(what="stake-out notes"):
            self.assertEqual(ws.cell(16, 1).value, None)
            self.assertEqual(ws.cell(17, 1).value, "说明：")
            self.assertIsNone(ws.cell(18, 1).alignment.horizontal)  # general: left, running on to the right

    def test_each_calculation_of_one_run_writes_its_own_workbook(self):
        """The three example projects calculated one after another in one run (the main line twice): one file
        beside each layout, holding only that calculation's sheets and piers."""
        expected = {"mainline": [HEIGHTS, TOPS, STAKE_OUT], "interchange": [HEIGHTS, TOPS, STAKE_OUT],
                    "straight": [TOPS]}
        for example, sheets in expected.items():
            folder = OUT / "session" / example
            with self.subTest(example=example):
                self.assertEqual(sorted(p.name for p in folder.glob("*.xlsx")), ["bridge.xlsx"])
                book = load_workbook(folder / "bridge.xlsx")
                self.assertEqual(book.sheetnames, sheets)
                layout = (folder / "bridge.txt").read_bytes().decode("gbk").splitlines()
                piers = [line.split()[0] for line in layout[2:] if line.strip()]
                for ws in book.worksheets:
                    names = []  # the table's rows: down to the blank row before the stake-out sheet's notes
                    for r in range(3, ws.max_row + 1):
                        if ws.cell(r, 1).value is None:
                            break
                        names.append(ws.cell(r, 1).value)
                    self.assertEqual(sorted(set(names)), sorted(piers), ws.title)
                    self.check_print_setup(ws, ("垫石设置资料：bridge.txt", "道路资料：" + str(folder.resolve())))


def main():
    global SAMPLE, OUT
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    SAMPLE = sys.argv[1]
    with tempfile.TemporaryDirectory(prefix="tavrel-xlsx-") as scratch:
        OUT = Path(scratch)
        subprocess.run([SAMPLE, scratch], check=True)
        result = unittest.main(argv=[sys.argv[0], "-v"], exit=False).result
    sys.exit(0 if result.wasSuccessful() else 1)


if __name__ == "__main__":
    main()
