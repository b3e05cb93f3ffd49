#include "render/clip_to_view.h"

namespace rara3 {

void ClipToView(GameState& g, const Rect& rect, int16_t x, int16_t y) {
  const int16_t w = static_cast<int16_t>(rect.Right - rect.Left);
  const int16_t h = static_cast<int16_t>(rect.Bottom - rect.Top);

  if (x < 0) {
    g.ClipX = 0;
    g.ClipSrc.Left = rect.Left - x;
    g.ClipSrc.Right = rect.Right;
  } else {
    g.ClipX = x;
    g.ClipSrc.Left = rect.Left;
    if (x + w <= kViewRight) {
      g.ClipSrc.Right = rect.Right;
    } else {
      g.ClipSrc.Right = rect.Right - (x + w - kViewRight);
    }
  }

  if (y < 0) {
    g.ClipY = 0;
    g.ClipSrc.Top = rect.Top - y;
    g.ClipSrc.Bottom = rect.Bottom;
  } else {
    g.ClipY = y;
    g.ClipSrc.Top = rect.Top;
    if (y + h < kViewBottom) {
      g.ClipSrc.Bottom = rect.Bottom;
    } else {
      g.ClipSrc.Bottom = rect.Bottom - (y + h - kViewBottom);
    }
  }
}

}  // namespace rara3
