// Whether the floor can still be won from a position, searched beside play
// so that no frame ever waits for it: on a worker thread on the desktop, a
// slice of each frame in the browser (which runs no threads). Both are asked
// the same way, from the main thread only.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "game/board.h"
#include "game/push_search.h"
#include "game/solver.h"

namespace rara3 {

enum class PositionVerdict {
  Winnable,  // facings holds a way out with the fewest pushes
  Lost,      // every reachable position was seen, none clears the floor
  Unknown,   // the search reached its cap first
};

struct PositionFinding {
  PositionVerdict verdict = PositionVerdict::Unknown;
  std::vector<int32_t> facings;
  uint64_t states = 0;
};

// After every move a quick search, cheap enough to run beside play; on H,
// where that one reached its cap, a deeper one for the hint.
enum class SearchDepth { AfterMove, ForHint };

struct SearchCaps {
  solve::SearchLimits afterMove;
  solve::SearchLimits forHint;
};

class PositionSearch {
 public:
  virtual ~PositionSearch() = default;
  // Drops the search under way, if any, and searches from a copy of board.
  virtual void Start(const Board& board, SearchDepth depth) = 0;
  // Drops the search under way; its finding is never reported.
  virtual void Cancel() = 0;
  // Once a frame: true, with the finding, when the latest search has ended
  // since the last call.
  virtual bool Poll(PositionFinding& finding) = 0;
  // The player waits for the search under way (H was pressed): it may take
  // more of each frame, until the next Start or Cancel. A search with a
  // thread of its own runs flat out anyway.
  virtual void Hurry() {}
};

// The caps of the game: after a move enough positions for every shipped
// floor from its start (two seconds on the desktop at worst, on the
// search's own thread), so a hint is mostly known before it is asked for;
// for a hint a deeper search, for floors of the player's own making.
SearchCaps InGameSearchCaps();

// A worker thread of its own, started once; a new Start cancels the old
// search without waiting for it.
std::unique_ptr<PositionSearch> MakeThreadedSearch(const SearchCaps& caps);

// The search run inside Poll, for about sliceSeconds of each call, or
// hurriedSliceSeconds while the player waits for it.
std::unique_ptr<PositionSearch> MakeSlicedSearch(const SearchCaps& caps, double sliceSeconds,
                                                 double hurriedSliceSeconds = 0);

// The search run inside Poll, statesPerPoll states each call and no clock
// at all (the caps' time limit is dropped): the same finding on the same
// frame on every run, for scripted play.
std::unique_ptr<PositionSearch> MakeCountedSearch(const SearchCaps& caps, uint64_t statesPerPoll);

// The finding of a finished search.
PositionFinding FindingOf(const solve::SolveResult& result);

}  // namespace rara3
