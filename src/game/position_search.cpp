#include "game/position_search.h"

#include <algorithm>
#include <atomic>
#include <chrono>
#include <condition_variable>
#include <limits>
#include <mutex>
#include <optional>
#include <thread>

namespace rara3 {

namespace {

// Positions expanded between two looks at the clock in a slice: each walks
// the player's whole floor and tries every push from it, some microseconds
// in the browser, so a slice overruns its time by well under a millisecond.
constexpr uint64_t kSliceChunk = 64;

class ThreadedSearch final : public PositionSearch {
 public:
  explicit ThreadedSearch(const SearchCaps& caps) : caps_(caps) {
    caps_.afterMove.cancel = &cancel_;
    caps_.forHint.cancel = &cancel_;
    worker_ = std::thread([this] { Work(); });
  }

  ~ThreadedSearch() override {
    {
      std::lock_guard lock(mutex_);
      cancel_ = true;
      stopping_ = true;
    }
    wake_.notify_one();
    worker_.join();
  }

  void Start(const Board& board, SearchDepth depth) override {
    {
      std::lock_guard lock(mutex_);
      ++latest_;
      pending_ = board;
      pendingDepth_ = depth;
      ready_.reset();
      cancel_ = true;  // the search under way, if any
    }
    wake_.notify_one();
  }

  void Cancel() override {
    std::lock_guard lock(mutex_);
    ++latest_;
    pending_.reset();
    ready_.reset();
    cancel_ = true;
  }

  bool Poll(PositionFinding& finding) override {
    std::lock_guard lock(mutex_);
    if (!ready_) return false;
    finding = std::move(*ready_);
    ready_.reset();
    return true;
  }

 private:
  void Work() {
    for (;;) {
      Board board;
      SearchDepth depth = SearchDepth::AfterMove;
      uint64_t job = 0;
      {
        std::unique_lock lock(mutex_);
        wake_.wait(lock, [&] { return stopping_ || pending_.has_value(); });
        if (stopping_) return;
        board = *pending_;
        depth = pendingDepth_;
        pending_.reset();
        job = latest_;
        // Under the lock, so a Start after this point cancels this job.
        cancel_ = false;
      }
      solve::FewestPushSearch search(board, depth == SearchDepth::ForHint ? caps_.forHint : caps_.afterMove,
                                     threads_);
      search.Run(UINT64_MAX);
      PositionFinding finding = FindingOf(search.Result());
      std::lock_guard lock(mutex_);
      if (job == latest_ && !cancel_) ready_ = std::move(finding);
    }
  }

  SearchCaps caps_;
  // A second core, where there is one, expands half of each batch.
  int threads_ = std::thread::hardware_concurrency() >= 2 ? 2 : 1;
  std::atomic<bool> cancel_ = false;
  std::mutex mutex_;
  std::condition_variable wake_;
  uint64_t latest_ = 0;                    // the number of the newest Start or Cancel
  std::optional<Board> pending_;           // a board no search has taken yet
  SearchDepth pendingDepth_ = SearchDepth::AfterMove;
  std::optional<PositionFinding> ready_;   // the newest search's finding
  bool stopping_ = false;                  // the game is closing the search
  std::thread worker_;                     // last: it starts once the rest exists
};

// Either a slice of time per Poll, or, with statesPerPoll set, a fixed
// number of states.
class SlicedSearch final : public PositionSearch {
 public:
  SlicedSearch(const SearchCaps& caps, double sliceSeconds, double hurriedSliceSeconds,
               uint64_t statesPerPoll = 0)
      : caps_(caps),
        sliceSeconds_(sliceSeconds),
        hurriedSliceSeconds_(std::max(sliceSeconds, hurriedSliceSeconds)),
        statesPerPoll_(statesPerPoll) {}

  void Start(const Board& board, SearchDepth depth) override {
    search_.reset();  // before the next one takes its memory
    search_ = std::make_unique<solve::FewestPushSearch>(
        board, depth == SearchDepth::ForHint ? caps_.forHint : caps_.afterMove);
    hurried_ = false;
  }
  void Cancel() override {
    search_.reset();
    hurried_ = false;
  }
  void Hurry() override { hurried_ = search_ != nullptr; }

  bool Poll(PositionFinding& finding) override {
    if (!search_) return false;
    if (statesPerPoll_ > 0) {
      if (!search_->Run(statesPerPoll_)) return false;
      return Finish(finding);
    }
    const auto t0 = std::chrono::steady_clock::now();
    const auto slice = std::chrono::duration<double>(hurried_ ? hurriedSliceSeconds_ : sliceSeconds_);
    while (!search_->Run(kSliceChunk)) {
      if (std::chrono::steady_clock::now() - t0 >= slice) return false;
    }
    return Finish(finding);
  }

 private:
  bool Finish(PositionFinding& finding) {
    finding = FindingOf(search_->Result());
    search_.reset();
    return true;
  }

  SearchCaps caps_;
  double sliceSeconds_;
  double hurriedSliceSeconds_;
  uint64_t statesPerPoll_;
  bool hurried_ = false;  // the player waits for this search
  std::unique_ptr<solve::FewestPushSearch> search_;
};

}  // namespace

SearchCaps InGameSearchCaps() {
  SearchCaps caps;
  caps.afterMove.maxStates = 600'000;
  caps.afterMove.maxMegabytes = 64;
  caps.afterMove.maxSeconds = 30;
  caps.forHint.maxStates = 2'000'000;
  caps.forHint.maxMegabytes = 600;
  caps.forHint.maxSeconds = 60;
  return caps;
}

std::unique_ptr<PositionSearch> MakeThreadedSearch(const SearchCaps& caps) {
  return std::make_unique<ThreadedSearch>(caps);
}

std::unique_ptr<PositionSearch> MakeSlicedSearch(const SearchCaps& caps, double sliceSeconds,
                                                 double hurriedSliceSeconds) {
  return std::make_unique<SlicedSearch>(caps, sliceSeconds, hurriedSliceSeconds);
}

std::unique_ptr<PositionSearch> MakeCountedSearch(const SearchCaps& caps, uint64_t statesPerPoll) {
  SearchCaps counted = caps;
  counted.afterMove.maxSeconds = std::numeric_limits<double>::infinity();
  counted.forHint.maxSeconds = std::numeric_limits<double>::infinity();
  return std::make_unique<SlicedSearch>(counted, 0.0, 0.0, std::max<uint64_t>(statesPerPoll, 1));
}

PositionFinding FindingOf(const solve::SolveResult& result) {
  PositionFinding finding;
  finding.states = result.states;
  switch (result.status) {
    case solve::SolveStatus::Solved:
      finding.verdict = PositionVerdict::Winnable;
      finding.facings = result.facings;
      break;
    case solve::SolveStatus::Unsolvable: finding.verdict = PositionVerdict::Lost; break;
    case solve::SolveStatus::GaveUp: finding.verdict = PositionVerdict::Unknown; break;
  }
  return finding;
}

}  // namespace rara3
