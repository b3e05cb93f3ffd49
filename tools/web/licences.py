#!/usr/bin/python3
"""Write the site's LICENSES.txt from its machine-readable copyright list.

    licences.py LIST PROJECT_COPYRIGHT OUT [--site DIR [--later FILE]...]

LIST is web/copyright (Debian's copyright format, paths inside the site),
PROJECT_COPYRIGHT the packages' debian/copyright: the site's stanzas that
name the Rara3 developers alone must carry the same copyright and licence,
so the two lists cannot drift apart. Every licence named is written out in
full; a text Debian keeps in /usr/share/common-licenses is copied from there,
as a visitor of the page has no such folder. With --site, every file in DIR
must match a stanza (the last match counts, as in the format) and every
stanza must match a file, or nothing is written.
"""

import argparse
import fnmatch
import os
import re
import sys

COMMON = "/usr/share/common-licenses"


class ListError(Exception):
    pass


def paragraphs(text, name):
    """The paragraphs of a copyright file: a list of {field: value}."""
    out, cur, field = [], {}, None
    for n, line in enumerate(text.splitlines(), 1):
        if not line.strip():
            if cur:
                out.append(cur)
            cur, field = {}, None
        elif line[0] in " \t":
            if field is None:
                raise ListError(f"{name}:{n}: a continuation line with no field")
            body = line.strip()
            cur[field] += "\n" + ("" if body == "." else body)
        else:
            m = re.match(r"([A-Za-z][A-Za-z0-9-]*):\s*(.*)$", line)
            if not m:
                raise ListError(f"{name}:{n}: not a field: {line!r}")
            field = m.group(1)
            if field in cur:
                raise ListError(f"{name}:{n}: {field} given twice in one paragraph")
            cur[field] = m.group(2).strip()
    if cur:
        out.append(cur)
    if not out or "Format" not in out[0]:
        raise ListError(f"{name}: no Format header")
    return out


def split_licence(value):
    """'Expat and Zlib' -> name 'Expat and Zlib', parts ['Expat', 'Zlib'], text."""
    first, _, text = value.partition("\n")
    parts = [p.strip() for p in re.split(r"\s+(?:and|or)\s+", first.strip()) if p.strip()]
    return first.strip(), parts, text.strip()


def read_list(path):
    with open(path, encoding="utf-8") as f:
        paras = paragraphs(f.read(), path)
    stanzas, texts = [], {}
    for p in paras[1:]:
        if "License" not in p:
            raise ListError(f"{path}: a paragraph without License: {p}")
        name, parts, text = split_licence(p["License"])
        if "Files" in p:
            if "Copyright" not in p:
                raise ListError(f"{path}: Files: {p['Files']} has no Copyright")
            stanzas.append({"patterns": p["Files"].split(), "copyright": p["Copyright"],
                            "licence": name, "parts": parts, "comment": p.get("Comment", "").strip()})
            if text:
                texts[name] = text
        else:
            texts[name] = text
    return stanzas, texts


def full_text(name, texts):
    """The licence text, with the common-licenses file it points at appended."""
    text = texts.get(name)
    if not text:
        raise ListError(f"licence {name!r} is named but its text is not in the list")
    m = re.search(r"/usr/share/common-licenses/([A-Za-z0-9.+-]*[A-Za-z0-9+])", text)
    if m:
        path = os.path.join(COMMON, m.group(1))
        try:
            with open(path, encoding="utf-8") as f:
                text += "\n\n" + f.read().strip()
        except OSError as e:
            raise ListError(f"licence {name!r}: {path}: {e.strerror}") from e
    return text


def matching(stanzas, rel):
    """The stanza that covers a file: the last one whose pattern matches."""
    found = None
    for s in stanzas:
        if any(fnmatch.fnmatchcase(rel, p) for p in s["patterns"]):
            found = s
    return found


def check_site(stanzas, site, out, later=()):
    files = {os.path.relpath(os.path.join(d, f), site)
             for d, _, names in os.walk(site) for f in names}
    # The file being written counts, made yet or not, and so do those
    # written after it.
    files.add(os.path.relpath(out, site))
    files |= set(later)
    files = sorted(f for f in files if not f.startswith("..") and not f.endswith(".tmp"))
    uncovered = [f for f in files if matching(stanzas, f) is None]
    if uncovered:
        raise ListError("no licence listed for " + ", ".join(uncovered))
    for s in stanzas:
        for p in s["patterns"]:
            if not any(fnmatch.fnmatchcase(f, p) for f in files):
                raise ListError(f"the pattern {p!r} matches no file of the site")


def check_project(stanzas, project_path):
    with open(project_path, encoding="utf-8") as f:
        paras = paragraphs(f.read(), project_path)
    own = [p for p in paras[1:] if p.get("Files", "").split() == ["*"]]
    if not own:
        raise ListError(f"{project_path}: no 'Files: *' paragraph")
    copyright = own[0]["Copyright"]
    licence = split_licence(own[0]["License"])[0]
    for s in stanzas:
        if s["copyright"].splitlines()[0] == copyright and len(s["copyright"].splitlines()) == 1:
            if s["licence"] != licence:
                raise ListError(f"{' '.join(s['patterns'])}: licence {s['licence']}, "
                                f"but {project_path} says {licence}")


def render(stanzas, texts):
    out = ["Rara3 and what its page ships", "=" * 29, ""]
    out.append("Each file of this site, who holds its copyright and under which licence;")
    out.append("the licences in full follow.")
    names = []
    for s in stanzas:
        out += ["", "Files: " + " ".join(s["patterns"])]
        out += ["Copyright: " + s["copyright"].replace("\n", "\n           ")]
        out += ["Licence: " + s["licence"]]
        if s["comment"]:
            out += ["  " + line for line in s["comment"].splitlines()]
        for part in s["parts"]:
            if part not in names:
                names.append(part)
    for name in names:
        out += ["", "", "==== " + name, "", full_text(name, texts)]
    return "\n".join(out) + "\n"


def main():
    ap = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    ap.add_argument("list")
    ap.add_argument("project")
    ap.add_argument("out")
    ap.add_argument("--site", help="check that the list covers every file of this folder")
    ap.add_argument("--later", action="append", default=[],
                    help="a file of the site written after this one (may be repeated)")
    args = ap.parse_args()
    try:
        stanzas, texts = read_list(args.list)
        check_project(stanzas, args.project)
        if args.site:
            check_site(stanzas, args.site, args.out, args.later)
        text = render(stanzas, texts)
    except (ListError, OSError) as e:
        print(f"licences.py: {e}", file=sys.stderr)
        return 1
    tmp = args.out + ".tmp"
    with open(tmp, "w", encoding="utf-8") as f:
        f.write(text)
    os.replace(tmp, args.out)
    return 0


if __name__ == "__main__":
    sys.exit(main())
