#include "app/desktop/one_copy.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>

#include "core/words.h"
#include "platform/sdl/sdl_system.h"

namespace rara3 {

bool TakeOneCopyLock(const std::string& gameDir, InstanceLock& lock) {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  const char* tmp = std::getenv("TMPDIR");
  std::string folder;
  std::string error;
  if (!ChooseLockFolder(runtime != nullptr ? runtime : "", tmp != nullptr && tmp[0] == '/' ? tmp : "/tmp",
                        ::geteuid(), folder, error)) {
    std::fprintf(stderr, "rara3: %s; the game runs without its one-copy lock\n", error.c_str());
    return true;
  }
  const std::string key = InstanceLockKey(gameDir);
  switch (AcquireInstanceLock(folder, key, lock, error)) {
    case InstanceLockResult::Acquired: return true;
    case InstanceLockResult::Unavailable:
      std::fprintf(stderr, "rara3: %s; the game runs without its one-copy lock\n", error.c_str());
      return true;
    case InstanceLockResult::AlreadyRunning: break;
  }
  const std::string where = CanonicalFolder(gameDir);
  if (AskRunningInstanceToRaise(folder, key)) {
    std::fprintf(stderr, "rara3: the game is already running on %s; its window was brought to "
                         "the front\n", where.c_str());
    return false;
  }
  const std::string text =
      TrFormat(N_("The game is already running on {0}, but its window could not be brought to the front."),
               {where});
  std::fprintf(stderr, "rara3: %s\n", text.c_str());
  std::fflush(stderr);
  SdlSystem().MessageBox(text);
  return false;
}

}  // namespace rara3
