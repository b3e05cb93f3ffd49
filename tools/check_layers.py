#!/usr/bin/env python3
"""Holds the includes under src/ to the layers: each folder may include only
itself and the folders below it, and only the platform implementations and
the applications' start-ups may include SDL. The drawing only reads the game:
render/ may include none of game/'s stepping headers, take no mutable game
state and reach neither Audio nor Files. Prints every line that breaks these
rules and exits 1; exits 0 when there is none.

Usage: check_layers.py SOURCE_ROOT
"""
import pathlib
import re
import sys

# Each folder and what it may include, bottom to top. The shared pass (app)
# works on the platform interfaces only; each application (app/desktop,
# app/web) brings up its own platform and never the other's.
_BELOW_APP = {'core', 'data', 'game', 'render'}
ALLOWED = {
    'core': {'core'},
    'data': {'core', 'data'},
    'game': {'core', 'data', 'game'},
    'render': {'core', 'data', 'game', 'render'},
    'platform/posix': {'core', 'platform/posix'},
    'platform/compose': {'core', 'platform/compose'},
    'platform/mixer': {'core', 'platform/mixer'},
    'platform/headless': {'core', 'platform/compose', 'platform/headless'},
    'platform/sdl': {'core', 'platform/compose', 'platform/mixer', 'platform/posix',
                     'platform/sdl'},
    'platform/browser': {'core', 'platform/compose', 'platform/mixer', 'platform/posix',
                         'platform/browser'},
    'app': _BELOW_APP | {'app'},
    'app/desktop': _BELOW_APP | {'platform/posix', 'platform/compose', 'platform/mixer',
                                 'platform/headless', 'platform/sdl', 'app', 'app/desktop'},
    'app/web': _BELOW_APP | {'platform/posix', 'platform/compose', 'platform/mixer',
                             'platform/browser', 'app', 'app/web'},
}
SDL_ALLOWED = {'platform/compose', 'platform/mixer', 'platform/headless', 'platform/sdl',
               'platform/browser', 'app/desktop', 'app/web'}

# The folders that hold layers of their own one level down.
_NESTED = {'platform', 'app'}

# Of game/'s headers, render/ may include only those that describe the state
# and ask it questions; the ones that step it are the frame step's.
RENDER_GAME_HEADERS = {'game/game_state.h', 'game/board.h', 'game/frame_view.h',
                       'game/panel_lines.h'}
# What a line of render/ may not hold (comments aside).
RENDER_FORBIDDEN = [
    (re.compile(r'(?<!const )\b(GameState|Board)\s*[&*]'), 'takes a mutable game state'),
    (re.compile(r'\b(Platform|Audio|Files)\s*[&*]'), 'reaches past the Display'),
    (re.compile(r'\bconst_cast\b'), 'casts away const'),
]

INCLUDE = re.compile(r'^\s*#\s*include\s*([<"])([^>"]+)[>"]')


def folder_of(path):
    """The layer a path under src/ names: 'platform/sdl', 'game', ..."""
    parts = pathlib.PurePosixPath(path).parts
    # app/main_loop.h is the shared pass itself; app/web/x.h lies in app/web.
    if len(parts) >= 3 and parts[0] in _NESTED:
        return '/'.join(parts[:2])
    if len(parts) == 2 and parts[0] == 'platform':
        return '/'.join(parts[:2])
    return parts[0] if parts else ''


def check(root):
    src = pathlib.Path(root) / 'src'
    problems = []
    for file in sorted(src.rglob('*')):
        if file.suffix not in ('.h', '.cpp') or not file.is_file():
            continue
        rel = file.relative_to(src).as_posix()
        layer = folder_of(rel)
        if layer not in ALLOWED:
            problems.append(f'src/{rel}: lies in no layer (src/{layer}/)')
            continue
        for number, line in enumerate(file.read_text(encoding='utf-8').splitlines(), 1):
            if layer == 'render':
                problems.extend(render_problems(rel, number, line))
            m = INCLUDE.match(line)
            if not m:
                continue
            bracket, target = m.groups()
            if bracket == '<':
                if target.startswith('SDL') and layer not in SDL_ALLOWED:
                    problems.append(f'src/{rel}:{number}: src/{layer}/ may not include <{target}>')
                continue
            if '/' not in target:
                continue  # a header beside the file
            wanted = folder_of(target)
            if wanted not in ALLOWED:
                problems.append(f'src/{rel}:{number}: "{target}" is in no layer')
            elif wanted not in ALLOWED[layer]:
                problems.append(f'src/{rel}:{number}: src/{layer}/ may not include "{target}"'
                                f' (it may include {", ".join(sorted(ALLOWED[layer]))})')
            elif layer == 'render' and wanted == 'game' and target not in RENDER_GAME_HEADERS:
                problems.append(f'src/{rel}:{number}: src/render/ may not include "{target}"'
                                f' (of game/ only {", ".join(sorted(RENDER_GAME_HEADERS))})')
    return problems


def render_problems(rel, number, line):
    """What a line of render/ breaks of the drawing's rules."""
    code = line.split('//', 1)[0]
    return [f'src/{rel}:{number}: src/render/ {why}: {code.strip()}'
            for pattern, why in RENDER_FORBIDDEN if pattern.search(code)]


def main(argv):
    if len(argv) != 2:
        print(__doc__.strip(), file=sys.stderr)
        return 2
    problems = check(argv[1])
    for p in problems:
        print(p, file=sys.stderr)
    if problems:
        print(f'{len(problems)} include(s) break the layers', file=sys.stderr)
        return 1
    return 0


if __name__ == '__main__':
    sys.exit(main(sys.argv))
