// Each scene's layers, drawn from the state as the frame step left it; one
// file per scene, named in each section. DrawFrame (render_frame.cpp) picks
// the scene's.
#pragma once

#include "core/platform.h"
#include "game/game_state.h"

namespace rara3 {

// title_frame.cpp: the title picture, logo and the selected stage's number.
void DrawTitleLayers(const GameState& g, Display& d);
// idle_frame.cpp: the board with the player standing.
void DrawIdleLayers(const GameState& g, Display& d);
// walk_frame.cpp: the board with the player between two cells.
void DrawWalkLayers(const GameState& g, Display& d);
// push_frame.cpp: the player's push pose and the box's slide and event.
void DrawPushLayers(const GameState& g, Display& d);
// clear_frame.cpp: the stage clear, the cheer by ClearTick.
void DrawClearLayers(const GameState& g, Display& d);
// retire_frame.cpp: the collapse by RetireTick.
void DrawRetireLayers(const GameState& g, Display& d);
// ending_frame.cpp: the picture of each of the ending's eight phases.
void DrawEndingLayers(const GameState& g, Display& d);
// editor_frame.cpp: the board as stored, the markers and the cursor.
void DrawEditorLayers(const GameState& g, Display& d);

}  // namespace rara3
