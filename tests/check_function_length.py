#!/usr/bin/env python3
"""Fails when a function under the given folders is longer than 80 lines (universal-ctags finds the functions)."""
import json
import subprocess
import sys

LIMIT = 80
folders = sys.argv[1:]
out = subprocess.run(["ctags", "--languages=C++", "--kinds-C++=f", "--fields=+ne", "--output-format=json",
                      "--sort=no", "-R", "-o", "-", *folders], capture_output=True, text=True, check=True).stdout
long_ones = []
for line in out.splitlines():
    tag = json.loads(line)
    if tag.get("_type") != "tag" or "end" not in tag:
        continue
    length = tag["end"] - tag["line"] + 1
    if length > LIMIT:
        long_ones.append((length, f'{tag["path"]}:{tag["line"]}: {tag.get("scope", "")}::{tag["name"]} has {length} lines'))
for _, text in sorted(long_ones, reverse=True):
    print(text)
print(f"{len(long_ones)} function(s) over {LIMIT} lines" if long_ones else f"every function has at most {LIMIT} lines")
sys.exit(1 if long_ones else 0)
