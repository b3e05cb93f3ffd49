#!/usr/bin/python3
"""Searches seeds for deep one-idea stages, made by climb_room.py (tight
rooms; --architect: rara3-architect and its options after --): keeps a stage
only when its shortest solution has the pushes asked for, hauls no box (at
most a fifth of the pushes move on the box the push before moved, the same
way), needs every featured kind (without all its boxes the stage cannot be
won or takes at least 30 % more moves), cannot be won around its idea (the
fewest pushes any solution needs are at least 3 and push or run into every
featured kind), and ends in a pattern not on the avoid list. Each kept
stage is copied to OUT with its measures beside it (OUT/found.jsonl), so the
best can be picked and tightened by hand.

usage: find_ideas.py --kinds TB --pushes 8-12 --seeds 1000-1100 --out DIR
       [--avoid 'copy:pair,copy']... [--architect] [generator options after --]
       (ARCHITECT and RARA3_SOLVE name the tools)
"""
import argparse
import json
import os
import shutil
import subprocess
import sys
import tempfile

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from measure_set import bypass, featured_needed  # noqa: E402

ARCHITECT = os.environ.get("ARCHITECT", "build/tools/stagegen/rara3-architect")
SOLVER = os.environ.get("RARA3_SOLVE", "build/tools/solve/rara3-solve")
CLIMBER = os.path.join(os.path.dirname(os.path.abspath(__file__)), "climb_room.py")


def measure(path):
    out = subprocess.run([SOLVER, "--measure", path, "--light"], capture_output=True, text=True,
                         timeout=300).stdout
    lines = [l for l in out.splitlines() if l.startswith("{")]
    return json.loads(lines[0]) if lines else None


def verdict(m, lo, hi, avoid):
    if not m or m["status"] != "solved":
        return "not solved"
    if not lo <= m["pushes"] <= hi:
        return "%d pushes" % m["pushes"]
    if m["haulage"] > 0.2 * m["pushes"]:
        return "haulage %d" % m["haulage"]
    # A stage must name a kind, and need each it names.
    if not any(k["named"] for k in m["kindsWithout"]) or not featured_needed(m):
        return "kinds not needed"
    if bypass(m):
        return "won around its idea: %s" % bypass(m)
    if "%s:%s" % (m["lastEvent"], m["kindsPushed"]) in avoid:
        return "common pattern"
    return None


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--kinds", required=True)
    ap.add_argument("--pushes", required=True)
    ap.add_argument("--seeds", required=True)
    ap.add_argument("--out", required=True)
    ap.add_argument("--avoid", action="append", default=[])
    ap.add_argument("--timeout", type=float, default=300)
    ap.add_argument("--architect", action="store_true")
    ap.add_argument("rest", nargs=argparse.REMAINDER)
    a = ap.parse_args()
    lo, hi = (int(x) for x in a.pushes.split("-"))
    first, last = (int(x) for x in a.seeds.split("-"))
    extra = [x for x in a.rest if x != "--"]
    os.makedirs(a.out, exist_ok=True)
    found = open(os.path.join(a.out, "found.jsonl"), "a")
    for seed in range(first, last + 1):
        with tempfile.TemporaryDirectory() as tmp:
            path = os.path.join(tmp, "%d-0.txt" % seed)
            if a.architect:
                cmd = [ARCHITECT, "--seed", str(seed), "--count", "1", "--out", tmp, "--kinds", a.kinds] + extra
            else:
                cmd = [sys.executable, CLIMBER, "--seed", str(seed), "--out", path, "--kinds", a.kinds] + extra
            try:
                subprocess.run(cmd, capture_output=True, timeout=a.timeout)
            except subprocess.TimeoutExpired:
                continue
            if not os.path.exists(path):
                continue
            m = measure(path)
            why = verdict(m, lo, hi, set(a.avoid))
            if why:
                print("seed %d: %s" % (seed, why), file=sys.stderr)
                continue
            kept = os.path.join(a.out, "%s-%d.txt" % (a.kinds.replace("%", "K"), seed))
            shutil.copy(path, kept)
            m.pop("area", None)
            m.pop("usedCells", None)
            m["file"] = kept
            m["command"] = " ".join(x for x in cmd if x not in (tmp, path))
            found.write(json.dumps(m) + "\n")
            found.flush()
            print("seed %d: kept, %d pushes, %d moves, moments %d, corners %d, stubs %d, floor %d" % (
                seed, m["pushes"], m["moves"], m["ideaMoments"], m["outlineCorners"], m["stubs"], m["floor"]))


if __name__ == "__main__":
    main()
