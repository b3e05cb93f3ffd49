#!/usr/bin/python3
"""Puts the made stages in order and gives them their words: the tutorial as
stages 1-10, the ninety slots of make_set.sh as stages 11-100 ordered by the
pushes, moves and states of their shortest solutions, each with the title and
idea written for it in words.txt.

usage: order_set.py TUTORIAL_DIR SLOTS_DIR OUT_DIR [--words assets/stage-notes/words.txt]
       (RARA3_SOLVE names the solver; default build/tools/solve/rara3-solve)

words.txt: one line per stage, "tutNN | Title | Idea" or "slotNN | Title | Idea".
A stage without words keeps "Untitled" and its generated idea, and is listed.
"""
import argparse
import os
import re
import subprocess
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from measure_set import median, spearman  # noqa: E402


def solve(path, solver):
    out = subprocess.run([solver, path], capture_output=True, text=True).stdout
    m = re.search(r"solved: (\d+) moves, (\d+) pushes, (\d+) states", out)
    if not m:
        sys.exit("%s: not solved" % path)
    return tuple(int(x) for x in m.groups())


def ranks(values):
    order = sorted(range(len(values)), key=lambda i: values[i])
    r = [0] * len(values)
    for pos, i in enumerate(order):
        r[i] = pos
    return r


def rate(tut, slots, order):
    """(minus the medians of moves and states that fail to rise over the ten
    stages before, the rank correlation of stage number and pushes)"""
    facts = tut + [slots[i][2] for i in order]
    falls = 0
    for first in range(10, 100, 10):
        for f in (0, 2):
            if median([x[f] for x in facts[first:first + 10]]) <= median([x[f] for x in facts[first - 10:first]]):
                falls += 1
    return (-falls, spearman(list(range(100)), [x[1] for x in facts]))


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("tutorial")
    ap.add_argument("slots")
    ap.add_argument("out")
    ap.add_argument("--words", default="assets/stage-notes/words.txt")
    args = ap.parse_args()
    solver = os.environ.get("RARA3_SOLVE", "build/tools/solve/rara3-solve")
    words = {}
    if os.path.exists(args.words):
        for line in open(args.words):
            if line.strip() and not line.startswith("#"):
                key, title, idea = [p.strip() for p in line.split("|", 2)]
                words[key] = (title, idea)
    sources = [("tut%02d" % n, os.path.join(args.tutorial, "tut%02d.txt" % n)) for n in range(1, 11)]
    slots = []
    for n in range(11, 101):
        path = os.path.join(args.slots, "slot%d.txt" % n)
        if not os.path.exists(path):
            sys.exit("%s: missing" % path)
        slots.append(("slot%d" % n, path, solve(path, solver)))
    # Harder is later: by a weighted sum of the ranks of pushes, moves and
    # states, the weights chosen so that the median moves and states of each
    # ten stages rise over the ten before (the tutorial's included) and the
    # stage number follows the pushes as closely as it can.
    tut = [solve(path, solver) for _, path in sources]
    rp = ranks([s[2][1] for s in slots])
    rm = ranks([s[2][0] for s in slots])
    rs = ranks([s[2][2] for s in slots])
    best = None
    for wp in range(0, 7):
        for wm in range(0, 7):
            for ws in range(0, 7):
                if wp + wm + ws == 0:
                    continue
                order = sorted(range(len(slots)), key=lambda i: (wp * rp[i] + wm * rm[i] + ws * rs[i], i))
                score = rate(tut, slots, order)
                if best is None or score > best[0]:
                    best = (score, order, (wp, wm, ws))
    score, order, weights = best
    # Then swaps of stages up to twenty apart, across the borders of the
    # tens, while they leave fewer medians that fail to rise, or as few and a
    # closer rank correlation.
    improved = True
    while improved:
        improved = False
        for a in range(len(order)):
            for b in range(a + 1, min(len(order), a + 20)):
                if a // 10 == b // 10:
                    continue
                order[a], order[b] = order[b], order[a]
                trial = rate(tut, slots, order)
                if trial > score:
                    score, improved = trial, True
                else:
                    order[a], order[b] = order[b], order[a]
    falls, corr = score
    rising = falls == 0
    print("weights %s: medians rising %s, rank correlation with pushes %.3f" % (weights, rising, corr), file=sys.stderr)
    sources += [(slots[i][0], slots[i][1]) for i in order]
    os.makedirs(args.out, exist_ok=True)
    missing = []
    for number, (key, path) in enumerate(sources, start=1):
        lines = open(path).read().split("\n")
        rows = [l for l in lines if l and not l.startswith(";")]
        comments = [l[1:].strip() for l in lines if l.startswith(";")]
        title, idea = words.get(key, ("Untitled", comments[1] if len(comments) > 1 else ""))
        if key not in words:
            missing.append(key)
        with open(os.path.join(args.out, "%03d.txt" % number), "w") as f:
            f.write("; %s\n; %s\n" % (title, idea))
            f.write("\n".join(rows) + "\n")
        print("%03d %s" % (number, key))
    if missing:
        print("no words yet: " + " ".join(missing), file=sys.stderr)
    return 0


if __name__ == "__main__":
    sys.exit(main())
