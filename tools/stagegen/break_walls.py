#!/usr/bin/python3
"""Turns one wall cell into a break box in stages that hold a bomb but no
break box: a cell the bomb could blow away, and one the stage cannot do
without (with that cell open the stage is unsolvable or longer), while the
shortest solution stays as long as it was. The player then has to keep the
bomb away from it. Stages with a copy box are left alone (a copy box that
hits a break box becomes one, not a wall).

usage: break_walls.py STAGE.txt...     (RARA3_SOLVE names the solver)
Rewrites each file it changes and names it on stdout.
"""
import os
import re
import subprocess
import sys
import tempfile


def moves(text, solver):
    with tempfile.NamedTemporaryFile("w", suffix=".txt", delete=False) as f:
        f.write(text)
        path = f.name
    try:
        out = subprocess.run([solver, path, "--max-states", "2000000"], capture_output=True, text=True).stdout
    finally:
        os.unlink(path)
    m = re.search(r"solved: (\d+) moves", out)
    if m:
        return int(m.group(1))
    return -1 if out.startswith("unsolvable") else None


def main():
    solver = os.environ.get("RARA3_SOLVE", "build/tools/solve/rara3-solve")
    for path in sys.argv[1:]:
        lines = open(path).read().split("\n")
        head = [l for l in lines if l.startswith(";")]
        rows = [list(l) for l in lines if l and not l.startswith(";")]
        cells = "".join("".join(r) for r in rows)
        if "B" not in cells or "%" in cells or "C" in cells:
            continue
        text = lambda g: "\n".join(head + ["".join(r) for r in g]) + "\n"
        base = moves(text(rows), solver)
        if not base or base < 0:
            continue
        done = False
        for y in range(1, 19):
            for x in range(1, 19):
                if rows[y][x] != "#" or done:
                    continue
                if not any(rows[y + dy][x + dx] not in "#" for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1))):
                    continue
                rows[y][x] = "."
                opened = moves(text(rows), solver)
                rows[y][x] = "%"
                if opened is None or (opened != -1 and opened <= base) or moves(text(rows), solver) != base:
                    rows[y][x] = "#"
                    continue
                done = True
        if done:
            with open(path + ".tmp", "w") as f:
                f.write(text(rows))
            os.replace(path + ".tmp", path)
            print(path)
    return 0


if __name__ == "__main__":
    sys.exit(main())
