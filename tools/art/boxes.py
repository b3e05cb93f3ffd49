"""Picture3: the eight gift boxes in two colour sets, and the editor markers.

A tile is 24 x 36 and the box's cell is its rows 12-35: a lid seen from
above at rows 12-15 and the front at rows 16-35. Only the tops of the bow's
loops reach into the cell behind (rows 10-11), so a player, a box or the
exit standing there stays in sight. Each kind carries its own mark on the
front so the kinds differ by shape as well as by colour.
"""

import numpy as np

from canvas import Canvas, edge, grow, shift
import palette as P

TILE_W, TILE_H = 24, 36
CELL_TOP = 12           # first row of the box's own cell
FRONT_TOP = 16          # first row of the box front
MARKER_LEG = 10         # legs of the editor marker triangles
FACE = np.zeros((TILE_H, TILE_W), bool)
FACE[FRONT_TOP + 1:TILE_H - 1, 1:TILE_W - 1] = True   # inside the front's outline


def _mark_colors(base):
    """Light marks on dark paper, dark marks on light paper."""
    lum = 0.3 * base[0] + 0.59 * base[1] + 0.11 * base[2]
    if lum > 150:
        return P.MARK_DARK, None
    return P.MARK, P.OUTLINE


def _ink(c, m, ink, rim):
    """Draw a mark; light marks get a dark rim so they read on any paper."""
    if rim is not None:
        c.fill(grow(m) & ~m & FACE, rim)
    c.fill(m, ink)


# Marks sit in the upper part of the front (rows 17-27): a player standing
# just below covers the lower part of the box with its head, and the mark
# should still show.

def mark_pair(c, base, ink, rim):
    rings = [c.ellipse(cx, 22, 4.5, 4.5) & ~c.ellipse(cx, 22, 2.5, 2.5)
             for cx in (8.5, 15.5)]
    _ink(c, rings[0] | rings[1], ink, rim)
    # The left ring passes over the right one at the top: linked, not stacked.
    over = rings[0] & c.rect(11, 17, 13, 21)
    if rim is not None:
        c.fill(grow(over) & ~over & c.rect(11, 16, 14, 22) & ~rings[0], rim)
    c.fill(over, ink)


def mark_break(c, base, ink, rim):
    crack = c.line([(5, 17), (9, 20), (7, 23), (13, 27), (10, 31), (15, 34)], 2)
    crack |= c.line([(13, 27), (18, 25), (20, 20)], 1)
    crack &= FACE
    c.fill(shift(crack, -1, 0) & ~crack & FACE, P.lighter(base, 0.55))
    c.fill(crack, P.OUTLINE)


def mark_vanish(c, base, ink, rim):
    # A little ghost with a notched hem...
    body = c.ellipse(12, 22, 5.5, 4) | c.rect(7, 22, 16, 27)
    body &= ~(c.rect(9, 27, 9, 27) | c.rect(12, 27, 12, 27)
              | c.rect(15, 27, 15, 27))
    body &= ~(c.rect(7, 27, 7, 27) | c.rect(16, 27, 16, 27))
    _ink(c, body, ink, rim)
    eyes = c.rect(9, 21, 10, 22) | c.rect(13, 21, 14, 22)
    c.fill(eyes, P.OUTLINE if rim is not None else P.lighter(base, 0.6))
    # ...and a dotted outline: the box is about to fade away.
    dots = np.zeros_like(body)
    for x in range(2, 22, 3):
        dots |= c.rect(x, 17, x, 17) | c.rect(x, 33, x, 33)
    for y in range(20, 32, 3):
        dots |= c.rect(2, y, 2, y) | c.rect(21, y, 21, y)
    c.fill(dots, ink)


def mark_step(c, base, ink, rim):
    # One footprint: a sole with an instep, and toes apart from it.
    sole = c.ellipse(12, 25.5, 3, 2.5) | c.ellipse(12.5, 22.5, 3.5, 2.5)
    sole &= ~c.rect(8, 24, 8, 25)
    toes = (c.rect(8, 18, 9, 19) | c.rect(11, 17, 12, 18)
            | c.rect(14, 18, 15, 19) | c.rect(16, 20, 16, 20))
    _ink(c, sole | toes, ink, rim)


def mark_slide(c, base, ink, rim):
    # Double chevrons: it keeps going.
    m = c.line([(5, 17), (9, 22), (5, 27)], 2)
    m |= c.line([(12, 17), (16, 22), (12, 27)], 2)
    _ink(c, m, ink, rim)


def mark_copy(c, base, ink, rim):
    # Two overlapping squares.
    for sq in (c.rect(4, 17, 11, 24), c.rect(9, 20, 16, 27)):
        if rim is not None:
            c.fill(sq, ink)
            c.fill(edge(sq), rim)
        else:
            c.fill(sq, P.lighter(base, 0.55))
            c.fill(edge(sq), ink)


def mark_solid(c, base, ink, rim):
    # A riveted steel plate.
    plate = c.rect(3, 18, 20, 33)
    c.paint(plate, P.mix(base, (150, 156, 170), 0.55), outline=(84, 88, 104),
            light=(250, 252, 255), shade=(120, 124, 140), rim=1)
    for x, y in ((5, 20), (17, 20), (5, 30), (17, 30)):
        c.fill(c.rect(x, y, x + 1, y + 1), (80, 84, 100))
        c.fill(c.rect(x, y, x, y), (255, 255, 255))
    c.fill(c.rect(6, 23, 17, 24), (130, 134, 150))
    c.fill(c.rect(6, 26, 17, 27), (130, 134, 150))


