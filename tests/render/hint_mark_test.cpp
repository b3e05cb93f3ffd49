// The hint's mark over the board: a frame round the box and an arrow into
// the next cell in the push's direction, blinking, only while it lasts.
#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

#include "render/hint_mark.h"
#include "render/play_view.h"
#include "support/render_rig.h"

namespace rara3::test {
namespace {

const std::vector<std::string> kRoom = {"#######", "#.....#", "#.@P..#", "#.....#", "#######"};

std::vector<BlitRecord> BrushBlits(const RenderRig& rig) {
  std::vector<BlitRecord> out;
  for (const BlitRecord& b : rig.Shown())
    if (b.sheet == kHintBrushSheet && b.src == kHintBrushRect) out.push_back(b);
  return out;
}

TEST(HintMark, ArrowPointsTheWayOfThePush) {
  struct Case {
    int32_t facing;
    int32_t dx, dy;
  };
  for (const Case c : {Case{FacingRight, 1, 0}, Case{FacingLeft, -1, 0}, Case{FacingDown, 0, 1},
                       Case{FacingUp, 0, -1}}) {
    RenderRig rig;
    rig.Play(kRoom);
    rig.g.Help.Hint = HintMark{3, 2, c.facing, kHintFrames};
    rig.Frame();
    const std::vector<BlitRecord> dots = BrushBlits(rig);
    ASSERT_FALSE(dots.empty()) << c.facing;
    // The far end of the arrow lies in the neighbouring cell's tile.
    const int32_t left = CellLeft(3 + c.dx);
    const int32_t top = TileTop(2 + c.dy);
    const bool reaches = std::any_of(dots.begin(), dots.end(), [&](const BlitRecord& b) {
      const bool outsideBox = b.x < CellLeft(3) - 2 || b.x >= CellLeft(4) + 2 ||
                              b.y < TileTop(2) - 2 || b.y >= TileTop(2) + kTileH + 2;
      return outsideBox && b.x >= left && b.x < left + kTileW && b.y >= top && b.y < top + kTileH;
    });
    EXPECT_TRUE(reaches) << c.facing;
    // Drawn after the board, so nothing covers it.
    EXPECT_TRUE(rig.Shown().back() == dots.back()) << c.facing;
  }
}

TEST(HintMark, OnlyWhileItLastsAndBlinking) {
  struct Case {
    int32_t framesLeft;
    bool shown;
  };
  // On for 20 frames, off for 10, from the first frame on.
  for (const Case c : {Case{0, false}, Case{kHintFrames, true}, Case{kHintFrames - 19, true},
                       Case{kHintFrames - 20, false}, Case{kHintFrames - 30, true}, Case{5, false}}) {
    RenderRig rig;
    rig.Play(kRoom);
    rig.g.Help.Hint = HintMark{3, 2, FacingRight, c.framesLeft};
    // RunFrame counts the mark down after the picture: draw directly.
    DrawHintMark(rig.g, rig.hp.display);
    rig.hp.display.Flip();
    EXPECT_EQ(!BrushBlits(rig).empty(), c.shown) << c.framesLeft;
  }
}

TEST(HintMark, WalkToTheExitFramesItWithoutArrow) {
  RenderRig rig;
  rig.Play(kRoom);
  rig.g.Help.Hint = HintMark{5, 3, 0, kHintFrames};
  rig.Frame();
  const std::vector<BlitRecord> dots = BrushBlits(rig);
  ASSERT_FALSE(dots.empty());
  for (const BlitRecord& b : dots) {
    EXPECT_GE(b.x, CellLeft(5) - 2);
    EXPECT_LE(b.x, CellLeft(6));
    EXPECT_GE(b.y, TileTop(3) - 2);
    EXPECT_LE(b.y, TileTop(3) + kTileH);
  }
}

}  // namespace
}  // namespace rara3::test
