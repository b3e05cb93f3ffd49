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

void DrawDigit(Display& d, int32_t n, int32_t x) {
  if (n < 0 || n > 9) return;
  DrawFixed(d, kSheetLettering, DigitRect(n), x, kDigitY);
}

}  // namespace

void DrawTitleLayers(const GameState& g, Display& d) {
  DrawFixed(d, kSheetTitle, kWholeScreen, 0, 0);
  DrawFixed(d, kSheetLettering, kTitleLogoRect, 86, 43);
  if (g.flow.StageNo == 100) DrawDigit(d, 1, kHundredsX);
  if (g.flow.StageNo > 9) DrawDigit(d, (g.flow.StageNo % 100) / 10, kTensX);
  DrawDigit(d, g.flow.StageNo % 10, kUnitsX);
  DrawFixed(d, kSheetLettering, kFloorLabelRect, 128, kDigitY);
}

}  // namespace rara3
