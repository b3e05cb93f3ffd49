// The frame's skeleton: nothing before the loop runs or for an unknown
// scene; otherwise effects, the clear, the scene's layers, one flip.
#include <gtest/gtest.h>

#include <tuple>

#include "support/render_rig.h"

namespace rara3 {
namespace {

using test::RenderRig;
using test::Room;

// The counters a frame may advance, to see that nothing moved.
auto Counters(const GameState& g) {
  return std::make_tuple(g.flow.Scene, g.pace.StepTick, g.pace.AnimStep, g.pace.WalkFrame, g.pace.GlowTick, g.pace.ClearTick,
                         g.pace.RetireTick, g.pace.EndingPhase, g.pace.EndingTick, g.push.SlideOffset, g.push.PairTick,
                         g.latches.PushSfxDone, g.latches.ClearSfxDone, g.push.PushPoseDone, g.push.SlideDone,
                         g.PlayerX, g.PlayerY);
}

// A board with everything that animates: the open exit, a box to push.
void SetUpScene(RenderRig& rig, int16_t scene) {
  rig.Play(Room({"@P....", "", "....X"}));
  rig.g.Facing = FacingRight;
  if (scene == ScenePush) {
    ASSERT_TRUE(rig.Move(FacingRight));
  }
  if (scene == SceneWalk) {
    ASSERT_TRUE(rig.Move(FacingDown));
  }
  rig.g.flow.Scene = scene;
}

class EveryScene : public testing::TestWithParam<int16_t> {};

TEST_P(EveryScene, DrawsNothingBeforeTheLoopStarts) {
  RenderRig rig;
  SetUpScene(rig, GetParam());
  rig.g.lifecycle.LoopStarted = false;
  rig.g.frame.DirIndex = 42;
  const auto before = Counters(rig.g);
  rig.Frames(3);
  EXPECT_EQ(Counters(rig.g), before);
  EXPECT_EQ(rig.g.frame.DirIndex, 42);
  EXPECT_TRUE(rig.hp.display.frame.empty());
  EXPECT_EQ(rig.hp.display.flips, 0);
  EXPECT_TRUE(rig.Sfx().empty());
}

TEST_P(EveryScene, StartsWithTheUnkeyedClearAndEndsWithOneFlip) {
  RenderRig rig;
  SetUpScene(rig, GetParam());
  rig.Frame();
  EXPECT_EQ(rig.hp.display.flips, 1);
  ASSERT_FALSE(rig.Shown().empty());
  EXPECT_EQ(rig.Shown()[0], (BlitRecord{0, 0, kSheetBlack, Rect{0, 0, 640, 480}, false}));
  for (size_t i = 1; i < rig.Shown().size(); ++i) {
    EXPECT_TRUE(rig.Shown()[i].keyed) << "blit " << i;
    EXPECT_NE(rig.Shown()[i].sheet, kSheetBlack) << "blit " << i;
  }
  EXPECT_EQ(rig.g.frame.DirIndex, rig.g.Facing / 2 - 1);
}

INSTANTIATE_TEST_SUITE_P(Scenes, EveryScene, testing::Range<int16_t>(SceneTitle, SceneEditor + 1));

class UnknownScene : public testing::TestWithParam<int16_t> {};

TEST_P(UnknownScene, NeitherDrawsNorFlips) {
  RenderRig rig;
  rig.Play(Room({"@", "", "X"}));
  rig.g.flow.Scene = GetParam();
  rig.g.Facing = FacingUp;
  const auto before = Counters(rig.g);
  rig.Frames(2);
  EXPECT_TRUE(rig.hp.display.frame.empty());
  EXPECT_EQ(rig.hp.display.flips, 0);
  EXPECT_EQ(Counters(rig.g), before);
  EXPECT_EQ(rig.g.frame.DirIndex, 3);
}

INSTANTIATE_TEST_SUITE_P(Values, UnknownScene, testing::Values<int16_t>(-1, -32768, 8, 255, 32767));

// Records how many blits the frame had when an effect started.
class OrderedAudio : public HeadlessAudio {
 public:
  explicit OrderedAudio(HeadlessDisplay& d) : display(d) {}
  void PlaySfx(Effect e) override {
    HeadlessAudio::PlaySfx(e);
    blitsBefore.push_back(display.frame.size());
  }
  HeadlessDisplay& display;
  std::vector<size_t> blitsBefore;
};

TEST(FrameEffects, SceneEffectsStartBeforeTheClear) {
  for (int16_t scene : {ScenePush, SceneClear}) {
    RenderRig rig;
    SetUpScene(rig, scene);
    OrderedAudio audio(rig.hp.display);
    Platform p{rig.hp.display, rig.hp.keyboard, audio, rig.hp.system, rig.files, rig.hp.window};
    RunFrame(rig.g, p);
    ASSERT_EQ(audio.sfxStarted.size(), 1u) << "scene " << scene;
    EXPECT_EQ(audio.sfxStarted[0], scene == ScenePush ? 0 : 2);
    EXPECT_EQ(audio.blitsBefore[0], 0u) << "scene " << scene;
  }
}

}  // namespace
}  // namespace rara3
