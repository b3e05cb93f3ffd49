#!/usr/bin/python3
"""A contact sheet of a stage set: the game's own first frame of every stage,
as rara3-sim draws it, scaled down and laid out ten by ten with its number.

usage: contact_sheet.py [--stages DIR] [--out docs/stages.png] [--frames DIR]
       [--size PX] [--build build]

Packs DIR into a data file with every stage unlocked, starts each stage from
the title in the simulator, snaps its first frame and keeps the board.
"""
import argparse
import os
import subprocess
import sys
import tempfile

from PIL import Image, ImageDraw, ImageFont


def main():
    ap = argparse.ArgumentParser()
    ap.add_argument("--stages", default="assets/stages")
    ap.add_argument("--out", default="docs/stages.png")
    ap.add_argument("--frames", help="also keep each full frame here as NNN.png")
    ap.add_argument("--size", type=int, default=120, help="board size on the sheet, pixels")
    ap.add_argument("--build", default="build")
    args = ap.parse_args()
    sim = os.path.join(args.build, "tools/sim/rara3-sim")
    pack = os.path.join(args.build, "tools/pack/rara3-pack")
    with tempfile.TemporaryDirectory() as tmp:
        data = os.path.join(tmp, "TOVAK.DAT")
        subprocess.run([pack, "pack", args.stages, "assets/sound/tune.mid", "assets/sound", "100", data], check=True)
        boards = []
        for n in range(1, 101):
            frame = os.path.join(args.frames, "%03d.png" % n) if args.frames else os.path.join(tmp, "%03d.png" % n)
            script = "run 2\n" + "key up\nrun 1\n" * (n - 1) + "key enter\nuntil idle\nrun 2\nsnap %s\n" % frame
            subprocess.run([sim, data], input=script, text=True, check=True, stdout=subprocess.DEVNULL)
            boards.append(Image.open(frame).convert("RGB").crop((80, 0, 560, 480)))
    pad, label = 6, 16
    cell = args.size + pad
    sheet = Image.new("RGB", (10 * cell + pad, 10 * (cell + label) + pad), (16, 16, 20))
    draw = ImageDraw.Draw(sheet)
    try:
        font = ImageFont.truetype("/usr/share/fonts/truetype/dejavu/DejaVuSans-Bold.ttf", 12)
    except OSError:
        font = ImageFont.load_default()
    for i, board in enumerate(boards):
        x = pad + (i % 10) * cell
        y = pad + (i // 10) * (cell + label)
        draw.text((x, y), "%d" % (i + 1), fill=(230, 230, 230), font=font)
        sheet.paste(board.resize((args.size, args.size), Image.LANCZOS), (x, y + label))
    os.makedirs(os.path.dirname(args.out) or ".", exist_ok=True)
    sheet.save(args.out, optimize=True)
    print("%s: %d stages" % (args.out, len(boards)))
    return 0


if __name__ == "__main__":
    sys.exit(main())
