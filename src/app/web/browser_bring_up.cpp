#include "app/web/browser_bring_up.h"

#include <emscripten.h>

#include <cmath>
#include <new>
#include <vector>

#include "core/display_error_text.h"
#include "game/file_work.h"
#include "core/words.h"
#include "data/data_file.h"
#include "data/data_place.h"
#include "game/startup.h"
#include "platform/browser/page.h"
#include "app/data_file_error.h"
#include "app/fatal_error_path.h"
#include "app/main_loop.h"

namespace rara3 {
namespace {

// What the desktop's Main does after the loop: the page gets the screen
// back and learns how the game ended.
void Finish(BrowserGame& game) {
  if (game.finished) return;
  game.finished = true;
  Platform& p = game.browser.platform;
  p.display.RestoreDisplay();
  p.system.ShowCursor(true);
  game.browser.audio.Close();
  page::Ended(p.system.ExitStatus());
}

// The next frame callback on the display's refresh, or a timer.
void CallNext(const NextCall& next) {
  if (next.onDisplayFrame) {
    emscripten_set_main_loop_timing(EM_TIMING_RAF, 1);
  } else {
    // Whole milliseconds, rounded up: a timer a little early would only
    // wake the page to ask for the rest.
    emscripten_set_main_loop_timing(EM_TIMING_SETTIMEOUT, static_cast<int>(std::ceil(next.inMs)));
  }
}

// Input on a page the timer lets sleep: back onto the display's frames at
// once, dropping the timer already set.
void WakeLoop(void* arg) {
  auto& game = *static_cast<BrowserGame*>(arg);
  if (game.finished || !WakeForInput(game.pacer)) return;
  emscripten_pause_main_loop();
  CallNext({});
  emscripten_resume_main_loop();
}

}  // namespace

bool EnsureSavedDataFile(Files& files, std::string& error) {
  std::vector<uint8_t> shipped;
  bool missing = false;
  if (!files.ReadAll(kShippedDataFile, shipped, missing, error)) return false;
  // The same following of a new shipped file as the installed desktop game.
  FollowReport report;
  return FollowShippedDataFile(files, shipped, DataFilePath(kSaveFolder), report, error);
}

void BringUpBrowser(GameState& g, BrowserPlatform& b) {
  Platform& p = b.platform;
  const std::string dataFile = DataFilePath(g.lifecycle.AppDir);
  b.input.Listen();
  p.system.ShowCursor(false);

  // The tune, straight from the data file's bytes; silent until the first
  // keep-alive.
  std::vector<uint8_t> bytes;
  std::string error;
  if (!ReadTune(p.files, dataFile, bytes, error)) throw DataFileError(dataFile, error);
  b.audio.LoadTune(bytes);
  g.switches.MusicOn = true;
  p.system.Pause(200);
  // A pause in the page holds the loop and lets the page run on: the audio
  // output (tens of milliseconds to make) and the sheets are made while it
  // lasts rather than before it, as nothing sounds or is drawn until it
  // ends.
  b.audio.Open(p.system);
  b.display.LoadSheets();

  g.switches.SoundOn = true;
  g.lifecycle.LoopStarted = true;
  b.window.StartTimer();
  // The page is the window, shown and in front from the start.
  b.input.Push({WindowEventKind::Activate, 0, 0});
}

void LoadFetchedEffects(BrowserGame& game) {
  std::vector<std::vector<uint8_t>> effects;
  std::string error;
  if (!ReadEffectBank(game.browser.files, kEffectBankFile, effects, error)) {
    page::ReportError(error);
    return;
  }
  try {
    for (int i = 0; i < kEffectCount; ++i) game.browser.audio.LoadEffect(i, effects[i]);
  } catch (const PlatformError& e) {
    page::ReportError(std::string(kEffectBankFile) + ": " + e.what);
  }
}

bool StartBrowserGame(BrowserGame& game) {
  // Every text shown from here on is in the page's language.
  UseLanguageTag(page::Language());
  Platform& p = game.browser.platform;
  std::string error;
  if (!EnsureSavedDataFile(p.files, error) ||
      !OpenGameFolder(*game.state, p.files, kSaveFolder, error)) {
    RunFatalErrorPath(p, DataFileError(DataFilePath(kSaveFolder), error));
    Finish(game);
    return false;
  }
  game.state->Help.Search = game.search.get();
  game.browser.input.OnInput(&WakeLoop, &game);
  RunGuarded(p, [&] {
    BringUpBrowser(*game.state, game.browser);
    ReadSettings(*game.state, p.files, p.system);
  });
  if (p.system.Ended()) {
    Finish(game);
    return false;
  }
  return true;
}

bool BrowserFrame(BrowserGame& game) {
  Platform& p = game.browser.platform;
  if (!p.system.Ended()) {
    const double now = page::NowMs();
    if (page::Hidden()) {
      // A timer still fires in a hidden tab; the display's frames wait for
      // it to be shown again, and so does the game.
      CallNext({});
      return true;
    }
    if (now < game.browser.system.HoldUntilMs()) {
      // After a pause the schedule starts afresh.
      game.pacer.started = false;
      CallNext({false, game.browser.system.HoldUntilMs() - now});
      return true;
    }
    const bool ran = PassDue(game.pacer, now);
    const long long presented = game.browser.display.Presented();
    if (ran) {
      RunGuarded(p, [&] { RunPass(*game.state, p); });
      // The next passes too, on a still picture the timer paces, until one
      // changes the picture, ends the game or begins a pause (which holds
      // until after now: no pause held when this call began).
      while (game.browser.display.Presented() == presented && !p.system.Ended() &&
             game.browser.system.HoldUntilMs() <= now && NextPassNow(game.pacer)) {
        RunGuarded(p, [&] { RunPass(*game.state, p); });
      }
    }
    CallNext(PlanNextCall(game.pacer, now, ran, game.browser.display.Presented() != presented));
  }
  if (!p.system.Ended()) return true;
  Finish(game);
  return false;
}

}  // namespace rara3
