#include "game/main_loop.h"

#include "data/data_file.h"
#include "game/game.h"
#include "platform/fatal_error_path.h"
#include "render/render_frame.h"

namespace rara3 {

bool StartHeadless(GameState& g, Platform& p, const std::string& programDir, std::string& error) {
  if (!PrepareGameState(g, p.files, programDir, error)) return false;
  // The game copies these out during its bring-up; without sound the
  // simulation still insists on a data file the game could start from.
  const std::string path = DataFilePath(g.AppDir);
  std::vector<uint8_t> bytes;
  if (!ReadTune(p.files, path, bytes, error)) return false;
  for (int i = 0; i < 10; ++i)
    if (!ReadEffect(p.files, path, i, bytes, error)) return false;
  g.MusicOn = true;
  g.SoundOn = true;
  g.LoopStarted = true;
  Form_Activate(g);
  return true;
}

void RunPass(GameState& g, Platform& p, const std::vector<WindowEvent>& events) {
  if (p.system.Ended()) return;
  try {
    RenderFrame(g, p);
  } catch (const PlatformError& e) {
    RunFatalErrorPath(p, e);
    return;
  }
  HandleWindowEvents(g, p, events);
  if (!p.system.Ended()) Timer1_Timer(g, p);
}

}  // namespace rara3
