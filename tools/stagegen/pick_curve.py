#!/usr/bin/python3
"""Picks stages 11 to 100 from rara3-stagegen output so that difficulty
grows: the median moves and the median states rise from each ten stages to
the next, and each box kind turns up in at least ten stages.

usage: pick_curve.py STAGES_DIR POOL_DIR...

Each POOL_DIR holds the stage files of one run and the run's table beside
it (POOL_DIR.tsv: file, moves, pushes, states, dead-end share, kinds).
Writes STAGES_DIR/011.txt .. 100.txt; the tutorial stages 001..010 there
set the bar the first picked ten must clear.
"""
import math
import os
import random
import re
import statistics
import subprocess
import sys

KIND_CHARS = "P%VTSC#B"
MIN_DEAD = 0.05

TITLES = [
    "First Thoughts", "Back Room", "Corner Shop", "Side Door", "Narrow Way",
    "Two Steps Back", "Loose Ends", "Stepping Stones", "Cold Floor", "Long Hall",
    "Low Ceiling", "Blind Alley", "Crossroads", "Half Open", "Fair Share",
    "Courtyard", "Missing Piece", "Small Print", "Detour", "Trapdoor",
    "Cellar", "Chimney", "Rooftops", "Quiet Corner", "Back and Forth",
    "Drift", "Counterweight", "Passage", "Lantern", "Keystone",
    "Tight Spot", "Slipway", "Second Guess", "The Long Way", "Knot",
    "Hinge", "Pantry", "Attic", "Threshold", "Switchback",
    "Undertow", "Gallery", "Cloister", "Aftershock", "Nesting",
    "Bellows", "Turnstile", "Stairwell", "Fuse", "Sidestep",
    "Warehouse", "Spillway", "Riddle", "Orchard", "Echo",
    "Patchwork", "Labyrinth", "Foundry", "Signal", "Crosswind",
    "Pinwheel", "Ledger", "Ember", "Lock and Key", "Outpost",
    "Granary", "Watchtower", "Quarry", "Bramble", "Tidewater",
    "Clockwork", "Vault", "Compass", "Bastion", "Catacomb",
    "Mirage", "Gauntlet", "Citadel", "Furnace", "Last Light",
    "Deep Cellar", "Iron Gate", "Maelstrom", "Obsidian", "Zenith",
    "Pandemonium", "Eclipse", "Summit", "Endgame", "Homecoming",
]


def read_cells(path):
    rows = [l.rstrip("\r\n") for l in open(path) if not l.startswith(";")]
    return [r for r in rows if r][:20]


def read_idea(path):
    comments = [l[1:].strip() for l in open(path) if l.startswith(";")]
    return comments[1] if len(comments) > 1 else ""


def kinds_of(rows):
    return {c for r in rows for c in r if c in KIND_CHARS}


def solve_table(solver, folder):
    """moves and states of each stage in a folder, from rara3-solve --all."""
    out = subprocess.run([solver, "--all", folder], capture_output=True, text=True).stdout
    table = {}
    for line in out.splitlines():
        parts = line.split()
        if len(parts) >= 6 and parts[1] == "solved":
            table[parts[0]] = (int(parts[2]), int(parts[4]))
    return table


