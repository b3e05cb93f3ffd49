// Each scene's layers, drawn from the state as the frame step left it.
#pragma once

#include "core/platform.h"
#include "game/game_state.h"

namespace rara3 {

void DrawTitleLayers(const GameState& g, Display& d);
void DrawIdleLayers(const GameState& g, Display& d);
void DrawWalkLayers(const GameState& g, Display& d);
void DrawPushLayers(const GameState& g, Display& d);
// Stage clear: the cheer by ClearTick.
void DrawClearLayers(const GameState& g, Display& d);
// Retire: the collapse by RetireTick.
void DrawRetireLayers(const GameState& g, Display& d);
// Ending: the picture of each of its eight phases.
void DrawEndingLayers(const GameState& g, Display& d);
void DrawEditorLayers(const GameState& g, Display& d);

}  // namespace rara3
