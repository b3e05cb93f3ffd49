// The timer tick and the move step: which way the player goes, the code
// recorded, and whether the move walks, pushes or only turns the player.
#include "game/game.h"
#include "game/move_step.h"

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
  if (g.ReplayPos < 0 || g.ReplayPos >= g.ReplayCount || g.ReplayPos >= ReplayCapacity) {
    g.RetireTick = 0;
    g.Scene = SceneRetire;
    return false;
  }
  switch (g.ReplayMoves[g.ReplayPos]) {
    case MoveCodeRight: g.Facing = FacingRight; break;
    case MoveCodeLeft: g.Facing = FacingLeft; break;
    case MoveCodeUp: g.Facing = FacingUp; break;
    case MoveCodeDown: g.Facing = FacingDown; break;
    default: break;  // an unknown code tries the move in the current facing
  }
  ++g.ReplayPos;
  return true;
}

}  // namespace

void PollKeyboard(GameState& g, Platform& p) { p.keyboard.Poll(g.KeyState); }

void HandleTimerTick(GameState& g, Platform& p) {
  TuneKeepAlive(g, p);
  PollKeyboard(g, p);
  if (g.Scene == SceneIdle && (g.ReplayMode || HeldArrow(g) != nullptr)) StartNextMove(g);
}

void StartNextMove(GameState& g) {
  if (g.ReplayMode) {
    if (!TakeReplayCode(g)) return;
  } else {
    const Arrow* a = HeldArrow(g);
    if (a == nullptr) return;
    g.Facing = a->facing;
    // Every attempt is recorded, blocked ones too. A full record keeps its
    // first codes; the moves beyond still play.
    if (g.RecordCount >= 0 && g.RecordCount < RecordCapacity) {
      g.RecordMoves[g.RecordCount] = a->moveCode;
      ++g.RecordCount;
    }
  }
  ResolveMove(g);
}

void ResolveMove(GameState& g) {
  switch (PrepareMove(g)) {
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
