"""The window icon: a pair box, 32 x 32, transparent around it."""

import numpy as np
from PIL import Image

from canvas import Canvas, grow
import palette as P


def make_icon():
    c = Canvas(32, 32)
    base, ribbon = P.BOX_COLORS[0][0], P.RIBBON[0]
    front = c.rect(2, 13, 29, 30)
    c.paint(front, base, light=P.lighter(base, 0.25), shade=P.darker(base, 0.3))
    c.fill(c.rect(14, 14, 17, 29), ribbon)
    lid = c.rect(1, 7, 30, 13)
    c.paint(lid, P.lighter(base, 0.3))
    c.fill(c.rect(14, 8, 17, 12) | c.rect(2, 9, 29, 10), ribbon)
    c.fill(c.rect(1, 13, 30, 13), P.OUTLINE)
    loops = c.ellipse(10.5, 5, 5.5, 4) | c.ellipse(21.5, 5, 5.5, 4)
    c.paint(loops, ribbon, shade=P.darker(ribbon, 0.3), rim=1)
    c.paint(c.rect(14, 2, 17, 8), P.lighter(ribbon, 0.2))
    rings = np.zeros((32, 32), bool)
    for cx in (12, 20):
        rings |= c.ellipse(cx, 22, 5.5, 5.5) & ~c.ellipse(cx, 22, 3.5, 3.5)
    c.fill(grow(rings) & ~rings & c.rect(3, 14, 28, 29), P.OUTLINE)
    c.fill(rings, P.MARK)
    rgba = np.zeros((32, 32, 4), np.uint8)
    rgba[..., :3] = c.rgb
    rgba[..., 3] = np.where(c.visible(), 255, 0)
    return Image.fromarray(rgba, "RGBA")
