#include "game/undo.h"

#include <algorithm>

namespace rara3 {

namespace {

// The facing a recorded code turns to; any other code keeps it, as in a
// replay.
int32_t FacingOfCode(int32_t code, int32_t facing) {
  switch (code) {
    case MoveCodeRight: return FacingRight;
    case MoveCodeLeft: return FacingLeft;
    case MoveCodeUp: return FacingUp;
    case MoveCodeDown: return FacingDown;
    default: return facing;
  }
}

bool CanChangeBoard(const GameState& g) { return g.flow.Scene == SceneIdle && !g.record.ReplayMode; }

}  // namespace

void KeepStageStart(GameState& g) { g.record.StageStart = static_cast<const Board&>(g); }

Board BoardAfterRecord(const GameState& g, int32_t count, int32_t& lastMove) {
  Board b = g.record.StageStart;
  lastMove = -1;
  for (int32_t i = 0; i < count; ++i) {
    if (ApplyMove(b, FacingOfCode(g.record.RecordMoves[i], b.Facing)).kind != MoveKind::None) {
      lastMove = i;
    }
  }
  return b;
}

bool TakeBackMove(GameState& g, Audio& audio) {
  if (!CanChangeBoard(g)) return false;
  const int32_t count = std::clamp(g.record.RecordCount, 0, RecordCapacity);
  if (count == 0) return false;
  int32_t lastMove = -1;
  BoardAfterRecord(g, count, lastMove);
  // Everything from the last real move on goes: the move and the turns in
  // place after it. Without one, only turns remain: back to the start.
  const int32_t keep = std::max(lastMove, 0);
  int32_t unused = -1;
  static_cast<Board&>(g) = BoardAfterRecord(g, keep, unused);
  g.record.RecordCount = keep;
  if (g.switches.SoundOn) audio.PlaySfx(Effect::Bump);
  return true;
}

bool RestartStage(GameState& g) {
  if (!CanChangeBoard(g)) return false;
  static_cast<Board&>(g) = g.record.StageStart;
  g.record.RecordCount = 0;
  return true;
}

}  // namespace rara3
