// Loading a stage from the data file, for play and for the editor.
#include "data/data_file.h"
#include "game/game.h"

namespace rara3 {

namespace {

// The whole stage is read before Map changes, so a stage that cannot be
// read never leaves a half-loaded board.
bool ReadStageCells(GameState& g, Platform& p, StageCells& cells) {
  std::string error;
  if (ReadStage(p.files, DataFilePath(g.AppDir), g.StageNo, cells, error)) return true;
  p.system.ReportError("Stage " + std::to_string(g.StageNo) + " cannot be loaded: " + error);
  return false;
}

}  // namespace

bool LoadStage(GameState& g, Platform& p) {
  StageCells cells;
  if (!ReadStageCells(g, p, cells)) {
    g.Scene = SceneTitle;
    return false;
  }
  // Row by row: the last player cell and the last exit cell in this order
  // give the positions. Every player cell stays; exit cells become floor
  // until the exit opens.
  for (int32_t y = 0; y < kBoardSize; ++y) {
    for (int32_t x = 0; x < kBoardSize; ++x) {
      const int32_t k = cells[20 * y + x];
      g.Map[x][y] = k;
      if (k == KindPlayer) {
        g.PlayerX = x;
        g.PlayerY = y;
      } else if (k == KindExit) {
        g.ExitX = x;
        g.ExitY = y;
        g.Map[x][y] = KindEmpty;
      }
    }
  }
  g.ExitOpen = false;
  g.Facing = FacingDown;
  g.Scene = SceneIdle;
  return true;
}

bool LoadStageForEditor(GameState& g, Platform& p) {
  StageCells cells;
  if (!ReadStageCells(g, p, cells)) {
    g.Scene = SceneTitle;
    return false;
  }
  // Exactly as stored: exit cells stay visible and editable; the last
  // player cell places the cursor.
  for (int32_t y = 0; y < kBoardSize; ++y) {
    for (int32_t x = 0; x < kBoardSize; ++x) {
      const int32_t k = cells[20 * y + x];
      g.Map[x][y] = k;
      if (k == KindPlayer) {
        g.PlayerX = x;
        g.PlayerY = y;
      }
    }
  }
  g.Scene = SceneEditor;
  return true;
}

}  // namespace rara3
