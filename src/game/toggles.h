// The tune and the player's switches: music, sound, colours and speed.
#pragma once

#include <cstdint>

#include "core/platform.h"
#include "game/game_state.h"

namespace rara3 {

// Stops the tune if it still plays, then plays it from its start.
void RestartTune(Audio& audio);
// Every timer tick: once the loop runs and the window has been active, a
// tune that has ended while music is on starts over, and the program holds
// 500 ms.
void TuneKeepAlive(const GameState& g, Audio& audio, System& system);
// M: the tune off, or on from its start; pauseAfterOn holds the program
// 500 ms after switching on (title and editor).
void ToggleMusic(GameState& g, Audio& audio, System& system, bool pauseAfterOn);
void ToggleSound(GameState& g);
void ToggleColors(GameState& g);
// StepFrames 2 -> 1 -> 3 -> 2: normal, fast, slow.
void CycleSpeed(GameState& g);

}  // namespace rara3
