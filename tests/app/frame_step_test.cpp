// The frame's clock around a picture that only draws: what a frame shows of
// changes its own step makes in the middle of the board pass, and the glow
// counted as the pass drew it.
#include <gtest/gtest.h>

#include "game/frame_step.h"
#include "support/render_rig.h"

namespace rara3 {
namespace {

using test::RenderRig;
using test::Room;

// Tiles of the last frame blitted on the top-left corner of cell (x, y).
int TilesOnCell(const RenderRig& rig, int32_t x, int32_t y) {
  int n = 0;
  for (const BlitRecord& b : rig.OfSheet(kSheetTiles)) n += b.x == 80 + 24 * x && b.y == 24 * y - 12;
  return n;
}

// A copy box empties the cell it hits as its slide ends and puts the hit
// box back as the colour change ends, both while the pass draws the box's
// cell: the cells drawn after it in the pass show the change that frame,
// the cells before it show it from the next frame on.
TEST(MidPassChange, TheHitCellShowsTheChangeFromTheBoxCellOnInPassOrder) {
  struct Case {
    const char* name;
    const char* row;  // inner row 0; the box slides one cell into the break box
    int32_t facing;
    int32_t hitX;
    int frame;  // of the push scene, from 1
    int tiles;  // on the hit cell in that frame
  };
  const Case cases[] = {
      // The slide ends in frame 3; the colour change ends in frame 99.
      {"right, before the slide ends", "@C.%", FacingRight, 4, 2, 1},
      {"right, the hit cell comes after the box", "@C.%", FacingRight, 4, 3, 0},
      {"right, colour change running", "@C.%", FacingRight, 4, 50, 1},
      {"right, the hit box back mid-pass", "@C.%", FacingRight, 4, 99, 2},
      {"left, the hit cell comes before the box", "%.C@", FacingLeft, 1, 3, 1},
      {"left, the frame after", "%.C@", FacingLeft, 1, 4, 1},
      {"left, the hit box back after the pass", "%.C@", FacingLeft, 1, 99, 1},
  };
  for (const Case& c : cases) {
    RenderRig rig;
    rig.Play(Room({c.row}));
    ASSERT_TRUE(rig.Move(c.facing)) << c.name;
    rig.Frames(c.frame);
    EXPECT_EQ(TilesOnCell(rig, c.hitX, 1), c.tiles) << c.name;
    EXPECT_FALSE(rig.g.frame.PassChange.active) << c.name << ": the change lasts one pass";
  }
}

// Each glow drawn takes the next value, round from 127 to 0; the frame's
// step then moves GlowTick on by as many glows as the pass drew.
TEST(FrameGlow, EachGlowOfThePassTakesTheNextTick) {
  RenderRig rig;
  rig.Play(Room({"@", "", "", "...X", "", "X"}));  // two open exits, wholly on screen
  rig.g.pace.GlowTick = 127;
  rig.Frame();
  const std::vector<BlitRecord> glows = rig.OfSheet(kSheetGlow);
  ASSERT_EQ(glows.size(), 2u);
  EXPECT_EQ(glows[0].src, GlowRect(1, 0)) << "tick 127, the ping-pong's last step";
  EXPECT_EQ(glows[1].src, GlowRect(0, 0)) << "tick 0";
  EXPECT_EQ(rig.g.pace.GlowTick, 1);
  // A frame that draws no glow leaves it.
  rig.g.flow.Scene = SceneTitle;
  rig.Frame();
  EXPECT_EQ(rig.g.pace.GlowTick, 1);
}

// The step before drawing decides alone whether there is a frame: nothing
// is drawn or advanced before the loop starts or for an unknown scene.
TEST(FrameStep, NoFrameBeforeTheLoopOrForAnUnknownScene) {
  for (const bool started : {false, true}) {
    RenderRig rig;
    rig.Play(Room({"@X"}));
    rig.g.lifecycle.LoopStarted = started;
    rig.g.flow.Scene = started ? kSceneCount : SceneIdle;
    EXPECT_FALSE(StepBeforeDraw(rig.g, rig.hp.audio));
    rig.Frame();
    EXPECT_EQ(rig.hp.display.flips, 0);
    EXPECT_EQ(rig.g.pace.GlowTick, 0);
  }
}

}  // namespace
}  // namespace rara3
