#include "solution_use.h"

#include <cctype>

namespace rara3::solve {

namespace {
bool IsSliding(int32_t kind) {
  return kind == KindPairBox || kind == KindVanishBox || kind == KindSlideBox ||
         kind == KindCopyBox || kind == KindBombBox;
}
}  // namespace

SolutionUse AnalyseSolution(const Board& start, const std::vector<int32_t>& facings) {
  SolutionUse use;
  // Each box keeps the number it started with while it moves.
  int id[kBoardSize][kBoardSize];
  std::vector<int32_t> kindOf;
  std::vector<bool> used;
  for (int x = 0; x < kBoardSize; ++x) {
    for (int y = 0; y < kBoardSize; ++y) {
      const int32_t k = start.Map[x][y];
      id[x][y] = -1;
      if (k >= KindPairBox && k <= KindBombBox && k != KindSolidBox) {
        id[x][y] = static_cast<int>(kindOf.size());
        kindOf.push_back(k);
        used.push_back(false);
      }
    }
  }
  const auto mark = [&](int x, int y) {
    if (!InGrid(x, y) || id[x][y] < 0) return;
    used[id[x][y]] = true;
  };

  Board b = start;
  for (int32_t facing : facings) {
    const int d = DirIndexOf(facing);
    const int dx = kDirDX[d];
    const int dy = kDirDY[d];
    const int tx = b.PlayerX + dx;
    const int ty = b.PlayerY + dy;
    const int32_t pushed = CellAt(b, tx, ty);
    const MoveResult r = ApplyMove(b, facing);
    if (r.kind != MoveKind::Push) continue;
    ++use.pushesOf[pushed];
    mark(tx, ty);
    const int ex = b.SlideEndX;
    const int ey = b.SlideEndY;
    const int sx = ex + dx;
    const int sy = ey + dy;
    if (IsSliding(pushed)) {
      const int32_t stopper = CellAt(b, sx, sy);
      mark(sx, sy);
      if (stopper >= 0 && stopper <= 10) ++use.stoppedBy[stopper];
    }
    if (pushed == KindPairBox && b.HitKind == KindPairBox) {
      mark(b.HitX, b.HitY);
      if (b.HitX != sx || b.HitY != sy) ++use.sidePairings;
    }
    if (pushed == KindCopyBox && b.HitKind >= 0 && b.HitKind <= 10) ++use.copiedInto[b.HitKind];
    if (pushed == KindBombBox && b.HitKind != KindSolidBox && b.HitKind != KindExit &&
        b.HitKind >= 0 && InGrid(sx, sy)) {
      ++use.bombed[b.HitKind];
      id[sx][sy] = -1;
    }
    const int moving = id[tx][ty];
    id[tx][ty] = -1;
    if (pushed == KindVanishBox) {
      ++use.vanished;
    } else {
      id[ex][ey] = moving;
    }
  }
  use.boxes = static_cast<int>(kindOf.size());
  for (size_t i = 0; i < used.size(); ++i) {
    if (used[i]) {
      use.usedKind[kindOf[i]] = true;
    } else {
      ++use.unused;
    }
  }
  return use;
}

std::string DescribeSolution(const SolutionUse& u) {
  std::vector<std::string> parts;
  if (u.bombed[KindBreakBox]) parts.push_back("the bomb clears a break box");
  if (u.bombed[KindPairBox]) parts.push_back("a pair box too many goes up in smoke");
  for (int k : {KindSlideBox, KindStepBox, KindVanishBox, KindCopyBox, KindBombBox}) {
    if (u.bombed[k]) {
      parts.push_back("the bomb removes a blocker");
      break;
    }
  }
  if (u.copiedInto[KindPairBox]) parts.push_back("the copy box finds its pair");
  if (u.copiedInto[KindSolidBox] || u.copiedInto[KindBreakBox]) {
    parts.push_back("the copy box turns into a new wall");
  }
  for (int k : {KindStepBox, KindSlideBox, KindVanishBox, KindBombBox}) {
    if (u.copiedInto[k]) {
      parts.push_back("the copy box takes on another box's kind");
      break;
    }
  }
  if (u.pushesOf[KindStepBox]) {
    parts.push_back(u.stoppedBy[KindStepBox] ? "step boxes set the stops"
                                             : "step boxes clear the way");
  }
  if (u.stoppedBy[KindSlideBox]) parts.push_back("a slide box becomes the stop");
  else if (u.pushesOf[KindSlideBox]) parts.push_back("slide boxes move out of the way");
  if (u.stoppedBy[KindVanishBox] && u.vanished) {
    parts.push_back("a vanish box stops a slide before it goes");
  } else if (u.vanished) {
    parts.push_back("vanish boxes open the way");
  }
  if (u.stoppedBy[KindBreakBox] && !u.bombed[KindBreakBox]) {
    parts.push_back("break boxes serve as stops");
  }
  if (u.sidePairings) parts.push_back("the pair meets side by side");
  if (parts.empty()) parts.push_back("find the one order of pushes that brings the pair together");
  std::string text;
  for (size_t i = 0; i < parts.size() && i < 3; ++i) {
    if (i) text += i + 1 == parts.size() || i == 2 ? " and " : ", ";
    text += parts[i];
  }
  text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
  return text + ".";
}

}  // namespace rara3::solve
