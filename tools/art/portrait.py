"""Picture8: the player's portrait for the ending, mouth shut and open.

The two frames are the same drawing except for the mouth. The open mouth
is pure black on purpose: black is the transparent colour, so the ending's
background shows through it.
"""

import numpy as np

from canvas import Canvas
import palette as P

W, H = 96, 180
MOUTH_X, MOUTH_Y = 48, 92


def _base():
    c = Canvas(W, H)
    # Shoulders and body, cut by the bottom edge.
    body = c.rounded(2, 110, 93, 230, 24)
    c.paint(body, P.SHIRT, light=P.lighter(P.SHIRT, 0.4), shade=P.SHIRT_SHADE,
            rim=3)
    bib = c.rounded(22, 130, 73, 230, 6)
    c.paint(bib, P.OVERALL, light=P.OVERALL_LIGHT, shade=P.OVERALL_SHADE, rim=3)
    for x, lean in ((14, 1), (76, -1)):
        strap = c.poly([(x, 110), (x + 6, 110), (x + 3 + lean * 5, 132),
                        (x - 3 + lean * 5, 132)])
        c.paint(strap, P.OVERALL, shade=P.OVERALL_SHADE, rim=1)
        c.paint(c.ellipse(x + lean * 5, 134, 3.5, 3.5), P.BADGE,
                shade=P.SHIRT_SHADE, rim=1)
    c.paint(c.rounded(38, 150, 57, 164, 3), P.OVERALL_SHADE,
            light=P.OVERALL, rim=1)                                  # pocket
    neck = c.rect(38, 98, 57, 114)
    c.paint(neck, P.SKIN_SHADE)
    collar = c.poly([(30, 108), (48, 120), (66, 108), (66, 114), (48, 126),
                     (30, 114)])
    c.paint(collar, (255, 240, 170), shade=P.SHIRT_SHADE, rim=1)

    # Head.
    head = c.ellipse(48, 70, 36, 34)
    c.paint(head, P.SKIN, light=P.lighter(P.SKIN, 0.45), shade=P.SKIN_SHADE,
            rim=3)
    ears = c.ellipse(12, 76, 5, 8) | c.ellipse(84, 76, 5, 8)
    c.paint(ears & ~head, P.SKIN, shade=P.SKIN_SHADE, rim=2)
    fringe = c.ellipse(48, 50, 36, 14) & c.rect(0, 44, 95, 60) & head
    c.paint(fringe, P.HAIR, light=P.lighter(P.HAIR, 0.25), shade=P.HAIR_SHADE)
    for x in (26, 40, 56, 70):                      # locks over the forehead
        lock = c.poly([(x - 6, 56), (x + 6, 56), (x, 64)])
        c.paint(lock & head, P.HAIR, shade=P.HAIR_SHADE, rim=1)

    # Cap: dome, brim, badge.
    dome = c.ellipse(48, 48, 39, 34) & c.rect(0, 0, 95, 48)
    c.paint(dome, P.CAP, light=P.CAP_LIGHT, shade=P.CAP_SHADE, rim=3)
    c.fill(c.ellipse(48, 52, 34, 8) & c.rect(0, 52, 95, 62) & head,
           P.SKIN_SHADE)                                    # shade of the brim
    brim = c.ellipse(48, 49, 40, 9) & c.rect(0, 47, 95, 70)
    c.paint(brim, P.CAP_SHADE, light=P.CAP, rim=2)
    badge = c.ellipse(48, 30, 8, 8)
    c.paint(badge, (255, 255, 255), shade=(210, 214, 230), rim=1)
    star = [(48 + r * np.sin(a), 30 - r * np.cos(a))
            for i in range(10)
            for a, r in [(i * np.pi / 5, 6 if i % 2 == 0 else 2.5)]]
    c.paint(c.poly(star), P.BADGE, outline=None)

    # Eyes, brows, cheeks.
    for x in (33, 63):
        eye = c.ellipse(x, 74, 5, 7)
        c.paint(eye, P.EYE, outline=None)
        c.fill(c.rect(x - 3, 70, x - 2, 72), (255, 255, 255))
        c.fill(c.rect(x + 1, 76, x + 1, 77), (160, 170, 220))
        c.fill(c.line([(x - 6, 63), (x, 61), (x + 6, 63)], 2), P.HAIR_SHADE)
    c.fill(c.ellipse(22, 86, 6, 3.5) | c.ellipse(74, 86, 6, 3.5), P.CHEEK)
    c.fill(c.rect(47, 82, 49, 83), P.SKIN_SHADE)                # nose
    return c


def mouth_closed(c):
    c.fill(c.line([(39, 90), (44, 93), (52, 93), (57, 90)], 2), P.OUTLINE)


def mouth_open(c):
    m = c.ellipse(MOUTH_X, MOUTH_Y + 1, 8, 7)
    c.fill(c.ellipse(MOUTH_X, MOUTH_Y + 1, 9.5, 8.5) & ~m, P.OUTLINE)
    c.fill(m, (0, 0, 0))         # see-through: the background shows here


def make_sheet():
    sheet = Canvas(192, 180)
    for i, mouth in enumerate((mouth_closed, mouth_open)):
        c = _base()
        mouth(c)
        sheet.rgb[:, 96 * i:96 * i + 96] = c.rgb
    return sheet
