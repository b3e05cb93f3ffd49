// One running copy of the game per user and game folder. The lock is a file
// in a folder only its user can enter, held with an advisory lock (the
// kernel drops it when the process ends, even when it is killed, so a stale
// file never blocks), and a socket beside it over which a second start asks
// the running copy to bring its window forward; requests from any other user
// are ignored.
#pragma once

#include <string>

namespace rara3 {

enum class InstanceLockResult {
  Acquired,        // this process holds the lock until it ends
  AlreadyRunning,  // another process of this user holds it
  Unavailable,     // no private folder or lock file; run without a lock
};

// The folder's path with links, ".", ".." and repeated slashes resolved, so
// one folder has one name however it is written. The part that does not
// exist yet is tidied as written. Ends in one '/'.
std::string CanonicalFolder(const std::string& dir);

// The key of a game folder inside the lock folder: a hash of its canonical
// path, as a path may be longer than a socket address can hold.
std::string InstanceLockKey(const std::string& gameDir);

// The folder the lock lives in: runtimeDir ($XDG_RUNTIME_DIR) when it is
// the user's own and closed to others, otherwise tmpDir/rara3-UID, made
// 0700. A folder that belongs to someone else or is open to others is never
// used: error says why and the result is false.
bool ChooseLockFolder(const std::string& runtimeDir, const std::string& tmpDir, unsigned uid,
                      std::string& folder, std::string& error);

struct InstanceLock {
  int lockFd = -1;   // the locked file, kept open for the process's life
  int raiseFd = -1;  // the listening socket for raise requests, or -1
};

// Takes the lock for key in folder. On Acquired both descriptors are open
// (closed on exec); otherwise both are -1 and, for Unavailable, error says
// why.
InstanceLockResult AcquireInstanceLock(const std::string& folder, const std::string& key,
                                       InstanceLock& lock, std::string& error);

// A second start asks the running copy to bring its window to the front.
// True when the request reached it.
bool AskRunningInstanceToRaise(const std::string& folder, const std::string& key);

// Takes every request waiting on the raise socket without blocking; true
// when one of them came from this user.
bool TakeRaiseRequests(int raiseFd);

}  // namespace rara3
