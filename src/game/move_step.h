// The timer tick and its move: the keyboard poll, and the move the held
// arrows or the replay ask for.
#pragma once

#include <cstdint>

#include "core/platform.h"
#include "game/game_state.h"

namespace rara3 {

// One 10 ms tick: the tune's keep-alive, the keyboard poll, then
// StartNextMove when the player stands idle and an arrow is held (or a
// replay drives).
void HandleTimerTick(GameState& g, Platform& p);
void PollKeyboard(GameState& g, Keyboard& keyboard);
// Direction from the replay or the held arrows (down, left, right, up),
// the code recorded, then the move resolved.
void StartNextMove(GameState& g);
// Acts on the cell in front of the player in Facing: walk, push or nothing.
void ResolveMove(GameState& g);
// Hands a prepared push to the push scene.
void StartPush(GameState& g);

}  // namespace rara3
