// The shipped solutions played through the animated game, frame by frame:
// each clears its stage, and at the start of every move the engine's board is
// the board the pure rules reach after the moves before it.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "data/stage_text.h"
#include "game/board.h"
#include "game/game.h"
#include "app/headless_bring_up.h"
#include "app/main_loop.h"
#include "game/replay_file.h"
#include "support/game_fixture.h"
#include "platform/headless/headless_platform.h"
#include "support/memory_files.h"
#include "support/shipped_assets.h"

namespace rara3 {
namespace {

using test::ReadShippedAsset;

// The grid, the player and the exit, as both sides keep them.
std::string BoardKey(const Board& b) {
  std::string key;
  for (int x = 0; x < kBoardSize; ++x)
    for (int y = 0; y < kBoardSize; ++y) key += static_cast<char>('0' + b.Map[x][y]);
  key += " player " + std::to_string(b.PlayerX) + "," + std::to_string(b.PlayerY);
  key += b.ExitOpen ? " open" : " closed";
  return key;
}

class ShippedSolutionInEngineTest : public ::testing::TestWithParam<int> {};

TEST_P(ShippedSolutionInEngineTest, ClearsAndAgreesWithThePureRulesAtEveryMove) {
  const int n = GetParam();
  StageCells cells;
  std::string error;
  ASSERT_TRUE(ParseStageText(ReadShippedAsset(n, "stages", ".txt"), "stage", cells, error)) << error;
  const std::string replay = ReadShippedAsset(n, "solutions", ".PBD");
  std::vector<int32_t> codes(8192);
  int32_t count = 0;
  ASSERT_TRUE(ParseReplay(std::vector<uint8_t>(replay.begin(), replay.end()), 8192, codes.data(),
                          count, error))
      << error;

  MemoryFiles files;
  files.files[test::kDataPath] = test::SyntheticDataFile(100);
  for (int i = 0; i < kStageSize; ++i) {
    files.files[test::kDataPath][StageCellOffset(n, i % 20, i / 20)] = cells[i];
  }
  HeadlessPlatform hp{files};
  hp.display.recordBlits = false;
  Platform& p = hp.platform;
  auto state = std::make_unique<GameState>();
  GameState& g = *state;
  ASSERT_TRUE(StartHeadless(g, p, "/game", error)) << error;
  g.flow.StageNo = n;
  ASSERT_TRUE(LoadStage(g, p.files, p.system));
  g.record.ReplayMode = true;
  g.record.ReplayPos = 0;
  g.record.ReplayCount = count;
  for (int32_t i = 0; i < count; ++i) g.record.ReplayMoves[i] = codes[i];

  // The pure rules, one move behind the engine's replay position.
  Board pure = g;
  int32_t pureMoves = 0;
  bool pureCleared = false;
  const auto catchUp = [&](int32_t moves) {
    while (pureMoves < moves) {
      const int32_t code = codes[pureMoves++];
      const int32_t facing = code == 31 ? FacingDown
                             : code == 29 ? FacingLeft
                             : code == 28 ? FacingRight
                                          : FacingUp;
      pureCleared = ApplyMove(pure, facing).cleared;
    }
  };
  int32_t compared = 0;
  for (int pass = 0; pass < 400000 && g.flow.Scene != SceneClear && g.flow.Scene != SceneRetire; ++pass) {
    const int32_t before = g.record.ReplayPos;
    RunPass(g, p);
    if (g.record.ReplayPos != before && (g.flow.Scene == SceneWalk || g.flow.Scene == ScenePush)) {
      // A move has just started: the grid still shows the board before it.
      catchUp(g.record.ReplayPos - 1);
      ASSERT_EQ(BoardKey(g), BoardKey(pure)) << "stage " << n << ", move " << g.record.ReplayPos;
      ++compared;
    }
  }
  ASSERT_EQ(g.flow.Scene, SceneClear) << "stage " << n << " not cleared by its solution";
  EXPECT_EQ(g.record.ReplayPos, count);
  EXPECT_EQ(compared, count) << "every move starts a walk or a push";
  catchUp(count);
  EXPECT_TRUE(pureCleared);
  EXPECT_EQ(g.PlayerX, pure.PlayerX);
  EXPECT_EQ(g.PlayerY, pure.PlayerY);
}

INSTANTIATE_TEST_SUITE_P(Stages, ShippedSolutionInEngineTest, ::testing::Range(1, 101),
                         [](const ::testing::TestParamInfo<int>& info) {
                           char name[16];
                           std::snprintf(name, sizeof name, "Stage%03d", info.param);
                           return std::string(name);
                         });

}  // namespace
}  // namespace rara3
