#include "render/blit.h"
#include "render/scene_frames.h"
#include "core/sheets.h"

namespace rara3 {

namespace {

void AdvanceEnding(GameState& g, Platform& p);

constexpr int32_t kPortraitX = 271;
constexpr int32_t kPortraitY = 154;

void DrawPortrait(Platform& p, int32_t frame) {
  DrawFixed(p, Picture8, PortraitRect(frame), kPortraitX, kPortraitY);
}

}  // namespace

void DrawEndingLayers(GameState& g, Platform& p) {
  switch (g.EndingPhase) {
    case 1:
    case 3:
    case 5:
      DrawPortrait(p, 0);
      break;
    case 2:
    case 4:
    case 6:
      DrawPortrait(p, 1);
      break;
    case kEndingLastPhase:
      DrawPortrait(p, 0);
      DrawFixed(p, Picture5, kBannerRect, 37, 360);
      break;
    default:
      break;  // phase 0 is black; nothing for any other value
  }
  AdvanceEnding(g, p);
}

namespace {

void AdvanceEnding(GameState& g, Platform& p) {
  const int32_t phase = g.EndingPhase;
  if (phase < 0 || phase >= kEndingLastPhase) return;
  g.EndingTick += 1;
  if (g.EndingTick >= kEndingPhaseFrames[phase]) {
    g.EndingTick = 0;
    g.EndingPhase = phase + 1;
  }
  // The portrait's voice belongs to the ending itself: it plays even with
  // effects switched off.
  if (phase == 1 && g.EndingTick == 0) p.audio.PlaySfx(Effect::Ending);
}

}  // namespace

}  // namespace rara3
