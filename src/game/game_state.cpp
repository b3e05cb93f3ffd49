#include "game/game_state.h"

namespace rara3 {

void InitGameState(GameState& g) {
  g.StepFrames = 2;
  g.StageNo = 1;
  g.Scene = SceneTitle;
  g.WalkFrame = 0;
  g.AnimStep = 0;
  g.AltColors = 0;
  g.GlowTick = 0;
  g.EndingPhase = 0;
  g.EndingTick = 0;
  g.ReplayMode = false;
  // Room for a long floor up front, so moves never allocate in play.
  g.Undo.steps.reserve(1 << 14);
}

double NextRandom(GameState& g) {
  // A 24-bit linear congruential generator, started from the same state in
  // every run.
  g.RndState = (g.RndState * 0x43FD43FDu + 0xC39EC3u) & 0xFFFFFFu;
  return static_cast<double>(g.RndState) / 16777216.0;
}

}  // namespace rara3
