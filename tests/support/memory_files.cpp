#include "support/memory_files.h"

#include <cstring>

namespace rara3 {

bool MemoryFiles::ReadAt(const std::string& path, int64_t offset, void* out, size_t size,
                         std::string& error) {
  const auto it = files.find(path);
  if (it == files.end()) {
    error = path + ": cannot be opened: No such file or directory";
    return false;
  }
  const auto& bytes = it->second;
  if (offset < 0 || static_cast<uint64_t>(offset) + size > bytes.size()) {
    error = path + ": expected at least " + std::to_string(offset + static_cast<int64_t>(size)) +
            " bytes, found " + std::to_string(bytes.size());
    return false;
  }
  if (size > 0) std::memcpy(out, bytes.data() + offset, size);
  return true;
}

bool MemoryFiles::WriteAt(const std::string& path, int64_t offset, const void* data, size_t size,
                          std::string& error) {
  const auto it = files.find(path);
  if (it == files.end()) {
    error = path + ": cannot be opened: No such file or directory";
    return false;
  }
  auto& bytes = it->second;
  if (offset < 0 || static_cast<uint64_t>(offset) + size > bytes.size()) {
    error = path + ": expected at least " + std::to_string(offset + static_cast<int64_t>(size)) +
            " bytes to write in place, found " + std::to_string(bytes.size());
    return false;
  }
  if (size > 0) std::memcpy(bytes.data() + offset, data, size);
  return true;
}

bool MemoryFiles::ReadAll(const std::string& path, std::vector<uint8_t>& out, bool& missing,
                          std::string& error) {
  const auto it = files.find(path);
  missing = it == files.end();
  if (missing) {
    error = path + ": cannot be opened: No such file or directory";
    return false;
  }
  out = it->second;
  return true;
}

bool MemoryFiles::ReplaceWhole(const std::string& path, const void* data, size_t size,
                               std::string&) {
  const auto* bytes = static_cast<const uint8_t*>(data);
  files[path].assign(bytes, bytes + size);
  return true;
}

}  // namespace rara3
