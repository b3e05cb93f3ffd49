// A hint from the start of the hardest shipped floor (the most states of
// all), within the game's cap for a hint: the search H starts, then the
// push it marks.
#include <benchmark/benchmark.h>

#include <string>

#include "game/floor_help_step.h"
#include "game/position_search.h"
#include "stage_file.h"

namespace rara3::bench {
namespace {

void BM_HintFromStart(benchmark::State& state) {
  solve::StageFile stage;
  Board board;
  std::string error;
  const std::string path = std::string(RARA3_SOURCE_DIR) + "/assets/stages/099.txt";
  if (!solve::ReadStageFile(path, stage, error) || !solve::BoardForPlay(stage, board, error)) {
    state.SkipWithError(error.c_str());
    return;
  }
  uint64_t states = 0;
  for (auto _ : state) {
    const solve::SolveResult r = solve::Solve(board, InGameSearchCaps().forHint);
    if (r.status != solve::SolveStatus::Solved) {
      state.SkipWithError("no hint within the cap");
      return;
    }
    const HintMark m = FirstPushOf(board, r.facings);
    benchmark::DoNotOptimize(m);
    states = r.states;
  }
  state.counters["states"] = static_cast<double>(states);
}
BENCHMARK(BM_HintFromStart)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace rara3::bench
