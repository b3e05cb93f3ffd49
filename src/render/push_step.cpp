// The pushed box's part of the push frame: the slide, the event of its kind
// at the stop, or the box resting there until the push ends.
#include <algorithm>

#include "render/blit.h"
#include "render/clip_to_view.h"
#include "render/play_view.h"
#include "render/push_step.h"
#include "render/scene_frames.h"
#include "core/sheets.h"

namespace rara3 {

namespace {

constexpr int32_t kSlideSpeed = 8;
constexpr int32_t kPairFrames = 96;
constexpr int32_t kCopyFrames = 96;
constexpr int32_t kVanishFrames = 64;
constexpr int32_t kBlastFrameTicks = 72;

void EndSlide(GameState& g);

// The box's tiles are drawn at their position without clipping; with the
// board's outer ring they always lie inside the view. A board without the
// ring can put them in row 0, half above the screen: there they are clipped
// like every other piece. A column beyond the box tiles draws nothing.
void DrawBoxAt(Platform& p, int32_t column, int32_t row, int32_t x, int32_t y) {
  if (column < 0 || column >= kBoxColumns) return;
  const Rect src = TileRect(column, row);
  if (x >= 0 && y >= 0 && x + kTileW <= kViewRight && y + kTileH <= kViewBottom) {
    DrawFixed(p, Picture3, src, x, y);
  } else {
    DrawClipped(p, Picture3, src, x, y);
  }
}

// A box tile on a cell; a cell beyond the grid is never drawn.
void DrawBoxOnCell(Platform& p, int32_t column, int32_t row, int32_t x, int32_t y) {
  if (!InGrid(x, y)) return;
  DrawBoxAt(p, column, row, CellLeft(x), TileTop(y));
}

// The copy and bomb events draw the box at its stop and the box it hit;
// pushing up, the hit box (the upper one) goes first so the lower covers it.
void DrawStopAndHit(const GameState& g, Platform& p, int32_t stopColumn, int32_t hitColumn) {
  const int32_t row = ColorRow(g);
  const bool hitFirst = FrameDir(g) == 3;
  if (hitFirst) DrawBoxOnCell(p, hitColumn, row, g.HitX, g.HitY);
  DrawBoxOnCell(p, stopColumn, row, g.SlideEndX, g.SlideEndY);
  if (!hitFirst) DrawBoxOnCell(p, hitColumn, row, g.HitX, g.HitY);
}

void DrawSlidingBox(const GameState& g, Platform& p) {
  const int32_t d = FrameDir(g);
  const int32_t x = CellLeft(g.TargetX) + kDirDX[d] * g.SlideOffset;
  const int32_t y = TileTop(g.TargetY) + kDirDY[d] * g.SlideOffset;
  DrawBoxAt(p, g.PushKind - 1, ColorRow(g), x, y);
}

void AdvanceSlide(GameState& g) {
  g.SlideOffset += kSlideSpeed;
  if (g.SlideOffset >= g.SlideDistance) EndSlide(g);
}

// 96 frames of a randomly coloured box; either colour set.
void PlayPairing(GameState& g, Platform& p) {
  StartSfxOnce(g, p, g.PairSfxDone, Effect::Pairing);
  const auto row = static_cast<int32_t>(NextRandom(g) * 2);
  const auto column = static_cast<int32_t>(NextRandom(g) * kBoxColumns);
  DrawBoxOnCell(p, column, row, g.SlideEndX, g.SlideEndY);
  g.PairTick += 1;
  if (g.PairTick >= kPairFrames) g.EventDone = true;
}

// Shown 8 frames, hidden 8, four times.
void PlayVanishing(GameState& g, Platform& p) {
  StartSfxOnce(g, p, g.VanishSfxDone, Effect::Vanish);
  if ((g.VanishTick / 8) % 2 == 0) {
    DrawBoxOnCell(p, KindVanishBox - 1, ColorRow(g), g.SlideEndX, g.SlideEndY);
  }
  g.VanishTick += 1;
  if (g.VanishTick >= kVanishFrames) g.EventDone = true;
}

void PlaySlideBoxStop(GameState& g, Platform& p) {
  DrawBoxOnCell(p, KindSlideBox - 1, ColorRow(g), g.SlideEndX, g.SlideEndY);
  g.EventDone = true;
}

// Both boxes step together through the eight colours, 12 frames each.
void PlayColourChange(GameState& g, Platform& p) {
  StartSfxOnce(g, p, g.CopySfxDone, Effect::ColourChange);
  const int32_t column = std::clamp<int32_t>(g.CopyTick / 12, 0, kBoxColumns - 1);
  DrawStopAndHit(g, p, column, column);
  g.CopyTick += 1;
  if (g.CopyTick >= kCopyFrames) {
    EndCopyEvent(g);
    g.EventDone = true;
  }
}

// Twelve explosion pictures of 6 frames each over the destroyed box.
void PlayExplosion(GameState& g, Platform& p) {
  StartSfxOnce(g, p, g.BlastSfxDone, Effect::Explosion);
  DrawStopAndHit(g, p, KindBombBox - 1, g.HitKind - 1);
  if (InGrid(g.HitX, g.HitY)) {
    const int32_t f = std::clamp<int32_t>(g.BlastTick / 6, 0, kBlastFrames - 1);
    DrawClipped(p, Picture7, BlastRect(f), CellLeft(g.HitX) + kBlastDX,
                CellTop(g.HitY) + kBlastDY);
  }
  g.BlastTick += 1;
  if (g.BlastTick >= kBlastFrameTicks) g.EventDone = true;
}

void PlayEvent(GameState& g, Platform& p) {
  switch (g.PushKind) {
    case KindPairBox: PlayPairing(g, p); break;
    case KindVanishBox: PlayVanishing(g, p); break;
    case KindSlideBox: PlaySlideBoxStop(g, p); break;
    case KindCopyBox: PlayColourChange(g, p); break;
    case KindBombBox: PlayExplosion(g, p); break;
    default: g.EventDone = true; break;  // no event for this kind
  }
}

void DrawRestingBox(const GameState& g, Platform& p) {
  const int32_t kind = RestingKind(g.PushKind, g.HitKind);
  if (!IsBoxKind(kind)) return;
  DrawBoxOnCell(p, kind - 1, ColorRow(g), g.SlideEndX, g.SlideEndY);
}

void EndSlide(GameState& g) {
  g.SlideDone = true;
  g.EventDone = !ApplySlideEnd(g);
}

}  // namespace

void PushStep(GameState& g, Platform& p) {
  if (!g.SlideDone) {
    DrawSlidingBox(g, p);
    AdvanceSlide(g);
  } else if (!g.EventDone) {
    PlayEvent(g, p);
  } else {
    DrawRestingBox(g, p);
  }
}

}  // namespace rara3
