#include "platform/sdl/sdl_platform.h"

#include <SDL.h>
#include <sys/stat.h>

#include "data/data_file.h"
#include "game/game.h"
#include "platform/display_error_text.h"
#include "platform/fatal_error_path.h"
#include "platform/sdl/sdl_keys.h"
#include "render/render_frame.h"

namespace rara3 {

PlatformError DataFileError(const std::string& path, const std::string& error) {
  struct stat st {};
  int code = kCodeFileAccess;
  if (stat(path.c_str(), &st) != 0) {
    code = kCodeFileNotFound;
  } else if (st.st_size < kDataFileSize) {
    code = kCodeFileTooShort;
  }
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

void BringUp(GameState& g, SdlPlatform& sdl) {
  Platform& p = sdl.platform;
  const std::string dataFile = DataFilePath(g.AppDir);
  // Keyboard and window: SDL's keyboard state comes with the window.
  sdl.display.CreateWindow();
  p.system.ShowCursor(false);
  sdl.display.ShowWindow();
  sdl.display.InitDisplay();
  sdl.display.LoadSheets();

  // The tune, straight from the data file's bytes; silent until the first
  // keep-alive.
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

void RunMainLoop(GameState& g, SdlPlatform& sdl, double stopAt) {
  Platform& p = sdl.platform;
  double lastTick = NowSeconds();
  while (!p.system.Ended() && (stopAt <= 0.0 || NowSeconds() < stopAt)) {
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

}  // namespace rara3
