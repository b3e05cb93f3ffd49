// The first ten shipped stages cleared by clicks alone through the loop
// pass: a click on the last cell of each run of walks (the game finds the
// way), a click on the box beside the player for each push. The replay the
// clear writes plays to the clear by the pure rules.
#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <memory>
#include <sstream>
#include <string>
#include <vector>

#include "app/headless_bring_up.h"
#include "app/main_loop.h"
#include "data/stage_text.h"
#include "game/game.h"
#include "game/pointer.h"
#include "game/replay_file.h"
#include "platform/headless/headless_platform.h"
#include "support/game_fixture.h"
#include "support/memory_files.h"
#include "support/shipped_assets.h"

namespace rara3 {
namespace {

using test::ReadShippedAsset;

int32_t FacingOfCode(int32_t code) {
  return code == MoveCodeDown ? FacingDown
         : code == MoveCodeLeft ? FacingLeft
         : code == MoveCodeRight ? FacingRight
                                 : FacingUp;
}

std::vector<int32_t> ReadCodes(const std::string& bytes, std::string& error) {
  std::vector<int32_t> codes(ReplayCapacity);
  int32_t count = 0;
  if (!ParseReplay(std::vector<uint8_t>(bytes.begin(), bytes.end()), ReplayCapacity,
                   codes.data(), count, error))
    return {};
  codes.resize(count);
  return codes;
}

class ClickPlayTest : public ::testing::TestWithParam<int> {};

TEST_P(ClickPlayTest, ClearsAndItsReplayClears) {
  const int n = GetParam();
  StageCells cells;
  std::string error;
  ASSERT_TRUE(ParseStageText(ReadShippedAsset(n, "stages", ".txt"), "stage", cells, error)) << error;
  const std::vector<int32_t> solution = ReadCodes(ReadShippedAsset(n, "solutions", ".PBD"), error);
  ASSERT_FALSE(solution.empty()) << error;

  MemoryFiles files;
  files.files[test::kDataPath] = test::SyntheticDataFile(100);
  for (int i = 0; i < kStageSize; ++i)
    files.files[test::kDataPath][StageCellOffset(n, i % 20, i / 20)] = cells[i];
  HeadlessPlatform hp{files};
  hp.display.recordBlits = false;
  Platform& p = hp.platform;
  auto state = std::make_unique<GameState>();
  GameState& g = *state;
  ASSERT_TRUE(StartHeadless(g, p, "/game", error)) << error;
  g.flow.StageNo = n;
  const auto click = [&](int32_t x, int32_t y) {
    RunPass(g, p, {{WindowEventKind::PointerDown, 0, 0, x, y},
                   {WindowEventKind::PointerUp, 0, 0, x, y}});
  };
  const auto clickCell = [&](int32_t x, int32_t y) {
    click(kBoardLeft + x * kCellPixels + 12, kBoardTop + y * kCellPixels + 12);
  };
  // Until the player stands and nothing more is asked for.
  const auto settle = [&] {
    for (int pass = 0; pass < 20000; ++pass) {
      if (g.flow.Scene != SceneWalk && g.flow.Scene != ScenePush && g.Pointer.pathPos >= g.Pointer.pathLength)
        return;
      RunPass(g, p);
    }
    FAIL() << "stage " << n << ": the moves never ended";
  };
  click(320, 400);  // the title: play the chosen floor
  ASSERT_EQ(g.flow.Scene, SceneIdle);

  // The solution by the pure rules, turned into clicks: walks run together.
  int clicks = 0;
  for (size_t i = 0; i < solution.size() && g.flow.Scene == SceneIdle;) {
    Board next = g;
    const MoveResult r = ApplyMove(next, FacingOfCode(solution[i]));
    if (r.kind == MoveKind::Walk || r.kind == MoveKind::WalkExit) {
      size_t j = i + 1;
      for (bool exit = r.cleared; !exit && j < solution.size(); ++j) {
        Board step = next;
        const MoveResult s = ApplyMove(step, FacingOfCode(solution[j]));
        if (s.kind != MoveKind::Walk && s.kind != MoveKind::WalkExit) break;
        next = step;
        exit = s.cleared;
      }
      clickCell(next.PlayerX, next.PlayerY);
      i = j;
    } else if (r.kind == MoveKind::Push) {
      clickCell(g.PlayerX + kDirDX[DirIndexOf(FacingOfCode(solution[i]))],
                g.PlayerY + kDirDY[DirIndexOf(FacingOfCode(solution[i]))]);
      ++i;
    } else {
      ++i;  // only a turn: the next move faces its own way
      continue;
    }
    ++clicks;
    settle();
  }
  ASSERT_EQ(g.flow.Scene, SceneClear) << "stage " << n << " after " << clicks << " clicks";
  EXPECT_LE(g.record.RecordCount, static_cast<int32_t>(solution.size()));

  // The cheering over, a click goes on and writes the replay.
  for (int pass = 0; pass < 200 && g.pace.ClearTick < kClearHold; ++pass) RunPass(g, p);
  click(320, 240);
  char name[16];
  std::snprintf(name, sizeof name, "/game/%03d.PBD", n);
  ASSERT_TRUE(files.files.count(name)) << name << " not written";
  const std::vector<uint8_t>& written = files.files[name];
  const std::vector<int32_t> replay =
      ReadCodes(std::string(written.begin(), written.end()), error);
  ASSERT_FALSE(replay.empty()) << error;
  Board pure;
  PlaceStageCells(pure, cells, true);
  bool cleared = false;
  for (const int32_t code : replay) {
    ASSERT_FALSE(cleared) << "moves after the clear";
    cleared = ApplyMove(pure, FacingOfCode(code)).cleared;
  }
  EXPECT_TRUE(cleared) << "stage " << n << "'s replay of " << replay.size() << " moves";
  std::printf("stage %d: %d clicks, %zu moves recorded (solution %zu)\n", n, clicks,
              replay.size(), solution.size());
}

INSTANTIATE_TEST_SUITE_P(Stages, ClickPlayTest, ::testing::Range(1, 11),
                         [](const ::testing::TestParamInfo<int>& info) {
                           char name[16];
                           std::snprintf(name, sizeof name, "Stage%03d", info.param);
                           return std::string(name);
                         });

}  // namespace
}  // namespace rara3
