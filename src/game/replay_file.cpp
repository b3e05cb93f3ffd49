#include "game/replay_file.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "core/words.h"
#include "game/notice.h"

namespace rara3 {
namespace {

// A byte as it can be shown inside a one-line message.
std::string Shown(uint8_t c) {
  if (c >= 0x21 && c <= 0x7E) return std::string("'") + static_cast<char>(c) + "'";
  char hex[8];
  std::snprintf(hex, sizeof hex, "0x%02X", c);
  return hex;
}

// Reads the lines of a replay file one at a time: digits ended by CR LF (or
// a bare LF). Never reads past the end of the bytes.
class LineReader {
 public:
  explicit LineReader(const std::vector<uint8_t>& bytes) : bytes_(bytes) {}

  bool AtEnd() const { return pos_ == bytes_.size(); }
  int64_t LineNo() const { return line_; }

  // One decimal number of int32 range and its line end.
  bool Number(int32_t& value, std::string& error) {
    ++line_;
    const std::string where = "line " + std::to_string(line_) + ": ";
    if (AtEnd()) {
      error = where + "expected a number, found the end of the file";
      return false;
    }
    int64_t v = 0;
    size_t digits = 0;
    while (pos_ < bytes_.size() && bytes_[pos_] >= '0' && bytes_[pos_] <= '9') {
      v = v * 10 + (bytes_[pos_] - '0');
      if (v > INT32_MAX) {
        error = where + "the number is too large";
        return false;
      }
      ++pos_;
      ++digits;
    }
    if (pos_ == bytes_.size()) {
      error = where + (digits == 0 ? "expected a number, found the end of the file"
                                   : "the line is not ended (the file is cut short)");
      return false;
    }
    const uint8_t c = bytes_[pos_];
    if (digits == 0) {
      error = where + (c == '\r' || c == '\n' ? "expected a number, found an empty line"
                                              : "expected a digit, found " + Shown(c));
      return false;
    }
    if (c == '\n') {
      ++pos_;
    } else if (c == '\r' && pos_ + 1 < bytes_.size() && bytes_[pos_ + 1] == '\n') {
      pos_ += 2;
    } else if (c == '\r') {
      error = where + "expected a line feed after the carriage return";
      return false;
    } else {
      error = where + "expected a digit or the line end, found " + Shown(c);
      return false;
    }
    value = static_cast<int32_t>(v);
    return true;
  }

 private:
  const std::vector<uint8_t>& bytes_;
  size_t pos_ = 0;
  int64_t line_ = 0;
};

}  // namespace

std::string StageFilePath(const std::string& appDir, int32_t stageNo, const char* extension) {
  return appDir + StageFileName(stageNo, extension);
}

std::vector<uint8_t> FormatReplay(const int32_t* codes, int32_t count) {
  std::string text = std::to_string(count) + "\r\n";
  for (int32_t i = 0; i < count; ++i) text += std::to_string(codes[i]) + "\r\n";
  return std::vector<uint8_t>(text.begin(), text.end());
}

bool ParseReplay(const std::vector<uint8_t>& bytes, int32_t capacity, int32_t* codes,
                 int32_t& count, std::string& error) {
  LineReader reader(bytes);
  int32_t n = 0;
  if (!reader.Number(n, error)) return false;
  if (n > capacity) {
    error = "line 1: " + std::to_string(n) + " moves, more than the " + std::to_string(capacity) +
            " a replay can hold";
    return false;
  }
  std::vector<int32_t> read(static_cast<size_t>(n));
  for (int32_t i = 0; i < n; ++i) {
    if (reader.AtEnd()) {
      error = "expected " + std::to_string(n) + " moves, found " + std::to_string(i) +
              " (the file is cut short)";
      return false;
    }
    if (!reader.Number(read[static_cast<size_t>(i)], error)) return false;
  }
  // The game never writes anything after the moves; a file that does holds
  // something other than what its count says.
  if (!reader.AtEnd()) {
    error = "line " + std::to_string(reader.LineNo() + 1) + ": more data after the " +
            std::to_string(n) + " moves the first line announces";
    return false;
  }
  std::copy(read.begin(), read.end(), codes);
  count = n;
  return true;
}

bool WriteReplayFile(GameState& g, Platform& p) {
  const std::string path = StageFilePath(g.AppDir, g.StageNo, kReplayExtension);
  const int32_t count = std::clamp(g.RecordCount, 0, RecordCapacity);
  const std::vector<uint8_t> bytes = FormatReplay(g.RecordMoves, count);
  std::string error;
  if (!p.files.ReplaceWhole(path, bytes.data(), bytes.size(), error)) {
    TellPlayer(p, TrFormat(N_("The replay of stage {0} was not saved: {1}"),
                           {std::to_string(g.StageNo), error}));
    return false;
  }
  return true;
}

bool ReadReplayFile(GameState& g, Platform& p) {
  const std::string path = StageFilePath(g.AppDir, g.StageNo, kReplayExtension);
  std::vector<uint8_t> bytes;
  bool missing = false;
  std::string error;
  if (!p.files.ReadAll(path, bytes, missing, error)) {
    TellPlayer(p, TrFormat(missing ? N_("No replay of stage {0} to play: {1}")
                                   : N_("The replay of stage {0} cannot be played: {1}"),
                           {std::to_string(g.StageNo), error}));
    return false;
  }
  if (!ParseReplay(bytes, ReplayCapacity, g.ReplayMoves, g.ReplayCount, error)) {
    TellPlayer(p, TrFormat(N_("The replay of stage {0} cannot be played: {1}"),
                           {std::to_string(g.StageNo), path + ": " + error}));
    return false;
  }
  return true;
}

}  // namespace rara3
