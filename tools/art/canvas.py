"""Pixel canvas: flat shapes with a dark outline and a little shading.

Every sheet is drawn on an RGB array where (0, 0, 0) means "nothing here"
(it is the game's transparent colour). Shapes are made as boolean masks,
then painted with fill, a one-pixel outline along the mask's edge, a
highlight on the upper-left rim and a shade on the lower-right rim.
"""

import math

import numpy as np
from PIL import Image, ImageDraw

from palette import OUTLINE


class Canvas:
    def __init__(self, w, h):
        self.w, self.h = w, h
        self.rgb = np.zeros((h, w, 3), np.uint8)

    # ---- masks -------------------------------------------------------
    def _draw(self, fn):
        img = Image.new("L", (self.w, self.h), 0)
        fn(ImageDraw.Draw(img))
        return np.asarray(img) > 0

    def ellipse(self, cx, cy, rx, ry):
        """Ellipse of radii rx, ry centred on (cx, cy); half-pixel centres allowed."""
        box = [_rnd(cx - rx + 0.5), _rnd(cy - ry + 0.5),
               _rnd(cx + rx - 0.5), _rnd(cy + ry - 0.5)]
        if box[2] < box[0] or box[3] < box[1]:
            return np.zeros((self.h, self.w), bool)
        return self._draw(lambda d: d.ellipse(box, fill=255))

    def rect(self, x0, y0, x1, y1):
        """Rectangle with inclusive corners."""
        m = np.zeros((self.h, self.w), bool)
        x0, x1 = max(0, int(x0)), min(self.w - 1, int(x1))
        y0, y1 = max(0, int(y0)), min(self.h - 1, int(y1))
        if x1 >= x0 and y1 >= y0:
            m[y0:y1 + 1, x0:x1 + 1] = True
        return m

    def rounded(self, x0, y0, x1, y1, r):
        return self._draw(lambda d: d.rounded_rectangle(
            [int(x0), int(y0), int(x1), int(y1)], radius=r, fill=255))

    def poly(self, pts):
        pts = [(_rnd(x), _rnd(y)) for x, y in pts]
        return self._draw(lambda d: d.polygon(pts, fill=255))

    def line(self, pts, width):
        pts = [(_rnd(x), _rnd(y)) for x, y in pts]

        def draw(d):
            d.line(pts, fill=255, width=width)
            r = (width - 1) / 2
            for x, y in pts:  # round the joints and the ends
                if r >= 1:
                    d.ellipse([x - r, y - r, x + r, y + r], fill=255)
        return self._draw(draw)

    # ---- painting ----------------------------------------------------
    def fill(self, mask, color):
        self.rgb[mask] = color

    def paint(self, mask, fill, outline=OUTLINE, light=None, shade=None,
              rim=2):
        """Fill a shape, shade its rims and outline its edge."""
        if not mask.any():
            return
        self.rgb[mask] = fill
        if light is not None:
            self.rgb[mask & ~shift(mask, rim, rim)] = light
        if shade is not None:
            self.rgb[mask & ~shift(mask, -rim, -rim)] = shade
        if outline is not None:
            self.rgb[edge(mask)] = outline

    def outline_around(self, color=OUTLINE, mask=None):
        """Add a one-pixel outline outside everything drawn so far."""
        drawn = self.visible() if mask is None else mask
        ring = grow(drawn) & ~drawn
        self.rgb[ring] = color

    def visible(self):
        return self.rgb.any(axis=2)

    def blit(self, other, x, y, key=True):
        """Copy another canvas (or array) at (x, y); black is skipped if key."""
        src = other.rgb if isinstance(other, Canvas) else other
        h, w = src.shape[:2]
        x0, y0 = max(0, x), max(0, y)
        x1, y1 = min(self.w, x + w), min(self.h, y + h)
        if x1 <= x0 or y1 <= y0:
            return
        part = src[y0 - y:y1 - y, x0 - x:x1 - x]
        dst = self.rgb[y0:y1, x0:x1]
        if key:
            m = part.any(axis=2)
            dst[m] = part[m]
        else:
            dst[:] = part

    def image(self):
        return Image.fromarray(self.rgb, "RGB")


def _rnd(v):
    """Round half up (Python's round() goes to even, which breaks symmetry)."""
    return int(math.floor(v + 0.5))


def shift(mask, dx, dy):
    """mask moved by (dx, dy); what moves in from outside is False."""
    out = np.zeros_like(mask)
    h, w = mask.shape
    xs0, xs1 = max(0, -dx), min(w, w - dx)
    ys0, ys1 = max(0, -dy), min(h, h - dy)
    out[ys0 + dy:ys1 + dy, xs0 + dx:xs1 + dx] = mask[ys0:ys1, xs0:xs1]
    return out


def shrink(mask):
    return (mask & shift(mask, 1, 0) & shift(mask, -1, 0)
            & shift(mask, 0, 1) & shift(mask, 0, -1))


def grow(mask):
    return (mask | shift(mask, 1, 0) | shift(mask, -1, 0)
            | shift(mask, 0, 1) | shift(mask, 0, -1))


def edge(mask):
    return mask & ~shrink(mask)


def to565_is_zero(rgb):
    """True where a colour becomes 0 in the 16-bit display format (5-6-5)."""
    rgb = np.asarray(rgb)
    return (rgb[..., 0] < 8) & (rgb[..., 1] < 4) & (rgb[..., 2] < 8)
