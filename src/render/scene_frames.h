// Each scene's part of a frame. RenderFrame runs them in the frame's order:
// the one-shot effects, the clear, the layers, the flip, then the work that
// follows the picture. The state changes are small named steps so the rules
// and the tests can use them on their own.
#pragma once

#include <cstdint>

#include "game/game_state.h"
#include "core/platform.h"

namespace rara3 {

// Title.
void DrawTitleLayers(GameState& g, Platform& p);

// Idle.
void DrawIdleLayers(GameState& g, Platform& p);

// Walk: one step of 4 px every StepFrames frames, six steps a cell.
constexpr int32_t kWalkSteps = 6;
void DrawWalkLayers(GameState& g, Platform& p);
// After the flip: counts the frame, steps the walk cycle, ends the walk.
void StepWalk(GameState& g);
// The walk's sixth step: the player stands on the target; idle, or the
// stage clear when that is the open exit.
void FinishWalk(GameState& g);

// Push.
constexpr int32_t kSlideSpeed = 8;
constexpr int32_t kPairFrames = 96;
constexpr int32_t kCopyFrames = 96;
constexpr int32_t kVanishFrames = 64;
constexpr int32_t kBlastFrameTicks = 72;
void StartPushSfx(GameState& g, Platform& p);
void DrawPushLayers(GameState& g, Platform& p);
// The box's part of the board pass: the slide, its event or the resting box.
void PushStep(GameState& g, Platform& p);
void AdvancePushPose(GameState& g);
// The box reaches its stop: the kind's slide-end rule decides whether an
// event follows.
void EndSlide(GameState& g);
bool PushFinished(const GameState& g);
// After the flip of the frame in which pose, slide and event are done.
void FinishPush(GameState& g);
// A copy box that has become a pair box beside a pair box pairs next.
void HandOverToPairing(GameState& g);

// Stage clear: the cheer runs to kClearHold and holds.
void StartClearSfx(GameState& g, Platform& p);
void DrawClearLayers(GameState& g, Platform& p);
void AdvanceClearTick(GameState& g);

// Retire: the collapse runs to kRetireHold and holds.
void DrawRetireLayers(GameState& g, Platform& p);
void AdvanceRetireTick(GameState& g);

// Ending: eight phases counted in frames (kEndingPhaseFrames); the last one
// holds.
void DrawEndingLayers(GameState& g, Platform& p);
// Counts the frame; effect 9 starts as phase 1 ends, with sound on or off.
void AdvanceEnding(GameState& g, Platform& p);

// Editor.
void DrawEditorLayers(GameState& g, Platform& p);

}  // namespace rara3
