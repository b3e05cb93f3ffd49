// The real game's bring-up, in the game's fixed order.
#pragma once

#include <string>

#include "core/platform.h"
#include "game/game_state.h"
#include "platform/sdl/sdl_platform.h"

namespace rara3 {

// The platform failure for a data file that cannot be read: 53 when it is
// missing, 62 when it is too short, 75 otherwise; the message names it.
PlatformError DataFileError(const std::string& path, const std::string& error);

// Window, display, sheets, tune, effects, then MusicOn, SoundOn and
// LoopStarted; g has been prepared. Throws PlatformError.
void BringUp(GameState& g, SdlPlatform& sdl);

}  // namespace rara3
