// The timer tick and the move step: which way the player goes, the code
// recorded, and whether the move walks, pushes or only turns the player.
#include "game/game.h"
#include "game/move_step.h"
#include "game/pointer.h"
#include "game/undo.h"

namespace rara3 {

namespace {

const Arrow* HeldArrow(const GameState& g) {
  for (const Arrow& a : kArrowPriority) {
    if (g.KeyState[a.keyStateIndex] != 0) return &a;
  }
  return nullptr;
}

// Next replay code into Facing. False when the codes are used up: the
// replay ends on the retire screen, without the retire sound.
bool TakeReplayCode(GameState& g) {
  if (g.ReplayPos < 0 || g.ReplayPos >= g.ReplayCount || g.ReplayPos >= ReplayCapacity) {
    g.RetireTick = 0;
    g.Scene = SceneRetire;
    return false;
  }
  // An unknown code tries the move in the current facing.
  g.Facing = FacingOfMoveCode(g.ReplayMoves[g.ReplayPos], g.Facing);
  ++g.ReplayPos;
  return true;
}

void ResolveAndNote(GameState& g, int32_t facingBefore) {
  const MoveKind kind = ResolveMove(g);
  // Only what walked or pushed is kept: a held arrow against a wall turns
  // the player every tick and would bury the moves under turns.
  if (kind != MoveKind::None) NoteMove(g, facingBefore, kind == MoveKind::Push);
}

}  // namespace

void PollKeyboard(GameState& g, Platform& p) { p.keyboard.Poll(g.KeyState); }

void Timer1_Timer(GameState& g, Platform& p) {
  TuneKeepAlive(g, p);
  PollKeyboard(g, p);
  HoldSwipedArrow(g);
  if (g.Scene != SceneIdle) return;
  int32_t facing = 0;
  // Kept taps first, in the order pressed: the poll sees only what is
  // held now. A tapped arrow still held walks on from the next poll.
  if (!g.ReplayMode && TakeTappedArrow(g, facing)) {
    MoveInFacing(g, facing);
    return;
  }
  if (g.ReplayMode || HeldArrow(g) != nullptr) {
    MoveStep(g);
    return;
  }
  if (!TakePointerMove(g, facing)) return;
  MoveInFacing(g, facing);
  if (g.Scene == SceneIdle) PointerMoveRefused(g);
}

void MoveStep(GameState& g) {
  const int32_t facingBefore = g.Facing;
  if (g.ReplayMode) {
    if (!TakeReplayCode(g)) return;
  } else {
    const Arrow* a = HeldArrow(g);
    if (a != nullptr) MoveInFacing(g, a->facing);
    return;
  }
  ResolveAndNote(g, facingBefore);
}

void MoveInFacing(GameState& g, int32_t facing) {
  const Arrow* a = nullptr;
  for (const Arrow& arrow : kArrowPriority)
    if (arrow.facing == facing) a = &arrow;
  if (a == nullptr) return;
  const int32_t facingBefore = g.Facing;
  g.Facing = a->facing;
  ResolveAndNote(g, facingBefore);
}

MoveKind ResolveMove(GameState& g) {
  const MoveKind kind = PrepareMove(g);
  switch (kind) {
    case MoveKind::Walk:
      g.AnimStep = 0;
      g.Scene = SceneWalk;
      break;
    case MoveKind::WalkExit:
      g.AnimStep = 0;
      g.ClearSfxDone = false;
      g.Scene = SceneWalk;
      break;
    case MoveKind::Push:
      StartPush(g);
      break;
    case MoveKind::None:
      break;
  }
  return kind;
}

void StartPush(GameState& g) {
  g.SlideOffset = 0;
  g.AnimStep = 0;
  g.PushPoseDone = false;
  g.SlideDone = false;
  g.PushSfxDone = false;
  switch (g.PushKind) {
    case KindPairBox:
      g.PairTick = 0;
      g.PairSfxDone = false;
      break;
    case KindVanishBox:
      g.VanishTick = 0;
      g.VanishSfxDone = false;
      break;
    case KindCopyBox:
      g.CopyTick = 0;
      g.CopySfxDone = false;
      break;
    case KindBombBox:
      g.BlastTick = 0;
      g.BlastSfxDone = false;
      break;
    default:
      break;
  }
  g.Scene = ScenePush;
}

}  // namespace rara3
