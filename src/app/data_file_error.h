// The platform failure for a data file that cannot be read, for every
// bring-up.
#pragma once

#include <string>

#include "core/platform.h"
#include "core/words.h"

namespace rara3 {

// What a player can do when the desktop game's data file is missing.
// Shown in the player's language.
inline constexpr const char* kDataFileHowToRestore =
    N_("The data file is made when the game is built: run \"make run\" in the game's "
       "source folder to build it again.");

// 53 when the file is missing, 62 when it is too short, 75 otherwise; the
// message names it, and for a missing file adds howToRestore when given.
PlatformError DataFileError(const std::string& path, const std::string& error,
                            const char* howToRestore = nullptr);

}  // namespace rara3
