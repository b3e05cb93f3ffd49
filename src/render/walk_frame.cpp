#include "render/hint_mark.h"
#include "render/play_view.h"
#include "render/scene_frames.h"
#include "core/sheets.h"

namespace rara3 {

namespace {

bool WalkCell(const GameState& g, Display& d, int32_t x, int32_t y, int32_t kind) {
  if (kind == KindExit) return true;
  if (kind == KindPlayer) {
    const int32_t dir = FrameDir(g);
    const int32_t f = ((g.pace.WalkFrame % kWalkFrames) + kWalkFrames) % kWalkFrames;
    const int32_t moved = 4 * g.pace.AnimStep;
    DrawPlayerSprite(d, WalkRect(dir, f), x, y, moved * kDirDX[dir], moved * kDirDY[dir]);
    return true;
  }
  return false;
}

}  // namespace

void DrawWalkLayers(const GameState& g, Display& d) {
  DrawFloor(g, d);
  DrawBoard(g, d, WalkCell);
  DrawHintMark(g, d);
}

}  // namespace rara3
