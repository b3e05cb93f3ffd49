// The pure rules: a move played out to its end, by the kind in front.
#include <gtest/gtest.h>

#include <algorithm>

#include "game/board.h"
#include "support/test_boards.h"

namespace rara3 {
namespace {

using test::BoardRows;
using test::MakeBoard;

struct MoveCase {
  const char* name;
  std::vector<std::string> before;
  int32_t facing;
  MoveKind kind;
  std::vector<std::string> after;
  bool exitOpen = false;
};

void PrintTo(const MoveCase& c, std::ostream* os) { *os << c.name; }

class ApplyMoveTest : public testing::TestWithParam<MoveCase> {};

TEST_P(ApplyMoveTest, PlaysOutTheMove) {
  const MoveCase& c = GetParam();
  Board b = MakeBoard(c.before);
  const MoveResult r = ApplyMove(b, c.facing);
  EXPECT_EQ(r.kind, c.kind);
  size_t width = 0;
  for (const auto& row : c.after) width = std::max(width, row.size());
  std::vector<std::string> expected = c.after;
  for (auto& row : expected) row.resize(width, '.');
  EXPECT_EQ(BoardRows(b, static_cast<int>(width), static_cast<int>(expected.size())), expected);
  EXPECT_EQ(b.ExitOpen, c.exitOpen);
}

const MoveCase kMoveCases[] = {
    {"WalkIntoEmpty", {"#####", "#@..#", "#####"}, FacingRight, MoveKind::Walk,
     {"#####", "#.@.#", "#####"}},
    {"BlockedBySolid", {"####", "#@##", "####"}, FacingRight, MoveKind::None,
     {"####", "#@##", "####"}},
    {"PairSlidesToWall", {"#######", "#@P...#", "#######"}, FacingRight, MoveKind::Push,
     {"#######", "#@...P#", "#######"}},
    {"PairAgainstWallDoesNothing", {"####", "#@P#", "####"}, FacingRight, MoveKind::None,
     {"####", "#@P#", "####"}},
    {"PairAgainstPairOpensExit", {"######", "#@PP.#", "#...E#", "######"}, FacingRight,
     MoveKind::Push, {"######", "#@PP.#", "#...X#", "######"}, true},
    {"PairStopsBesideAPairBelow",
     {"#######", "#@P..##", "#...P.#", "#E....#", "#######"}, FacingRight, MoveKind::Push,
     {"#######", "#@..P##", "#...P.#", "#X....#"}, true},
    {"PairDoesNotPairWithWhereItCameFrom", {"#######", "#P@...#", "#######"}, FacingLeft,
     MoveKind::None, {"#######", "#P@...#", "#######"}},
    {"VanishAgainstWallVanishesInPlace", {"####", "#@V#", "####"}, FacingRight, MoveKind::Push,
     {"####", "#@.#", "####"}},
    {"VanishSlidesAndVanishes", {"######", "#@V..#", "######"}, FacingRight, MoveKind::Push,
     {"######", "#@...#", "######"}},
    {"StepMovesOneCell", {"######", "#@T..#", "######"}, FacingRight, MoveKind::Push,
     {"######", "#@.T.#", "######"}},
    {"StepBlocked", {"#####", "#@T%#", "#####"}, FacingRight, MoveKind::None,
     {"#####", "#@T%#", "#####"}},
    {"SlideSlides", {"######", "#@S..#", "######"}, FacingRight, MoveKind::Push,
     {"######", "#@..S#", "######"}},
    {"SlideAgainstWallDoesNothing", {"####", "#@S#", "####"}, FacingRight, MoveKind::None,
     {"####", "#@S#", "####"}},
    {"CopyBecomesBreak", {"######", "#@C.%#", "######"}, FacingRight, MoveKind::Push,
     {"######", "#@.%%#", "######"}},
    {"CopyBecomesBreakWhenTouching", {"#####", "#@C%#", "#####"}, FacingRight, MoveKind::Push,
     {"#####", "#@%%#", "#####"}},
    {"CopyBecomesBomb", {"######", "#@C.B#", "######"}, FacingRight, MoveKind::Push,
     {"######", "#@.BB#", "######"}},
    {"CopyIntoPairOpensExit", {"######", "#@C.P#", "#E...#", "######"}, FacingRight,
     MoveKind::Push, {"######", "#@.PP#", "#X...#", "######"}, true},
    {"CopyBeforeOpenExitStaysCopy", {"######", "#@C.X#", "######"}, FacingRight,
     MoveKind::Push, {"######", "#@.CX#", "######"}, true},
    {"CopyRightAgainstOpenExitDoesNothing", {"#####", "#@CX#", "#####"}, FacingRight,
     MoveKind::None, {"#####", "#@CX#", "#####"}, true},
    {"BombDestroysBreak", {"######", "#@B.%#", "######"}, FacingRight, MoveKind::Push,
     {"######", "#@.B.#", "######"}},
    {"BombDestroysPair", {"#####", "#@BP#", "#####"}, FacingRight, MoveKind::Push,
     {"#####", "#@B.#", "#####"}},
    {"BombIntoSolidJustMoves", {"######", "#@B..#", "######"}, FacingRight, MoveKind::Push,
     {"######", "#@..B#", "######"}},
    {"BombAgainstSolidDoesNothing", {"####", "#@B#", "####"}, FacingRight, MoveKind::None,
     {"####", "#@B#", "####"}},
    {"WalkOntoOpenExit", {"####", "#@X#", "####"}, FacingRight, MoveKind::WalkExit,
     {"####", "#.@#", "####"}, true},
    {"UnknownKindBlocks", {"####", "#@?#", "####"}, FacingRight, MoveKind::None,
     {"####", "#@?#", "####"}},
    // No outer ring: the edge of the grid stops everything.
    {"WalkOffTheGridDoesNothing", {"@...."}, FacingUp, MoveKind::None, {"@...."}},
    {"SlideStopsAtTheEdge", {"@S..."}, FacingRight, MoveKind::Push, {"@..................S"}},
    {"PairAtTheEdgeDoesNothing", {"...................", "..................@P"}, FacingRight,
     MoveKind::None, {"...................", "..................@P"}},
    {"CopyIntoTheEdgeStaysCopy", {"@C"}, FacingRight, MoveKind::Push,
     {"@..................C"}},
    {"BombIntoTheEdgeJustMoves", {"@B"}, FacingRight, MoveKind::Push,
     {"@..................B"}},
    {"BombAtTheEdgeDoesNothing", {"..................@B"}, FacingRight, MoveKind::None,
     {"..................@B"}},
};

INSTANTIATE_TEST_SUITE_P(Rules, ApplyMoveTest, testing::ValuesIn(kMoveCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(ApplyMove, ExitOpeningUnderThePlayerShowsWhenThePlayerLeaves) {
  // The player stands on the closed exit's position and pairs two boxes.
  Board b = MakeBoard({"######", "#@PP.#", "#....#", "######"});
  b.ExitX = 1;
  b.ExitY = 1;
  ApplyMove(b, FacingRight);
  EXPECT_TRUE(b.ExitOpen);
  EXPECT_EQ(b.Map[1][1], KindPlayer);
  ApplyMove(b, FacingDown);
  EXPECT_EQ(b.Map[1][1], KindExit);
  const MoveResult back = ApplyMove(b, FacingUp);
  EXPECT_EQ(back.kind, MoveKind::WalkExit);
  EXPECT_TRUE(back.cleared);
}

TEST(PrepareMove, PairScanFields) {
  Board b = MakeBoard({"#######", "#@P...#", "#######"});
  b.Facing = FacingRight;
  ASSERT_EQ(PrepareMove(b), MoveKind::Push);
  EXPECT_EQ(b.SlideDistance, 72);
  EXPECT_EQ(b.SlideEndX, 5);
  EXPECT_EQ(b.HitX, 6);
  EXPECT_EQ(b.HitKind, KindSolidBox);
}

}  // namespace
}  // namespace rara3
