// rara3-architect: stages built as architecture anywhere on the board (rooms
// of several shapes, corridors and doors between them, courtyards, islands
// of wall), boxes placed and moved by a hill climb on what the shortest
// solution does, then refined: an object the solution can do without, or
// that only costs three moves or fewer, is taken away; a wall that no
// longer does anything can be opened. Deterministic from the seed.
//
//   rara3-architect --seed N --count K --out DIR --kinds TB [--size WxH-WxH]
//                   [--rooms A-B] [--boxes N] [--iterations N] [--max-states N]
//                   [--min-pushes N] [--max-pushes N] [--max-dead PERCENT]
//                   [--min-moves N] [--max-moves N] [--require WORDS]...
//                   [--open-walls] [--strict]
//                   [--start STAGE.txt]   (climb on from that stage)
//
// Each kept stage goes to DIR/<seed>-<n>.txt; one tab-separated line per
// stage on stdout: file, moves, pushes, box changes, boxes pushed, states,
// dead-end share, kinds, whether every featured kind is needed.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <vector>

#include "core/command_line.h"
#include "measure.h"
#include "solution_use.h"
#include "game/solver.h"
#include "stage_file.h"

namespace fs = std::filesystem;
using namespace rara3;
using namespace rara3::solve;

namespace {

struct Params {
  int minW = 10, maxW = 16, minH = 8, maxH = 14;
  int minRooms = 1, maxRooms = 3;
  std::string kinds;  // featured kinds, stage characters
  int boxes = 0;      // boxes besides the pair and the featured ones
  int iterations = 120;
  uint64_t maxStates = 200'000;
  int minPushes = 3;
  int maxPushes = 1000;
  int maxMoves = 100000;
  int minMoves = 0;
  // Words the solution's story must hold, e.g. "becomes pair", "blasts break".
  std::vector<std::string> require;
  double maxDead = 1.0;
  bool openWalls = false;
  // Keep only stages whose every featured kind does its own thing and is
  // needed; otherwise such stages are kept and told apart on stdout.
  bool strict = false;
};

using Rng = std::mt19937_64;

int U(Rng& rng, int lo, int hi) { return lo > hi ? lo : std::uniform_int_distribution<int>(lo, hi)(rng); }

bool IsObject(int32_t k) { return k >= KindPairBox && k <= KindBombBox && k != KindSolidBox; }

struct Region {
  int x0, y0, x1, y1;
};

void Carve(StageFile& s, const Region& r, int x0, int y0, int x1, int y1, int32_t kind) {
  for (int x = std::max(x0, r.x0); x <= std::min(x1, r.x1); ++x)
    for (int y = std::max(y0, r.y0); y <= std::min(y1, r.y1); ++y) s.cells[x][y] = kind;
}

// Rooms of several shapes, each joined to the one before by a corridor.
StageFile Layout(Rng& rng, const Params& p) {
  StageFile s;
  for (auto& col : s.cells)
    for (auto& c : col) c = KindSolidBox;
  // Wide, tall or square, and mostly against a side or in a corner, so the
  // stages of a set cover the board between them.
  int w = U(rng, p.minW, p.maxW), h = U(rng, p.minH, p.maxH);
  if (U(rng, 0, 1) && p.maxW >= p.minH + 2) {
    w = U(rng, std::max(p.minW, p.minH), p.maxW);
    h = U(rng, p.minH, std::min(p.maxH, std::max(p.minH, w - 4)));
    if (U(rng, 0, 1)) std::swap(w, h);
  }
  w = std::clamp(w, 4, 18);
  h = std::clamp(h, 4, 18);
  const auto edge = [&](int size) {
    switch (U(rng, 0, 4)) {
      case 0:
      case 1: return 1;
      case 2:
      case 3: return 19 - size;
      default: return U(rng, 1, 19 - size);
    }
  };
  const int rx = edge(w), ry = edge(h);
  const Region reg{rx, ry, rx + w - 1, ry + h - 1};
  const int rooms = U(rng, p.minRooms, p.maxRooms);
  std::vector<std::pair<int, int>> centres;
  for (int i = 0; i < rooms; ++i) {
    const int big = rooms == 1 ? 0 : 2;
    const int rw = U(rng, std::min(4, w), std::max(4, std::min(w, w * 2 / rooms + big)));
    const int rh = U(rng, std::min(3, h), std::max(3, std::min(h, h * 2 / rooms + big)));
    // Rooms spread along the longer side so they need corridors between them.
    int x0, y0;
    if (w >= h) {
      const int slot = (w - rw) * i / std::max(1, rooms - 1);
      x0 = reg.x0 + std::clamp(slot + U(rng, -1, 1), 0, w - rw);
      y0 = reg.y0 + U(rng, 0, h - rh);
    } else {
      const int slot = (h - rh) * i / std::max(1, rooms - 1);
      y0 = reg.y0 + std::clamp(slot + U(rng, -1, 1), 0, h - rh);
      x0 = reg.x0 + U(rng, 0, w - rw);
    }
    const int x1 = x0 + rw - 1, y1 = y0 + rh - 1;
    Carve(s, reg, x0, y0, x1, y1, KindEmpty);
    switch (U(rng, 0, 4)) {
      case 1:  // L: a corner stays wall
        if (rw >= 5 && rh >= 4) {
          const int cw = U(rng, 2, rw / 2), ch = U(rng, 1, rh / 2);
          const bool left = U(rng, 0, 1), top = U(rng, 0, 1);
          Carve(s, reg, left ? x0 : x1 - cw + 1, top ? y0 : y1 - ch + 1, left ? x0 + cw - 1 : x1,
                top ? y0 + ch - 1 : y1, KindSolidBox);
        }
        break;
      case 2:  // courtyard: a block of wall in the middle
        if (rw >= 6 && rh >= 5) {
          Carve(s, reg, x0 + 2, y0 + 2, x1 - 2, y1 - 2, KindSolidBox);
        }
        break;
      case 3:  // cross: a second room across the first
        Carve(s, reg, x0 + rw / 3, std::max(reg.y0, y0 - 2), x1 - rw / 3, std::min(reg.y1, y1 + 2),
              KindEmpty);
        break;
      default: break;
    }
    centres.push_back({(x0 + x1) / 2, (y0 + y1) / 2});
  }
  // Corridors, one cell wide, bent once.
  for (size_t i = 1; i < centres.size(); ++i) {
    auto [ax, ay] = centres[i - 1];
    const auto [bx, by] = centres[i];
    const bool xFirst = U(rng, 0, 1);
    if (xFirst) {
      Carve(s, reg, std::min(ax, bx), ay, std::max(ax, bx), ay, KindEmpty);
      Carve(s, reg, bx, std::min(ay, by), bx, std::max(ay, by), KindEmpty);
    } else {
      Carve(s, reg, ax, std::min(ay, by), ax, std::max(ay, by), KindEmpty);
      Carve(s, reg, std::min(ax, bx), by, std::max(ax, bx), by, KindEmpty);
    }
  }
  // Islands: single cells and short bars with floor all round.
  const int islands = U(rng, 1, 2 + w * h / 40);
  for (int i = 0; i < islands; ++i) {
    const int x = U(rng, reg.x0 + 1, reg.x1 - 1), y = U(rng, reg.y0 + 1, reg.y1 - 1);
    bool clear = true;
    for (int dx = -1; dx <= 1; ++dx)
      for (int dy = -1; dy <= 1; ++dy) clear = clear && s.cells[x + dx][y + dy] == KindEmpty;
    if (!clear) continue;
    s.cells[x][y] = KindSolidBox;
    if (U(rng, 0, 2) == 0) s.cells[x + (U(rng, 0, 1) ? 1 : 0)][y + 1] = KindSolidBox;
  }
  return s;
}

std::vector<std::pair<int, int>> Floor(const StageFile& s) {
  std::vector<std::pair<int, int>> cells;
  for (int x = 1; x < 19; ++x)
    for (int y = 1; y < 19; ++y)
      if (s.cells[x][y] == KindEmpty) cells.push_back({x, y});
  return cells;
}

bool Place(Rng& rng, StageFile& s, int32_t kind) {
  const auto floor = Floor(s);
  if (floor.empty()) return false;
  const auto [x, y] = floor[U(rng, 0, static_cast<int>(floor.size()) - 1)];
  s.cells[x][y] = kind;
  return true;
}

// The player's figure covers the cell above it; a box there would hide.
bool BoxAbovePlayer(const StageFile& s) {
  for (int x = 0; x < 20; ++x)
    for (int y = 1; y < 20; ++y)
      if (s.cells[x][y] == KindPlayer && IsObject(s.cells[x][y - 1])) return true;
  return false;
}

struct Rated {
  bool ok = false;
  SolveResult r;
  SolutionFacts f;
  int unused = 0;
  int missing = 0;
  int untold = 0;
  bool allNeeded = false;
  double score = -1e18;
};

std::vector<int32_t> Featured(const Params& p) {
  std::vector<int32_t> k;
  for (char c : p.kinds) k.push_back(KindOfStageChar(c));
  return k;
}

constexpr double kNeedWeight = 100.0;

// How many featured kinds (break boxes aside, the bomb's targets) the
// solution cannot do without: without all boxes of the kind the stage is
// unsolvable or longer. Tells also how many it can do without.
void CountNeeded(const Board& b, const Params& p, const SolveResult& base, int& needed,
                 int& idle) {
  needed = idle = 0;
  for (int32_t k : Featured(p)) {
    if (k == KindBreakBox) continue;
    Board without = b;
    for (auto& col : without.Map)
      for (auto& c : col)
        if (c == k) c = KindEmpty;
    const Outcome o = OutcomeOf(without, base.facings, p.maxStates, 1e9);
    if (o.change == Change::Unsolvable || o.change == Change::Longer) ++needed;
    else ++idle;
  }
}

// floor: the score to beat; the costly need test runs only when it could.
Rated Rate(const StageFile& s, const Params& p, double floor = -1e18) {
  Rated out;
  Board b;
  std::string error;
  if (BoxAbovePlayer(s) || !BoardForPlay(s, b, error)) return out;
  out.r = Solve(b, SearchLimits{p.maxStates, 1e9, 6000});
  if (out.r.status != SolveStatus::Solved) return out;
  out.f = FactsOf(b, out.r.facings);
  if (out.f.pushes > p.maxPushes || out.f.moves > p.maxMoves) return out;
  const SolutionUse use = AnalyseSolution(b, out.r.facings);
  out.unused = use.unused;
  // Every featured kind has to do its own thing in the solution.
  int missing = 0;
  for (int32_t k : Featured(p)) {
    switch (k) {
      case KindVanishBox: missing += out.f.vanishes == 0; break;
      case KindStepBox: missing += out.f.steps == 0; break;
      case KindSlideBox: missing += out.f.slides == 0; break;
      case KindCopyBox: missing += out.f.copyChanges == 0; break;
      case KindBombBox: missing += out.f.blasts == 0; break;
      case KindBreakBox: missing += use.bombed[KindBreakBox] == 0; break;
      default: missing += !use.usedKind[k]; break;
    }
  }
  out.missing = missing;
  for (const std::string& word : p.require) {
    bool told = false;
    for (const std::string& line : out.f.story) told = told || line.find(word) != std::string::npos;
    out.untold += !told;
  }
  missing += out.untold;
  const PlayArea a = AreaOf(b);
  out.ok = true;
  out.score = 40.0 * out.f.pushes + 25.0 * out.f.boxChanges + 30.0 * out.f.distinctBoxes +
              1.0 * out.f.moves + 8.0 * std::log(1.0 + out.r.states) - 60.0 * out.unused -
              150.0 * missing + 0.3 * a.cells;
  const double most = kNeedWeight * static_cast<double>(Featured(p).size());
  if (out.score + most < floor) {
    out.score -= most;
    return out;
  }
  int needed = 0, idle = 0;
  CountNeeded(b, p, out.r, needed, idle);
  out.score += kNeedWeight * (needed - idle);
  return out;
}

void Mutate(Rng& rng, StageFile& s, const Params& p) {
  std::vector<std::pair<int, int>> objs;
  for (int x = 1; x < 19; ++x)
    for (int y = 1; y < 19; ++y)
      if (s.cells[x][y] != KindEmpty && s.cells[x][y] != KindSolidBox) objs.push_back({x, y});
  const auto floor = Floor(s);
  if (objs.empty() || floor.empty()) return;
  const auto [ox, oy] = objs[U(rng, 0, static_cast<int>(objs.size()) - 1)];
  const auto [fx, fy] = floor[U(rng, 0, static_cast<int>(floor.size()) - 1)];
  switch (U(rng, 0, 6)) {
    case 0:
    case 1:  // an object moves anywhere
      std::swap(s.cells[ox][oy], s.cells[fx][fy]);
      break;
    case 2: {  // an object moves one cell
      const int d = U(rng, 0, 3);
      const int nx = ox + kDirDX[d], ny = oy + kDirDY[d];
      if (s.cells[nx][ny] == KindEmpty) std::swap(s.cells[ox][oy], s.cells[nx][ny]);
      break;
    }
    case 3: {  // a wall cell comes or goes next to the floor
      const int d = U(rng, 0, 3);
      const int nx = fx + kDirDX[d], ny = fy + kDirDY[d];
      if (nx < 1 || nx > 18 || ny < 1 || ny > 18) break;
      if (s.cells[nx][ny] == KindSolidBox) s.cells[nx][ny] = KindEmpty;
      else s.cells[fx][fy] = KindSolidBox;
      break;
    }
    case 4: {  // one more box of a featured kind or a pair box
      const std::vector<int32_t> k = Featured(p);
      int count = 0;
      for (int x = 0; x < 20; ++x)
        for (int y = 0; y < 20; ++y) count += IsObject(s.cells[x][y]);
      if (count >= 3 + static_cast<int>(k.size()) + p.boxes) break;
      s.cells[fx][fy] = k.empty() || U(rng, 0, 3) == 0 ? KindPairBox : k[U(rng, 0, static_cast<int>(k.size()) - 1)];
      break;
    }
    case 5:  // a box goes
      if (IsObject(s.cells[ox][oy])) s.cells[ox][oy] = KindEmpty;
      break;
    default: {  // two objects trade places
      const auto [ax, ay] = objs[U(rng, 0, static_cast<int>(objs.size()) - 1)];
      std::swap(s.cells[ox][oy], s.cells[ax][ay]);
      break;
    }
  }
}

// Takes away every object the shortest solution can do without or that only
// costs it three moves or fewer, one at a time, until each one matters.
void PruneObjects(StageFile& s, const Params& p) {
  for (bool changed = true; changed;) {
    changed = false;
    Board b;
    std::string error;
    if (!BoardForPlay(s, b, error)) return;
    const SolveResult base = Solve(b, SearchLimits{p.maxStates * 2, 1e9, 6000});
    if (base.status != SolveStatus::Solved) return;
    for (int x = 1; x < 19 && !changed; ++x) {
      for (int y = 1; y < 19 && !changed; ++y) {
        if (!IsObject(b.Map[x][y])) continue;
        Board without = b;
        without.Map[x][y] = KindEmpty;
        const Outcome o = OutcomeOf(without, base.facings, p.maxStates * 2, 1e9);
        if (o.change == Change::Same || (o.change == Change::Shorter && o.delta >= -3)) {
          s.cells[x][y] = KindEmpty;
          changed = true;
        }
      }
    }
  }
}

// Opens wall cells that do nothing for the shortest solution.
void OpenIdleWalls(StageFile& s, const Params& p) {
  Board b;
  std::string error;
  if (!BoardForPlay(s, b, error)) return;
  SolveResult base = Solve(b, SearchLimits{p.maxStates * 2, 1e9, 6000});
  if (base.status != SolveStatus::Solved) return;
  const PlayArea a = AreaOf(b);
  for (int x = a.x0; x <= a.x1; ++x) {
    for (int y = a.y0; y <= a.y1; ++y) {
      if (b.Map[x][y] != KindSolidBox || x < 1 || x > 18 || y < 1 || y > 18) continue;
      bool touches = false;
      for (int d = 0; d < 4; ++d) touches = touches || a.in[x + kDirDX[d]][y + kDirDY[d]];
      if (!touches) continue;
      Board open = b;
      open.Map[x][y] = KindEmpty;
      if (!ReplayClears(open, base.facings, nullptr)) continue;
      const Outcome o = OutcomeOf(open, base.facings, p.maxStates * 2, 1e9);
      if (o.change != Change::Same) continue;
      b = open;
      s.cells[x][y] = KindEmpty;
    }
  }
}

// Every featured kind is a tool: without all its boxes the stage cannot be
// won, or only with a longer solution.
bool FeaturedNeeded(const StageFile& s, const Params& p, const SolveResult& base) {
  Board b;
  std::string error;
  if (!BoardForPlay(s, b, error)) return false;
  for (int32_t k : Featured(p)) {
    if (k == KindBreakBox) continue;  // a bomb's target, not a tool of its own
    Board without = b;
    bool had = false;
    for (auto& col : without.Map)
      for (auto& c : col)
        if (c == k) {
          c = KindEmpty;
          had = true;
        }
    if (!had) return false;
    const Outcome o = OutcomeOf(without, base.facings, p.maxStates * 2, 1e9);
    if (o.change != Change::Unsolvable && o.change != Change::Longer) return false;
  }
  return true;
}

// Why a candidate was dropped, when RARA3_ARCHITECT_WHY is set.
void Why(const char* reason) {
  if (std::getenv("RARA3_ARCHITECT_WHY")) std::fprintf(stderr, "dropped: %s\n", reason);
}

// A fresh stage: rooms, then the player, the exit and the boxes.
StageFile Propose(Rng& rng, const Params& p) {
  StageFile s = Layout(rng, p);
  Place(rng, s, KindPlayer);
  Place(rng, s, KindExit);
  const std::vector<int32_t> featured = Featured(p);
  const bool copyPair =
      std::find(featured.begin(), featured.end(), KindCopyBox) != featured.end() && U(rng, 0, 1);
  Place(rng, s, KindPairBox);
  Place(rng, s, copyPair ? KindCopyBox : KindPairBox);
  for (int32_t k : featured) {
    Place(rng, s, k);
    if (k == KindBreakBox && std::find(featured.begin(), featured.end(), KindBombBox) == featured.end()) {
      Place(rng, s, KindBombBox);
    }
  }
  for (int i = 0; i < p.boxes; ++i) {
    Place(rng, s, featured.empty() || U(rng, 0, 2) == 0 ? KindPairBox
                                                        : featured[U(rng, 0, static_cast<int>(featured.size()) - 1)]);
  }
  return s;
}

// start: a stage to climb on from instead of a fresh one (deepening).
bool Generate(Rng& rng, const Params& p, StageFile& out, Rated& rating,
              const StageFile* start = nullptr) {
  StageFile s = start ? *start : Propose(rng, p);
  Rated best = Rate(s, p);
  // A layout whose first placement fails gets a few fresh placements.
  for (int retry = 0; !best.ok && retry < 30; ++retry) {
    StageFile t = s;
    Mutate(rng, t, p);
    Mutate(rng, t, p);
    const Rated r = Rate(t, p);
    if (r.ok) {
      s = t;
      best = r;
    }
  }
  if (!best.ok) {
    Why("no solvable placement");
    return false;
  }
  for (int it = 0; it < p.iterations; ++it) {
    StageFile t = s;
    const int n = U(rng, 1, 2);
    for (int i = 0; i < n; ++i) Mutate(rng, t, p);
    const Rated r = Rate(t, p, best.score);
    if (r.ok && r.score >= best.score) {
      s = t;
      best = r;
    }
  }
  if (std::getenv("RARA3_ARCHITECT_WHY")) std::fprintf(stderr, "climbed: %d pushes, %zu moves\n", best.f.pushes, best.r.facings.size());
  PruneObjects(s, p);
  if (p.openWalls) OpenIdleWalls(s, p);
  rating = Rate(s, p);
  if (!rating.ok || rating.f.pushes < p.minPushes || rating.f.moves < p.minMoves ||
      rating.unused > 0 || rating.untold > 0 || (p.strict && rating.missing > 0)) {
    Why(!rating.ok ? "unsolved after pruning"
        : rating.f.pushes < p.minPushes ? "too few pushes"
        : rating.f.moves < p.minMoves ? "too few moves"
        : rating.unused > 0 ? "a box unused"
        : rating.untold > 0 ? "the story lacks a required event"
                            : "a featured kind does nothing");
    return false;
  }
  rating.allNeeded = rating.missing == 0 && FeaturedNeeded(s, p, rating.r);
  if (p.strict && !rating.allNeeded) {
    Why("a featured kind is not needed");
    return false;
  }
  out = s;
  return true;
}

constexpr const char* kUsage =
    "usage: rara3-architect --seed N --count K --out DIR --kinds TB [--size WxH-WxH]\n"
    "       [--rooms A-B] [--boxes N] [--iterations N] [--max-states N]\n"
    "       [--min-pushes N] [--max-pushes N] [--max-dead PERCENT]\n"
    "       [--min-moves N] [--max-moves N] [--require WORDS]... [--open-walls] [--strict]\n"
    "       [--start STAGE.txt]\n";

int Usage() {
  std::fputs(kUsage, stderr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (rara3::AnswerStandardOptions(argc, argv, "rara3-architect", kUsage, stdout)) return 0;
  Params p;
  uint64_t seed = 1;
  int count = 1;
  std::string outDir;
  std::string startFile;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--open-walls" || a == "--strict") {
      (a == "--strict" ? p.strict : p.openWalls) = true;
      continue;
    }
    if (i + 1 >= argc) return Usage();
    const char* v = argv[++i];
    if (a == "--seed") seed = std::strtoull(v, nullptr, 10);
    else if (a == "--count") count = std::atoi(v);
    else if (a == "--out") outDir = v;
    else if (a == "--kinds") p.kinds = v;
    else if (a == "--size") std::sscanf(v, "%dx%d-%dx%d", &p.minW, &p.minH, &p.maxW, &p.maxH);
    else if (a == "--rooms") std::sscanf(v, "%d-%d", &p.minRooms, &p.maxRooms);
    else if (a == "--boxes") p.boxes = std::atoi(v);
    else if (a == "--iterations") p.iterations = std::atoi(v);
    else if (a == "--max-states") p.maxStates = std::strtoull(v, nullptr, 10);
    else if (a == "--min-pushes") p.minPushes = std::atoi(v);
    else if (a == "--max-pushes") p.maxPushes = std::atoi(v);
    else if (a == "--max-moves") p.maxMoves = std::atoi(v);
    else if (a == "--min-moves") p.minMoves = std::atoi(v);
    else if (a == "--start") startFile = v;
    else if (a == "--require") p.require.push_back(v);
    else if (a == "--max-dead") p.maxDead = std::atof(v) / 100.0;
    else return Usage();
  }
  for (char c : p.kinds) {
    const int32_t k = KindOfStageChar(c);
    if (k < 1 || k > 8 || k == KindSolidBox) {
      std::fprintf(stderr, "--kinds: '%c' is no box kind that moves or breaks\n", c);
      return 2;
    }
  }
  p.minW = std::clamp(p.minW, 4, 18);
  p.maxW = std::clamp(p.maxW, p.minW, 18);
  p.minH = std::clamp(p.minH, 4, 18);
  p.maxH = std::clamp(p.maxH, p.minH, 18);
  if (outDir.empty() || count < 1) return Usage();
  std::error_code ec;
  fs::create_directories(outDir, ec);
  StageFile start;
  if (!startFile.empty()) {
    std::string error;
    if (!ReadStageFile(startFile, start, error)) {
      std::fprintf(stderr, "%s\n", error.c_str());
      return 1;
    }
  }
  Rng rng(seed);
  int kept = 0;
  for (int attempt = 0; kept < count && attempt < count * 3; ++attempt) {
    StageFile s;
    Rated r;
    if (!Generate(rng, p, s, r, startFile.empty() ? nullptr : &start)) continue;
    Board b;
    std::string error;
    BoardForPlay(s, b, error);
    DeadEndResult dead;
    if (p.maxDead < 1.0) {
      dead = DeadEnds(b, SearchLimits{2'000'000, 1e9, 6000});
      if (!dead.complete || dead.Share() > p.maxDead) continue;
    }
    s.title = "Untitled";
    s.idea = DescribeSolution(AnalyseSolution(b, r.r.facings));
    const std::string name = std::to_string(seed) + "-" + std::to_string(kept) + ".txt";
    std::ofstream((fs::path(outDir) / name).string()) << FormatStageFile(s);
    std::printf("%s\t%zu\t%d\t%d\t%d\t%llu\t%.3f\t%s\t%s\n", name.c_str(), r.r.facings.size(),
                r.f.pushes, r.f.boxChanges, r.f.distinctBoxes,
                static_cast<unsigned long long>(r.r.states), dead.complete ? dead.Share() : -1.0,
                p.kinds.c_str(), r.allNeeded ? "kinds needed" : "kinds not all needed");
    std::fflush(stdout);
    ++kept;
  }
  return kept == count ? 0 : 1;
}
