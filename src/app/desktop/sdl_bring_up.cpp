#include "app/desktop/sdl_bring_up.h"

#include <SDL.h>

#include <future>
#include <thread>
#include <vector>

#include "data/data_file.h"
#include "app/data_file_error.h"

namespace rara3 {

void BringUp(GameState& g, SdlPlatform& sdl) {
  Platform& p = sdl.platform;
  const std::string dataFile = DataFilePath(g.lifecycle.AppDir);
  // Decoding the sheets, and loading the tune (the synthesiser's soundfont
  // above all) and the effects, take longer than bringing up the window:
  // they run beside it, each awaited at its own step of the order, where a
  // failure of it is reported as before. Nothing is shown or heard early:
  // the tune stays silent until the first keep-alive.
  std::promise<void> sheetsLoaded;
  std::promise<void> tuneLoaded;
  std::promise<void> effectsLoaded;
  std::future<void> sheets = sheetsLoaded.get_future();
  std::future<void> tune = tuneLoaded.get_future();
  std::future<void> effects = effectsLoaded.get_future();
  // SDL's hint list has no lock: the window and the renderer add to it while
  // the mixer reads it. So the loading thread first does what needs no SDL
  // (the sheets' pixels, the tune's and effects' bytes) and opens the sound
  // only once the display is up.
  std::promise<void> displayUp;
  std::future<void> display = displayUp.get_future();
  // Everything that sets SDL's hints or starts a part of SDL runs here, on
  // this thread, before the loading thread exists: SDL locks neither.
  sdl.display.StartVideo();
  // Pads are welcome but not needed: without SDL's support, keys only.
  sdl.pads.Open();
  sdl.audio.InitDriver();
  // One thread beside the main one: on two cores neither waits for the other.
  std::jthread loader([&] {
    // SDL keeps per-thread state (its error text) for a thread it did not
    // make; the thread gives it back as it ends, whichever way it ends.
    struct SdlThreadState {
      ~SdlThreadState() { SDL_TLSCleanup(); }
    } sdlThreadState;
    try {
      sdl.display.LoadSheets();
      sheetsLoaded.set_value();
    } catch (...) {
      sheetsLoaded.set_exception(std::current_exception());
    }
    std::vector<uint8_t> tuneBytes;
    std::vector<std::vector<uint8_t>> effectBytes(kEffectCount);
    std::exception_ptr effectsUnread;
    try {
      std::string error;
      if (!ReadTune(p.files, dataFile, tuneBytes, error)) throw DataFileError(dataFile, error, kDataFileHowToRestore);
      try {
        for (int i = 0; i < kEffectCount; ++i) {
          if (!ReadEffect(p.files, dataFile, i, effectBytes[i], error)) {
            throw DataFileError(dataFile, error, kDataFileHowToRestore);
          }
        }
      } catch (...) {
        effectsUnread = std::current_exception();
      }
      // A failed window or display ends the bring-up: nothing more to load.
      display.get();
      sdl.audio.Open();
      sdl.audio.LoadTune(std::move(tuneBytes));
      tuneLoaded.set_value();
    } catch (...) {
      tuneLoaded.set_exception(std::current_exception());
      effectsLoaded.set_value();
      return;
    }
    try {
      if (effectsUnread) std::rethrow_exception(effectsUnread);
      for (int i = 0; i < kEffectCount; ++i) sdl.audio.LoadEffect(i, effectBytes[i]);
      effectsLoaded.set_value();
    } catch (...) {
      effectsLoaded.set_exception(std::current_exception());
    }
  });

  try {
    // Keyboard and window: SDL's keyboard state comes with the window.
    sdl.display.CreateWindow();
    sdl.system.SetWindow(sdl.display.Window());
    // Keys are keys, never text: an input method must not swallow letters.
    SDL_StopTextInput();
    p.system.ShowCursor(false);
    sdl.display.ShowWindow();
    sdl.display.InitDisplay();
  } catch (...) {
    displayUp.set_exception(std::current_exception());
    throw;
  }
  displayUp.set_value();
  sheets.get();

  tune.get();
  sdl.audio.StopDriverIfUnused();
  g.switches.MusicOn = true;
  p.system.Pause(200);
  effects.get();
  g.switches.SoundOn = true;
  g.lifecycle.LoopStarted = true;
  sdl.window.StartTimer();
}

}  // namespace rara3
