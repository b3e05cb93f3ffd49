// A hint from the start of the hardest shipped floor for the hint's search
// (stage 100, the most positions), within the game's cap for a hint: the
// search H starts, then the push it marks; on two threads as the desktop
// game runs it, and on one as the page does. Beside it the search in single
// moves the game used before, with the cap it had (six million states).
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdint>
#include <string>

#include "game/floor_help_step.h"
#include "game/position_search.h"
#include "game/push_search.h"
#include "stage_file.h"

namespace rara3::bench {
namespace {

template <solve::SolveResult (*Search)(const Board&, const solve::SearchLimits&)>
void HintFromStart(benchmark::State& state) {
  solve::StageFile stage;
  Board board;
  std::string error;
  const std::string path = std::string(RARA3_SOURCE_DIR) + "/assets/stages/100.txt";
  if (!solve::ReadStageFile(path, stage, error) || !solve::BoardForPlay(stage, board, error)) {
    state.SkipWithError(error.c_str());
    return;
  }
  uint64_t states = 0;
  for (auto _ : state) {
    solve::SearchLimits limits = InGameSearchCaps().forHint;
    limits.maxStates = std::max<uint64_t>(limits.maxStates, state.range(0));
    const solve::SolveResult r = Search(board, limits);
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
// The search the game runs for a hint, over pushes, beside the one over
// single moves that the shipped solutions come from.
solve::SolveResult OnOneThread(const Board& b, const solve::SearchLimits& l) {
  return solve::SolveFewestPushes(b, l, 1);
}
solve::SolveResult OnTwoThreads(const Board& b, const solve::SearchLimits& l) {
  return solve::SolveFewestPushes(b, l, 2);
}
void BM_HintFromStart(benchmark::State& state) { HintFromStart<OnOneThread>(state); }
void BM_HintFromStartOnTwoThreads(benchmark::State& state) { HintFromStart<OnTwoThreads>(state); }
void BM_HintFromStartInMoves(benchmark::State& state) { HintFromStart<solve::Solve>(state); }
BENCHMARK(BM_HintFromStart)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(1);
BENCHMARK(BM_HintFromStartOnTwoThreads)->Arg(0)->Unit(benchmark::kMillisecond)->Iterations(1)->UseRealTime();
BENCHMARK(BM_HintFromStartInMoves)->Arg(6'000'000)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace
}  // namespace rara3::bench
