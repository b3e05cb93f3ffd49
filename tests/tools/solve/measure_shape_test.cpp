// What rara3-solve --measure reads off a solution and its room: the floor it
// uses, the outline, stubs, haulage and the pushes open at each step.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "board_of.h"
#include "measure.h"

namespace rara3::solve {
namespace {

// A 4 x 3 room with a notch in its top wall: one push right pairs the boxes.
TEST(MeasureShapeTest, ARoomWithANotchAndOnePush) {
  const Board b = BoardOf({"#####", "#@.#.", "#.P.P", "#E..."});
  const std::vector<int32_t> facings = {FacingDown, FacingRight, FacingDown};
  ASSERT_TRUE(ReplayClears(b, facings, nullptr));
  const ShapeFacts s = ShapeOf(b, AreaOf(b), facings);
  EXPECT_EQ(s.floor, 11);
  // The start, the walk down, the slide and the partner, the exit.
  EXPECT_EQ(s.used, 6);
  // Four for the room, two each side of the notch.
  EXPECT_EQ(s.outlineCorners, 8);
  EXPECT_EQ(s.stubs, 1);
  EXPECT_EQ(s.haulage, 0);
  EXPECT_EQ(s.ideaMoments, 0);  // the one push opens the exit
  EXPECT_EQ(s.lastEvent, "pair");
  EXPECT_EQ(s.kindsPushed, "pair");
  // The left box four ways, the right one only up: the cell above it, shut
  // in by the notch, is out of the player's reach.
  EXPECT_EQ(s.choices, std::vector<int>{5});
}

// A step box walked on the same way counts as haulage; turning does not, and
// a move against the wall is no push at all.
TEST(MeasureShapeTest, WalkingAStepBoxOnIsHaulage) {
  const Board b = BoardOf({"#######", "#@T...#", "#.....#", "#E.P.P#"});
  struct Case {
    const char* name;
    std::vector<int32_t> facings;
    int pushes;
    int haulage;
  };
  const Case cases[] = {
      {"on twice", {FacingRight, FacingRight, FacingRight, FacingRight, FacingRight}, 3, 2},
      {"on, then back", {FacingRight, FacingDown, FacingRight, FacingRight, FacingRight, FacingUp, FacingLeft}, 2, 0},
      {"up against the wall", {FacingDown, FacingRight, FacingUp}, 0, 0},
  };
  for (const Case& c : cases) {
    const ShapeFacts s = ShapeOf(b, AreaOf(b), c.facings);
    EXPECT_EQ(static_cast<int>(s.choices.size()), c.pushes) << c.name;
    EXPECT_EQ(s.haulage, c.haulage) << c.name;
    EXPECT_EQ(s.kindsPushed, c.pushes ? "step" : "") << c.name;
  }
}

}  // namespace
}  // namespace rara3::solve
