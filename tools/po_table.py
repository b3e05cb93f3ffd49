#!/usr/bin/env python3
"""Turns a gettext catalogue (.po) into a C++ header with every entry as an
English/translation pair, for the build without gettext (the browser) and
for the tests that check the catalogue. Untranslated entries are kept with
an empty translation and fuzzy ones are marked, so the tests can name them.

Usage: po_table.py INPUT.po OUTPUT.h
"""
import sys


def _unquote(text):
    """The value of one quoted po string, escapes resolved."""
    text = text.strip()
    if len(text) < 2 or text[0] != '"' or text[-1] != '"':
        raise ValueError('expected a quoted string, found ' + text)
    out, i, body = [], 0, text[1:-1]
    escapes = {'n': '\n', 't': '\t', '"': '"', '\\': '\\'}
    while i < len(body):
        c = body[i]
        if c == '\\':
            i += 1
            if i >= len(body) or body[i] not in escapes:
                raise ValueError('unknown escape in ' + text)
            out.append(escapes[body[i]])
        else:
            out.append(c)
        i += 1
    return ''.join(out)


def read_po(path):
    """[(msgid, msgstr, fuzzy)] of a catalogue, the header left out."""
    entries, current, field, fuzzy = [], {}, None, False

    def finish():
        nonlocal current, field, fuzzy
        if 'msgid' in current and current['msgid'] != '':
            entries.append((current['msgid'], current.get('msgstr', ''), fuzzy))
        current, field, fuzzy = {}, None, False

    with open(path, encoding='utf-8') as f:
        for number, line in enumerate(f, 1):
            line = line.rstrip('\n')
            try:
                if not line.strip():
                    finish()
                elif line.startswith('#,'):
                    fuzzy = 'fuzzy' in line
                elif line.startswith('#'):
                    continue
                elif line.startswith('msgid '):
                    if 'msgid' in current:
                        finish()
                    field = 'msgid'
                    current[field] = _unquote(line[6:])
                elif line.startswith('msgstr '):
                    field = 'msgstr'
                    current[field] = _unquote(line[7:])
                elif line.startswith('"') and field:
                    current[field] += _unquote(line)
                else:
                    raise ValueError('unexpected line')
            except ValueError as e:
                sys.exit('%s:%d: %s' % (path, number, e))
    finish()
    return entries


def _c_string(text):
    return '"' + text.replace('\\', '\\\\').replace('"', '\\"').replace('\n', '\\n') \
        .replace('\t', '\\t') + '"'


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    entries = read_po(sys.argv[1])
    lines = [
        '// Made by tools/po_table.py from po/ja.po at build time; do not edit.',
        '#pragma once',
        '',
        'namespace rara3 {',
        '',
        'struct JapaneseWord {',
        '  const char* english;',
        '  const char* japanese;  // "" when not yet translated',
        '  bool fuzzy;',
        '};',
        '',
        'inline constexpr JapaneseWord kJapaneseWords[] = {',
    ]
    for msgid, msgstr, fuzzy in entries:
        lines.append('    {%s, %s, %s},' % (_c_string(msgid), _c_string(msgstr),
                                           'true' if fuzzy else 'false'))
    lines += ['};', '', '}  // namespace rara3', '']
    text = '\n'.join(lines)
    try:
        with open(sys.argv[2], encoding='utf-8') as f:
            if f.read() == text:
                return
    except OSError:
        pass
    with open(sys.argv[2], 'w', encoding='utf-8') as f:
        f.write(text)


if __name__ == '__main__':
    main()
