// A search over pushes alone: the player walks for free, so a position is
// the boxes, the exit's flag and the part of the floor the player can reach.
// It finds a way out with the fewest pushes, and, when there is none, says
// so after far fewer positions than a search over single steps, which is
// what a hint or a "no way out" beside play needs.
#pragma once

#include <cstdint>
#include <memory>

#include "game/board.h"
#include "game/solver.h"

namespace rara3::solve {

class FewestPushSearch {
 public:
  // With threads 2, a second thread expands half of each batch of
  // positions; the positions found go into the table in the same order as
  // with one, so the result is the same.
  FewestPushSearch(const Board& start, const SearchLimits& limits, int threads = 1);
  ~FewestPushSearch();
  FewestPushSearch(const FewestPushSearch&) = delete;
  FewestPushSearch& operator=(const FewestPushSearch&) = delete;

  // Expands at most `budget` more positions; true once the search is over
  // and Result() holds its outcome: the whole way out in facings (walks
  // and pushes), its pushes, and the positions reached.
  bool Run(uint64_t budget);
  bool Done() const { return done_; }
  const SolveResult& Result() const { return result_; }

 private:
  struct Frontier;
  struct Expander;
  class Helper;
  void Finish(SolveStatus status);
  void Solved(uint32_t state, uint16_t lastWalk);

  Board start_;
  SearchLimits limits_;
  std::unique_ptr<Frontier> frontier_;
  std::unique_ptr<Helper> helper_;
  SolveResult result_;
  bool done_ = false;
};

SolveResult SolveFewestPushes(const Board& start, const SearchLimits& limits, int threads = 1);

}  // namespace rara3::solve
