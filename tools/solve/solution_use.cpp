#include "solution_use.h"

#include <cctype>

namespace rara3::solve {

namespace {
const char* const kKindNames[] = {"empty", "pair", "break", "vanish", "step", "slide",
                                  "copy", "solid", "bomb", "player", "exit"};

std::string KindName(int32_t kind) { return kind >= 0 && kind <= 10 ? kKindNames[kind] : "edge"; }

// One push, told in a few words.
std::string StepOf(int32_t pushed, const Board& after, const MoveResult& r) {
  switch (pushed) {
    case KindPairBox:
      return r.exitOpened ? "bring the pair together" : "move a pair box";
    case KindVanishBox: return "clear a vanish box";
    case KindStepBox: return "nudge a step box";
    case KindSlideBox: return "send a slide box";
    case KindCopyBox:
      if (after.HitKind == KindPairBox) return "turn the copy box into the missing pair box";
      if (after.HitKind == KindSolidBox) return "turn the copy box into a wall";
      return "turn the copy box into a " + KindName(after.HitKind) + " box";
    case KindBombBox:
      if (BombBoxBlockedBy(after.HitKind)) return "move the bomb";
      return "blow up a " + KindName(after.HitKind) + " box";
    default: return "push";
  }
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
    const std::string step = StepOf(pushed, b, r);
    if (use.steps.empty() || use.steps.back() != step) use.steps.push_back(step);
    mark(tx, ty);
    const int ex = b.SlideEndX;
    const int ey = b.SlideEndY;
    const int sx = ex + dx;
    const int sy = ey + dy;
    if (SlidesWhenPushed(pushed)) {
      const int32_t stopper = CellAt(b, sx, sy);
      mark(sx, sy);
      if (stopper >= 0 && stopper <= 10) ++use.stoppedBy[stopper];
    }
    if (pushed == KindPairBox && b.HitKind == KindPairBox) {
      mark(b.HitX, b.HitY);
      if (b.HitX != sx || b.HitY != sy) ++use.sidePairings;
    }
    if (pushed == KindCopyBox && b.HitKind >= 0 && b.HitKind <= 10) ++use.copiedInto[b.HitKind];
    if (pushed == KindBombBox && !BombBoxBlockedBy(b.HitKind) && InGrid(sx, sy)) {
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
  // The distinct things the solution does, in the order it first does them;
  // the pairing that opens the exit always last.
  std::vector<std::string> order;
  for (const std::string& step : u.steps) {
    if (step == "bring the pair together" || step == "move a pair box") continue;
    bool seen = false;
    for (const std::string& o : order) seen = seen || o == step;
    if (!seen) order.push_back(step);
  }
  if (order.size() > 3) order.resize(3);
  const bool copyPairs = u.copiedInto[KindPairBox] > 0;
  std::string text;
  for (size_t i = 0; i < order.size(); ++i) {
    text += i == 0 ? "" : (i + 1 == order.size() ? ", then " : ", ");
    text += order[i];
  }
  if (!copyPairs) {
    const char* meet = u.sidePairings ? "bring the pair side by side" : "bring the pair together";
    text += text.empty() ? std::string("Find the pushes that ") + meet : std::string(", and ") + meet;
  }
  text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
  return text + ".";
}

}  // namespace rara3::solve
