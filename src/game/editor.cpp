// The editor's logic: the cursor and placing kinds. Saving is file work
// (game/file_work.h).
#include "game/editor.h"

#include "core/keys.h"

namespace rara3 {

void MoveEditorCursor(GameState& g, int16_t keyCode) {
  int32_t x = g.PlayerX;
  int32_t y = g.PlayerY;
  switch (keyCode) {
    case KeyLeft: --x; break;
    case KeyRight: ++x; break;
    case KeyUp: --y; break;
    case KeyDown: ++y; break;
    default: return;
  }
  // The refused position is kept in Target too.
  g.TargetX = x;
  g.TargetY = y;
  if (InGrid(x, y)) {
    g.PlayerX = x;
    g.PlayerY = y;
  }
}

void PlaceCell(GameState& g, int32_t kind) { SetCell(g, g.PlayerX, g.PlayerY, kind); }

}  // namespace rara3
