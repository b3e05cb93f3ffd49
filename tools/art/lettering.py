"""Picture5: the digits, the floor label, the title logo, the banner and the
side panels' small letters (panel_glyphs.py).

Letters come from free fonts (see assets/README.md), rendered without
anti-aliasing and then finished like the sprites: a vertical colour
gradient, a light top edge, a thick dark outline and a drop shadow.
"""

import os

import numpy as np
from PIL import Image, ImageDraw, ImageFont

from canvas import Canvas, grow, shift
import palette as P
import boxes
import panel_glyphs

FONT_DIRS = ["/usr/share/fonts/truetype/dejavu", "/usr/share/fonts/opentype/noto",
             "/usr/share/fonts/truetype/comfortaa"]
DIGIT_FONT = ("DejaVuSans-Bold.ttf", 0)
LABEL_FONT = ("NotoSansCJK-Bold.ttc", 0)       # index 0: the Japanese face
LOGO_FONT = ("Comfortaa-Bold.ttf", 0)
BANNER_FONT = ("DejaVuSans-Bold.ttf", 0)

SHADOW = (44, 30, 80)


def font(face, size):
    name, index = face
    for d in FONT_DIRS:
        path = os.path.join(d, name)
        if os.path.exists(path):
            return ImageFont.truetype(path, size, index=index)
    raise SystemExit(f"font {name} not found: install the package named in "
                     "assets/README.md")


def text_mask(text, face, size):
    """Glyphs as a tight boolean mask (no anti-aliasing)."""
    f = font(face, size)
    l, t, r, b = f.getbbox(text)
    img = Image.new("1", (r - l + 4, b - t + 4), 0)
    d = ImageDraw.Draw(img)
    d.fontmode = "1"
    d.text((2 - l, 2 - t), text, font=f, fill=1)
    m = np.asarray(img, dtype=bool)
    ys, xs = np.nonzero(m)
    return m[ys.min():ys.max() + 1, xs.min():xs.max() + 1]


def fit_size(text, face, w, h, start=200):
    """The largest font size at which text fits a w x h box."""
    size = start
    while size > 6:
        m = text_mask(text, face, size)
        if m.shape[1] <= w and m.shape[0] <= h:
            return size
        size -= 1
    raise ValueError(text)


def fit_mask(text, face, w, h):
    return text_mask(text, face, fit_size(text, face, w, h))


def letter(c, mask, x, y, top, bottom, outline=3, shadow=2):
    """Draw glyph mask at (x, y) on c with gradient, outline and shadow."""
    h, w = mask.shape
    full = np.zeros((c.h, c.w), bool)
    full[y:y + h, x:x + w] = mask
    ring = full
    for _ in range(outline):
        ring = grow(ring)
    if shadow:
        c.fill(shift(ring, shadow, shadow) & ~ring, SHADOW)
    c.fill(ring, P.OUTLINE)
    rows = np.arange(c.h)[:, None]
    t = np.clip((rows - y) / max(1, h - 1), 0, 1)
    grad = (np.array(top)[None, None, :] * (1 - t[..., None])
            + np.array(bottom)[None, None, :] * t[..., None])
    grad = np.broadcast_to(grad, (c.h, c.w, 3)).astype(np.uint8)
    c.rgb[full] = grad[full]
    c.fill(full & ~shift(full, 0, 1), P.lighter(top, 0.6))       # lit top edge
    c.fill(full & ~shift(full, 0, -1), P.darker(bottom, 0.25))   # shaded bottom


def place(c, mask, x0, y0, w, h, top, bottom, outline=3, shadow=2):
    mh, mw = mask.shape
    letter(c, mask, x0 + (w - mw - shadow) // 2, y0 + (h - mh - shadow) // 2,
           top, bottom, outline, shadow)


def digits(c):
    # One size for all ten, the largest at which every digit fits its cell.
    size = min(fit_size(str(n), DIGIT_FONT, 48 - 10, 60 - 10) for n in range(10))
    for n in range(10):
        m = text_mask(str(n), DIGIT_FONT, size)
        cell = Canvas(48, 60)
        place(cell, m, 0, 0, 48, 60, P.DIGIT_FILL_TOP, P.DIGIT_FILL_BOTTOM)
        c.blit(cell, 48 * n, 0)


def floor_label(c):
    m = fit_mask("フロア", LABEL_FONT, 168 - 12, 60 - 14)
    cell = Canvas(168, 60)
    place(cell, m, 0, 0, 168, 60, P.LABEL_FILL_TOP, P.LABEL_FILL_BOTTOM)
    c.blit(cell, 0, 60)


def logo(c):
    cell = Canvas(468, 102)
    # Two gift boxes at the sides, twice their board size.
    for col, x in ((0, 6), (5, 468 - 6 - 48)):
        tile = boxes.draw_box(col, 0).image().resize((48, 72), Image.NEAREST)
        cell.blit(np.asarray(tile), x, 102 - 72 - 4)
    text = "Rara3"
    thin = np.pad(fit_mask(text, LOGO_FONT, 468 - 2 * 64 - 4, 102 - 14), 2)
    m = grow(grow(thin))                    # the light face, made chunkier
    # Colour each letter on its own: letters are split at the middle of the
    # gaps between them in the thin rendering.
    cols = thin.any(axis=0)
    spans, start = [], None
    for i, v in enumerate(list(cols) + [False]):
        if v and start is None:
            start = i
        if not v and start is not None:
            spans.append((start, i))
            start = None
    cuts = [0] + [(spans[k][1] + spans[k + 1][0]) // 2
                  for k in range(len(spans) - 1)] + [m.shape[1]]
    mh, mw = m.shape
    x0 = (468 - mw) // 2
    y0 = (102 - mh) // 2
    for k in range(len(spans)):
        part = np.zeros_like(m)
        part[:, cuts[k]:cuts[k + 1]] = m[:, cuts[k]:cuts[k + 1]]
        color = P.LOGO_LETTERS[k % len(P.LOGO_LETTERS)]
        letter(cell, part, x0, y0, P.lighter(color, 0.45), P.darker(color, 0.1),
               outline=4, shadow=3)
    c.blit(cell, 0, 120)


def banner(c):
    cell = Canvas(565, 70)
    # A ribbon with folded ends behind the words.
    body = cell.poly([(40, 8), (525, 8), (525, 61), (40, 61)])
    ends = (cell.poly([(2, 18), (52, 18), (52, 66), (2, 66), (18, 42)])
            | cell.poly([(562, 18), (512, 18), (512, 66), (562, 66), (546, 42)]))
    cell.paint(ends, P.darker(P.BANNER_RIBBON, 0.3), rim=2,
               shade=P.darker(P.BANNER_RIBBON, 0.5))
    cell.paint(body, P.BANNER_RIBBON, light=P.lighter(P.BANNER_RIBBON, 0.3),
               shade=P.darker(P.BANNER_RIBBON, 0.3), rim=3)
    m = fit_mask("CONGRATULATIONS!", BANNER_FONT, 565 - 120, 70 - 24)
    place(cell, m, 40, 8, 485, 54, P.BANNER_FILL_TOP, P.BANNER_FILL_BOTTOM,
          outline=2, shadow=2)
    c.blit(cell, 0, 222)


def make_sheet():
    c = Canvas(565, panel_glyphs.TOP + panel_glyphs.area_height())
    digits(c)
    floor_label(c)
    logo(c)
    banner(c)
    panel_glyphs.draw(c)
    return c
