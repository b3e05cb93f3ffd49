#!/usr/bin/python3
"""How the eight box kinds look to colour-blind players.

    /usr/bin/python3 tools/art/colour_vision.py [--sheet PICTURE3.png] [--out PNG]

Simulates deuteranopia, protanopia and tritanopia on the box tiles of
Picture3 (Machado, Oliveira and Fernandes 2009, full severity, applied in
linear RGB) and prints, for each colour set and each kind of vision, the two
kinds whose dominant colours lie closest, as a CIE 1976 L*a*b* distance
(about 2 is the smallest difference anyone sees; the eye tells small tiles
apart easily from about 20). Writes a picture of the tiles as each kind of
vision sees them (default docs/colour-vision.png). The marks on the boxes
tell the kinds apart without colour; this checks that colour does not
mislead.
"""

import argparse
import itertools
import os

import numpy as np
from PIL import Image, ImageDraw, ImageFont

from palette import OUTLINE  # every kind's outline: it tells no kind apart

HERE = os.path.dirname(os.path.abspath(__file__))
ROOT = os.path.dirname(os.path.dirname(HERE))

VISIONS = {
    "normal vision": np.eye(3),
    "deuteranopia": np.array([[0.367322, 0.860646, -0.227968],
                              [0.280085, 0.672501, 0.047413],
                              [-0.011820, 0.042940, 0.968881]]),
    "protanopia": np.array([[0.152286, 1.052583, -0.204868],
                            [0.114503, 0.786281, 0.099216],
                            [-0.003882, -0.048116, 1.051998]]),
    "tritanopia": np.array([[1.255528, -0.076749, -0.178779],
                            [-0.078411, 0.930809, 0.147602],
                            [0.004733, 0.691367, 0.303900]]),
}
KINDS = ["pair", "break", "vanish", "step", "slide", "copy", "solid", "bomb"]
TILE_W, TILE_H, FRONT_TOP = 24, 36, 16


def to_linear(rgb):
    c = np.asarray(rgb, float) / 255
    return np.where(c <= 0.04045, c / 12.92, ((c + 0.055) / 1.055) ** 2.4)


def to_srgb(lin):
    c = np.clip(lin, 0, 1)
    return np.where(c <= 0.0031308, c * 12.92, 1.055 * c ** (1 / 2.4) - 0.055) * 255


def simulate(rgb, vision):
    """The picture as seen with that vision; black (the key) stays black."""
    out = to_srgb(to_linear(rgb) @ VISIONS[vision].T)
    return np.round(out).astype(np.uint8)


def to_lab(rgb):
    xyz = to_linear(rgb) @ np.array([[0.4124, 0.3576, 0.1805],
                                     [0.2126, 0.7152, 0.0722],
                                     [0.0193, 0.1192, 0.9505]]).T
    xyz = xyz / np.array([0.95047, 1.0, 1.08883])
    f = np.where(xyz > 0.008856, np.cbrt(xyz), 7.787 * xyz + 16 / 116)
    return np.stack([116 * f[..., 1] - 16, 500 * (f[..., 0] - f[..., 1]),
                     200 * (f[..., 1] - f[..., 2])], -1)


def dominant(tile):
    """The colour that covers most of a tile's front face, its outline aside."""
    front = tile[FRONT_TOP:].reshape(-1, 3)
    front = front[(front != OUTLINE).any(axis=1)]
    colours, counts = np.unique(front, axis=0, return_counts=True)
    return colours[counts.argmax()]


def closest_pairs(sheet):
    """{(set, vision): (distance, kind, kind)} for the two closest kinds."""
    out = {}
    for vision in VISIONS:
        for cset in (0, 1):
            # The kind's own colour, then as that vision sees it.
            colours = np.array([[dominant(sheet[TILE_H * cset:TILE_H * (cset + 1),
                                                TILE_W * k:TILE_W * (k + 1)])
                                 for k in range(8)]], np.uint8)
            labs = list(to_lab(simulate(colours, vision))[0])
            out[(cset, vision)] = min(
                (float(np.linalg.norm(labs[i] - labs[j])), KINDS[i], KINDS[j])
                for i, j in itertools.combinations(range(8), 2))
    return out


def picture(sheet, scale=3):
    """Both colour sets of boxes, one band per kind of vision, labelled."""
    font = ImageFont.truetype("/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf", 14)
    tiles = sheet[:, :8 * TILE_W]
    band_h = 2 * TILE_H * scale + 24
    w = 8 * TILE_W * scale + 20
    img = Image.new("RGB", (w, band_h * len(VISIONS)), (36, 34, 46))
    draw = ImageDraw.Draw(img)
    for n, vision in enumerate(VISIONS):
        seen = Image.fromarray(simulate(tiles, vision), "RGB")
        seen = seen.resize((seen.width * scale, seen.height * scale), Image.NEAREST)
        top = n * band_h
        draw.text((10, top + 3), vision, fill=(240, 240, 240), font=font)
        img.paste(seen, (10, top + 22))
    return img


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("--sheet", default=os.path.join(ROOT, "assets", "sheets", "Picture3.png"))
    ap.add_argument("--out", default=os.path.join(ROOT, "docs", "colour-vision.png"))
    args = ap.parse_args()
    sheet = np.asarray(Image.open(args.sheet).convert("RGB"))
    for (cset, vision), (d, a, b) in sorted(closest_pairs(sheet).items()):
        print(f"set {cset}  {vision:14s} closest: {a}/{b} {d:5.1f}")
    if args.out != "-":
        picture(sheet).save(args.out, optimize=True)
        print("wrote", args.out)


if __name__ == "__main__":
    main()
