#!/usr/bin/python3
"""Rewrites the idea line (the second comment line) of stage files from what
their shortest solution does, as rara3-solve tells it.

usage: refresh_ideas.py STAGE.txt...   (RARA3_SOLVE names the solver)
"""
import os
import subprocess
import sys


def main():
    solver = os.environ.get("RARA3_SOLVE", "build/tools/solve/rara3-solve")
    for path in sys.argv[1:]:
        out = subprocess.run([solver, path], capture_output=True, text=True).stdout
        ideas = [l[len("what happens: "):] for l in out.splitlines() if l.startswith("what happens: ")]
        if not ideas:
            print(f"{path}: not solved, left as it was", file=sys.stderr)
            continue
        lines = open(path).read().split("\n")
        comments = [i for i, l in enumerate(lines) if l.startswith(";")]
        if len(comments) < 2:
            print(f"{path}: no idea line, left as it was", file=sys.stderr)
            continue
        lines[comments[1]] = "; " + ideas[0]
        with open(path + ".tmp", "w") as f:
            f.write("\n".join(lines))
        os.replace(path + ".tmp", path)
    return 0


if __name__ == "__main__":
    sys.exit(main())
