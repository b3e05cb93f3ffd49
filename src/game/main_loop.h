// The main loop without a window: the simulator and the tests drive the game
// pass by pass, with the events they choose, and many games can run in one
// process (the exit paths end a game, never the process).
#pragma once

#include <string>
#include <vector>

#include "game/game_state.h"
#include "game/window_events.h"
#include "platform/platform.h"

namespace rara3 {

// Bring-up without a window: Main's preparation (AppDir = programDir, the
// progress, the initial values), the tune and the ten effects read once so
// that a damaged data file fails here as in the game, then MusicOn, SoundOn,
// LoopStarted and the window's activation. Fails with a message naming the
// data file; g is then not ready to run.
bool StartHeadless(GameState& g, Platform& p, const std::string& programDir, std::string& error);

// One pass of the main loop: RenderFrame, then the events in order, then one
// Timer1_Timer tick. A failure inside the frame takes the fatal-error path.
// Nothing runs once the program has ended.
void RunPass(GameState& g, Platform& p, const std::vector<WindowEvent>& events = {});

}  // namespace rara3
