// The editor's logic: the cursor, placing kinds, and saving the stage into
// the data file and its export file.
#include <vector>

#include "core/words.h"
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

bool SaveEditedStage(GameState& g, Platform& p) {
  StageCells cells;
  for (int32_t y = 0; y < kBoardSize; ++y) {
    for (int32_t x = 0; x < kBoardSize; ++x) {
      // Map holds stage bytes and editor kinds only, all within 0..255.
      cells[20 * y + x] = static_cast<uint8_t>(g.Map[x][y]);
    }
  }
  std::string error;
  if (!WriteStage(p.files, DataFilePath(g.AppDir), g.StageNo, cells, error)) {
    TellPlayer(p, TrFormat(N_("Stage {0} was not saved: {1}"), {std::to_string(g.StageNo), error}));
    return false;
  }
  const std::string exportPath = StageFilePath(g.AppDir, g.StageNo, kExportExtension);
  std::vector<uint8_t> bytes;
  if (!ExportBytes(p, exportPath, cells, bytes, error) ||
      !p.files.ReplaceWhole(exportPath, bytes.data(), bytes.size(), error)) {
    TellPlayer(p, TrFormat(N_("Stage {0} was saved, but its export copy was not written: {1}"),
                           {std::to_string(g.StageNo), error}));
    return false;
  }
  return true;
}

}  // namespace rara3
