#include "game/push_search.h"

#include <algorithm>
#include <array>
#include <chrono>
#include <condition_variable>
#include <deque>
#include <mutex>
#include <string>
#include <thread>
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

// Expands positions of the table into the pushes they lead to, without
// touching the table: the keys of the positions reached, in the order the
// pushes are tried, and where a push clears the floor.
struct FewestPushSearch::Expander {
  Walk region;  // the position being expanded
  Walk settle;  // each position a push leads to
  Board here;
  Board next;
  std::vector<uint8_t> keys;    // keyBytes each
  std::vector<uint16_t> steps;  // the cell the player pushed from, times 4, plus the facing's index
  std::vector<uint8_t> clears;  // 1 where the step clears the floor (it has no key)
  std::vector<uint32_t> ends;   // per position expanded, one past its last step

  void Expand(const Codec& codec, const StateTable& table, uint32_t from, uint32_t to) {
    keys.clear();
    steps.clear();
    clears.clear();
    ends.clear();
    for (uint32_t i = from; i < to; ++i) {
      codec.Decode(table.Key(i), here);
      region.From(here);
      ExpandOne(codec);
      ends.push_back(static_cast<uint32_t>(steps.size()));
    }
  }

 private:
  void ExpandOne(const Codec& codec) {
    for (int w = 0; w < region.count; ++w) {
      const int cell = region.order[w];
      const int x = cell / kBoardSize, y = cell % kBoardSize;
      for (int d = 0; d < 4; ++d) {
        const int32_t kind = CellAt(here, x + kDirDX[d], y + kDirDY[d]);
        if (kind != KindExit && !Pushable(kind)) continue;
        next = here;
        MovePlayer(next, cell);
        const MoveResult r = ApplyMove(next, kFacings[d]);
        const uint16_t step = static_cast<uint16_t>(cell * 4 + d);
        if (r.cleared) {
          // The search ends at the first way out, so nothing after it counts.
          steps.push_back(step);
          clears.push_back(1);
          return;
        }
        if (r.kind != MoveKind::Push) continue;
        settle.Settle(next);
        const size_t at = keys.size();
        keys.resize(at + codec.keyBytes);
        codec.Encode(next, keys.data() + at);
        steps.push_back(step);
        clears.push_back(0);
      }
    }
  }
};

// The second thread: expands the part of a batch it is given while the
// search's own thread expands the rest; the table is only read meanwhile.
class FewestPushSearch::Helper {
 public:
  Helper() : thread_([this] { Work(); }) {}
  ~Helper() {
    {
      std::lock_guard lock(mutex_);
      stopping_ = true;
    }
    wake_.notify_one();
    thread_.join();
  }

  void Start(const Codec& codec, const StateTable& table, uint32_t from, uint32_t to) {
    {
      std::lock_guard lock(mutex_);
      job_ = Job{&codec, &table, from, to};
      busy_ = true;
    }
    wake_.notify_one();
  }

  // The expansion of the part given to Start, once it is done.
  const Expander& Wait() {
    std::unique_lock lock(mutex_);
    done_.wait(lock, [&] { return !busy_; });
    return expander_;
  }

 private:
  struct Job {
    const Codec* codec = nullptr;
    const StateTable* table = nullptr;
    uint32_t from = 0, to = 0;
  };

  void Work() {
    for (;;) {
      Job job;
      {
        std::unique_lock lock(mutex_);
        wake_.wait(lock, [&] { return stopping_ || (busy_ && job_.codec); });
        if (stopping_) return;
        job = job_;
        job_.codec = nullptr;
      }
      expander_.Expand(*job.codec, *job.table, job.from, job.to);
      {
        std::lock_guard lock(mutex_);
        busy_ = false;
      }
      done_.notify_one();
    }
  }

  Expander expander_;
  std::mutex mutex_;
  std::condition_variable wake_;
  std::condition_variable done_;
  Job job_;
  bool busy_ = false;
  bool stopping_ = false;
  std::thread thread_;  // last: it starts once the rest exists
};

struct FewestPushSearch::Frontier {
  explicit Frontier(const Board& start) : codec(start), table(codec.keyBytes) {}

