#!/usr/bin/python3
"""Puts a range of stages in the order of a climb. It starts from fewest
pushes first, then fewest states searched, and moves stages a few places
(a seeded search of swaps) until, over the whole set, no two neighbouring
stages share a solution pattern (the last event and the kinds pushed), the
median pushes of ten stages never falls from one ten to the next, and the
median moves and states always rise; among orders that do, it keeps the
one nearest the plain climb. Stage files and their solutions move
together; titles and idea lines live in the stage files, and words.txt and
seeds.txt are keyed by slot, so they need no change.

usage: climb_order.py STAGES_DIR SOLUTIONS_DIR [--first 11] [--last 90]
                      [--measures FILE] [--dry-run]
       (--measures takes the facts from an earlier rara3-solve --measure
       run over these same stages instead of solving each again, and
       renumbers its lines with their stages; RARA3_SOLVE names the solver)
"""
import argparse
import json
import os
import random
import re
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from measure_set import median  # noqa: E402

SOLVER = os.environ.get("RARA3_SOLVE", "build/tools/solve/rara3-solve")


def facts(m, path):
    if m.get("status") != "solved":
        sys.exit("%s: not solved" % path)
    return {"pushes": m["pushes"], "moves": m["moves"], "states": m["states"],
            "pattern": (m["lastEvent"], m["kindsPushed"])}


def measure(path):
    out = subprocess.run([SOLVER, "--measure", path, "--shape-only"], capture_output=True, text=True).stdout
    lines = [l for l in out.splitlines() if l.startswith("{")]
    if not lines:
        sys.exit("%s: not measured" % path)
    return facts(json.loads(lines[0]), path)


def faults(seq, first):
    """seq: the facts of consecutive stages from stage number first, whole
    tens. Hard faults (medians out of their rise) and soft ones (ten stages
    whose median pushes only stay level with the ten before)."""
    hard = soft = 0
    last = None
    for i in range(-(first - 1) % 10, len(seq) - 9, 10):
        now = {k: median(s[k] for s in seq[i:i + 10]) for k in ("pushes", "moves", "states")}
        if last:
            hard += (now["pushes"] < last["pushes"]) + (now["moves"] <= last["moves"]) + (now["states"] <= last["states"])
            soft += now["pushes"] == last["pushes"]
        last = now
    return hard, soft


def order(stages, before=(), after=(), reach=20, tries=40000, seeds=range(1, 5)):
    """stages: the facts of the stages to order, each with its "number";
    before and after: those of the stages around them, kept in place. The
    climb order, mended by swaps of stages at most reach places apart: a
    swap is kept when it adds no fault and moves the stages no further from
    the climb (summed over them), or when it removes a fault. A neighbouring
    pair sharing a pattern is a hard fault. The best of a few seeds."""
    climb = sorted(stages, key=lambda s: (s["pushes"], s["states"]))
    rank = {id(s): i for i, s in enumerate(climb)}
    first = (before or stages)[0]["number"]
    ends = list(before[-1:]), list(after[:1])

    def cost(seq):
        hard, soft = faults(list(before) + seq + list(after), first)
        line = ends[0] + seq + ends[1]
        hard += sum(a["pattern"] == b["pattern"] for a, b in zip(line, line[1:]))
        return hard, soft, sum(abs(i - rank[id(s)]) for i, s in enumerate(seq))

    best = None
    for seed in seeds:
        seq = list(climb)
        now = cost(seq)
        rng = random.Random(seed)
        for _ in range(tries):
            i = rng.randrange(len(seq))
            j = min(len(seq) - 1, max(0, i + rng.randint(-reach, reach)))
            if i == j:
                continue
            seq[i], seq[j] = seq[j], seq[i]
            c = cost(seq)
            if c <= now:
                now = c
            else:
                seq[i], seq[j] = seq[j], seq[i]
        if best is None or now < best[1]:
            best = seq, now
    return best


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("stages")
    ap.add_argument("solutions")
    ap.add_argument("--first", type=int, default=11)
    ap.add_argument("--last", type=int, default=90)
    ap.add_argument("--measures")
    ap.add_argument("--dry-run", action="store_true")
    args = ap.parse_args()
    numbers = range(args.first, args.last + 1)
    # The ten stages on either side stay, but the rise of the medians and
    # the patterns at the ends are checked against them.
    lo = max(1, args.first - 10 - (args.first - 1) % 10)
    hi = args.last + 10 - args.last % 10 if args.last % 10 else args.last + 10
    stage_file = lambda n: os.path.join(args.stages, "%03d.txt" % n)
    if args.measures:
        known = {m["stage"]: m for m in map(json.loads, open(args.measures))}
        found = {n: facts(known[n], stage_file(n)) for n in range(lo, hi + 1) if n in known}
    else:
        found = {n: measure(stage_file(n)) for n in range(lo, hi + 1) if os.path.exists(stage_file(n))}
    for n, f in found.items():
        f["number"] = n
    missing = [n for n in numbers if n not in found]
    if missing:
        sys.exit("no facts for stages %s" % missing)
    before = [found[n] for n in range(lo, args.first) if n in found]
    after = [found[n] for n in range(args.last + 1, hi + 1) if n in found]
    seq, (hard, soft, moved) = order([found[n] for n in numbers], before, after)
    for new, s in zip(numbers, seq):
        print("%3d <- %3d  %2d pushes %8d states  %s after %s" % (
            new, s["number"], s["pushes"], s["states"], s["pattern"][0], s["pattern"][1]))
    print("%d faults, %d tens level in pushes, %d places from the climb" % (hard, soft, moved))
    if hard:
        sys.exit("no order without faults found; nothing moved")
    if args.dry_run:
        return 0
    # Everything is read first, then written under new names, so a stage
    # never overwrites one not yet moved.
    texts = {n: open(os.path.join(args.stages, "%03d.txt" % n), "rb").read() for n in numbers}
    plays = {n: open(os.path.join(args.solutions, "%03d.PBD" % n), "rb").read() for n in numbers}
    for new, s in zip(numbers, seq):
        for folder, ext, data in ((args.stages, "txt", texts), (args.solutions, "PBD", plays)):
            path = os.path.join(folder, "%03d.%s" % (new, ext))
            fd, tmp = tempfile.mkstemp(dir=folder)
            with os.fdopen(fd, "wb") as f:
                f.write(data[s["number"]])
            os.chmod(tmp, 0o644)
            os.replace(tmp, path)
    if args.measures:
        # The measures file's lines follow their stages, so a later
        # write_docs.sh (MEASURES=FILE) need not measure them again.
        renumber = {s["number"]: new for new, s in zip(numbers, seq)}
        lines = {}
        for line in open(args.measures):
            n = json.loads(line)["stage"]
            n = renumber.get(n, n)
            lines[n] = re.sub(r'^\{"stage":\d+,', '{"stage":%d,' % n, line)
        tmp = args.measures + ".tmp"
        with open(tmp, "w") as f:
            f.writelines(lines[n] for n in sorted(lines))
        os.replace(tmp, args.measures)
    return 0


if __name__ == "__main__":
    sys.exit(main())
