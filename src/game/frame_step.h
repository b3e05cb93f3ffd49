// The frame's clock: what a frame changes in the game, on both sides of its
// picture. The loop pass runs StepBeforeDraw, draws the state, flips, then
// runs StepAfterFlip; the drawing itself changes nothing.
#pragma once

#include "core/platform.h"
#include "game/game_state.h"

namespace rara3 {

// Before drawing: the frame's direction, the effects that start with this
// frame, the pairing flicker's random picks and the cell the pushed box
// changes in the middle of the board pass. False when no frame is drawn:
// before the main loop has started, or for an unknown scene.
bool StepBeforeDraw(GameState& g, Audio& audio);

// After the flip: the glow, the walk, the push (slide, event, pose), the
// clear, retire and ending counters, and the scene changes when a walk or a
// push has shown its last picture.
void StepAfterFlip(GameState& g);

}  // namespace rara3
