#include <algorithm>

#include "render/play_view.h"
#include "render/scene_frames.h"
#include "core/sheets.h"

namespace rara3 {

namespace {

// The player stands on the exit: the cheer over the glow.
bool ClearCell(const GameState& g, Display& d, int32_t x, int32_t y, int32_t kind) {
  if (kind == KindPlayer) {
    const int32_t f = std::clamp<int32_t>(g.pace.ClearTick / 8, 0, kCheerFrames - 1);
    DrawPlayerSprite(d, CheerRect(f), x, y);
    return true;
  }
  return kind == KindExit;  // the exit's cell now holds the player
}

}  // namespace

void DrawClearLayers(const GameState& g, Display& d) {
  DrawFloor(g, d);
  DrawBoard(g, d, ClearCell);
}

}  // namespace rara3
