#include "render/blit.h"

#include "render/clip_to_view.h"
#include "core/sheets.h"

namespace rara3 {

void ClearScreen(Platform& p) { p.display.BltFast(0, 0, Picture0, kWholeScreen, false); }

void DrawClipped(GameState& g, Platform& p, int sheet, const Rect& src, int32_t x, int32_t y) {
  ClipToView(g, src, static_cast<int16_t>(x), static_cast<int16_t>(y));
  const Rect& cut = g.ClipSrc;
  if (cut.Right <= cut.Left || cut.Bottom <= cut.Top) return;
  p.display.BltFast(g.ClipX, g.ClipY, sheet, cut, true);
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
