// Undo on the shipped stage with the most room, with a full record: every
// undo plays the remaining moves again from the stage's start, so the
// longest record is the dearest case.
#include <benchmark/benchmark.h>

#include <random>

#include "bench_data.h"
#include "data/data_file.h"
#include "game/game.h"
#include "game/undo.h"

namespace rara3::bench {
namespace {

// The stage with the most free cells: the most room to walk and push.
int32_t RoomiestStage(Files& files) {
  int32_t best = 1;
  int best_free = -1;
  for (int32_t s = 1; s <= kStageCount; ++s) {
    StageCells cells;
    std::string error;
    if (!ReadStage(files, DataFilePath(kBenchDir + "/"), s, cells, error)) continue;
    int free_cells = 0;
    for (uint8_t c : cells) free_cells += c == KindEmpty;
    if (free_cells > best_free) {
      best_free = free_cells;
      best = s;
    }
  }
  return best;
}

// A record of `count` random moves that never clears the stage.
void FillRecord(GameState& g, int32_t count) {
  std::mt19937 rng(5);
  const int32_t codes[4] = {MoveCodeDown, MoveCodeLeft, MoveCodeRight, MoveCodeUp};
  const int32_t facings[4] = {FacingDown, FacingLeft, FacingRight, FacingUp};
  Board b = g.record.StageStart;
  g.record.RecordCount = 0;
  while (g.record.RecordCount < count) {
    const int d = std::uniform_int_distribution<int>(0, 3)(rng);
    Board next = b;
    if (ApplyMove(next, facings[d]).cleared) continue;
    b = next;
    g.record.RecordMoves[g.record.RecordCount++] = codes[d];
  }
}

// One undo at the end of a record of range(0) codes.
void BM_UndoAtRecordLength(benchmark::State& state) {
  BenchGame game(false);
  GameState& g = game.g;
  g.flow.StageNo = RoomiestStage(game.files);
  if (!LoadStage(g, game.hp.platform.files, game.hp.platform.system)) state.SkipWithError("the stage does not load");
  g.switches.SoundOn = false;
  const auto length = static_cast<int32_t>(state.range(0));
  FillRecord(g, length);
  int32_t moves = 0;
  for (auto _ : state) {
    g.record.RecordCount = length;
    TakeBackMove(g, game.hp.platform.audio);
    moves += length - g.record.RecordCount;
  }
  state.counters["stage"] = g.flow.StageNo;
  state.counters["codes_taken_back"] =
      benchmark::Counter(moves, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_UndoAtRecordLength)->Arg(64)->Arg(1024)->Arg(8192)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace rara3::bench
