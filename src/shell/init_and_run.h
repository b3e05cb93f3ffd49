// Bring-up of the platform in its fixed order, and the main loop.
#pragma once

#include <string>

namespace rara3 {

// Runs the game from the program's folder to its end. The data file is
// read, the window made, the sound loaded, then frames, events and ticks
// until an exit path ends the program: the process ends there with its
// status. Returns the status only when the data file cannot be read.
// instanceLockFd: the instance lock's socket, whose raise requests bring
// the window to the front (-1 for none).
int Main(const std::string& programDir, int instanceLockFd = -1);

}  // namespace rara3
