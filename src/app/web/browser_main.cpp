// The game's entry point in a web page. The page has mounted the save
// folder and read it back from the browser's storage before main runs.
#include <emscripten.h>

#include <cstdio>
#include <string>

#include "game/file_work.h"
#include "game/game_state.h"
#include "game/stage_flow.h"
#include "app/web/browser_bring_up.h"

namespace {

// The browser calls back with a plain pointer; the game lives as long as
// the page. The page's own calls below reach it through this one handle.
rara3::BrowserGame* running = nullptr;

void Frame(void* arg) {
  if (!rara3::BrowserFrame(*static_cast<rara3::BrowserGame*>(arg))) emscripten_cancel_main_loop();
}

}  // namespace

extern "C" {

// A key-down from the page's buttons: the keys a browser keeps for itself.
EMSCRIPTEN_KEEPALIVE void rara3_key(int keyCode, int modifierMask) {
  if (running == nullptr) return;
  running->browser.input.Push({rara3::WindowEventKind::KeyDown, static_cast<int16_t>(keyCode),
                               static_cast<int16_t>(modifierMask)});
}

// A pointer press (0), move (1) or release (2) on the canvas, at a pixel
// of the 640 x 480 picture: the page has taken its scale off.
EMSCRIPTEN_KEEPALIVE void rara3_pointer(int kind, int x, int y) {
  if (running == nullptr || kind < 0 || kind > 2) return;
  constexpr rara3::WindowEventKind kKinds[3] = {rara3::WindowEventKind::PointerDown,
                                                rara3::WindowEventKind::PointerMove,
                                                rara3::WindowEventKind::PointerUp};
  running->browser.input.Push({kKinds[kind], 0, 0, x, y});
}

// The page is going away (or hidden, and may never come back): a floor
// cleared keeps its clear, as the desktop's window close keeps it. Written
// now, before the page stores its files; Enter later writes the same again.
EMSCRIPTEN_KEEPALIVE void rara3_leaving() {
  if (running == nullptr || running->browser.system.Ended()) return;
  rara3::KeepClear(*running->state);
  rara3::CarryOutFileWork(*running->state, running->browser.files, running->browser.system);
}

// The page has fetched the effects and written them to kEffectBankFile.
EMSCRIPTEN_KEEPALIVE void rara3_effects_arrived() {
  if (running == nullptr || running->browser.system.Ended()) return;
  rara3::LoadFetchedEffects(*running);
}

// What the page and its tests see of the game, as JSON.
EMSCRIPTEN_KEEPALIVE const char* rara3_status() {
  static char text[512];
  if (running == nullptr) return "{}";
  const rara3::GameState& g = *running->state;
  const auto& b = running->browser;
  std::snprintf(text, sizeof text,
                "{\"scene\":%d,\"stage\":%d,\"maxStage\":%d,\"playerX\":%d,\"playerY\":%d,"
                "\"recordCount\":%d,\"altColors\":%d,\"exitOpen\":%s,\"musicOn\":%s,\"soundOn\":%s,"
                "\"hintsTaken\":%d,\"frames\":%lld,\"presented\":%lld,\"ended\":%s}",
                static_cast<int>(g.flow.Scene), static_cast<int>(g.flow.StageNo),
                static_cast<int>(g.flow.MaxStage), static_cast<int>(g.PlayerX),
                static_cast<int>(g.PlayerY), static_cast<int>(g.record.RecordCount),
                static_cast<int>(g.switches.AltColors),
                g.ExitOpen ? "true" : "false", g.switches.MusicOn ? "true" : "false",
                g.switches.SoundOn ? "true" : "false", static_cast<int>(g.Help.HintsTaken),
                b.display.Frames(), b.display.Presented(),
                b.system.Ended() ? "true" : "false");
  return text;
}

}  // extern "C"

int main() {
  running = new rara3::BrowserGame;
  if (!rara3::StartBrowserGame(*running)) return 0;
  // On the browser's frame callback, or a timer while the picture stands
  // still: nothing runs while the tab is hidden.
  emscripten_set_main_loop_arg(&Frame, running, 0, false);
  return 0;
}
