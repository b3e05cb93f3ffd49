#include "shell/sdl_bring_up.h"

#include <vector>

#include "data/data_file.h"
#include "shell/data_file_error.h"

namespace rara3 {

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
  sdl.window.StartTimer();
}

}  // namespace rara3
