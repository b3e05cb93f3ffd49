// Music, sound and the display toggles.
#pragma once

#include <cstdint>

#include "core/platform.h"
#include "game/game_state.h"

namespace rara3 {

// Stops the tune if it still plays, then plays it from its start.
void RestartTune(Platform& p);
void StopTune(Platform& p);
// M: the tune off, or on from its start; pauseAfterOn holds the program
// 500 ms after switching on (title and editor).
void ToggleMusic(GameState& g, Platform& p, bool pauseAfterOn);
void ToggleSound(GameState& g);
void ToggleColors(GameState& g);
// StepFrames 2 -> 1 -> 3 -> 2: normal, fast, slow.
void CycleSpeed(GameState& g);

}  // namespace rara3
