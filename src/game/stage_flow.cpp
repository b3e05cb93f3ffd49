// The road between stages: selection on the title, stage and replay start,
// the continuation after a clear with its progress write, retire, ending.
#include "game/file_work.h"
#include "game/game.h"
#include "game/stage_flow.h"
#include "game/toggles.h"

namespace rara3 {

void SelectNextStage(GameState& g) {
  if (g.StageNo < kStageCount && g.StageNo < g.MaxStage) ++g.StageNo;
}

void SelectPreviousStage(GameState& g) {
  if (g.StageNo > 1) --g.StageNo;
}

void StartStage(GameState& g) {
  g.Recording = true;
  g.RecordCount = 0;
  g.ReplayMode = false;
  RequestFileWork(g, {FileWork::LoadStage, g.StageNo});
}

void StartReplay(GameState& g) {
  g.Recording = false;
  g.ReplayPos = 0;
  g.ReplayMode = true;
  // A file that is missing or damaged starts nothing: the title stays and
  // no half-read list is replayed.
  FileRequest read{FileWork::ReadReplay, g.StageNo};
  read.abandonsReplay = true;
  RequestFileWork(g, read);
  FileRequest load{FileWork::LoadStage, g.StageNo};
  load.abandonsReplay = true;
  RequestFileWork(g, load);
}

void StartEnding(GameState& g, Platform& p) {
  g.MusicOn = false;
  StopTune(p);
  g.Scene = SceneEnding;
}

void ContinueAfterClear(GameState& g, Platform& p) {
  if (g.ReplayMode) {
    // A replay writes nothing and changes no progress.
    g.ReplayMode = false;
    g.Scene = SceneTitle;
    return;
  }
  // The replay file keeps the best clear: one with more moves than it
  // leaves it. A failed write is reported and leaves the old file.
  const bool best = g.Panel.bestMoves < 0 || g.Undo.Moves() <= g.Panel.bestMoves;
  if (g.Recording && best) RequestFileWork(g, {FileWork::WriteReplay, g.StageNo, g.RecordCount});
  g.RecordCount = 0;
  if (g.StageNo >= kStageCount) {
    StartEnding(g, p);
    return;
  }
  if (g.StageNo == g.MaxStage) {
    ++g.MaxStage;
    RequestFileWork(g, {FileWork::WriteProgress, g.StageNo, g.MaxStage});
  }
  ++g.StageNo;
  RequestFileWork(g, {FileWork::LoadStage, g.StageNo});
}

void Retire(GameState& g, Platform& p) {
  g.RetireTick = 0;
  g.Scene = SceneRetire;
  if (g.SoundOn) p.audio.PlaySfx(Effect::Retire);
}

void LeaveRetire(GameState& g) {
  g.Recording = false;
  g.Scene = SceneTitle;
}

}  // namespace rara3
