// The play view shared by every board scene: the floor, then the board pass
// with a scene's own rule for the player's and the exit's cells.
#pragma once

#include <cstdint>

#include "core/platform.h"
#include "game/frame_view.h"
#include "game/game_state.h"

namespace rara3 {

// Top-left corner of cell (x, y) on the screen.
constexpr int32_t CellLeft(int32_t x) { return 80 + kCellPixels * x; }
constexpr int32_t CellTop(int32_t y) { return kCellPixels * y; }
// Object tiles stand on their cell and reach 12 px into the cell above.
constexpr int32_t TileTop(int32_t y) { return CellTop(y) - 12; }
// Where the larger pictures sit against their cell's top-left corner: the
// 89-px player frame centred on the cell with its feet 12 px below it, the
// exit glow standing on the cell, the explosion over the box it destroys.
constexpr int32_t kPlayerDX = -32;
constexpr int32_t kPlayerDY = -44;
constexpr int32_t kGlowDX = -7;
constexpr int32_t kGlowDY = -64;
constexpr int32_t kBlastDX = -15;
constexpr int32_t kBlastDY = -30;

void DrawFloor(const GameState& g, Display& d);

// A scene's rule for one cell: returns true when it has drawn the cell
// itself; otherwise the cell gets its object tile (kinds 1 to 8) or nothing.
using CellRule = bool (*)(const GameState& g, Display& d, int32_t x, int32_t y, int32_t kind);

// Rows top to bottom, each row left to right, so lower rows cover the
// overhang of the rows above. A cell that shows the exit glow gets it
// first, each glow one step on from the one before; then the rule.
void DrawBoard(const GameState& g, Display& d, CellRule rule);

// Object tile of kSheetTiles column `column` on cell (x, y), clipped.
void DrawTile(const GameState& g, Display& d, int32_t column, int32_t x, int32_t y);
// A kSheetPlayer frame of the player on cell (x, y), moved by (dx, dy) pixels.
void DrawPlayerSprite(Display& d, const Rect& src, int32_t x, int32_t y, int32_t dx = 0,
                      int32_t dy = 0);
void DrawStandingPlayer(const GameState& g, Display& d, int32_t x, int32_t y);

}  // namespace rara3
