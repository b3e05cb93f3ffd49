// Taking back moves and starting the stage again, in the idle scene. The
// earlier board is never stored: it is played again from the stage's start
// through the pure rules, with the moves of the undo history that remain.
#pragma once

#include <cstdint>

#include "core/platform.h"
#include "game/game_state.h"

namespace rara3 {

// The board as the stage starts, kept when a stage is loaded for play; the
// undo history and the record start empty.
void KeepStageStart(GameState& g);

// The facing a move code turns to; any other code keeps `facing`, as in a
// replay.
int32_t FacingOfMoveCode(int32_t code, int32_t facing);

// A move that walked or pushed, just resolved in the facing it went: into
// the undo history, and into the record while it has room.
void NoteMove(GameState& g, int32_t facingBefore, bool push);

// Backspace, Z or U: the last walk or push taken back, however many moves
// came before it. Board, player, facing and exit become what they were
// before it; it leaves the history and the record, so the replay written at
// the clear holds only the path that cleared. With no move left, turns in
// place are undone back to the stage's start. Only in the idle scene and
// not during a replay; false when nothing was taken back.
bool TakeBackMove(GameState& g, Audio& audio);

// R: the stage again from its start, recorded afresh. Same conditions.
bool RestartStage(GameState& g);

// The board after the first count moves of the undo history: what
// TakeBackMove builds on, for tests and benchmarks.
Board ReplayHistory(const GameState& g, int32_t count);

}  // namespace rara3
