// The title, stage clear, retire, ending and editor frames.
#include <gtest/gtest.h>

#include "support/render_rig.h"

namespace rara3 {
namespace {

using test::RenderRig;
using test::Room;

BlitRecord Fixed(int32_t x, int32_t y, int sheet, Rect src) {
  return BlitRecord{x, y, sheet, src, true};
}

struct TitleCase {
  int32_t stage;
  std::vector<BlitRecord> digits;
};

class TitleDigits : public testing::TestWithParam<TitleCase> {};

TEST_P(TitleDigits, RightAlignedWithoutLeadingZeros) {
  RenderRig rig;
  rig.g.flow.Scene = SceneTitle;
  rig.g.flow.StageNo = GetParam().stage;
  rig.Frame();
  std::vector<BlitRecord> expected = {
      {0, 0, kSheetBlack, {0, 0, 640, 480}, false},
      Fixed(0, 0, kSheetTitle, {0, 0, 640, 480}),
      Fixed(86, 43, kSheetLettering, {0, 120, 468, 222}),
  };
  for (const BlitRecord& d : GetParam().digits) expected.push_back(d);
  expected.push_back(Fixed(128, 320, kSheetLettering, {0, 60, 168, 120}));
  EXPECT_EQ(rig.Shown(), expected);
  // The same picture every frame.
  rig.Frame();
  EXPECT_EQ(rig.Shown(), expected);
}

INSTANTIATE_TEST_SUITE_P(
    Stages, TitleDigits,
    testing::Values(TitleCase{7, {Fixed(448, 320, kSheetLettering, DigitRect(7))}},
                    TitleCase{9, {Fixed(448, 320, kSheetLettering, {432, 0, 480, 60})}},
                    TitleCase{10, {Fixed(384, 320, kSheetLettering, DigitRect(1)),
                                   Fixed(448, 320, kSheetLettering, DigitRect(0))}},
                    TitleCase{42, {Fixed(384, 320, kSheetLettering, DigitRect(4)),
                                   Fixed(448, 320, kSheetLettering, DigitRect(2))}},
                    TitleCase{100, {Fixed(320, 320, kSheetLettering, {48, 0, 96, 60}),
                                    Fixed(384, 320, kSheetLettering, {0, 0, 48, 60}),
                                    Fixed(448, 320, kSheetLettering, DigitRect(0))}}));

// The player cheering on the exit at (5, 5), a box just below.
void StartClear(RenderRig& rig) {
  rig.Play(Room({"", "", "", "", "    @", "    %"}));
  rig.g.ExitX = 5;
  rig.g.ExitY = 5;
  rig.g.ExitOpen = true;
  rig.g.flow.Scene = SceneClear;
  rig.g.pace.ClearTick = 0;
  rig.g.latches.ClearSfxDone = false;
}

TEST(StageClear, CheersOverTheGlowAndHoldsAt95) {
  RenderRig rig;
  StartClear(rig);
  for (int frame = 1; frame <= 120; ++frame) {
    rig.Frame();
    const auto player = rig.OfSheet(kSheetPlayer);
    ASSERT_EQ(player.size(), 1u);
    const int32_t f = std::min((frame - 1) / 8, 11);
    EXPECT_EQ(player[0], Fixed(24 * 5 + 48, 24 * 5 - 44, kSheetPlayer, CheerRect(f))) << frame;
    EXPECT_EQ(rig.g.pace.ClearTick, std::min(frame, 95)) << frame;
    const int glow = rig.IndexOf([](const BlitRecord& b) { return b.sheet == kSheetGlow; });
    const int cheer = rig.IndexOf([](const BlitRecord& b) { return b.sheet == kSheetPlayer; });
    const int below = rig.IndexOf([](const BlitRecord& b) { return b.sheet == kSheetTiles && b.y == 132; });
    EXPECT_LT(glow, cheer);
    EXPECT_GT(below, cheer);  // the row below covers the feet
  }
  EXPECT_EQ(CheerRect(11), (Rect{445, 1120, 534, 1200}));
  EXPECT_EQ(rig.Sfx(), std::vector<int>{2});
  EXPECT_EQ(rig.g.flow.Scene, SceneClear);
}

TEST(StageClear, EffectLatchIsSetWithSoundOff) {
  RenderRig rig;
  StartClear(rig);
  rig.g.switches.SoundOn = false;
  rig.Frame();
  EXPECT_TRUE(rig.g.latches.ClearSfxDone);
  rig.g.switches.SoundOn = true;
  rig.Frames(3);
  EXPECT_TRUE(rig.Sfx().empty());
}

TEST(StageClear, AnExitCellDrawsNothing) {
  RenderRig rig;
  StartClear(rig);
  rig.g.Map[9][9] = KindExit;
  rig.Frame();
  EXPECT_EQ(rig.OfSheet(kSheetGlow).size(), 1u);
}

TEST(Retire, CollapsesOverEverythingAndHoldsAt47) {
  RenderRig rig;
  rig.Play(Room({"", "", "", "", "    @", "    %", "", "  X"}));
  rig.g.flow.Scene = SceneRetire;
  rig.g.pace.RetireTick = 0;
  for (int frame = 1; frame <= 60; ++frame) {
    rig.Frame();
    const auto player = rig.OfSheet(kSheetPlayer);
    ASSERT_EQ(player.size(), 1u);
    const int32_t f = std::min((frame - 1) / 8, 5);
    EXPECT_EQ(rig.Shown().back(), Fixed(24 * 5 + 48, 24 * 5 - 44, kSheetPlayer, RetireRect(f))) << frame;
    EXPECT_EQ(rig.g.pace.RetireTick, std::min(frame, 47));
  }
  EXPECT_EQ(RetireRect(5), (Rect{445, 960, 534, 1040}));
  EXPECT_EQ(rig.OfSheet(kSheetGlow).size(), 1u);  // the exit still glows
  EXPECT_TRUE(rig.Sfx().empty());
}

TEST(Retire, InRowZeroTheCollapseIsCutAtTheTop) {
  RenderRig rig;
  rig.Play({"", "", ""});
  rig.g.Map[19][0] = KindPlayer;
  rig.g.PlayerX = 19;
  rig.g.PlayerY = 0;
  rig.g.flow.Scene = SceneRetire;
  rig.Frame();
  EXPECT_EQ(rig.Shown().back(), Fixed(504, 0, kSheetPlayer, {0, 1004, 56, 1040}));
}

TEST(Ending, TheTimelineOfItsPhases) {
  RenderRig rig;
  rig.g.flow.Scene = SceneEnding;
  rig.g.switches.SoundOn = false;
  const int kEffectFrame = 300;   // the end of phase 1
  const int kBannerFrame = 541;   // after the 150th frame of phase 6
  // (first frame, mouth open) of each phase after the black one.
  const std::vector<std::pair<int, int>> portraits = {{101, 0}, {301, 1}, {316, 0}, {341, 1},
                                                      {356, 0}, {391, 1}, {541, 0}};
  for (int frame = 1; frame <= 700; ++frame) {
    SCOPED_TRACE(frame);
    rig.Frame();
    int mouth = -1;
    for (const auto& [first, open] : portraits)
      if (frame >= first) mouth = open;
    const auto portrait = rig.OfSheet(kSheetPortrait);
    if (mouth < 0) {
      EXPECT_EQ(rig.Shown().size(), 1u);
    } else {
      ASSERT_EQ(portrait.size(), 1u);
      EXPECT_EQ(portrait[0], Fixed(271, 154, kSheetPortrait, PortraitRect(mouth)));
    }
    const auto banner = rig.OfSheet(kSheetLettering);
    EXPECT_EQ(banner.size(), frame >= kBannerFrame ? 1u : 0u);
    if (!banner.empty()) {
      EXPECT_EQ(banner[0], Fixed(37, 360, kSheetLettering, {0, 222, 565, 292}));
      EXPECT_EQ(rig.Shown().back(), banner[0]);
    }
    EXPECT_EQ(rig.Sfx().size(), frame >= kEffectFrame ? 1u : 0u);
  }
  EXPECT_EQ(rig.Sfx(), std::vector<int>{9});
  EXPECT_EQ(rig.g.pace.EndingPhase, 7);
  EXPECT_EQ(rig.g.pace.EndingTick, 0);
  EXPECT_EQ(rig.g.flow.Scene, SceneEnding);
}

TEST(Editor, MarksForEveryStartAndExitAndTheCursorLast) {
  RenderRig rig;
  rig.Play({"@..X", "", "  P", "  @X"});
  rig.g.flow.Scene = SceneEditor;
  rig.g.PlayerX = 2;  // the cursor, on the pair box, above an object
  rig.g.PlayerY = 2;
  rig.g.pace.GlowTick = 5;
  rig.Frame();
  const auto tiles = rig.OfSheet(kSheetTiles);
  std::vector<BlitRecord> marks;
  for (const BlitRecord& b : tiles)
    if (b.src.Left == 192) marks.push_back(b);
  const std::vector<BlitRecord> expected = {
      Fixed(80, 0, kSheetTiles, {192, 48, 216, 72}),        // start, row 0: top 12 cut
      Fixed(152, 0, kSheetTiles, {192, 12, 216, 36}),       // exit, row 0
      Fixed(128, 60, kSheetTiles, {192, 36, 216, 72}),      // start
      Fixed(152, 60, kSheetTiles, {192, 0, 216, 36}),       // exit
      Fixed(128, 36, kSheetTiles, {192, 18, 216, 54}),      // the cursor
  };
  EXPECT_EQ(marks, expected);
  EXPECT_EQ(rig.Shown().back(), expected.back());
  EXPECT_TRUE(rig.OfSheet(kSheetPlayer).empty());
  EXPECT_TRUE(rig.OfSheet(kSheetGlow).empty());
  EXPECT_EQ(rig.g.pace.GlowTick, 5);
}

}  // namespace
}  // namespace rara3
