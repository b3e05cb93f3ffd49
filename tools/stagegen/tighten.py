#!/usr/bin/python3
"""Tightens stages around their idea: fills the floor the shortest solution
never comes near, smooths away one-cell wall stubs no box stops against, and
keeps each change only while the solver proves the stage still holds its
puzzle:

- it is solved, with at least as many pushes and about the same moves;
- the solution ends the same way and pushes the same kinds (its pattern);
- the player still has a choice of pushes (the median distinct pushes per
  step stays at 3 or more, or where it was when it was lower);
- every kind the idea line names that was needed stays needed.

Where a stage sits on the board does not change: only cells change kind.

usage: tighten.py STAGE.txt... [--out DIR] [--single-limit SECONDS] [--target SHARE]
       (RARA3_SOLVE names the solver; each stage is written whole, in place
        or to DIR, only when something changed)
"""
import argparse
import json
import os
import statistics
import subprocess
import sys
import time

N = 20
DIRS = [(0, 1), (-1, 0), (1, 0), (0, -1)]
SOLVER = os.environ.get("RARA3_SOLVE", "build/tools/solve/rara3-solve")

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
from measure_set import bypass, featured_needed  # noqa: E402


def read_stage(path):
    lines = open(path).read().split("\n")
    comments = [l for l in lines if l.startswith(";")]
    rows = [l for l in lines if l and not l.startswith(";")]
    grid = [list(r) for r in rows[:N]]
    return comments, grid


def write_stage(path, comments, grid):
    text = "\n".join(comments + ["".join(r) for r in grid]) + "\n"
    tmp = path + ".tmp"
    with open(tmp, "w") as f:
        f.write(text)
    os.replace(tmp, path)


def measure(comments, grid, scratch):
    write_stage(scratch, comments, grid)
    out = subprocess.run([SOLVER, "--measure", scratch, "--light"], capture_output=True, text=True).stdout
    lines = [l for l in out.splitlines() if l.startswith("{")]
    if not lines:
        return None
    m = json.loads(lines[0])
    return m if m["status"] == "solved" else None


