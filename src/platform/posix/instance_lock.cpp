#include "platform/posix/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace rara3 {
namespace {

std::vector<std::string> PathParts(const std::string& path) {
  std::vector<std::string> parts;
  size_t from = 0;
  while (from <= path.size()) {
    size_t slash = path.find('/', from);
    if (slash == std::string::npos) slash = path.size();
    std::string part = path.substr(from, slash - from);
    if (!part.empty() && part != ".") parts.push_back(std::move(part));
    from = slash + 1;
  }
  return parts;
}

// Drops the last component of an absolute path ("/" stays "/").
void DropLast(std::string& path) {
  const size_t slash = path.find_last_of('/');
  path = slash == 0 || slash == std::string::npos ? "/" : path.substr(0, slash);
}

void Append(std::string& path, const std::string& part) {
  if (path.empty() || path.back() != '/') path += '/';
  path += part;
}

// A folder of uid's own that nobody else may enter.
bool OwnPrivateFolder(const struct stat& st, unsigned uid) {
  return S_ISDIR(st.st_mode) && st.st_uid == uid && (st.st_mode & 077) == 0;
}

bool SocketAddress(const std::string& path, sockaddr_un& addr) {
  addr = sockaddr_un{};
  addr.sun_family = AF_UNIX;
  if (path.size() + 1 > sizeof addr.sun_path) return false;
  std::memcpy(addr.sun_path, path.data(), path.size());
  return true;
}

std::string LockPath(const std::string& folder, const std::string& key) {
  return folder + "/rara3-" + key + ".lock";
}

std::string SocketPath(const std::string& folder, const std::string& key) {
  return folder + "/rara3-" + key + ".sock";
}

constexpr char kRaiseRequest[] = "raise";

}  // namespace

std::string CanonicalFolder(const std::string& dir) {
  if (dir.empty()) return "";
  std::string absolute = dir;
  if (absolute[0] != '/') {
    char cwd[PATH_MAX];
    if (::getcwd(cwd, sizeof cwd) == nullptr) return dir;
    absolute = std::string(cwd) + "/" + dir;
  }
  const std::vector<std::string> parts = PathParts(absolute);
  // The longest part of the path that exists, resolved by the system.
  std::string resolved = "/";
  size_t used = 0;
  for (size_t k = parts.size(); k > 0; --k) {
    std::string prefix;
    for (size_t i = 0; i < k; ++i) prefix += "/" + parts[i];
    if (char* real = ::realpath(prefix.c_str(), nullptr)) {
      resolved = real;
      std::free(real);
      used = k;
      break;
    }
  }
  // The rest, which does not exist yet, as written.
  for (size_t i = used; i < parts.size(); ++i) {
    if (parts[i] == "..") {
      DropLast(resolved);
    } else {
      Append(resolved, parts[i]);
    }
  }
  if (resolved.back() != '/') resolved += '/';
  return resolved;
}

std::string InstanceLockKey(const std::string& gameDir) {
  const std::string canonical = CanonicalFolder(gameDir);
  uint64_t hash = 0xcbf29ce484222325ull;  // 64-bit FNV-1a
  for (unsigned char c : canonical) {
    hash ^= c;
    hash *= 0x100000001b3ull;
  }
  char key[32];
  std::snprintf(key, sizeof key, "%016llx", static_cast<unsigned long long>(hash));
  return key;
}

