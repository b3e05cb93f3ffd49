#include "support/faulty_files.h"

namespace rara3 {

const char* FileOpName(FileOp op) {
  switch (op) {
    case FileOp::ReadAt: return "ReadAt";
    case FileOp::WriteAt: return "WriteAt";
    case FileOp::ReadAll: return "ReadAll";
    case FileOp::ReplaceWhole: return "ReplaceWhole";
  }
  return "?";
}

bool FaultyFiles::Fails(FileOp op, const std::string& path, std::string& error) {
  log_.push_back(std::string(FileOpName(op)) + " " + path);
  bool fails = false;
  std::string reason;
  // Every matching fault counts the operation, even when an earlier one
  // already decided it fails, so each fault's count stays its own.
  for (Armed& a : faults_) {
    if (a.fault.op && *a.fault.op != op) continue;
    if (path.find(a.fault.pathPart) == std::string::npos) continue;
    ++a.seen;
    if (a.fault.nth == 0 || a.fault.nth == a.seen) {
      if (!fails) reason = a.fault.reason;
      fails = true;
    }
  }
  if (!fails) return false;
  ++failures_;
  const bool writes = op == FileOp::WriteAt || op == FileOp::ReplaceWhole;
  error = path + (writes ? ": cannot be written: " : ": cannot be read: ") + reason;
  return true;
}

bool FaultyFiles::ReadAt(const std::string& path, int64_t offset, void* out, size_t size,
                         std::string& error) {
  if (Fails(FileOp::ReadAt, path, error)) return false;
  return inner_.ReadAt(path, offset, out, size, error);
}

bool FaultyFiles::WriteAt(const std::string& path, int64_t offset, const void* data, size_t size,
                          std::string& error) {
  if (Fails(FileOp::WriteAt, path, error)) return false;
  return inner_.WriteAt(path, offset, data, size, error);
}

bool FaultyFiles::ReadAll(const std::string& path, std::vector<uint8_t>& out, bool& missing,
                          std::string& error) {
  missing = false;
  if (Fails(FileOp::ReadAll, path, error)) return false;
  return inner_.ReadAll(path, out, missing, error);
}

bool FaultyFiles::ReplaceWhole(const std::string& path, const void* data, size_t size,
                               std::string& error) {
  if (Fails(FileOp::ReplaceWhole, path, error)) return false;
  return inner_.ReplaceWhole(path, data, size, error);
}

}  // namespace rara3
