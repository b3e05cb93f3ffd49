#include "game/push_search.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <deque>
#include <string>
#include <vector>

#include "game/solver_codec.h"
#include "game/solver_state_table.h"

namespace rara3::solve {

namespace {

constexpr int32_t kFacings[4] = {FacingDown, FacingLeft, FacingRight, FacingUp};
constexpr int kCells = kBoardSize * kBoardSize;

int CellIndex(int32_t x, int32_t y) { return x * kBoardSize + y; }

// Puts the player on cell, as walking there would: an exit that opened
// under the player shows once the player has left it.
void MovePlayer(Board& b, int cell) {
  const int32_t x = cell / kBoardSize, y = cell % kBoardSize;
  if (x == b.PlayerX && y == b.PlayerY) return;
  const bool leavingExit = b.ExitOpen && b.PlayerX == b.ExitX && b.PlayerY == b.ExitY;
  b.Map[b.PlayerX][b.PlayerY] = leavingExit ? KindExit : KindEmpty;
  b.PlayerX = x;
  b.PlayerY = y;
  b.Map[x][y] = KindPlayer;
}

// Where the player can walk without pushing: breadth-first over empty
// cells, each with the cell and the facing it was entered from. Run for
// every position and every push tried, so it marks cells with a stamp per
// walk instead of clearing its tables.
struct Walk {
  std::array<uint32_t, kCells> seen{};
  std::array<int16_t, kCells> from;
  std::array<uint8_t, kCells> facing;
  // The cells reached, the start first; Settle writes one past the last.
  std::array<int16_t, kCells + 1> order;
  int count = 0;
  uint32_t stamp = 0;

  void NewStamp() {
    if (++stamp == 0) {
      seen.fill(0);
      stamp = 1;
    }
  }

  void From(const Board& b) {
    NewStamp();
    const int start = CellIndex(b.PlayerX, b.PlayerY);
    count = 0;
    order[count++] = static_cast<int16_t>(start);
    seen[start] = stamp;
    from[start] = -1;
    const int32_t* map = &b.Map[0][0];
    for (int q = 0; q < count; ++q) {
      const int c = order[q];
      const int x = c / kBoardSize, y = c % kBoardSize;
      // In the order of kFacings: down, left, right, up.
      const int next[4] = {y + 1 < kBoardSize ? c + 1 : -1, x > 0 ? c - kBoardSize : -1,
                           x + 1 < kBoardSize ? c + kBoardSize : -1, y > 0 ? c - 1 : -1};
      for (int d = 0; d < 4; ++d) {
        const int n = next[d];
        if (n < 0 || seen[n] == stamp || map[n] != KindEmpty) continue;
        seen[n] = stamp;
        from[n] = static_cast<int16_t>(c);
        facing[n] = static_cast<uint8_t>(d);
        order[count++] = static_cast<int16_t>(n);
      }
    }
  }

  // The facings that walk from the start to cell, in order.
  void PathTo(int cell, std::vector<int32_t>& out) const {
    std::vector<int32_t> back;
    for (int c = cell; from[c] >= 0; c = from[c]) back.push_back(kFacings[facing[c]]);
    out.insert(out.end(), back.rbegin(), back.rend());
  }

  // One position for every place the player can walk to: the player on
  // the first cell of the reachable floor (off an open exit when there is
  // room). The flood of every push tried: it keeps no way back, and takes
  // no branch per cell (a flood's turns defeat the branch predictor), so a
  // neighbour off the board is the cell itself, already seen.
  void Settle(Board& b) {
    NewStamp();
    const int start = CellIndex(b.PlayerX, b.PlayerY);
    const int exit = InGrid(b.ExitX, b.ExitY) ? CellIndex(b.ExitX, b.ExitY) : -1;
    int first = start == exit ? kCells : start;
    int n = 0;
    order[n++] = static_cast<int16_t>(start);
    seen[start] = stamp;
    const int32_t* map = &b.Map[0][0];
    for (int q = 0; q < n; ++q) {
      const int c = order[q];
      const int x = c / kBoardSize, y = c % kBoardSize;
      const int next[4] = {y + 1 < kBoardSize ? c + 1 : c, x > 0 ? c - kBoardSize : c,
                           x + 1 < kBoardSize ? c + kBoardSize : c, y > 0 ? c - 1 : c};
      for (const int m : next) {
        const bool fresh = (seen[m] != stamp) & (map[m] == KindEmpty);
        seen[m] = fresh ? stamp : seen[m];
        order[n] = static_cast<int16_t>(m);
        n += fresh;
        first = fresh ? std::min(first, m) : first;
      }
    }
    MovePlayer(b, first == kCells ? start : first);
  }
};

bool Pushable(int32_t kind) { return SlidesWhenPushed(kind) || kind == KindStepBox; }

constexpr double kBytesPerPosition = 8.0 * 10 / 7 * 1.5 + 6;

}  // namespace

struct FewestPushSearch::Frontier {
  explicit Frontier(const Board& start) : codec(start), table(codec.keyBytes), key(codec.keyBytes) {}

