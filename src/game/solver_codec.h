// What the searches in single moves and in pushes share: how a position is
// keyed (the cells that can ever change, their kinds packed, and the exit's
// flag) and when a search must stop.
#pragma once

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "game/board.h"
#include "game/solver.h"

namespace rara3::solve {

// A state is where the player and every box stand, and the exit's flag. Only
// the cells joined to the player's can ever change (solid boxes fence the
// rest off for good), so the key holds one bit per such cell, set where it is
// occupied, then the kind of each occupied cell at four bits, in cell order.
// Nothing ever adds a box; only the opening exit adds one occupied cell.
struct Codec {
  Board base;  // every changeable cell empty
  std::vector<uint16_t> cells;  // x * 20 + y of each changeable cell
  size_t bitmapBytes = 0;
  size_t keyBytes = 0;

  explicit Codec(const Board& start) : base(start) {
    bool in[kBoardSize][kBoardSize] = {};
    std::vector<std::pair<int, int>> stack{{start.PlayerX, start.PlayerY}};
    in[start.PlayerX][start.PlayerY] = true;
    while (!stack.empty()) {
      const auto [x, y] = stack.back();
      stack.pop_back();
      for (int d = 0; d < 4; ++d) {
        const int nx = x + kDirDX[d], ny = y + kDirDY[d];
        if (!InGrid(nx, ny) || in[nx][ny] || start.Map[nx][ny] == KindSolidBox) continue;
        in[nx][ny] = true;
        stack.push_back({nx, ny});
      }
    }
    if (InGrid(start.ExitX, start.ExitY)) in[start.ExitX][start.ExitY] = true;
    int occupied = 2;  // room for the exit once it opens, and one to spare
    for (int x = 0; x < kBoardSize; ++x) {
      for (int y = 0; y < kBoardSize; ++y) {
        if (!in[x][y]) continue;
        cells.push_back(static_cast<uint16_t>(x * kBoardSize + y));
        occupied += start.Map[x][y] != KindEmpty;
        base.Map[x][y] = KindEmpty;
      }
    }
    bitmapBytes = (cells.size() + 7) / 8;
    keyBytes = bitmapBytes + (occupied + 1) / 2 + 1;
  }

  void Encode(const Board& b, uint8_t* key) const {
    std::fill(key, key + keyBytes, 0);
    const int32_t* map = &b.Map[0][0];
    uint8_t* kinds = key + bitmapBytes;
    size_t n = 0;
    for (size_t i = 0; i < cells.size(); ++i) {
      const int32_t kind = map[cells[i]];
      if (kind == KindEmpty) continue;
      key[i >> 3] |= static_cast<uint8_t>(1u << (i & 7));
      kinds[n >> 1] |= static_cast<uint8_t>((kind & 15) << ((n & 1) * 4));
      ++n;
    }
    key[keyBytes - 1] = b.ExitOpen ? 1 : 0;
  }

  void Decode(const uint8_t* key, Board& b) const {
    b = base;
    int32_t* map = &b.Map[0][0];
    const uint8_t* kinds = key + bitmapBytes;
    size_t n = 0;
    for (size_t i = 0; i < cells.size(); ++i) {
      if (!(key[i >> 3] & (1u << (i & 7)))) continue;
      const int32_t kind = (kinds[n >> 1] >> ((n & 1) * 4)) & 15;
      ++n;
      map[cells[i]] = kind;
      if (kind == KindPlayer) {
        b.PlayerX = cells[i] / kBoardSize;
        b.PlayerY = cells[i] % kBoardSize;
      }
    }
    b.ExitOpen = key[keyBytes - 1] != 0;
  }
};

inline double SecondsSince(std::chrono::steady_clock::time_point t0) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

// Why a search must stop before it expands its state `index` (cancelled,
// out of time, out of memory), or an empty string. The flag, the clock and
// the memory are looked at once every `every` states (a power of two).
inline std::string LimitReached(const SearchLimits& limits, uint32_t index, uint32_t every,
                                std::chrono::steady_clock::time_point t0, size_t states,
                                double bytesPerState) {
  if ((index & (every - 1)) != 0) return {};
  if (limits.cancel && limits.cancel->load(std::memory_order_relaxed)) return "cancelled";
  if (SecondsSince(t0) > limits.maxSeconds) return std::to_string(limits.maxSeconds) + " s";
  if (states * bytesPerState > limits.maxMegabytes * 1e6) {
    return std::to_string(static_cast<long long>(limits.maxMegabytes)) + " MB";
  }
  return {};
}

}  // namespace rara3::solve
