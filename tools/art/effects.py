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
GLOW_BOTTOM = 88        # the oval stands on the cell's bottom edge (row 87)


def glow_cell(cset, step):
    """An upright oval of light standing on the exit cell, brighter per step."""
    ys, xs = np.mgrid[0:GLOW_H, 0:GLOW_W] + 0.5
    b = 0.55 + 0.35 * step / 4                # brightness of this step
    rx, ry = 11.5 + step * 0.5, 26 + 3 * step
    cy = GLOW_BOTTOM - ry
    dx = xs - GLOW_CX
    r = np.sqrt((dx / rx) ** 2 + ((ys - cy) / ry) ** 2)
    core = np.clip(1 - r, 0, 1) * 1.1
    rim = np.exp(-((r - 0.9) / 0.09) ** 2) * 0.55
    halo = np.clip(1.3 - r, 0, 0.3) * 1.0
    # A flat ring of light on the floor under it.
    fr = np.sqrt((dx / 12) ** 2 + ((ys - (GLOW_BOTTOM - 5)) / 5) ** 2)
    floor = np.exp(-((fr - 0.85) / 0.18) ** 2) * 0.45
    field = (core + rim + halo + floor) * b
    g = P.GLOW_SETS[cset]
    colors = [P.mix(g["dim"], g["mid"], 0.1), g["dim"], g["mid"],
              P.mix(g["mid"], g["hot"], 0.5), g["hot"]]
    return _bands(field, colors, 0.34)


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
