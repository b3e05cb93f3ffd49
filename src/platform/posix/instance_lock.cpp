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

namespace {

constexpr char kRaiseRequest[] = "raise";

// The lock's address: abstract namespace, the first byte of the path zero.
bool LockAddress(const std::string& name, sockaddr_un& addr, socklen_t& len) {
  addr = sockaddr_un{};
  addr.sun_family = AF_UNIX;
  if (name.size() + 1 > sizeof addr.sun_path) return false;
  std::memcpy(addr.sun_path + 1, name.data(), name.size());
  len = static_cast<socklen_t>(offsetof(sockaddr_un, sun_path) + 1 + name.size());
  return true;
}

}  // namespace

bool AskRunningInstanceToRaise(const std::string& name) {
  sockaddr_un addr{};
  socklen_t len = 0;
  if (!LockAddress(name, addr, len)) return false;
  const int s = socket(AF_UNIX, SOCK_DGRAM | SOCK_CLOEXEC, 0);
  if (s < 0) return false;
  const ssize_t sent = sendto(s, kRaiseRequest, sizeof kRaiseRequest - 1, MSG_DONTWAIT,
                              reinterpret_cast<const sockaddr*>(&addr), len);
  close(s);
  return sent == static_cast<ssize_t>(sizeof kRaiseRequest - 1);
}

bool TakeRaiseRequests(int fd) {
  if (fd < 0) return false;
  bool raise = false;
  char buffer[16];
  for (;;) {
    const ssize_t n = recv(fd, buffer, sizeof buffer, MSG_DONTWAIT);
    if (n < 0) break;
    // Anything else on the socket is not ours to act on.
    if (n == static_cast<ssize_t>(sizeof kRaiseRequest - 1) &&
        std::memcmp(buffer, kRaiseRequest, sizeof kRaiseRequest - 1) == 0) {
      raise = true;
    }
  }
  return raise;
}

InstanceLockResult AcquireInstanceLock(const std::string& name, int& fd) {
  fd = -1;
  sockaddr_un addr{};
  socklen_t len = 0;
  if (!LockAddress(name, addr, len)) return InstanceLockResult::Unavailable;

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