def mark_bomb(c, base, ink, rim):
    ball = c.ellipse(11, 22.5, 5, 5)
    c.paint(ball, (60, 60, 74), outline=(214, 216, 228), light=(130, 130, 148),
            rim=2)
    c.fill(c.rect(8, 20, 9, 21), (235, 235, 245))
    c.paint(c.rect(13, 16, 16, 18), (150, 150, 166), outline=(214, 216, 228))
    c.fill(c.line([(16, 16), (18, 14), (18, 13)], 1), (220, 200, 160))
    c.fill(c.rect(17, 12, 19, 12) | c.rect(18, 11, 18, 13), (255, 220, 60))
    c.fill(c.rect(18, 12, 18, 12), (255, 255, 210))


MARKS = [mark_pair, mark_break, mark_vanish, mark_step, mark_slide,
         mark_copy, mark_solid, mark_bomb]


def draw_box(col, cset):
    base = P.BOX_COLORS[cset][col]
    ribbon = P.RIBBON[col]
    line = P.OUTLINE if col != 7 else (176, 178, 196)
    c = Canvas(TILE_W, TILE_H)

    # Front face.
    front = c.rect(0, FRONT_TOP, 23, 35)
    c.paint(front, base, outline=line, light=P.lighter(base, 0.25),
            shade=P.darker(base, 0.3), rim=2)
    band = c.rect(10, FRONT_TOP + 1, 13, 34)
    c.fill(band, ribbon)
    c.fill(c.rect(13, FRONT_TOP + 1, 13, 34), P.darker(ribbon, 0.25))

    # Lid, seen from above: lighter than the front, the ribbon crossing it.
    lid = c.rect(0, CELL_TOP, 23, FRONT_TOP)
    c.paint(lid, P.lighter(base, 0.3), outline=line)
    c.fill(c.rect(1, FRONT_TOP - 1, 22, FRONT_TOP - 1), P.lighter(base, 0.12))
    c.fill(c.rect(1, CELL_TOP + 2, 22, CELL_TOP + 2), ribbon)
    c.fill(c.rect(10, CELL_TOP + 1, 13, FRONT_TOP - 1), ribbon)
    c.fill(c.rect(0, FRONT_TOP, 23, FRONT_TOP), line)

    # Bow: two small loops and a knot on the lid; only their tops reach
    # into the cell behind.
    loops = c.ellipse(7.5, 12.5, 3.5, 2.5) | c.ellipse(16.5, 12.5, 3.5, 2.5)
    c.paint(loops, ribbon, outline=line, shade=P.darker(ribbon, 0.3), rim=1)
    holes = c.rect(7, 12, 8, 12) | c.rect(15, 12, 16, 12)
    c.fill(holes, P.darker(ribbon, 0.45))
    knot = c.rect(10, 10, 13, 14)
    c.paint(knot, P.lighter(ribbon, 0.2), outline=line)

    ink, rim = _mark_colors(base)
    MARKS[col](c, base, ink, rim)
    return c


def _triangle(corner):
    """Mask of one editor-marker corner triangle in a 24 x 36 tile."""
    ys, xs = np.mgrid[0:TILE_H, 0:TILE_W]
    dx = xs if corner[0] == "l" else TILE_W - 1 - xs
    dy = ys if corner[1] == "t" else TILE_H - 1 - ys
    return dx + dy < MARKER_LEG


def _triangle_edge(corner):
    ys, xs = np.mgrid[0:TILE_H, 0:TILE_W]
    dx = xs if corner[0] == "l" else TILE_W - 1 - xs
    dy = ys if corner[1] == "t" else TILE_H - 1 - ys
    return (dx + dy < MARKER_LEG) & ((dx == 0) | (dy == 0)
                                     | (dx + dy == MARKER_LEG - 1))


def draw_markers():
    """Column 8: exit marker (row 0) and start marker (row 1)."""
    exit_marker = np.zeros((TILE_H, TILE_W, 3), np.uint8)
    for corner, color in (("lt", P.MARKER_BLUE), ("rb", P.MARKER_BLUE),
                          ("rt", P.MARKER_RED), ("lb", P.MARKER_RED)):
        exit_marker[_triangle(corner)] = color
    start_marker = np.zeros((TILE_H, TILE_W, 3), np.uint8)
    for corner in ("lt", "rt", "lb", "rb"):
        start_marker[_triangle(corner)] = P.MARKER_GREY
        start_marker[_triangle_edge(corner)] = P.MARKER_EDGE
    return exit_marker, start_marker


def make_sheet():
    sheet = Canvas(216, 72)
    for cset in (0, 1):
        for col in range(8):
            sheet.blit(draw_box(col, cset), 24 * col, 36 * cset, key=False)
    exit_marker, start_marker = draw_markers()
    sheet.rgb[0:36, 192:216] = exit_marker
    sheet.rgb[36:72, 192:216] = start_marker
    return sheet
