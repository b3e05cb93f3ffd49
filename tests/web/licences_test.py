#!/usr/bin/python3
"""tools/web/licences.py: LICENSES.txt from the site's copyright list.

    licences_test.py LICENCES_PY SOURCE_DIR

The real list against a site of the files it names, then small lists that
each break one rule and must be refused with nothing written.
"""

import os
import subprocess
import sys
import tempfile

TOOL, SRC = sys.argv[1], sys.argv[2]
failed = []

PROJECT = """Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/

Files: *
Copyright: 2026 The Rara3 developers
License: Expat
 Permission is hereby granted.
"""

HEAD = "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/\n\n"
OWN = "Files: index.html LICENSES.txt\nCopyright: 2026 The Rara3 developers\nLicense: Expat\n\n"
EXPAT = "License: Expat\n Permission is hereby granted.\n"


def run(listing, project, files):
    with tempfile.TemporaryDirectory() as d:
        site = os.path.join(d, "site")
        os.mkdir(site)
        for f in files:
            os.makedirs(os.path.dirname(os.path.join(site, f)), exist_ok=True)
            open(os.path.join(site, f), "w").close()
        paths = []
        for name, text in (("list", listing), ("project", project)):
            paths.append(os.path.join(d, name))
            with open(paths[-1], "w", encoding="utf-8") as f:
                f.write(text)
        out = os.path.join(site, "LICENSES.txt")
        r = subprocess.run([sys.executable, TOOL, *paths, out, "--site", site],
                           capture_output=True, text=True)
        text = open(out, encoding="utf-8").read() if os.path.exists(out) else None
        return r.returncode, r.stderr, text


def check(name, ok, detail=""):
    print(("ok: " if ok else "FAIL: ") + name + (f" ({detail})" if detail and not ok else ""))
    if not ok:
        failed.append(name)


# The real list, on a site of exactly the files it names.
with open(os.path.join(SRC, "web", "copyright"), encoding="utf-8") as f:
    real = f.read()
with open(os.path.join(SRC, "debian", "copyright"), encoding="utf-8") as f:
    real_project = f.read()
names, in_files = [], False
for line in real.splitlines():
    if line.startswith("Files:"):
        in_files, line = True, line[len("Files:"):]
    elif not line.startswith(" "):
        in_files = False
    if in_files:
        names += [p.replace("*", "x") for p in line.split()]
status, err, text = run(real, real_project, [n for n in names if n != "LICENSES.txt"])
check("the real list covers a site of its own files", status == 0, err)
if text:
    for needed in ("==== Expat", "==== Zlib", "==== GPL-2", "Sam Lantinga", "Tim Brechbill",
                   "GNU GENERAL PUBLIC LICENSE", "Apache License"):
        check(f"LICENSES.txt holds {needed!r}", needed in text)

# Each of these is refused, and no LICENSES.txt is left behind.
CASES = [
    ("a file no pattern names", HEAD + OWN + EXPAT, PROJECT, ["index.html", "sw.js"],
     "no licence listed for sw.js"),
    ("a pattern that matches nothing", HEAD + OWN + "Files: *.sf2\nCopyright: x\nLicense: Expat\n\n" + EXPAT,
     PROJECT, ["index.html"], "matches no file"),
    ("a licence named without its text", HEAD + OWN + "Files: a.js\nCopyright: x\nLicense: Zlib\n\n" + EXPAT,
     PROJECT, ["index.html", "a.js"], "'Zlib' is named but its text"),
    ("the project's files under another licence than the packages'",
     HEAD + OWN.replace("License: Expat", "License: Zlib") + "License: Zlib\n text\n",
     PROJECT, ["index.html"], "but"),
    ("a broken list", HEAD + "Files index.html\n", PROJECT, ["index.html"], "not a field"),
]
for name, listing, project, files, message in CASES:
    status, err, text = run(listing, project, files)
    check(f"refused: {name}", status == 1 and message in err and text is None,
          f"status {status}, stderr {err.strip()!r}")

sys.exit(1 if failed else 0)
