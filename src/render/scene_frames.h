// Each scene's part of a frame. RenderFrame runs them in the frame's order:
// the one-shot effects, the clear, the layers, the flip, then the work that
// follows the picture.
#pragma once

#include <cstdint>

#include "game/game_state.h"
#include "core/platform.h"

namespace rara3 {

// Title.
void DrawTitleLayers(GameState& g, Platform& p);

// Idle.
void DrawIdleLayers(GameState& g, Platform& p);

// Walk.
void DrawWalkLayers(GameState& g, Platform& p);
// After the flip: counts the frame, steps the walk cycle, ends the walk.
void StepWalk(GameState& g);

// Push.
void StartPushSfx(GameState& g, Platform& p);
void DrawPushLayers(GameState& g, Platform& p);
bool PushFinished(const GameState& g);
// After the flip of the frame in which pose, slide and event are done.
void FinishPush(GameState& g);

// Stage clear: the cheer runs to kClearHold and holds.
void StartClearSfx(GameState& g, Platform& p);
void DrawClearLayers(GameState& g, Platform& p);

// Retire: the collapse runs to kRetireHold and holds.
void DrawRetireLayers(GameState& g, Platform& p);

// Ending: eight phases counted in frames (kEndingPhaseFrames); the last one
// holds.
void DrawEndingLayers(GameState& g, Platform& p);

// Editor.
void DrawEditorLayers(GameState& g, Platform& p);

}  // namespace rara3
