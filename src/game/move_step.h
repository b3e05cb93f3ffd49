// The timer tick's steps: the music keep-alive, the keyboard poll and the
// move step that walks or pushes.
#pragma once

#include <cstdint>

#include "core/platform.h"
#include "game/game_state.h"

namespace rara3 {

void TuneKeepAlive(GameState& g, Platform& p);
void PollKeyboard(GameState& g, Platform& p);
// Direction from the replay or the held arrows (down, left, right, up),
// the code recorded, then the move resolved.
void StartNextMove(GameState& g);
// Acts on the cell in front of the player in Facing: walk, push or nothing.
void ResolveMove(GameState& g);
// Hands a prepared push to the push scene.
void StartPush(GameState& g);

}  // namespace rara3
