// Bring-up of the platform in its fixed order, and the main loop.
#pragma once

#include <string>

namespace rara3 {

// Runs the game from the program's folder to its end; returns the exit
// status. The data file is read, the window made, the sound loaded, then
// frames, events and ticks until an exit path ends the program.
int Main(const std::string& programDir);

}  // namespace rara3
