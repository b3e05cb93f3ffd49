#!/usr/bin/env python3
"""Writes the stage titles as a C++ source for the side panels: the first
comment line of each stage file (assets/stages/001.txt ...), which the stage
tools write from assets/stage-notes/words.txt.

Usage: stage_titles.py STAGE_DIR OUTPUT.cpp
"""
import os
import sys


def title_of(path):
    with open(path, encoding="utf-8") as f:
        for line in f:
            line = line.rstrip("\r\n")
            if not line.startswith(";"):
                return ""
            return line[1:].strip()
    return ""


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
    titles = []
    for n in range(1, 101):
        path = os.path.join(stage_dir, f"{n:03d}.txt")
        titles.append(title_of(path) if os.path.exists(path) else "")
    text = ["// Written by tools/stage_titles.py from the stage files; do not edit.",
            '#include "data/stage_titles.h"', "", "namespace rara3 {", "",
            "namespace {", "const char* const kTitles[] = {"]
    text += [f"    {c_string(t)}," for t in titles]
    text += ["};", "}  // namespace", "",
             "const char* StageTitle(int32_t stageNo) {",
             "  if (stageNo < 1 || stageNo > 100) return \"\";",
             "  return kTitles[stageNo - 1];",
             "}", "", "}  // namespace rara3", ""]
    new = "\n".join(text)
    # Written only when it changes, so the library is not rebuilt for nothing.
    if not os.path.exists(output) or open(output, encoding="utf-8").read() != new:
        os.makedirs(os.path.dirname(output), exist_ok=True)
        with open(output, "w", encoding="utf-8") as f:
            f.write(new)


if __name__ == "__main__":
    main()
