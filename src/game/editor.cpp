// The editor's logic: the cursor, placing kinds, and saving the stage into
// the data file and its export file.
#include <vector>

#include "data/data_file.h"
#include "game/game.h"
#include "game/notice.h"
#include "game/replay_file.h"
#include "game/editor.h"

namespace rara3 {

void MoveEditorCursor(GameState& g, int16_t keyCode) {
  int32_t x = g.PlayerX;
  int32_t y = g.PlayerY;
  switch (keyCode) {
    case KeyLeft: --x; break;
    case KeyRight: ++x; break;
    case KeyUp: --y; break;
    case KeyDown: ++y; break;
    default: return;
  }
  // The refused position is kept in Target too.
  g.TargetX = x;
  g.TargetY = y;
  if (InGrid(x, y)) {
    g.PlayerX = x;
    g.PlayerY = y;
  }
}

void PlaceCell(GameState& g, int32_t kind) { SetCell(g, g.PlayerX, g.PlayerY, kind); }

namespace {

// The export file's new bytes: the 400 cells, then whatever an existing,
// longer file held from offset 400 on. False when an existing file cannot
// be read, so its tail is never lost.
bool ExportBytes(Platform& p, const std::string& path, const StageCells& cells,
                 std::vector<uint8_t>& out, std::string& error) {
  std::vector<uint8_t> old;
  bool missing = false;
  if (!p.files.ReadAll(path, old, missing, error) && !missing) return false;
  out.assign(cells, cells + kStageSize);
  if (!missing && old.size() > static_cast<size_t>(kStageSize)) {
    out.insert(out.end(), old.begin() + kStageSize, old.end());
  }
  return true;
}

}  // namespace

bool EditorHasUnsavedEdits(GameState& g, Platform& p) {
  StageCells stored;
  std::string error;
  if (!ReadStage(p.files, DataFilePath(g.AppDir), g.StageNo, stored, error)) return true;
  for (int32_t y = 0; y < kBoardSize; ++y) {
    for (int32_t x = 0; x < kBoardSize; ++x) {
      if (stored[20 * y + x] != static_cast<uint8_t>(g.Map[x][y])) return true;
    }
  }
  return false;
}

bool SaveEditedStage(GameState& g, Platform& p, const std::string& afterFailure) {
  StageCells cells;
  for (int32_t y = 0; y < kBoardSize; ++y) {
    for (int32_t x = 0; x < kBoardSize; ++x) {
      // Map holds stage bytes and editor kinds only, all within 0..255.
      cells[20 * y + x] = static_cast<uint8_t>(g.Map[x][y]);
    }
  }
  const std::string stage = "Stage " + std::to_string(g.StageNo);
  std::string error;
  if (!WriteStage(p.files, DataFilePath(g.AppDir), g.StageNo, cells, error)) {
    TellPlayer(p, stage + " was not saved: " + error + afterFailure);
    return false;
  }
  const std::string exportPath = StageFilePath(g.AppDir, g.StageNo, kExportExtension);
  std::vector<uint8_t> bytes;
  if (!ExportBytes(p, exportPath, cells, bytes, error) ||
      !p.files.ReplaceWhole(exportPath, bytes.data(), bytes.size(), error)) {
    TellPlayer(p, stage + " was saved, but its export copy was not written: " + error);
    return false;
  }
  return true;
}

}  // namespace rara3
