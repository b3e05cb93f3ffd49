#include "platform/posix/posix_files.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstring>

namespace rara3 {
namespace {

// The reason of the last failed call, taken before anything else can change
// errno.
std::string Reason(int e) { return std::strerror(e); }

// Closes the descriptor when the scope ends, whatever the path out.
class Fd {
 public:
  explicit Fd(int fd) : fd_(fd) {}
  Fd(const Fd&) = delete;
  Fd& operator=(const Fd&) = delete;
  ~Fd() {
    if (fd_ >= 0) ::close(fd_);
  }
  int get() const { return fd_; }
  void Reset(int fd) {
    if (fd_ >= 0) ::close(fd_);
    fd_ = fd;
  }
  // Closes now and reports whether the close itself succeeded (a delayed
  // write error shows up here).
  bool Close() {
    const int fd = fd_;
    fd_ = -1;
    return ::close(fd) == 0;
  }

 private:
  int fd_;
};

std::string NotRegular(const std::string& path) {
  return path + ": cannot be used: not a regular file (a FIFO, device or folder has its name)";
}

// True when the path names something that exists and is not a regular file.
bool ExistsNotRegular(const std::string& path) {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && !S_ISREG(st.st_mode);
}

// Opens and checks that the path is a regular file; fills size. When the
// open itself fails, openErrno says why. A FIFO or device never blocks the
// open: it is opened without waiting and refused.
bool OpenRegular(const std::string& path, int flags, Fd& fd, int64_t& size, std::string& error,
                 int* openErrno = nullptr) {
  if (ExistsNotRegular(path)) {
    error = NotRegular(path);
    return false;
  }
  fd.Reset(::open(path.c_str(), flags | O_CLOEXEC | O_NONBLOCK | O_NOCTTY));
  if (fd.get() < 0) {
    const int e = errno;
    if (openErrno != nullptr) *openErrno = e;
    error = path + ": cannot be opened: " + Reason(e);
    return false;
  }
  struct stat st {};
  if (::fstat(fd.get(), &st) != 0) {
    const int e = errno;
    error = path + ": cannot be examined: " + Reason(e);
    return false;
  }
  if (!S_ISREG(st.st_mode)) {
    error = NotRegular(path);
    return false;
  }
  // Regular files read and write as usual from here on.
  ::fcntl(fd.get(), F_SETFL, ::fcntl(fd.get(), F_GETFL) & ~O_NONBLOCK);
  size = st.st_size;
  return true;
}

bool WriteFully(int fd, const uint8_t* bytes, size_t size) {
  size_t done = 0;
  while (done < size) {
    const ssize_t n = ::write(fd, bytes + done, size - done);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return true;
}

std::string DirectoryOf(const std::string& path) {
  const size_t slash = path.find_last_of('/');
  if (slash == std::string::npos) return ".";
  if (slash == 0) return "/";
  return path.substr(0, slash);
}

// The file a replacement of path must write: path itself, or, when path is
// a symbolic link, the file at the end of its chain of links (made there
// when it does not exist yet), so the link stays and its target gets the
// data. False for a chain that loops or runs too long.
bool FinalTarget(const std::string& path, std::string& target) {
  target = path;
  for (int hops = 0; hops < 40; ++hops) {
    struct stat st {};
    if (::lstat(target.c_str(), &st) != 0 || !S_ISLNK(st.st_mode)) return true;
    char link[PATH_MAX];
    const ssize_t n = ::readlink(target.c_str(), link, sizeof link - 1);
    if (n <= 0) return true;
    const std::string to(link, static_cast<size_t>(n));
    if (to[0] == '/') {
      target = to;
    } else {
      const size_t slash = target.find_last_of('/');
      target = slash == std::string::npos ? to : target.substr(0, slash + 1) + to;
    }
  }
  errno = ELOOP;
  return false;
}

}  // namespace

void IgnoreFileSizeSignal() { ::signal(SIGXFSZ, SIG_IGN); }

bool PosixFiles::ReadAt(const std::string& path, int64_t offset, void* out, size_t size,
                        std::string& error) {
  if (offset < 0) {
    error = path + ": cannot read at negative offset " + std::to_string(offset);
    return false;
  }
  Fd fd(-1);
  int64_t fileSize = 0;
  if (!OpenRegular(path, O_RDONLY, fd, fileSize, error)) return false;
  const int64_t needed = offset + static_cast<int64_t>(size);
  if (fileSize < needed) {
    error = path + ": expected at least " + std::to_string(needed) + " bytes, found " +
            std::to_string(fileSize);
    return false;
  }
  auto* bytes = static_cast<uint8_t*>(out);
  size_t done = 0;
  while (done < size) {
    const ssize_t n = ::pread(fd.get(), bytes + done, size - done,
                              static_cast<off_t>(offset + static_cast<int64_t>(done)));
    if (n < 0) {
      if (errno == EINTR) continue;
      const int e = errno;
      error = path + ": cannot be read: " + Reason(e);
      return false;
    }
    if (n == 0) {
      // Shortened by someone else since the size was taken.
      error = path + ": expected at least " + std::to_string(needed) + " bytes, found " +
              std::to_string(offset + static_cast<int64_t>(done));
      return false;
    }
    done += static_cast<size_t>(n);
  }
  return true;
}

bool PosixFiles::WriteAt(const std::string& path, int64_t offset, const void* data, size_t size,
                         std::string& error) {
  if (offset < 0) {
    error = path + ": cannot write at negative offset " + std::to_string(offset);
    return false;
  }
  // No O_CREAT: a write in place never makes a file that was not there.
  Fd fd(-1);
  int64_t fileSize = 0;
  if (!OpenRegular(path, O_WRONLY, fd, fileSize, error)) return false;
  const int64_t needed = offset + static_cast<int64_t>(size);
  if (fileSize < needed) {
    error = path + ": expected at least " + std::to_string(needed) +
            " bytes to write in place, found " + std::to_string(fileSize);
    return false;
  }
  const auto* bytes = static_cast<const uint8_t*>(data);
  size_t done = 0;
  while (done < size) {
    const ssize_t n = ::pwrite(fd.get(), bytes + done, size - done,
                               static_cast<off_t>(offset + static_cast<int64_t>(done)));
    if (n < 0) {
      if (errno == EINTR) continue;
      const int e = errno;
      error = path + ": cannot be written: " + Reason(e);
      return false;
    }
    done += static_cast<size_t>(n);
  }
  // The progress byte counts as saved once this returns.
  if (::fsync(fd.get()) != 0 || !fd.Close()) {
    const int e = errno;
    error = path + ": cannot be written: " + Reason(e);
    return false;
  }
  return true;
}

bool PosixFiles::ReadAll(const std::string& path, std::vector<uint8_t>& out, bool& missing,
                         std::string& error) {
  missing = false;
  Fd fd(-1);
  int64_t fileSize = 0;
  int openErrno = 0;
  if (!OpenRegular(path, O_RDONLY, fd, fileSize, error, &openErrno)) {
    missing = openErrno == ENOENT;
    return false;
  }
  std::vector<uint8_t> bytes;
  bytes.reserve(static_cast<size_t>(fileSize));
  uint8_t chunk[65536];
  for (;;) {
    const ssize_t n = ::read(fd.get(), chunk, sizeof chunk);
    if (n < 0) {
      if (errno == EINTR) continue;
      const int e = errno;
      error = path + ": cannot be read: " + Reason(e);
      return false;
    }
    if (n == 0) break;
    bytes.insert(bytes.end(), chunk, chunk + n);
  }
  out.swap(bytes);
  return true;
}

bool PosixFiles::ReplaceWhole(const std::string& shownPath, const void* data, size_t size,
                              std::string& error) {
  // Through a link, the link's target is what gets replaced; messages still
  // name the file as the game knows it.
  std::string path;
  if (!FinalTarget(shownPath, path)) {
    const int e = errno;
    error = shownPath + ": cannot be written: " + Reason(e) + " (it is left unchanged)";
    return false;
  }
  const std::string via = path == shownPath ? "" : " (through the link to " + path + ")";
  const std::string temp = path + ".tmp";
  auto fail = [&](const char* what) {
    const int e = errno;
    error = shownPath + ": " + what + via + ": " + Reason(e) + " (the old file is unchanged)";
    ::unlink(temp.c_str());
    return false;
  };

  // A replaced file keeps the permissions the player gave it.
  struct stat old {};
  const bool hadOld = ::stat(path.c_str(), &old) == 0 && S_ISREG(old.st_mode);
  // Something else under the name is the player's, not ours to replace.
  if (ExistsNotRegular(path)) {
    error = NotRegular(shownPath) + via + " (it is left unchanged)";
    return false;
  }
  if (ExistsNotRegular(temp)) {
    error = shownPath + ": cannot be written: " + NotRegular(temp);
    return false;
  }

  Fd fd(::open(temp.c_str(),
               O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY,
               0666));
  if (fd.get() < 0) {
    const int e = errno;
    error = shownPath + ": cannot be written" + via + ": cannot create " + temp + ": " + Reason(e);
    return false;
  }
  struct stat made {};
  if (::fstat(fd.get(), &made) != 0 || !S_ISREG(made.st_mode)) {
    error = shownPath + ": cannot be written: " + NotRegular(temp);
    return false;
  }
  if (!WriteFully(fd.get(), static_cast<const uint8_t*>(data), size)) {
    return fail("cannot be written");
  }
  if (hadOld && ::fchmod(fd.get(), old.st_mode & 07777) != 0) return fail("cannot be written");
  if (::fsync(fd.get()) != 0 || !fd.Close()) return fail("cannot be written");
  if (::rename(temp.c_str(), path.c_str()) != 0) return fail("cannot be replaced");

  // Make the rename itself durable; a failure here no longer endangers the
  // data, so it is not reported.
  Fd dir(::open(DirectoryOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
  if (dir.get() >= 0) ::fsync(dir.get());
  return true;
}

}  // namespace rara3
