// The three ways a frame puts pictures on the back buffer.
#pragma once

#include <cstdint>

#include "core/platform.h"

namespace rara3 {

// The whole of kSheetBlack at (0, 0), without colour key: starts every frame.
void BlankScreen(Display& d);

// A board piece: cut to the view by ClipToView, then blitted keyed. A piece
// that lies wholly outside the view is not blitted.
void DrawClipped(Display& d, int sheet, const Rect& src, int32_t x, int32_t y);

// A piece at a fixed position that lies inside the screen, blitted keyed.
void DrawFixed(Display& d, int sheet, const Rect& src, int32_t x, int32_t y);

}  // namespace rara3
