#!/usr/bin/python3
"""Write the site's service worker: its file list and a version from them.

    service_worker.py TEMPLATE SITE OUT [LATER...]

Every file under SITE but OUT itself goes into the list, with the LATER
ones (written after this, such as LICENSES.txt) included whether they exist
yet or not. The version is a digest of every listed file's name and bytes
(a LATER file not written yet counts by its name), so the same site always
gives the same worker and any change gives a new one.
"""

import hashlib
import json
import os
import sys


def site_files(site, out, later):
    names = {os.path.relpath(os.path.join(d, f), site).replace(os.sep, "/")
             for d, _, files in os.walk(site) for f in files}
    names |= set(later)
    names.discard(os.path.relpath(out, site).replace(os.sep, "/"))
    return sorted(n for n in names if not n.endswith(".tmp"))


def version(site, names):
    h = hashlib.sha256()
    for n in names:
        h.update(n.encode() + b"\0")
        path = os.path.join(site, n)
        if os.path.isfile(path):
            with open(path, "rb") as f:
                h.update(hashlib.sha256(f.read()).digest())
    return h.hexdigest()[:16]


def main():
    if len(sys.argv) < 4:
        print(__doc__, file=sys.stderr)
        return 2
    template, site, out, later = sys.argv[1], sys.argv[2], sys.argv[3], sys.argv[4:]
    names = site_files(site, out, later)
    if "index.html" not in names:
        print(f"service_worker.py: {site} has no index.html", file=sys.stderr)
        return 1
    with open(template, encoding="utf-8") as f:
        text = f.read()
    for key in ("@SITE_VERSION@", "@SITE_FILES@"):
        if key not in text:
            print(f"service_worker.py: {template} lacks {key}", file=sys.stderr)
            return 1
    text = text.replace("@SITE_VERSION@", version(site, names))
    text = text.replace("@SITE_FILES@", json.dumps(names, indent=2))
    tmp = out + ".tmp"
    with open(tmp, "w", encoding="utf-8") as f:
        f.write(text)
    os.replace(tmp, out)
    return 0


if __name__ == "__main__":
    sys.exit(main())
