#!/usr/bin/python3
"""The curriculum of a stage set, read off its shortest solutions: what each
box kind is used for in each stage (a stop, a door, a partner maker, ...),
which stage uses a use first, and one row per stage after the tutorial with
its uses and what is new in it. Markdown on stdout.

usage: curriculum.py MEASURES.jsonl [--stages assets/stages]

MEASURES.jsonl is the output of rara3-solve --measure (light is enough): the
story of each solution, one line per push, "kind D ... (x,y)->(x,y)".
"""
import argparse
import json
import os
import re
import sys

CHARS = ".P%VTSC#B@E"
WORDS = ["empty", "pair", "break", "vanish", "step", "slide", "copy", "solid", "bomb", "player", "exit"]
BOX = {"pair", "break", "vanish", "step", "slide", "copy", "bomb"}
STEP = {"D": (0, 1), "L": (-1, 0), "R": (1, 0), "U": (0, -1)}
NAME = {"pair": "pair box", "break": "break box", "vanish": "vanish box", "step": "step box",
        "slide": "slide box", "copy": "copy box", "bomb": "bomb"}

# The uses, in the order a player meets them; their words in the tables.
USES = [
    ("pair", "run", "a pair box run to its partner"),
    ("break", "stop", "a break box as a fixed stop"),
    ("break", "door", "a break box as a door a bomb opens"),
    ("vanish", "stop", "a vanish box as a stop"),
    ("vanish", "clear", "a vanish box blinked out of the way"),
    ("vanish", "temporary", "a vanish box as a stop, then cleared"),
    ("step", "stop", "a step box as a stop"),
    ("step", "step", "a step box moved a precise cell or two"),
    ("step", "walk", "a step box walked three cells or more"),
    ("slide", "stop", "a slide box as a stop where it stands"),
    ("slide", "placed", "a slide box sent to be a stop"),
    ("slide", "clear", "a slide box sent out of the way"),
    ("copy", "partner", "a copy box as a partner maker"),
    ("copy", "wall", "a copy box as a wall maker"),
    ("copy", "bomb", "a copy box turned bomb"),
    ("copy", "other", "a copy box turned some other box"),
    ("copy", "stop", "a copy box as a stop"),
    ("bomb", "stop", "a bomb as a stop where it stands"),
    ("bomb", "placed", "a bomb sent to be a stop"),
    ("bomb", "blast", "a bomb blasting a box out of the way"),
    ("bomb", "chain", "a bomb blowing up another bomb"),
    ("bomb", "clear", "a bomb moved out of the way"),
]
USE_TEXT = {(k, u): t for k, u, t in USES}
LINE = re.compile(r"^(\w+) ([DLRU])(.*)\((\d+),(\d+)\)->\((\d+),(\d+)\)$")


def read_grid(path):
    rows = [l for l in open(path).read().split("\n") if l and not l.startswith(";")]
    return {(x, y): WORDS[CHARS.index(c)] for y, r in enumerate(rows[:20]) for x, c in enumerate(r)}


