// The board's size, the cell kinds, the four directions and the move codes
// of replay files: the numbers every layer of the game and every tool agree
// on.
#pragma once

#include <cstdint>

namespace rara3 {

constexpr int kBoardSize = 20;
// A cell is 24 px square on the screen; slides are measured in pixels.
constexpr int32_t kCellPixels = 24;

// Cell kinds, as stored in stages.
constexpr int32_t KindEmpty = 0;
constexpr int32_t KindPairBox = 1;
constexpr int32_t KindBreakBox = 2;
constexpr int32_t KindVanishBox = 3;
constexpr int32_t KindStepBox = 4;
constexpr int32_t KindSlideBox = 5;
constexpr int32_t KindCopyBox = 6;
constexpr int32_t KindSolidBox = 7;
constexpr int32_t KindBombBox = 8;
constexpr int32_t KindPlayer = 9;
constexpr int32_t KindExit = 10;
// The highest value a stored cell may hold.
constexpr int32_t kLastKind = KindExit;
// What a cell beyond the grid reads as: occupied, and it cannot be entered,
// pushed, destroyed or copied.
constexpr int32_t KindOutside = -1;

// The eight box kinds, 1 to 8, in the order of their tiles.
constexpr int32_t kBoxKinds = 8;
constexpr bool IsBoxKind(int32_t kind) { return kind >= KindPairBox && kind <= KindBombBox; }

constexpr bool InGrid(int32_t x, int32_t y) {
  return x >= 0 && x < kBoardSize && y >= 0 && y < kBoardSize;
}

// Facing values (keypad digits) and the steps of direction index
// Facing / 2 - 1: down, left, right, up.
constexpr int32_t FacingDown = 2;
constexpr int32_t FacingLeft = 4;
constexpr int32_t FacingRight = 6;
constexpr int32_t FacingUp = 8;
constexpr int32_t kDirDX[4] = {0, -1, 1, 0};
constexpr int32_t kDirDY[4] = {1, 0, 0, -1};

// Direction index of a facing, 0..3.
constexpr int32_t DirIndexOf(int32_t facing) { return facing / 2 - 1; }

// Move codes as stored in replay files.
constexpr int32_t MoveCodeRight = 28;
constexpr int32_t MoveCodeLeft = 29;
constexpr int32_t MoveCodeUp = 30;
constexpr int32_t MoveCodeDown = 31;

}  // namespace rara3
