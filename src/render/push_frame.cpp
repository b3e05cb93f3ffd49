// The push frame: the player's push pose, and the pushed box's part: the
// slide, the event of its kind at the stop, or the box resting there.
#include <algorithm>

#include "render/blit.h"
#include "render/clip_to_view.h"
#include "render/play_view.h"
#include "render/scene_frames.h"
#include "core/sheets.h"

namespace rara3 {

namespace {

// The box's tiles are drawn at their position without clipping; with the
// board's outer ring they always lie inside the view. A board without the
// ring can put them in row 0, half above the screen: there they are clipped
// like every other piece. A column beyond the box tiles draws nothing.
void DrawBoxAt(Display& d, int32_t column, int32_t row, int32_t x, int32_t y) {
  if (column < 0 || column >= kBoxColumns) return;
  const Rect src = TileRect(column, row);
  if (x >= 0 && y >= 0 && x + kTileW <= kViewRight && y + kTileH <= kViewBottom) {
    DrawFixed(d, kSheetTiles, src, x, y);
  } else {
    DrawClipped(d, kSheetTiles, src, x, y);
  }
}

// A box tile on a cell; a cell beyond the grid is never drawn.
void DrawBoxOnCell(Display& d, int32_t column, int32_t row, int32_t x, int32_t y) {
  if (!InGrid(x, y)) return;
  DrawBoxAt(d, column, row, CellLeft(x), TileTop(y));
}

// The copy and bomb events draw the box at its stop and the box it hit;
// pushing up, the hit box (the upper one) goes first so the lower covers it.
void DrawStopAndHit(const GameState& g, Display& d, int32_t stopColumn, int32_t hitColumn) {
  const int32_t row = ColorRow(g);
  const bool hitFirst = FrameDir(g) == 3;
  if (hitFirst) DrawBoxOnCell(d, hitColumn, row, g.HitX, g.HitY);
  DrawBoxOnCell(d, stopColumn, row, g.SlideEndX, g.SlideEndY);
  if (!hitFirst) DrawBoxOnCell(d, hitColumn, row, g.HitX, g.HitY);
}

void DrawSlidingBox(const GameState& g, Display& d) {
  const int32_t dir = FrameDir(g);
  const int32_t x = CellLeft(g.TargetX) + kDirDX[dir] * g.push.SlideOffset;
  const int32_t y = TileTop(g.TargetY) + kDirDY[dir] * g.push.SlideOffset;
  DrawBoxAt(d, g.PushKind - 1, ColorRow(g), x, y);
}

void DrawEvent(const GameState& g, Display& d) {
  switch (g.PushKind) {
    case KindPairBox:
      DrawBoxOnCell(d, g.frame.FlickerColumn, g.frame.FlickerRow, g.SlideEndX, g.SlideEndY);
      return;
    case KindVanishBox:
      // Shown 8 frames, hidden 8, four times.
      if ((g.push.VanishTick / 8) % 2 == 0) {
        DrawBoxOnCell(d, KindVanishBox - 1, ColorRow(g), g.SlideEndX, g.SlideEndY);
      }
      return;
    case KindSlideBox:
      DrawBoxOnCell(d, KindSlideBox - 1, ColorRow(g), g.SlideEndX, g.SlideEndY);
      return;
    case KindCopyBox: {
      // Both boxes step together through the eight colours, 12 frames each.
      const int32_t column = std::clamp<int32_t>(g.push.CopyTick / 12, 0, kBoxColumns - 1);
      DrawStopAndHit(g, d, column, column);
      return;
    }
    case KindBombBox:
      // Twelve explosion pictures of 6 frames each over the destroyed box.
      DrawStopAndHit(g, d, KindBombBox - 1, g.HitKind - 1);
      if (InGrid(g.HitX, g.HitY)) {
        const int32_t f = std::clamp<int32_t>(g.push.BlastTick / 6, 0, kBlastFrames - 1);
        DrawClipped(d, kSheetBlast, BlastRect(f), CellLeft(g.HitX) + kBlastDX,
                    CellTop(g.HitY) + kBlastDY);
      }
      return;
    default:
      return;  // no event for this kind
  }
}

void DrawRestingBox(const GameState& g, Display& d) {
  const int32_t kind = RestingKind(g.PushKind, g.HitKind);
  if (!IsBoxKind(kind)) return;
  DrawBoxOnCell(d, kind - 1, ColorRow(g), g.SlideEndX, g.SlideEndY);
}

void DrawPushedBox(const GameState& g, Display& d) {
  switch (BoxPartOf(g)) {
    case BoxPart::Slide: DrawSlidingBox(g, d); return;
    case BoxPart::Event: DrawEvent(g, d); return;
    case BoxPart::Rest: DrawRestingBox(g, d); return;
  }
}

// The push pose's picture while it runs, then the player standing.
Rect PushPlayerRect(const GameState& g) {
  const int32_t dir = FrameDir(g);
  if (g.push.PushPoseDone) return StandRect(dir);
  const int32_t f = std::clamp<int32_t>(g.pace.AnimStep / FramesPerStep(g), 0, kPushFrames - 1);
  return PushPoseRect(dir, f);
}

bool PushCell(const GameState& g, Display& d, int32_t x, int32_t y, int32_t kind) {
  if (x == g.TargetX && y == g.TargetY) {
    DrawPushedBox(g, d);
    return true;
  }
  if (kind == KindExit) return true;
  if (kind == KindPlayer) {
    DrawPlayerSprite(d, PushPlayerRect(g), x, y);
    return true;
  }
  return false;
}

}  // namespace

void DrawPushLayers(const GameState& g, Display& d) {
  DrawFloor(g, d);
  DrawBoard(g, d, PushCell);
  // The box always starts inside the grid; should it not, it is drawn after
  // the board and the push still runs to its end rather than hang.
  if (!InGrid(g.TargetX, g.TargetY)) DrawPushedBox(g, d);
}

}  // namespace rara3
