// Help for a stuck player: "no way out" once the position is proven lost,
// and H for the next push of a shortest way out. Both come from one search
// of the position, started whenever the idle scene shows a new one.
#pragma once

#include <cstdint>

#include "game/board.h"

namespace rara3 {

class PositionSearch;

// How long the hint's mark stays on the board: two seconds.
constexpr int32_t kHintFrames = 120;

// The box to push next and the way to push it, while FramesLeft > 0.
struct HintMark {
  int32_t BoxX = 0;
  int32_t BoxY = 0;
  int32_t Facing = 0;
  int32_t FramesLeft = 0;
};

enum class HintNotice : uint8_t {
  None,
  Searching,  // H was pressed before the search ended; the mark follows
  NotFound,   // the search reached its cap: no hint for this position
};

struct FloorHelp {
  // Set by the application; without one there is no search and no hint.
  PositionSearch* Search = nullptr;

  // The position is proven lost: no sequence of moves clears the floor.
  bool NoWayOut = false;
  // Hints shown on this floor since it was loaded.
  int32_t HintsTaken = 0;
  HintMark Hint;
  HintNotice Notice = HintNotice::None;
  int32_t NoticeFramesLeft = 0;

  // The position the last search was started from, and what it found.
  bool Searching = false;
  bool HasFinding = false;
  bool DeepSearched = false;  // H asked for the deeper search of it
  Board Searched;
  bool HintKnown = false;  // a way out was found: NextPush holds its first push
  HintMark NextPush;
};

}  // namespace rara3
