// The path finding behind a tapped cell, on the shipped stage where the
// player can reach the most cells, to the reachable cell farthest away:
// the widest search any tap can ask for.
#include <benchmark/benchmark.h>

#include "bench_data.h"
#include "data/data_file.h"
#include "game/game.h"
#include "game/pointer.h"

namespace rara3::bench {
namespace {

struct WidestWalk {
  int32_t stage = 0;
  int32_t reachable = -1;
  int32_t x = 0;
  int32_t y = 0;
  int32_t length = 0;
};

WidestWalk FindWidestWalk(BenchGame& game) {
  WidestWalk best;
  int32_t path[kBoardSize * kBoardSize];
  for (int32_t s = 1; s <= kStageCount; ++s) {
    game.g.flow.StageNo = s;
    if (!LoadStage(game.g, game.hp.platform.files, game.hp.platform.system)) continue;
    WidestWalk here{s, 0, 0, 0, 0};
    for (int32_t y = 0; y < kBoardSize; ++y) {
      for (int32_t x = 0; x < kBoardSize; ++x) {
        const int32_t length = FindWalk(game.g, x, y, path);
        if (length <= 0) continue;
        ++here.reachable;
        if (length > here.length) {
          here.x = x;
          here.y = y;
          here.length = length;
        }
      }
    }
    if (here.reachable > best.reachable) best = here;
  }
  return best;
}

void BM_FindWalkWidestStage(benchmark::State& state) {
  BenchGame game(false);
  const WidestWalk w = FindWidestWalk(game);
  game.g.flow.StageNo = w.stage;
  if (w.reachable <= 0 || !LoadStage(game.g, game.hp.platform.files, game.hp.platform.system)) {
    state.SkipWithError("no stage to walk on");
    return;
  }
  int32_t path[kBoardSize * kBoardSize];
  for (auto _ : state) {
    benchmark::DoNotOptimize(FindWalk(game.g, w.x, w.y, path));
    benchmark::ClobberMemory();
  }
  state.counters["stage"] = w.stage;
  state.counters["reachable"] = w.reachable;
  state.counters["steps"] = w.length;
}
BENCHMARK(BM_FindWalkWidestStage)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace rara3::bench
