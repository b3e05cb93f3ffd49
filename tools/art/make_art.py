#!/usr/bin/python3
"""Draw every sprite sheet and the icon of Rara3.

    /usr/bin/python3 tools/art/make_art.py            # writes assets/
    /usr/bin/python3 tools/art/make_art.py --check    # only verifies assets/
    /usr/bin/python3 tools/art/make_art.py --icons    # the icons alone (no fonts needed)

Everything is drawn from code: the same run always writes the same pixels.
Colours live in palette.py, poses in player.py, and so on per sheet.
"""

import argparse
import os
import shutil
import subprocess
import sys

import numpy as np
from PIL import Image

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, HERE)

import boxes        # noqa: E402
import effects      # noqa: E402
import floors       # noqa: E402
import icon         # noqa: E402
import lettering    # noqa: E402
import panel_glyphs  # noqa: E402
import player       # noqa: E402
import portrait     # noqa: E402
import title        # noqa: E402
from canvas import Canvas, to565_is_zero   # noqa: E402

sys.path.insert(0, os.path.dirname(HERE))
import core_tables  # noqa: E402

ROOT = os.path.dirname(os.path.dirname(HERE))
SHEETS = os.path.join(ROOT, "assets", "sheets")

SIZES = core_tables.sheet_sizes()


def save_png(image, path):
    """Writes image to path, then lets zopflipng pack it as tightly as it
    can without changing a pixel: the sheets ride inside the program, and
    the browser build sends them to every player before the first key."""
    image.save(path, optimize=True)
    zopfli = shutil.which("zopflipng")
    if zopfli is None:
        print(f"{path}: written without zopflipng (apt install zopfli packs it smaller)")
        return
    subprocess.run([zopfli, "-y", "-m", path, path], check=True,
                   stdout=subprocess.DEVNULL)


def black():
    return Canvas(640, 480)


MAKERS = {0: black, 1: player.make_sheet, 2: title.make_sheet,
          3: boxes.make_sheet, 4: effects.make_glow_sheet,
          5: lettering.make_sheet, 6: floors.make_sheet,
          7: effects.make_blast_sheet, 8: portrait.make_sheet}


def problems(n, rgb):
    """What is wrong with sheet n: size, and colours lost to the key."""
    out = []
    h, w = rgb.shape[:2]
    if (w, h) != SIZES[n]:
        out.append(f"Picture{n}: size {w}x{h}, want {SIZES[n]}")
    visible = rgb.any(axis=2)
    lost = visible & to565_is_zero(rgb)
    if lost.any():
        ys, xs = np.nonzero(lost)
        out.append(f"Picture{n}: {len(xs)} pixels turn transparent in 16-bit "
                   f"colour, first at ({xs[0]}, {ys[0]}) = {tuple(rgb[ys[0], xs[0]])}")
    return out


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--check", action="store_true",
                    help="verify the files in assets/ instead of writing them")
    ap.add_argument("--icons", action="store_true",
                    help="only the icons, not the sheets")
    args = ap.parse_args()

    errors = []
    if not args.check:
        os.makedirs(SHEETS, exist_ok=True)
    for n in ([] if args.icons else range(9)):
        path = os.path.join(SHEETS, f"Picture{n}.png")
        if args.check:
            rgb = np.asarray(Image.open(path).convert("RGB"))
        else:
            rgb = MAKERS[n]().rgb
        errors += problems(n, rgb)
        if not args.check:
            save_png(Image.fromarray(rgb, "RGB"), path)
    # Where the panels' letters lie on Picture5, for the game.
    if not args.icons:
        table = panel_glyphs.table_text(*panel_glyphs.layout(panel_glyphs.glyphs()))
        if not args.check:
            with open(panel_glyphs.TABLE, "w", encoding="utf-8") as f:
                f.write(table)
        with open(panel_glyphs.TABLE, encoding="utf-8") as f:
            if f.read() != table:
                errors.append(f"{panel_glyphs.TABLE}: differs from Picture5's letters")
    # The window icon, and the desktop's icons, each drawn at its size.
    icons = [(os.path.join(ROOT, "assets", "icon.png"), 32)]
    icons += [(os.path.join(ROOT, "assets", "icons", f"{n}.png"), n)
              for n in icon.SIZES + icon.WEB_SIZES]
    if not args.check:
        os.makedirs(os.path.join(ROOT, "assets", "icons"), exist_ok=True)
    for icon_path, n in icons:
        drawn = icon.make_icon(n)
        if not args.check:
            save_png(drawn, icon_path)
        ic = Image.open(icon_path).convert("RGBA")
        if ic.size != (n, n):
            errors.append(f"{icon_path}: size {ic.size}, expected {n} x {n}")
        elif (np.asarray(ic) != np.asarray(drawn)).any():
            errors.append(f"{icon_path}: differs from what tools/art/icon.py draws")
    # The scalable icon: the window icon's pixels as squares.
    svg_path = os.path.join(ROOT, "assets", "icons", "scalable.svg")
    drawn = icon.make_icon(icon.SVG_SIZE)
    svg = icon.svg_from_pixels(drawn)
    if not args.check:
        with open(svg_path, "w", encoding="ascii") as f:
            f.write(svg)
    with open(svg_path, encoding="ascii") as f:
        written = f.read()
    if written != svg or (icon.pixels_from_svg(written) != np.asarray(drawn)).any():
        errors.append(f"{svg_path}: differs from the {icon.SVG_SIZE} x {icon.SVG_SIZE} icon")
    for e in errors:
        print(e, file=sys.stderr)
    if errors:
        sys.exit(1)
    print("checked" if args.check else "wrote", "the icons" if args.icons else "9 sheets and the icons")


if __name__ == "__main__":
    main()
