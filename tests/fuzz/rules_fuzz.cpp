// The rules on any board: every byte value in any cell, with or without the
// outer ring, the player and the exit anywhere in the grid, and any moves.
// The pure rules (ApplyMove) must stay in bounds and keep the player inside
// the grid; the animated game (ResolveMove/StartPush and RunFrame) must
// end every move within a bounded number of frames, and on a sane board
// (kinds 0..10, the player standing in its cell) leave the board the pure
// rules leave.
#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <memory>

#include "game/board.h"
#include "game/game.h"
#include "platform/headless/headless_platform.h"
#include "support/memory_files.h"
#include "app/main_loop.h"
#include "game/move_step.h"
#include "fuzz_input.h"

using namespace rara3;

namespace {

// The pure rules take many moves; the animated game plays the first few
// frame by frame (a push runs up to a few hundred frames).
constexpr int kMaxMoves = 64;
constexpr int kAnimatedMoves = 4;
constexpr int kFrameLimit = 2000;  // far beyond the longest push

bool Sane(const Board& b) {
  for (const auto& column : b.Map)
    for (int32_t k : column)
      if (k < KindEmpty || k > KindExit) return false;
  return InGrid(b.PlayerX, b.PlayerY) && b.Map[b.PlayerX][b.PlayerY] == KindPlayer;
}

bool SameBoard(const Board& a, const Board& b) {
  return std::equal(&a.Map[0][0], &a.Map[0][0] + kBoardSize * kBoardSize, &b.Map[0][0]) &&
         a.PlayerX == b.PlayerX && a.PlayerY == b.PlayerY && a.ExitX == b.ExitX &&
         a.ExitY == b.ExitY && a.ExitOpen == b.ExitOpen;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  static MemoryFiles files;
  static HeadlessPlatform hp(files);
  static auto state = std::make_unique<GameState>();
  hp.display.recordBlits = false;
  hp.audio.sfxStarted.clear();

  FuzzInput in{data, size};
  const uint8_t flags = in.Byte();
  const bool ring = flags & 1;
  Board pure;
  // Cells: raw bytes, or (flag) folded onto the eleven kinds for sane boards.
  for (int y = 0; y < kBoardSize; ++y)
    for (int x = 0; x < kBoardSize; ++x) {
      const uint8_t b = in.Byte();
      pure.Map[x][y] = (flags & 2) ? b % 11 : b;
      if (ring && (x == 0 || y == 0 || x == kBoardSize - 1 || y == kBoardSize - 1))
        pure.Map[x][y] = KindSolidBox;
    }
  pure.PlayerX = in.Byte() % kBoardSize;
  pure.PlayerY = in.Byte() % kBoardSize;
  pure.ExitX = in.Byte() % kBoardSize;
  pure.ExitY = in.Byte() % kBoardSize;
  pure.ExitOpen = flags & 4;
  if (flags & 8) pure.Map[pure.PlayerX][pure.PlayerY] = KindPlayer;
  pure.Facing = FacingDown;

  GameState& g = *state;
  SetStartingValues(g);
  g.lifecycle.LoopStarted = true;
  g.switches.SoundOn = (flags & 16) != 0;
  g.switches.StepFrames = 1 + (flags >> 5) % 3;
  static_cast<Board&>(g) = pure;

  for (int move = 0; move < kMaxMoves && in.at < size; ++move) {
    const int32_t facing = 2 * (1 + in.Byte() % 4);
    if (move >= kAnimatedMoves) {
      const Board before = pure;
      const MoveResult result = ApplyMove(pure, facing);
      if (!InGrid(pure.PlayerX, pure.PlayerY)) abort();
      // A move that changes nothing reports nothing.
      if (result.kind == MoveKind::None && !SameBoard(before, pure)) abort();
      if (result.cleared) break;
      continue;
    }
    const bool sane = Sane(pure);
    g.flow.Scene = SceneIdle;
    g.Facing = facing;
    ResolveMove(g);
    int frames = 0;
    while (g.flow.Scene != SceneIdle && g.flow.Scene != SceneClear && frames < kFrameLimit) {
      RunFrame(g, hp.platform);
      ++frames;
    }
    if (frames >= kFrameLimit) {
      fprintf(stderr, "move %d did not end in %d frames\n", move, kFrameLimit);
      abort();
    }
    const MoveResult result = ApplyMove(pure, facing);
    if (!InGrid(pure.PlayerX, pure.PlayerY) || !InGrid(g.PlayerX, g.PlayerY)) abort();
    if (sane && (!SameBoard(g, pure) || (g.flow.Scene == SceneClear) != result.cleared)) {
      fprintf(stderr, "animated and pure rules differ after move %d\n", move);
      abort();
    }
    if (!sane) static_cast<Board&>(g) = pure;  // go on from the rules' board
    if (result.cleared) break;
  }
  return 0;
}
