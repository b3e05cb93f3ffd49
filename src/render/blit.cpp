#include "render/blit.h"

#include "render/clip_to_view.h"
#include "core/sheets.h"

namespace rara3 {

void BlankScreen(Display& d) { d.Blit(0, 0, kSheetBlack, kWholeScreen, false); }

void DrawClipped(Display& d, int sheet, const Rect& src, int32_t x, int32_t y) {
  const ClippedBlit c = ClipToView(src, static_cast<int16_t>(x), static_cast<int16_t>(y));
  if (c.src.Right <= c.src.Left || c.src.Bottom <= c.src.Top) return;
  d.Blit(c.x, c.y, sheet, c.src, true);
}

void DrawFixed(Display& d, int sheet, const Rect& src, int32_t x, int32_t y) {
  d.Blit(x, y, sheet, src, true);
}

}  // namespace rara3
