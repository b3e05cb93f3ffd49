// The road between stages: selection on the title, stage and replay start,
// the continuation after a clear with its progress write, the retire.
#pragma once

#include <cstdint>

#include "core/platform.h"
#include "game/game_state.h"

namespace rara3 {

// Up and Down on the title, within 1..MaxStage and 1..100.
void SelectNextStage(GameState& g);
void SelectPreviousStage(GameState& g);
// Enter on the title: a recorded play of StageNo.
void StartStage(GameState& g, Platform& p);
// Ctrl+Shift+F11 on the title: the replay file of StageNo drives the player.
void StartReplay(GameState& g, Platform& p);
// Enter on the clear screen once the cheering has run.
void ContinueAfterClear(GameState& g, Platform& p);
// Writes MaxStage as the progress byte; a failure is reported and the game
// goes on.
bool WriteProgressByte(GameState& g, Platform& p);
// Esc on the retire screen once the collapse has run.
void LeaveRetire(GameState& g);

}  // namespace rara3
