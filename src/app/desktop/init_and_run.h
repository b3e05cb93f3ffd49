// Bring-up of the platform in its fixed order, and the main loop.
#pragma once

#include <string>

namespace rara3 {

// Runs the game from AppDir to its end. The data file is read, the window
// made, the sound loaded, then frames, events and ticks until an exit path
// ends the program: the process ends there with its status. Returns the
// status only when the data file cannot be read. A startError (the player's
// folder could not be set up) is shown on the fatal-error path instead.
// instanceLockFd: the instance lock's socket, whose raise requests bring the
// window to the front (-1 for none).
int Main(const std::string& appDir, const std::string& startError = "",
         int instanceLockFd = -1);

}  // namespace rara3
