#!/usr/bin/env python3
"""The layer check passes on the sources as they are and fails, naming the
file and the include, on each include planted against the order.

Usage: check_layers_test.py CHECK_LAYERS_PY SOURCE_ROOT
"""
import shutil
import subprocess
import sys
import tempfile
from pathlib import Path

check, root = sys.argv[1], Path(sys.argv[2])

# (file to plant in, line planted, what the report must name)
PLANTED = [
    ('src/game/board.cpp', '#include "render/play_view.h"', 'src/game/board.cpp:1'),
    ('src/core/keys.h', '#include "game/board.h"', 'src/core/keys.h:1'),
    ('src/data/data_file.cpp', '#include "game/game_state.h"', 'may not include "game/game_state.h"'),
    ('src/render/blit.cpp', '#include <SDL.h>', 'may not include <SDL.h>'),
    ('src/platform/sdl/sdl_keys.cpp', '#include "game/game.h"', 'src/platform/sdl/'),
    ('src/platform/compose/compositor.cpp', '#include "platform/sdl/sdl_display.h"',
     'src/platform/compose/ may not include'),
    ('src/platform/browser/page.cpp', '#include "platform/sdl/sdl_keys.h"',
     'src/platform/browser/ may not include'),
    ('src/platform/browser/browser_input.cpp', '#include "game/game.h"',
     'src/platform/browser/ may not include'),
    ('src/render/blit.cpp', '#include "app/main_loop.h"', 'src/render/ may not include'),
    ('src/app/main_loop.cpp', '#include "app/desktop/sdl_bring_up.h"',
     'src/app/ may not include "app/desktop/sdl_bring_up.h"'),
    ('src/app/main_loop.cpp', '#include "platform/headless/headless_platform.h"',
     'src/app/ may not include'),
    ('src/app/fatal_error_path.cpp', '#include <SDL.h>', 'src/app/ may not include <SDL.h>'),
    ('src/app/desktop/main.cpp', '#include "app/web/browser_bring_up.h"',
     'src/app/desktop/ may not include "app/web/browser_bring_up.h"'),
    ('src/app/desktop/sdl_bring_up.cpp', '#include "platform/browser/page.h"',
     'src/app/desktop/ may not include'),
    ('src/app/web/browser_main.cpp', '#include "app/desktop/init_and_run.h"',
     'src/app/web/ may not include "app/desktop/init_and_run.h"'),
    ('src/app/web/browser_bring_up.cpp', '#include "platform/sdl/sdl_display.h"',
     'src/app/web/ may not include'),
    # The drawing reads the state and steps nothing.
    ('src/render/push_frame.cpp', '#include "game/frame_step.h"',
     'src/render/ may not include "game/frame_step.h"'),
    ('src/render/play_view.h', '#include "game/move_step.h"',
     'src/render/ may not include "game/move_step.h"'),
    ('src/render/idle_frame.cpp', 'void Peek(GameState& g);', 'takes a mutable game state'),
    ('src/render/walk_frame.cpp', 'void Peek(GameState *g);', 'takes a mutable game state'),
    ('src/render/blit.h', 'void Ring(Platform& p);', 'reaches past the Display'),
    ('src/render/clear_frame.cpp', 'void Ring(Audio& a);', 'reaches past the Display'),
    ('src/render/ending_frame.cpp', 'auto& m = const_cast<GameState&>(g);', 'src/render/ending_frame.cpp:1'),
]

failures = []


def run(tree):
    return subprocess.run([sys.executable, check, str(tree)], capture_output=True, text=True)


with tempfile.TemporaryDirectory() as tmp:
    clean = run(root)
    if clean.returncode != 0:
        failures.append('the sources as they are fail:\n' + clean.stderr)
    for file, line, expected in PLANTED:
        tree = Path(tmp) / 'tree'
        shutil.rmtree(tree, ignore_errors=True)
        shutil.copytree(root / 'src', tree / 'src')
        target = tree / file
        target.write_text(line + '\n' + target.read_text(encoding='utf-8'), encoding='utf-8')
        result = run(tree)
        if result.returncode != 1 or expected not in result.stderr:
            failures.append(f'{line} in {file}: exit {result.returncode}, report:\n{result.stderr}')

for f in failures:
    print('FAIL:', f)
print(f'{len(PLANTED) + 1 - len(failures)} passed, {len(failures)} failed')
sys.exit(1 if failures else 0)
