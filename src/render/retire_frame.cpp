#include <algorithm>

#include "render/play_view.h"
#include "render/scene_frames.h"
#include "core/sheets.h"

namespace rara3 {

namespace {

// The player is drawn after the whole board instead.
bool RetireCell(const GameState&, Display&, int32_t, int32_t, int32_t kind) {
  return kind == KindPlayer || kind == KindExit;
}

}  // namespace

void DrawRetireLayers(const GameState& g, Display& d) {
  DrawFloor(g, d);
  DrawBoard(g, d, RetireCell);
  // Over every board sprite, the rows below the player included.
  const int32_t f = std::clamp<int32_t>(g.pace.RetireTick / 8, 0, kRetireFrames - 1);
  DrawPlayerSprite(d, RetireRect(f), g.PlayerX, g.PlayerY);
}

}  // namespace rara3
