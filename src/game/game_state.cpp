#include "game/game_state.h"

namespace rara3 {

void SetStartingValues(GameState& g) {
  g.switches.StepFrames = 2;
  g.flow.StageNo = 1;
  g.flow.Scene = SceneTitle;
  g.pace.WalkFrame = 0;
  g.pace.AnimStep = 0;
  g.switches.AltColors = 0;
  g.pace.GlowTick = 0;
  g.pace.EndingPhase = 0;
  g.pace.EndingTick = 0;
  g.record.ReplayMode = false;
  // Room for a long floor up front, so moves never allocate in play.
  g.Undo.steps.reserve(1 << 14);
}

double NextRandom(GameState& g) {
  // A 24-bit linear congruential generator, started from the same state in
  // every run.
  g.frame.RndState = (g.frame.RndState * 0x43FD43FDu + 0xC39EC3u) & 0xFFFFFFu;
  return static_cast<double>(g.frame.RndState) / 16777216.0;
}

}  // namespace rara3
