// The game's entry points: the window's event handlers, the start-up and the
// quit, and the stage set-ups that drivers (the simulator, tests, benchmarks)
// use. All of it works on one GameState and reaches the machine only through
// Platform. The steps behind them have headers of their own: move_step.h,
// stage_flow.h, toggles.h, editor.h, frame_step.h, and file_work.h, which
// holds every operation on the game's files.
#pragma once

#include <cstdint>
#include <string>

#include "game/file_work.h"
#include "game/game_state.h"
#include "core/keys.h"
#include "core/platform.h"

namespace rara3 {

// --- Window events (called by the main loop) ---

// One key-down event, auto-repeats included. modifierMask: 1 Shift,
// 2 Ctrl, 4 Alt.
void HandleKeyDown(GameState& g, Platform& p, int16_t keyCode, int16_t modifierMask);
// The window became active: the music keep-alive may run from now on.
void HandleActivate(GameState& g);
// The window is being closed, in any scene: ends the program, saves nothing.
void HandleClose(GameState& g, Platform& p);
// One 10 ms tick: music keep-alive, keyboard poll, then the move step when
// the player stands idle and an arrow is held (or a replay drives).
void HandleTimerTick(GameState& g, Platform& p);

// --- Start-up ---

// Main's preparation: AppDir = programDir with exactly one trailing '/',
// MaxStage from the progress byte of the data file, and the initial values.
// Fails, with a message naming the file, when the data file is missing or
// shorter than it must be; g is then left as it was.
bool PrepareGameState(GameState& g, Files& files, const std::string& programDir,
                      std::string& error);

// --- Ending the program ---

// Esc on the title, a key at the end of the ending: music closed, display
// restored, cursor shown, program ended. Nothing is saved.
void QuitSequence(GameState& g, Platform& p);

// --- Stages, for drivers that set up a scene ---

// LoadStage and LoadStageForEditor: game/file_work.h.
// Ctrl+Shift+F7 on the title, and the clear of stage 100.
void StartEnding(GameState& g, Platform& p);
// Esc in the idle scene.
void Retire(GameState& g, Platform& p);

}  // namespace rara3
