// The walk: six steps of 4 px, StepFrames frames each, the walk cycle
// carried from walk to walk, and the move completed after the last frame.
#include <gtest/gtest.h>

#include "support/render_rig.h"

namespace rara3 {
namespace {

using test::RenderRig;
using test::Room;

class WalkTiming : public testing::TestWithParam<int32_t> {};

TEST_P(WalkTiming, SixStepsOfStepFramesEach) {
  const int32_t steps = GetParam();
  RenderRig rig;
  rig.Play(Room({"", "  @"}));  // player at (3, 2)
  rig.g.switches.StepFrames = steps;
  ASSERT_TRUE(rig.Move(FacingRight));
  ASSERT_EQ(rig.g.flow.Scene, SceneWalk);
  for (int frame = 1; frame <= 6 * steps; ++frame) {
    ASSERT_EQ(rig.g.flow.Scene, SceneWalk) << "frame " << frame;
    rig.Frame();
    const auto player = rig.OfSheet(kSheetPlayer);
    ASSERT_EQ(player.size(), 1u);
    const int32_t offset = 4 * ((frame - 1) / steps);
    EXPECT_EQ(player[0].x, 24 * 3 + 48 + offset) << "frame " << frame;
    EXPECT_EQ(player[0].y, 24 * 2 - 44);
  }
  EXPECT_EQ(rig.g.flow.Scene, SceneIdle);
  EXPECT_EQ(rig.g.PlayerX, 4);
  EXPECT_EQ(rig.g.Map[4][2], KindPlayer);
  EXPECT_EQ(rig.g.Map[3][2], KindEmpty);
  EXPECT_EQ(rig.g.pace.StepTick, 0);
  EXPECT_EQ(rig.g.pace.AnimStep, 6);
  // The next frame shows the player standing on the new cell.
  rig.Frame();
  EXPECT_EQ(rig.OfSheet(kSheetPlayer)[0], (BlitRecord{24 * 4 + 48, 4, kSheetPlayer, StandRect(2), true}));
}

INSTANTIATE_TEST_SUITE_P(StepFrames, WalkTiming, testing::Values(1, 2, 3));

TEST(WalkCycle, CarriesOverFromWalkToWalk) {
  RenderRig rig;
  rig.Play(Room({"", "  @"}));
  rig.g.switches.StepFrames = 1;
  rig.g.pace.WalkFrame = 6;
  ASSERT_TRUE(rig.Move(FacingDown));
  std::vector<Rect> shown;
  while (rig.g.flow.Scene == SceneWalk) {
    rig.Frame();
    shown.push_back(rig.OfSheet(kSheetPlayer)[0].src);
  }
  const std::vector<Rect> expected = {WalkRect(0, 6), WalkRect(0, 7), WalkRect(0, 8),
                                      WalkRect(0, 9), WalkRect(0, 0), WalkRect(0, 1)};
  EXPECT_EQ(shown, expected);
  EXPECT_EQ(rig.g.pace.WalkFrame, 2);
  // The second walk goes on from frame 2, in the rows of its own direction.
  ASSERT_TRUE(rig.Move(FacingLeft));
  rig.Frame();
  EXPECT_EQ(rig.OfSheet(kSheetPlayer)[0].src, WalkRect(1, 2));
  EXPECT_EQ(WalkRect(1, 2), (Rect{178, 160, 267, 240}));
  EXPECT_EQ(WalkRect(3, 7), (Rect{178, 560, 267, 640}));
}

TEST(WalkEnd, OntoTheOpenExitStartsTheStageClear) {
  RenderRig rig;
  rig.Play(Room({"", "  @X"}));
  rig.g.pace.ClearTick = 50;
  ASSERT_TRUE(rig.Move(FacingRight));
  EXPECT_EQ(rig.FramesWhile(SceneWalk), 12);
  EXPECT_EQ(rig.g.flow.Scene, SceneClear);
  EXPECT_EQ(rig.g.pace.ClearTick, 0);
  EXPECT_EQ(rig.g.Map[4][2], KindPlayer);
}

TEST(WalkEnd, OntoTheClosedExitsPositionJustStands) {
  RenderRig rig;
  rig.Play(Room({"", "  @E"}));
  ASSERT_TRUE(rig.Move(FacingRight));
  EXPECT_EQ(rig.FramesWhile(SceneWalk), 12);
  EXPECT_EQ(rig.g.flow.Scene, SceneIdle);
  EXPECT_EQ(rig.g.Map[4][2], KindPlayer);
  EXPECT_FALSE(rig.g.ExitOpen);
}

struct ExitOrderCase {
  int32_t facing;
  bool glowOverPlayer;
};

class WalkIntoExit : public testing::TestWithParam<ExitOrderCase> {};

TEST_P(WalkIntoExit, TheLaterCellInBoardOrderIsDrawnOver) {
  RenderRig rig;
  rig.Play(Room({"", "", "", "   X", "  X@X", "   X"}));  // exits around (4, 5)
  ASSERT_TRUE(rig.Move(GetParam().facing));
  rig.Frame();
  const int32_t d = DirIndexOf(GetParam().facing);
  const int32_t gx = 24 * (4 + kDirDX[d]) + 73;
  const int32_t gy = 24 * (5 + kDirDY[d]) - 64;
  const int glow = rig.IndexOf([&](const BlitRecord& b) {
    return b.sheet == kSheetGlow && b.x == gx && b.y == gy;
  });
  const int player = rig.IndexOf([](const BlitRecord& b) { return b.sheet == kSheetPlayer; });
  ASSERT_GE(glow, 0);
  EXPECT_EQ(glow > player, GetParam().glowOverPlayer);
}

INSTANTIATE_TEST_SUITE_P(Directions, WalkIntoExit,
                         testing::Values(ExitOrderCase{FacingDown, true},
                                         ExitOrderCase{FacingRight, true},
                                         ExitOrderCase{FacingUp, false},
                                         ExitOrderCase{FacingLeft, false}));

TEST(WalkOff, TheExitOpenedUnderThePlayerStaysBehind) {
  RenderRig rig;
  rig.Play(Room({"", "  @"}));
  rig.g.ExitX = 3;
  rig.g.ExitY = 2;
  rig.g.ExitOpen = true;
  ASSERT_TRUE(rig.Move(FacingRight));
  rig.Frame();
  // The glow shows under the walking player from the first frame.
  const int glow = rig.IndexOf([](const BlitRecord& b) { return b.sheet == kSheetGlow; });
  const int player = rig.IndexOf([](const BlitRecord& b) { return b.sheet == kSheetPlayer; });
  ASSERT_GE(glow, 0);
  EXPECT_LT(glow, player);
  rig.FramesWhile(SceneWalk);
  EXPECT_EQ(rig.g.Map[3][2], KindExit);
  EXPECT_EQ(rig.g.Map[4][2], KindPlayer);
  rig.Frame();
  EXPECT_EQ(rig.OfSheet(kSheetGlow).size(), 1u);
  // Walking back onto it clears the stage.
  ASSERT_TRUE(rig.Move(FacingLeft));
  rig.FramesWhile(SceneWalk);
  EXPECT_EQ(rig.g.flow.Scene, SceneClear);
}

TEST(WalkView, AnObjectInTheRowBelowCoversTheFeet) {
  RenderRig rig;
  rig.Play(Room({"", "  @", "  %"}));
  ASSERT_TRUE(rig.Move(FacingRight));
  rig.Frame();
  const int player = rig.IndexOf([](const BlitRecord& b) { return b.sheet == kSheetPlayer; });
  const int below = rig.IndexOf([](const BlitRecord& b) {
    return b.sheet == kSheetTiles && b.x == 80 + 24 * 3 && b.y == 24 * 3 - 12;
  });
  EXPECT_GT(below, player);
}

}  // namespace
}  // namespace rara3
