#include "generator.h"

#include <algorithm>
#include <cmath>
#include <vector>

namespace rara3::stagegen {

using solve::StageFile;

namespace {

struct Room {
  int x0, y0, x1, y1;  // inside cells, inclusive
};

Room RoomOf(const GenParams& p) {
  const int w = std::clamp(p.roomW, 3, 18);
  const int h = std::clamp(p.roomH, 3, 18);
  const int x0 = 1 + (18 - w) / 2;
  const int y0 = 1 + (18 - h) / 2;
  return {x0, y0, x0 + w - 1, y0 + h - 1};
}

int Uniform(std::mt19937_64& rng, int lo, int hi) {
  return std::uniform_int_distribution<int>(lo, hi)(rng);
}

bool PickCell(std::mt19937_64& rng, const Room& r, const StageFile& s, int32_t kind, int& x,
              int& y) {
  for (int tries = 0; tries < 200; ++tries) {
    x = Uniform(rng, r.x0, r.x1);
    y = Uniform(rng, r.y0, r.y1);
    if (s.cells[x][y] == kind) return true;
  }
  return false;
}

int32_t KindOfFeature(char c) { return KindOfStageChar(c); }

// Boxes the stage may hold: the pair and the featured kinds.
std::vector<int32_t> MovableKinds(const GenParams& p) {
  std::vector<int32_t> kinds{KindPairBox};
  for (char c : p.kinds) {
    const int32_t k = KindOfFeature(c);
    if (k > 0 && k != KindSolidBox) kinds.push_back(k);
  }
  return kinds;
}

int CountKind(const StageFile& s, int32_t kind) {
  int n = 0;
  for (int x = 0; x < kBoardSize; ++x)
    for (int y = 0; y < kBoardSize; ++y) n += s.cells[x][y] == kind;
  return n;
}

StageFile RandomStage(std::mt19937_64& rng, const GenParams& p) {
  StageFile s;
  for (auto& col : s.cells)
    for (auto& c : col) c = KindSolidBox;
  const Room r = RoomOf(p);
  for (int x = r.x0; x <= r.x1; ++x)
    for (int y = r.y0; y <= r.y1; ++y) s.cells[x][y] = KindEmpty;
  // Short wall pieces make corridors and corners to stop slides against.
  for (int i = 0; i < p.wallBits; ++i) {
    int x, y;
    if (!PickCell(rng, r, s, KindEmpty, x, y)) break;
    const int len = Uniform(rng, 1, 3);
    const bool across = Uniform(rng, 0, 1) == 0;
    for (int j = 0; j < len; ++j) {
      const int cx = across ? x + j : x;
      const int cy = across ? y : y + j;
      if (cx <= r.x1 && cy <= r.y1) s.cells[cx][cy] = KindSolidBox;
    }
  }
  const auto place = [&](int32_t kind) {
    int x, y;
    if (PickCell(rng, r, s, KindEmpty, x, y)) s.cells[x][y] = kind;
  };
  place(KindPlayer);
  place(KindExit);
  const bool copyPair = p.kinds.find('C') != std::string::npos && Uniform(rng, 0, 2) == 0;
  place(KindPairBox);
  place(copyPair ? KindCopyBox : KindPairBox);
  for (char c : p.kinds) place(KindOfFeature(c));
  const std::vector<int32_t> kinds = MovableKinds(p);
  for (int i = static_cast<int>(p.kinds.size()); i < p.extraBoxes; ++i) {
    place(kinds[Uniform(rng, 0, static_cast<int>(kinds.size()) - 1)]);
  }
  return s;
}

void Mutate(std::mt19937_64& rng, const GenParams& p, StageFile& s) {
  const Room r = RoomOf(p);
  const std::vector<int32_t> kinds = MovableKinds(p);
  int x, y, x2, y2;
  switch (Uniform(rng, 0, 5)) {
    case 0:  // a wall cell comes or goes
    case 1: {
      x = Uniform(rng, r.x0, r.x1);
      y = Uniform(rng, r.y0, r.y1);
      if (s.cells[x][y] == KindEmpty) s.cells[x][y] = KindSolidBox;
      else if (s.cells[x][y] == KindSolidBox) s.cells[x][y] = KindEmpty;
      break;
    }
    case 2: {  // a piece moves one cell
      x = Uniform(rng, r.x0, r.x1);
      y = Uniform(rng, r.y0, r.y1);
      const int32_t k = s.cells[x][y];
      if (k == KindEmpty || k == KindSolidBox) break;
      const int d = Uniform(rng, 0, 3);
      x2 = x + kDirDX[d];
      y2 = y + kDirDY[d];
      if (x2 < r.x0 || x2 > r.x1 || y2 < r.y0 || y2 > r.y1 || s.cells[x2][y2] != KindEmpty) break;
      s.cells[x2][y2] = k;
      s.cells[x][y] = KindEmpty;
      break;
    }
    case 3: {  // a piece moves anywhere
      if (!PickCell(rng, r, s, KindEmpty, x2, y2)) break;
      x = Uniform(rng, r.x0, r.x1);
      y = Uniform(rng, r.y0, r.y1);
      const int32_t k = s.cells[x][y];
      if (k == KindEmpty || k == KindSolidBox) break;
      s.cells[x2][y2] = k;
      s.cells[x][y] = KindEmpty;
      break;
    }
    case 4: {  // a box changes kind
      x = Uniform(rng, r.x0, r.x1);
      y = Uniform(rng, r.y0, r.y1);
      const int32_t k = s.cells[x][y];
      if (k == KindEmpty || k == KindSolidBox || k == KindPlayer || k == KindExit) break;
      s.cells[x][y] = kinds[Uniform(rng, 0, static_cast<int>(kinds.size()) - 1)];
      break;
    }
    default: {  // a box comes or goes
      if (Uniform(rng, 0, 1) == 0) {
        if (PickCell(rng, r, s, KindEmpty, x, y)) {
          s.cells[x][y] = kinds[Uniform(rng, 0, static_cast<int>(kinds.size()) - 1)];
        }
      } else {
        x = Uniform(rng, r.x0, r.x1);
        y = Uniform(rng, r.y0, r.y1);
        const int32_t k = s.cells[x][y];
        if (k != KindEmpty && k != KindSolidBox && k != KindPlayer && k != KindExit) {
          s.cells[x][y] = KindEmpty;
        }
      }
      break;
    }
  }
}

}  // namespace

Rating RateStage(const StageFile& stage, const GenParams& p) {
  Rating rating;
  Board board;
  std::string error;
  if (!solve::BoardForPlay(stage, board, error)) return rating;
  // Every featured kind on the board, and something to open the exit with.
  for (char c : p.kinds) {
    if (CountKind(stage, KindOfFeature(c)) == 0) return rating;
  }
  if (CountKind(stage, KindPairBox) == 0) return rating;
  if (CountKind(stage, KindPairBox) + CountKind(stage, KindCopyBox) < 2) return rating;
  int boxCount = 0;
  for (int32_t k = KindPairBox; k <= KindBombBox; ++k) {
    if (k != KindSolidBox && k != KindBreakBox) boxCount += CountKind(stage, k);
  }
  if (boxCount > p.maxBoxes) return rating;
  // Bounded by states only, never by time, so a seed gives the same stages on
  // any machine.
  const solve::SolveResult r = solve::Solve(board, {p.maxStates, 1e12});
  rating.states = r.states;
  if (r.status != solve::SolveStatus::Solved) {
    rating.score = -1e6;
    return rating;
  }
  rating.solved = true;
  rating.moves = static_cast<int>(r.facings.size());
  rating.pushes = r.pushes;
  rating.use = solve::AnalyseSolution(board, r.facings);
  rating.unused = rating.use.unused;
  rating.featuredUsed = true;
  for (char c : p.kinds) {
    const int32_t k = KindOfFeature(c);
    if (k != KindSolidBox && !rating.use.usedKind[k]) rating.featuredUsed = false;
  }
  const int boxes = rating.use.boxes;
  rating.score = 12.0 * rating.pushes + rating.moves + 3.0 * std::log2(1.0 + rating.states) -
                 40.0 * rating.unused - (rating.featuredUsed ? 0 : 60) - 2.0 * boxes;
  return rating;
}

bool GenerateStage(std::mt19937_64& rng, const GenParams& p, StageFile& out, Rating& rating) {
  StageFile best;
  Rating bestRating;
  for (int tries = 0; tries < 200 && !bestRating.solved; ++tries) {
    best = RandomStage(rng, p);
    bestRating = RateStage(best, p);
  }
  if (!bestRating.solved) return false;
  for (int i = 0; i < p.iterations; ++i) {
    StageFile next = best;
    const int changes = Uniform(rng, 1, 3);
    for (int c = 0; c < changes; ++c) Mutate(rng, p, next);
    const Rating nr = RateStage(next, p);
    if (nr.solved && nr.score >= bestRating.score) {
      best = next;
      bestRating = nr;
    }
  }
  out = best;
  rating = bestRating;
  return rating.solved && rating.unused == 0 && rating.featuredUsed &&
         rating.moves >= p.minMoves && rating.pushes >= p.minPushes;
}

}  // namespace rara3::stagegen
