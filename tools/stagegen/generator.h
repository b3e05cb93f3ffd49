// Proposes stages and improves them by small changes, keeping a change when
// the solver rates the stage at least as well: longer solutions with more
// pushes, and no box that the solution could do without.
#pragma once

#include <cstdint>
#include <random>
#include <string>

#include "solution_use.h"
#include "game/solver.h"
#include "stage_file.h"

namespace rara3::stagegen {

struct GenParams {
  int roomW = 10;      // the room's inside, walls around it
  int roomH = 8;
  int wallBits = 10;   // single wall cells strewn inside at the start
  int extraBoxes = 2;  // boxes besides the pair, of the featured kinds
  int maxBoxes = 6;    // more boxes than this is clutter, not a puzzle
  std::string kinds;   // featured kinds as stage characters, e.g. "TB"
  int iterations = 300;
  int minMoves = 15;
  int minPushes = 3;
  uint64_t maxStates = 200'000;
};

struct Rating {
  bool solved = false;
  int moves = 0;
  int pushes = 0;
  uint64_t states = 0;
  int unused = 0;
  bool featuredUsed = false;
  double score = -1e9;
  solve::SolutionUse use;
};

Rating RateStage(const solve::StageFile& stage, const GenParams& p);

// One stage from the seed's generator: a random room, then hill climbing.
// Returns false when no solvable stage turned up.
bool GenerateStage(std::mt19937_64& rng, const GenParams& p, solve::StageFile& out, Rating& rating);

}  // namespace rara3::stagegen
