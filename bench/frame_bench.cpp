// Composing one frame of each scene with the built-in art, against a plain
// copy of the 640 x 480 RGB565 frame measured in the same run. Each
// benchmark prints its CPU time per frame as a multiple of that copy's
// (x_memcpy).
#include <benchmark/benchmark.h>

#include <cstring>
#include <random>
#include <vector>

#include "bench_data.h"
#include "game/game.h"
#include "app/main_loop.h"
#include "game/move_step.h"

namespace rara3::bench {
namespace {

void BM_FrameMemcpy(benchmark::State& state) {
  constexpr size_t kBytes = 640 * 480 * 2;
  std::vector<uint8_t> from(kBytes, 0x5a), to(kBytes);
  for (auto _ : state) {
    std::memcpy(to.data(), from.data(), kBytes);
    benchmark::DoNotOptimize(to.data());
    benchmark::ClobberMemory();
  }
  state.SetBytesProcessed(static_cast<int64_t>(state.iterations() * kBytes));
}
BENCHMARK(BM_FrameMemcpy);

// Every cell taken: boxes of all kinds around the player.
void CrowdedBoard(GameState& g) {
  std::mt19937 rng(7);
  for (int x = 0; x < kBoardSize; ++x)
    for (int y = 0; y < kBoardSize; ++y) g.Map[x][y] = std::uniform_int_distribution<int>(1, 8)(rng);
  g.PlayerX = 10;
  g.PlayerY = 10;
  g.Map[10][10] = KindPlayer;
  g.ExitX = 18;
  g.ExitY = 18;
  g.ExitOpen = false;
  g.Facing = FacingDown;
}

// A bomb box pushed right along row 10 into a pair box: slide, then the
// explosion; the rest of the board crowded.
void BombPush(GameState& g) {
  CrowdedBoard(g);
  for (int x = 0; x < kBoardSize; ++x) g.Map[x][10] = KindEmpty;
  g.Map[1][10] = KindPlayer;
  g.PlayerX = 1;
  g.Map[2][10] = KindBombBox;
  g.Map[12][10] = KindPairBox;
  g.flow.Scene = SceneIdle;
  g.Facing = FacingRight;
  ResolveMove(g);
}

// Runs the frames of one scene; setup puts the game in it, again whenever
// the scene has ended; change, if given, alters the game before each frame.
// Every frame is read once, as the display reads it to show it.
template <class Setup, class Change = void (*)(GameState&)>
void ComposeFrames(benchmark::State& state, int16_t scene, Setup setup,
                   Change change = [](GameState&) {}) {
  BenchGame game(true);
  GameState& g = game.g;
  setup(g, game);
  if (g.flow.Scene != scene) {
    state.SkipWithError("the scene was not reached");
    return;
  }
  const double copy = FrameCopyNanos();
  const double start = ThreadCpuNanos();
  for (auto _ : state) {
    change(g);
    RunFrame(g, game.hp.platform);
    benchmark::DoNotOptimize(game.compositor->PixelAt(0, 0));
    if (g.flow.Scene != scene) setup(g, game);
  }
  const double perFrame = (ThreadCpuNanos() - start) / static_cast<double>(state.iterations());
  state.counters["from_copy"] = static_cast<double>(game.compositor->BlitsFromCopy()) / static_cast<double>(state.iterations());
  state.counters["memcpy_ns"] = copy;
  state.counters["x_memcpy"] = perFrame / copy;
}

void BM_ComposeIdleCrowded(benchmark::State& state) {
  ComposeFrames(state, SceneIdle, [](GameState& g, BenchGame&) {
    CrowdedBoard(g);
    g.flow.Scene = SceneIdle;
  });
}
BENCHMARK(BM_ComposeIdleCrowded);

// The same board with its top-left box changing every frame: nothing after
// the floor is as in the frame before.
void BM_ComposeIdleCrowdedChanging(benchmark::State& state) {
  ComposeFrames(
      state, SceneIdle,
      [](GameState& g, BenchGame&) {
        CrowdedBoard(g);
        g.flow.Scene = SceneIdle;
      },
      [](GameState& g) { g.Map[0][0] = g.Map[0][0] == KindPairBox ? KindSolidBox : KindPairBox; });
}
BENCHMARK(BM_ComposeIdleCrowdedChanging);

// The same board on another floor every frame: nothing after the clear is
// as in the frame before, every blit is drawn.
void BM_ComposeIdleCrowdedNewFloor(benchmark::State& state) {
  ComposeFrames(
      state, SceneIdle,
      [](GameState& g, BenchGame&) {
        CrowdedBoard(g);
        g.flow.Scene = SceneIdle;
      },
      [](GameState& g) { g.flow.StageNo = g.flow.StageNo == 1 ? 11 : 1; });
}
BENCHMARK(BM_ComposeIdleCrowdedNewFloor);

void BM_ComposePushExplosion(benchmark::State& state) {
  ComposeFrames(state, ScenePush, [](GameState& g, BenchGame&) { BombPush(g); });
}
BENCHMARK(BM_ComposePushExplosion);

void BM_ComposeTitle(benchmark::State& state) {
  ComposeFrames(state, SceneTitle, [](GameState& g, BenchGame&) { g.flow.Scene = SceneTitle; });
}
BENCHMARK(BM_ComposeTitle);

void BM_ComposeEditor(benchmark::State& state) {
  ComposeFrames(state, SceneEditor, [](GameState& g, BenchGame& game) {
    g.flow.StageNo = 50;
    LoadStageForEditor(g, game.hp.platform.files, game.hp.platform.system);
  });
}
BENCHMARK(BM_ComposeEditor);

}  // namespace
}  // namespace rara3::bench
