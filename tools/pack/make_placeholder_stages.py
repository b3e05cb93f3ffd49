#!/usr/bin/python3
"""Writes the placeholder stages assets/stages/001.txt .. 100.txt.

They let the build pack a data file before the real stage set exists. Each
is an open floor inside a closed ring of solid boxes, with the player, the
exit and two pair boxes in one line: one push brings the pairs together and
opens the exit. The same numbers always give the same stages.

    /usr/bin/python3 tools/pack/make_placeholder_stages.py [OUTDIR]
"""

import os
import sys

SIZE = 20
COMMENT = "; placeholder stage - replaced by the real stage set"


def numbers(stage):
    """A few small numbers derived from the stage number alone."""
    h = (stage * 2654435761) & 0xFFFFFFFF
    out = []
    for _ in range(6):
        h = (h * 1103515245 + 12345) & 0xFFFFFFFF
        out.append(h >> 16)
    return out


def stage_rows(stage):
    grid = [["." for _ in range(SIZE)] for _ in range(SIZE)]
    for i in range(SIZE):
        grid[0][i] = grid[SIZE - 1][i] = grid[i][0] = grid[i][SIZE - 1] = "#"

    n = numbers(stage)
    line = 2 + n[0] % 16        # the row (or column) of the push, 2..17
    first = 3 + n[1] % 6        # the pushed pair box, 3..8
    second = first + 2 + n[2] % (SIZE - 3 - first)  # its partner, up to 18
    exit_line = 1 + n[3] % 18
    if exit_line == line:
        exit_line = 1 + (exit_line + 8) % 18
    exit_pos = 1 + n[4] % 18

    # (along, across) cells; odd stages push along a row, even ones down a column.
    cells = {(first - 1, line): "@", (first, line): "P", (second, line): "P",
             (exit_pos, exit_line): "E"}
    for (along, across), c in cells.items():
        if stage % 2:
            grid[across][along] = c
        else:
            grid[along][across] = c
    return ["".join(row) for row in grid]


def main():
    root = os.path.dirname(os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(root, "assets", "stages")
    os.makedirs(out_dir, exist_ok=True)
    for stage in range(1, 101):
        text = COMMENT + "\n" + "\n".join(stage_rows(stage)) + "\n"
        with open(os.path.join(out_dir, "%03d.txt" % stage), "w", newline="\n") as f:
            f.write(text)


if __name__ == "__main__":
    main()