  Codec codec;
  StateTable table;
  std::deque<uint32_t> parent;
  std::deque<uint16_t> push;  // the cell the player pushed from, times 4, plus the facing's index
  Expander expander;  // the search's own thread's share of each batch
  uint32_t next = 0;  // the first position not yet expanded
  std::chrono::steady_clock::time_point t0 = std::chrono::steady_clock::now();
};

FewestPushSearch::FewestPushSearch(const Board& start, const SearchLimits& limits, int threads)
    : start_(start), limits_(limits), frontier_(std::make_unique<Frontier>(start)) {
  if (threads > 1) helper_ = std::make_unique<Helper>();
  Frontier& f = *frontier_;
  Board settled = start;
  Walk().Settle(settled);
  std::vector<uint8_t> key(f.codec.keyBytes);
  f.codec.Encode(settled, key.data());
  bool isNew = false;
  f.table.Insert(key.data(), isNew);
  f.parent.push_back(StateTable::kNone);
  f.push.push_back(0);
}

FewestPushSearch::~FewestPushSearch() = default;

void FewestPushSearch::Finish(SolveStatus status) {
  result_.status = status;
  result_.states = frontier_->table.size();
  result_.seconds = SecondsSince(frontier_->t0);
  done_ = true;
  helper_.reset();
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
  Walk region;
  for (const uint16_t step : steps) {
    region.From(b);
    const size_t walkStart = facings.size();
    region.PathTo(step / 4, facings);
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

// Positions a batch takes with a second thread: large enough that the
// hand-over costs little beside the work, small enough that a cancel or a
// limit is seen within a few milliseconds.
constexpr uint32_t kBatch = 1024;

bool FewestPushSearch::Run(uint64_t budget) {
  if (done_) return true;
  Frontier& f = *frontier_;
  bool isNew = false;
  uint64_t spent = 0;
  while (f.next < f.table.size()) {
    if (spent >= budget) return false;
    // One position at a time alone; with a helper, a batch split in two.
    const uint64_t room = std::min<uint64_t>(budget - spent, f.table.size() - f.next);
    const uint32_t count = static_cast<uint32_t>(std::min<uint64_t>(room, helper_ ? kBatch : 1));
    const uint32_t from = f.next, to = from + count;
    const uint32_t split = helper_ ? from + (count + 1) / 2 : to;
    if (helper_ && split < to) helper_->Start(f.codec, f.table, split, to);
    f.expander.Expand(f.codec, f.table, from, split);
    const Expander* parts[2] = {&f.expander, nullptr};
    if (helper_ && split < to) parts[1] = &helper_->Wait();
    // Into the table in the order one thread would have found them.
    for (const Expander* part : parts) {
      if (part == nullptr) continue;
      uint32_t step = 0;
      size_t keyAt = 0;
      for (size_t p = 0; p < part->ends.size(); ++p) {
        const uint32_t i = f.next;
        result_.limitHit =
            LimitReached(limits_, i, 256, f.t0, f.table.size(), f.codec.keyBytes + kBytesPerPosition);
        if (!result_.limitHit.empty()) {
          Finish(SolveStatus::GaveUp);
          return true;
        }
        for (; step < part->ends[p]; ++step) {
          if (part->clears[step]) {
            Solved(i, part->steps[step]);
            return true;
          }
          f.table.Insert(part->keys.data() + keyAt, isNew);
          keyAt += f.codec.keyBytes;
          if (!isNew) continue;
          f.parent.push_back(i);
          f.push.push_back(part->steps[step]);
          if (f.table.size() > limits_.maxStates) {
            result_.limitHit = std::to_string(limits_.maxStates) + " states";
            Finish(SolveStatus::GaveUp);
            return true;
          }
        }
        ++f.next;
        ++spent;
      }
    }
  }
  Finish(SolveStatus::Unsolvable);
  return true;
}

SolveResult SolveFewestPushes(const Board& start, const SearchLimits& limits, int threads) {
  FewestPushSearch search(start, limits, threads);
  search.Run(UINT64_MAX);
  return search.Result();
}

}  // namespace rara3::solve
