// Bring-up of the platform in its fixed order, and the main loop.
#pragma once

#include <string>

namespace rara3 {

// Runs the game from AppDir to its end; returns the exit status. The data
// file is read, the window made, the sound loaded, then frames, events and
// ticks until an exit path ends the program. A startError (the player's
// folder could not be set up) is shown on the fatal-error path instead.
int Main(const std::string& appDir, const std::string& startError = "");

}  // namespace rara3
