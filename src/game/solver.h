// Breadth-first search over the pure rules (ApplyMove): a shortest solution
// in moves, and the share of reachable states from which the stage can no
// longer be won.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "game/board.h"

namespace rara3::solve {

struct SearchLimits {
  uint64_t maxStates = 30'000'000;
  double maxSeconds = 600.0;
  // The search's own estimate of what it holds; it gives up beyond this.
  double maxMegabytes = 6000.0;
  // Set from another thread to stop the search early (GaveUp).
  const std::atomic<bool>* cancel = nullptr;
};

enum class SolveStatus { Solved, Unsolvable, GaveUp };

struct SolveResult {
  SolveStatus status = SolveStatus::GaveUp;
  std::vector<int32_t> facings;  // the moves, as Facing values 2, 4, 6, 8
  int32_t pushes = 0;
  uint64_t states = 0;  // distinct states reached
  double seconds = 0;
  std::string limitHit;  // for GaveUp: which bound stopped the search
};

SolveResult Solve(const Board& start, const SearchLimits& limits);

// The same search, run a slice at a time: the game runs it beside play,
// on a worker thread or a few states per frame.
class ShortestSearch {
 public:
  ShortestSearch(const Board& start, const SearchLimits& limits);
  ~ShortestSearch();
  ShortestSearch(const ShortestSearch&) = delete;
  ShortestSearch& operator=(const ShortestSearch&) = delete;

  // Expands at most `budget` more states; true once the search is over and
  // Result() holds its outcome.
  bool Run(uint64_t budget);
  bool Done() const { return done_; }
  const SolveResult& Result() const { return result_; }

 private:
  struct Frontier;
  void Finish(SolveStatus status);

  Board start_;
  SearchLimits limits_;
  std::unique_ptr<Frontier> frontier_;
  SolveResult result_;
  bool done_ = false;
};

struct DeadEndResult {
  bool complete = false;  // false when the state limit cut the graph short
  uint64_t states = 0;    // reachable states
  uint64_t dead = 0;      // of which the stage can no longer be won
  uint64_t winning = 0;   // states with a move onto the open exit
  double Share() const { return states ? static_cast<double>(dead) / states : 0.0; }
};

DeadEndResult DeadEnds(const Board& start, const SearchLimits& limits);

// The replay file's move codes of a list of facings.
std::vector<int32_t> MoveCodesOf(const std::vector<int32_t>& facings);
int32_t MoveCodeOf(int32_t facing);

// Plays the facings from start with the pure rules; true when the last move
// clears the stage and no earlier one does. pushes counts the moves that
// pushed.
bool ReplayClears(const Board& start, const std::vector<int32_t>& facings, int32_t* pushes);

}  // namespace rara3::solve
