// The fewest pushes a stage needs, against the fewest moves: a solution
// that walks further may push less.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "board_of.h"
#include "fewest_pushes.h"

namespace rara3::solve {
namespace {

TEST(FewestPushesTest, CountsPushesNotWalking) {
  struct Case {
    const char* name;
    std::vector<std::string> rows;
    SolveStatus status;
    int fewestPushes;
    int shortestPushes;  // of the fewest-moves solution
  };
  const Case cases[] = {
      // Two pushes from where the player stands (6 moves), or a walk round
      // the lower box to shoot it up once (13 moves).
      {"a walk saves a push",
       {"#########", "#.......#", "#..#..#.#", "#..E#...#", "#..P@...#", "#.P.....#", "#########"},
       SolveStatus::Solved, 1, 2},
      // One push right pairs them, which is also the shortest way.
      {"the same either way", {"######", "#@P.P#", "#E...#", "######"}, SolveStatus::Solved, 1, 1},
      // Both boxes in corners: nothing ever pairs them.
      {"no way at all", {"######", "#P..P#", "#@..E#", "######"}, SolveStatus::Unsolvable, 0, 0},
  };
  for (const Case& c : cases) {
    const Board b = BoardOf(c.rows);
    const SolveResult fewest = FewestPushes(b, SearchLimits{});
    ASSERT_EQ(fewest.status, c.status) << c.name;
    if (c.status != SolveStatus::Solved) continue;
    EXPECT_EQ(fewest.pushes, c.fewestPushes) << c.name;
    int32_t replayed = -1;
    EXPECT_TRUE(ReplayClears(b, fewest.facings, &replayed)) << c.name;
    EXPECT_EQ(replayed, c.fewestPushes) << c.name;
    const SolveResult shortest = Solve(b, SearchLimits{});
    EXPECT_EQ(shortest.pushes, c.shortestPushes) << c.name;
    EXPECT_LE(shortest.facings.size(), fewest.facings.size()) << c.name;
  }
}

// A push board is counted once however the player walks round it.
TEST(FewestPushesTest, WalkingAloneAddsNoState) {
  const Board b = BoardOf({"#######", "#.....#", "#.@...#", "#.....#", "#E.P.P#", "#######"});
  const SolveResult r = FewestPushes(b, SearchLimits{});
  ASSERT_EQ(r.status, SolveStatus::Solved);
  EXPECT_EQ(r.pushes, 1);
  // The start, and at most what one push of either box can make.
  EXPECT_LE(r.states, 7u);
}

}  // namespace
}  // namespace rara3::solve
