// The stage editor's logic: the cursor, placing cells, saving.
#pragma once

#include <cstdint>

#include "core/platform.h"
#include "game/game_state.h"

namespace rara3 {

// An arrow key in the editor: TargetX/TargetY get the next position, the
// cursor takes it when it lies on the board.
void MoveEditorCursor(GameState& g, int16_t keyCode);
// Writes a kind into the cell under the cursor.
void PlaceCell(GameState& g, int32_t kind);
// Writes Map into stage StageNo of the data file and into its export file.
// A failure is reported and returns false; the caller keeps the editor open.
bool SaveEditedStage(GameState& g, Platform& p);

}  // namespace rara3
