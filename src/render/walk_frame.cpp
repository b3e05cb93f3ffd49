#include "render/play_view.h"
#include "render/scene_frames.h"
#include "core/sheets.h"

namespace rara3 {

namespace {

// One step of 4 px every StepFrames frames, six steps a cell.
constexpr int32_t kWalkSteps = 6;

void FinishWalk(GameState& g);

bool WalkCell(GameState& g, Platform& p, int32_t x, int32_t y, int32_t kind) {
  if (DrawOpenExit(g, p, x, y, kind)) return true;
  if (kind == KindPlayer) {
    const int32_t d = FrameDir(g);
    const int32_t f = ((g.WalkFrame % kWalkFrames) + kWalkFrames) % kWalkFrames;
    const int32_t moved = 4 * g.AnimStep;
    DrawPlayerSprite(p, WalkRect(d, f), x, y, moved * kDirDX[d], moved * kDirDY[d]);
    return true;
  }
  return false;
}

}  // namespace

void DrawWalkLayers(GameState& g, Platform& p) {
  DrawFloor(g, p);
  DrawBoard(g, p, WalkCell);
}

void StepWalk(GameState& g) {
  g.StepTick += 1;
  if (g.StepTick < FramesPerStep(g)) return;
  g.StepTick = 0;
  g.WalkFrame += 1;
  if (g.WalkFrame >= kWalkFrames) g.WalkFrame = 0;
  g.AnimStep += 1;
  if (g.AnimStep >= kWalkSteps) FinishWalk(g);
}

namespace {

void FinishWalk(GameState& g) {
  if (CompleteWalk(g)) {
    g.ClearTick = 0;
    g.Scene = SceneClear;
  } else {
    g.Scene = SceneIdle;
  }
}

}  // namespace

}  // namespace rara3
