#include <algorithm>

#include "render/blit.h"
#include "render/play_view.h"
#include "render/scene_frames.h"
#include "core/sheets.h"

namespace rara3 {

namespace {

// The player is drawn after the whole board instead.
bool RetireCell(GameState& g, Platform& p, int32_t x, int32_t y, int32_t kind) {
  DrawOpenExit(g, p, x, y, kind);
  return kind == KindPlayer || kind == KindExit;
}

}  // namespace

void DrawRetireLayers(GameState& g, Platform& p) {
  DrawFloor(g, p);
  DrawBoard(g, p, RetireCell);
  // Over every board sprite, the rows below the player included.
  const int32_t f = std::clamp<int32_t>(g.RetireTick / 8, 0, kRetireFrames - 1);
  DrawPlayerSprite(p, RetireRect(f), g.PlayerX, g.PlayerY);
  CountToHold(g.RetireTick, kRetireHold);
}

}  // namespace rara3
