// rara3-rooms: deep stages built as a chain of rooms. The rooms sit in a
// grid of slots on the board, visited in a snake; each pair of rooms in a
// row of the snake is joined by a corridor bent twice, so a box pushed out
// of a room jams at the first bend and never reaches the next room. Every
// room but the last holds a small puzzle of its own: its boxes bar the way
// to the corridor out, and the player has to clear it. The last room holds
// the pairing and the exit. Each room is found by a hill climb on its own
// (a search for the shortest way out of it, or the solver for the last
// room), every box in it needed; the whole stage is then searched once more
// by the solver. Rooms that do not depend on each other add their pushes
// and multiply the boards the search has to look at. Deterministic from the
// seed.
//
//   rara3-rooms --seed N --out DIR [--kinds VTSCB%] [--min-pushes N]
//               [--iterations N] [--restarts N] [--max-states N] [--rooms N]
//               [--plain] [--straight] [--room-size N]
//
// --plain keeps each room's outline clean: no wall across it, walls only
// as blocks that leave no one-cell stub (a stub reads as a stop the player
// has to think about), few outline corners; the puzzle of a room but the
// last starts with a box in its doorway. --straight runs the corridors
// straight where the rooms face each other: a door that reads as one and
// leaves no stub beside the bends, but a box may pass from room to room,
// so the whole stage's search often grows. --room-size N lets a room span
// up to N cells each way (7 by default) where the board has room: more
// floor against the corners and stubs its corridors bring.
//
// The stage goes to DIR/<seed>.txt; one tab-separated line on stdout: file,
// moves, pushes, box changes, boxes pushed, states, rooms, the kinds of each
// room (its pushes / the kinds of the boxes it cannot do without). Exit
// status 1 when the seed gave no stage. RARA3_ROOMS_STORY set: what each
// room's own shortest solution does, on stderr; RARA3_ROOMS_SHOW set: every
// room before and after its climb.
#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <string>
#include <unordered_map>
#include <vector>

#include "core/command_line.h"
#include "measure.h"
#include "rooms_layout.h"
#include "solution_use.h"
#include "game/solver.h"
#include "stage_file.h"

namespace fs = std::filesystem;
using namespace rara3;
using namespace rara3::solve;
using namespace rara3::stagegen;