def cells_of(ids):
    return {(i % N, i // N) for i in ids}


def pattern(m):
    return (m["lastEvent"], m["kindsPushed"])


def choices(m):
    return statistics.median(m["choices"]) if m["choices"] else 0


def needed_kinds(m):
    return {k["kind"] for k in m["kindsWithout"] if k["named"] and k["without"] in ("unsolvable", "longer")}


class Judge:
    """Whether a changed stage still holds the puzzle of the original."""

    def __init__(self, m0):
        self.pushes = m0["pushes"]
        self.moves = m0["moves"]
        self.pattern = pattern(m0)
        # A tight room still leaves the player pushes to weigh: never fewer
        # than 3 a step (or what the stage had), nor under 60 % of before.
        self.choices = min(choices(m0), max(3, 0.6 * choices(m0)))
        self.needed = needed_kinds(m0)
        self.bypassed = bypass(m0) is not None

    def ok(self, m):
        return (m is not None and m["pushes"] >= self.pushes
                and m["moves"] <= self.moves * 1.15 + 2
                and pattern(m) == self.pattern
                and choices(m) >= self.choices
                and self.needed <= needed_kinds(m)
                and (self.bypassed or bypass(m) is None))


def corners(area):
    n = 0
    for x in range(-1, N):
        for y in range(-1, N):
            a, b, c, d = ((x, y) in area, (x + 1, y) in area, (x, y + 1) in area, (x + 1, y + 1) in area)
            k = a + b + c + d
            n += k in (1, 3)
            n += 2 * (k == 2 and a == d)
    return n


def stubs(area):
    walls = set()
    for (x, y) in area:
        for dx, dy in DIRS:
            c = (x + dx, y + dy)
            if c not in area and 0 <= c[0] < N and 0 <= c[1] < N:
                walls.add(c)
    return [w for w in walls if sum((w[0] + dx, w[1] + dy) in area for dx, dy in DIRS) >= 3]


def distance_to(cells, targets):
    """Chebyshev distance of each cell to the nearest target."""
    return {c: min(max(abs(c[0] - t[0]), abs(c[1] - t[1])) for t in targets) for c in cells}


def ortho_hull(used, area):
    """The used cells and every cell of the area between two of them in a
    row or a column: a blocky room around the solution, few corners."""
    hull = set(used)
    while True:
        grow = set()
        for c in area - hull:
            x, y = c
            left = any((x - k, y) in hull for k in range(1, N))
            right = any((x + k, y) in hull for k in range(1, N))
            up = any((x, y - k) in hull for k in range(1, N))
            down = any((x, y + k) in hull for k in range(1, N))
            if (left and right) or (up and down):
                grow.add(c)
        if not grow:
            return hull
        hull |= grow


def fill_unreachable(grid, area):
    """Floor the player can never reach reads as a room that is not there."""
    for y in range(N):
        for x in range(N):
            if grid[y][x] == "." and (x, y) not in area:
                grid[y][x] = "#"


def smooth(grid, comments, scratch, m0, band=0.1):
    """Straightens the outline: a wall cell opened or a floor cell filled
    where that takes corners off, kept only when the shortest solution
    makes the very same pushes (each box the same way to the same cell, so
    the idea line stays true), the search for it about as large, and the
    judge still finds the puzzle.
    Returns the last measures."""
    judge = Judge(m0)
    best = m0
    improved = True
    while improved:
        improved = False
        area = cells_of(best["area"])
        used = cells_of(best["usedCells"])
        edge = set()
        for (x, y) in area:
            for dx, dy in DIRS:
                c = (x + dx, y + dy)
                if 0 < c[0] < N - 1 and 0 < c[1] < N - 1 and c not in area and grid[c[1]][c[0]] == "#":
                    edge.add(c)
        fills = [c for c in area - used if grid[c[1]][c[0]] == "."]
        # A one-cell stub reads as a stop, so it weighs as much as its
        # corners.
        def rough(a):
            return corners(a) + 4 * len(stubs(a))
        base = rough(area)
        # Single cells, then two side by side: a notch two cells wide
        # straightens only whole.
        tries = [(rough(area | {c}) - base, (c,), ".") for c in edge]
        tries += [(rough(area - {c}) - base, (c,), "#") for c in fills]
        for cells, kind, grow in ((edge, ".", True), (set(fills), "#", False)):
            for (x, y) in cells:
                for c2 in ((x + 1, y), (x, y + 1)):
                    if c2 in cells:
                        pair = {(x, y), c2}
                        after = area | pair if grow else area - pair
                        tries.append((rough(after) - base, ((x, y), c2), kind))
        for gain, cells, kind in sorted(t for t in tries if t[0] < 0):
            old = {c: grid[c[1]][c[0]] for c in cells}
            for (x, y) in cells:
                grid[y][x] = kind
            m = measure(comments, grid, scratch)
            # The search's size stays about where it was, so the set's
            # climb in states holds.
            if (judge.ok(m) and m["story"] == m0["story"]
                    and (featured_needed(m) or not featured_needed(m0))
                    and (1 - band) * m0["states"] <= m["states"] <= (1 + band) * m0["states"]
                    and m["outlineCorners"] + 4 * m["stubs"] < best["outlineCorners"] + 4 * best["stubs"]
                    and m["outlineCorners"] <= best["outlineCorners"]):
                best = m
                improved = True
                break
            for (x, y), k in old.items():
                grid[y][x] = k
    return best


def unused_share(m):
    return 1 - m["used"] / m["floor"]


def tighten(path, out_path, scratch, single_limit, target):
    comments, grid = read_stage(path)
    m0 = measure(comments, grid, scratch)
    if m0 is None:
        print("%s: not solved, left as it was" % path, file=sys.stderr)
        return None
    judge = Judge(m0)
    t0 = time.time()
    best = m0
    slow = m0["solveSeconds"] > single_limit
    tried = set()

    def attempt(cells, kind):
        nonlocal best
        old = {c: grid[c[1]][c[0]] for c in cells}
        for (x, y) in cells:
            grid[y][x] = kind
        m = measure(comments, grid, scratch)
        if judge.ok(m):
            best = m
            return True
        for (x, y), k in old.items():
            grid[y][x] = k
        return False

    for _ in range(4):
        if unused_share(best) <= target:
            break
        area = cells_of(best["area"])
        used = cells_of(best["usedCells"])
        free = [c for c in area - used if grid[c[1]][c[0]] == "." and c not in tried]
        if not free:
            break
        dist = distance_to(free, used)
        changed = False
        # The blocky room round the solution first; failing that, far floor
        # in a few bold strokes; then cell by cell nearer in.
        hull = ortho_hull(used, area)
        batch = [c for c in free if c not in hull]
        if batch and attempt(batch, "#"):
            changed = True
        for reach in (4, 3):
            batch = [c for c in free if dist[c] >= reach and grid[c[1]][c[0]] == "."]
            if batch and attempt(batch, "#"):
                changed = True
        if slow:
            if not changed:
                break
            continue
        area = cells_of(best["area"])
        used = cells_of(best["usedCells"])
        free = [c for c in area - used if grid[c[1]][c[0]] == "." and c not in tried]
        # The cells whose filling smooths the outline most go first.
        def gain(c):
            return corners(area) - corners(area - {c})
        free.sort(key=lambda c: (-gain(c), -distance_to([c], used)[c]))
        for c in free:
            if unused_share(best) <= target:
                break
            if grid[c[1]][c[0]] != "." or c not in cells_of(best["area"]):
                continue
            area = cells_of(best["area"])
            if corners(area - {c}) > corners(area):
                continue
            tried.add(c)
            if attempt([c], "#"):
                changed = True
        if not changed:
            break
    # Stubs that stop nothing: open them when the solution does not notice.
    if not slow:
        for w in stubs(cells_of(best["area"])):
            if grid[w[1]][w[0]] == "#":
                attempt([w], ".")
    fill_unreachable(grid, cells_of(best["area"]))
    final = measure(comments, grid, scratch)
    if not judge.ok(final):
        print("%s: lost its puzzle on the last check, left as it was" % path, file=sys.stderr)
        return None
    write_stage(out_path, comments, grid)
    return m0, final, time.time() - t0


def smooth_stage(path, out_path, scratch, band):
    comments, grid = read_stage(path)
    m0 = measure(comments, grid, scratch)
    if m0 is None:
        print("%s: not solved, left as it was" % path, file=sys.stderr)
        return None
    m1 = smooth(grid, comments, scratch, m0, band)
    if m1 is not m0:
        write_stage(out_path, comments, grid)
    return m0, m1


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("stages", nargs="+")
    ap.add_argument("--smooth", action="store_true",
                    help="only straighten the outline, the shortest solution's pushes kept as they are")
    ap.add_argument("--states-band", type=float, default=0.1,
                    help="with --smooth: how far the search's states may move, as a share")
    ap.add_argument("--out")
    ap.add_argument("--single-limit", type=float, default=0.5,
                    help="stages whose solve takes longer get only the bold strokes")
    ap.add_argument("--target", type=float, default=0.33,
                    help="stop filling once this share of the floor or less is unused")
    args = ap.parse_args()
    scratch = "/tmp/rara3-tighten-%d.txt" % os.getpid()
    try:
        for path in args.stages:
            out = os.path.join(args.out, os.path.basename(path)) if args.out else path
            if args.smooth:
                r = smooth_stage(path, out, scratch, args.states_band)
                if r:
                    m0, m1 = r
                    print("%s: corners %d -> %d over %d -> %d floor cells (%.0f -> %.0f per 100), stubs %d -> %d" % (
                        os.path.basename(path), m0["outlineCorners"], m1["outlineCorners"], m0["floor"],
                        m1["floor"], 100 * m0["outlineCorners"] / m0["floor"],
                        100 * m1["outlineCorners"] / m1["floor"], m0["stubs"], m1["stubs"]), flush=True)
                continue
            r = tighten(path, out, scratch, args.single_limit, args.target)
            if r:
                m0, m1, secs = r
                print("%s: floor %d -> %d, used %d -> %d, corners %d -> %d, stubs %d -> %d, moves %d -> %d, "
                      "pushes %d -> %d, choices %g -> %g (%.1f s)" % (
                          os.path.basename(path), m0["floor"], m1["floor"], m0["used"], m1["used"],
                          m0["outlineCorners"], m1["outlineCorners"], m0["stubs"], m1["stubs"],
                          m0["moves"], m1["moves"], m0["pushes"], m1["pushes"], choices(m0), choices(m1), secs),
                      flush=True)
    finally:
        if os.path.exists(scratch):
            os.remove(scratch)
    return 0


if __name__ == "__main__":
    sys.exit(main())
