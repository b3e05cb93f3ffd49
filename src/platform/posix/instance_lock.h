// One running copy of the game per user and program folder. The lock is an
// abstract-namespace Unix socket: it needs no writable folder, and the
// kernel releases it when the process ends, even when it is killed.
#pragma once

#include <string>

namespace rara3 {

enum class InstanceLockResult {
  Acquired,        // this process holds the lock until it ends
  AlreadyRunning,  // another process holds it
  Unavailable,     // no socket could be made; run without a lock
};

// The socket name for a user and a folder (without the leading zero byte).
std::string InstanceLockName(unsigned uid, const std::string& programDir);

// Tries to take the lock. On Acquired, fd is the socket to keep open (it is
// closed on exec); otherwise fd is -1.
InstanceLockResult AcquireInstanceLock(const std::string& name, int& fd);

// A second start asks the running copy to bring its window to the front.
// True when the request went out.
bool AskRunningInstanceToRaise(const std::string& name);

// Takes every request waiting on the lock's socket without blocking; true
// when one of them asked for the window to come to the front.
bool TakeRaiseRequests(int fd);

}  // namespace rara3
