#include "shell/sdl_bring_up.h"

#include <SDL.h>
#include <sys/stat.h>

#include <vector>

#include "core/display_error_text.h"
#include "data/data_file.h"

namespace rara3 {

PlatformError DataFileError(const std::string& path, const std::string& error) {
  struct stat st {};
  int code = kCodeFileAccess;
  if (stat(path.c_str(), &st) != 0) {
    code = kCodeFileNotFound;
    return PlatformError{code, error + "\n" + kDataFileHowToRestore};
  } else if (st.st_size < kDataFileSize) {
    code = kCodeFileTooShort;
  }
  return PlatformError{code, error};
}

void BringUp(GameState& g, SdlPlatform& sdl) {
  Platform& p = sdl.platform;
  const std::string dataFile = DataFilePath(g.AppDir);
  // Keyboard and window: SDL's keyboard state comes with the window.
  sdl.display.CreateWindow();
  // Pads are welcome but not needed: without SDL's support, keys only.
  sdl.pads.Open();
  sdl.system.SetWindow(sdl.display.Window());
  // Keys are keys, never text: an input method must not swallow letters.
  SDL_StopTextInput();
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
  sdl.window.StartTimer();
}

}  // namespace rara3
