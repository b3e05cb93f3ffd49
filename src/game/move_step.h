// The timer tick and its move: the keyboard poll, and the move the held
// arrows or the replay ask for.
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

// The bit of an arrow in GameState::HeldArrows: its place in the order.
constexpr uint8_t HeldBit(int32_t facing) {
  for (int i = 0; i < 4; ++i)
    if (kArrowPriority[i].facing == facing) return static_cast<uint8_t>(1u << i);
  return 0;
}

// One 10 ms tick: the tune's keep-alive, the keyboard poll, then, when the
// player stands idle, a kept tap, a held arrow (or the replay) or the next
// step of a pointer's walk.
void HandleTimerTick(GameState& g, Platform& p);
// The keyboard's state reduced to the arrows held, into HeldArrows.
void PollKeyboard(GameState& g, Keyboard& keyboard);
// Direction from the replay or the held arrows (down, left, right, up),
// the move resolved, and a move that walks or pushes noted.
void StartNextMove(GameState& g);
// The move an arrow of this facing makes: resolved, and noted when it
// walks or pushes.
void MoveInFacing(GameState& g, int32_t facing);
// Acts on the cell in front of the player in Facing: walk, push or nothing.
MoveKind ResolveMove(GameState& g);
// Hands a prepared push to the push scene.
void StartPush(GameState& g);

}  // namespace rara3
