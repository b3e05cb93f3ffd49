#include "render/blit.h"
#include "render/scene_frames.h"
#include "core/sheets.h"

namespace rara3 {

namespace {

// The stage number is right-aligned on the units place, 64 px per place.
constexpr int32_t kDigitY = 320;
constexpr int32_t kHundredsX = 320;
constexpr int32_t kTensX = 384;
constexpr int32_t kUnitsX = 448;

void DrawDigit(Platform& p, int32_t n, int32_t x) {
  if (n < 0 || n > 9) return;
  DrawFixed(p, Picture5, DigitRect(n), x, kDigitY);
}

}  // namespace

void DrawTitleLayers(GameState& g, Platform& p) {
  DrawFixed(p, Picture2, kWholeScreen, 0, 0);
  DrawFixed(p, Picture5, kTitleLogoRect, 86, 43);
  if (g.StageNo == 100) DrawDigit(p, 1, kHundredsX);
  if (g.StageNo > 9) DrawDigit(p, (g.StageNo % 100) / 10, kTensX);
  DrawDigit(p, g.StageNo % 10, kUnitsX);
  DrawFixed(p, Picture5, kFloorLabelRect, 128, kDigitY);
}

}  // namespace rara3
