#include "game/solver.h"

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <deque>

#include "game/solver_codec.h"
#include "game/solver_state_table.h"

namespace rara3::solve {

namespace {

constexpr int32_t kFacings[4] = {FacingDown, FacingLeft, FacingRight, FacingUp};

// Bytes a search holds per state besides its key: the table's slot (at most
// 10/7 of one) and the parent link and move.
constexpr double kBytesPerState = 8.0 * 10 / 7 * 1.5 + 5;

}  // namespace

int32_t MoveCodeOf(int32_t facing) {
  switch (facing) {
    case FacingDown: return 31;
    case FacingLeft: return 29;
    case FacingRight: return 28;
    default: return 30;
  }
}

std::vector<int32_t> MoveCodesOf(const std::vector<int32_t>& facings) {
  std::vector<int32_t> codes;
  for (int32_t f : facings) codes.push_back(MoveCodeOf(f));
  return codes;
}

bool ReplayClears(const Board& start, const std::vector<int32_t>& facings, int32_t* pushes) {
  Board b = start;
  int32_t count = 0;
  for (size_t i = 0; i < facings.size(); ++i) {
    const MoveResult r = ApplyMove(b, facings[i]);
    if (r.kind == MoveKind::Push) ++count;
    if (r.cleared) {
      if (pushes) *pushes = count;
      return i + 1 == facings.size();
    }
  }
  return false;
}

struct ShortestSearch::Frontier {
  explicit Frontier(const Board& start) : codec(start), table(codec.keyBytes), key(codec.keyBytes) {}

  Codec codec;
  StateTable table;
  std::deque<uint32_t> parent;
  std::deque<uint8_t> move;
  std::vector<uint8_t> key;
  uint32_t next = 0;  // the first state not yet expanded
  std::chrono::steady_clock::time_point t0 = std::chrono::steady_clock::now();
};

ShortestSearch::ShortestSearch(const Board& start, const SearchLimits& limits)
    : start_(start), limits_(limits), frontier_(std::make_unique<Frontier>(start)) {
  Frontier& f = *frontier_;
  bool isNew = false;
  f.codec.Encode(start, f.key.data());
  f.table.Insert(f.key.data(), isNew);
  f.parent.push_back(StateTable::kNone);
  f.move.push_back(0);
}

ShortestSearch::~ShortestSearch() = default;

void ShortestSearch::Finish(SolveStatus status) {
  result_.status = status;
  result_.states = frontier_->table.size();
  result_.seconds = SecondsSince(frontier_->t0);
  done_ = true;
  frontier_.reset();  // the table can be large; the result is all that is kept
}

bool ShortestSearch::Run(uint64_t budget) {
  if (done_) return true;
  Frontier& f = *frontier_;
  Board here;
  Board next;
  bool isNew = false;
  for (uint64_t spent = 0; f.next < f.table.size(); ++f.next) {
    const uint32_t i = f.next;
    if (spent++ >= budget) return false;
    result_.limitHit = LimitReached(limits_, i, 1024, f.t0, f.table.size(), f.codec.keyBytes + kBytesPerState);
    if (!result_.limitHit.empty()) {
      Finish(SolveStatus::GaveUp);
      return true;
    }
    f.codec.Decode(f.table.Key(i), here);
    for (int d = 0; d < 4; ++d) {
      next = here;
      const MoveResult r = ApplyMove(next, kFacings[d]);
      if (r.kind == MoveKind::None) continue;
      if (r.cleared) {
        std::vector<int32_t> path{kFacings[d]};
        for (uint32_t s = i; f.parent[s] != StateTable::kNone; s = f.parent[s]) {
          path.push_back(kFacings[f.move[s]]);
        }
        std::reverse(path.begin(), path.end());
        result_.facings = path;
        ReplayClears(start_, path, &result_.pushes);
        Finish(SolveStatus::Solved);
        return true;
      }
      f.codec.Encode(next, f.key.data());
      f.table.Insert(f.key.data(), isNew);
      if (isNew) {
        f.parent.push_back(i);
        f.move.push_back(static_cast<uint8_t>(d));
      }
    }
    if (f.table.size() > limits_.maxStates) {
      result_.limitHit = std::to_string(limits_.maxStates) + " states";
      Finish(SolveStatus::GaveUp);
      return true;
    }
  }
  Finish(SolveStatus::Unsolvable);
  return true;
}

SolveResult Solve(const Board& start, const SearchLimits& limits) {
  ShortestSearch search(start, limits);
  search.Run(UINT64_MAX);
  return search.Result();
}

DeadEndResult DeadEnds(const Board& start, const SearchLimits& limits) {
  const auto t0 = std::chrono::steady_clock::now();
  DeadEndResult result;
  const Codec codec(start);
  StateTable table(codec.keyBytes);
  std::vector<uint32_t> succ;  // four per state, kNone where the move is idle
  std::vector<uint8_t> wins;
  std::vector<uint8_t> key(codec.keyBytes);

  bool isNew = false;
  codec.Encode(start, key.data());
  table.Insert(key.data(), isNew);

  Board here;
  Board next;
  bool cut = false;
  for (uint32_t i = 0; i < table.size(); ++i) {
    if (table.size() > limits.maxStates ||
        ((i & 4095) == 0 && SecondsSince(t0) > limits.maxSeconds)) {
      cut = true;
      break;
    }
    codec.Decode(table.Key(i), here);
    uint8_t win = 0;
    for (int d = 0; d < 4; ++d) {
      next = here;
      const MoveResult r = ApplyMove(next, kFacings[d]);
      uint32_t to = StateTable::kNone;
      if (r.cleared) {
        win = 1;
      } else if (r.kind != MoveKind::None) {
        codec.Encode(next, key.data());
        to = table.Insert(key.data(), isNew);
      }
      succ.push_back(to);
    }
    wins.push_back(win);
  }
  result.complete = !cut;
  if (cut) {
    result.states = table.size();
    return result;
  }

  // Reverse edges, then walk back from the winning states.
  const size_t n = table.size();
  std::vector<uint32_t> first(n + 1, 0);
  for (uint32_t to : succ)
    if (to != StateTable::kNone) ++first[to + 1];
  for (size_t i = 0; i < n; ++i) first[i + 1] += first[i];
  std::vector<uint32_t> from(first[n]);
  std::vector<uint32_t> fill(first.begin(), first.end() - 1);
  for (size_t s = 0; s < n; ++s) {
    for (int d = 0; d < 4; ++d) {
      const uint32_t to = succ[s * 4 + d];
      if (to != StateTable::kNone) from[fill[to]++] = static_cast<uint32_t>(s);
    }
  }
  std::vector<uint8_t> alive(n, 0);
  std::vector<uint32_t> queue;
  for (size_t s = 0; s < n; ++s) {
    if (wins[s]) {
      alive[s] = 1;
      queue.push_back(static_cast<uint32_t>(s));
      ++result.winning;
    }
  }
  for (size_t q = 0; q < queue.size(); ++q) {
    const uint32_t s = queue[q];
    for (uint32_t e = first[s]; e < first[s + 1]; ++e) {
      if (!alive[from[e]]) {
        alive[from[e]] = 1;
        queue.push_back(from[e]);
      }
    }
  }
  result.states = n;
  result.dead = n - queue.size();
  return result;
}

}  // namespace rara3::solve
