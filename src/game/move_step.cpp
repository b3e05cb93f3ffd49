// The timer tick and the move step: which way the player goes, the code
// recorded, and whether the move walks, pushes or only turns the player.
#include "game/move_step.h"

#include "core/keys.h"
#include "game/toggles.h"

namespace rara3 {

namespace {

struct Arrow {
  int keyStateIndex;
  int32_t facing;
  int32_t moveCode;
};

// Several arrows held at once resolve by this order alone.
constexpr Arrow kArrowPriority[4] = {
    {KeyStateDown, FacingDown, MoveCodeDown},
    {KeyStateLeft, FacingLeft, MoveCodeLeft},
    {KeyStateRight, FacingRight, MoveCodeRight},
    {KeyStateUp, FacingUp, MoveCodeUp},
};

const Arrow* HeldArrow(const GameState& g) {
  for (const Arrow& a : kArrowPriority) {
    if (g.KeyState[a.keyStateIndex] != 0) return &a;
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
  switch (g.record.ReplayMoves[g.record.ReplayPos]) {
    case MoveCodeRight: g.Facing = FacingRight; break;
    case MoveCodeLeft: g.Facing = FacingLeft; break;
    case MoveCodeUp: g.Facing = FacingUp; break;
    case MoveCodeDown: g.Facing = FacingDown; break;
    default: break;  // an unknown code tries the move in the current facing
  }
  ++g.record.ReplayPos;
  return true;
}

}  // namespace

void PollKeyboard(GameState& g, Keyboard& keyboard) { keyboard.Poll(g.KeyState); }

void HandleTimerTick(GameState& g, Platform& p) {
  TuneKeepAlive(g, p.audio, p.system);
  PollKeyboard(g, p.keyboard);
  if (g.flow.Scene == SceneIdle && (g.record.ReplayMode || HeldArrow(g) != nullptr)) StartNextMove(g);
}

void StartNextMove(GameState& g) {
  if (g.record.ReplayMode) {
    if (!TakeReplayCode(g)) return;
  } else {
    const Arrow* a = HeldArrow(g);
    if (a == nullptr) return;
    g.Facing = a->facing;
    // Every attempt is recorded, blocked ones too. A full record keeps its
    // first codes; the moves beyond still play.
    if (g.record.RecordCount >= 0 && g.record.RecordCount < RecordCapacity) {
      g.record.RecordMoves[g.record.RecordCount] = a->moveCode;
      ++g.record.RecordCount;
    }
  }
  ResolveMove(g);
}

void ResolveMove(GameState& g) {
  switch (PrepareMove(g)) {
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
