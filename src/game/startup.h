// Main's preparation of the game state, before the platform comes up.
#pragma once

#include <string>

#include "core/platform.h"
#include "game/game_state.h"

namespace rara3 {

// AppDir = programDir with exactly one trailing '/', MaxStage from the
// progress byte of the data file, and the initial values. Fails, with a
// message naming the file, when the data file is missing or shorter than it
// must be; g is then left as it was.
bool OpenGameFolder(GameState& g, Files& files, const std::string& programDir,
                      std::string& error);

}  // namespace rara3
