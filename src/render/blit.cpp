#include "render/blit.h"

#include "render/clip_to_view.h"
#include "core/sheets.h"

namespace rara3 {

void ClearScreen(Platform& p) { p.display.BltFast(0, 0, Picture0, kWholeScreen, false); }

void DrawClipped(Platform& p, int sheet, const Rect& src, int32_t x, int32_t y) {
  const ClippedBlit c = ClipToView(src, static_cast<int16_t>(x), static_cast<int16_t>(y));
  if (c.src.Right <= c.src.Left || c.src.Bottom <= c.src.Top) return;
  p.display.BltFast(c.x, c.y, sheet, c.src, true);
}

void DrawFixed(Platform& p, int sheet, const Rect& src, int32_t x, int32_t y) {
  p.display.BltFast(x, y, sheet, src, true);
}

void StartSfxOnce(GameState& g, Platform& p, bool& latch, Effect effect) {
  if (latch) return;
  latch = true;
  if (g.SoundOn) p.audio.PlaySfx(effect);
}

}  // namespace rara3
