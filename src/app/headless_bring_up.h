// Bring-up without a window, for the simulator, the tests and the tools.
#pragma once

#include <string>

#include "core/platform.h"
#include "game/game_state.h"

namespace rara3 {

// Main's preparation (AppDir = programDir, the progress, the initial
// values), the tune and the ten effects read once so that a damaged data
// file fails here as in the game, then MusicOn, SoundOn, LoopStarted and the
// window's activation. Fails with a message naming the data file; g is then
// not ready to run.
bool StartHeadless(GameState& g, Platform& p, const std::string& programDir, std::string& error);

}  // namespace rara3
