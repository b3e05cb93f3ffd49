#include "game/board.h"

namespace rara3 {

void PlaceStageCells(Board& b, const StageCells& cells, bool forPlay) {
  for (int32_t y = 0; y < kBoardSize; ++y) {
    for (int32_t x = 0; x < kBoardSize; ++x) {
      const int32_t k = cells[kBoardSize * y + x];
      b.Map[x][y] = k;
      if (k == KindPlayer) {
        b.PlayerX = x;
        b.PlayerY = y;
      } else if (k == KindExit && forPlay) {
        b.ExitX = x;
        b.ExitY = y;
        b.Map[x][y] = KindEmpty;
      }
    }
  }
}

namespace {

// Looks from the target along (dx, dy) for the first occupied cell. Beyond
// the grid counts as occupied, so the scan always ends, also on a board
// without its outer ring. Returns the step l at which it stopped.
int32_t ScanSlide(Board& b, int32_t dx, int32_t dy, bool withHit) {
  for (int32_t l = 1;; ++l) {
    const int32_t qx = b.TargetX + l * dx;
    const int32_t qy = b.TargetY + l * dy;
    const int32_t kind = CellAt(b, qx, qy);
    if (kind == KindEmpty) continue;
    b.SlideEndX = b.TargetX + (l - 1) * dx;
    b.SlideEndY = b.TargetY + (l - 1) * dy;
    b.SlideDistance = kCellPixels * (l - 1);
    if (withHit) {
      b.HitX = qx;
      b.HitY = qy;
      b.HitKind = kind;
    }
    return l;
  }
}

void OpenExit(Board& b) {
  b.ExitOpen = true;
  // A player standing on the exit's position stays there; the cell turns
  // into the exit when the player walks off it.
  if (b.ExitX == b.PlayerX && b.ExitY == b.PlayerY) return;
  SetCell(b, b.ExitX, b.ExitY, KindExit);
}

}  // namespace

MoveKind PrepareMove(Board& b) {
  const int32_t d = DirIndexOf(b.Facing);
  if (d < 0 || d > 3) return MoveKind::None;
  const int32_t dx = kDirDX[d];
  const int32_t dy = kDirDY[d];
  b.TargetX = b.PlayerX + dx;
  b.TargetY = b.PlayerY + dy;

  switch (CellAt(b, b.TargetX, b.TargetY)) {
    case KindEmpty:
      return MoveKind::Walk;
    case KindExit:
      return MoveKind::WalkExit;
    case KindPairBox: {
      b.PushKind = KindPairBox;
      const int32_t l = ScanSlide(b, dx, dy, true);
      return (l > 1 || b.HitKind == KindPairBox) ? MoveKind::Push : MoveKind::None;
    }
    case KindVanishBox:
      b.PushKind = KindVanishBox;
      ScanSlide(b, dx, dy, false);
      return MoveKind::Push;
    case KindStepBox: {
      b.PushKind = KindStepBox;
      const int32_t nx = b.TargetX + dx;
      const int32_t ny = b.TargetY + dy;
      if (CellAt(b, nx, ny) != KindEmpty) return MoveKind::None;
      b.SlideEndX = nx;
      b.SlideEndY = ny;
      b.SlideDistance = kCellPixels;
      return MoveKind::Push;
    }
    case KindSlideBox: {
      b.PushKind = KindSlideBox;
      return ScanSlide(b, dx, dy, false) > 1 ? MoveKind::Push : MoveKind::None;
    }
    case KindCopyBox: {
      b.PushKind = KindCopyBox;
      const int32_t l = ScanSlide(b, dx, dy, true);
      return l == 1 && CopyBoxBlockedBy(b.HitKind) ? MoveKind::None : MoveKind::Push;
    }
    case KindBombBox: {
      b.PushKind = KindBombBox;
      const int32_t l = ScanSlide(b, dx, dy, true);
      return l == 1 && BombBoxBlockedBy(b.HitKind) ? MoveKind::None : MoveKind::Push;
    }
    default:
      return MoveKind::None;
  }
}

bool ApplySlideEnd(Board& b) {
  switch (b.PushKind) {
    case KindPairBox: {
      // Neighbours of the stop, below, left, right, above, skipping the one
      // the box came from.
      const int32_t d = DirIndexOf(b.Facing);
      struct Look {
        int32_t dx, dy, skipWhen;
      };
      static constexpr Look kLooks[4] = {{0, 1, 3}, {-1, 0, 2}, {1, 0, 1}, {0, -1, 0}};
      for (const Look& look : kLooks) {
        if (d == look.skipWhen) continue;
        const int32_t x = b.SlideEndX + look.dx;
        const int32_t y = b.SlideEndY + look.dy;
        if (CellAt(b, x, y) == KindPairBox) {
          b.HitX = x;
          b.HitY = y;
          b.HitKind = KindPairBox;
          return true;
        }
      }
      return false;
    }
    case KindVanishBox:
    case KindSlideBox:
      return true;
    case KindCopyBox:
    case KindBombBox:
      if (!SlideEndEmptiesHit(b)) return false;
      SetCell(b, b.HitX, b.HitY, KindEmpty);
      return true;
    default:
      return false;
  }
}

bool SlideEndEmptiesHit(const Board& b) {
  switch (b.PushKind) {
    case KindCopyBox: return !CopyBoxBlockedBy(b.HitKind);
    case KindBombBox: return !BombBoxBlockedBy(b.HitKind);
    default: return false;
  }
}

void EndCopyEvent(Board& b) { SetCell(b, b.HitX, b.HitY, b.HitKind); }

bool CommitPush(Board& b) {
  if (b.PushKind == KindCopyBox && b.HitKind == KindPairBox) {
    // The copy box has become a pair box beside a pair box; the pairing
    // plays next, and its commit opens the exit.
    SetCell(b, b.HitX, b.HitY, KindPairBox);
    b.PushKind = KindPairBox;
    return true;
  }
  if (!SlidesWhenPushed(b.PushKind) && b.PushKind != KindStepBox) return false;
  SetCell(b, b.TargetX, b.TargetY, KindEmpty);
  const int32_t rest = RestingKind(b.PushKind, b.HitKind);
  if (rest != KindEmpty) SetCell(b, b.SlideEndX, b.SlideEndY, rest);
  if (b.PushKind == KindPairBox && b.HitKind == KindPairBox) OpenExit(b);
  return false;
}

bool CompleteWalk(Board& b) {
  // The exit may have opened under the player; it shows once the player
  // steps off it.
  const bool leavingExit = b.ExitOpen && b.PlayerX == b.ExitX && b.PlayerY == b.ExitY;
  SetCell(b, b.PlayerX, b.PlayerY, leavingExit ? KindExit : KindEmpty);
  b.PlayerX = b.TargetX;
  b.PlayerY = b.TargetY;
  SetCell(b, b.PlayerX, b.PlayerY, KindPlayer);
  return b.PlayerX == b.ExitX && b.PlayerY == b.ExitY && b.ExitOpen;
}

PushPhase EndPushPhase(Board& b, PushPhase ending) {
  switch (ending) {
    case PushPhase::Slide:
      return ApplySlideEnd(b) ? PushPhase::Event : PushPhase::Settled;
    case PushPhase::Event:
      if (b.PushKind == KindCopyBox) EndCopyEvent(b);
      return PushPhase::Settled;
    case PushPhase::Settled:
      return CommitPush(b) ? PushPhase::Event : PushPhase::Done;
    case PushPhase::Done:
      break;
  }
  return PushPhase::Done;
}

MoveResult ApplyMove(Board& b, int32_t facing) {
  MoveResult result;
  b.Facing = facing;
  result.kind = PrepareMove(b);
  switch (result.kind) {
    case MoveKind::None:
      break;
    case MoveKind::Walk:
    case MoveKind::WalkExit:
      result.cleared = CompleteWalk(b);
      break;
    case MoveKind::Push: {
      const bool wasOpen = b.ExitOpen;
      PushPhase phase = PushPhase::Slide;
      while (phase != PushPhase::Done) phase = EndPushPhase(b, phase);
      result.exitOpened = !wasOpen && b.ExitOpen;
      break;
    }
  }
  return result;
}

}  // namespace rara3
