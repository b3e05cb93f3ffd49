// The timer tick's steps: the music keep-alive, the keyboard poll and the
// move step that walks or pushes.
#pragma once

#include <cstdint>

#include "core/keys.h"
#include "core/platform.h"
#include "game/game_state.h"

namespace rara3 {

// An arrow: its held scan code, key-down code, facing and recorded code.
struct Arrow {
  int keyStateIndex;
  int16_t keyCode;
  int32_t facing;
  int32_t moveCode;
};

// Several arrows held at once resolve by this order alone.
constexpr Arrow kArrowPriority[4] = {
    {KeyStateDown, KeyDown, FacingDown, MoveCodeDown},
    {KeyStateLeft, KeyLeft, FacingLeft, MoveCodeLeft},
    {KeyStateRight, KeyRight, FacingRight, MoveCodeRight},
    {KeyStateUp, KeyUp, FacingUp, MoveCodeUp},
};

void TuneKeepAlive(GameState& g, Platform& p);
void PollKeyboard(GameState& g, Platform& p);
// Direction from the replay or the held arrows (down, left, right, up),
// the move resolved, and a move that walks or pushes recorded.
void StartNextMove(GameState& g);
// The move an arrow of this facing makes: recorded, then resolved.
void MoveInFacing(GameState& g, int32_t facing);
// Acts on the cell in front of the player in Facing: walk, push or nothing.
MoveKind ResolveMove(GameState& g);
// Hands a prepared push to the push scene.
void StartPush(GameState& g);

}  // namespace rara3
