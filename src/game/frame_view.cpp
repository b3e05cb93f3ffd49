#include "game/frame_view.h"

#include <algorithm>

namespace rara3 {

int32_t FrameDir(const GameState& g) { return g.DirIndex >= 0 && g.DirIndex <= 3 ? g.DirIndex : 0; }

int32_t ColorRow(const GameState& g) { return g.AltColors != 0 ? 1 : 0; }

int32_t FramesPerStep(const GameState& g) { return std::max<int32_t>(1, g.StepFrames); }

bool OpenExitAt(const GameState& g, int32_t x, int32_t y) {
  return g.ExitOpen && x == g.ExitX && y == g.ExitY;
}

BoxPart BoxPartOf(const GameState& g) {
  if (!g.SlideDone) return BoxPart::Slide;
  if (!g.EventDone) return BoxPart::Event;
  return BoxPart::Rest;
}

int32_t KindInPass(const GameState& g, int32_t x, int32_t y) {
  const PassCellChange& c = g.PassChange;
  if (c.active && x == c.x && y == c.y && (y > c.fromY || (y == c.fromY && x > c.fromX))) {
    return c.kind;
  }
  return g.Map[x][y];
}

bool ShowsExitGlow(const GameState& g, int32_t x, int32_t y, int32_t kind) {
  switch (g.Scene) {
    case SceneClear:
      return kind == KindPlayer;  // the player stands on the exit
    case ScenePush:
      if (x == g.TargetX && y == g.TargetY) return false;  // the box's own cell
      [[fallthrough]];
    case SceneIdle:
    case SceneWalk:
    case SceneRetire:
      return kind == KindExit || (kind == KindPlayer && OpenExitAt(g, x, y));
    default:
      return false;
  }
}

int32_t GlowsInPass(const GameState& g) {
  if (g.Scene != SceneIdle && g.Scene != SceneWalk && g.Scene != ScenePush &&
      g.Scene != SceneClear && g.Scene != SceneRetire) {
    return 0;
  }
  int32_t n = 0;
  for (int32_t y = 0; y < kBoardSize; ++y) {
    for (int32_t x = 0; x < kBoardSize; ++x) n += ShowsExitGlow(g, x, y, KindInPass(g, x, y));
  }
  return n;
}

}  // namespace rara3
