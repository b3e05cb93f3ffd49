#include "game/undo.h"

#include <algorithm>

namespace rara3 {

namespace {

int32_t CodeOfFacing(int32_t facing) {
  switch (facing) {
    case FacingRight: return MoveCodeRight;
    case FacingLeft: return MoveCodeLeft;
    case FacingUp: return MoveCodeUp;
    default: return MoveCodeDown;
  }
}

}  // namespace

int32_t FacingOfMoveCode(int32_t code, int32_t facing) {
  switch (code) {
    case MoveCodeRight: return FacingRight;
    case MoveCodeLeft: return FacingLeft;
    case MoveCodeUp: return FacingUp;
    case MoveCodeDown: return FacingDown;
    default: return facing;
  }
}

namespace {

bool CanChangeBoard(const GameState& g) { return g.flow.Scene == SceneIdle && !g.record.ReplayMode; }

void ForgetMoves(GameState& g) {
  g.Undo.steps.clear();
  g.Undo.pushes = 0;
  g.record.RecordCount = 0;
}

}  // namespace

void KeepStageStart(GameState& g) {
  g.record.StageStart = static_cast<const Board&>(g);
  ForgetMoves(g);
}

void NoteMove(GameState& g, int32_t facingBefore, bool push) {
  const int32_t code = CodeOfFacing(g.Facing);
  g.Undo.steps.push_back({static_cast<uint8_t>(code), static_cast<uint8_t>(facingBefore), push});
  if (push) ++g.Undo.pushes;
  // A full record keeps its first codes; the moves beyond still play and
  // can still be undone.
  // A replay records nothing: it plays what the file holds.
  if (!g.record.ReplayMode && g.record.RecordCount >= 0 && g.record.RecordCount < RecordCapacity) {
    g.record.RecordMoves[g.record.RecordCount++] = code;
  }
}

Board ReplayHistory(const GameState& g, int32_t count) {
  Board b = g.record.StageStart;
  count = std::clamp(count, 0, g.Undo.Moves());
  for (int32_t i = 0; i < count; ++i) ApplyMove(b, FacingOfMoveCode(g.Undo.steps[i].code, b.Facing));
  return b;
}

bool TakeBackMove(GameState& g, Audio& audio) {
  if (!CanChangeBoard(g)) return false;
  if (g.Undo.steps.empty()) {
    // Only turns in place since the start: back to the start's facing.
    if (g.Facing == g.record.StageStart.Facing) return false;
    g.Facing = g.record.StageStart.Facing;
  } else {
    const UndoStep last = g.Undo.steps.back();
    g.Undo.steps.pop_back();
    if (last.push) --g.Undo.pushes;
    static_cast<Board&>(g) = ReplayHistory(g, g.Undo.Moves());
    g.Facing = last.facingBefore;
    g.record.RecordCount = std::min(g.Undo.Moves(), RecordCapacity);
  }
  if (g.switches.SoundOn) audio.PlaySfx(Effect::Bump);
  return true;
}

bool RestartStage(GameState& g) {
  if (!CanChangeBoard(g)) return false;
  static_cast<Board&>(g) = g.record.StageStart;
  ForgetMoves(g);
  return true;
}

}  // namespace rara3
