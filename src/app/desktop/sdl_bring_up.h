// The real game's bring-up, in the game's fixed order.
#pragma once

#include <string>

#include "core/platform.h"
#include "game/game_state.h"
#include "platform/sdl/sdl_platform.h"
#include "app/data_file_error.h"

namespace rara3 {

// Window, display, sheets, tune, effects, then MusicOn, SoundOn and
// LoopStarted; g has been prepared. Throws PlatformError.
void BringUp(GameState& g, SdlPlatform& sdl);

}  // namespace rara3
