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


def parse_po(path):
    """[{'msgid', 'msgstr', 'fuzzy', 'plural', 'context'}] of a catalogue,
    the header left out. An entry with plural forms has 'plural' (its
    msgid_plural) and its first form as 'msgstr': Japanese has one form for
    every number. 'context' is the msgctxt, or None."""
    entries, current, field, fuzzy = [], {}, None, False

    def finish():
        nonlocal current, field, fuzzy
        if 'msgid' in current and current['msgid'] != '':
            entries.append({'msgid': current['msgid'],
                            'msgstr': current.get('msgstr', current.get('msgstr[0]', '')),
                            'fuzzy': fuzzy, 'plural': current.get('msgid_plural'),
                            'context': current.get('msgctxt')})
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
                elif line.startswith('msgctxt ') or line.startswith('msgid '):
                    if 'msgid' in current:
                        finish()
                    field, _, value = line.partition(' ')
                    current[field] = _unquote(value)
                elif line.startswith('msgid_plural ') or line.startswith('msgstr'):
                    field, _, value = line.partition(' ')
                    current[field] = _unquote(value)
                elif line.startswith('"') and field:
                    current[field] += _unquote(line)
                else:
                    raise ValueError('unexpected line')
            except ValueError as e:
                sys.exit('%s:%d: %s' % (path, number, e))
    finish()
    return entries


def read_po(path):
    """[(msgid, msgstr, fuzzy)] of a catalogue, the header left out; the
    plural of an entry with plural forms is an entry of its own."""
    out = []
    for e in parse_po(path):
        out.append((e['msgid'], e['msgstr'], e['fuzzy']))
        if e['plural'] is not None:
            out.append((e['plural'], e['msgstr'], e['fuzzy']))
    return out


def _c_string(text):
    return '"' + text.replace('\\', '\\\\').replace('"', '\\"').replace('\n', '\\n') \
        .replace('\t', '\\t') + '"'


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    entries = parse_po(sys.argv[1])
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
        '  const char* singular;  // for a plural form: its singular, else nullptr',
        '  const char* context;  // the msgctxt, else nullptr',
        '};',
        '',
        'inline constexpr JapaneseWord kJapaneseWords[] = {',
    ]
    for e in entries:
        fuzzy = 'true' if e['fuzzy'] else 'false'
        context = 'nullptr' if e['context'] is None else _c_string(e['context'])
        lines.append('    {%s, %s, %s, nullptr, %s},' % (_c_string(e['msgid']), _c_string(e['msgstr']), fuzzy,
                                                       context))
        if e['plural'] is not None:
            lines.append('    {%s, %s, %s, %s, %s},' % (_c_string(e['plural']), _c_string(e['msgstr']), fuzzy,
                                                      _c_string(e['msgid']), context))
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
