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

// An undo history of `count` random moves that walk or push and never
// clear the stage, played as the game plays them.
void FillHistory(GameState& g, int32_t count) {
  std::mt19937 rng(5);
  const int32_t facings[4] = {FacingDown, FacingLeft, FacingRight, FacingUp};
  while (g.Undo.Moves() < count) {
    const int32_t facing = facings[std::uniform_int_distribution<int>(0, 3)(rng)];
    Board next = g;
    const MoveResult r = ApplyMove(next, facing);
    if (r.kind == MoveKind::None || r.cleared) continue;
    const int32_t before = g.Facing;
    static_cast<Board&>(g) = next;
    NoteMove(g, before, r.kind == MoveKind::Push);
  }
}

// One undo at the end of a history of range(0) moves; the move taken back
// is put back between iterations.
void BM_UndoAtHistoryLength(benchmark::State& state) {
  BenchGame game(false);
  GameState& g = game.g;
  g.flow.StageNo = RoomiestStage(game.files);
  if (!LoadStage(g, game.hp.platform.files, game.hp.platform.system)) state.SkipWithError("the stage does not load");
  g.switches.SoundOn = false;
  const auto length = static_cast<int32_t>(state.range(0));
  FillHistory(g, length);
  const Board last = g;
  int32_t moves = 0;
  for (auto _ : state) {
    const UndoStep step = g.Undo.steps.back();
    TakeBackMove(g, game.hp.platform.audio);
    moves += length - g.Undo.Moves();
    g.Undo.steps.push_back(step);
    static_cast<Board&>(g) = last;
  }
  state.counters["stage"] = g.flow.StageNo;
  state.counters["moves_taken_back"] = benchmark::Counter(moves, benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_UndoAtHistoryLength)->Arg(64)->Arg(8192)->Arg(100000)->Unit(benchmark::kMicrosecond);

}  // namespace
}  // namespace rara3::bench
