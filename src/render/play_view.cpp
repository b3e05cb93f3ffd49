#include "render/play_view.h"

#include <algorithm>

#include "render/blit.h"
#include "core/sheets.h"

namespace rara3 {

namespace {

// Brightness step of the exit glow for GlowTick / 16.
constexpr int32_t kPingPong[8] = {0, 1, 2, 3, 4, 3, 2, 1};

}  // namespace

int32_t FrameDir(const GameState& g) { return g.DirIndex >= 0 && g.DirIndex <= 3 ? g.DirIndex : 0; }

int32_t ColorRow(const GameState& g) { return g.AltColors != 0 ? 1 : 0; }

int32_t FramesPerStep(const GameState& g) { return std::max<int32_t>(1, g.StepFrames); }

bool OpenExitAt(const GameState& g, int32_t x, int32_t y) {
  return g.ExitOpen && x == g.ExitX && y == g.ExitY;
}

bool DrawOpenExit(GameState& g, Platform& p, int32_t x, int32_t y, int32_t kind) {
  if (kind == KindExit || (kind == KindPlayer && OpenExitAt(g, x, y))) DrawExitGlow(g, p, x, y);
  return kind == KindExit;
}

void DrawFloor(const GameState& g, Platform& p) {
  const int32_t t = std::clamp<int32_t>((g.StageNo - 1) / 10, 0, kFloorTextures - 1);
  const Rect src = FloorRect(t);
  // 11 x 11 squares; the view cuts the last column and row at the board's edge.
  for (int32_t i = 0; i <= 10; ++i) {
    for (int32_t j = 0; j <= 10; ++j) {
      DrawClipped(p, Picture6, src, 80 + kFloorSquare * j, kFloorSquare * i);
    }
  }
}

void DrawBoard(GameState& g, Platform& p, CellRule rule) {
  for (int32_t y = 0; y < kBoardSize; ++y) {
    for (int32_t x = 0; x < kBoardSize; ++x) {
      const int32_t kind = g.Map[x][y];
      if (rule != nullptr && rule(g, p, x, y, kind)) continue;
      if (IsBoxKind(kind)) DrawTile(g, p, kind - 1, x, y);
    }
  }
}

void DrawTile(const GameState& g, Platform& p, int32_t column, int32_t x, int32_t y) {
  DrawClipped(p, Picture3, TileRect(column, ColorRow(g)), CellLeft(x), TileTop(y));
}

void DrawPlayerSprite(Platform& p, const Rect& src, int32_t x, int32_t y,
                      int32_t dx, int32_t dy) {
  DrawClipped(p, Picture1, src, CellLeft(x) + kPlayerDX + dx, CellTop(y) + kPlayerDY + dy);
}

void DrawStandingPlayer(const GameState& g, Platform& p, int32_t x, int32_t y) {
  DrawPlayerSprite(p, StandRect(FrameDir(g)), x, y);
}

void DrawExitGlow(GameState& g, Platform& p, int32_t x, int32_t y) {
  const int32_t step = std::clamp<int32_t>(kPingPong[(g.GlowTick / 16) & 7], 0, kGlowSteps - 1);
  DrawClipped(p, Picture4, GlowRect(step, ColorRow(g)), CellLeft(x) + kGlowDX,
              CellTop(y) + kGlowDY);
  AdvanceGlow(g);
}

void AdvanceGlow(GameState& g) {
  g.GlowTick += 1;
  if (g.GlowTick >= 128) g.GlowTick = 0;
}

}  // namespace rara3
