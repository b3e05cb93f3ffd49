// The game's control: the key handler of every scene, the timer tick with
// its move step, stage loading, the flow between stages, recording and
// replay, the editor and the toggles. All of it works on one GameState and
// reaches the machine only through Platform.
#pragma once

#include <cstdint>
#include <string>

#include "game/game_state.h"
#include "core/keys.h"
#include "core/platform.h"

namespace rara3 {

// --- Window events (called by the main loop) ---

// One key-down event, auto-repeats included. modifierMask: 1 Shift,
// 2 Ctrl, 4 Alt.
void Form_KeyDown(GameState& g, Platform& p, int16_t keyCode, int16_t modifierMask);
// The window became active: the music keep-alive may run from now on.
void Form_Activate(GameState& g);
// The window is being closed, in any scene: ends the program, saves nothing.
void Form_Unload(GameState& g, Platform& p);
// One 10 ms tick: music keep-alive, keyboard poll, then the move step when
// the player stands idle and an arrow is held (or a replay drives).
void Timer1_Timer(GameState& g, Platform& p);

// --- Start-up ---

// Main's preparation: AppDir = programDir with exactly one trailing '/',
// MaxStage from the progress byte of the data file, and the initial values.
// Fails, with a message naming the file, when the data file is missing or
// shorter than it must be; g is then left as it was.
bool PrepareGameState(GameState& g, Files& files, const std::string& programDir,
                      std::string& error);

// --- Ending the program ---

// Esc on the title, a key at the end of the ending: music closed, display
// restored, cursor shown, program ended. Nothing is saved.
void QuitSequence(GameState& g, Platform& p);

// --- Timer steps ---

void TuneKeepAlive(GameState& g, Platform& p);
void PollKeyboard(GameState& g, Platform& p);
// Direction from the replay or the held arrows (down, left, right, up),
// the code recorded, then the move resolved.
void MoveStep(GameState& g);
// Acts on the cell in front of the player in Facing: walk, push or nothing.
void ResolveMove(GameState& g);
// Hands a prepared push to the push scene.
void StartPush(GameState& g);

// --- Stages and the flow between them ---

// Loads stage StageNo for play and enters the idle scene. A stage that
// cannot be read is reported and leaves Map untouched and the game on the
// title; returns false then.
bool LoadStage(GameState& g, Platform& p);
// Loads stage StageNo as stored (exit cells kept) and enters the editor.
bool LoadStageForEditor(GameState& g, Platform& p);

// Up and Down on the title, within 1..MaxStage and 1..100.
void SelectNextStage(GameState& g);
void SelectPreviousStage(GameState& g);
// Enter on the title: a recorded play of StageNo.
void StartStage(GameState& g, Platform& p);
// Ctrl+Shift+F11 on the title: the replay file of StageNo drives the player.
void StartReplay(GameState& g, Platform& p);
// Ctrl+Shift+F7 on the title, and the clear of stage 100.
void StartEnding(GameState& g, Platform& p);
// Enter on the clear screen once the cheering has run.
void ContinueAfterClear(GameState& g, Platform& p);
// Writes MaxStage as the progress byte; a failure is reported and the game
// goes on.
bool WriteProgressByte(GameState& g, Platform& p);
// Esc in the idle scene.
void Retire(GameState& g, Platform& p);
// Esc on the retire screen once the collapse has run.
void LeaveRetire(GameState& g);

// --- Music, sound and the display toggles ---

// Stops the tune if it still plays, then plays it from its start.
void StartTune(Platform& p);
void StopTune(Platform& p);
// M: the tune off, or on from its start; pauseAfterOn holds the program
// 500 ms after switching on (title and editor).
void ToggleMusic(GameState& g, Platform& p, bool pauseAfterOn);
void ToggleSound(GameState& g);
void ToggleColors(GameState& g);
// StepFrames 2 -> 1 -> 3 -> 2: normal, fast, slow.
void CycleSpeed(GameState& g);

// --- Editor ---

// An arrow key in the editor: TargetX/TargetY get the next position, the
// cursor takes it when it lies on the board.
void MoveEditorCursor(GameState& g, int16_t keyCode);
// Writes a kind into the cell under the cursor.
void PlaceCell(GameState& g, int32_t kind);
// Writes Map into stage StageNo of the data file and into its export file.
// A failure is reported and returns false; the caller keeps the editor open.
bool SaveEditedStage(GameState& g, Platform& p);

}  // namespace rara3
