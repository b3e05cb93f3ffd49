#include "render/clip_to_view.h"

namespace rara3 {

ClippedBlit ClipToView(const Rect& rect, int16_t x, int16_t y) {
  ClippedBlit c;
  const int16_t w = static_cast<int16_t>(rect.Right - rect.Left);
  const int16_t h = static_cast<int16_t>(rect.Bottom - rect.Top);

  if (x < 0) {
    c.x = 0;
    c.src.Left = rect.Left - x;
    c.src.Right = rect.Right;
  } else {
    c.x = x;
    c.src.Left = rect.Left;
    if (x + w <= kViewRight) {
      c.src.Right = rect.Right;
    } else {
      c.src.Right = rect.Right - (x + w - kViewRight);
    }
  }

  if (y < 0) {
    c.y = 0;
    c.src.Top = rect.Top - y;
    c.src.Bottom = rect.Bottom;
  } else {
    c.y = y;
    c.src.Top = rect.Top;
    if (y + h < kViewBottom) {
      c.src.Bottom = rect.Bottom;
    } else {
      c.src.Bottom = rect.Bottom - (y + h - kViewBottom);
    }
  }
  return c;
}

}  // namespace rara3
