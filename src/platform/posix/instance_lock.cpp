#include "platform/posix/instance_lock.h"

#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>

namespace rara3 {

std::string InstanceLockName(unsigned uid, const std::string& programDir) {
  // A folder path may be longer than a socket name can be, so the name
  // carries a 64-bit FNV-1a hash of it.
  uint64_t hash = 0xcbf29ce484222325ull;
  for (unsigned char c : programDir) {
    hash ^= c;
    hash *= 0x100000001b3ull;
  }
  char name[64];
  std::snprintf(name, sizeof name, "rara3/%u/%016llx", uid, static_cast<unsigned long long>(hash));
  return name;
}

InstanceLockResult AcquireInstanceLock(const std::string& name, int& fd) {
  fd = -1;
  sockaddr_un addr{};
  addr.sun_family = AF_UNIX;
  // Abstract namespace: the first byte of the path is zero.
  if (name.size() + 1 > sizeof addr.sun_path) return InstanceLockResult::Unavailable;
  std::memcpy(addr.sun_path + 1, name.data(), name.size());
  const socklen_t len = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size());

  const int s = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  if (s < 0) return InstanceLockResult::Unavailable;
  if (bind(s, reinterpret_cast<const sockaddr*>(&addr), len) != 0) {
    const int err = errno;
    close(s);
    return err == EADDRINUSE ? InstanceLockResult::AlreadyRunning
                             : InstanceLockResult::Unavailable;
  }
  fd = s;
  return InstanceLockResult::Acquired;
}

}  // namespace rara3
