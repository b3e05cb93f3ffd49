#include "app/headless_bring_up.h"

#include <vector>

#include "data/data_file.h"
#include "game/scene_keys.h"
#include "game/startup.h"

namespace rara3 {

bool StartHeadless(GameState& g, Platform& p, const std::string& programDir, std::string& error) {
  if (!OpenGameFolder(g, p.files, programDir, error)) return false;
  // The game copies these out during its bring-up; without sound the
  // simulation still insists on a data file the game could start from.
  const std::string path = DataFilePath(g.lifecycle.AppDir);
  std::vector<uint8_t> bytes;
  if (!ReadTune(p.files, path, bytes, error)) return false;
  for (int i = 0; i < kEffectCount; ++i)
    if (!ReadEffect(p.files, path, i, bytes, error)) return false;
  g.switches.MusicOn = true;
  g.switches.SoundOn = true;
  g.lifecycle.LoopStarted = true;
  HandleActivate(g);
  return true;
}

}  // namespace rara3
