#!/usr/bin/env python3
"""tighten.py --smooth straightens an outline only where the shortest
solution does not notice: a notch nobody walks into is filled, a wall stub
the pair box stops against stays.

Usage: smooth_test.py RARA3_SOLVE TIGHTEN_PY
"""
import os
import subprocess
import sys
import tempfile

solver, tighten = sys.argv[1], sys.argv[2]


def board(rows):
    """A 20 x 20 stage: the rows given from row 5 on, at column 6, in wall."""
    grid = ["#" * 20 for _ in range(20)]
    for i, row in enumerate(rows):
        grid[5 + i] = "#" * 6 + row + "#" * (14 - len(row))
    return "; Fixture\n; A pair box run right above its partner.\n" + "\n".join(grid) + "\n"


# (what it shows, the room before, the room expected after)
CASES = [
    ("a notch the solution never touches is filled",
     ["......", "@P....", ".....P", ".......", "E....."],
     ["......", "@P....", ".....P", "......", "E....."]),
    ("the stub the pair box stops against stays",
     ["........", "@P....#.", ".....P..", "........", "E......."],
     ["........", "@P....#.", ".....P..", "........", "E......."]),
]

failed = 0
with tempfile.TemporaryDirectory() as tmp:
    path = os.path.join(tmp, "stage.txt")
    for what, before, after in CASES:
        with open(path, "w") as f:
            f.write(board(before))
        run = subprocess.run([sys.executable, tighten, "--smooth", path], capture_output=True, text=True,
                             env=dict(os.environ, RARA3_SOLVE=solver))
        with open(path) as f:
            got = f.read()
        if run.returncode != 0 or got != board(after):
            failed += 1
            print("FAIL: %s\n%s%s\ngot:\n%s" % (what, run.stdout, run.stderr, got))
        else:
            print("ok: %s" % what)
sys.exit(1 if failed else 0)
