// The animated game and the pure rules agree: on seeded random boards (all
// kinds, unusual values, with and without the outer ring) every move played
// out frame by frame leaves the same board as ApplyMove. Both run the push's
// phases through EndPushPhase, so the order of its rules is written once;
// what this still guards is the frame step: that it reaches every phase,
// ends each one exactly once and never hangs.
#include <gtest/gtest.h>

#include <random>
#include <sstream>

#include "support/render_rig.h"
#include "game/move_step.h"

namespace rara3 {
namespace {

constexpr int kBoards = 2000;
constexpr int kMovesPerBoard = 3;
constexpr int kFrameLimit = 1000;  // far beyond the longest push (about 200)

void RandomBoard(std::mt19937& rng, Board& b) {
  auto pick = [&rng](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(rng); };
  const bool ring = pick(0, 1) == 1;
  const int density = pick(10, 60);  // percent of occupied cells
  for (int x = 0; x < kBoardSize; ++x) {
    for (int y = 0; y < kBoardSize; ++y) {
      int32_t kind = KindEmpty;
      if (pick(1, 100) <= density) {
        const int r = pick(1, 100);
        if (r <= 85) kind = pick(KindPairBox, KindBombBox);
        else if (r <= 90) kind = KindExit;
        else if (r <= 93) kind = KindPlayer;
        else kind = pick(11, 255);
      }
      const bool edge = x == 0 || y == 0 || x == kBoardSize - 1 || y == kBoardSize - 1;
      b.Map[x][y] = ring && edge ? KindSolidBox : kind;
    }
  }
  const int lo = ring ? 1 : 0;
  const int hi = ring ? kBoardSize - 2 : kBoardSize - 1;
  b.PlayerX = pick(lo, hi);
  b.PlayerY = pick(lo, hi);
  b.Map[b.PlayerX][b.PlayerY] = KindPlayer;
  b.ExitX = pick(lo, hi);
  b.ExitY = pick(lo, hi);
  b.ExitOpen = pick(0, 2) == 0;
  if (b.ExitOpen && (b.ExitX != b.PlayerX || b.ExitY != b.PlayerY)) b.Map[b.ExitX][b.ExitY] = KindExit;
  // Boxes next to the player make pushes likely.
  const int32_t d = pick(0, 3);
  const int32_t nx = b.PlayerX + kDirDX[d];
  const int32_t ny = b.PlayerY + kDirDY[d];
  if (InGrid(nx, ny) && pick(0, 1) == 1) b.Map[nx][ny] = pick(KindPairBox, KindBombBox);
  b.Facing = FacingDown;
}

std::string Describe(const Board& b) {
  std::ostringstream out;
  out << "player " << b.PlayerX << "," << b.PlayerY << " exit " << b.ExitX << "," << b.ExitY
      << (b.ExitOpen ? " open" : " closed") << "\n";
  for (const std::string& row : test::BoardRows(b, kBoardSize, kBoardSize)) out << row << "\n";
  return out.str();
}

TEST(AnimatedAndPureRules, AgreeOnRandomBoardsAndMoves) {
  MemoryFiles files;
  HeadlessPlatform hp(files);
  hp.display.recordBlits = false;
  auto state = std::make_unique<GameState>();
  GameState& g = *state;
  SetStartingValues(g);
  g.lifecycle.LoopStarted = true;
  g.switches.SoundOn = true;
  Board pure;
  int pushes = 0;
  int walks = 0;
  int clears = 0;
  int opened = 0;
  int pushesOfKind[KindBombBox + 1] = {};
  for (int seed = 0; seed < kBoards; ++seed) {
    std::mt19937 rng(static_cast<uint32_t>(seed));
    RandomBoard(rng, pure);
    static_cast<Board&>(g) = pure;
    g.switches.StepFrames = std::uniform_int_distribution<int>(1, 3)(rng);
    for (int move = 0; move < kMovesPerBoard; ++move) {
      const Board before = pure;
      const int32_t facing = 2 * std::uniform_int_distribution<int>(1, 4)(rng);
      g.flow.Scene = SceneIdle;
      g.Facing = facing;
      ResolveMove(g);
      const int16_t started = g.flow.Scene;
      int frames = 0;
      while (g.flow.Scene != SceneIdle && g.flow.Scene != SceneClear && frames < kFrameLimit) {
        RunFrame(g, hp.platform);
        ++frames;
      }
      const MoveResult result = ApplyMove(pure, facing);
      if (started == ScenePush) {
        ++pushes;
        ++pushesOfKind[before.Map[g.TargetX][g.TargetY]];  // the kind pushed
      }
      walks += started == SceneWalk;
      clears += result.cleared;
      opened += result.exitOpened;
      const bool same = std::equal(&g.Map[0][0], &g.Map[0][0] + kBoardSize * kBoardSize,
                                   &pure.Map[0][0]) &&
                        g.PlayerX == pure.PlayerX && g.PlayerY == pure.PlayerY &&
                        g.ExitX == pure.ExitX && g.ExitY == pure.ExitY &&
                        g.ExitOpen == pure.ExitOpen && (g.flow.Scene == SceneClear) == result.cleared;
      ASSERT_LT(frames, kFrameLimit) << "seed " << seed << " move " << move;
      ASSERT_TRUE(same) << "seed " << seed << " move " << move << " facing " << facing
                        << "\nbefore:\n" << Describe(before) << "animated:\n" << Describe(g)
                        << "pure:\n" << Describe(pure);
      if (result.cleared) break;
    }
  }
  // The boards exercise every kind of move.
  EXPECT_GT(pushes, kBoards / 4);
  EXPECT_GT(walks, kBoards / 2);
  EXPECT_GT(clears, 2);
  EXPECT_GT(opened, 2);
  for (int32_t kind : {KindPairBox, KindVanishBox, KindStepBox, KindSlideBox, KindCopyBox, KindBombBox})
    EXPECT_GT(pushesOfKind[kind], 20) << "kind " << kind;
  EXPECT_GT(hp.display.flips, 0);
}

}  // namespace
}  // namespace rara3
