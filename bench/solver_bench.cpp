// The solver's states per second on a fixed set of shipped stages.
#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>

#include "game/solver.h"
#include "stage_file.h"

namespace rara3::bench {
namespace {

void BM_SolverStates(benchmark::State& state) {
  char name[16];
  std::snprintf(name, sizeof name, "%03d.txt", static_cast<int>(state.range(0)));
  solve::StageFile stage;
  Board board;
  std::string error;
  if (!solve::ReadStageFile(std::string(RARA3_SOURCE_DIR) + "/assets/stages/" + name, stage, error) ||
      !solve::BoardForPlay(stage, board, error)) {
    state.SkipWithError(error.c_str());
    return;
  }
  uint64_t states = 0;
  for (auto _ : state) {
    const solve::SolveResult r = solve::Solve(board, {});
    states += r.states;
    benchmark::DoNotOptimize(r.facings.data());
  }
  state.SetItemsProcessed(static_cast<int64_t>(states));
  state.counters["states"] = static_cast<double>(states) / static_cast<double>(state.iterations());
}
BENCHMARK(BM_SolverStates)->Arg(10)->Arg(40)->Arg(70)->Arg(100)->Unit(benchmark::kMillisecond);

}  // namespace
}  // namespace rara3::bench
