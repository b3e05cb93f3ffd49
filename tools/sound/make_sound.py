"""Regenerates all of the game's sound: assets/sound/tune.mid and
assets/sound/sfx0.wav .. sfx9.wav.

    /usr/bin/python3 tools/sound/make_sound.py [OUTDIR]"""

import os
import sys

import make_effects
import make_tune


def main():
    here = os.path.dirname(os.path.abspath(__file__))
    out_dir = sys.argv[1] if len(sys.argv) > 1 else os.path.join(here, '..', '..', 'assets', 'sound')
    out_dir = os.path.normpath(out_dir)
    os.makedirs(out_dir, exist_ok=True)
    make_tune.main(out_dir)
    make_effects.main(out_dir)


if __name__ == '__main__':
    main()
