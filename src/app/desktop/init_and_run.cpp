#include "app/desktop/init_and_run.h"

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/lsan_interface.h>
#endif

#include <cstdio>
#include <cstdlib>
#include <memory>
#include <new>

#include "data/data_file.h"
#include "game/file_work.h"
#include "game/game.h"
#include "game/position_search.h"
#include "game/startup.h"
#include "core/display_error_text.h"
#include "app/data_file_error.h"
#include "app/fatal_error_path.h"
#include "app/main_loop.h"
#include "app/desktop/sdl_bring_up.h"

namespace rara3 {

int Main(const std::string& appDir, const std::string& startError, int instanceLockFd) {
  auto sdl = std::make_unique<SdlPlatform>();
  Platform& p = sdl->platform;
  // On the heap: the record and replay lists make the state large.
  auto g = std::make_unique<GameState>();
  std::string error;
  if (!startError.empty()) {
    RunFatalErrorPath(p, PlatformError{kCodeFileAccess, startError});
    return p.system.ExitStatus();
  }
  if (!OpenGameFolder(*g, p.files, appDir, error)) {
    RunFatalErrorPath(p, DataFileError(DataFilePath(appDir), error, kDataFileHowToRestore));
    return p.system.ExitStatus();
  }
  // "No way out" and the hint search on a thread of their own.
  const std::unique_ptr<PositionSearch> search = MakeThreadedSearch(InGameSearchCaps());
  g->Help.Search = search.get();
  RunGuarded(p, [&] {
    BringUp(*g, *sdl);
    ReadSettings(*g, p.files, p.system);
    // A second start asks, through the lock, for the window to come forward.
    sdl->window.WatchRaiseRequests(instanceLockFd, sdl->display.Window());
    sdl->window.MapPointer(sdl->display.Window());
    RunMainLoop(*g, p);
  });
  // Whatever way it ended, the desktop is the player's again.
  p.display.RestoreDisplay();
  p.system.ShowCursor(true);
  const int status = p.system.ExitStatus();
  // Nothing is left to save and every file of the game is closed: the
  // process ends at once and the system takes the window, the sound device
  // and the rest back. Closing the sound in order alone kept the process
  // around noticeably after its window had gone.
  std::fflush(nullptr);
#if defined(__SANITIZE_ADDRESS__)
  // _Exit skips the leak checker's own pass at exit: run it here, so the
  // sanitizer builds still find what the game leaks.
  __lsan_do_leak_check();
#endif
  std::_Exit(status);
}

}  // namespace rara3
