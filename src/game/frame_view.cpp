#include "game/frame_view.h"

#include <algorithm>

namespace rara3 {

int32_t FrameDir(const GameState& g) { return g.frame.DirIndex >= 0 && g.frame.DirIndex <= 3 ? g.frame.DirIndex : 0; }

int32_t FramesPerStep(const GameState& g) { return std::max<int32_t>(1, g.switches.StepFrames); }

BoxPart BoxPartOf(const GameState& g) {
  if (!g.push.SlideDone) return BoxPart::Slide;
  if (!g.push.EventDone) return BoxPart::Event;
  return BoxPart::Rest;
}

int32_t GlowsInPass(const GameState& g) {
  if (g.flow.Scene != SceneIdle && g.flow.Scene != SceneWalk && g.flow.Scene != ScenePush &&
      g.flow.Scene != SceneClear && g.flow.Scene != SceneRetire) {
    return 0;
  }
  // Only exit and player cells can glow, a cell or two of the board: a
  // count of them a column at a time (a loop the compiler turns into a few
  // wide compares), and a closer look only where the count finds one.
  static_assert(KindExit == KindPlayer + 1);
  int32_t n = 0;
  for (int32_t x = 0; x < kBoardSize; ++x) {
    const int32_t* column = g.Map[x];
    int32_t candidates = 0;
    for (int32_t y = 0; y < kBoardSize; ++y)
      candidates += static_cast<uint32_t>(column[y]) - static_cast<uint32_t>(KindPlayer) <= 1u;
    if (candidates == 0) continue;
    for (int32_t y = 0; y < kBoardSize; ++y) {
      if (column[y] != KindExit && column[y] != KindPlayer) continue;
      n += ShowsExitGlow(g, x, y, KindInPass(g, x, y));
    }
  }
  // The cell changed mid-pass may show a glow its board kind does not.
  const PassCellChange& c = g.frame.PassChange;
  if (c.active && InGrid(c.x, c.y) && g.Map[c.x][c.y] != KindExit && g.Map[c.x][c.y] != KindPlayer) {
    n += ShowsExitGlow(g, c.x, c.y, KindInPass(g, c.x, c.y));
  }
  return n;
}

}  // namespace rara3
