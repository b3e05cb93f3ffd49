// The moves that changed the board since the stage started, kept for undo
// and for the panel's counts. Apart from the move record: the record stops
// at its capacity, this never does.
#pragma once

#include <cstdint>
#include <vector>

namespace rara3 {

struct UndoStep {
  uint8_t code = 0;          // the move code, as the record holds it
  uint8_t facingBefore = 0;  // undo turns the player back to it
  bool push = false;
};

struct UndoHistory {
  std::vector<UndoStep> steps;
  int32_t pushes = 0;

  int32_t Moves() const { return static_cast<int32_t>(steps.size()); }
};

}  // namespace rara3
