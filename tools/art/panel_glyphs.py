"""The side panels' small letters, under the lettering on Picture5.

Latin letters from the X11 misc-fixed 5x8 face (xfonts-base) and Japanese
from Misaki Gothic 8x8 (fonts-misaki), both bitmap faces drawn pixel for
pixel, each glyph with a one-pixel shadow to its right, below and diagonally,
so that it reads over the title's picture too. Two rows of tones: plain, and
bright for what just changed.
The glyphs are every printable ASCII character and every other character of
the Japanese catalogue (po/ja.po), so any text the game translates can be
drawn; the table of where each glyph lies goes to
src/render/panel_glyph_table.h.
"""

import gzip
import os

import numpy as np
from PIL import Image, ImageDraw, ImageFont, PcfFontFile

LATIN_FACE = "/usr/share/fonts/X11/misc/5x8.pcf.gz"
JAPANESE_FACE = "/usr/share/fonts/truetype/misaki/misaki_gothic.ttf"

TOP = 292             # the glyph area starts under the banner
WIDTH = 565
LINE = 8              # glyph height
CELL_H = LINE + 1     # with the shadow
TONES = [(232, 232, 232), (255, 214, 96)]
SHADOW = (40, 32, 64)

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))
TABLE = os.path.join(ROOT, "src", "render", "panel_glyph_table.h")


def _po_characters():
    import sys
    sys.path.insert(0, os.path.dirname(HERE))
    import po_table
    chars = set()
    for _, text, _ in po_table.read_po(os.path.join(ROOT, "po", "ja.po")):
        chars.update(text)
    return chars


def characters():
    ascii_chars = [chr(c) for c in range(32, 127)]
    others = sorted(c for c in _po_characters() if ord(c) > 126 and c not in "\n\t")
    return ascii_chars + others


def _latin_font():
    path = "/tmp/rara3-5x8"
    if not os.path.exists(path + ".pil"):
        with gzip.open(LATIN_FACE) as f:
            PcfFontFile.PcfFontFile(f).save(path)
    return ImageFont.load(path + ".pil")


def _glyph(ch, latin, japanese):
    """The glyph as a boolean mask LINE high, and its advance."""
    if ord(ch) < 127:
        font, advance = latin, 5
    else:
        font = japanese
        advance = int(round(japanese.getlength(ch)))
        if advance <= 0:
            raise SystemExit(f"Misaki Gothic has no glyph for {ch!r} (U+{ord(ch):04X})")
    img = Image.new("1", (advance, LINE), 0)
    d = ImageDraw.Draw(img)
    d.fontmode = "1"
    d.text((0, 0), ch, font=font, fill=1)
    return np.asarray(img, dtype=bool), advance


def glyphs():
    latin = _latin_font()
    japanese = ImageFont.truetype(JAPANESE_FACE, LINE)
    return [(ch,) + _glyph(ch, latin, japanese) for ch in characters()]


def layout(gs):
    """(char, mask, advance, x, y) with y within one tone's rows."""
    out, x, y = [], 0, 0
    for ch, mask, advance in gs:
        if x + advance + 1 > WIDTH:
            x, y = 0, y + CELL_H
        out.append((ch, mask, advance, x, y))
        x += advance + 1
    return out, y + CELL_H


def area_height():
    _, rows = layout(glyphs())
    return rows * len(TONES)


def draw(c):
    placed, tone_h = layout(glyphs())
    for t, colour in enumerate(TONES):
        for _, mask, advance, x, y in placed:
            top = TOP + t * tone_h + y
            h, w = mask.shape
            full = np.zeros((c.h, c.w), bool)
            full[top:top + h, x:x + w] = mask
            # Right, below and diagonally: a shadow thick enough to read
            # over the sky of the title's picture.
            shadow = np.zeros_like(full)
            shadow[1:, 1:] |= full[:-1, :-1]
            shadow[:, 1:] |= full[:, :-1]
            shadow[1:, :] |= full[:-1, :]
            c.fill(shadow & ~full, SHADOW)
            c.fill(full, colour)
    return placed, tone_h


def table_text(placed, tone_h):
    lines = [
        "// Where each small letter of the side panels lies on kSheetLettering.",
        "// Written by tools/art/make_art.py (tools/art/panel_glyphs.py) with the",
        "// sheet; do not edit.",
        "#pragma once",
        "",
        "#include <cstdint>",
        "",
        "namespace rara3 {",
        "",
        "struct PanelGlyph {",
        "  char32_t code;",
        "  int16_t x, y, advance;",
        "};",
        "",
        f"constexpr int32_t kPanelGlyphTop = {TOP};",
        f"constexpr int32_t kPanelGlyphHeight = {CELL_H};",
        f"constexpr int32_t kPanelToneRows = {tone_h};",
        "",
        "// Sorted by code.",
        "constexpr PanelGlyph kPanelGlyphs[] = {",
    ]
    for ch, _, advance, x, y in sorted(placed, key=lambda p: ord(p[0])):
        lines.append(f"    {{0x{ord(ch):04X}, {x}, {TOP + y}, {advance}}},")
    lines += ["};", "", "}  // namespace rara3", ""]
    return "\n".join(lines)
