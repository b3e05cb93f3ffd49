// The whole SDL platform of the real game: files, system, keyboard,
// display, sound and the window's events, as one Platform.
#pragma once

#include "core/platform.h"
#include "platform/posix/posix_files.h"
#include "platform/sdl/sdl_audio.h"
#include "platform/sdl/sdl_display.h"
#include "platform/sdl/sdl_gamepad.h"
#include "platform/sdl/sdl_keyboard.h"
#include "platform/sdl/sdl_system.h"
#include "platform/sdl/sdl_window.h"

namespace rara3 {

struct SdlPlatform {
  PosixFiles files;
  SdlSystem system;
  SdlGamepads pads;
  SdlKeyboard keyboard{&pads};
  SdlDisplay display;
  SdlAudio audio{system};
  SdlWindow window{&pads};
  Platform platform{display, keyboard, audio, system, files, window};
};

}  // namespace rara3
