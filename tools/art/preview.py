#!/usr/bin/python3
"""Mock-up screens from the sheets in assets/, to judge the art in place.

    /usr/bin/python3 tools/art/preview.py [OUTDIR]     (default /tmp/rara3-preview)

Places the pieces where the game draws them (the same offsets and the same
black colour key) and writes 1x and 2x screens. It is a look, not the game.
"""

import os
import sys

import numpy as np
from PIL import Image

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))


def sheet(n):
    return np.asarray(Image.open(os.path.join(ROOT, "assets", "sheets",
                                              f"Picture{n}.png")).convert("RGB"))


def keyed(screen, src, sx, sy, w, h, x, y, clip=True):
    """Blit src[sy:sy+h, sx:sx+w] at (x, y), skipping black, clipped to the board."""
    right = 560 if clip else 640
    part = src[sy:sy + h, sx:sx + w]
    x0, y0 = max(x, 0), max(y, 0)
    x1, y1 = min(x + w, right), min(y + h, 480)
    if x1 <= x0 or y1 <= y0:
        return
    part = part[y0 - y:y1 - y, x0 - x:x1 - x]
    m = part.any(axis=2)
    screen[y0:y1, x0:x1][m] = part[m]


def floor(screen, p6, stage):
    t = (stage - 1) // 10
    for i in range(11):
        for j in range(11):
            keyed(screen, p6, 44 * t, 0, 44, 44, 80 + 44 * j, 44 * i)


def board(stage, alt, cells, player_at=None, pframe=(0, 1200), glow=None,
          blast=None, extra=None):
    """cells: {(x, y): kind}; the ring is solid boxes."""
    p1, p3, p4, p6, p7 = sheet(1), sheet(3), sheet(4), sheet(6), sheet(7)
    s = np.zeros((480, 640, 3), np.uint8)
    floor(s, p6, stage)
    grid = {}
    for i in range(20):
        for e in ((i, 0), (i, 19), (0, i), (19, i)):
            grid[e] = 7
    grid.update(cells)
    if player_at:
        grid[player_at] = 9
    if glow:
        grid[glow[0]] = 10
    for y in range(20):
        for x in range(20):
            k = grid.get((x, y), 0)
            if 1 <= k <= 8:
                keyed(s, p3, 24 * (k - 1), 36 * alt, 24, 36, 80 + 24 * x, 24 * y - 12)
            elif k == 9:
                keyed(s, p1, pframe[0], pframe[1], 89, 80, 24 * x + 48, 24 * y - 44)
            elif k == 10:
                keyed(s, p4, 37 * glow[1] + 185 * alt, 0, 37, 88, 24 * x + 73, 24 * y - 64)
    if blast:
        (hx, hy), f = blast
        keyed(s, p7, 59 * (f % 6), 71 * (f // 6), 59, 71, 24 * hx + 65, 24 * hy - 30)
    if extra:
        extra(s)
    return s


def title(stage):
    p2, p5 = sheet(2), sheet(5)
    s = np.zeros((480, 640, 3), np.uint8)
    keyed(s, p2, 0, 0, 640, 480, 0, 0, clip=False)
    keyed(s, p5, 0, 120, 468, 102, 86, 43, clip=False)
    if stage == 100:
        keyed(s, p5, 48, 0, 48, 60, 320, 320, clip=False)
    if stage > 9:
        n = (stage % 100) // 10
        keyed(s, p5, 48 * n, 0, 48, 60, 384, 320, clip=False)
    n = stage % 10
    keyed(s, p5, 48 * n, 0, 48, 60, 448, 320, clip=False)
    keyed(s, p5, 0, 60, 168, 60, 128, 320, clip=False)
    return s


def ending(mouth_open, banner):
    p5, p8 = sheet(5), sheet(8)
    s = np.zeros((480, 640, 3), np.uint8)
    keyed(s, p8, 96 if mouth_open else 0, 0, 96, 180, 271, 154, clip=False)
    if banner:
        keyed(s, p5, 0, 222, 565, 70, 37, 360, clip=False)
    return s


def save(out, name, s):
    img = Image.fromarray(s, "RGB")
    img.save(os.path.join(out, name + ".png"))
    img.resize((1280, 960), Image.NEAREST).save(os.path.join(out, name + "-2x.png"))


def main():
    out = sys.argv[1] if len(sys.argv) > 1 else "/tmp/rara3-preview"
    os.makedirs(out, exist_ok=True)
    cells = {}
    for alt_row, y in ((0, 3), (1, 6)):
        for k in range(1, 9):
            cells[(2 + 2 * k - 1, y)] = k
    for k in range(1, 9):                         # a packed block of boxes
        cells[(2 + k, 10)] = k
        cells[(2 + k, 11)] = 9 - k
    for alt in (0, 1):
        for stage in (1, 31, 61, 91):
            s = board(stage, alt, cells, player_at=(14, 14), glow=((16, 14), 4),
                      blast=((6, 15), 4))
            save(out, f"board-stage{stage}-set{alt}", s)
    # Every player frame on the board, one per cell.
    p1 = sheet(1)

    def frames(s):
        for r in range(16):
            for c in range(7):
                x, y = 1 + c * 2 + (r % 2), 1 + r
                keyed(s, p1, 89 * c, 80 * r, 89, 80, 24 * x + 48, 24 * y - 44)
    save(out, "player-frames", board(11, 0, {}, extra=frames))
    for stage in (7, 100, 42):
        save(out, f"title-{stage}", title(stage))
    save(out, "ending", ending(False, True))
    save(out, "ending-open", ending(True, False))
    print("wrote", out)


if __name__ == "__main__":
    main()
