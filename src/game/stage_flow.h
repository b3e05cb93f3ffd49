// The road between stages: selection on the title, stage and replay start,
// the continuation after a clear, the retire and the ending.
#pragma once

#include <cstdint>

#include "core/platform.h"
#include "game/game_state.h"

namespace rara3 {

// Up and Down on the title, within 1..MaxStage and 1..100.
void SelectNextStage(GameState& g);
void SelectPreviousStage(GameState& g);
// These ask for their file work (game/file_work.h); the key handler
// carries it out before it returns.
// Enter on the title: a recorded play of StageNo.
void StartStage(GameState& g);
// Ctrl+Shift+F11 on the title: the replay file of StageNo drives the player.
void StartReplay(GameState& g);
// Enter on the clear screen once the cheering has run: the clear kept
// (KeepClear), then the next stage (or the ending).
void ContinueAfterClear(GameState& g, Audio& audio);
// On the clear screen of a played (not replayed) floor: asks for the
// replay file when this clear is the floor's best and for the raised
// progress when it was the highest floor open. Nothing in other scenes.
void KeepClear(GameState& g);
// This clear has no more moves than the best one kept (or none is kept).
bool ClearIsBest(const GameState& g);
// Ctrl+Shift+F7 on the title, and the clear of stage 100: the tune stops.
void StartEnding(GameState& g, Audio& audio);
// Esc in the idle scene: the collapse, with its sound.
void Retire(GameState& g, Audio& audio);
// Esc on the retire screen once the collapse has run.
void LeaveRetire(GameState& g);

}  // namespace rara3
