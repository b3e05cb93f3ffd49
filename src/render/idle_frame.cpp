#include "render/play_view.h"
#include "render/scene_frames.h"

namespace rara3 {

namespace {

bool IdleCell(GameState& g, Platform& p, int32_t x, int32_t y, int32_t kind) {
  if (DrawOpenExit(g, p, x, y, kind)) return true;
  if (kind == KindPlayer) {
    DrawStandingPlayer(g, p, x, y);
    return true;
  }
  return false;
}

}  // namespace

void DrawIdleLayers(GameState& g, Platform& p) {
  DrawFloor(g, p);
  DrawBoard(g, p, IdleCell);
}

}  // namespace rara3
