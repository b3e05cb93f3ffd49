// The fewest pushes any solution needs, whatever it costs in walking: a
// breadth-first search in which each step is one push. Walking is free, so
// two boards whose boxes stand alike count as one when the player can walk
// from one place to the other.
#pragma once

#include "game/solver.h"

namespace rara3::solve {

// On success, facings is one solution with that many pushes (walking the
// shortest way between them) and states counts the push boards searched.
SolveResult FewestPushes(const Board& start, const SearchLimits& limits);

}  // namespace rara3::solve
