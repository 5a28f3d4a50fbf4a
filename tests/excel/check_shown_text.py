#!/usr/bin/python3
"""Opens the sample workbooks in a real spreadsheet program (LibreOffice, headless) and checks the text it shows:
stations as K12+345.678 / K12+345 / K0+345.500, values and coordinates to three decimals, empty cells of the side
rule and of edge points without a plane point.

Usage: check_shown_text.py SAMPLE_PROGRAM   (tavrel_xlsx_sample)
Exits 77 (reported as skipped) only when LibreOffice is not installed (scripts/setup.sh installs it).
"""
import csv
import os
import shutil
import subprocess
import sys
import tempfile
from pathlib import Path

SKIPPED = 77
# CSV export: comma, double quote, UTF-8, cells as shown (9th token), every sheet into its own file (12th).
CSV_FILTER = "csv:Text - txt - csv (StarCalc):44,34,76,1,,1033,false,true,true,false,false,-1"

# What the user sees, sheet by sheet. The numbers are those of SampleResults.h.
EXPECTED = {
    # Whole stations only: whole metres.
    "whole-垫石顶面高程.csv": [
        ["墩台号", "桩号", "垫石高度", "垫石号及垫石顶面高程"],
        ["", "", "", "1"],
        ["1#", "K12+345", "1.500", "100.000"],
        ["2#", "K12+346", "1.500", "101.000"],
    ],
    # One fractional station switches the column to millimetres; short stations keep three metre digits.
    "fractional-垫石顶面高程.csv": [
        ["墩台号", "桩号", "垫石高度", "垫石号及垫石顶面高程"],
        ["", "", "", "1"],
        ["3#", "K12+345.678", "1.500", "100.000"],
        ["4#", "K0+345.500", "1.500", "101.000"],
    ],
    # Side marks ZY, Z and Y over pedestals at -1.5, 0, 1.5.
    "skew-垫石顶面高程.csv": [
        ["墩台号", "桩号", "垫石号及垫石顶面高程", "", ""],
        ["", "", "1", "2", "3"],
        ["0#", "K12+345.678", "100.000", "100.100", "100.200"],
        ["1号墩", "K12+375.500", "", "101.100", "101.200"],
        ["2#", "K12+405.000", "102.000", "102.100", ""],
    ],
    # Pedestals at -1.5, 0, 1.5, the second pier with mark Z; edge RI without a plane point. Z: top elevations of
    # the pedestals, the deck elevations of the edges; then the notes.
    "plan-垫石坐标.csv": [
        ["墩台号", "点号", "桩号", "偏距(m)", "坐标(m)", "", ""],
        ["", "", "", "左正右负", "X", "Y", "Z"],
        ["A匝道0#台", "1", "K0+150.000", "-1.500", "3345000.123", "512000.568", "100.000"],
        ["A匝道0#台", "2", "K0+151.000", "0.000", "3345001.123", "511999.568", "100.100"],
        ["A匝道0#台", "3", "K0+152.000", "1.500", "3345002.123", "511998.568", "100.200"],
        ["A匝道0#台", "LO", "K0+148.000", "7.500", "3345500.250", "512500.750", "200.000"],
        ["A匝道0#台", "LI", "K0+149.000", "2.250", "3345501.250", "512501.750", "200.100"],
        ["A匝道0#台", "RI", "K0+150.000", "-3.000", "", "", "200.200"],
        ["A匝道0#台", "RO", "K0+151.000", "-8.250", "3345503.250", "512503.750", "200.300"],
        ["A匝道1#墩", "2", "K0+176.250", "0.000", "3345011.123", "512009.568", "101.100"],
        ["A匝道1#墩", "3", "K0+177.250", "1.500", "3345012.123", "512008.568", "101.200"],
        ["A匝道1#墩", "LO", "K0+173.250", "7.500", "3345510.250", "512510.750", "201.000"],
        ["A匝道1#墩", "LI", "K0+174.250", "2.250", "3345511.250", "512511.750", "201.100"],
        ["A匝道1#墩", "RI", "K0+175.250", "-3.000", "", "", "201.200"],
        ["A匝道1#墩", "RO", "K0+176.250", "-8.250", "3345513.250", "512513.750", "201.300"],
        ["", "", "", "", "", "", ""],
        ["说明：", "", "", "", "", "", ""],
        ["1. 偏距为点到路线中线的垂距，中线左侧为正、右侧为负。", "", "", "", "", "", ""],
        ["2. X 向北、Y 向东；Z 为高程：垫石点为垫石顶面高程，边线点为该点的桥面高程。", "", "", "", "", "", ""],
        ["3. LO、RO：墩台轴线与桥面左、右外边线的交点；LI、RI：与中央带左、右边线的交点。", "", "", "", "", "", ""],
    ],
}


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    soffice = shutil.which("soffice")
    if not soffice:
        print("SKIPPED: LibreOffice (soffice) is not installed on this machine; scripts/setup.sh installs it "
              "(apt-get install -y --no-install-recommends libreoffice-calc)")
        return SKIPPED
    with tempfile.TemporaryDirectory(prefix="tavrel-shown-") as scratch:
        scratch = Path(scratch)
        subprocess.run([sys.argv[1], str(scratch)], check=True)
        # A profile of its own: concurrent runs sharing one lose their output.
        profile = scratch / "profile"
        env = {k: v for k, v in os.environ.items() if k != "DISPLAY"}
        subprocess.run([soffice, f"-env:UserInstallation={profile.as_uri()}", "--headless", "--norestore",
                        "--convert-to", CSV_FILTER, "--outdir", str(scratch / "csv"),
                        *(str(scratch / name) for name in ("whole.xlsx", "fractional.xlsx", "skew.xlsx", "plan.xlsx"))],
                       check=True, env=env, stdout=subprocess.DEVNULL, timeout=300)
        failures = 0
        for name, expected in EXPECTED.items():
            path = scratch / "csv" / name
            # soffice exits 0 even when it could not read the file: a missing output is the failure.
            if not path.exists():
                print(f"FAIL: {name} was not written")
                failures += 1
                continue
            with open(path, encoding="utf-8", newline="") as f:
                shown = list(csv.reader(f))
            if shown != expected:
                print(f"FAIL: {name}\n  shown:    {shown}\n  expected: {expected}")
                failures += 1
            else:
                print(f"ok: {name}")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
