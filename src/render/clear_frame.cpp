#include <algorithm>

#include "render/blit.h"
#include "render/play_view.h"
#include "render/scene_frames.h"
#include "core/sheets.h"

namespace rara3 {

namespace {

// The player stands on the exit: the glow, then the cheer over it.
bool ClearCell(GameState& g, Platform& p, int32_t x, int32_t y, int32_t kind) {
  if (kind == KindPlayer) {
    DrawExitGlow(g, p, x, y);
    const int32_t f = std::clamp<int32_t>(g.ClearTick / 8, 0, kCheerFrames - 1);
    DrawPlayerSprite(p, CheerRect(f), x, y);
    return true;
  }
  return kind == KindExit;  // the exit's cell now holds the player
}

}  // namespace

void StartClearSfx(GameState& g, Platform& p) { StartSfxOnce(g, p, g.ClearSfxDone, Effect::Clear); }

void DrawClearLayers(GameState& g, Platform& p) {
  DrawFloor(g, p);
  DrawBoard(g, p, ClearCell);
  CountToHold(g.ClearTick, kClearHold);
}

}  // namespace rara3
