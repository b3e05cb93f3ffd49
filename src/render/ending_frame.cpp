#include "render/blit.h"
#include "render/scene_frames.h"
#include "core/sheets.h"

namespace rara3 {

namespace {

constexpr int32_t kPortraitX = 271;
constexpr int32_t kPortraitY = 154;

void DrawPortrait(Display& d, int32_t frame) {
  DrawFixed(d, kSheetPortrait, PortraitRect(frame), kPortraitX, kPortraitY);
}

}  // namespace

void DrawEndingLayers(const GameState& g, Display& d) {
  switch (g.pace.EndingPhase) {
    case 1:
    case 3:
    case 5:
      DrawPortrait(d, 0);
      break;
    case 2:
    case 4:
    case 6:
      DrawPortrait(d, 1);
      break;
    case kEndingLastPhase:
      DrawPortrait(d, 0);
      DrawFixed(d, kSheetLettering, kBannerRect, 37, 360);
      break;
    default:
      break;  // phase 0 is black; nothing for any other value
  }
}

}  // namespace rara3
