// The scalar fields of GameState by their names, as the simulator prints
// them: flags True or False, numbers in decimal.
#pragma once

#include <cstdint>
#include <string>

#include "game/game_state.h"

namespace rara3::sim {

bool IsStateField(const std::string& name);
// The value of a field named by IsStateField; frames is the pass count that
// "Frames" shows.
std::string StateFieldValue(const GameState& g, int64_t frames, const std::string& name);

}  // namespace rara3::sim
