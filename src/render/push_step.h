// The pushed box's part of the push frame's board pass: the slide, the
// event of its kind at the stop, or the box resting there.
#pragma once

#include "core/platform.h"
#include "game/game_state.h"

namespace rara3 {

void PushStep(GameState& g, Platform& p);

}  // namespace rara3
