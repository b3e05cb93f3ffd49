// Play by pointer (mouse, touch) and the buffered arrow tap. A pointer gives
// nothing of its own to the game: a tap or swipe becomes the key-down a key
// would give, and a walk to a tapped cell becomes arrow moves made by the
// idle scene's poll, so records, replays and undo cannot tell them apart.
#pragma once

#include <cstdint>

#include "core/platform.h"
#include "game/game_state.h"

namespace rara3 {

// The board in picture pixels: 20 cells of 24 px from x 80, y 0.
constexpr int32_t kBoardLeft = 80;
constexpr int32_t kBoardTop = 0;
// A press moved this far (picture pixels) is a swipe, no longer a tap.
constexpr int32_t kSwipeDistance = 20;
// A swipe held this many timer ticks (10 ms) walks on like a held arrow.
constexpr int32_t kSwipeHoldTicks = 25;

// The board cell under a picture pixel; false off the board.
bool BoardCellAt(int32_t px, int32_t py, int32_t& x, int32_t& y);

// Shortest walk from the player to (x, y) over cells a move walks onto;
// the open exit only as the last cell. Facings into path, at most
// kBoardSize * kBoardSize. Returns the length, 0 when the cell is the
// player's own, -1 when it cannot be reached.
int32_t FindWalk(const Board& b, int32_t x, int32_t y, int32_t* path);

// A key-down reaching the game: any key stops a walk to a tapped cell and
// drops kept taps; a fresh arrow during a walk or push is kept (two at
// most) to be made, in order, before anything held.
void NoteKeyForPointerPlay(GameState& g, int16_t keyCode);

// A pointer press, move or release at picture pixel (x, y).
void HandlePointer(GameState& g, Platform& p, WindowEventKind kind, int32_t x, int32_t y);

// In the timer tick, after the poll: a held swipe holds its arrow.
void HoldSwipedArrow(GameState& g);
// In the idle scene: the oldest arrow kept; false when none is.
bool TakeTappedArrow(GameState& g, int32_t& facing);
// In the idle scene with no arrow held: the facing of the next move a
// tapped cell asks for; false when there is none.
bool TakePointerMove(GameState& g, int32_t& facing);
// A move was asked for and not made (blocked): the rest of a walk goes.
void PointerMoveRefused(GameState& g);
// Forgets every move asked for and not yet made.
void DropPointerMoves(GameState& g);

}  // namespace rara3
