// Taking back moves and starting the stage again, in the idle scene. The
// earlier board is never stored: it is played again from the stage's start
// through the pure rules, with the recorded moves that remain.
#pragma once

#include <cstdint>

#include "core/platform.h"
#include "game/game_state.h"

namespace rara3 {

// The board as the stage starts, kept when a stage is loaded for play.
void KeepStageStart(GameState& g);

// Backspace, Z or U: the last walk or push taken back, with the turns in
// place after it. Board, player, facing and exit become what they were
// before it; its codes leave the record, so the replay written at the clear
// holds only the path that cleared. With no move left, the stage's start.
// Only in the idle scene and not during a replay; false when nothing was
// taken back.
bool TakeBackMove(GameState& g, Audio& audio);

// R: the stage again from its start, recorded afresh. Same conditions.
bool RestartStage(GameState& g);

// The board after the first count recorded codes, and the index of the
// last of them that walked or pushed (-1 for none): what TakeBackMove
// builds on, for tests and benchmarks.
Board BoardAfterRecord(const GameState& g, int32_t count, int32_t& lastMove);

}  // namespace rara3