def main():
    if len(sys.argv) < 3:
        print(__doc__)
        return 2
    stages_dir = sys.argv[1]
    solver = os.environ.get("RARA3_SOLVE", "build/tools/solve/rara3-solve")
    pool = []
    seen = set()
    for folder in sys.argv[2:]:
        folder = folder.rstrip("/")
        for line in open(folder + ".tsv"):
            name, moves, pushes, states, dead, _ = line.rstrip("\n").split("\t")
            path = os.path.join(folder, name)
            rows = read_cells(path)
            key = "".join(rows)
            if key in seen or float(dead) < MIN_DEAD or int(moves) < 15:
                continue
            seen.add(key)
            pool.append(dict(path=path, rows=rows, moves=int(moves), pushes=int(pushes),
                             states=int(states), kinds=kinds_of(rows), idea=read_idea(path)))
    if len(pool) < 90:
        print(f"only {len(pool)} usable stages in the pool, 90 needed", file=sys.stderr)
        return 1

    def spread(key):
        values = [key(s) for s in pool]
        mean = statistics.mean(values)
        dev = statistics.pstdev(values) or 1
        return lambda s: (key(s) - mean) / dev

    z_moves = spread(lambda s: s["moves"])
    z_states = spread(lambda s: math.log(s["states"]))
    z_pushes = spread(lambda s: s["pushes"])
    for s in pool:
        s["score"] = z_moves(s) + z_states(s) + z_pushes(s)
    pool.sort(key=lambda s: s["score"])

    # Ten from each ninth of the pool, the rarer kinds first; the last ten
    # are the hardest of all.
    rng = random.Random(7)
    count = {k: 0 for k in KIND_CHARS}
    chosen = []
    n = len(pool)
    hardest = pool[-10:]
    rest = pool[:-10]
    bands = [rest[j * len(rest) // 8:(j + 1) * len(rest) // 8] for j in range(8)]
    for band in bands:
        band = band[:]
        rng.shuffle(band)
        picked = []
        while len(picked) < 10 and band:
            band.sort(key=lambda s: -sum(max(0, 10 - count[k]) for k in s["kinds"]))
            s = band.pop(0)
            picked.append(s)
            for k in s["kinds"]:
                count[k] += 1
        chosen += picked
    chosen += hardest
    for s in hardest:
        for k in s["kinds"]:
            count[k] += 1
    chosen.sort(key=lambda s: s["score"])

    # The tutorial's medians are the floor for stages 11 to 20.
    tut = solve_table(solver, stages_dir)
    tut_rows = [v for k, v in sorted(tut.items()) if int(k[:3]) <= 10]
    floor_moves = statistics.median(v[0] for v in tut_rows)
    floor_states = statistics.median(v[1] for v in tut_rows)

    def faults(order):
        count = 0
        pm, ps = floor_moves, floor_states
        for d in range(9):
            ten = order[d * 10:(d + 1) * 10]
            m = statistics.median(s["moves"] for s in ten)
            st = statistics.median(s["states"] for s in ten)
            count += (m <= pm) + (st <= ps)
            pm, ps = m, st
        return count

    # Where sorting by score alone leaves a median flat, swap one stage of a
    # ten with one of the next ten: the swap that removes the most flat
    # medians, and among those the one between the closest scores.
    current = faults(chosen)
    while current:
        best = None
        for d in range(1, 9):
            for i in range((d - 1) * 10, d * 10):
                for j in range(d * 10, (d + 1) * 10):
                    chosen[i], chosen[j] = chosen[j], chosen[i]
                    key = (faults(chosen), abs(chosen[i]["score"] - chosen[j]["score"]))
                    chosen[i], chosen[j] = chosen[j], chosen[i]
                    if best is None or key < best[0]:
                        best = (key, i, j)
        if best[0][0] >= current:
            break
        _, i, j = best
        chosen[i], chosen[j] = chosen[j], chosen[i]
        current = best[0][0]
    for d in range(9):
        chosen[d * 10:(d + 1) * 10] = sorted(chosen[d * 10:(d + 1) * 10], key=lambda s: s["score"])

    prev_moves, prev_states = floor_moves, floor_states
    ok = True
    for d in range(9):
        ten = chosen[d * 10:(d + 1) * 10]
        m = statistics.median(s["moves"] for s in ten)
        st = statistics.median(s["states"] for s in ten)
        flag = "" if m > prev_moves and st > prev_states else "  <- not rising"
        ok &= not flag
        print(f"stages {d * 10 + 11}-{d * 10 + 20}: median moves {m}, states {st}{flag}")
        prev_moves, prev_states = m, st
    print("kinds:", {k: sum(k in s["kinds"] for s in chosen) for k in KIND_CHARS})

    for i, s in enumerate(chosen):
        no = i + 11
        with open(os.path.join(stages_dir, f"{no:03d}.txt"), "w") as f:
            f.write(f"; {TITLES[i]}\n; {s['idea']}\n")
            for r in s["rows"]:
                f.write(r + "\n")
    return 0 if ok else 1


if __name__ == "__main__":
    sys.exit(main())
