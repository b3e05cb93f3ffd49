"""The game's shared tables as the Python generators need them, read from
the C++ headers under src/core, so a size is written in one place only."""

import os
import re

ROOT = os.path.dirname(os.path.dirname(os.path.abspath(__file__)))
CORE = os.path.join(ROOT, 'src', 'core')


def _array(header, name):
    """The initialiser of `constexpr ... name[...] = {...};` as a string."""
    with open(os.path.join(CORE, header), encoding='utf-8') as f:
        text = f.read()
    m = re.search(r'constexpr\s+[\w:]+\s+' + re.escape(name) + r'\[[^\]]*\]\s*=\s*(\{.*?\});',
                  text, re.S)
    if m is None:
        raise ValueError(f'src/core/{header}: no table {name}')
    return m.group(1)


def sheet_sizes():
    """{sheet: (width, height)} for Picture0 .. Picture8."""
    pairs = re.findall(r'\{\s*(\d+)\s*,\s*(\d+)\s*\}', _array('sheets.h', 'kSheetSize'))
    return {i: (int(w), int(h)) for i, (w, h) in enumerate(pairs)}


def effect_sizes():
    """The byte size of each effect in the data file, by index."""
    return [int(n) for n in re.findall(r'\d+', _array('data_layout.h', 'kSfxSize'))]


def stage_count():
    """The number of stages the data file holds."""
    with open(os.path.join(CORE, 'data_layout.h'), encoding='utf-8') as f:
        m = re.search(r'constexpr\s+int32_t\s+kStageCount\s*=\s*(\d+);', f.read())
    if m is None:
        raise ValueError('src/core/data_layout.h: no kStageCount')
    return int(m.group(1))


def effect_bank():
    """(offset, size) of the effect bank, the data file's last region."""
    with open(os.path.join(CORE, 'data_layout.h'), encoding='utf-8') as f:
        text = f.read()
    values = []
    for name in ('kEffectBankOffset', 'kEffectBankSize', 'kDataFileSize'):
        m = re.search(r'constexpr\s+int64_t\s+' + name + r'\s*=\s*(\d+);', text)
        if m is None:
            raise ValueError('src/core/data_layout.h: no ' + name)
        values.append(int(m.group(1)))
    offset, size, whole = values
    if offset + size != whole:
        raise ValueError('src/core/data_layout.h: the effect bank is not the last region')
    return offset, size
