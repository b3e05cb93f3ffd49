// The headless game's passes per second, replaying the shipped solutions
// stage after stage (with and without composing pixels), and the pure rules'
// moves per second.
#include <benchmark/benchmark.h>

#include <random>
#include <vector>

#include "bench_data.h"
#include "game/board.h"
#include "game/game.h"
#include "app/main_loop.h"

namespace rara3::bench {
namespace {

// One pass of the main loop per iteration: the title starts the replay of
// the selected stage, the clear returns to the title, the next stage follows.
void HeadlessPasses(benchmark::State& state, bool pixels) {
  BenchGame game(pixels);
  GameState& g = game.g;
  const std::vector<WindowEvent> none;
  const std::vector<WindowEvent> replay = {{WindowEventKind::KeyDown, KeyF11, ModCtrlShift}};
  const std::vector<WindowEvent> enter = {{WindowEventKind::KeyDown, KeyEnter, 0}};
  const std::vector<WindowEvent> up = {{WindowEventKind::KeyDown, KeyUp, 0}};
  int64_t clears = 0;
  for (auto _ : state) {
    const std::vector<WindowEvent>* events = &none;
    if (g.flow.Scene == SceneTitle) {
      events = &replay;
    } else if (g.flow.Scene == SceneClear) {
      events = &enter;
    }
    RunPass(g, game.hp.platform, *events);
    if (g.flow.Scene == SceneTitle && events == &enter) {
      ++clears;
      RunPass(g, game.hp.platform, g.flow.StageNo < 100 ? up : none);
    }
    if (game.hp.audio.sfxStarted.size() > 4096) game.hp.audio.sfxStarted.clear();
  }
  state.SetItemsProcessed(state.iterations());
  state.counters["clears"] = static_cast<double>(clears);
  if (game.hp.system.Ended()) state.SkipWithError("the game ended");
}

void BM_HeadlessPassesNoPixels(benchmark::State& state) { HeadlessPasses(state, false); }
BENCHMARK(BM_HeadlessPassesNoPixels);
void BM_HeadlessPassesWithPixels(benchmark::State& state) { HeadlessPasses(state, true); }
BENCHMARK(BM_HeadlessPassesWithPixels);

// Random boards with a ring, many boxes; one ApplyMove per iteration, a
// fresh board every 64 moves or after a clear.
void BM_PureRulesMoves(benchmark::State& state) {
  std::mt19937 rng(11);
  std::vector<Board> boards(256);
  for (Board& b : boards) {
    for (int x = 0; x < kBoardSize; ++x)
      for (int y = 0; y < kBoardSize; ++y) {
        const bool edge = x == 0 || y == 0 || x == kBoardSize - 1 || y == kBoardSize - 1;
        const int r = std::uniform_int_distribution<int>(0, 99)(rng);
        b.Map[x][y] = edge ? KindSolidBox : r < 25 ? std::uniform_int_distribution<int>(1, 8)(rng) : KindEmpty;
      }
    b.PlayerX = std::uniform_int_distribution<int>(1, 18)(rng);
    b.PlayerY = std::uniform_int_distribution<int>(1, 18)(rng);
    b.Map[b.PlayerX][b.PlayerY] = KindPlayer;
    b.ExitX = 18;
    b.ExitY = 18;
  }
  std::vector<int32_t> facings(4096);
  for (int32_t& f : facings) f = 2 * std::uniform_int_distribution<int>(1, 4)(rng);
  Board b = boards[0];
  size_t move = 0;
  size_t board = 0;
  for (auto _ : state) {
    const MoveResult r = ApplyMove(b, facings[move % facings.size()]);
    benchmark::DoNotOptimize(r);
    if (++move % 64 == 0 || r.cleared) b = boards[++board % boards.size()];
  }
  state.SetItemsProcessed(state.iterations());
}
BENCHMARK(BM_PureRulesMoves);

}  // namespace
}  // namespace rara3::bench
