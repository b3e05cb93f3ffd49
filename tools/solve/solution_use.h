// What a solution does with the pieces of its stage: which boxes it pushes,
// which stop a slide, pair up, get blown up or copied; the generator keeps
// only stages whose every box plays a part.
#pragma once

#include <string>
#include <vector>

#include "game/board.h"

namespace rara3::solve {

struct SolutionUse {
  int boxes = 0;     // boxes at the start, solid boxes not counted
  int unused = 0;    // of which the solution never pushes nor runs into
  int pushesOf[11] = {};  // pushes by the kind pushed
  int bombed[11] = {};    // cells blown up, by kind
  int copiedInto[11] = {};  // copy boxes that turned into this kind
  int stoppedBy[11] = {};   // slides stopped by this kind
  int sidePairings = 0;     // pairings with a box beside the stop, not ahead
  int vanished = 0;
  bool usedKind[11] = {};   // a box of this kind was pushed or ran into
  // What the pushes do, in the order they happen; repeats in a row once.
  std::vector<std::string> steps;
};

SolutionUse AnalyseSolution(const Board& start, const std::vector<int32_t>& facings);

// A one-line idea of the puzzle from what its solution does.
std::string DescribeSolution(const SolutionUse& use);

}  // namespace rara3::solve
