// The real game's bring-up, in the game's fixed order.
#pragma once

#include <string>

#include "core/platform.h"
#include "game/game_state.h"
#include "platform/sdl/sdl_platform.h"

namespace rara3 {

// The platform failure for a data file that cannot be read: 53 when it is
// missing, 62 when it is too short, 75 otherwise; the message names it.
// A missing file also says how to get it back.
PlatformError DataFileError(const std::string& path, const std::string& error);

inline constexpr const char* kDataFileHowToRestore =
    "The data file is made when the game is built: run \"make run\" in the game's "
    "source folder to build it again.";

// Window, display, sheets, tune, effects, then MusicOn, SoundOn and
// LoopStarted; g has been prepared. Throws PlatformError.
void BringUp(GameState& g, SdlPlatform& sdl);

}  // namespace rara3
