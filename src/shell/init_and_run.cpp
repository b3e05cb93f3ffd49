#include "shell/init_and_run.h"

#include <SDL.h>
#include <sys/stat.h>

#include <cstdio>
#include <memory>
#include <new>
#include <vector>

#include "data/data_file.h"
#include "game/game.h"
#include "game/window_events.h"
#include "platform/display_error_text.h"
#include "platform/fatal_error_path.h"
#include "platform/posix_files.h"
#include "platform/sdl/sdl_audio.h"
#include "platform/sdl/sdl_display.h"
#include "platform/sdl/sdl_keyboard.h"
#include "platform/sdl/sdl_keys.h"
#include "platform/sdl/sdl_system.h"
#include "render/render_frame.h"

namespace rara3 {
namespace {

// The data file's failures name the file; the code tells a missing file
// from a damaged one.
PlatformError DataFileError(const std::string& path, const std::string& error) {
  struct stat st {};
  const int code = stat(path.c_str(), &st) != 0 ? kCodeFileNotFound : kCodeFileTooShort;
  return PlatformError{code, error};
}

std::vector<WindowEvent> PendingWindowEvents() {
  std::vector<WindowEvent> events;
  SDL_Event e;
  while (SDL_PollEvent(&e) != 0) {
    switch (e.type) {
      case SDL_KEYDOWN: {
        const int16_t key = VirtualKeyOf(e.key.keysym);
        if (key != 0) {
          events.push_back({WindowEventKind::KeyDown, key, ModifierMaskOf(e.key.keysym.mod)});
        }
        break;
      }
      case SDL_WINDOWEVENT:
        if (e.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) {
          events.push_back({WindowEventKind::Activate, 0, 0});
        } else if (e.window.event == SDL_WINDOWEVENT_CLOSE) {
          events.push_back({WindowEventKind::Close, 0, 0});
        }
        break;
      case SDL_QUIT: events.push_back({WindowEventKind::Close, 0, 0}); break;
      default: break;
    }
  }
  return events;
}

struct SdlPlatform {
  PosixFiles files;
  SdlSystem system;
  SdlKeyboard keyboard;
  SdlDisplay display;
  SdlAudio audio{system};
  Platform platform{display, keyboard, audio, system, files};
};

void BringUp(GameState& g, SdlPlatform& sdl) {
  Platform& p = sdl.platform;
  const std::string dataFile = DataFilePath(g.AppDir);
  // Keyboard and window: SDL's keyboard state comes with the window.
  sdl.display.CreateWindow();
  p.system.ShowCursor(false);
  sdl.display.ShowWindow();
  sdl.display.InitDisplay();
  sdl.display.LoadSheets();

  // The tune, straight from the data file's bytes.
  std::vector<uint8_t> bytes;
  std::string error;
  if (!ReadTune(p.files, dataFile, bytes, error)) throw DataFileError(dataFile, error);
  sdl.audio.Open();
  sdl.audio.LoadTune(std::move(bytes));
  g.MusicOn = true;
  p.system.Pause(200);

  for (int i = 0; i < kEffectCount; ++i) {
    if (!ReadEffect(p.files, dataFile, i, bytes, error)) throw DataFileError(dataFile, error);
    sdl.audio.LoadEffect(i, bytes);
  }
  g.SoundOn = true;
  g.LoopStarted = true;
}

void RunMainLoop(GameState& g, SdlPlatform& sdl) {
  Platform& p = sdl.platform;
  double lastTick = NowSeconds();
  while (!p.system.Ended()) {
    try {
      RenderFrame(g, p);
    } catch (const PlatformError& e) {
      RunFatalErrorPath(p, e);
      return;
    }
    if (p.system.Ended()) return;
    HandleWindowEvents(g, p, PendingWindowEvents());
    if (!p.system.Ended() && TimerTickDue(NowSeconds(), lastTick)) Timer1_Timer(g, p);
  }
}

}  // namespace

int Main(const std::string& programDir) {
  auto sdl = std::make_unique<SdlPlatform>();
  Platform& p = sdl->platform;
  auto g = std::make_unique<GameState>();
  std::string error;
  if (!PrepareGameState(*g, p.files, programDir, error)) {
    RunFatalErrorPath(p, DataFileError(DataFilePath(programDir), error));
    return p.system.ExitStatus();
  }
  try {
    BringUp(*g, *sdl);
    RunMainLoop(*g, *sdl);
  } catch (const PlatformError& e) {
    RunFatalErrorPath(p, e);
  } catch (const std::bad_alloc&) {
    RunFatalErrorPath(p, PlatformError{kCodeOutOfMemory, ""});
  } catch (const std::exception& e) {
    RunFatalErrorPath(p, PlatformError{kCodeUnspecified, e.what()});
  }
  // Whatever way it ended, the desktop is the player's again.
  p.display.RestoreDisplay();
  p.system.ShowCursor(true);
  sdl->audio.Close();
  return p.system.ExitStatus();
}

}  // namespace rara3
