#include "render/hint_mark.h"
#include "render/play_view.h"
#include "render/scene_frames.h"

namespace rara3 {

namespace {

bool IdleCell(const GameState& g, Display& d, int32_t x, int32_t y, int32_t kind) {
  if (kind == KindExit) return true;  // its glow is all there is
  if (kind == KindPlayer) {
    DrawStandingPlayer(g, d, x, y);
    return true;
  }
  return false;
}

}  // namespace

void DrawIdleLayers(const GameState& g, Display& d) {
  DrawFloor(g, d);
  DrawBoard(g, d, IdleCell);
  DrawHintMark(g, d);
}

}  // namespace rara3
