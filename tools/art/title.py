"""Picture2: the title background.

A morning sky over a wooden floor with stacks of gift boxes and the player
at the sides. The logo area (x 86-553, y 43-144) keeps to a smooth sky and
the stage-number area (x 128-495, y 320-379) sits on a plain panel, so the
lettering drawn over them stays easy to read.
"""

import numpy as np
from PIL import Image

from canvas import Canvas
import palette as P
import boxes
import floors
import player

W, H = 640, 480
HORIZON = 280
PANEL = (116, 308, 507, 391)         # frames the stage-number area

SKY_TOP = (40, 84, 196)
SKY_LOW = (170, 220, 255)
PANEL_FILL = (40, 36, 88)
PANEL_EDGE = (250, 230, 150)


def sky(c):
    t = np.linspace(0, 1, HORIZON)[:, None]
    top, low = np.array(SKY_TOP), np.array(SKY_LOW)
    grad = top * (1 - t) + low * t
    # Banded, like pixel art skies: a few flat steps instead of a smooth ramp.
    steps = 12
    grad = top + np.floor((grad - top) / (low - top + 1e-9) * steps) / steps * (low - top)
    c.rgb[:HORIZON] = np.clip(grad, 24, 255).astype(np.uint8)[:, None, :]


def cloud(c, x, y, s):
    parts = [(0, 0, 18, 10), (16, -6, 16, 12), (32, 0, 18, 10), (14, 4, 24, 8)]
    m = np.zeros((c.h, c.w), bool)
    for dx, dy, rx, ry in parts:
        m |= c.ellipse(x + dx * s, y + dy * s, rx * s, ry * s)
    c.paint(m, (250, 252, 255), outline=(150, 180, 230), shade=(210, 226, 250),
            rim=3)


def hills(c):
    """Two rows of rounded hills on the horizon, the far ones paler."""
    for color, base, bumps in (((150, 200, 170), HORIZON - 8,
                                [(40, 46), (150, 30), (330, 40), (470, 34), (610, 44)]),
                               ((96, 176, 96), HORIZON,
                                [(-10, 30), (100, 24), (230, 34), (420, 26), (560, 32)])):
        m = np.zeros((c.h, c.w), bool)
        for x, r in bumps:
            m |= c.ellipse(x, base, r * 1.8, r)
        m &= c.rect(0, 0, W - 1, HORIZON)
        c.paint(m, color, outline=P.darker(color, 0.45), light=P.lighter(color, 0.25),
                rim=2)


def wood_floor(c):
    """The planks of the first floor, seen in perspective up to the horizon."""
    tile = floors.planks()
    ys, xs = np.mgrid[HORIZON:H, 0:W]
    z = 300.0 / (ys - HORIZON + 12)          # distance of each screen row
    u = ((xs - W / 2) * z / 6).astype(int) % 44
    v = (z * 22).astype(int) % 44
    floor = tile[v, u].astype(float)
    # Darker towards the back, where the floor meets the hills.
    dim = np.clip(0.6 + 0.4 * (ys - HORIZON) / 90, 0.6, 1)[..., None]
    c.rgb[HORIZON:] = np.clip(floor * dim, 24, 255).astype(np.uint8)
    c.fill(c.rect(0, HORIZON, W - 1, HORIZON + 1), (92, 58, 40))


def box_stack(c, x, y, cols, scale):
    """Boxes scaled up from the board tiles, bottom row first."""
    tw, th = 24 * scale, 36 * scale
    step = 24 * scale
    for row, line in enumerate(cols):
        for i, (col, cset) in enumerate(line):
            tile = boxes.draw_box(col, cset).image().resize((tw, th), Image.NEAREST)
            bx = x + i * tw + row * tw // 2
            by = y - th - row * step
            c.blit(np.asarray(tile), bx, by)


def panel(c):
    x0, y0, x1, y1 = PANEL
    m = c.rounded(x0, y0, x1, y1, 10)
    c.paint(m, PANEL_FILL, outline=P.OUTLINE, light=(70, 64, 130),
            shade=(28, 24, 64), rim=4)
    inner = c.rounded(x0 + 3, y0 + 3, x1 - 3, y1 - 3, 8)
    from canvas import edge
    c.fill(edge(inner), PANEL_EDGE)


def make_sheet():
    c = Canvas(W, H)
    sky(c)
    cloud(c, 18, 190, 1.0)
    cloud(c, 560, 214, 0.8)
    cloud(c, 250, 232, 0.6)
    cloud(c, 596, 24, 0.7)
    hills(c)
    wood_floor(c)
    box_stack(c, 6, 470, [[(0, 0), (1, 0)], [(2, 0)]], 2)
    box_stack(c, 584, 472, [[(5, 0), (3, 0)], [(6, 0)]], 2)
    box_stack(c, 112, 474, [[(4, 1)]], 1)
    panel(c)
    hero = player.draw_figure(player.cheer_pose(11)).image()
    hero = hero.resize((hero.width * 2, hero.height * 2), Image.NEAREST)
    c.blit(np.asarray(hero), 452, 474 - 2 * player.GROUND)
    return c
