#!/usr/bin/python3
"""Reads the sample workbooks back with openpyxl and checks what a spreadsheet user gets: sheet order and the
active sheet, captions, merges, values and the empty cells of the side rule, number formats, font, alignment,
borders, column widths and row heights.

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

    def __init__(self, caption, rows, station_format, square=False):
        self.caption = caption
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
            self.assertEqual(dims["A"].width, stored_width(6))
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

    def test_skew_pier_heights_in_front_of_top_elevations(self):
        book, fast = self.open("skew.xlsx")
        self.assertEqual(book.sheetnames, ["Sheet2", "Sheet1"])
        self.assertEqual(book.active.title, "Sheet2")
        # Pedestals at -1.5, 0, 1.5; marks ZY, Z (the first pedestal empty), Y (the last empty).
        listed = [[0, 1, 2], [1, 2], [0, 1]]
        piers = [("0#", 12345.678), ("1号墩", 12375.5), ("2#", 12405)]

        def rows(value):
            return [(n, s, None, [value(i, j) if j in listed[i] else None for j in range(3)])
                    for i, (n, s) in enumerate(piers)]

        self.check_table(book, fast, "Sheet1", Table(TOP_CAPTION, rows(top), FRACTIONAL))
        self.check_table(book, fast, "Sheet2", Table(HEIGHT_CAPTION, rows(lambda i, j: height(j)), FRACTIONAL))

    def test_square_pier_one_table_with_the_height_column(self):
        book, fast = self.open("square.xlsx")
        self.assertEqual(book.sheetnames, ["Sheet1"])
        self.assertEqual(book.active.title, "Sheet1")
        # Pedestals at -3, -1, 1, 3; "P1" has mark Y.
        rows = [("A0", 500, height(0), [top(0, j) for j in range(4)]),
                ("P1", 530, height(0), [top(1, 0), top(1, 1), None, None])]
        self.check_table(book, fast, "Sheet1", Table(TOP_CAPTION, rows, WHOLE, square=True))

    def test_two_calculations_in_one_session(self):
        book, fast = self.open("stations.xlsx")
        self.assertEqual(book.sheetnames, ["Sheet2", "Sheet1"])
        self.assertEqual(book.active.title, "Sheet2")
        earlier = [("1#", 12345, height(0), [top(0, 0)]), ("2#", 12346, height(0), [top(1, 0)])]
        later = [("3#", 12345.678, height(0), [top(0, 0)]), ("4#", 345.5, height(0), [top(1, 0)])]
        self.check_table(book, fast, "Sheet1", Table(TOP_CAPTION, earlier, WHOLE, square=True))
        self.check_table(book, fast, "Sheet2", Table(TOP_CAPTION, later, FRACTIONAL, square=True))


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
