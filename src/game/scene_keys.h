// The window's key-down, activate and close handlers, and the quit that the
// title's Esc and the ending's last key start.
#pragma once

#include <cstdint>

#include "core/platform.h"
#include "game/game_state.h"

namespace rara3 {

// One key-down event, auto-repeats included. modifierMask: 1 Shift,
// 2 Ctrl, 4 Alt. The file work the key asks for is done before it returns.
void HandleKeyDown(GameState& g, Platform& p, int16_t keyCode, int16_t modifierMask);
// The window became active: the music keep-alive may run from now on.
void HandleActivate(GameState& g);
// The window is being closed, in any scene: ends the program. Unsaved
// editor edits are saved first; a failed save keeps the game open. On the
// clear screen the clear is kept first, as Enter keeps it.
void HandleClose(GameState& g, Platform& p);

// Esc on the title, a key at the end of the ending: music closed, display
// restored, cursor shown, program ended. Nothing is saved.
void QuitSequence(Audio& audio, Display& display, System& system);

}  // namespace rara3
