// Loading a stage from the data file, for play and for the editor.
#include "core/words.h"
#include "data/data_file.h"
#include "game/game.h"
#include "game/notice.h"
#include "game/undo.h"

namespace rara3 {

namespace {

// The whole stage is read before Map changes, so a stage that cannot be
// read never leaves a half-loaded board.
bool LoadStageCells(GameState& g, Platform& p, bool forPlay) {
  StageCells cells;
  std::string error;
  if (!ReadStage(p.files, DataFilePath(g.AppDir), g.StageNo, cells, error)) {
    TellPlayer(p, TrFormat(N_("Stage {0} cannot be loaded: {1}"), {std::to_string(g.StageNo), error}));
    g.Scene = SceneTitle;
    return false;
  }
  PlaceStageCells(g, cells, forPlay);
  return true;
}

}  // namespace

bool LoadStage(GameState& g, Platform& p) {
  if (!LoadStageCells(g, p, true)) return false;
  g.ExitOpen = false;
  g.Facing = FacingDown;
  g.Scene = SceneIdle;
  KeepStageStart(g);
  return true;
}

bool LoadStageForEditor(GameState& g, Platform& p) {
  if (!LoadStageCells(g, p, false)) return false;
  g.Scene = SceneEditor;
  return true;
}

}  // namespace rara3
