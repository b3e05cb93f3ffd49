// The road between stages: selection on the title, stage and replay start,
// the continuation after a clear with its progress write, retire, ending.
#include "game/stage_flow.h"

#include "game/file_work.h"

namespace rara3 {

void SelectNextStage(GameState& g) {
  if (g.flow.StageNo < kStageCount && g.flow.StageNo < g.flow.MaxStage) ++g.flow.StageNo;
}

void SelectPreviousStage(GameState& g) {
  if (g.flow.StageNo > 1) --g.flow.StageNo;
}

void StartStage(GameState& g) {
  g.record.Recording = true;
  g.record.RecordCount = 0;
  g.record.ReplayMode = false;
  RequestFileWork(g, {FileWork::LoadStage, g.flow.StageNo});
}

void StartReplay(GameState& g) {
  g.record.Recording = false;
  g.record.ReplayPos = 0;
  g.record.ReplayMode = true;
  // A file that is missing or damaged starts nothing: the title stays and
  // no half-read list is replayed.
  FileRequest read{FileWork::ReadReplay, g.flow.StageNo};
  read.abandonsReplay = true;
  RequestFileWork(g, read);
  FileRequest load{FileWork::LoadStage, g.flow.StageNo};
  load.abandonsReplay = true;
  RequestFileWork(g, load);
}

void StartEnding(GameState& g, Audio& audio) {
  g.switches.MusicOn = false;
  audio.StopTune();
  g.flow.Scene = SceneEnding;
}

bool ClearIsBest(const GameState& g) {
  return g.Panel.bestMoves < 0 || g.Undo.Moves() <= g.Panel.bestMoves;
}

void KeepClear(GameState& g) {
  // A replay writes nothing and changes no progress.
  if (g.flow.Scene != SceneClear || g.record.ReplayMode) return;
  // The replay file keeps the best clear: one with more moves than it
  // leaves it. A failed write is reported and leaves the old file.
  if (g.record.Recording && ClearIsBest(g)) {
    RequestFileWork(g, {FileWork::WriteReplay, g.flow.StageNo, g.record.RecordCount});
    RequestFileWork(g, {FileWork::WriteHints, g.flow.StageNo, g.Help.HintsTaken});
  }
  if (g.flow.StageNo < kStageCount && g.flow.StageNo == g.flow.MaxStage) {
    ++g.flow.MaxStage;
    RequestFileWork(g, {FileWork::WriteProgress, g.flow.StageNo, g.flow.MaxStage});
  }
}

void ContinueAfterClear(GameState& g, Audio& audio) {
  if (g.record.ReplayMode) {
    g.record.ReplayMode = false;
    g.flow.Scene = SceneTitle;
    return;
  }
  KeepClear(g);
  g.record.RecordCount = 0;
  if (g.flow.StageNo >= kStageCount) {
    StartEnding(g, audio);
    return;
  }
  ++g.flow.StageNo;
  RequestFileWork(g, {FileWork::LoadStage, g.flow.StageNo});
}

void Retire(GameState& g, Audio& audio) {
  g.pace.RetireTick = 0;
  g.flow.Scene = SceneRetire;
  if (g.switches.SoundOn) audio.PlaySfx(Effect::Retire);
}

void LeaveRetire(GameState& g) {
  g.record.Recording = false;
  g.flow.Scene = SceneTitle;
}

}  // namespace rara3
