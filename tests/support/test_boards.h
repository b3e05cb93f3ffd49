// Boards for tests, drawn in the characters of the stage files:
// . empty, P pair, % break, V vanish, T step, S slide, C copy, # solid,
// B bomb, @ player, E exit (closed: its position only), X the open exit.
// Rows shorter than 20 or fewer than 20 rows leave the rest empty.
#pragma once

#include <string>
#include <vector>

#include "core/stage_chars.h"
#include "game/board.h"

namespace rara3::test {

// 'X' is the open exit, 'E' only marks where the closed exit lies, and '?'
// stands for a stored value beyond the kinds.
constexpr char kOpenExitChar = 'X';

inline int32_t KindOfChar(char c) {
  if (c == kOpenExitChar) return KindExit;
  if (c == kUnknownCellChar) return 200;
  const int32_t kind = KindOfStageChar(c);
  return kind < 0 || kind == KindExit ? KindEmpty : kind;
}

inline char CharOfKind(int32_t kind) {
  return kind == KindExit ? kOpenExitChar : StageCharOfKind(kind);
}

inline void FillBoard(Board& b, const std::vector<std::string>& rows) {
  for (auto& column : b.Map)
    for (auto& cell : column) cell = KindEmpty;
  for (int y = 0; y < static_cast<int>(rows.size()) && y < kBoardSize; ++y) {
    for (int x = 0; x < static_cast<int>(rows[y].size()) && x < kBoardSize; ++x) {
      const char c = rows[y][x];
      b.Map[x][y] = KindOfChar(c);
      if (c == '@') {
        b.PlayerX = x;
        b.PlayerY = y;
      }
      if (c == kStageChars[KindExit] || c == kOpenExitChar) {
        b.ExitX = x;
        b.ExitY = y;
        b.ExitOpen = c == kOpenExitChar;
      }
    }
  }
}

inline Board MakeBoard(const std::vector<std::string>& rows) {
  Board b;
  b.Facing = FacingDown;
  FillBoard(b, rows);
  return b;
}

// The first `height` rows, `width` cells each, in the same characters.
inline std::vector<std::string> BoardRows(const Board& b, int width, int height) {
  std::vector<std::string> rows;
  for (int y = 0; y < height; ++y) {
    std::string row;
    for (int x = 0; x < width; ++x) row += CharOfKind(b.Map[x][y]);
    rows.push_back(row);
  }
  return rows;
}

}  // namespace rara3::test
