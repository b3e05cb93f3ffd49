// The whole SDL platform of the real game, its bring-up in the game's fixed
// order and its main loop.
#pragma once

#include <vector>

#include "game/game_state.h"
#include "game/window_events.h"
#include "platform/platform.h"
#include "platform/posix_files.h"
#include "platform/sdl/sdl_audio.h"
#include "platform/sdl/sdl_display.h"
#include "platform/sdl/sdl_keyboard.h"
#include "platform/sdl/sdl_system.h"

namespace rara3 {

struct SdlPlatform {
  PosixFiles files;
  SdlSystem system;
  SdlKeyboard keyboard;
  SdlDisplay display;
  SdlAudio audio{system};
  Platform platform{display, keyboard, audio, system, files};
};

// The platform failure for a data file that cannot be read: 53 when it is
// missing, 62 when it is too short, 75 otherwise; the message names it.
PlatformError DataFileError(const std::string& path, const std::string& error);

// Window, display, sheets, tune, effects, then MusicOn, SoundOn and
// LoopStarted; g has been prepared. Throws PlatformError.
void BringUp(GameState& g, SdlPlatform& sdl);

// The events SDL has queued, as the game's window events.
std::vector<WindowEvent> PendingWindowEvents();

// Frames, events and ticks until the program ends (or, when stopAt > 0,
// until NowSeconds() passes it). A failure in a frame takes the fatal-error
// path; failures elsewhere are thrown.
void RunMainLoop(GameState& g, SdlPlatform& sdl, double stopAt = 0.0);

}  // namespace rara3