def uses_of(grid, story):
    """The uses a solution makes of its boxes, replayed from its story."""
    ident = {c: i for i, c in enumerate(sorted(c for c, k in grid.items() if k in BOX))}
    kind_of = {i: grid[c] for c, i in ident.items()}
    at = dict(ident)  # cell -> box id
    pushes = {}  # box id -> pushes
    moved_then_hit = set()
    uses = set()
    for line in story:
        m = LINE.match(line)
        if not m:
            continue
        kind, d, rest = m.group(1), m.group(2), m.group(3)
        tx, ty, ex, ey = map(int, m.group(4, 5, 6, 7))
        dx, dy = STEP[d]
        who = at.pop((tx, ty), None)
        stopper_cell = (ex + dx, ey + dy)
        hit = at.get(stopper_cell)
        if hit is not None and "blasts" not in rest and kind_of[hit] != "pair":
            hk = kind_of[hit]
            uses.add((hk, "stop") if hit not in pushes else
                     (hk, "placed") if hk in ("slide", "bomb") else (hk, "stop"))
            if hk == "vanish" and hit in pushes:
                uses.add(("vanish", "stop"))
            moved_then_hit.add(hit)
        if who is not None:
            pushes[who] = pushes.get(who, 0) + 1
        if "vanishes" in rest:
            if who is not None and who in moved_then_hit:
                uses.add(("vanish", "temporary"))
            else:
                uses.add(("vanish", "clear"))
            continue
        if "becomes" in rest:
            into = rest.split("becomes")[1].split()[0]
            use = {"pair": "partner", "solid": "wall", "break": "wall", "bomb": "bomb"}.get(into, "other")
            uses.add(("copy", use))
            if who is not None:
                kind_of[who] = into
        if "blasts" in rest:
            victim = rest.split("blasts")[1].split()[0]
            uses.add(("bomb", "chain" if victim == "bomb" else "blast"))
            if victim == "break":
                uses.add(("break", "door"))
            at.pop(stopper_cell, None)
        if kind == "pair":
            uses.add(("pair", "run"))
        if who is not None:
            at[(ex, ey)] = who
    for who, n in pushes.items():
        k = kind_of[who]
        if k == "step":
            uses.add(("step", "walk" if n >= 3 else "step"))
        elif k in ("slide", "bomb") and who not in moved_then_hit:
            uses.add((k, "clear"))
    return uses


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("measures")
    ap.add_argument("--stages", default="assets/stages")
    args = ap.parse_args()
    stages = sorted((json.loads(l) for l in open(args.measures) if l.startswith("{")), key=lambda s: s["stage"])
    first = {}
    rows = []
    for s in stages:
        grid = read_grid(os.path.join(args.stages, "%03d.txt" % s["stage"]))
        uses = uses_of(grid, s["story"])
        order = [(k, u) for k, u, _ in USES if (k, u) in uses]
        new = [x for x in order if x not in first]
        for x in new:
            first[x] = s["stage"]
        kinds = {k for k, _ in order}
        rows.append((s, order, new, kinds))

    print("| Use | First in stage | Later stages |")
    print("|---|---:|---|")
    for k, u, text in USES:
        if (k, u) not in first:
            continue
        later = [str(s["stage"]) for s, order, _, _ in rows if (k, u) in order and s["stage"] != first[(k, u)]]
        shown = ", ".join(later[:14]) + (", ... (%d in all)" % (len(later) + 1) if len(later) > 14 else "")
        print("| %s | %d | %s |" % (text, first[(k, u)], shown or "-"))
    print()
    print("| Stage | Title | The idea (uses its solution makes) | What is new |")
    print("|---:|---|---|---|")
    seen_kinds = set()
    seen_pairs = set()
    for s, order, new, kinds in rows:
        if s["stage"] <= 10:
            seen_kinds |= kinds
            seen_pairs |= {frozenset((a, b)) for a in kinds for b in kinds if a < b and a != "pair" and b != "pair"}
            continue
        idea = "; ".join(USE_TEXT[x] for x in order if x != ("pair", "run")) or "the pair run together"
        notes = ["first use: " + USE_TEXT[x] for x in new]
        combos = {frozenset((a, b)) for a in kinds for b in kinds if a < b and a != "pair" and b != "pair"}
        fresh = combos - seen_pairs
        if fresh:
            notes.append("first time together: " + ", ".join(
                " with ".join(NAME[k] for k in sorted(c)) for c in sorted(fresh, key=sorted)))
        if not notes:
            notes.append("%d pushes, %d states: a longer or tighter turn of known uses" % (s["pushes"], s["states"]))
        seen_pairs |= combos
        seen_kinds |= kinds
        print("| %d | %s | %s | %s |" % (s["stage"], s["title"], idea, "; ".join(notes)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
