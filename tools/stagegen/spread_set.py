#!/usr/bin/python3
"""Moves whole stages across the board so that their playing areas overlap
less: each stage after the tutorial, in turn, goes to the place (a shift of
its every cell, the ring aside) where its area's bounding box overlaps the
other stages' the least, summed over the set; the nearest such place when
several tie. A shift changes nothing in play: the moves of a solution stay
the same moves. One pass; a second one moves hardly anything.

usage: spread_set.py STAGES_DIR [--first 11]
Rewrites each stage file it moves and names it on stdout.
"""
import argparse
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from measure_set import box_iou  # noqa: E402

SIZE = 20


def read(path):
    lines = open(path).read().split("\n")
    head = [l for l in lines if l.startswith(";")]
    rows = [list(l) for l in lines if l and not l.startswith(";")]
    if len(rows) != SIZE or any(len(r) != SIZE for r in rows):
        sys.exit("%s: not a 20 x 20 stage" % path)
    return head, rows


def area_box(rows):
    """The bounding box (x0, y0, x1, y1) of the cells joined to the player's
    through anything but solid boxes: what the measure calls the area."""
    start = next((x, y) for y in range(SIZE) for x in range(SIZE) if rows[y][x] == "@")
    seen = {start}
    stack = [start]
    while stack:
        x, y = stack.pop()
        for nx, ny in ((x + 1, y), (x - 1, y), (x, y + 1), (x, y - 1)):
            if 0 <= nx < SIZE and 0 <= ny < SIZE and (nx, ny) not in seen and rows[ny][nx] != "#":
                seen.add((nx, ny))
                stack.append((nx, ny))
    xs = [p[0] for p in seen]
    ys = [p[1] for p in seen]
    return (min(xs), min(ys), max(xs), max(ys))


def cells_box(rows):
    """The bounding box of every cell that is not a solid box: the part a
    shift has to keep inside the ring."""
    cells = [(x, y) for y in range(SIZE) for x in range(SIZE) if rows[y][x] != "#"]
    return (min(c[0] for c in cells), min(c[1] for c in cells),
            max(c[0] for c in cells), max(c[1] for c in cells))


def shifted(rows, dx, dy):
    out = [["#"] * SIZE for _ in range(SIZE)]
    for y in range(1, SIZE - 1):
        for x in range(1, SIZE - 1):
            if rows[y][x] != "#":
                out[y + dy][x + dx] = rows[y][x]
    return out


def best_shift(rows, others):
    a = area_box(rows)
    c = cells_box(rows)
    best = None
    for dx in range(1 - c[0], SIZE - 2 - c[2] + 1):
        for dy in range(1 - c[1], SIZE - 2 - c[3] + 1):
            box = (a[0] + dx, a[1] + dy, a[2] + dx, a[3] + dy)
            # Rounded so that float noise never decides between equal places.
            key = (round(sum(box_iou(box, o) for o in others), 9), abs(dx) + abs(dy), dx, dy)
            if best is None or key < best[0]:
                best = (key, dx, dy)
    return best[1], best[2]


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("stages")
    ap.add_argument("--first", type=int, default=11)
    args = ap.parse_args()
    names = sorted(n for n in os.listdir(args.stages) if n.endswith(".txt") and n[:-4].isdigit())
    stages = [read(os.path.join(args.stages, n)) for n in names]
    boxes = [area_box(rows) for _, rows in stages]
    for i, name in enumerate(names):
        if int(name[:-4]) < args.first:
            continue
        head, rows = stages[i]
        dx, dy = best_shift(rows, boxes[:i] + boxes[i + 1:])
        if dx == 0 and dy == 0:
            continue
        rows = shifted(rows, dx, dy)
        stages[i] = (head, rows)
        boxes[i] = area_box(rows)
        with open(os.path.join(args.stages, name), "w") as f:
            f.write("\n".join(head + ["".join(r) for r in rows]) + "\n")
        print("%s moved %+d, %+d" % (name, dx, dy))
    return 0


if __name__ == "__main__":
    sys.exit(main())
