// The three ways a frame puts pictures on the back buffer, and the latch of
// one-shot effects.
#pragma once

#include <cstdint>

#include "game/game_state.h"
#include "core/platform.h"

namespace rara3 {

// The whole of Picture0 at (0, 0), without colour key: starts every frame.
void ClearScreen(Platform& p);

// A board piece: cut to the view by ClipToView, then blitted keyed. A piece
// that lies wholly outside the view is not blitted.
void DrawClipped(Platform& p, int sheet, const Rect& src, int32_t x, int32_t y);

// A piece at a fixed position that lies inside the screen, blitted keyed.
void DrawFixed(Platform& p, int sheet, const Rect& src, int32_t x, int32_t y);

// Counts a scene's frame, up to the count at which the scene holds.
constexpr void CountToHold(int32_t& tick, int32_t hold) {
  if (tick < hold) tick += 1;
  if (tick > hold) tick = hold;
}

// Starts an effect the first time its latch is seen False. The latch is set
// even with effects off, so an effect that began silently stays silent.
void StartSfxOnce(GameState& g, Platform& p, bool& latch, Effect effect);

}  // namespace rara3
