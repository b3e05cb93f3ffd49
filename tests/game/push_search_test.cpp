// The search over pushes: the same verdicts as the search over single moves,
// never more pushes, a way out that replays with the pure rules, and the
// exit that opens under the player.
#include <gtest/gtest.h>

#include <atomic>
#include <string>
#include <vector>

#include "game/position_search.h"
#include "game/push_search.h"
#include "support/test_boards.h"

namespace rara3::test {
namespace {

using Rows = std::vector<std::string>;

struct PushCase {
  std::string name;
  Rows rows;
  solve::SolveStatus status;
  int32_t pushes;  // the fewest, when it can be won
};

class PushSearchTest : public testing::TestWithParam<PushCase> {};

TEST_P(PushSearchTest, AgreesWithTheSearchInMoves) {
  const PushCase& c = GetParam();
  const Board b = MakeBoard(c.rows);
  const solve::SolveResult byPush = solve::SolveFewestPushes(b, InGameSearchCaps().afterMove);
  const solve::SolveResult byMove = solve::Solve(b, InGameSearchCaps().afterMove);
  EXPECT_EQ(byPush.status, c.status);
  EXPECT_EQ(byMove.status, c.status);
  if (c.status != solve::SolveStatus::Solved) {
    EXPECT_TRUE(byPush.facings.empty());
    return;
  }
  int32_t pushes = -1;
  EXPECT_TRUE(solve::ReplayClears(b, byPush.facings, &pushes));
  EXPECT_EQ(pushes, c.pushes);
  EXPECT_EQ(byPush.pushes, c.pushes);
  EXPECT_LE(byPush.pushes, byMove.pushes);
  EXPECT_GE(byPush.facings.size(), byMove.facings.size());
}

INSTANTIATE_TEST_SUITE_P(
    Positions, PushSearchTest,
    testing::Values(
        PushCase{"WalkToTheOpenExit", {"#####", "#@.X#", "#####"}, solve::SolveStatus::Solved, 0},
        PushCase{"OpenExitWalledOff", {"#####", "#@#X#", "#####"}, solve::SolveStatus::Unsolvable, 0},
        PushCase{"PairBoxesStuckApart", {"#####", "#P.P#", "#.@.#", "#E..#", "#####"},
                 solve::SolveStatus::Unsolvable, 0},
        PushCase{"LoneBoxRoams", {"########", "#......#", "#.@P...#", "#......#", "#E.....#", "########"},
                 solve::SolveStatus::Unsolvable, 0},
        PushCase{"WonInOnePush", {"#######", "#@P..P#", "#E....#", "#######"}, solve::SolveStatus::Solved, 1},
        // No walls at all: the player's floor is nearly the whole board,
        // up to its edges.
        PushCase{"OpenBoardToItsEdges", {"@P..P", "E...."}, solve::SolveStatus::Solved, 1},
        PushCase{"CopyBoxBecomesThePair", {"#######", "#@C.P.#", "#.....#", "#..P..#", "#E....#", "#######"},
                 solve::SolveStatus::Solved, 1},
        // Two pushes from where the player stands (6 moves), or a walk round
        // the lower box to shoot it up once (13 moves).
        PushCase{"AWalkSavesAPush",
                 {"#########", "#.......#", "#..#..#.#", "#..E#...#", "#..P@...#", "#.P.....#", "#########"},
                 solve::SolveStatus::Solved, 1}),
    [](const auto& info) { return info.param.name; });

// The pair meets under the player's feet: the exit opens where the player
// stands, and shows once the player has stepped off it.
TEST(PushSearchExitTest, ExitOpensUnderThePlayer) {
  Board b = MakeBoard({"########", "#@P..P.#", "########"});
  b.ExitX = 1;
  b.ExitY = 1;
  const solve::SolveResult r = solve::SolveFewestPushes(b, InGameSearchCaps().afterMove);
  ASSERT_EQ(r.status, solve::SolveStatus::Solved);
  EXPECT_EQ(r.pushes, 1);
  EXPECT_EQ(r.facings, (std::vector<int32_t>{FacingRight, FacingRight, FacingLeft}));
}

// A position is the boxes and the floor the player can reach: walking
// round a room adds none.
TEST(PushSearchExitTest, WalkingAloneAddsNoPosition) {
  const Board b = MakeBoard({"#######", "#.....#", "#.@...#", "#.....#", "#E.P.P#", "#######"});
  const solve::SolveResult r = solve::SolveFewestPushes(b, InGameSearchCaps().afterMove);
  ASSERT_EQ(r.status, solve::SolveStatus::Solved);
  EXPECT_EQ(r.pushes, 1);
  // The start, and at most what one push of either box can make.
  EXPECT_LE(r.states, 7u);
}

// A cancelled search stops at once and says it gave up.
TEST(PushSearchExitTest, CancelledSearchGivesUp) {
  std::atomic<bool> cancel = true;
  solve::SearchLimits limits = InGameSearchCaps().afterMove;
  limits.cancel = &cancel;
  const solve::SolveResult r =
      solve::SolveFewestPushes(MakeBoard({"#######", "#@P..P#", "#E....#", "#######"}), limits);
  EXPECT_EQ(r.status, solve::SolveStatus::GaveUp);
  EXPECT_EQ(r.limitHit, "cancelled");
}

}  // namespace
}  // namespace rara3::test

namespace rara3::test {
namespace {

// A second thread expands half of each batch, and what it finds goes into
// the table in the order one thread would have found it: the same way out,
// the same count of positions, the same verdict, whether the search ends in
// a way out, in none, or at its cap. The rooms hold thousands of positions,
// so the search's frontier is wide and its batches are split between the
// threads.
struct ThreadsCase {
  std::string name;
  Rows rows;
  uint64_t maxStates;
};

class PositionSearchThreadsTest : public testing::TestWithParam<ThreadsCase> {};

TEST_P(PositionSearchThreadsTest, TwoThreadsFindWhatOneFinds) {
  const ThreadsCase& c = GetParam();
  const Board b = MakeBoard(c.rows);
  solve::SearchLimits limits = InGameSearchCaps().forHint;
  limits.maxStates = c.maxStates;
  const solve::SolveResult one = solve::SolveFewestPushes(b, limits, 1);
  const solve::SolveResult two = solve::SolveFewestPushes(b, limits, 2);
  EXPECT_GT(one.states, 1000u) << "too small a room to split the batches";
  EXPECT_EQ(two.status, one.status);
  EXPECT_EQ(two.states, one.states);
  EXPECT_EQ(two.pushes, one.pushes);
  EXPECT_EQ(two.facings, one.facings);
  EXPECT_EQ(two.limitHit, one.limitHit);
}

const Rows kCrowdedRoom = {"############", "#..........#", "#.S..P...S.#", "#..........#", "#...S..S...#",
                           "#@.........#", "#..S....P..#", "#E.........#", "############"};

INSTANTIATE_TEST_SUITE_P(
    Rooms, PositionSearchThreadsTest,
    testing::Values(ThreadsCase{"AWayOut", kCrowdedRoom, 2'000'000},
                    ThreadsCase{"AtTheCap", kCrowdedRoom, 1'500},
                    // Both pair boxes in corners: every position is searched.
                    ThreadsCase{"NoWayOut",
                                {"############", "#P.........#", "#..S.......#", "#..........#",
                                 "#.......S..#", "#@.........#", "#..S.......#", "#E........P#",
                                 "############"},
                                2'000'000}),
    [](const auto& info) { return info.param.name; });

}  // namespace
}  // namespace rara3::test
