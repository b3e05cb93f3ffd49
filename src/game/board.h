// The board and the rules of a move: what starts, where a pushed box stops,
// and what its stop does to the grid. The animated game calls these at the
// frames where each thing happens; ApplyMove calls them all at once, so the
// animation and the pure rules can never disagree.
#pragma once

#include <cstdint>

#include "core/cell_kinds.h"
#include "core/data_layout.h"

namespace rara3 {

struct Board {
  // Map[x][y]: x the column, y the row.
  int32_t Map[kBoardSize][kBoardSize] = {};
  int32_t PlayerX = 0;
  int32_t PlayerY = 0;
  int32_t TargetX = 0;
  int32_t TargetY = 0;
  int32_t ExitX = 0;
  int32_t ExitY = 0;
  bool ExitOpen = false;
  int32_t Facing = 0;

  // The push prepared by PrepareMove.
  int32_t PushKind = 0;
  int32_t SlideEndX = 0;
  int32_t SlideEndY = 0;
  int32_t HitX = 0;
  int32_t HitY = 0;
  int32_t HitKind = 0;
  int32_t SlideDistance = 0;
};

// --- What each kind does; every user of the rules asks these ---

// Kinds that slide until they meet something when pushed. A step box moves
// one cell; break and solid boxes never move.
constexpr bool SlidesWhenPushed(int32_t kind) {
  return kind == KindPairBox || kind == KindVanishBox || kind == KindSlideBox ||
         kind == KindCopyBox || kind == KindBombBox;
}

// A copy box takes on the kind it hits, except the exit's and the edge's:
// against those it stays a copy box, and with no room to move it cannot be
// pushed at all.
constexpr bool CopyBoxBlockedBy(int32_t hitKind) {
  return hitKind == KindExit || hitKind == KindOutside;
}

// A bomb box blows up what it hits, except a solid box, the exit and the
// edge; with no room to move in front of those it cannot be pushed.
constexpr bool BombBoxBlockedBy(int32_t hitKind) {
  return hitKind == KindSolidBox || CopyBoxBlockedBy(hitKind);
}

// What a pushed box is once it rests at the end of its slide, given what it
// hit: KindEmpty for a vanish box, which is gone.
constexpr int32_t RestingKind(int32_t pushKind, int32_t hitKind) {
  switch (pushKind) {
    case KindVanishBox: return KindEmpty;
    case KindCopyBox: return CopyBoxBlockedBy(hitKind) ? KindCopyBox : hitKind;
    default: return pushKind;
  }
}

// --- The board ---

// Stage cells, row by row, into Map. The last player cell gives the
// player's position (every player cell stays). For play, the last exit cell
// gives the exit's position and exit cells become floor until the exit
// opens; otherwise (the editor) they stay as stored. Nothing else changes.
void PlaceStageCells(Board& b, const StageCells& cells, bool forPlay);

// The kind at (x, y); KindOutside beyond the grid. Inline: the searches
// ask it for every cell beside every cell they walk.
inline int32_t CellAt(const Board& b, int32_t x, int32_t y) { return InGrid(x, y) ? b.Map[x][y] : KindOutside; }
// Writes a cell; a write beyond the grid does nothing.
inline void SetCell(Board& b, int32_t x, int32_t y, int32_t kind) {
  if (InGrid(x, y)) b.Map[x][y] = kind;
}

enum class MoveKind {
  None,      // blocked: the player only turned
  Walk,      // onto an empty cell
  WalkExit,  // onto the open exit
  Push,      // a push with its slide fields prepared
};

// Target = the cell in front of the player in Facing; for a box there, the
// scan of its slide (PushKind, SlideEnd, SlideDistance and, for pair, copy
// and bomb boxes, Hit and HitKind). Tells what the move starts.
MoveKind PrepareMove(Board& b);

// The stop of a sliding box, applied once when it reaches SlideEnd. True
// when an event follows (pairing, blinking, the slide box's one frame,
// colour change, explosion); false when the push has no event.
bool ApplySlideEnd(Board& b);

// The end of the colour change: the hit box is back in the grid.
void EndCopyEvent(Board& b);

// The grid update at the end of a push. True at the copy-to-pair hand-over:
// the box has become a pair box and its pairing still has to play, after
// which CommitPush runs again.
bool CommitPush(Board& b);

// True when the stop of the prepared push empties the hit cell: a copy box
// takes the hit box's colours, a bomb box blows it up.
bool SlideEndEmptiesHit(const Board& b);

// The phases of a push, in the one order both the animated game and
// ApplyMove run them: the slide, the event at the stop (if any), the box
// settled, and the push done.
enum class PushPhase { Slide, Event, Settled, Done };

// Ends `ending` with its grid rule and tells the phase that follows:
// ApplySlideEnd after the slide, EndCopyEvent after a colour change,
// CommitPush once settled (which hands a copy box that became a pair box
// back to the pairing event).
PushPhase EndPushPhase(Board& b, PushPhase ending);

// The end of a walk: the player stands on Target. True when that is the
// open exit (the stage is cleared).
bool CompleteWalk(Board& b);

struct MoveResult {
  MoveKind kind = MoveKind::None;
  bool cleared = false;     // the player walked onto the open exit
  bool exitOpened = false;  // this move opened the exit
};

// The pure rules: the move in this facing, played out to the end.
MoveResult ApplyMove(Board& b, int32_t facing);

}  // namespace rara3
