// The preparation before the platform comes up: the program folder, the
// saved progress and the initial values of the game state.
#include "game/startup.h"

#include "data/data_file.h"

namespace rara3 {

namespace {

std::string WithOneTrailingSlash(const std::string& dir) {
  std::string out = dir;
  while (out.size() > 1 && out.back() == '/') out.pop_back();
  if (out.empty()) return "./";
  if (out.back() != '/') out += '/';
  return out;
}

// A damaged progress byte: 0 would leave no stage to select, and more than
// 100 would pass the last stage.
int32_t UsableProgress(uint8_t value) {
  if (value < 1) return 1;
  if (value > kStageCount) return kStageCount;
  return value;
}

}  // namespace

bool OpenGameFolder(GameState& g, Files& files, const std::string& programDir,
                      std::string& error) {
  const std::string appDir = WithOneTrailingSlash(programDir);
  const std::string path = DataFilePath(appDir);
  // The whole file must be there: a short one would fail later in the middle
  // of play or of bring-up.
  uint8_t last = 0;
  if (!files.ReadAt(path, kDataFileSize - 1, &last, 1, error)) return false;
  uint8_t progress = 0;
  if (!ReadProgress(files, path, progress, error)) return false;

  SetStartingValues(g);
  g.lifecycle.AppDir = appDir;
  g.flow.MaxStage = UsableProgress(progress);
  return true;
}

}  // namespace rara3
