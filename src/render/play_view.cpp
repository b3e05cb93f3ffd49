#include "render/play_view.h"

#include <algorithm>

#include "render/blit.h"
#include "core/sheets.h"

namespace rara3 {

namespace {

// Brightness step of the exit glow for GlowTick / 16.
constexpr int32_t kPingPong[8] = {0, 1, 2, 3, 4, 3, 2, 1};

void DrawExitGlow(const GameState& g, Display& d, int32_t x, int32_t y, int32_t glowTick) {
  const int32_t step = std::clamp<int32_t>(kPingPong[(glowTick / 16) & 7], 0, kGlowSteps - 1);
  DrawClipped(d, kSheetGlow, GlowRect(step, ColorRow(g)), CellLeft(x) + kGlowDX,
              CellTop(y) + kGlowDY);
}

}  // namespace

void DrawFloor(const GameState& g, Display& d) {
  const int32_t t = std::clamp<int32_t>((g.flow.StageNo - 1) / 10, 0, kFloorTextures - 1);
  const Rect src = FloorRect(t);
  // 11 x 11 squares; the view cuts the last column and row at the board's edge.
  for (int32_t i = 0; i <= 10; ++i) {
    for (int32_t j = 0; j <= 10; ++j) {
      DrawClipped(d, kSheetFloors, src, 80 + kFloorSquare * j, kFloorSquare * i);
    }
  }
}

void DrawBoard(const GameState& g, Display& d, CellRule rule) {
  int32_t glowTick = g.pace.GlowTick;
  for (int32_t y = 0; y < kBoardSize; ++y) {
    for (int32_t x = 0; x < kBoardSize; ++x) {
      const int32_t kind = KindInPass(g, x, y);
      if (ShowsExitGlow(g, x, y, kind)) {
        DrawExitGlow(g, d, x, y, glowTick);
        glowTick = NextGlowTick(glowTick);
      }
      if (rule != nullptr && rule(g, d, x, y, kind)) continue;
      if (IsBoxKind(kind)) DrawTile(g, d, kind - 1, x, y);
    }
  }
}

void DrawTile(const GameState& g, Display& d, int32_t column, int32_t x, int32_t y) {
  DrawClipped(d, kSheetTiles, TileRect(column, ColorRow(g)), CellLeft(x), TileTop(y));
}

void DrawPlayerSprite(Display& d, const Rect& src, int32_t x, int32_t y, int32_t dx, int32_t dy) {
  DrawClipped(d, kSheetPlayer, src, CellLeft(x) + kPlayerDX + dx, CellTop(y) + kPlayerDY + dy);
}

void DrawStandingPlayer(const GameState& g, Display& d, int32_t x, int32_t y) {
  DrawPlayerSprite(d, StandRect(FrameDir(g)), x, y);
}

}  // namespace rara3
