// The stage editor's logic: the cursor and placing cells; the save is file
// work (game/file_work.h).
#pragma once

#include <cstdint>
#include <string>

#include "core/platform.h"
#include "game/game_state.h"

namespace rara3 {

// An arrow key in the editor: TargetX/TargetY get the next position, the
// cursor takes it when it lies on the board.
void MoveEditorCursor(GameState& g, int16_t keyCode);
// Writes a kind into the cell under the cursor.
void PlaceCell(GameState& g, int32_t kind);

}  // namespace rara3
