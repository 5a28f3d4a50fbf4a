#!/usr/bin/python3
"""Prints the 40-pier x 8-pedestal sample workbooks through a real spreadsheet program (LibreOffice, headless, to
PDF) and reads every page back with pdftotext: each page is A4 landscape, repeats the header rows, shows the
pier and station columns beside every pier name, carries the page header naming the layout file and the road
folder and the footer "第 n 页 共 N 页"; and the table is one page wide (no page holds only pedestal columns).

Usage: check_printed_pages.py SAMPLE_PROGRAM   (tavrel_xlsx_sample)
Exits 77 (reported as skipped) only when LibreOffice or pdftotext is not installed (scripts/setup.sh installs
libreoffice-calc and poppler-utils).
"""
import os
import re
import shutil
import subprocess
import sys
import tempfile
from pathlib import Path

SKIPPED = 77
A4_LANDSCAPE = (842, 595)  # points, as pdfinfo reports them (rounded)
PIER = re.compile(r"A匝道\d+#墩")
STATION = re.compile(r"K\d+\+\d{3}\.\d{3}")
PIERS = 40


def page_count(pdf):
    info = subprocess.run(["pdfinfo", str(pdf)], check=True, capture_output=True, text=True).stdout
    return int(re.search(r"^Pages:\s+(\d+)", info, re.M).group(1))


def page_size(pdf, page):
    info = subprocess.run(["pdfinfo", "-f", str(page), "-l", str(page), str(pdf)], check=True, capture_output=True,
                          text=True).stdout
    w, h = re.search(rf"^Page\s+{page} size:\s+([\d.]+) x ([\d.]+)", info, re.M).groups()
    return round(float(w)), round(float(h))


def page_text(pdf, page):
    return subprocess.run(["pdftotext", "-layout", "-f", str(page), "-l", str(page), str(pdf), "-"], check=True,
                          capture_output=True, text=True).stdout


def check_book(pdf, tables):
    """tables: the group captions of the pedestal tables in sheet order; the stake-out sheet follows them."""
    failures = []
    pages = page_count(pdf)
    seen = {}  # pier name -> pages it is on
    for page in range(1, pages + 1):
        text = page_text(pdf, page)
        where = f"{pdf.name} page {page}"
        if page_size(pdf, page) != A4_LANDSCAPE:
            failures.append(f"{where}: not A4 landscape: {page_size(pdf, page)}")
        for needed in ("墩台号", "桩号", "垫石设置资料：bridge.txt", "道路资料：/projects/大桥",
                       f"第 {page} 页 共 {pages} 页"):
            if needed not in text:
                failures.append(f"{where}: no {needed!r}")
        if not any(caption in text for caption in tables + ["坐标"]):
            failures.append(f"{where}: no table caption (header rows not repeated)")
        rows = [line for line in text.splitlines() if PIER.search(line)]
        if not rows:
            failures.append(f"{where}: no pier rows")
        for line in rows:
            if not STATION.search(line):
                failures.append(f"{where}: a pier row without its station: {line.strip()!r}")
            seen.setdefault(PIER.search(line).group(0), set()).add(page)
    if len(seen) != PIERS:
        failures.append(f"{pdf.name}: {len(seen)} of {PIERS} piers printed")
    print(f"{pdf.name}: {pages} pages")
    return failures


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    soffice = shutil.which("soffice")
    if not soffice or not shutil.which("pdftotext"):
        print("SKIPPED: LibreOffice (soffice) or pdftotext is not installed on this machine; scripts/setup.sh "
              "installs them (apt-get install -y --no-install-recommends libreoffice-calc poppler-utils)")
        return SKIPPED
    with tempfile.TemporaryDirectory(prefix="tavrel-printed-") as scratch:
        scratch = Path(scratch)
        subprocess.run([sys.argv[1], str(scratch)], check=True)
        # A profile of its own: concurrent runs sharing one lose their output.
        profile = scratch / "profile"
        env = {k: v for k, v in os.environ.items() if k != "DISPLAY"}
        subprocess.run([soffice, f"-env:UserInstallation={profile.as_uri()}", "--headless", "--norestore",
                        "--convert-to", "pdf", "--outdir", str(scratch / "pdf"),
                        str(scratch / "big.xlsx"), str(scratch / "big-square.xlsx")],
                       check=True, env=env, stdout=subprocess.DEVNULL, timeout=300)
        failures = []
        for name, tables in (("big.pdf", ["垫石号及垫石高度", "垫石号及垫石顶面高程"]),
                             ("big-square.pdf", ["垫石号及垫石顶面高程"])):
            pdf = scratch / "pdf" / name
            # soffice exits 0 even when it could not read the file: a missing output is the failure.
            if not pdf.exists():
                failures.append(f"{name} was not written")
                continue
            failures += check_book(pdf, tables)
        for f in failures:
            print("FAIL:", f)
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
