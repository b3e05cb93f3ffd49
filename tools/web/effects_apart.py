#!/usr/bin/python3
"""Splits the site's data file from its effects.

    effects_apart.py DATA_FILE OUT_DATA_FILE OUT_BANK

OUT_DATA_FILE is DATA_FILE with its effect bank filled with zeros (the same
size, so still a data file; a compressing host sends the zeros for almost
nothing), OUT_BANK the bank alone. The page loads the first before its first
frame and fetches the second once the player's first key lets sound start.
Each output is written whole through a temporary file.
"""

import os
import sys

sys.path.insert(0, os.path.dirname(os.path.dirname(os.path.abspath(__file__))))
import core_tables  # noqa: E402


def write_whole(path, data):
    tmp = path + ".tmp"
    with open(tmp, "wb") as f:
        f.write(data)
    os.replace(tmp, path)


def main():
    if len(sys.argv) != 4:
        sys.exit(__doc__.strip())
    source, out_data, out_bank = sys.argv[1:]
    offset, size = core_tables.effect_bank()
    with open(source, "rb") as f:
        data = f.read()
    if len(data) != offset + size:
        sys.exit(f"{source}: expected {offset + size} bytes (a data file), found {len(data)}")
    write_whole(out_data, data[:offset] + bytes(size))
    write_whole(out_bank, data[offset:])


if __name__ == "__main__":
    main()
