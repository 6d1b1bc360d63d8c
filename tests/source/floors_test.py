#!/usr/bin/env python3
"""The engine's folders are floors: a folder includes only those on floors below
its own, never one beside or above it. The floors, from the ground up, are
written down here once; the README's tree section tells the same order.

    floors_test.py SRC_DIR
"""
import re
import sys
from pathlib import Path

FLOORS = [
    ["base"],
    ["resources"],
    ["pictures"],
    ["platform"],
    ["text", "music"],
    ["articles", "search"],
    ["widgets", "setup"],
    ["engine"],
]
FLOOR = {folder: level for level, folders in enumerate(FLOORS) for folder in folders}
TOP = len(FLOORS)  # the files beside the folders: main.cpp
INCLUDE = re.compile(r'^\s*#\s*include\s+"([^/"]+)/', re.M)


def climbs(src):
    """Every include of a folder not below the including file's own."""
    faults = []
    for path in sorted(src.rglob("*")):
        if path.suffix not in (".cpp", ".h"):
            continue
        parts = path.relative_to(src).parts
        own = parts[0] if len(parts) > 1 else None
        if own is not None and own not in FLOOR:
            faults.append(f"{path}: the folder {own} is on no floor")
            continue
        level = FLOOR[own] if own else TOP
        for folder in INCLUDE.findall(path.read_text(errors="replace")):
            if folder == own:
                continue
            if folder not in FLOOR:
                faults.append(f"{path}: includes {folder}/, which is on no floor")
            elif FLOOR[folder] >= level:
                faults.append(f"{path}: includes {folder}/, not below {own or 'the top'}")
    return faults


def main():
    faults = climbs(Path(sys.argv[1]))
    for fault in faults:
        print(fault)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
