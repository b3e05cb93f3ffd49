// A fresh folder under the test's own temp dir, removed with everything in
// it when the test ends, and small helpers for the files in it.
#pragma once

#include <gtest/gtest.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace rara3::test {

class TempFolder {
 public:
  TempFolder() {
    std::string pattern = testing::TempDir() + "rara3-XXXXXX";
    if (mkdtemp(pattern.data()) == nullptr) ADD_FAILURE() << "cannot make " << pattern;
    path_ = pattern + "/";
  }
  TempFolder(const TempFolder&) = delete;
  TempFolder& operator=(const TempFolder&) = delete;
  ~TempFolder() {
    std::error_code ec;
    std::filesystem::remove_all(path_, ec);
  }

  // The folder, ending in '/', like AppDir.
  const std::string& path() const { return path_; }
  std::string operator/(const std::string& name) const { return path_ + name; }

  void Write(const std::string& name, const std::vector<uint8_t>& bytes) const {
    std::ofstream f(path_ + name, std::ios::binary | std::ios::trunc);
    f.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!f) ADD_FAILURE() << "cannot write " << path_ + name;
  }
  void Write(const std::string& name, const std::string& text) const {
    Write(name, std::vector<uint8_t>(text.begin(), text.end()));
  }

  std::vector<uint8_t> Read(const std::string& name) const {
    std::ifstream f(path_ + name, std::ios::binary);
    return std::vector<uint8_t>(std::istreambuf_iterator<char>(f), {});
  }

  bool Exists(const std::string& name) const { return std::filesystem::exists(path_ + name); }

  // Names of everything in the folder, sorted.
  std::vector<std::string> List() const {
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(path_)) {
      names.push_back(e.path().filename().string());
    }
    std::sort(names.begin(), names.end());
    return names;
  }

 private:
  std::string path_;
};

}  // namespace rara3::test
