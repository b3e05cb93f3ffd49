#include "render/blit.h"
#include "render/play_view.h"
#include "render/scene_frames.h"
#include "core/sheets.h"

namespace rara3 {

namespace {

// Flat markers for the start and the exit instead of their sprites.
bool EditorCell(const GameState&, Display& d, int32_t x, int32_t y, int32_t kind) {
  if (kind == KindPlayer) {
    DrawClipped(d, kSheetTiles, kStartMarkerRect, CellLeft(x), TileTop(y));
    return true;
  }
  if (kind == KindExit) {
    DrawClipped(d, kSheetTiles, kExitMarkerRect, CellLeft(x), TileTop(y));
    return true;
  }
  return false;
}

}  // namespace

void DrawEditorLayers(const GameState& g, Display& d) {
  DrawFloor(g, d);
  DrawBoard(g, d, EditorCell);
  // Last, so nothing ever covers the cursor.
  DrawClipped(d, kSheetTiles, kCursorRect, CellLeft(g.PlayerX), TileTop(g.PlayerY));
}

}  // namespace rara3