bool ChooseLockFolder(const std::string& runtimeDir, const std::string& tmpDir, unsigned uid,
                      std::string& folder, std::string& error) {
  struct stat st {};
  if (!runtimeDir.empty() && runtimeDir[0] == '/' && ::stat(runtimeDir.c_str(), &st) == 0 &&
      OwnPrivateFolder(st, uid)) {
    folder = runtimeDir;
    return true;
  }
  const std::string own = (tmpDir.empty() ? std::string("/tmp") : tmpDir) + "/rara3-" +
                          std::to_string(uid);
  if (::mkdir(own.c_str(), 0700) != 0 && errno != EEXIST) {
    const int e = errno;
    error = own + "/: the folder for the one-copy lock cannot be made: " + std::strerror(e);
    return false;
  }
  // lstat: a link planted under the name is never followed.
  if (::lstat(own.c_str(), &st) != 0) {
    const int e = errno;
    error = own + "/: the folder for the one-copy lock cannot be examined: " + std::strerror(e);
    return false;
  }
  if (!S_ISDIR(st.st_mode) || st.st_uid != uid) {
    error = own + "/: the folder for the one-copy lock belongs to another user (or is not a "
                  "folder); remove it";
    return false;
  }
  if ((st.st_mode & 077) != 0 && ::chmod(own.c_str(), 0700) != 0) {
    const int e = errno;
    error = own + "/: the folder for the one-copy lock is open to others and cannot be "
                  "closed: " + std::strerror(e);
    return false;
  }
  folder = own;
  return true;
}

InstanceLockResult AcquireInstanceLock(const std::string& folder, const std::string& key,
                                       InstanceLock& lock, std::string& error) {
  lock = InstanceLock{};
  const std::string lockPath = LockPath(folder, key);
  const int fd = ::open(lockPath.c_str(),
                        O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW | O_NOCTTY | O_NONBLOCK, 0600);
  if (fd < 0) {
    const int e = errno;
    error = lockPath + ": the one-copy lock cannot be opened: " + std::strerror(e);
    return InstanceLockResult::Unavailable;
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode) || st.st_uid != ::geteuid()) {
    ::close(fd);
    error = lockPath + ": the one-copy lock is not a file of this user's own";
    return InstanceLockResult::Unavailable;
  }
  if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
    const int e = errno;
    ::close(fd);
    if (e == EWOULDBLOCK) return InstanceLockResult::AlreadyRunning;
    error = lockPath + ": the one-copy lock cannot be taken: " + std::strerror(e);
    return InstanceLockResult::Unavailable;
  }
  // Who holds it, for a person looking; nothing reads it back.
  const std::string pid = std::to_string(::getpid()) + "\n";
  if (::ftruncate(fd, 0) == 0 && ::pwrite(fd, pid.data(), pid.size(), 0) < 0) {
    // Only a note: the lock holds without it.
  }
  lock.lockFd = fd;

  // The raise socket belongs to the lock's holder: one left by a copy that
  // was killed is replaced.
  const std::string socketPath = SocketPath(folder, key);
  sockaddr_un addr{};
  if (!SocketAddress(socketPath, addr)) return InstanceLockResult::Acquired;
  ::unlink(socketPath.c_str());
  const int s = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (s < 0) return InstanceLockResult::Acquired;
  if (::bind(s, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) != 0 ||
      ::listen(s, 8) != 0) {
    ::close(s);
    return InstanceLockResult::Acquired;
  }
  lock.raiseFd = s;
  return InstanceLockResult::Acquired;
}

bool AskRunningInstanceToRaise(const std::string& folder, const std::string& key) {
  sockaddr_un addr{};
  if (!SocketAddress(SocketPath(folder, key), addr)) return false;
  const int s = ::socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC | SOCK_NONBLOCK, 0);
  if (s < 0) return false;
  bool sent = ::connect(s, reinterpret_cast<const sockaddr*>(&addr), sizeof addr) == 0;
  // The connection is the request; the word only says what it is for.
  if (sent) sent = ::send(s, kRaiseRequest, sizeof kRaiseRequest - 1, MSG_NOSIGNAL) > 0;
  ::close(s);
  return sent;
}

bool TakeRaiseRequests(int raiseFd) {
  if (raiseFd < 0) return false;
  bool raise = false;
  for (;;) {
    const int c = ::accept4(raiseFd, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
    if (c < 0) {
      if (errno == EINTR || errno == ECONNABORTED) continue;
      break;
    }
    // The kernel vouches for the sender: only this user may raise the window.
    ucred cred{};
    socklen_t len = sizeof cred;
    if (::getsockopt(c, SOL_SOCKET, SO_PEERCRED, &cred, &len) == 0 && len == sizeof cred &&
        cred.uid == ::geteuid()) {
      raise = true;
    }
    ::close(c);
  }
  return raise;
}

}  // namespace rara3
