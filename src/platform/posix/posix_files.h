// The files on disk, through plain POSIX calls. Writes in place go to an
// existing file of sufficient length only; whole replacements go through a
// temporary file beside the target, fsynced and renamed over it, so a crash
// or a failed write never leaves a half-written file.
#pragma once

#include "core/platform.h"

namespace rara3 {

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