  Codec codec;
  StateTable table;
  std::deque<uint32_t> parent;
  std::deque<uint16_t> push;  // the cell the player pushed from, times 4, plus the facing's index
  std::vector<uint8_t> key;
  Walk region;  // the position being expanded, and the way out found
  Walk settle;  // each position a push leads to
  uint32_t next = 0;  // the first position not yet expanded
  std::chrono::steady_clock::time_point t0 = std::chrono::steady_clock::now();
};

FewestPushSearch::FewestPushSearch(const Board& start, const SearchLimits& limits)
    : start_(start), limits_(limits), frontier_(std::make_unique<Frontier>(start)) {
  Frontier& f = *frontier_;
  Board settled = start;
  f.settle.Settle(settled);
  bool isNew = false;
  f.codec.Encode(settled, f.key.data());
  f.table.Insert(f.key.data(), isNew);
  f.parent.push_back(StateTable::kNone);
  f.push.push_back(0);
}

FewestPushSearch::~FewestPushSearch() = default;

void FewestPushSearch::Finish(SolveStatus status) {
  result_.status = status;
  result_.states = frontier_->table.size();
  result_.seconds = SecondsSince(frontier_->t0);
  done_ = true;
  frontier_.reset();
}

// The way out in single moves, played from the real start: the walk to each
// push, the push, and last the walk onto the exit.
void FewestPushSearch::Solved(uint32_t state, uint16_t lastWalk) {
  Frontier& f = *frontier_;
  std::vector<uint16_t> steps{lastWalk};
  for (uint32_t s = state; f.parent[s] != StateTable::kNone; s = f.parent[s]) steps.push_back(f.push[s]);
  std::reverse(steps.begin(), steps.end());
  Board b = start_;
  std::vector<int32_t> facings;
  for (const uint16_t step : steps) {
    f.region.From(b);
    const size_t walkStart = facings.size();
    f.region.PathTo(step / 4, facings);
    facings.push_back(kFacings[step % 4]);
    for (size_t i = walkStart; i < facings.size(); ++i) ApplyMove(b, facings[i]);
  }
  if (!ReplayClears(start_, facings, &result_.pushes)) {
    result_.limitHit = "the way found does not clear the floor";
    Finish(SolveStatus::GaveUp);
    return;
  }
  result_.facings = std::move(facings);
  Finish(SolveStatus::Solved);
}

bool FewestPushSearch::Run(uint64_t budget) {
  if (done_) return true;
  Frontier& f = *frontier_;
  Board here;
  Board next;
  bool isNew = false;
  for (uint64_t spent = 0; f.next < f.table.size(); ++f.next) {
    const uint32_t i = f.next;
    if (spent++ >= budget) return false;
    result_.limitHit = LimitReached(limits_, i, 256, f.t0, f.table.size(), f.codec.keyBytes + kBytesPerPosition);
    if (!result_.limitHit.empty()) {
      Finish(SolveStatus::GaveUp);
      return true;
    }
    f.codec.Decode(f.table.Key(i), here);
    f.region.From(here);
    for (int w = 0; w < f.region.count; ++w) {
      const int cell = f.region.order[w];
      const int x = cell / kBoardSize, y = cell % kBoardSize;
      for (int d = 0; d < 4; ++d) {
        const int32_t kind = CellAt(here, x + kDirDX[d], y + kDirDY[d]);
        if (kind != KindExit && !Pushable(kind)) continue;
        next = here;
        MovePlayer(next, cell);
        const MoveResult r = ApplyMove(next, kFacings[d]);
        const uint16_t step = static_cast<uint16_t>(cell * 4 + d);
        if (r.cleared) {
          Solved(i, step);
          return true;
        }
        if (r.kind != MoveKind::Push) continue;
        f.settle.Settle(next);
        f.codec.Encode(next, f.key.data());
        f.table.Insert(f.key.data(), isNew);
        if (!isNew) continue;
        f.parent.push_back(i);
        f.push.push_back(step);
        if (f.table.size() > limits_.maxStates) {
          result_.limitHit = std::to_string(limits_.maxStates) + " states";
          Finish(SolveStatus::GaveUp);
          return true;
        }
      }
    }
  }
  Finish(SolveStatus::Unsolvable);
  return true;
}

SolveResult SolveFewestPushes(const Board& start, const SearchLimits& limits) {
  FewestPushSearch search(start, limits);
  search.Run(UINT64_MAX);
  return search.Result();
}

}  // namespace rara3::solve
