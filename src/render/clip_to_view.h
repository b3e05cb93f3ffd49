// The clipped blit of every board piece: cuts a sprite to the board view,
// x 0 to 560 and y 0 to 480.
#pragma once

#include <cstdint>

#include "core/platform.h"

namespace rara3 {

// The right limit of the view: the board ends at x 560 and the strip beyond
// stays black.
constexpr int32_t kViewRight = 560;
constexpr int32_t kViewBottom = 480;

// A source rectangle cut to the view and where it lands.
struct ClippedBlit {
  Rect src;
  int32_t x = 0;
  int32_t y = 0;
};

// The cut of the source rect placed at (x, y). Width and height are taken
// as 16-bit, as are the positions; the left and top cuts do not test the
// opposite edge.
ClippedBlit ClipToView(const Rect& rect, int16_t x, int16_t y);

}  // namespace rara3
