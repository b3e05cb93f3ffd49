#!/usr/bin/env python3
"""Keeps the catalogue of the texts the player reads in step with the code.

  catalogue.py check SOURCE_ROOT   exits 1, naming the texts, when po/rara3.pot
                                   is not what the code marks (Tr, TrContext,
                                   TrFormat, TrCount, TrFormatCount, N_) and
                                   the stage titles (assets/stages), or
                                   po/ja.po's texts differ from it
  catalogue.py update SOURCE_ROOT  writes po/rara3.pot from the code and
                                   merges it into po/ja.po (new texts come in
                                   untranslated, and the tests fail until
                                   they are translated)

Needs xgettext and msgmerge (Debian's gettext).
"""
import pathlib
import subprocess
import sys
import tempfile

sys.path.insert(0, str(pathlib.Path(__file__).resolve().parent))
import po_table  # noqa: E402
import stage_titles  # noqa: E402

DOMAIN = 'rara3'


def extract(root, out):
    sources = sorted(str(p.relative_to(root)) for p in (root / 'src').rglob('*')
                     if p.suffix in ('.cpp', '.h'))
    subprocess.run(['xgettext', '--language=C++', '--from-code=UTF-8', '--keyword=',
                    '--keyword=Tr', '--keyword=TrContext:1c,2', '--keyword=TrFormat:1', '--keyword=N_',
                    '--keyword=TrCount:1,2', '--keyword=TrFormatCount:1,2',
                    '--add-comments=Translators:', '--add-location=file',
                    '--package-name=' + DOMAIN, '--msgid-bugs-address=',
                    '--output=' + str(out)] + sources, cwd=root, check=True)
    with open(out, 'a', encoding='utf-8') as f:
        f.write(title_entries(root))


def title_entries(root):
    """The stage titles as catalogue entries under their context, each with
    the idea of its floor for the translator; a title two floors share is
    one entry."""
    floors = {}
    for n, (title, idea) in enumerate(stage_titles.headings(str(root / 'assets' / 'stages')), 1):
        if title:
            floors.setdefault(title, []).append((n, idea))
    out = []
    for title, where in floors.items():
        out.append('')
        out += ['#. Floor %d: %s' % (n, idea) for n, idea in where]
        out.append('#: ' + ' '.join('assets/stages/%03d.txt' % n for n, _ in where))
        out += ['msgctxt ' + stage_titles.c_string(stage_titles.CONTEXT),
                'msgid ' + stage_titles.c_string(title), 'msgstr ""']
    return '\n'.join(out) + '\n'


def ids(path):
    """(context, text) of every entry; a plural form is an entry of its own."""
    return [(e['context'], text) for e in po_table.parse_po(str(path))
            for text in (e['msgid'], e['plural']) if text is not None]


def named(entry):
    context, text = entry
    return repr(text) if context is None else '%r (%s)' % (text, context)


def main():
    if len(sys.argv) != 3 or sys.argv[1] not in ('check', 'update'):
        sys.exit(__doc__)
    root = pathlib.Path(sys.argv[2]).resolve()
    pot, ja = root / 'po' / (DOMAIN + '.pot'), root / 'po' / 'ja.po'
    if sys.argv[1] == 'update':
        extract(root, pot)
        subprocess.run(['msgmerge', '--quiet', '--update', '--backup=none', '--add-location=file',
                        str(ja), str(pot)], check=True)
        return
    with tempfile.TemporaryDirectory() as tmp:
        fresh = pathlib.Path(tmp) / 'fresh.pot'
        extract(root, fresh)
        code = set(ids(fresh))
    problems = []
    for label, have in (('po/rara3.pot', set(ids(pot))), ('po/ja.po', set(ids(ja)))):
        problems += ['%s lacks %s' % (label, named(t)) for t in sorted(code - have, key=named)]
        problems += ['%s has %s, which the code no longer shows' % (label, named(t))
                     for t in sorted(have - code, key=named)]
    for p in problems:
        print(p)
    if problems:
        print('run "tools/catalogue.py update ." and translate the new texts in po/ja.po')
        sys.exit(1)


if __name__ == '__main__':
    main()
