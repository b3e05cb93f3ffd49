#include "render/hint_mark.h"

#include "core/sheets.h"
#include "render/blit.h"
#include "render/play_view.h"

namespace rara3 {

namespace {

// On for 20 frames, off for 10, starting on.
constexpr int32_t kBlinkPeriod = 30;
constexpr int32_t kBlinkOn = 20;

void Dot(Display& d, int32_t x, int32_t y) { DrawClipped(d, kHintBrushSheet, kHintBrushRect, x, y); }

// The tile's outline: the box stands on its cell and reaches 12 px above it.
void Frame(Display& d, int32_t left, int32_t top) {
  constexpr int32_t w = kTileW + 2;
  constexpr int32_t h = kTileH + 2;
  for (int32_t i = 0; i < w; i += 2) {
    Dot(d, left - 2 + i, top - 2);
    Dot(d, left - 2 + i, top + h - 2);
  }
  for (int32_t i = 0; i < h; i += 2) {
    Dot(d, left - 2, top - 2 + i);
    Dot(d, left + w - 2, top - 2 + i);
  }
}

// From the box's edge into the next cell, the head at its far end.
void Arrow(Display& d, int32_t cx, int32_t cy, int32_t dx, int32_t dy) {
  constexpr int32_t kFrom = 15;
  constexpr int32_t kTo = 34;
  constexpr int32_t kWing = 7;
  for (int32_t t = kFrom; t <= kTo; t += 1) Dot(d, cx + t * dx, cy + t * dy);
  for (int32_t k = 1; k <= kWing; ++k) {
    const int32_t t = kTo - k;
    // The side directions of (dx, dy) are (dy, dx) and (-dy, -dx).
    Dot(d, cx + t * dx + k * dy, cy + t * dy + k * dx);
    Dot(d, cx + t * dx - k * dy, cy + t * dy - k * dx);
  }
}

}  // namespace

void DrawHintMark(const GameState& g, Display& d) {
  const HintMark& m = g.Help.Hint;
  if (m.FramesLeft <= 0 || (kHintFrames - m.FramesLeft) % kBlinkPeriod >= kBlinkOn) return;
  if (!InGrid(m.BoxX, m.BoxY)) return;
  const int32_t left = CellLeft(m.BoxX);
  const int32_t top = TileTop(m.BoxY);
  Frame(d, left, top);
  if (m.Facing == 0) return;  // the way out is a walk to the exit
  const int32_t dir = DirIndexOf(m.Facing);
  // The middle of the tile, less the dot's own size.
  Arrow(d, left + kTileW / 2 - 1, top + kTileH / 2 - 1, kDirDX[dir], kDirDY[dir]);
}

}  // namespace rara3
