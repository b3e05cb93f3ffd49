// The road between stages: selection on the title, stage and replay start,
// the continuation after a clear with its progress write, retire, ending.
#include "core/words.h"
#include "data/data_file.h"
#include "game/game.h"
#include "game/notice.h"
#include "game/replay_file.h"
#include "game/stage_flow.h"
#include "game/toggles.h"

namespace rara3 {

void SelectNextStage(GameState& g) {
  if (g.StageNo < kStageCount && g.StageNo < g.MaxStage) ++g.StageNo;
}

void SelectPreviousStage(GameState& g) {
  if (g.StageNo > 1) --g.StageNo;
}

void StartStage(GameState& g, Platform& p) {
  g.Recording = true;
  g.RecordCount = 0;
  g.ReplayMode = false;
  LoadStage(g, p);
}

void StartReplay(GameState& g, Platform& p) {
  g.Recording = false;
  g.ReplayPos = 0;
  g.ReplayMode = true;
  // A file that is missing or damaged starts nothing: the title stays and
  // no half-read list is replayed. The reader has said why.
  if (!ReadReplayFile(g, p) || !LoadStage(g, p)) {
    g.ReplayMode = false;
    g.Scene = SceneTitle;
  }
}

void StartEnding(GameState& g, Platform& p) {
  g.MusicOn = false;
  StopTune(p);
  g.Scene = SceneEnding;
}

bool WriteProgressByte(GameState& g, Platform& p) {
  std::string error;
  const auto value = static_cast<uint8_t>(g.MaxStage);
  if (WriteProgress(p.files, DataFilePath(g.AppDir), value, error)) return true;
  TellPlayer(p, TrFormat(N_("Progress (stage {0}) was not saved: {1}"),
                         {std::to_string(g.MaxStage), error}));
  return false;
}

void ContinueAfterClear(GameState& g, Platform& p) {
  if (g.ReplayMode) {
    // A replay writes nothing and changes no progress.
    g.ReplayMode = false;
    g.Scene = SceneTitle;
    return;
  }
  if (g.Recording) {
    // A failed write has been reported and left the old file; play goes on.
    WriteReplayFile(g, p);
    g.RecordCount = 0;
  }
  if (g.StageNo >= kStageCount) {
    StartEnding(g, p);
    return;
  }
  if (g.StageNo == g.MaxStage) {
    ++g.MaxStage;
    WriteProgressByte(g, p);
  }
  ++g.StageNo;
  LoadStage(g, p);
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
