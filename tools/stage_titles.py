#!/usr/bin/env python3
"""Writes the stage titles as a C++ source for the side panels: the first
comment line of each stage file (assets/stages/001.txt ...), which the stage
tools write from assets/stage-notes/words.txt. The panel shows each through
the catalogue under CONTEXT; tools/catalogue.py puts them there.

Usage: stage_titles.py STAGE_DIR OUTPUT.cpp
"""
import os
import sys

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import core_tables  # noqa: E402

STAGES = core_tables.stage_count()
# The catalogue's context for the titles: a title may read like another
# text of the game and still want a translation of its own.
CONTEXT = "stage title"


def heading(path):
    """The first two comment lines of a stage file: its title and the idea
    of the puzzle; "" where a line is missing."""
    lines = []
    with open(path, encoding="utf-8") as f:
        for line in f:
            if len(lines) == 2 or not line.startswith(";"):
                break
            lines.append(line.rstrip("\r\n")[1:].strip())
    return (lines + ["", ""])[:2]


def headings(stage_dir):
    """(title, idea) of stages 1 to STAGES, ("", "") for a missing file."""
    out = []
    for n in range(1, STAGES + 1):
        path = os.path.join(stage_dir, f"{n:03d}.txt")
        out.append(heading(path) if os.path.exists(path) else ["", ""])
    return out


def c_string(text):
    out = []
    for ch in text:
        if ch in '"\\':
            out.append("\\" + ch)
        elif ord(ch) < 32:
            out.append(" ")
        else:
            out.append(ch)
    return '"' + "".join(out) + '"'


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    stage_dir, output = sys.argv[1], sys.argv[2]
    titles = [title for title, _ in headings(stage_dir)]
    text = ["// Written by tools/stage_titles.py from the stage files; do not edit.",
            '#include "data/stage_titles.h"', "", '#include "core/words.h"', "",
            "namespace rara3 {", "",
            "namespace {", "const char* const kTitles[] = {"]
    text += [f"    {c_string(t)}," for t in titles]
    text += ["};", "}  // namespace", "",
             "const char* StageTitle(int32_t stageNo) {",
             f"  if (stageNo < 1 || stageNo > {STAGES}) return \"\";",
             f"  return TrContext({c_string(CONTEXT)}, kTitles[stageNo - 1]);",
             "}", "", "}  // namespace rara3", ""]
    new = "\n".join(text)
    # Written only when it changes, so the library is not rebuilt for nothing.
    if not os.path.exists(output) or open(output, encoding="utf-8").read() != new:
        os.makedirs(os.path.dirname(output), exist_ok=True)
        with open(output, "w", encoding="utf-8") as f:
            f.write(new)


if __name__ == "__main__":
    main()
