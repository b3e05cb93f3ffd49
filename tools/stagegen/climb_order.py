#!/usr/bin/python3
"""Puts a range of stages in the order of a climb: fewest pushes first, then
fewest states searched; among stages of equal pushes, neighbours that would
share a solution pattern (the last event and the kinds pushed) are pulled
apart. Stage files and their solutions move together; their words go with
them.

usage: climb_order.py STAGES_DIR SOLUTIONS_DIR [--first 11] [--last 90] [--dry-run]
       (RARA3_SOLVE names the solver)
"""
import argparse
import json
import os
import subprocess
import sys
import tempfile

SOLVER = os.environ.get("RARA3_SOLVE", "build/tools/solve/rara3-solve")


def facts(path):
    out = subprocess.run([SOLVER, "--measure", path, "--shape-only"], capture_output=True, text=True).stdout
    lines = [l for l in out.splitlines() if l.startswith("{")]
    if not lines:
        sys.exit("%s: not measured" % path)
    m = json.loads(lines[0])
    if m["status"] != "solved":
        sys.exit("%s: not solved" % path)
    return m["pushes"], m["states"], (m["lastEvent"], m["kindsPushed"])


def order(stages):
    """stages: list of (number, pushes, states, pattern); the climb order."""
    seq = sorted(stages, key=lambda s: (s[1], s[2]))
    for i in range(1, len(seq)):
        if seq[i][3] != seq[i - 1][3]:
            continue
        for j in range(i + 1, len(seq)):
            if seq[j][1] != seq[i][1]:
                break
            fits_before = seq[j][3] != seq[i - 1][3]
            fits_after = i + 1 >= len(seq) or j == i + 1 or seq[j][3] != seq[i + 1][3]
            if fits_before and fits_after:
                seq.insert(i, seq.pop(j))
                break
    return seq


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("stages")
    ap.add_argument("solutions")
    ap.add_argument("--first", type=int, default=11)
    ap.add_argument("--last", type=int, default=90)
    ap.add_argument("--dry-run", action="store_true")
    args = ap.parse_args()
    numbers = range(args.first, args.last + 1)
    stages = []
    for n in numbers:
        pushes, states, pattern = facts(os.path.join(args.stages, "%03d.txt" % n))
        stages.append((n, pushes, states, pattern))
    seq = order(stages)
    for new, s in zip(numbers, seq):
        print("%3d <- %3d  %2d pushes %8d states  %s after %s" % (new, s[0], s[1], s[2], s[3][0], s[3][1]))
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
                f.write(data[s[0]])
            os.chmod(tmp, 0o644)
            os.replace(tmp, path)
    return 0


if __name__ == "__main__":
    sys.exit(main())
