"""The icon: a pair box, transparent around it, drawn at any size.

The shapes are laid out on a 32-unit grid and drawn at the size asked for,
so each size is drawn crisp rather than scaled from another; 32 x 32 is the
window icon, and 16 to 256 are the desktop's icons. The scalable icon is the
32 x 32 drawing as an SVG of square pixels, so it stays sharp at any size and
shows exactly what the window icon shows.
"""

import math

import numpy as np
from PIL import Image

from canvas import Canvas, grow, shrink
import palette as P

SIZES = (16, 22, 24, 32, 48, 64, 128, 256)
# The web page's, for a phone's home screen.
WEB_SIZES = (192, 512)
SVG_SIZE = 32


class _Grid:
    """The 32-unit layout on a canvas of size x size pixels."""

    def __init__(self, size):
        self.c = Canvas(size, size)
        self.k = size / 32
        # Outlines and rims grow with the picture, a pixel per 32 of size.
        self.line = max(1, round(self.k))

    def rect(self, x0, y0, x1, y1):
        """Units x0..x1, y0..y1, both ends inclusive."""
        k = self.k
        return self.c.rect(math.floor(x0 * k), math.floor(y0 * k),
                           math.ceil((x1 + 1) * k) - 1, math.ceil((y1 + 1) * k) - 1)

    def ellipse(self, cx, cy, rx, ry):
        k = self.k
        return self.c.ellipse((cx + 0.5) * k - 0.5, (cy + 0.5) * k - 0.5, rx * k, ry * k)

    def edge(self, mask):
        inner = mask
        for _ in range(self.line):
            inner = shrink(inner)
        return mask & ~inner

    def ring_outside(self, mask):
        out = mask
        for _ in range(self.line):
            out = grow(out)
        return out & ~mask

    def paint(self, mask, fill, light=None, shade=None, rim=2):
        rim = rim * self.line
        self.c.paint(mask, fill, outline=None, light=light, shade=shade, rim=rim)
        self.c.fill(self.edge(mask), P.OUTLINE)


def make_icon(size=32):
    g = _Grid(size)
    c = g.c
    base, ribbon = P.BOX_COLORS[0][0], P.RIBBON[0]
    front = g.rect(2, 13, 29, 30)
    g.paint(front, base, light=P.lighter(base, 0.25), shade=P.darker(base, 0.3))
    c.fill(g.rect(14, 14, 17, 29), ribbon)
    lid = g.rect(1, 7, 30, 13)
    g.paint(lid, P.lighter(base, 0.3))
    c.fill(g.rect(14, 8, 17, 12) | g.rect(2, 9, 29, 10), ribbon)
    c.fill(g.rect(1, 13, 30, 13), P.OUTLINE)
    loops = g.ellipse(10.5, 5, 5.5, 4) | g.ellipse(21.5, 5, 5.5, 4)
    g.paint(loops, ribbon, shade=P.darker(ribbon, 0.3), rim=1)
    g.paint(g.rect(14, 2, 17, 8), P.lighter(ribbon, 0.2))
    rings = np.zeros((size, size), bool)
    for cx in (12, 20):
        rings |= g.ellipse(cx, 22, 5.5, 5.5) & ~g.ellipse(cx, 22, 3.5, 3.5)
    c.fill(g.ring_outside(rings) & ~rings & g.rect(3, 14, 28, 29), P.OUTLINE)
    c.fill(rings, P.MARK)
    rgba = np.zeros((size, size, 4), np.uint8)
    rgba[..., :3] = c.rgb
    rgba[..., 3] = np.where(c.visible(), 255, 0)
    return Image.fromarray(rgba, "RGBA")


def svg_from_pixels(img):
    """An RGBA picture as an SVG of rectangles, one per run of a colour.

    Runs of a row are merged with the same run in the rows below; fully
    transparent pixels are left out. The same picture always gives the same
    text."""
    a = np.asarray(img.convert("RGBA"))
    h, w = a.shape[:2]
    open_runs = {}   # (x0, x1, colour) -> its first row
    rects = []
    for y in range(h + 1):
        row = set()
        x = 0
        while y < h and x < w:
            px = tuple(int(v) for v in a[y, x])
            x1 = x
            while x1 + 1 < w and tuple(int(v) for v in a[y, x1 + 1]) == px:
                x1 += 1
            if px[3]:
                row.add((x, x1, px))
            x = x1 + 1
        for run in [r for r in open_runs if r not in row]:
            rects.append((open_runs.pop(run), y, run))
        for run in row:
            open_runs.setdefault(run, y)
    rects.sort(key=lambda r: (r[0], r[2][0]))
    out = [f'<svg xmlns="http://www.w3.org/2000/svg" width="{w}" height="{h}" '
           f'viewBox="0 0 {w} {h}" shape-rendering="crispEdges">']
    for y0, y1, (x0, x1, (r, g, b, al)) in rects:
        opacity = "" if al == 255 else f' fill-opacity="{al / 255:.4f}"'
        out.append(f'<rect x="{x0}" y="{y0}" width="{x1 - x0 + 1}" height="{y1 - y0}" '
                   f'fill="#{r:02x}{g:02x}{b:02x}"{opacity}/>')
    out.append("</svg>")
    return "\n".join(out) + "\n"


def pixels_from_svg(text):
    """The RGBA pixels an SVG of svg_from_pixels describes, for checking it."""
    import re
    m = re.search(r'width="(\d+)" height="(\d+)"', text)
    w, h = int(m.group(1)), int(m.group(2))
    a = np.zeros((h, w, 4), np.uint8)
    for x, y, rw, rh, col, op in re.findall(
            r'<rect x="(\d+)" y="(\d+)" width="(\d+)" height="(\d+)" fill="#([0-9a-f]{6})"'
            r'(?: fill-opacity="([0-9.]+)")?/>', text):
        x, y, rw, rh = int(x), int(y), int(rw), int(rh)
        alpha = 255 if not op else round(float(op) * 255)
        a[y:y + rh, x:x + rw] = [int(col[i:i + 2], 16) for i in (0, 2, 4)] + [alpha]
    return a
