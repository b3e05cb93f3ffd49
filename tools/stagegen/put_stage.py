#!/usr/bin/python3
"""Puts a stage found by find_ideas.py in place of stage N of the set: writes
it with its title and idea line, tightens it round its idea (tighten.py),
ships its shortest solution, and gives words.txt and seeds.txt the new
stage's lines under the key of the one it replaces.

usage: put_stage.py FOUND.txt N --title T --idea I --seed-note NOTE
       [--as-drawn] [--stages assets/stages] [--solutions assets/solutions]
       --as-drawn skips the tightening: for a stage of several rooms already
       mended by hand, whose search would take the tightening hours
       (RARA3_SOLVE names the solver)
"""
import argparse
import json
import os
import subprocess
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
# The words and seeds of the set live beside the stages, not the code.
NOTES = os.path.join(HERE, "..", "..", "assets", "stage-notes")
SOLVER = os.environ.get("RARA3_SOLVE", "build/tools/solve/rara3-solve")


def replace_line(path, key, line):
    """Replaces the line that starts with key; the file is written whole."""
    lines = open(path).read().split("\n")
    hits = [i for i, l in enumerate(lines) if l.startswith(key)]
    if len(hits) != 1:
        sys.exit("%s: %d lines start with %r" % (path, len(hits), key))
    lines[hits[0]] = line
    tmp = path + ".tmp"
    with open(tmp, "w") as f:
        f.write("\n".join(lines))
    os.replace(tmp, path)


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("found")
    ap.add_argument("number", type=int)
    ap.add_argument("--title", required=True)
    ap.add_argument("--idea", required=True)
    ap.add_argument("--seed-note", required=True)
    ap.add_argument("--as-drawn", action="store_true")
    ap.add_argument("--stages", default="assets/stages")
    ap.add_argument("--solutions", default="assets/solutions")
    a = ap.parse_args()

    stage = os.path.join(a.stages, "%03d.txt" % a.number)
    old_title = open(stage).readline()[2:].strip()
    words = os.path.join(NOTES, "words.txt")
    keys = [l.split(" | ")[0] for l in open(words) if (" | %s | " % old_title) in l]
    if len(keys) != 1:
        sys.exit("words.txt: no single line for %r" % old_title)
    key = keys[0]

    rows = [l for l in open(a.found).read().split("\n") if l and not l.startswith(";")]
    tmp = stage + ".tmp"
    with open(tmp, "w") as f:
        f.write("\n".join(["; " + a.title, "; " + a.idea] + rows) + "\n")
    os.replace(tmp, stage)
    if not a.as_drawn:
        subprocess.run([sys.executable, os.path.join(HERE, "tighten.py"), stage], check=True)

    solution = os.path.join(a.solutions, "%03d.PBD" % a.number)
    subprocess.run([SOLVER, stage, "-o", solution], check=True, capture_output=True)
    out = subprocess.run([SOLVER, "--measure", stage, "--light"], capture_output=True, text=True).stdout
    m = json.loads([l for l in out.splitlines() if l.startswith("{")][0])

    replace_line(words, key + " |", "%s | %s | %s" % (key, a.title, a.idea))
    slot = key[len("slot"):]
    replace_line(os.path.join(NOTES, "seeds.txt"), "slot %s " % slot,
                 "slot %s %s: %d moves, %d pushes" % (slot, a.seed_note, m["moves"], m["pushes"]))
    print("%s: %s, %d moves, %d pushes, %d floor, %d used, %d corners, %d stubs, moments %d" % (
        stage, a.title, m["moves"], m["pushes"], m["floor"], m["used"], m["outlineCorners"],
        m["stubs"], m["ideaMoments"]))
    for s in m["story"]:
        print("  " + s)


if __name__ == "__main__":
    main()
