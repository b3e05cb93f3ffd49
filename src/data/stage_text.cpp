#include "data/stage_text.h"

#include <cstdio>
#include <cstring>


namespace rara3 {
namespace {

std::string Shown(char c) {
  const auto u = static_cast<unsigned char>(c);
  if (u >= 0x21 && u <= 0x7E) return std::string("'") + c + "'";
  char hex[8];
  std::snprintf(hex, sizeof hex, "0x%02X", u);
  return hex;
}

}  // namespace

bool ParseStageText(const std::string& text, const std::string& name, StageCells& cells,
                    std::string& error) {
  uint8_t parsed[kStageSize] = {};
  int rows = 0;
  int lineNo = 0;
  size_t pos = 0;
  while (pos < text.size()) {
    size_t end = text.find('\n', pos);
    if (end == std::string::npos) end = text.size();
    std::string line = text.substr(pos, end - pos);
    pos = end + 1;
    ++lineNo;
    if (!line.empty() && line.back() == '\r') line.pop_back();
    if (!line.empty() && line[0] == ';') continue;

    const std::string where = name + ":" + std::to_string(lineNo);
    if (rows == kBoardSize) {
      error = where + ": more than " + std::to_string(kBoardSize) + " stage lines";
      return false;
    }
    for (size_t x = 0; x < line.size() && x < kBoardSize; ++x) {
      const int32_t kind = KindOfStageChar(line[x]);
      if (kind < 0) {
        error = where + ":" + std::to_string(x + 1) + ": " +
                (line[x] == kUnknownCellChar ? "'?' stands for a cell value the stage files "
                                               "cannot show; put a cell character in its place"
                                             : "unknown cell character " + Shown(line[x])) +
                " (cells are " + kStageChars + ")";
        return false;
      }
      parsed[rows * kBoardSize + static_cast<int>(x)] = static_cast<uint8_t>(kind);
    }
    if (line.size() != kBoardSize) {
      error = where + ": expected " + std::to_string(kBoardSize) + " cells, found " +
              std::to_string(line.size());
      return false;
    }
    ++rows;
  }
  if (rows != kBoardSize) {
    error = name + ": expected " + std::to_string(kBoardSize) + " stage lines, found " +
            std::to_string(rows);
    return false;
  }
  std::memcpy(cells, parsed, sizeof parsed);
  return true;
}

std::string FormatStageText(const StageCells& cells, int* unknownCells) {
  std::string text;
  text.reserve(kBoardSize * (kBoardSize + 1));
  int unknown = 0;
  for (int y = 0; y < kBoardSize; ++y) {
    for (int x = 0; x < kBoardSize; ++x) {
      const char c = StageCharOfKind(cells[y * kBoardSize + x]);
      if (c == kUnknownCellChar) ++unknown;
      text += c;
    }
    text += '\n';
  }
  if (unknownCells != nullptr) *unknownCells = unknown;
  return text;
}

}  // namespace rara3
