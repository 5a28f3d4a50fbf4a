#!/usr/bin/env python3
"""Fails when a source file includes a header of a higher floor (the floors are listed in src/floors.txt)."""
import re
import sys
from pathlib import Path

src = Path(sys.argv[1])


def read_floors(path):
    floors = {}
    for line in path.read_text(encoding="utf-8").splitlines():
        line = line.split("#", 1)[0].split()
        if not line:
            continue
        level, folders = int(line[0]), line[1:]
        for folder in folders:
            floors[folder] = level
    return floors


def floor_of(floors, relative):
    """The floor of the longest listed folder that contains `relative` (a path under src/)."""
    parts = Path(relative).parts
    for n in range(len(parts) - 1, 0, -1):
        folder = "/".join(parts[:n])
        if folder in floors:
            return folder, floors[folder]
    return None, None


floors = read_floors(src / "floors.txt")
include = re.compile(r'^\s*#\s*include\s+"([^"]+)"')
problems = []
for file in sorted(p for p in src.rglob("*") if p.suffix in {".h", ".cpp"}):
    rel = file.relative_to(src).as_posix()
    folder, level = floor_of(floors, rel)
    if folder is None:
        problems.append(f"{rel}: its folder is on no floor of src/floors.txt")
        continue
    for number, text in enumerate(file.read_text(encoding="utf-8").splitlines(), 1):
        m = include.match(text)
        if not m:
            continue
        target = m.group(1)
        if "/" not in target:
            continue  # a header beside the file
        to_folder, to_level = floor_of(floors, target)
        if to_folder is None:
            problems.append(f"{rel}:{number}: includes {target}, whose folder is on no floor")
        elif to_level > level:
            problems.append(f"{rel}:{number}: {folder} (floor {level}) includes {target} ({to_folder}, floor {to_level})")

for p in problems:
    print(p)
print(f"{len(problems)} upward include(s)" if problems else "every include stays on its floor or goes lower")
sys.exit(1 if problems else 0)
