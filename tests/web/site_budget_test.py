#!/usr/bin/python3
"""The built site's weight as a compressing host sends it.

    site_budget_test.py SITE TOTAL_BYTES FIRST_KEY_BYTES

Each file counts at its smallest of as it is, gzip -9 and brotli -q 11 (what
make web-serve sends, and what most hosts send). TOTAL_BYTES bounds the
whole site, FIRST_KEY_BYTES what the page loads before the player's first
key: everything but the tune and the effects, which are fetched at the
first key, and LICENSES.txt, fetched only through its link. The whole site
is bounded as brotli sends it; what comes before the first key as gzip
sends it too, the compression every host has.
"""

import gzip
import os
import shutil
import subprocess
import sys

AFTER_FIRST_KEY = {"tune.opus", "effects.bin", "LICENSES.txt"}

site, total_budget, first_budget = sys.argv[1], int(sys.argv[2]), int(sys.argv[3])
brotli = shutil.which("brotli")
if not brotli:
    print("FAIL: the brotli program is missing (make web installs it)")
    sys.exit(1)
rows = []
for d, _, names in os.walk(site):
    for n in names:
        path = os.path.join(d, n)
        with open(path, "rb") as f:
            data = f.read()
        gz = min(len(data), len(gzip.compress(data, 9, mtime=0)))
        br = min(gz, len(subprocess.run([brotli, "-c", "-q", "11", path], capture_output=True,
                                        check=True).stdout))
        rows.append((os.path.relpath(path, site), len(data), gz, br))
rows.sort(key=lambda r: -r[3])
for rel, raw, gz, br in rows:
    print(f"{rel:22} {raw:>9} bytes, gzip {gz:>9}, brotli {br:>9}"
          f"{'  (after the first key)' if rel in AFTER_FIRST_KEY else ''}")
failed = "index.html" not in {r[0] for r in rows}
if failed:
    print(f"FAIL: {site} holds no site")
for what, chosen, budget, bound_gzip in (
        ("the whole site", rows, total_budget, False),
        ("before the first key", [r for r in rows if r[0] not in AFTER_FIRST_KEY], first_budget, True)):
    br = sum(r[3] for r in chosen)
    gz = sum(r[2] for r in chosen)
    ok = (gz if bound_gzip else br) <= budget
    failed |= not ok
    print(f"{'ok' if ok else 'FAIL'}: {what}: {br / 1e6:.2f} MB with brotli, {gz / 1e6:.2f} MB with gzip "
          f"(at most {budget / 1e6:.2f} MB with {'gzip' if bound_gzip else 'brotli'})")
sys.exit(1 if failed else 0)
