// The key-down handler: what each key does in each scene, and the two ways
// out of the program that start from the window.
#include "game/scene_keys.h"

#include "core/keys.h"
#include "core/words.h"
#include "game/editor.h"
#include "game/file_work.h"
#include "game/floor_help_step.h"
#include "game/pointer.h"
#include "game/stage_flow.h"
#include "game/toggles.h"
#include "game/undo.h"

namespace rara3 {

namespace {

// M and S act alike in every scene but the ending; only the title and the
// editor hold the program after switching the music on.
bool SoundKeys(GameState& g, Platform& p, int16_t key, bool pauseAfterOn) {
  if (key == KeyM) {
    ToggleMusic(g, p.audio, p.system, pauseAfterOn);
    return true;
  }
  if (key == KeyS) {
    ToggleSound(g);
    return true;
  }
  return false;
}

void TitleKey(GameState& g, Platform& p, int16_t key, int16_t mask) {
  switch (key) {
    case KeyEnter: StartStage(g); return;
    case KeyEscape: QuitSequence(p.audio, p.display, p.system); return;
    case KeyUp: SelectNextStage(g); return;
    case KeyDown: SelectPreviousStage(g); return;
    default: break;
  }
  if (SoundKeys(g, p, key, true)) return;
  if (mask != ModCtrlShift) return;
  switch (key) {
    case KeyF7: StartEnding(g, p.audio); return;
    case KeyF9: RequestFileWork(g, {FileWork::LoadStageForEditor, g.flow.StageNo}); return;
    case KeyF11: StartReplay(g); return;
    default: return;
  }
}

void IdleKey(GameState& g, Platform& p, int16_t key) {
  switch (key) {
    case KeyEnter: CycleSpeed(g); return;
    case KeyEscape: Retire(g, p.audio); return;
    case KeySpace: ToggleColors(g); return;
    // Undo and restart, on keys that do nothing else on the board.
    case KeyBackspace:
    case KeyZ:
    case KeyU: TakeBackMove(g, p.audio); return;
    case KeyR: RestartStage(g); return;
    case KeyH: TakeHint(g); return;
    default: SoundKeys(g, p, key, false); return;
  }
}

void EditorKey(GameState& g, Platform& p, int16_t key) {
  switch (key) {
    case KeyLeft:
    case KeyUp:
    case KeyRight:
    case KeyDown:
      MoveEditorCursor(g, key);
      return;
    case KeyA: PlaceCell(g, KindPlayer); return;
    case KeyZ: PlaceCell(g, KindExit); return;
    case KeyQ: PlaceCell(g, KindEmpty); return;
    case KeyEnter: {
      // A failed save keeps the editor open: nothing is lost, and the
      // player can try again or leave with Esc.
      FileRequest save{FileWork::SaveEditedStage, g.flow.StageNo};
      save.closesEditor = true;
      RequestFileWork(g, save);
      return;
    }
    case KeyEscape: g.flow.Scene = SceneTitle; return;
    default: break;
  }
  if (key >= Key1 && key <= Key8) {
    PlaceCell(g, key - Key1 + KindPairBox);
    return;
  }
  SoundKeys(g, p, key, true);
}

void SceneKey(GameState& g, Platform& p, int16_t keyCode, int16_t modifierMask) {
  switch (g.flow.Scene) {
    case SceneTitle:
      TitleKey(g, p, keyCode, modifierMask);
      return;
    case SceneIdle:
      IdleKey(g, p, keyCode);
      return;
    case SceneWalk:
    case ScenePush:
      SoundKeys(g, p, keyCode, false);
      return;
    case SceneClear:
      if (keyCode == KeyEnter) {
        if (g.pace.ClearTick == kClearHold) ContinueAfterClear(g, p.audio);
        return;
      }
      SoundKeys(g, p, keyCode, false);
      return;
    case SceneRetire:
      if (keyCode == KeyEscape) {
        if (g.pace.RetireTick == kRetireHold) LeaveRetire(g);
        return;
      }
      SoundKeys(g, p, keyCode, false);
      return;
    case SceneEnding:
      // Every key, M and S included, waits for the last phase.
      if (g.pace.EndingPhase == kEndingLastPhase) QuitSequence(p.audio, p.display, p.system);
      return;
    case SceneEditor:
      EditorKey(g, p, keyCode);
      return;
    default:
      return;  // no key acts on an unknown scene
  }
}

}  // namespace

void HandleKeyDown(GameState& g, Platform& p, int16_t keyCode, int16_t modifierMask) {
  NoteKeyForPointerPlay(g, keyCode);
  // F1 hides and shows the side panels in every scene but the ending, where
  // every key waits for its end; the choice is kept for the next start.
  if (keyCode == KeyF1 && g.flow.Scene != SceneEnding) {
    g.Panel.shown = !g.Panel.shown;
    RequestFileWork(g, {FileWork::WriteSettings});
  } else {
    SceneKey(g, p, keyCode, modifierMask);
  }
  // The key's file work, in the order asked, before anything else runs.
  CarryOutFileWork(g, p.files, p.system);
}

void HandleActivate(GameState& g) { g.lifecycle.FormActive = true; }

void HandleClose(GameState& g, Platform& p) {
  // Closing the window never throws the editor's work away: unsaved edits
  // are saved to the stage first. When that fails the player is told and
  // the game stays open with the edits.
  if (g.flow.Scene == SceneEditor && EditorHasUnsavedEdits(g, p.files)) {
    SaveEditedStage(g, p.files, p.system,
                    std::string("\n") + Tr(N_("The game stays open so that your edits are not lost: "
                                               "Enter saves them again, Esc leaves them.")));
    if (EditorHasUnsavedEdits(g, p.files)) return;
  }
  // A floor cleared stays cleared even when the window closes before
  // Enter: its replay and the progress are written as Enter would.
  KeepClear(g);
  CarryOutFileWork(g, p.files, p.system);
  p.keyboard.Release();
  p.display.RestoreDisplay();
  p.system.ShowCursor(true);
  p.system.EndProgram(0);
}

void QuitSequence(Audio& audio, Display& display, System& system) {
  audio.CloseMusic();
  display.RestoreDisplay();
  system.ShowCursor(true);
  system.EndProgram(0);
}

}  // namespace rara3
