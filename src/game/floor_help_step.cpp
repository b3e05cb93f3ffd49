#include "game/floor_help_step.h"

#include <algorithm>
#include <cstring>

#include "game/position_search.h"

namespace rara3 {

namespace {

bool SamePosition(const Board& a, const Board& b) {
  return a.PlayerX == b.PlayerX && a.PlayerY == b.PlayerY && a.ExitOpen == b.ExitOpen &&
         a.ExitX == b.ExitX && a.ExitY == b.ExitY && std::memcmp(a.Map, b.Map, sizeof a.Map) == 0;
}

// The boxes stand where they stood: only the player may have moved. The
// hint's mark stays up while the player walks to its box.
bool SameBoxes(const Board& a, const Board& b) {
  if (a.ExitOpen != b.ExitOpen) return false;
  for (int32_t x = 0; x < kBoardSize; ++x) {
    for (int32_t y = 0; y < kBoardSize; ++y) {
      const int32_t ka = a.Map[x][y] == KindPlayer ? KindEmpty : a.Map[x][y];
      const int32_t kb = b.Map[x][y] == KindPlayer ? KindEmpty : b.Map[x][y];
      if (ka != kb) return false;
    }
  }
  return true;
}

// Everything known of the last position goes; the hints taken and the
// mark on show stay.
void Forget(FloorHelp& h) {
  if (h.Searching) h.Search->Cancel();
  h.Searching = false;
  h.HasFinding = false;
  h.DeepSearched = false;
  h.NoWayOut = false;
  h.HintKnown = false;
  h.Notice = HintNotice::None;
  h.NoticeFramesLeft = 0;
}

void ShowNotice(FloorHelp& h, HintNotice notice) {
  h.Notice = notice;
  h.NoticeFramesLeft = kHintFrames;
}

void ShowHint(FloorHelp& h) {
  h.Hint = h.NextPush;
  h.Hint.FramesLeft = kHintFrames;
  h.Notice = HintNotice::None;
  h.NoticeFramesLeft = 0;
  ++h.HintsTaken;
}

// The position on show is the one searched, or a search of it starts.
void FollowPosition(GameState& g) {
  FloorHelp& h = g.Help;
  const Board& here = g;
  if ((h.Searching || h.HasFinding) && SamePosition(here, h.Searched)) return;
  if (!SameBoxes(here, h.Searched)) h.Hint.FramesLeft = 0;
  Forget(h);
  h.Searched = here;
  h.Search->Start(here, SearchDepth::AfterMove);
  h.Searching = true;
}

void TakeFinding(FloorHelp& h, const PositionFinding& f) {
  h.Searching = false;
  h.HasFinding = true;
  h.NoWayOut = f.verdict == PositionVerdict::Lost;
  h.HintKnown = f.verdict == PositionVerdict::Winnable;
  if (h.HintKnown) h.NextPush = FirstPushOf(h.Searched, f.facings);
  if (h.Notice != HintNotice::Searching) return;
  if (h.HintKnown) {
    ShowHint(h);
  } else if (h.NoWayOut) {
    h.Notice = HintNotice::None;  // "no way out" says it all
    h.NoticeFramesLeft = 0;
  } else {
    ShowNotice(h, HintNotice::NotFound);
  }
}

bool CanHelp(const GameState& g) {
  return g.Help.Search && g.flow.Scene == SceneIdle && !g.record.ReplayMode;
}

}  // namespace

void StepFloorHelp(GameState& g) {
  FloorHelp& h = g.Help;
  if (h.Hint.FramesLeft > 0) --h.Hint.FramesLeft;
  if (h.Notice != HintNotice::Searching && h.NoticeFramesLeft > 0 && --h.NoticeFramesLeft == 0) {
    h.Notice = HintNotice::None;
  }
  // The mark lasts while the player walks to its box, never into a push.
  if (g.flow.Scene != SceneIdle && g.flow.Scene != SceneWalk) h.Hint.FramesLeft = 0;
  if (!h.Search) return;
  if (!CanHelp(g)) {
    if (h.Searching || h.HasFinding) Forget(h);
    return;
  }
  FollowPosition(g);
  PositionFinding finding;
  if (h.Searching && h.Search->Poll(finding)) TakeFinding(h, finding);
}

bool TakeHint(GameState& g) {
  if (!CanHelp(g)) return false;
  FloorHelp& h = g.Help;
  FollowPosition(g);  // a key earlier in this pass may have changed it
  if (h.Hint.FramesLeft > 0) return false;
  if (h.HintKnown) {
    ShowHint(h);
    return true;
  }
  if (h.Searching) {
    h.Notice = HintNotice::Searching;
    h.Search->Hurry();
  } else if (!h.NoWayOut && !h.DeepSearched) {
    // The quick search reached its cap: a deeper one, this once.
    h.Search->Start(h.Searched, SearchDepth::ForHint);
    h.Search->Hurry();
    h.Searching = true;
    h.HasFinding = false;
    h.DeepSearched = true;
    h.Notice = HintNotice::Searching;
  } else if (!h.NoWayOut) {
    ShowNotice(h, HintNotice::NotFound);
  }
  return false;
}

void ResetFloorHelp(GameState& g) {
  FloorHelp& h = g.Help;
  if (h.Search) Forget(h);
  h.Hint.FramesLeft = 0;
  h.HintsTaken = 0;
}

HintMark FirstPushOf(const Board& board, const std::vector<int32_t>& facings) {
  Board b = board;
  for (const int32_t facing : facings) {
    const int32_t d = DirIndexOf(facing);
    const int32_t boxX = b.PlayerX + kDirDX[d];
    const int32_t boxY = b.PlayerY + kDirDY[d];
    if (ApplyMove(b, facing).kind == MoveKind::Push) return HintMark{boxX, boxY, facing, 0};
  }
  return HintMark{board.ExitX, board.ExitY, 0, 0};
}

}  // namespace rara3
