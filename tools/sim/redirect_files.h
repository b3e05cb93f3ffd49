// Lets a data file of any name stand in for AppDir's TOVAK.DAT: every use of
// a path named TOVAK.DAT goes to that file instead; other files (replays,
// exports) stay where the game puts them.
#pragma once

#include <string>

#include "data/data_file.h"
#include "core/platform.h"

namespace rara3::sim {

class RedirectFiles : public Files {
 public:
  RedirectFiles(Files& inner, std::string dataFile) : inner_(inner), dataFile_(std::move(dataFile)) {}

  bool ReadAt(const std::string& path, int64_t offset, void* out, size_t size,
              std::string& error) override {
    return inner_.ReadAt(Map(path), offset, out, size, error);
  }
  bool WriteAt(const std::string& path, int64_t offset, const void* data, size_t size,
               std::string& error) override {
    return inner_.WriteAt(Map(path), offset, data, size, error);
  }
  bool ReadAll(const std::string& path, std::vector<uint8_t>& out, bool& missing,
               std::string& error) override {
    return inner_.ReadAll(Map(path), out, missing, error);
  }
  bool ReplaceWhole(const std::string& path, const void* data, size_t size,
                    std::string& error) override {
    return inner_.ReplaceWhole(Map(path), data, size, error);
  }

 private:
  std::string Map(const std::string& path) const {
    const std::string name = kDataFileName;
    const bool isDataFile = path.size() >= name.size() &&
                            path.compare(path.size() - name.size(), name.size(), name) == 0 &&
                            (path.size() == name.size() || path[path.size() - name.size() - 1] == '/');
    return isDataFile ? dataFile_ : path;
  }

  Files& inner_;
  std::string dataFile_;
};

}  // namespace rara3::sim
