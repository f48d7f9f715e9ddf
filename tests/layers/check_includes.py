#!/usr/bin/env python3
"""The floors of the product code, checked over its #include lines.

Each folder may include its own files and the folders on the floors below
it, never a folder on its own floor or above. Fails (exit 1) naming every
include that goes against the floors, and every group of files that include
each other in a circle (a .cpp and its .h count as one file).
Usage: check_includes.py SOURCE_DIR
"""
import os
import re
import sys

# Bottom up; the README's "Layout" draws the same floors.
FLOORS = [
    ["mathlib", "text"],
    ["platform"],
    ["eval"],
    ["session"],
    ["shell/native", "shell/win32"],
]
FLOOR = {folder: n for n, folders in enumerate(FLOORS) for folder in folders}
INCLUDE = re.compile(r'\s*#\s*include\s+"([^"]+)"')


def folder_of(path):
    """The floor folder a path lies in (the longest match), or None."""
    best = None
    for folder in FLOOR:
        if path.startswith(folder + "/") and (best is None or len(folder) > len(best)):
            best = folder
    return best


def product_files(root):
    """Every .cpp and .h under the floor folders."""
    for folder in FLOOR:
        for base, _, names in os.walk(os.path.join(root, folder)):
            for name in sorted(names):
                if name.endswith((".cpp", ".h")):
                    yield os.path.relpath(os.path.join(base, name), root)


def circles(edges):
    """The groups of more than one file that reach each other (Tarjan)."""
    index, low, stack, on, found = {}, {}, [], set(), []

    def visit(v):
        index[v] = low[v] = len(index)
        stack.append(v)
        on.add(v)
        for w in sorted(edges.get(v, ())):
            if w not in index:
                visit(w)
                low[v] = min(low[v], low[w])
            elif w in on:
                low[v] = min(low[v], index[w])
        if low[v] == index[v]:
            group = []
            while True:
                w = stack.pop()
                on.discard(w)
                group.append(w)
                if w == v:
                    break
            if len(group) > 1:
                found.append(sorted(group))

    sys.setrecursionlimit(10000)
    for v in sorted(edges):
        if v not in index:
            visit(v)
    return found


def main():
    root = sys.argv[1] if len(sys.argv) > 1 else "."
    against, edges = [], {}
    for path in sorted(set(product_files(root))):
        here = folder_of(path)
        unit = os.path.splitext(path)[0]
        with open(os.path.join(root, path), encoding="utf-8") as source:
            for number, line in enumerate(source, 1):
                match = INCLUDE.match(line)
                if not match:
                    continue
                target = match.group(1)
                there = folder_of(target)
                if there is None:
                    continue
                if there != here and FLOOR[there] >= FLOOR[here]:
                    against.append(f"{path}:{number}: {here}/ includes {target}")
                other = os.path.splitext(target)[0]
                if other != unit:
                    edges.setdefault(unit, set()).add(other)
    for line in against:
        print("against the floors:", line)
    for group in circles(edges):
        print("files in a circle:", " ".join(group))
    failed = against or circles(edges)
    print("includes:", "FAIL" if failed else "ok")
    return 1 if failed else 0


if __name__ == "__main__":
    sys.exit(main())
