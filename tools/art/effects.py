"""Picture4 (the open exit's glow) and Picture7 (the explosion).

Soft light is drawn as pixel art: an intensity field is cut into a few
colour bands, and the faintest band is dithered so it fades into the
floor instead of ending in a hard edge.
"""

import numpy as np

from canvas import Canvas, grow
import palette as P

BAYER4 = np.array([[0, 8, 2, 10], [12, 4, 14, 6],
                   [3, 11, 1, 9], [15, 7, 13, 5]]) / 16.0


def _bands(field, colors, cut):
    """Colour an intensity field (0..1+) with bands; below cut is dithered."""
    h, w = field.shape
    out = np.zeros((h, w, 3), np.uint8)
    thresh = np.tile(BAYER4, (h // 4 + 1, w // 4 + 1))[:h, :w]
    faint = (field > cut * (0.3 + 0.7 * thresh)) & (field < cut)
    out[faint] = colors[0]
    steps = len(colors) - 1
    for i in range(steps):
        lo = cut + (1 - cut) * i / steps
        out[field >= lo] = colors[i + 1]
    return out


# ---- exit glow ----------------------------------------------------------

GLOW_W, GLOW_H = 37, 88
GLOW_CX = 18.5          # middle of the exit cell (x 7-30 of the glow cell)
CELL_TOP = 64           # the exit cell is rows 64-87 of the glow cell
PAD_CY = 76             # middle of the exit cell


def _pad(cset, step):
    """The exit itself: a round pad of light that fills its cell.

    A dark rim keeps its shape on light floors; inside, a bright ring, a
    ripple that runs outwards step by step, and the hottest light in the
    middle. It is the brightest part of the glow, so the cell reads as the
    exit even when something stands in front of the light above it.
    """
    g = P.GLOW_SETS[cset]
    ys, xs = np.mgrid[0:GLOW_H, 0:GLOW_W] + 0.5
    r = np.hypot((xs - GLOW_CX) / 11.5, (ys - PAD_CY) / 11.5)
    out = np.zeros((GLOW_H, GLOW_W, 3), np.uint8)
    inside = r <= 1.0
    ripple = 0.3 + 0.12 * step
    warm = P.mix(g["mid"], g["hot"], 0.25 + 0.12 * step)
    out[inside] = g["mid"]
    out[inside & (r < 0.86)] = P.mix(g["dim"], g["mid"], 0.35 + 0.1 * step)
    out[inside & (np.abs(r - ripple) < 0.09)] = warm
    out[inside & (r < 0.22 + 0.02 * step)] = g["hot"]
    out[inside & (np.abs(r - 0.93) < 0.07)] = P.mix(g["mid"], g["hot"], 0.2 + 0.2 * step)
    out[inside & (r > 0.985)] = g["dim"]
    # The pad's dark rim: only where it ends, so the floor around shows.
    ring = inside & ~_shrink(inside)
    out[ring] = P.darker(g["dim"], 0.3)
    return out


def _shrink(m):
    s = m.copy()
    s[1:, :] &= m[:-1, :]
    s[:-1, :] &= m[1:, :]
    s[:, 1:] &= m[:, :-1]
    s[:, :-1] &= m[:, 1:]
    return s


# Thin rays rising from the pad: (x in the glow cell, phase, length at step 0).
RAYS = [(11, 0, 22), (15, 3, 34), (18, 1, 44), (22, 4, 30), (26, 2, 20)]
# Sparkles drifting up: (x, lowest y, speed per step).
SPARKS = [(9, 58, 5), (27, 52, 6), (16, 40, 7), (21, 30, 5), (12, 22, 4),
          (25, 16, 3)]


def _column(cset, step):
    """The light above the pad: dashed one-pixel rays and a few sparkles.

    It stands in the rows above the exit, over whatever is drawn there, so
    it stays sparse: most of it is the see-through key colour.
    """
    g = P.GLOW_SETS[cset]
    out = np.zeros((GLOW_H, GLOW_W, 3), np.uint8)
    for x, phase, length in RAYS:
        top = CELL_TOP - length - 4 * step
        for y in range(max(0, top), CELL_TOP):
            height = (CELL_TOP - y) / max(1, CELL_TOP - top)
            # Dashes that rise with the steps; shorter and fewer up high.
            on = (y + phase + 2 * step) % 5
            if on >= (3 if height < 0.5 else 2):
                continue
            out[y, x] = g["mid"] if height < 0.35 else P.mix(g["dim"], g["mid"], 0.5)
    for x, low, speed in SPARKS:
        y = low - speed * step
        if y < 2:
            continue
        hot = P.mix(g["mid"], g["hot"], 0.3 + 0.15 * step)
        out[y, x] = g["hot"]
        for dx, dy in ((1, 0), (-1, 0), (0, 1), (0, -1)):
            out[y + dy, x + dx] = hot
    return out


def glow_cell(cset, step):
    """The open exit: a pad of light on its cell and a faint column above."""
    out = _column(cset, step)
    pad = _pad(cset, step)
    m = pad.any(axis=2)
    out[m] = pad[m]
    return out


def make_glow_sheet():
    sheet = Canvas(370, 88)
    for cset in (0, 1):
        for step in range(5):
            sheet.rgb[:, 37 * step + 185 * cset:37 * step + 185 * cset + 37] = \
                glow_cell(cset, step)
    return sheet


# ---- explosion ----------------------------------------------------------

BLAST_W, BLAST_H = 59, 71
BLAST_CX, BLAST_CY = 27, 42          # middle of the hit cell (x 15-38, y 30-53)


def blast_frame(f, seed=77):
    ys, xs = np.mgrid[0:BLAST_H, 0:BLAST_W] + 0.5
    rng = np.random.RandomState(seed + f)
    ang = np.arctan2(ys - BLAST_CY, xs - BLAST_CX)
    d = np.hypot(xs - BLAST_CX, (ys - BLAST_CY) * 1.1)
    # A lumpy edge: a few lobes that turn a little each frame.
    lobes = (np.sin(ang * 5 + f * 0.7) * 0.12 + np.sin(ang * 9 - f) * 0.07
             + np.sin(ang * 3 + 1.3) * 0.08)
    c = Canvas(BLAST_W, BLAST_H)
    if f < 6:
        radius = [6, 11, 16, 20, 23, 25][f]
        heat = [1.0, 1.0, 0.95, 0.85, 0.75, 0.6][f]
        field = (1 - d / (radius * (1 + lobes))) * 1.6 * heat
        field += rng.uniform(-0.08, 0.08, field.shape)
        colors = [P.FIRE[4], P.FIRE[3], P.FIRE[2], P.FIRE[1], P.FIRE[0]]
        c.rgb = _bands(field, colors, 0.18)
        # Sparks flying out.
        for _ in range(4 + f):
            a = rng.uniform(0, 2 * np.pi)
            rr = radius + rng.uniform(1, 5)
            x, y = int(BLAST_CX + np.cos(a) * rr), int(BLAST_CY + np.sin(a) * rr / 1.1)
            if 0 <= x < BLAST_W - 1 and 0 <= y < BLAST_H - 1:
                c.rgb[y, x] = P.FIRE[1]
        c.outline_around(mask=c.rgb[..., 0] > 200)
        c.rgb[~c.visible()] = 0
        return c
    # Smoke: grows, rises a little and thins out.
    k = f - 6
    radius = 25 + k * 1.5
    cy = BLAST_CY - k * 2
    d = np.hypot(xs - BLAST_CX, (ys - cy) * 1.1)
    puff = 1 - d / (radius * (1 + lobes * 1.5))
    puff += 0.18 * np.sin(xs * 0.9 + k) * np.sin(ys * 0.8 - k)
    fade = 1 - k / 6
    field = puff * (1.3 * fade + 0.15)
    hole = np.clip(1 - d / (6 + k * 4), 0, 1)
    field -= hole * 0.9
    colors = [P.SMOKE[3], P.SMOKE[2], P.SMOKE[1], P.SMOKE[0]]
    if k < 2:
        colors = [P.SMOKE[3], P.SMOKE[2], P.FIRE[3], P.FIRE[2]]
    c.rgb = _bands(field, colors, 0.35)
    return c


def make_blast_sheet():
    sheet = Canvas(354, 142)
    for f in range(12):
        sheet.blit(blast_frame(f), 59 * (f % 6), 71 * (f // 6), key=False)
    return sheet
