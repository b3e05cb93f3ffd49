// rara3-stuck-measure: random play on the shipped stages, and how soon the
// game's search after a move (over pushes) says "no way out" on every dead
// position it meets. A position is dead when the uncapped search in single
// moves finds no way out; the game's capped search runs from it as it would
// after the move, timed on this machine, plus one frame for the frame step
// to pick its finding up.
//
//   rara3-stuck-measure [--from N] [--to N] [--walks N] [--moves N] [--seed N]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "core/command_line.h"
#include "game/position_search.h"
#include "game/push_search.h"
#include "game/solver.h"
#include "stage_file.h"

using namespace rara3;

namespace {

constexpr double kFrameSeconds = 1.0 / 60;
constexpr double kGoalSeconds = 0.5;

struct Options {
  int from = 1;
  int to = 50;
  int walks = 12;
  int moves = 400;
  unsigned seed = 1;
};

struct Totals {
  int stages = 0;
  int pushes = 0;        // positions after a push, distinct per stage
  int live = 0;
  int dead = 0;
  int deadInTime = 0;    // the capped search proved it lost within the goal
  int deadCapped = 0;    // the capped search gave up: nothing shown
  int undecided = 0;     // even the uncapped search gave up
  int falseLost = 0;     // capped said lost, the full graph has a way out
  double worstShown = 0;  // the slowest "no way out" that was shown
  std::vector<double> delays;
};

std::string KeyOf(const Board& b) {
  std::string key(reinterpret_cast<const char*>(b.Map), sizeof b.Map);
  key += static_cast<char>(b.PlayerX);
  key += static_cast<char>(b.PlayerY);
  key += static_cast<char>(b.ExitOpen);
  return key;
}

double Seconds(std::chrono::steady_clock::time_point t0) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

void Classify(const Board& b, Totals& t, int& stageDead, int& stageShown) {
  const solve::SearchLimits capped = InGameSearchCaps().afterMove;
  const solve::SearchLimits full{30'000'000, 600.0, 6000.0};
  const auto t0 = std::chrono::steady_clock::now();
  const solve::SolveResult quick = solve::SolveFewestPushes(b, capped);
  const double delay = Seconds(t0) + kFrameSeconds;
  switch (quick.status) {
    case solve::SolveStatus::Solved:
      ++t.live;
      return;
    case solve::SolveStatus::Unsolvable: {
      // A second opinion from the whole graph: no state of it may win.
      const solve::DeadEndResult graph = solve::DeadEnds(b, full);
      if (!graph.complete || graph.winning != 0) {
        ++t.falseLost;
        return;
      }
      ++t.dead;
      ++stageDead;
      t.delays.push_back(delay);
      t.worstShown = std::max(t.worstShown, delay);
      if (delay <= kGoalSeconds) {
        ++t.deadInTime;
        ++stageShown;
      }
      return;
    }
    case solve::SolveStatus::GaveUp: {
      const solve::SolveResult slow = solve::Solve(b, full);
      if (slow.status == solve::SolveStatus::Solved) {
        ++t.live;
      } else if (slow.status == solve::SolveStatus::Unsolvable) {
        ++t.dead;
        ++stageDead;
        ++t.deadCapped;
      } else {
        ++t.undecided;
      }
      return;
    }
  }
}

bool ParseInt(const char* s, int& out) {
  char* end = nullptr;
  const long v = std::strtol(s, &end, 10);
  if (!*s || *end || v < 0 || v > 1'000'000) return false;
  out = static_cast<int>(v);
  return true;
}

constexpr char kUsage[] =
    "usage: rara3-stuck-measure [--from N] [--to N] [--walks N] [--moves N] [--seed N]\n"
    "Plays random moves on the shipped stages and times the search after each\n"
    "move on every position met: how soon \"no way out\" shows on the dead ones,\n"
    "and that none is claimed where a way out is left.\n";

}  // namespace

int main(int argc, char** argv) {
  if (rara3::AnswerStandardOptions(argc, argv, "rara3-stuck-measure", kUsage, stdout)) return 0;
  Options o;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    int* target = a == "--from" ? &o.from : a == "--to" ? &o.to : a == "--walks" ? &o.walks
                : a == "--moves" ? &o.moves : nullptr;
    int seed = 0;
    if (a == "--seed" && i + 1 < argc && ParseInt(argv[i + 1], seed)) {
      o.seed = static_cast<unsigned>(seed);
      ++i;
    } else if (target && i + 1 < argc && ParseInt(argv[i + 1], *target)) {
      ++i;
    } else {
      std::fputs(kUsage, stderr);
      return 2;
    }
  }
  std::mt19937 rng(o.seed);
  constexpr int32_t kFacings[4] = {FacingDown, FacingLeft, FacingRight, FacingUp};
  Totals t;
  for (int n = o.from; n <= o.to; ++n) {
    char name[16];
    std::snprintf(name, sizeof name, "%03d.txt", n);
    solve::StageFile stage;
    Board start;
    std::string error;
    if (!solve::ReadStageFile(std::string(RARA3_SOURCE_DIR) + "/assets/stages/" + name, stage, error) ||
        !solve::BoardForPlay(stage, start, error)) {
      std::fprintf(stderr, "%s: %s\n", name, error.c_str());
      return 1;
    }
    ++t.stages;
    std::set<std::string> seen;
    int stageDead = 0;
    int stageShown = 0;
    for (int w = 0; w < o.walks; ++w) {
      Board b = start;
      for (int m = 0; m < o.moves; ++m) {
        const MoveResult r = ApplyMove(b, kFacings[rng() % 4]);
        if (r.cleared) break;
        // Walks can be walked back: only a push can lose the floor.
        if (r.kind != MoveKind::Push || !seen.insert(KeyOf(b)).second) continue;
        ++t.pushes;
        Classify(b, t, stageDead, stageShown);
      }
    }
    std::printf("stage %3d: %4zu positions after pushes, %3d dead, %3d shown within %.1f s\n", n,
                seen.size(), stageDead, stageShown, kGoalSeconds);
    std::fflush(stdout);
  }
  std::sort(t.delays.begin(), t.delays.end());
  const solve::SearchLimits cap = InGameSearchCaps().afterMove;
  std::printf("\nstages %d-%d, %d walks of %d random moves each, seed %u\n", o.from, o.to, o.walks,
              o.moves, o.seed);
  std::printf("cap after a move: %llu states, %.0f MB\n", static_cast<unsigned long long>(cap.maxStates),
              cap.maxMegabytes);
  std::printf("positions after a push: %d (live %d, dead %d, undecided %d)\n", t.pushes, t.live, t.dead,
              t.undecided);
  std::printf("dead shown within %.1f s: %d of %d (%.1f %%); over the cap, nothing shown: %d\n",
              kGoalSeconds, t.deadInTime, t.dead, t.dead ? 100.0 * t.deadInTime / t.dead : 100.0,
              t.deadCapped);
  if (!t.delays.empty()) {
    std::printf("delay of the shown: median %.3f s, worst %.3f s\n", t.delays[t.delays.size() / 2],
                t.worstShown);
  }
  std::printf("\"no way out\" on a position with a way out: %d\n", t.falseLost);
  return t.falseLost == 0 ? 0 : 1;
}
