// The characters of the stage files (assets/stages/001.txt ...), one per
// cell kind, as the packer, the solver, the generator, the simulator and the
// tests write and read them.
#pragma once

#include <cstdint>

#include "core/cell_kinds.h"

namespace rara3 {

// '.' empty, 'P' pair, '%' break, 'V' vanish, 'T' step, 'S' slide, 'C' copy,
// '#' solid, 'B' bomb, '@' player, 'E' exit: kind order.
constexpr char kStageChars[] = ".P%VTSC#B@E";
// How a stored value above 10 is shown; never accepted back.
constexpr char kUnknownCellChar = '?';

// The kind of a cell character, or -1 when it is not one.
constexpr int32_t KindOfStageChar(char c) {
  for (int32_t k = 0; k <= kLastKind; ++k)
    if (kStageChars[k] == c) return k;
  return -1;
}

// The character of a cell value; kUnknownCellChar outside 0..10.
constexpr char StageCharOfKind(int32_t kind) {
  return kind >= 0 && kind <= kLastKind ? kStageChars[kind] : kUnknownCellChar;
}

}  // namespace rara3
