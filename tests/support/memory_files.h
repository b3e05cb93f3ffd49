// Files kept in memory, for tests: the same contract as the files on disk,
// without touching the disk.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "core/platform.h"

namespace rara3 {

class MemoryFiles : public Files {
 public:
  bool ReadAt(const std::string& path, int64_t offset, void* out, size_t size,
              std::string& error) override;
  bool WriteAt(const std::string& path, int64_t offset, const void* data, size_t size,
               std::string& error) override;
  bool ReadAll(const std::string& path, std::vector<uint8_t>& out, bool& missing,
               std::string& error) override;
  bool ReplaceWhole(const std::string& path, const void* data, size_t size,
                    std::string& error) override;

  std::map<std::string, std::vector<uint8_t>> files;
};

}  // namespace rara3
