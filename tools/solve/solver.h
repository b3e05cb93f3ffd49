// Breadth-first search over the pure rules (ApplyMove): a shortest solution
// in moves, and the share of reachable states from which the stage can no
// longer be won.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "game/board.h"

namespace rara3::solve {

struct SearchLimits {
  uint64_t maxStates = 30'000'000;
  double maxSeconds = 600.0;
  // The search's own estimate of what it holds; it gives up beyond this.
  double maxMegabytes = 6000.0;
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
