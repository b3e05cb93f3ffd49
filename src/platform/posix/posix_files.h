// The files on disk, through plain POSIX calls. Writes in place go to an
// existing file of sufficient length only; whole replacements go through a
// temporary file beside the target, fsynced and renamed over it, so a crash
// or a failed write never leaves a half-written file. A replacement through
// a symbolic link replaces the link's final target and keeps the link.
#pragma once

#include "core/platform.h"

namespace rara3 {

// A write past the size limit (ulimit -f) then fails with EFBIG and is
// reported like any failed write, instead of the signal ending the program.
// Called once at the start of every program that writes files.
void IgnoreFileSizeSignal();

class PosixFiles : public Files {
 public:
  bool ReadAt(const std::string& path, int64_t offset, void* out, size_t size,
              std::string& error) override;
  bool WriteAt(const std::string& path, int64_t offset, const void* data, size_t size,
               std::string& error) override;
  bool ReadAll(const std::string& path, std::vector<uint8_t>& out, bool& missing,
               std::string& error) override;
  bool ReplaceWhole(const std::string& path, const void* data, size_t size,
                    std::string& error) override;
};

}  // namespace rara3
