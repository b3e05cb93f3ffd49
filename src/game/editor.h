// The stage editor's logic: the cursor, placing cells, saving.
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
// Writes Map into stage StageNo of the data file and into its export file.
// A failure is reported and returns false; the caller keeps the editor
// open. afterFailure ends the notice when the stage itself was not saved.
bool SaveEditedStage(GameState& g, Platform& p, const std::string& afterFailure = "");
// True when Map differs from stage StageNo as the data file holds it (or
// the stage cannot be read to tell).
bool EditorHasUnsavedEdits(GameState& g, Platform& p);

}  // namespace rara3
