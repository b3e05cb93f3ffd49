#include "render/render_frame.h"

namespace rara3 {

void RenderFrame(GameState& g, Platform& p) {
  if (!g.LoopStarted) return;
  if (g.Scene < SceneTitle || g.Scene > SceneEditor) return;
  g.DirIndex = g.Facing / 2 - 1;
  const Rect whole{0, 0, 640, 480};
  p.display.BltFast(0, 0, 0, whole, false);
  p.display.Flip();
}

}  // namespace rara3