namespace {

// With RARA3_ROOMS_SHOW set, a room's board as it climbs, on standard error.
void ShowBoard(const Board& b) {
  for (int y = 0; y < kBoardSize; ++y) {
    for (int x = 0; x < kBoardSize; ++x) std::fputc(StageCharOfKind(b.Map[x][y]), stderr);
    std::fputc('\n', stderr);
  }
}


bool IsObject(int32_t k) { return k >= KindPairBox && k <= KindBombBox && k != KindSolidBox; }

struct Params {
  std::string kinds = "VTSCB%";  // what the rooms' puzzles may use
  int minPushes = 22;
  int iterations = 1500;         // hill-climb steps per room and start
  int restarts = 4;              // fresh starts per room
  uint64_t maxStates = 8'000'000;  // the whole stage's search
  int rooms = 0;                   // 2, 3, 4 or 6; 0: any of 3, 4, 6
  bool plain = false;
  bool straight = false;
  int roomSize = 7;                // the most cells a room spans each way
};

// The board of one room alone: its inside, the corridor it comes in by and
// the passage out to the next bend; everything else wall.
struct Part {
  std::vector<Cell> inside;
  std::vector<Cell> open;  // inside and the corridor cells that belong to it
  Cell start{0, 0};        // where the player comes in
  bool last = false;
  Cell goal{0, 0};         // the bend the player has to reach (not the last)
  bool plain = false;
  std::vector<Cell> room;  // the room's own cells (inside less the doorway)
};

Part PartOf(const Layout& L, size_t i, bool plain) {
  Part p;
  p.plain = plain;
  p.inside = L.rooms[i].Inside();
  p.room = p.inside;
  p.open = p.inside;
  if (i > 0) {
    const Corridor& c = L.corridors[i - 1];
    p.open.insert(p.open.end(), c.inSide.begin(), c.inSide.end());
    p.start = c.inBend;
  }
  if (i + 1 < L.rooms.size()) {
    const Corridor& c = L.corridors[i];
    p.open.insert(p.open.end(), c.outSide.begin(), c.outSide.end());
    p.goal = c.outBend;
    // A plain room's puzzle may begin in its doorway.
    if (plain && c.outSide.size() > 1) p.inside.push_back(c.outSide.front());
  } else {
    p.last = true;
  }
  return p;
}

Board SolidBoard() {
  Board b;
  for (auto& col : b.Map)
    for (auto& c : col) c = KindSolidBox;
  return b;
}

// The shortest way (fewest moves) for the player to reach goal; the keys
// hold the open cells only, so a small room searches fast.
bool ReachGoal(const Board& start, const std::vector<Cell>& open, Cell goal, size_t cap,
               std::vector<int32_t>& facings, size_t* states = nullptr) {
  static constexpr int32_t kFacings[4] = {FacingDown, FacingLeft, FacingRight, FacingUp};
  auto key = [&](const Board& b) {
    std::string k(open.size(), '\0');
    for (size_t i = 0; i < open.size(); ++i) k[i] = static_cast<char>(b.Map[open[i].first][open[i].second]);
    return k;
  };
  std::vector<std::string> keys;
  std::vector<int> parent;
  std::vector<int8_t> move;
  std::unordered_map<std::string, int> seen;
  keys.push_back(key(start));
  parent.push_back(-1);
  move.push_back(0);
  seen.emplace(keys[0], 0);
  Board b = start;
  for (size_t head = 0; head < keys.size(); ++head) {
    if (keys.size() > cap) return false;
    // Rebuild the board from its key.
    for (size_t i = 0; i < open.size(); ++i) {
      const int32_t k = keys[head][i];
      b.Map[open[i].first][open[i].second] = k;
      if (k == KindPlayer) {
        b.PlayerX = open[i].first;
        b.PlayerY = open[i].second;
      }
    }
    for (int32_t f : kFacings) {
      Board n = b;
      const MoveResult r = ApplyMove(n, f);
      if (r.kind == MoveKind::None) continue;
      std::string k = key(n);
      if (!seen.emplace(k, static_cast<int>(keys.size())).second) continue;
      keys.push_back(std::move(k));
      parent.push_back(static_cast<int>(head));
      move.push_back(static_cast<int8_t>(f));
      if (n.PlayerX == goal.first && n.PlayerY == goal.second) {
        facings.clear();
        for (int s = static_cast<int>(keys.size()) - 1; parent[s] >= 0; s = parent[s]) facings.push_back(move[s]);
        std::reverse(facings.begin(), facings.end());
        if (states) *states = keys.size();
        return true;
      }
    }
  }
  return false;
}

struct Rated {
  bool ok = false;
  std::vector<int32_t> facings;
  SolutionFacts f;
  int unneeded = 0;
  int tools = 0;
  std::string toolKinds;  // kinds of the boxes it cannot do without
  int stubs = 0;          // plain rooms only
  double score = -1e18;
};

int EventKinds(const SolutionFacts& f) {
  return (f.vanishes > 0) + (f.steps > 0) + (f.slides > 0) + (f.copyChanges > 0) + (f.blasts > 0);
}

// Searches one room; the last room by the solver.
bool SolvePart(const Board& b, const Part& p, std::vector<int32_t>& facings) {
  if (!p.last) return ReachGoal(b, p.open, p.goal, 100'000, facings);
  const SolveResult r = Solve(b, SearchLimits{150'000, 60, 2000});
  if (r.status != SolveStatus::Solved) return false;
  facings = r.facings;
  return true;
}

Rated RatePart(const Board& b, const Part& p, double floor) {
  Rated out;
  if (!SolvePart(b, p, out.facings)) return out;
  out.f = FactsOf(b, out.facings);
  out.ok = true;
  out.score = 40.0 * out.f.pushes + 25.0 * out.f.boxChanges + 30.0 * out.f.distinctBoxes +
              1.0 * out.f.moves + 30.0 * EventKinds(out.f);
  if (p.plain) {
    // A corner costs a quarter of a push, a stub far more than a push
    // earns, and a hauled push earns nothing.
    // Measured as rara3-solve --measure measures a stage.
    const ShapeFacts shape = ShapeOf(b, AreaOf(b), out.facings);
    out.stubs = shape.stubs;
    out.score -= 10.0 * shape.outlineCorners + 200.0 * shape.stubs + 50.0 * shape.haulage;
  }
  if (out.score < floor) return out;
  // Every box has to matter: without it the room cannot be done, or only
  // the long way, or much quicker (it was in the way).
  const int base = static_cast<int>(out.facings.size());
  for (const auto& [x, y] : p.inside) {
    if (!IsObject(b.Map[x][y])) continue;
    Board without = b;
    without.Map[x][y] = KindEmpty;
    std::vector<int32_t> other;
    const bool done = SolvePart(without, p, other);
    const int d = done ? static_cast<int>(other.size()) - base : 0;
    if (!done || d > 0) {
      ++out.tools;
      const char c = StageCharOfKind(b.Map[x][y]);
      if (out.toolKinds.find(c) == std::string::npos) out.toolKinds += c;
      continue;
    }
    if (d > 0 || d < -3) continue;
    ++out.unneeded;
  }
  // A box the room cannot do without is a tool, not only an obstacle.
  out.score += 40.0 * out.tools - 300.0 * out.unneeded;
  return out;
}

void Mutate(Rng& rng, Board& b, const Part& p, const std::string& kinds, int maxBoxes) {
  std::vector<Cell> objs, floor;
  for (const auto& c : p.inside) {
    const int32_t k = b.Map[c.first][c.second];
    if (IsObject(k) || k == KindBreakBox) objs.push_back(c);
    else if (k == KindEmpty) floor.push_back(c);
  }
  if (floor.empty()) return;
  const Cell f = floor[U(rng, 0, static_cast<int>(floor.size()) - 1)];
  auto pick = [&]() { return KindOfStageChar(kinds[U(rng, 0, static_cast<int>(kinds.size()) - 1)]); };
  const int boxes = static_cast<int>(objs.size());
  const int what = U(rng, 0, 7);
  if (objs.empty() || what == 4) {
    if (boxes < maxBoxes) b.Map[f.first][f.second] = pick();
    return;
  }
  const Cell o = objs[U(rng, 0, static_cast<int>(objs.size()) - 1)];
  int32_t& ok = b.Map[o.first][o.second];
  switch (what) {
    case 0:
    case 1: std::swap(ok, b.Map[f.first][f.second]); break;
    case 2: {
      const int d = U(rng, 0, 3);
      const int nx = o.first + kDirDX[d], ny = o.second + kDirDY[d];
      const bool in = std::find(p.inside.begin(), p.inside.end(), Cell{nx, ny}) != p.inside.end();
      if (in && b.Map[nx][ny] == KindEmpty) std::swap(ok, b.Map[nx][ny]);
      break;
    }
    case 3:
    case 7: {  // a wall cell comes or goes
      if (p.plain) {
        // A plain room grows or loses walls by 2x2 blocks, which leave no
        // stub; a block cut by the room's edge is a notch.
        const Cell w = p.room[U(rng, 0, static_cast<int>(p.room.size()) - 1)];
        const bool fill = b.Map[w.first][w.second] == KindEmpty;
        for (int dx = 0; dx < 2; ++dx)
          for (int dy = 0; dy < 2; ++dy) {
            const Cell c{w.first + dx, w.second + dy};
            if (std::find(p.room.begin(), p.room.end(), c) == p.room.end()) continue;
            int32_t& k = b.Map[c.first][c.second];
            if (fill && k == KindEmpty) k = KindSolidBox;
            else if (!fill && k == KindSolidBox) k = KindEmpty;
          }
        break;
      }
      const Cell w = p.inside[U(rng, 0, static_cast<int>(p.inside.size()) - 1)];
      int32_t& k = b.Map[w.first][w.second];
      if (k == KindSolidBox) k = KindEmpty;
      else if (k == KindEmpty) k = KindSolidBox;
      break;
    }
    case 5: ok = KindEmpty; break;
    default: {
      const int32_t k = pick();
      if (ok != KindPairBox) ok = k;
      break;
    }
  }
}

// The player's figure covers the cell above it; a box there would hide.
bool BoxAbovePlayer(const Board& b) { return IsObject(b.Map[b.PlayerX][b.PlayerY - 1]); }

// One room's contents by a hill climb; written into the board of the
// whole stage. False when no room with pushes came out.
bool ClimbPart(Rng& rng, const Params& prm, const Layout& L, size_t i, const std::string& kinds,
               Board& b, Rated& rating) {
  const Part p = PartOf(L, i, prm.plain);
  b = SolidBoard();
  for (const auto& [x, y] : p.open) b.Map[x][y] = KindEmpty;
  if (i == 0) {
    // The player starts far from the way out, so the room lies between.
    const Room& r = L.rooms[0];
    const Cell out = L.corridors[0].outSide.front();
    std::vector<Cell> far;
    int most = -1;
    for (int x = r.x0; x <= r.x1; ++x)
      for (int y = r.y0 + 1; y <= r.y1; ++y) {
        const int d = std::abs(x - out.first) + std::abs(y - out.second);
        if (d > most) far.clear();
        if (d >= most) {
          most = d;
          far.push_back({x, y});
        }
      }
    const Cell s = far[U(rng, 0, static_cast<int>(far.size()) - 1)];
    b.PlayerX = s.first;
    b.PlayerY = s.second;
  } else {
    b.PlayerX = p.start.first;
    b.PlayerY = p.start.second;
  }
  b.Map[b.PlayerX][b.PlayerY] = KindPlayer;
  std::vector<Cell> free;
  for (const auto& c : p.inside)
    if (b.Map[c.first][c.second] == KindEmpty) free.push_back(c);
  auto place = [&](int32_t k) {
    for (int t = 0; t < 50; ++t) {
      const Cell c = free[U(rng, 0, static_cast<int>(free.size()) - 1)];
      if (b.Map[c.first][c.second] != KindEmpty) continue;
      b.Map[c.first][c.second] = k;
      return;
    }
  };
  const int maxBoxes = p.last ? 5 : 4;
  if (p.last) {
    // The exit first: it stays where it is; then the pair.
    const Cell e = free[U(rng, 0, static_cast<int>(free.size()) - 1)];
    b.ExitX = e.first;
    b.ExitY = e.second;
    b.ExitOpen = false;
    place(KindPairBox);
    place(kinds.find('C') != std::string::npos && U(rng, 0, 1) ? KindCopyBox : KindPairBox);
  }
  if (!p.last && p.plain) {
    // The doorway out is barred by a box.
    b.Map[p.inside.back().first][p.inside.back().second] =
        KindOfStageChar(kinds[U(rng, 0, static_cast<int>(kinds.size()) - 1)]);
  } else if (!p.last) {
    // A wall across the room between the way in and the way out, with a
    // gap or two: the boxes start in and beside the gaps.
    const Room& r = L.rooms[i];
    const Cell in = i == 0 ? Cell{b.PlayerX, b.PlayerY} : L.corridors[i - 1].inSide.back();
    const Cell out = L.corridors[i].outSide.front();
    auto inside = [&](Cell c) { return c.first >= r.x0 && c.first <= r.x1 && c.second >= r.y0 && c.second <= r.y1; };
    auto enter = [&](Cell c) {  // the inside cell next to a passage cell
      for (int d = 0; d < 4; ++d) {
        const Cell n{c.first + kDirDX[d], c.second + kDirDY[d]};
        if (inside(n)) return n;
      }
      return c;
    };
    const Cell a = i == 0 ? in : enter(in), z = enter(out);
    std::vector<std::vector<Cell>> lines;
    for (int x = r.x0 + 1; x < r.x1; ++x)
      if ((a.first - x) * (z.first - x) < 0) {
        std::vector<Cell> l;
        for (int y = r.y0; y <= r.y1; ++y) l.push_back({x, y});
        lines.push_back(l);
      }
    for (int y = r.y0 + 1; y < r.y1; ++y)
      if ((a.second - y) * (z.second - y) < 0) {
        std::vector<Cell> l;
        for (int x = r.x0; x <= r.x1; ++x) l.push_back({x, y});
        lines.push_back(l);
      }
    if (!lines.empty()) {
      const auto& l = lines[U(rng, 0, static_cast<int>(lines.size()) - 1)];
      for (const auto& [x, y] : l) b.Map[x][y] = KindSolidBox;
      for (int g = U(rng, 1, 2); g > 0; --g) {
        const Cell c = l[U(rng, 0, static_cast<int>(l.size()) - 1)];
        b.Map[c.first][c.second] = KindOfStageChar(kinds[U(rng, 0, static_cast<int>(kinds.size()) - 1)]);
      }
    }
  }
  for (int n = U(rng, 1, 2); n > 0; --n) place(KindOfStageChar(kinds[U(rng, 0, static_cast<int>(kinds.size()) - 1)]));
  if (kinds.find('%') != std::string::npos && U(rng, 0, 1)) place(KindBombBox);
  Rated best = RatePart(b, p, -1e18);
  for (int t = 0; !best.ok && t < 60; ++t) {
    Board c = b;
    Mutate(rng, c, p, kinds, maxBoxes);
    Mutate(rng, c, p, kinds, maxBoxes);
    const Rated r = RatePart(c, p, -1e18);
    if (r.ok) {
      b = c;
      best = r;
    }
  }
  if (std::getenv("RARA3_ROOMS_SHOW")) {
    ShowBoard(b);
    std::fprintf(stderr, "goal %d,%d ok %d\n", p.goal.first, p.goal.second, best.ok);
  }
  if (!best.ok) return false;
  for (int it = 0; it < prm.iterations; ++it) {
    Board c = b;
    for (int n = U(rng, 1, 2); n > 0; --n) Mutate(rng, c, p, kinds, maxBoxes);
    if (p.last && (c.ExitX < 0 || c.Map[c.ExitX][c.ExitY] != KindEmpty)) continue;
    if (i == 0 && BoxAbovePlayer(c)) continue;
    const Rated r = RatePart(c, p, best.score);
    if (r.ok && r.score >= best.score) {
      b = c;
      best = r;
    }
  }
  // Walls the room's puzzle does not need go, so the room reads clearly.
  for (const auto& [x, y] : p.inside) {
    if (b.Map[x][y] != KindSolidBox || !best.ok || best.unneeded > 0) continue;
    Board c = b;
    c.Map[x][y] = KindEmpty;
    const Rated r = RatePart(c, p, best.score);
    if (r.ok && r.unneeded == 0 && r.f.pushes == best.f.pushes && r.f.moves >= best.f.moves &&
        r.score >= best.score) {
      b = c;
      best = r;
    }
  }
  if (std::getenv("RARA3_ROOMS_SHOW")) {
    ShowBoard(b);
    std::fprintf(stderr, "climbed: %d pushes, %d unneeded\n", best.f.pushes, best.unneeded);
  }
  if (best.unneeded > 0 || best.f.pushes < 2 || best.stubs > 1) return false;
  rating = best;
  return true;
}

// The best of a few climbs from fresh starts, written into the whole
// stage's board.
bool MakePart(Rng& rng, const Params& prm, const Layout& L, size_t i, const std::string& kinds,
              Board& whole, Rated& rating) {
  const Part p = PartOf(L, i, prm.plain);
  Board b;
  bool found = false;
  for (int n = 0; n < prm.restarts; ++n) {
    Board c;
    Rated r;
    if (!ClimbPart(rng, prm, L, i, kinds, c, r) || (found && r.score <= rating.score)) continue;
    b = c;
    rating = r;
    found = true;
  }
  if (!found) return false;
  for (const auto& [x, y] : p.inside) whole.Map[x][y] = b.Map[x][y];
  if (i == 0) {
    whole.PlayerX = b.PlayerX;
    whole.PlayerY = b.PlayerY;
  }
  if (p.last) {
    whole.ExitX = b.ExitX;
    whole.ExitY = b.ExitY;
  }
  return true;
}

constexpr const char* kUsage =
    "usage: rara3-rooms --seed N --out DIR [--kinds VTSCB%] [--min-pushes N]\n"
    "       [--iterations N] [--restarts N] [--max-states N] [--rooms 2|3|4|6]\n"
    "       [--plain] [--straight] [--room-size N]\n";

int Usage() {
  std::fputs(kUsage, stderr);
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (rara3::AnswerStandardOptions(argc, argv, "rara3-rooms", kUsage, stdout)) return 0;
  Params prm;
  uint64_t seed = 1;
  std::string outDir;
  for (int i = 1; i < argc; ++i) {
    const std::string a = argv[i];
    if (a == "--plain" || a == "--straight") {
      (a == "--plain" ? prm.plain : prm.straight) = true;
      continue;
    }
    if (i + 1 >= argc) return Usage();
    const char* v = argv[++i];
    if (a == "--seed") seed = std::strtoull(v, nullptr, 10);
    else if (a == "--out") outDir = v;
    else if (a == "--kinds") prm.kinds = v;
    else if (a == "--min-pushes") prm.minPushes = std::atoi(v);
    else if (a == "--iterations") prm.iterations = std::atoi(v);
    else if (a == "--restarts") prm.restarts = std::atoi(v);
    else if (a == "--max-states") prm.maxStates = std::strtoull(v, nullptr, 10);
    else if (a == "--rooms") prm.rooms = std::atoi(v);
    else if (a == "--room-size") prm.roomSize = std::atoi(v);
    else return Usage();
  }
  if (outDir.empty() || prm.kinds.empty()) return Usage();
  if (prm.roomSize < 4 || prm.roomSize > 18) {
    std::fprintf(stderr, "--room-size: %d; a room spans 4 to 18 cells\n", prm.roomSize);
    return 2;
  }
  if (!IsRoomCount(prm.rooms)) {
    std::fprintf(stderr, "--rooms: %d rooms make no grid; 2, 3, 4 or 6\n", prm.rooms);
    return 2;
  }
  for (char c : prm.kinds) {
    const int32_t k = KindOfStageChar(c);
    if (k < 2 || k > 8 || k == KindSolidBox) {
      std::fprintf(stderr, "--kinds: '%c' is no box kind a room's puzzle can use\n", c);
      return 2;
    }
  }
  std::error_code ec;
  fs::create_directories(outDir, ec);
  Rng rng(seed);
  const Layout L = MakeLayout(rng, prm.rooms, prm.straight, prm.roomSize);
  Board whole = SolidBoard();
  for (const Room& r : L.rooms)
    for (const auto& [x, y] : r.Inside()) whole.Map[x][y] = KindEmpty;
  for (const Corridor& c : L.corridors)
    for (const auto* part : {&c.outSide, &c.middle, &c.inSide})
      for (const auto& [x, y] : *part) whole.Map[x][y] = KindEmpty;
  std::string roomKinds, roomStory;
  for (size_t i = 0; i < L.rooms.size(); ++i) {
    // Each room draws two or three kinds of the stage's, so rooms differ.
    // A room that gives no puzzle with its kinds tries others.
    std::string k;
    Rated r;
    bool made = false;
    for (int attempt = 0; attempt < 4 && !made; ++attempt) {
      k.clear();
      for (int n = U(rng, 2, 3), t = 0; static_cast<int>(k.size()) < n && t < 40; ++t) {
        const char c = prm.kinds[U(rng, 0, static_cast<int>(prm.kinds.size()) - 1)];
        if (k.find(c) == std::string::npos) k += c;
      }
      // A break box wants a bomb to meet it.
      if (k.find('%') != std::string::npos && k.find('B') == std::string::npos) k += 'B';
      made = MakePart(rng, prm, L, i, k, whole, r);
    }
    if (!made) {
      std::fprintf(stderr, "seed %llu: room %zu (%s) gave no puzzle\n", static_cast<unsigned long long>(seed), i,
                   k.c_str());
      return 1;
    }
    {
      // What each room asks of the player, for the one writing its words.
      Board rb = SolidBoard();
      const Part part = PartOf(L, i, prm.plain);
      for (const auto& [x, y] : part.open) rb.Map[x][y] = whole.Map[x][y];
      if (i > 0) {
        rb.PlayerX = part.start.first;
        rb.PlayerY = part.start.second;
      } else {
        rb.PlayerX = whole.PlayerX;
        rb.PlayerY = whole.PlayerY;
      }
      rb.Map[rb.PlayerX][rb.PlayerY] = KindPlayer;
      rb.ExitX = whole.ExitX;
      rb.ExitY = whole.ExitY;
      std::vector<int32_t> fs;
      if (SolvePart(rb, part, fs)) {
        const SolutionFacts rf = FactsOf(rb, fs);
        roomStory += "room " + std::to_string(i + 1) + " (" + std::to_string(L.rooms[i].x0) + "," +
                     std::to_string(L.rooms[i].y0) + ")-(" + std::to_string(L.rooms[i].x1) + "," +
                     std::to_string(L.rooms[i].y1) + "): " + std::to_string(rf.pushes) + " pushes: " +
                     DescribeSolution(AnalyseSolution(rb, fs)) + "\n";
        for (const std::string& line : rf.story) roomStory += "    " + line + "\n";
      }
    }
    roomKinds += (i ? "," : "") + k + ":" + std::to_string(r.f.pushes) + "/" + r.toolKinds;
  }
  whole.Map[whole.PlayerX][whole.PlayerY] = KindPlayer;
  // Floor that walls shut off from everything else becomes wall too.
  {
    bool in[kBoardSize][kBoardSize] = {};
    std::vector<Cell> stack{{whole.PlayerX, whole.PlayerY}};
    in[whole.PlayerX][whole.PlayerY] = true;
    while (!stack.empty()) {
      const auto [x, y] = stack.back();
      stack.pop_back();
      for (int d = 0; d < 4; ++d) {
        const int nx = x + kDirDX[d], ny = y + kDirDY[d];
        if (!InGrid(nx, ny) || in[nx][ny] || whole.Map[nx][ny] == KindSolidBox) continue;
        in[nx][ny] = true;
        stack.push_back({nx, ny});
      }
    }
    for (int x = 0; x < kBoardSize; ++x)
      for (int y = 0; y < kBoardSize; ++y)
        if (!in[x][y]) whole.Map[x][y] = KindSolidBox;
  }
  StageFile s;
  for (int x = 0; x < kBoardSize; ++x)
    for (int y = 0; y < kBoardSize; ++y) s.cells[x][y] = whole.Map[x][y];
  s.cells[whole.ExitX][whole.ExitY] = KindExit;
  Board b;
  std::string error;
  if (!BoardForPlay(s, b, error)) {
    std::fprintf(stderr, "seed %llu: %s\n", static_cast<unsigned long long>(seed), error.c_str());
    return 1;
  }
  const SolveResult r = Solve(b, SearchLimits{prm.maxStates, 600, 6000});
  if (r.status != SolveStatus::Solved) {
    std::fprintf(stderr, "seed %llu: the whole stage is not solved (%s)\n", static_cast<unsigned long long>(seed),
                 r.limitHit.c_str());
    return 1;
  }
  const SolutionFacts f = FactsOf(b, r.facings);
  if (f.pushes < prm.minPushes) {
    std::fprintf(stderr, "seed %llu: %d pushes\n", static_cast<unsigned long long>(seed), f.pushes);
    return 1;
  }
  s.title = "Untitled";
  s.idea = DescribeSolution(AnalyseSolution(b, r.facings));
  const std::string name = std::to_string(seed) + ".txt";
  std::ofstream((fs::path(outDir) / name).string()) << FormatStageFile(s);
  if (std::getenv("RARA3_ROOMS_STORY")) std::fputs(roomStory.c_str(), stderr);
  std::printf("%s\t%zu\t%d\t%d\t%d\t%llu\t%zu\t%s\n", name.c_str(), r.facings.size(), f.pushes, f.boxChanges,
              f.distinctBoxes, static_cast<unsigned long long>(r.states), L.rooms.size(), roomKinds.c_str());
  return 0;
}
