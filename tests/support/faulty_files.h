// A file layer for tests that fails on purpose: it wraps another Files and
// makes chosen operations fail without passing them on, so a test can show
// that every failure is reported and loses nothing.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "core/platform.h"

namespace rara3 {

enum class FileOp { ReadAt, WriteAt, ReadAll, ReplaceWhole };

const char* FileOpName(FileOp op);

// Which operations fail. Empty fields match everything; nth counts only the
// operations this fault matches (1 = the first of them), 0 fails them all.
struct FileFault {
  std::optional<FileOp> op;
  std::string pathPart;
  int64_t nth = 0;
  // The reason given in the error message.
  std::string reason = "Input/output error";
};

class FaultyFiles : public Files {
 public:
  explicit FaultyFiles(Files& inner) : inner_(inner) {}

  void Add(const FileFault& fault) { faults_.push_back({fault, 0}); }
  // The n-th operation from now on, of any kind and on any path.
  void FailNth(int64_t n) { Add({std::nullopt, "", n}); }
  // Every operation of this kind whose path contains pathPart.
  void FailEvery(FileOp op, const std::string& pathPart = "") { Add({op, pathPart, 0}); }
  void Clear() { faults_.clear(); }

  // Every operation seen, failed or not, as "ReadAt <path>" and so on.
  const std::vector<std::string>& Log() const { return log_; }
  int64_t Failures() const { return failures_; }

  bool ReadAt(const std::string& path, int64_t offset, void* out, size_t size,
              std::string& error) override;
  bool WriteAt(const std::string& path, int64_t offset, const void* data, size_t size,
               std::string& error) override;
  bool ReadAll(const std::string& path, std::vector<uint8_t>& out, bool& missing,
               std::string& error) override;
  bool ReplaceWhole(const std::string& path, const void* data, size_t size,
                    std::string& error) override;

 private:
  struct Armed {
    FileFault fault;
    int64_t seen;
  };
  // Logs the operation and says whether it fails; fills the error if so.
  bool Fails(FileOp op, const std::string& path, std::string& error);

  Files& inner_;
  std::vector<Armed> faults_;
  std::vector<std::string> log_;
  int64_t failures_ = 0;
};

}  // namespace rara3
