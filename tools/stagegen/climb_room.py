#!/usr/bin/python3
"""Climbs one tight room towards more pushes: a small room (a rectangle,
perhaps with a corner cut away and a wall cell or two inside), two pair
boxes, the boxes of the featured kinds, the player and the exit; each step
moves an object or a wall cell and keeps the change when the shortest
solution has no fewer pushes. The rooms stay as small as the idea, so the
search is quick; find_ideas.py's checks (haulage, kinds needed) then judge
the result.

usage: climb_room.py --kinds SV --seed N --out FILE [--steps 400]
       [--size 6x5-9x7] [--walls 2] [--max-states 200000] [--unhauled]
       (RARA3_SOLVE names the solver)
"""
import argparse
import json
import os
import random
import re
import subprocess
import sys
import tempfile

N = 20
SOLVER = os.environ.get("RARA3_SOLVE", "build/tools/solve/rara3-solve")
KIND = {"V": "V", "T": "T", "S": "S", "C": "C", "B": "B", "%": "%"}
# The idea line names the featured kinds, so the measures know what to test.
NAME = {"V": "a vanish box", "T": "a step box", "S": "a slide box", "C": "a copy box",
        "B": "a bomb", "%": "a break box"}


def text(grid, title="Untitled", idea="Untitled"):
    return "\n".join(["; " + title, "; " + idea] + ["".join(r) for r in grid]) + "\n"


def solve(grid, path, max_states, unhauled=False):
    """(pushes, moves, states) of the shortest solution, or None; with
    unhauled, a push that moves on the box the push before moved, the same
    way, does not count, so the climb looks for pushes that each need a
    thought rather than a box walked along."""
    with open(path, "w") as f:
        f.write(text(grid))
    if unhauled:
        out = subprocess.run([SOLVER, "--measure", path, "--light", "--max-states", str(max_states)],
                             capture_output=True, text=True).stdout
        m = [json.loads(l) for l in out.splitlines() if l.startswith("{")]
        if not m or m[0]["status"] != "solved":
            return None
        return (m[0]["pushes"] - m[0]["haulage"], m[0]["moves"], m[0]["states"])
    out = subprocess.run([SOLVER, path, "--max-states", str(max_states)],
                         capture_output=True, text=True).stdout
    m = re.search(r"solved: (\d+) moves, (\d+) pushes, (\d+) states", out)
    return (int(m.group(2)), int(m.group(1)), int(m.group(3))) if m else None


def kinds_needed(grid, kinds, moves, path, max_states):
    """Without all the boxes of each featured kind the room cannot be won or
    takes at least 30 % more moves."""
    for k in set(kinds):
        g = [[("." if c == KIND[k] else c) for c in r] for r in grid]
        r = solve(g, path, max_states)
        if r and r[1] < 1.3 * moves:
            return False
    return True


def room(rng, size, walls):
    (w0, h0), (w1, h1) = size
    w, h = rng.randint(w0, w1), rng.randint(h0, h1)
    x0, y0 = rng.randint(1, N - 1 - w), rng.randint(1, N - 1 - h)
    grid = [["#"] * N for _ in range(N)]
    for y in range(y0, y0 + h):
        for x in range(x0, x0 + w):
            grid[y][x] = "."
    if rng.random() < 0.5:  # an L: one corner cut away
        cw, ch = rng.randint(1, w // 2), rng.randint(1, h // 2)
        cx = x0 if rng.random() < 0.5 else x0 + w - cw
        cy = y0 if rng.random() < 0.5 else y0 + h - ch
        for y in range(cy, cy + ch):
            for x in range(cx, cx + cw):
                grid[y][x] = "#"
    for _ in range(walls):
        grid[rng.randint(y0 + 1, y0 + h - 2)][rng.randint(x0 + 1, x0 + w - 2)] = "#"
    return grid, (x0, y0, w, h)


def empties(grid):
    return [(x, y) for y in range(N) for x in range(N) if grid[y][x] == "."]


def place(rng, grid, ch):
    x, y = rng.choice(empties(grid))
    grid[y][x] = ch


def mutate(rng, grid, box):
    x0, y0, w, h = box
    g = [r[:] for r in grid]
    objs = [(x, y) for y in range(N) for x in range(N) if g[y][x] not in ".#"]
    r = rng.random()
    if r < 0.75:  # move an object
        x, y = rng.choice(objs)
        ch = g[y][x]
        g[y][x] = "."
        place(rng, g, ch)
    elif r < 0.9:  # a wall cell inside the room moves
        inside = [(x, y) for y in range(y0 + 1, y0 + h - 1) for x in range(x0 + 1, x0 + w - 1)]
        walls = [c for c in inside if g[c[1]][c[0]] == "#"]
        if walls:
            x, y = rng.choice(walls)
            g[y][x] = "."
            place_wall = [c for c in inside if g[c[1]][c[0]] == "."]
            x, y = rng.choice(place_wall)
            g[y][x] = "#"
    else:  # two objects swap
        (ax, ay), (bx, by) = rng.sample(objs, 2)
        g[ay][ax], g[by][bx] = g[by][bx], g[ay][ax]
    return g


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--kinds", required=True)
    ap.add_argument("--seed", type=int, required=True)
    ap.add_argument("--out", required=True)
    ap.add_argument("--steps", type=int, default=400)
    ap.add_argument("--size", default="6x5-9x7")
    ap.add_argument("--walls", type=int, default=2)
    ap.add_argument("--max-states", type=int, default=200000)
    ap.add_argument("--unhauled", action="store_true",
                    help="climb on the pushes that do not haul a box")
    a = ap.parse_args()
    rng = random.Random(a.seed)
    lo, hi = a.size.split("-")
    size = (tuple(int(v) for v in lo.split("x")), tuple(int(v) for v in hi.split("x")))
    scratch = tempfile.NamedTemporaryFile(suffix=".txt", delete=False).name
    best = None
    for _ in range(50):
        grid, box = room(rng, size, a.walls)
        for ch in "@EPP" + "".join(KIND[k] for k in a.kinds):
            place(rng, grid, ch)
        r = solve(grid, scratch, a.max_states, a.unhauled)
        if r:
            best = (grid, r)
            break
    if not best:
        sys.exit("no solvable start")
    needed = kinds_needed(best[0], a.kinds, best[1][1], scratch, a.max_states)
    for _ in range(a.steps):
        g = mutate(rng, best[0], box)
        r = solve(g, scratch, a.max_states, a.unhauled)
        if not r or (r[0], r[1]) < (best[1][0], best[1][1]) and needed:
            continue
        # a room whose kinds are all tools first, then more pushes, then more moves
        n = kinds_needed(g, a.kinds, r[1], scratch, a.max_states)
        if (n, r[0], r[1]) >= (needed, best[1][0], best[1][1]):
            best, needed = (g, r), n
    os.unlink(scratch)
    with open(a.out, "w") as f:
        f.write(text(best[0], idea=", ".join(NAME[k] for k in a.kinds) + "."))
    print("%s: %d %spushes, %d moves, %d states" % (a.out, best[1][0], "unhauled " if a.unhauled else "", *best[1][1:]))


if __name__ == "__main__":
    main()
