// The program's entry point: one copy per user and folder, run from the
// program's own folder.
#include <unistd.h>

#include <climits>
#include <string>

#include "platform/posix/instance_lock.h"
#include "shell/init_and_run.h"

namespace {

// The folder of the executable, or "" when the system will not say.
std::string ProgramDir() {
  char path[PATH_MAX];
  const ssize_t n = readlink("/proc/self/exe", path, sizeof path - 1);
  if (n <= 0) return "";
  const std::string exe(path, static_cast<size_t>(n));
  const size_t slash = exe.rfind('/');
  return slash == std::string::npos ? "" : exe.substr(0, slash + 1);
}

}  // namespace

int main() {
  const std::string dir = ProgramDir();
  // A second copy ends here, before anything is read or shown.
  int lockFd = -1;
  const std::string lockName = rara3::InstanceLockName(getuid(), dir);
  if (rara3::AcquireInstanceLock(lockName, lockFd) == rara3::InstanceLockResult::AlreadyRunning) {
    // The running copy's window comes to the front instead.
    rara3::AskRunningInstanceToRaise(lockName);
    return 0;
  }
  if (!dir.empty() && chdir(dir.c_str()) != 0) {
    // Paths are absolute from here on; the folder only matters for them.
  }
  return rara3::Main(dir.empty() ? "./" : dir, lockFd);
}
