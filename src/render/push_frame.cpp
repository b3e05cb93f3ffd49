#include <algorithm>

#include "render/blit.h"
#include "render/play_view.h"
#include "render/push_step.h"
#include "render/scene_frames.h"
#include "core/sheets.h"

namespace rara3 {

namespace {

void AdvancePushPose(GameState& g);
void HandOverToPairing(GameState& g);

// The push pose's picture while it runs, then the player standing.
Rect PushPlayerRect(const GameState& g) {
  const int32_t d = FrameDir(g);
  if (g.PushPoseDone) return StandRect(d);
  const int32_t f = std::clamp<int32_t>(g.AnimStep / FramesPerStep(g), 0, kPushFrames - 1);
  return PushPoseRect(d, f);
}

bool PushCell(GameState& g, Platform& p, int32_t x, int32_t y, int32_t kind) {
  if (x == g.TargetX && y == g.TargetY) {
    PushStep(g, p);
    return true;
  }
  if (DrawOpenExit(g, p, x, y, kind)) return true;
  if (kind == KindPlayer) {
    DrawPlayerSprite(p, PushPlayerRect(g), x, y);
    return true;
  }
  return false;
}

}  // namespace

void StartPushSfx(GameState& g, Platform& p) { StartSfxOnce(g, p, g.PushSfxDone, Effect::Push); }

void DrawPushLayers(GameState& g, Platform& p) {
  DrawFloor(g, p);
  DrawBoard(g, p, PushCell);
  // The box always starts inside the grid; should it not, the push still
  // runs to its end rather than hang.
  if (!InGrid(g.TargetX, g.TargetY)) PushStep(g, p);
  // The pose advances once a frame, after the pass has drawn it.
  AdvancePushPose(g);
}

namespace {

void AdvancePushPose(GameState& g) {
  if (g.PushPoseDone) return;
  g.AnimStep += 1;
  if (g.AnimStep >= kPushFrames * FramesPerStep(g)) g.PushPoseDone = true;
}

}  // namespace

bool PushFinished(const GameState& g) { return g.PushPoseDone && g.SlideDone && g.EventDone; }

void FinishPush(GameState& g) {
  if (CommitPush(g)) {
    HandOverToPairing(g);
  } else {
    g.Scene = SceneIdle;
  }
}

namespace {

void HandOverToPairing(GameState& g) {
  g.SlideDone = true;
  g.EventDone = false;
  g.PairTick = 0;
  g.PairSfxDone = false;
}

}  // namespace

}  // namespace rara3
