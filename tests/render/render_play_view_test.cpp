// The play view: floor, board pass order, the player and the exit glow.
#include <gtest/gtest.h>

#include "support/render_rig.h"

namespace rara3 {
namespace {

using test::RenderRig;
using test::Room;

struct FloorCase {
  int32_t stage;
  int32_t texture;
};

class FloorTexture : public testing::TestWithParam<FloorCase> {};

TEST_P(FloorTexture, ElevenByElevenSquaresCutAtTheBoardEdge) {
  RenderRig rig;
  rig.Play({});
  rig.g.flow.StageNo = GetParam().stage;
  rig.Frame();
  const auto floor = rig.OfSheet(kSheetFloors);
  ASSERT_EQ(floor.size(), 121u);
  const int32_t left = 44 * GetParam().texture;
  for (const BlitRecord& b : floor) {
    const bool lastColumn = b.x == 520;
    const bool lastRow = b.y == 440;
    EXPECT_EQ(b.src, (Rect{left, 0, left + (lastColumn ? 40 : 44), lastRow ? 40 : 44}))
        << "at " << b.x << "," << b.y;
  }
  EXPECT_EQ(floor.front().x, 80);
  EXPECT_EQ(floor.back().x, 520);
  EXPECT_EQ(floor.back().y, 440);
}

INSTANTIATE_TEST_SUITE_P(Stages, FloorTexture,
                         testing::Values(FloorCase{1, 0}, FloorCase{10, 0}, FloorCase{11, 1},
                                         FloorCase{55, 5}, FloorCase{100, 9}));

TEST(IdleView, OneClearTheFloorAndEveryOccupiedCell) {
  RenderRig rig;
  std::vector<std::string> full(20, std::string(20, 'P'));
  rig.Play(full);
  rig.Frame();
  EXPECT_EQ(rig.Shown().size(), 1u + 121u + 400u);
  EXPECT_EQ(rig.OfSheet(kSheetTiles).size(), 400u);
}

TEST(IdleView, ValuesBeyondTheKindsDrawNothing) {
  RenderRig rig;
  rig.Play({});
  for (int x = 0; x < 20; ++x)
    for (int y = 0; y < 20; ++y) rig.g.Map[x][y] = 11 + (x * 20 + y) % 245;
  rig.Frame();
  EXPECT_EQ(rig.Shown().size(), 1u + 121u);
}

TEST(IdleView, TilesOfEachKindInTheCurrentColourSet) {
  RenderRig rig;
  rig.Play({".PBVTSC%#B"});
  for (int32_t alt : {0, 1}) {
    rig.g.switches.AltColors = alt;
    rig.Frame();
    for (const BlitRecord& b : rig.OfSheet(kSheetTiles)) {
      const int32_t x = (b.x - 80) / 24;
      const int32_t kind = rig.g.Map[x][0];
      // Row 0: the top 12 rows of the tile lie above the screen.
      EXPECT_EQ(b.src, (Rect{24 * (kind - 1), 36 * alt + 12, 24 * kind, 36 * alt + 36}));
      EXPECT_EQ(b.y, 0);
    }
    EXPECT_EQ(rig.OfSheet(kSheetTiles).size(), 9u);
  }
}

struct PlayerCase {
  const char* name;
  int32_t x, y, facing;
  BlitRecord blit;
};

class StandingPlayer : public testing::TestWithParam<PlayerCase> {};

TEST_P(StandingPlayer, CentredOnItsCellAndClipped) {
  const PlayerCase& c = GetParam();
  RenderRig rig;
  rig.Play({});
  rig.g.Map[c.x][c.y] = KindPlayer;
  rig.g.Facing = c.facing;
  rig.Frame();
  const auto player = rig.OfSheet(kSheetPlayer);
  ASSERT_EQ(player.size(), 1u);
  EXPECT_EQ(player[0], c.blit);
}

INSTANTIATE_TEST_SUITE_P(
    Cells, StandingPlayer,
    testing::Values(
        PlayerCase{"middle_down", 5, 5, FacingDown, {168, 76, kSheetPlayer, {0, 1200, 89, 1280}, true}},
        PlayerCase{"middle_up", 5, 5, FacingUp, {168, 76, kSheetPlayer, {267, 1200, 356, 1280}, true}},
        PlayerCase{"no_facing_drawn_down", 5, 5, 0, {168, 76, kSheetPlayer, {0, 1200, 89, 1280}, true}},
        PlayerCase{"column0_left", 0, 5, FacingLeft, {48, 76, kSheetPlayer, {89, 1200, 178, 1280}, true}},
        PlayerCase{"column19_cut_at_560", 19, 5, FacingRight,
                   {504, 76, kSheetPlayer, {178, 1200, 234, 1280}, true}},
        PlayerCase{"row0_lower_36_px", 5, 0, FacingDown, {168, 0, kSheetPlayer, {0, 1244, 89, 1280}, true}},
        PlayerCase{"row19_feet_cut", 5, 19, FacingDown, {168, 412, kSheetPlayer, {0, 1200, 89, 1268}, true}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(IdleView, TheRowBelowCoversThePlayersFeet) {
  RenderRig rig;
  rig.Play({"", "", "", "", "", "    #", "    @", "    %", ""});
  rig.Frame();
  const int above = rig.IndexOf([](const BlitRecord& b) { return b.sheet == kSheetTiles && b.y == 108; });
  const int player = rig.IndexOf([](const BlitRecord& b) { return b.sheet == kSheetPlayer; });
  const int below = rig.IndexOf([](const BlitRecord& b) { return b.sheet == kSheetTiles && b.y == 156; });
  ASSERT_GE(above, 0);
  EXPECT_LT(above, player);
  EXPECT_GT(below, player);
}

TEST(IdleView, WithinARowTheRightCellIsDrawnLater) {
  RenderRig rig;
  rig.Play({"", "  %@P"});
  rig.Frame();
  const int left = rig.IndexOf([](const BlitRecord& b) { return b.sheet == kSheetTiles && b.x == 128; });
  const int player = rig.IndexOf([](const BlitRecord& b) { return b.sheet == kSheetPlayer; });
  const int right = rig.IndexOf([](const BlitRecord& b) { return b.sheet == kSheetTiles && b.x == 176; });
  EXPECT_LT(left, player);
  EXPECT_LT(player, right);
}

struct GlowCase {
  int32_t tick;
  int32_t alt;
  int32_t left;
};

class GlowStep : public testing::TestWithParam<GlowCase> {};

TEST_P(GlowStep, BrightnessFollowsThePingPongOfItsColourSet) {
  RenderRig rig;
  rig.Play({"", "", "   X"});
  rig.g.pace.GlowTick = GetParam().tick;
  rig.g.switches.AltColors = GetParam().alt;
  rig.Frame();
  const auto glow = rig.OfSheet(kSheetGlow);
  ASSERT_EQ(glow.size(), 1u);
  const int32_t l = GetParam().left;
  EXPECT_EQ(glow[0], (BlitRecord{24 * 3 + 73, 48 - 64 < 0 ? 0 : 48 - 64, kSheetGlow,
                                 {l, 16, l + 37, 88}, true}));
}

INSTANTIATE_TEST_SUITE_P(Ticks, GlowStep,
                         testing::Values(GlowCase{0, 0, 0}, GlowCase{15, 0, 0}, GlowCase{16, 0, 37},
                                         GlowCase{64, 0, 148}, GlowCase{80, 0, 111},
                                         GlowCase{127, 0, 37}, GlowCase{64, 1, 185 + 148}));

TEST(ExitGlow, AdvancesOncePerGlowDrawnAndWrapsAt128) {
  RenderRig rig;
  rig.Play(Room({"@", "", "   X"}));
  rig.g.pace.GlowTick = 126;
  rig.Frame();
  EXPECT_EQ(rig.g.pace.GlowTick, 127);
  rig.Frame();
  EXPECT_EQ(rig.g.pace.GlowTick, 0);
  rig.Frames(5);
  EXPECT_EQ(rig.g.pace.GlowTick, 5);
}

TEST(ExitGlow, StandsStillWithoutAnExitOnTheBoard) {
  for (int16_t scene : {SceneIdle, SceneRetire, SceneEditor, SceneTitle}) {
    RenderRig rig;
    rig.Play(Room({"@", "", "   E"}));
    rig.g.flow.Scene = scene;
    rig.g.pace.GlowTick = 77;
    rig.Frames(4);
    EXPECT_EQ(rig.g.pace.GlowTick, 77) << "scene " << scene;
  }
}

TEST(ExitGlow, AnExitOpenedUnderThePlayerGlowsBehindThem) {
  RenderRig rig;
  rig.Play(Room({"", "  @"}));
  rig.g.ExitX = 3;
  rig.g.ExitY = 2;
  rig.g.ExitOpen = true;
  rig.Frame();
  const int glow = rig.IndexOf([](const BlitRecord& b) { return b.sheet == kSheetGlow; });
  const int player = rig.IndexOf([](const BlitRecord& b) { return b.sheet == kSheetPlayer; });
  ASSERT_GE(glow, 0);
  EXPECT_EQ(rig.Shown()[glow].x, 24 * 3 + 73);
  EXPECT_LT(glow, player);
  EXPECT_EQ(rig.g.pace.GlowTick, 1);

  // Closed, the same cell shows only the player.
  rig.g.ExitOpen = false;
  rig.Frame();
  EXPECT_TRUE(rig.OfSheet(kSheetGlow).empty());
}

}  // namespace
}  // namespace rara3
