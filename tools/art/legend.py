#!/usr/bin/python3
"""The picture legend of the README: every kind as the game draws it.

    /usr/bin/python3 tools/art/legend.py [OUT]      (default docs/legend.png)

Cuts the eight boxes, the player and the open exit out of the sheets in
assets/sheets, in both colour sets, sets them on the first floor at twice
their size and writes what each one does beside it. Run it again after
changing the sheets; the words live here and in the README's table.
"""

import os
import sys
import textwrap

import numpy as np
from PIL import Image, ImageDraw, ImageFont

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
FONTS = "/usr/share/fonts/truetype/dejavu/"

SCALE = 2
# (name, what it does); the boxes in the order of the editor's keys 1-8.
ENTRIES = [
    ("pair", "Slides until it hits something. Two pair boxes at rest side by side open the exit."),
    ("break", "Cannot be pushed. A bomb box blows it up."),
    ("vanish", "Slides, then vanishes where it stops."),
    ("step", "Moves one cell only, and only onto an empty cell."),
    ("slide", "Slides until it hits something."),
    ("copy", "Slides and turns into the box it hits; hitting a pair box, it opens the exit."),
    ("solid", "Never moves, and no bomb breaks it."),
    ("bomb", "Slides and blows up the box it hits (not a solid box)."),
    ("you", "Walk with the arrow keys; walking into a box pushes it."),
    ("exit", "Opens when two pair boxes meet. Walk onto it to clear the floor."),
]


def sheet(n):
    return np.asarray(Image.open(os.path.join(ROOT, "assets", "sheets",
                                              f"Picture{n}.png")).convert("RGB"))


# Every picture shows one board cell, at x 12-35, y 22-45 of a 48 x 48 patch
# of floor, with each piece placed on it as the board places it.
PATCH = 48
CELL_X, CELL_Y = 12, 22


def on_floor(src, rect, dx, dy, floor):
    """src[rect] drawn at (CELL_X + dx, CELL_Y + dy) over the floor, keyed."""
    x0, y0, x1, y1 = rect
    out = np.tile(floor, (2, 2, 1))[:PATCH, :PATCH].copy()
    piece = src[y0:y1, x0:x1]
    for y in range(piece.shape[0]):
        for x in range(piece.shape[1]):
            px, py = CELL_X + dx + x, CELL_Y + dy + y
            if 0 <= px < PATCH and 0 <= py < PATCH and piece[y, x].any():
                out[py, px] = piece[y, x]
    img = Image.fromarray(out, "RGB")
    return img.resize((PATCH * SCALE, PATCH * SCALE), Image.NEAREST)


def pictures(cset):
    """The ten pictures of one colour set."""
    p1, p3, p4, p6 = sheet(1), sheet(3), sheet(4), sheet(6)
    floor = p6[0:44, 0:44]
    out = []
    for k in range(8):     # tiles stand 12 px up into the row above
        out.append(on_floor(p3, (24 * k, 36 * cset, 24 * k + 24, 36 * cset + 36), 0, -12, floor))
    # The standing player facing the viewer: the frame is 32 px left of and
    # 44 px above its cell.
    out.append(on_floor(p1, (0, 1200, 89, 1280), -32, -44, floor))
    # The brightest exit step: 7 px left of its cell, bottom on the cell's.
    g = 37 * 4 + 185 * cset
    out.append(on_floor(p4, (g, 0, g + 37, 88), -7, -64, floor))
    return out


def make_legend():
    bold = ImageFont.truetype(FONTS + "DejaVuSans-Bold.ttf", 16)
    font = ImageFont.truetype(FONTS + "DejaVuSans.ttf", 15)
    sets = [pictures(0), pictures(1)]
    col_w = max(p.width for p in sets[0] + sets[1]) + 16
    row_h = [max(sets[0][i].height, sets[1][i].height) + 12 for i in range(len(ENTRIES))]
    head_h = 30
    text_x = 2 * col_w + 16
    width = text_x + 500
    img = Image.new("RGB", (width, head_h + sum(row_h)), (34, 32, 44))
    d = ImageDraw.Draw(img)
    light, dim = (244, 240, 232), (190, 186, 200)
    d.text((8, 6), "colour set 1", fill=dim, font=font)
    d.text((col_w + 8, 6), "set 2 (Space)", fill=dim, font=font)
    y = head_h
    for i, (name, what) in enumerate(ENTRIES):
        for c in (0, 1):
            p = sets[c][i]
            img.paste(p, (c * col_w + (col_w - p.width) // 2, y + (row_h[i] - p.height) // 2))
        lines = textwrap.wrap(what, 56)
        block = 22 + 19 * len(lines)
        ty = y + (row_h[i] - block) // 2
        d.text((text_x, ty), name, fill=light, font=bold)
        for n, line in enumerate(lines):
            d.text((text_x, ty + 22 + 19 * n), line, fill=dim, font=font)
        y += row_h[i]
        if i < len(ENTRIES) - 1:
            d.line([(8, y - 1), (width - 8, y - 1)], fill=(58, 54, 72))
    return img


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else os.path.join(ROOT, "docs", "legend.png")
    make_legend().save(out, optimize=True)
    print("wrote", out)


if __name__ == "__main__":
    main()
