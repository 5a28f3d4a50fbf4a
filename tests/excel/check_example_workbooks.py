#!/usr/bin/python3
"""Runs the batch front end on the three example projects with --json and --xlsx in one run each, reads the
workbook back with openpyxl and checks it against the JSON of the same run: the sheets of that calculation only,
every listed table value, and the stake-out sheet's pier names, pedestal numbers, stations, offsets, plane
coordinates and elevations of every pedestal and edge point, and its notes.

Usage: check_example_workbooks.py TAVREL_CLI EXAMPLES_FOLDER
"""
import json
import math
import subprocess
import sys
import tempfile
import unittest
import unicodedata
from pathlib import Path

from openpyxl import load_workbook

CLI = None
EXAMPLES = None
HEIGHTS, TOPS, STAKE_OUT = "垫石高度", "垫石顶面高程", "垫石坐标"
EDGES = ["LO", "LI", "RI", "RO"]
RUNS = {
    "straight": ["--dl", "straight/road.dl", "--zdm", "straight/road.zdm", "--cg", "straight/road.cg",
                 "--layout", "straight/bridge.txt"],
    "mainline": ["--jdx", "mainline/road.jdx", "--dl", "mainline/road.dl", "--zdm", "mainline/road.zdm",
                 "--cg", "mainline/road.cg", "--layout", "mainline/bridge.txt"],
    "interchange": ["--jdx", "interchange/ramp.jdx", "--zdm", "interchange/ramp.zdm", "--cg", "interchange/ramp.cg",
                    "--layout", "interchange/bridge.txt"],
}


def k_text(station):
    mm = round(abs(station) * 1000)
    return f"{'-' if station < 0 and mm else ''}K{mm // 1000000}+{mm // 1000 % 1000:03d}.{mm % 1000:03d}"


def edge_offsets(name):
    """The offsets of LO, LI, RI, RO from the first line of the example's superelevation file."""
    cg = next(EXAMPLES / a for a in RUNS[name] if a.endswith(".cg"))
    left_sloped, left, right, right_sloped = (float(v) for v in cg.read_text(encoding="ascii").splitlines()[0].split(","))
    return [left_sloped + left, left, right, right + right_sloped]


def lists(mark, distance):
    return mark == "ZY" or (mark == "Z" and distance >= 0) or (mark == "Y" and distance <= 0)


def display_width(text):
    return sum(2 if unicodedata.east_asian_width(c) in "WF" else 1 for c in text)


def stored_width(characters):
    return math.floor((characters * 7 + 5) / 7 * 256) / 256


class ExampleWorkbooks(unittest.TestCase):
    def run_example(self, name, scratch):
        args = [CLI, "calc", "--mode", name]
        for a in RUNS[name]:
            args.append(str(EXAMPLES / a) if "/" in a else a)
        xlsx = scratch / f"{name}.xlsx"
        out = subprocess.run(args + ["--json", "-", "--xlsx", str(xlsx)], check=True, capture_output=True, text=True)
        return json.loads(out.stdout), load_workbook(xlsx)

    def close(self, a, b, where):
        self.assertTrue(a is not None and math.isclose(a, b, rel_tol=1e-12, abs_tol=1e-12), (where, a, b))

    def check_tables(self, result, book):
        square = result["skewAngle"] == 90
        self.assertEqual(book.sheetnames[:1 if square else 2], [TOPS] if square else [HEIGHTS, TOPS])
        c0 = 3 if square else 2
        for sheet, key in ([(TOPS, "topElevation")] if square else [(HEIGHTS, "height"), (TOPS, "topElevation")]):
            ws = book[sheet]
            longest = max(display_width(p["pierName"]) for p in result["piers"])
            self.assertEqual(ws.column_dimensions["A"].width, stored_width(max(6, longest)), sheet)
            for i, pier in enumerate(result["piers"]):
                r = i + 3
                self.assertEqual(ws.cell(r, 1).value, pier["pierName"])
                self.close(ws.cell(r, 2).value, pier["referenceNominalStation"], (sheet, r))
                for j, (d, p) in enumerate(zip(result["pedestalDistances"], pier["pedestals"])):
                    v = ws.cell(r, c0 + 1 + j).value
                    if lists(pier["sideMark"], d):
                        self.close(v, p[key], (sheet, r, j))
                    else:
                        self.assertIsNone(v, (sheet, r, j))
            self.assertEqual(ws.max_row, len(result["piers"]) + 2)

    def check_stake_out(self, result, ws, edge_offsets):
        expected = []
        for pier in result["piers"]:
            for k, (d, p) in enumerate(zip(result["pedestalDistances"], pier["pedestals"])):
                if lists(pier["sideMark"], d):
                    expected.append((pier["pierName"], k + 1, k_text(p["nominalStation"]), p["offset"], p["x"], p["y"],
                                     p["topElevation"]))
            for e, offset in zip(EDGES, edge_offsets):
                edge = pier["section"]["edges"][e]
                expected.append((pier["pierName"], e, k_text(edge["nominalStation"]), offset, edge["x"], edge["y"],
                                 edge["elevation"]))
        last = len(expected) + 2
        for r, row in enumerate(expected, start=3):
            got = [ws.cell(r, c).value for c in range(1, 8)]
            self.assertEqual(got[:3], list(row[:3]), r)
            for c in range(3, 7):
                if row[c] is None:
                    self.assertIsNone(got[c], (r, c))
                else:
                    self.close(got[c], row[c], (r, c))
        # A blank row, then the notes (no chain marks in the examples: four lines).
        self.assertIsNone(ws.cell(last + 1, 1).value)
        self.assertEqual(ws.cell(last + 2, 1).value, "说明：")
        self.assertEqual(ws.max_row, last + 5)

    def test_examples(self):
        with tempfile.TemporaryDirectory(prefix="tavrel-examples-") as scratch:
            for name in RUNS:
                with self.subTest(example=name):
                    result, book = self.run_example(name, Path(scratch))
                    self.check_tables(result, book)
                    has_plan = name != "straight"
                    self.assertEqual(STAKE_OUT in book.sheetnames, has_plan)
                    if has_plan:
                        self.assertEqual(book.sheetnames[-1], STAKE_OUT)
                        self.check_stake_out(result, book[STAKE_OUT], edge_offsets(name))
                    for ws in book.worksheets:
                        self.assertEqual(ws.oddHeader.left.text, "垫石设置资料：bridge.txt", ws.title)
                        self.assertEqual(ws.oddHeader.right.text, "道路资料：" + str((EXAMPLES / name).resolve()))


def main():
    global CLI, EXAMPLES
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    CLI, EXAMPLES = sys.argv[1], Path(sys.argv[2])
    result = unittest.main(argv=[sys.argv[0], "-v"], exit=False).result
    sys.exit(0 if result.wasSuccessful() else 1)


if __name__ == "__main__":
    main()
