// Loading a stage from the data file, for play and for the editor.
#include "data/data_file.h"
#include "game/game.h"

namespace rara3 {

namespace {

// The whole stage is read before Map changes, so a stage that cannot be
// read never leaves a half-loaded board. Row by row into Map: the last
// player cell gives the player's position (every player cell stays); for
// play, the last exit cell gives the exit's position and exit cells become
// floor until the exit opens, while the editor keeps them as stored.
bool LoadStageCells(GameState& g, Platform& p, bool forPlay) {
  StageCells cells;
  std::string error;
  if (!ReadStage(p.files, DataFilePath(g.AppDir), g.StageNo, cells, error)) {
    p.system.ReportError("Stage " + std::to_string(g.StageNo) + " cannot be loaded: " + error);
    g.Scene = SceneTitle;
    return false;
  }
  for (int32_t y = 0; y < kBoardSize; ++y) {
    for (int32_t x = 0; x < kBoardSize; ++x) {
      const int32_t k = cells[20 * y + x];
      g.Map[x][y] = k;
      if (k == KindPlayer) {
        g.PlayerX = x;
        g.PlayerY = y;
      } else if (k == KindExit && forPlay) {
        g.ExitX = x;
        g.ExitY = y;
        g.Map[x][y] = KindEmpty;
      }
    }
  }
  return true;
}

}  // namespace

bool LoadStage(GameState& g, Platform& p) {
  if (!LoadStageCells(g, p, true)) return false;
  g.ExitOpen = false;
  g.Facing = FacingDown;
  g.Scene = SceneIdle;
  return true;
}

bool LoadStageForEditor(GameState& g, Platform& p) {
  if (!LoadStageCells(g, p, false)) return false;
  g.Scene = SceneEditor;
  return true;
}

}  // namespace rara3
