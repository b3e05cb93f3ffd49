#include "game/pointer.h"

#include <cstdlib>

#include "game/game.h"
#include "game/move_step.h"

namespace rara3 {

namespace {

const Arrow* ArrowOf(int32_t facing) {
  for (const Arrow& a : kArrowPriority)
    if (a.facing == facing) return &a;
  return nullptr;
}

int32_t FacingOfKey(int16_t keyCode) {
  for (const Arrow& a : kArrowPriority)
    if (a.keyCode == keyCode) return a.facing;
  return 0;
}

int32_t FacingOfStep(int32_t dx, int32_t dy) {
  for (int32_t d = 0; d < 4; ++d)
    if (kDirDX[d] == dx && kDirDY[d] == dy) return (d + 1) * 2;
  return 0;
}

bool MovesOnBoard(const GameState& g) {
  return !g.record.ReplayMode &&
         (g.flow.Scene == SceneIdle || g.flow.Scene == SceneWalk || g.flow.Scene == ScenePush);
}

// The stage number on the title: its upper half chooses the next floor,
// its lower half the one before.
constexpr int32_t kNumberLeft = 320;
constexpr int32_t kNumberRight = 512;
constexpr int32_t kNumberTop = 300;
constexpr int32_t kNumberMiddle = 350;
constexpr int32_t kNumberBottom = 400;

void Tap(GameState& g, Platform& p, int32_t x, int32_t y) {
  switch (g.flow.Scene) {
    case SceneTitle:
      if (x >= kNumberLeft && x < kNumberRight && y >= kNumberTop && y < kNumberBottom) {
        HandleKeyDown(g, p, y < kNumberMiddle ? KeyUp : KeyDown, 0);
      } else {
        HandleKeyDown(g, p, KeyEnter, 0);
      }
      return;
    case SceneIdle:
    case SceneWalk:
    case ScenePush: {
      int32_t cx = 0;
      int32_t cy = 0;
      if (g.record.ReplayMode || !BoardCellAt(x, y, cx, cy)) return;
      PointerPlay& q = g.Pointer;
      q.tapCount = 0;
      q.targetPending = true;
      q.targetX = cx;
      q.targetY = cy;
      return;
    }
    case SceneClear:
    case SceneEnding:
      HandleKeyDown(g, p, KeyEnter, 0);
      return;
    case SceneRetire:
      // Only Esc leaves the fallen player; a tap is the obvious way on.
      HandleKeyDown(g, p, KeyEscape, 0);
      return;
    default:
      return;  // the editor is played by keys
  }
}

void KeepTap(PointerPlay& q, int32_t facing) {
  constexpr int32_t kKept = sizeof(q.taps) / sizeof(q.taps[0]);
  // Full, the newest tap takes the last place: it is what the player meant last.
  if (q.tapCount == kKept) --q.tapCount;
  q.taps[q.tapCount++] = facing;
}

// A swipe is an arrow tapped: kept like one, and always, since nothing
// stays held for the poll to see. On the title, where only up and down
// choose, right is up and left is down.
void Swipe(GameState& g, Platform& p, int32_t facing) {
  if (MovesOnBoard(g)) {
    PointerPlay& q = g.Pointer;
    q.targetPending = false;
    q.pathLength = q.pathPos = 0;
    KeepTap(q, facing);
    return;
  }
  if (g.flow.Scene == SceneTitle && facing == FacingRight) facing = FacingUp;
  if (g.flow.Scene == SceneTitle && facing == FacingLeft) facing = FacingDown;
  HandleKeyDown(g, p, ArrowOf(facing)->keyCode, 0);
}

void FollowPointer(GameState& g, Platform& p, int32_t x, int32_t y) {
  PointerPlay& q = g.Pointer;
  const int32_t dx = x - q.anchorX;
  const int32_t dy = y - q.anchorY;
  if (std::abs(dx) < kSwipeDistance && std::abs(dy) < kSwipeDistance) return;
  const int32_t facing = std::abs(dx) >= std::abs(dy) ? (dx > 0 ? FacingRight : FacingLeft)
                                                      : (dy > 0 ? FacingDown : FacingUp);
  q.anchorX = x;
  q.anchorY = y;
  // Dragging on the same way is still the one swipe; a turn is a new one.
  if (facing == q.swipeFacing) return;
  q.swipeFacing = facing;
  q.swipeTicks = 0;
  Swipe(g, p, facing);
}

}  // namespace

bool BoardCellAt(int32_t px, int32_t py, int32_t& x, int32_t& y) {
  const int32_t bx = px - kBoardLeft;
  const int32_t by = py - kBoardTop;
  const int32_t side = kBoardSize * kCellPixels;
  if (bx < 0 || by < 0 || bx >= side || by >= side) return false;
  x = bx / kCellPixels;
  y = by / kCellPixels;
  return true;
}

int32_t FindWalk(const Board& b, int32_t x, int32_t y, int32_t* path) {
  if (!InGrid(x, y)) return -1;
  if (x == b.PlayerX && y == b.PlayerY) return 0;
  const int32_t target = CellAt(b, x, y);
  if (target != KindEmpty && target != KindExit) return -1;
  constexpr int32_t kCells = kBoardSize * kBoardSize;
  // The direction index that reached each cell; -1 not reached yet.
  int8_t cameBy[kCells];
  for (int8_t& c : cameBy) c = -1;
  int32_t queue[kCells];
  int32_t head = 0;
  int32_t tail = 0;
  const auto index = [](int32_t cx, int32_t cy) { return cy * kBoardSize + cx; };
  if (!InGrid(b.PlayerX, b.PlayerY)) return -1;
  const int32_t start = index(b.PlayerX, b.PlayerY);
  cameBy[start] = 4;  // the start: never entered
  queue[tail++] = start;
  const int32_t goal = index(x, y);
  while (head < tail && cameBy[goal] < 0) {
    const int32_t at = queue[head++];
    for (int32_t d = 0; d < 4; ++d) {
      const int32_t nx = at % kBoardSize + kDirDX[d];
      const int32_t ny = at / kBoardSize + kDirDY[d];
      if (!InGrid(nx, ny)) continue;
      const int32_t n = index(nx, ny);
      if (cameBy[n] >= 0) continue;
      // Stepping onto the open exit clears the stage: only as the goal.
      const int32_t kind = b.Map[nx][ny];
      if (kind != KindEmpty && !(n == goal && kind == KindExit)) continue;
      cameBy[n] = static_cast<int8_t>(d);
      queue[tail++] = n;
    }
  }
  if (cameBy[goal] < 0) return -1;
  int32_t length = 0;
  for (int32_t at = goal; at != start;) {
    const int32_t d = cameBy[at];
    ++length;
    at = index(at % kBoardSize - kDirDX[d], at / kBoardSize - kDirDY[d]);
  }
  int32_t i = length;
  for (int32_t at = goal; at != start;) {
    const int32_t d = cameBy[at];
    path[--i] = (d + 1) * 2;
    at = index(at % kBoardSize - kDirDX[d], at / kBoardSize - kDirDY[d]);
  }
  return length;
}

void NoteKeyForPointerPlay(GameState& g, int16_t keyCode) {
  PointerPlay& q = g.Pointer;
  q.targetPending = false;
  q.pathLength = q.pathPos = 0;
  const int32_t facing = FacingOfKey(keyCode);
  if (facing == 0) {
    q.tapCount = 0;
    return;
  }
  // An arrow the last poll saw held is a repeat: the poll moves it. In the
  // idle scene the poll sees a new arrow itself, unless taps wait before it.
  if (!MovesOnBoard(g) || (g.HeldArrows & HeldBit(facing)) != 0) return;
  if (g.flow.Scene == SceneIdle && q.tapCount == 0) return;
  KeepTap(q, facing);
}

void HandlePointer(GameState& g, Platform& p, WindowEventKind kind, int32_t x, int32_t y) {
  PointerPlay& q = g.Pointer;
  switch (kind) {
    case WindowEventKind::PointerDown:
      // A new press ends the walk to the last tapped cell.
      q.targetPending = false;
      q.pathLength = q.pathPos = 0;
      q.down = true;
      q.downX = q.anchorX = x;
      q.downY = q.anchorY = y;
      q.swipeFacing = 0;
      q.swipeTicks = 0;
      return;
    case WindowEventKind::PointerMove:
      if (q.down) FollowPointer(g, p, x, y);
      return;
    case WindowEventKind::PointerUp:
      if (!q.down) return;
      FollowPointer(g, p, x, y);
      q.down = false;
      if (q.swipeFacing == 0) Tap(g, p, q.downX, q.downY);
      q.swipeFacing = 0;
      return;
    default:
      return;
  }
}

void HoldSwipedArrow(GameState& g) {
  PointerPlay& q = g.Pointer;
  if (!q.down || q.swipeFacing == 0) return;
  if (q.swipeTicks < kSwipeHoldTicks) ++q.swipeTicks;
  if (q.swipeTicks >= kSwipeHoldTicks && MovesOnBoard(g))
    g.HeldArrows |= HeldBit(q.swipeFacing);
}

bool TakeTappedArrow(GameState& g, int32_t& facing) {
  PointerPlay& q = g.Pointer;
  if (q.tapCount <= 0) return false;
  facing = q.taps[0];
  for (int32_t i = 1; i < q.tapCount; ++i) q.taps[i - 1] = q.taps[i];
  --q.tapCount;
  return true;
}

bool TakePointerMove(GameState& g, int32_t& facing) {
  PointerPlay& q = g.Pointer;
  if (q.targetPending) {
    q.targetPending = false;
    q.pathLength = q.pathPos = 0;
    const int32_t dx = q.targetX - g.PlayerX;
    const int32_t dy = q.targetY - g.PlayerY;
    // A box beside the player is pushed, as its arrow would.
    if (std::abs(dx) + std::abs(dy) == 1 && IsBoxKind(CellAt(g, q.targetX, q.targetY))) {
      facing = FacingOfStep(dx, dy);
      return true;
    }
    const int32_t length = FindWalk(g, q.targetX, q.targetY, q.path);
    if (length > 0) q.pathLength = length;
  }
  if (q.pathPos >= q.pathLength) return false;
  facing = q.path[q.pathPos++];
  return true;
}

void PointerMoveRefused(GameState& g) { g.Pointer.pathLength = g.Pointer.pathPos = 0; }

void DropPointerMoves(GameState& g) {
  PointerPlay& q = g.Pointer;
  q.tapCount = 0;
  q.targetPending = false;
  q.pathLength = q.pathPos = 0;
}

}  // namespace rara3
