// The timer tick and the move step: which way the player goes, the code
// recorded, and whether the move walks, pushes or only turns the player.
#include "game/move_step.h"
#include "game/pointer.h"
#include "game/undo.h"

#include "core/keys.h"
#include "game/toggles.h"

namespace rara3 {

namespace {

const Arrow* HeldArrow(const GameState& g) {
  for (int i = 0; i < 4; ++i) {
    if ((g.HeldArrows >> i) & 1) return &kArrowPriority[i];
  }
  return nullptr;
}

// Next replay code into Facing. False when the codes are used up: the
// replay ends on the retire screen, without the retire sound.
bool TakeReplayCode(GameState& g) {
  if (g.record.ReplayPos < 0 || g.record.ReplayPos >= g.record.ReplayCount || g.record.ReplayPos >= ReplayCapacity) {
    g.pace.RetireTick = 0;
    g.flow.Scene = SceneRetire;
    return false;
  }
  // An unknown code tries the move in the current facing.
  g.Facing = FacingOfMoveCode(g.record.ReplayMoves[g.record.ReplayPos], g.Facing);
  ++g.record.ReplayPos;
  return true;
}

void ResolveAndNote(GameState& g, int32_t facingBefore) {
  const MoveKind kind = ResolveMove(g);
  // Only what walked or pushed is kept: a held arrow against a wall turns
  // the player every tick and would bury the moves under turns.
  if (kind != MoveKind::None) NoteMove(g, facingBefore, kind == MoveKind::Push);
}

}  // namespace

void PollKeyboard(GameState& g, Keyboard& keyboard) {
  uint8_t keys[256] = {};
  keyboard.Poll(keys);
  g.HeldArrows = 0;
  for (int i = 0; i < 4; ++i)
    if (keys[kArrowPriority[i].keyStateIndex] != 0) g.HeldArrows |= static_cast<uint8_t>(1u << i);
}

void HandleTimerTick(GameState& g, Platform& p) {
  TuneKeepAlive(g, p.audio, p.system);
  PollKeyboard(g, p.keyboard);
  HoldSwipedArrow(g);
  if (g.flow.Scene != SceneIdle) return;
  int32_t facing = 0;
  // Kept taps first, in the order pressed: the poll sees only what is
  // held now. A tapped arrow still held walks on from the next poll.
  if (!g.record.ReplayMode && TakeTappedArrow(g, facing)) {
    MoveInFacing(g, facing);
    return;
  }
  if (g.record.ReplayMode || HeldArrow(g) != nullptr) {
    StartNextMove(g);
    return;
  }
  if (!TakePointerMove(g, facing)) return;
  MoveInFacing(g, facing);
  if (g.flow.Scene == SceneIdle) PointerMoveRefused(g);
}

void StartNextMove(GameState& g) {
  const int32_t facingBefore = g.Facing;
  if (g.record.ReplayMode) {
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
      g.pace.AnimStep = 0;
      g.flow.Scene = SceneWalk;
      break;
    case MoveKind::WalkExit:
      g.pace.AnimStep = 0;
      g.latches.ClearSfxDone = false;
      g.flow.Scene = SceneWalk;
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
  g.push.SlideOffset = 0;
  g.pace.AnimStep = 0;
  g.push.PushPoseDone = false;
  g.push.SlideDone = false;
  g.latches.PushSfxDone = false;
  switch (g.PushKind) {
    case KindPairBox:
      g.push.PairTick = 0;
      g.latches.PairSfxDone = false;
      break;
    case KindVanishBox:
      g.push.VanishTick = 0;
      g.latches.VanishSfxDone = false;
      break;
    case KindCopyBox:
      g.push.CopyTick = 0;
      g.latches.CopySfxDone = false;
      break;
    case KindBombBox:
      g.push.BlastTick = 0;
      g.latches.BlastSfxDone = false;
      break;
    default:
      break;
  }
  g.flow.Scene = ScenePush;
}

}  // namespace rara3
