// The game's bring-up in a web page, in the desktop's order, and the one
// main-loop pass on the browser's frame callback (on a timer while the
// picture stands still).
#pragma once

#include <memory>
#include <string>

#include "core/platform.h"
#include "game/game_state.h"
#include "game/position_search.h"
#include "platform/browser/browser_platform.h"

namespace rara3 {

// Where the page keeps the player's files (kept in the browser's storage)
// and where the packed data file ships.
constexpr const char* kSaveFolder = "/save/";
constexpr const char* kShippedDataFile = "/pack/TOVAK.DAT";
// The site ships the data file with its effect bank left empty, and the
// bank apart: the page fetches it after the first key lets sound start,
// so the first frame never waits for a megabyte of sound. The page writes
// it here and calls LoadFetchedEffects.
constexpr const char* kEffectBankFile = "/pack/effects.bin";

// The first start copies the shipped data file into the save folder; later
// starts find the player's own copy there, progress and edited stages in it.
// When the site ships a new data file, the copy takes its stages and tune
// and keeps the progress and the stages the player edited. Its effect bank
// is the shipped file's, left empty: the page's effects come from the site.
bool EnsureSavedDataFile(Files& files, std::string& error);

// Keyboard, tune, the 200 ms pause (the audio output and the sheets made
// while it lasts), then MusicOn, SoundOn, LoopStarted and the timer; g has
// been prepared. The effects come later (LoadFetchedEffects); until then
// an effect is silent. Throws PlatformError.
void BringUpBrowser(GameState& g, BrowserPlatform& b);

// The running game: one record and its platform.
struct BrowserGame {
  BrowserPlatform browser{kSaveFolder};
  std::unique_ptr<GameState> state = std::make_unique<GameState>();
  // The page runs no threads: "no way out" and the hint search run in 3 ms
  // of each 16.7 ms frame; 11 ms while the player waits for a hint, which
  // still leaves the pass, the picture and the browser their share.
  std::unique_ptr<PositionSearch> search = MakeSlicedSearch(InGameSearchCaps(), 0.003, 0.011);
  PassPacer pacer;
  bool finished = false;
};

// The effects from kEffectBankFile into the sound. A bank that cannot be
// read or played is reported on the page, and the game plays on without
// effects.
void LoadFetchedEffects(BrowserGame& game);

// From Main's start to the first pass; the game has ended (and said so to
// the page) when it returns false.
bool StartBrowserGame(BrowserGame& game);

// One frame callback: the pass of the main loop that is due (and on a
// still page the timer paces, the ones after it, kPassesPerTimerCall in
// all) when no pause holds the program. Returns false once the game has
// ended.
bool BrowserFrame(BrowserGame& game);

}  // namespace rara3
