#include "measure.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <set>

#include "game/push_search.h"
#include "solution_use.h"

namespace rara3::solve {

namespace {

const char* const kKindWords[] = {"empty", "pair", "break", "vanish", "step", "slide",
                                  "copy",  "solid", "bomb", "player", "exit"};

bool IsObject(int32_t k) { return k >= KindPairBox && k <= KindBombBox && k != KindSolidBox; }

// The facing of each direction index (DirDX, DirDY order).
constexpr int32_t kFacingOf[4] = {FacingDown, FacingLeft, FacingRight, FacingUp};

// Sizes of the parts of the area left when one cell is taken out.
std::vector<int> PartsWithout(const PlayArea& a, int cx, int cy) {
  bool seen[kBoardSize][kBoardSize] = {};
  std::vector<int> parts;
  std::vector<std::pair<int, int>> stack;
  for (int x = 0; x < kBoardSize; ++x) {
    for (int y = 0; y < kBoardSize; ++y) {
      if (!a.in[x][y] || seen[x][y] || (x == cx && y == cy)) continue;
      int size = 0;
      stack.push_back({x, y});
      seen[x][y] = true;
      while (!stack.empty()) {
        const auto [px, py] = stack.back();
        stack.pop_back();
        ++size;
        for (int d = 0; d < 4; ++d) {
          const int nx = px + kDirDX[d], ny = py + kDirDY[d];
          if (!InGrid(nx, ny) || !a.in[nx][ny] || seen[nx][ny] || (nx == cx && ny == cy)) continue;
          seen[nx][ny] = true;
          stack.push_back({nx, ny});
        }
      }
      parts.push_back(size);
    }
  }
  return parts;
}

std::string Escape(const std::string& s) {
  std::string out;
  for (char c : s) {
    if (c == '"' || c == '\\') out += '\\';
    out += c;
  }
  return out;
}

}  // namespace

const char* ChangeName(Change c) {
  switch (c) {
    case Change::Unsolvable: return "unsolvable";
    case Change::Longer: return "longer";
    case Change::Same: return "same";
    case Change::Shorter: return "shorter";
    default: return "unknown";
  }
}

PlayArea AreaOf(const Board& b) {
  PlayArea a;
  std::vector<std::pair<int, int>> stack{{b.PlayerX, b.PlayerY}};
  a.in[b.PlayerX][b.PlayerY] = true;
  while (!stack.empty()) {
    const auto [x, y] = stack.back();
    stack.pop_back();
    ++a.cells;
    a.x0 = std::min(a.x0, x);
    a.y0 = std::min(a.y0, y);
    a.x1 = std::max(a.x1, x);
    a.y1 = std::max(a.y1, y);
    for (int d = 0; d < 4; ++d) {
      const int nx = x + kDirDX[d], ny = y + kDirDY[d];
      if (!InGrid(nx, ny) || a.in[nx][ny] || b.Map[nx][ny] == KindSolidBox) continue;
      a.in[nx][ny] = true;
      stack.push_back({nx, ny});
    }
  }
  constexpr int kRoomCells = 10;
  for (int x = 0; x < kBoardSize && !a.hasDoor; ++x) {
    for (int y = 0; y < kBoardSize && !a.hasDoor; ++y) {
      if (!a.in[x][y]) continue;
      const std::vector<int> parts = PartsWithout(a, x, y);
      int big = 0;
      for (int p : parts) big += p >= kRoomCells;
      a.hasDoor = big >= 2;
    }
  }
  return a;
}

SolutionFacts FactsOf(const Board& start, const std::vector<int32_t>& facings) {
  SolutionFacts f;
  f.moves = static_cast<int>(facings.size());
  int id[kBoardSize][kBoardSize];
  int next = 0;
  for (int x = 0; x < kBoardSize; ++x)
    for (int y = 0; y < kBoardSize; ++y) id[x][y] = IsObject(start.Map[x][y]) ? next++ : -1;
  std::vector<bool> pushed(next, false);
  int last = -1;
  Board b = start;
  for (int32_t facing : facings) {
    const int d = DirIndexOf(facing);
    const int tx = b.PlayerX + kDirDX[d], ty = b.PlayerY + kDirDY[d];
    const int32_t kind = CellAt(b, tx, ty);
    const int who = InGrid(tx, ty) ? id[tx][ty] : -1;
    const MoveResult r = ApplyMove(b, facing);
    if (r.kind != MoveKind::Push) continue;
    ++f.pushes;
    if (who >= 0) {
      if (last >= 0 && who != last) ++f.boxChanges;
      last = who;
      pushed[who] = true;
    }
    std::string line = std::string(kKindWords[kind]) + " " + "DLRU"[d];
    id[tx][ty] = -1;
    const bool hitsBox = IsObject(b.HitKind);
    switch (kind) {
      case KindPairBox:
        if (r.exitOpened) {
          ++f.pairings;
          line += " pairs";
        }
        break;
      case KindVanishBox: ++f.vanishes; line += " vanishes"; break;
      case KindStepBox: ++f.steps; break;
      case KindSlideBox: ++f.slides; break;
      case KindCopyBox:
        if (b.HitKind != KindExit && b.HitKind != KindCopyBox && b.HitKind != KindOutside) {
          ++f.copyChanges;
          line += std::string(" becomes ") + kKindWords[b.HitKind];
          if (r.exitOpened) ++f.pairings;
        }
        break;
      case KindBombBox:
        if (hitsBox) {
          ++f.blasts;
          line += std::string(" blasts ") + kKindWords[b.HitKind];
          id[b.HitX][b.HitY] = -1;
        }
        break;
    }
    if (kind != KindVanishBox && IsObject(CellAt(b, b.SlideEndX, b.SlideEndY))) {
      id[b.SlideEndX][b.SlideEndY] = who;
    }
    char at[32];
    std::snprintf(at, sizeof at, " (%d,%d)->(%d,%d)", tx, ty, b.SlideEndX, b.SlideEndY);
    f.story.push_back(line + at);
  }
  f.distinctBoxes = static_cast<int>(std::count(pushed.begin(), pushed.end(), true));
  return f;
}

namespace {

// The cells the player can walk to from where they stand.
void Reachable(const Board& b, bool out[kBoardSize][kBoardSize]) {
  for (int x = 0; x < kBoardSize; ++x)
    for (int y = 0; y < kBoardSize; ++y) out[x][y] = false;
  std::vector<std::pair<int, int>> stack{{b.PlayerX, b.PlayerY}};
  out[b.PlayerX][b.PlayerY] = true;
  while (!stack.empty()) {
    const auto [x, y] = stack.back();
    stack.pop_back();
    for (int d = 0; d < 4; ++d) {
      const int nx = x + kDirDX[d], ny = y + kDirDY[d];
      if (!InGrid(nx, ny) || out[nx][ny] || b.Map[nx][ny] != KindEmpty) continue;
      out[nx][ny] = true;
      stack.push_back({nx, ny});
    }
  }
}

// The smallest distance (in rows plus columns) between a pair box and a box
// that could pair with it: another pair box or a copy box. -1 when none.
int PartnerDistance(const Board& b) {
  std::vector<std::pair<int, int>> pairs, partners;
  for (int x = 0; x < kBoardSize; ++x) {
    for (int y = 0; y < kBoardSize; ++y) {
      if (b.Map[x][y] == KindPairBox) pairs.push_back({x, y});
      if (b.Map[x][y] == KindPairBox || b.Map[x][y] == KindCopyBox) partners.push_back({x, y});
    }
  }
  int best = -1;
  for (const auto& p : pairs) {
    for (const auto& q : partners) {
      if (p == q) continue;
      const int dist = std::abs(p.first - q.first) + std::abs(p.second - q.second);
      if (best < 0 || dist < best) best = dist;
    }
  }
  return best;
}

// The distinct boards one push away, wherever the player walks first.
int ChoicesAt(const Board& b) {
  bool reach[kBoardSize][kBoardSize];
  Reachable(b, reach);
  std::set<std::string> boards;
  for (int x = 0; x < kBoardSize; ++x) {
    for (int y = 0; y < kBoardSize; ++y) {
      if (!reach[x][y]) continue;
      for (int d = 0; d < 4; ++d) {
        if (!IsObject(CellAt(b, x + kDirDX[d], y + kDirDY[d]))) continue;
        Board n = b;
        n.Map[b.PlayerX][b.PlayerY] = KindEmpty;
        n.Map[x][y] = KindPlayer;
        n.PlayerX = x;
        n.PlayerY = y;
        if (ApplyMove(n, kFacingOf[d]).kind != MoveKind::Push) continue;
        n.Map[n.PlayerX][n.PlayerY] = KindEmpty;
        std::string key(reinterpret_cast<const char*>(&n.Map[0][0]), sizeof n.Map);
        key += n.ExitOpen ? '1' : '0';
        boards.insert(std::move(key));
      }
    }
  }
  return static_cast<int>(boards.size());
}

}  // namespace

ShapeFacts ShapeOf(const Board& start, const PlayArea& area, const std::vector<int32_t>& facings) {
  ShapeFacts s;
  s.floor = area.cells;
  auto mark = [&](int x, int y) {
    if (InGrid(x, y)) s.usedCell[x][y] = true;
  };
  int id[kBoardSize][kBoardSize];
  int next = 0;
  for (int x = 0; x < kBoardSize; ++x) {
    for (int y = 0; y < kBoardSize; ++y) {
      id[x][y] = IsObject(start.Map[x][y]) ? next++ : -1;
      if (id[x][y] >= 0) mark(x, y);
    }
  }
  mark(start.PlayerX, start.PlayerY);

  bool seen[kBoardSize][kBoardSize];
  Reachable(start, seen);
  int closest = PartnerDistance(start);
  std::vector<bool> progress;
  bool kindPushed[11] = {};
  int lastWho = -1, lastDir = -1;
  Board b = start;
  for (int32_t facing : facings) {
    const int d = DirIndexOf(facing);
    const int tx = b.PlayerX + kDirDX[d], ty = b.PlayerY + kDirDY[d];
    const int32_t kind = CellAt(b, tx, ty);
    const int who = InGrid(tx, ty) ? id[tx][ty] : -1;
    // Counted on the board before the push, kept only if it is one: a box
    // that cannot move leaves the player where they were.
    const int open = IsObject(kind) && InGrid(tx, ty) ? ChoicesAt(b) : 0;
    const MoveResult r = ApplyMove(b, facing);
    if (r.kind != MoveKind::Push) {
      mark(b.PlayerX, b.PlayerY);
      continue;
    }
    s.choices.push_back(open);
    kindPushed[kind] = true;
    if (who >= 0 && who == lastWho && d == lastDir) ++s.haulage;
    lastWho = who;
    lastDir = d;
    for (int x = tx, y = ty;; x += kDirDX[d], y += kDirDY[d]) {
      mark(x, y);
      if ((x == b.SlideEndX && y == b.SlideEndY) || !InGrid(x, y)) break;
    }
    id[tx][ty] = -1;
    if (kind == KindBombBox && IsObject(b.HitKind)) id[b.HitX][b.HitY] = -1;
    if (kind != KindVanishBox && IsObject(CellAt(b, b.SlideEndX, b.SlideEndY)))
      id[b.SlideEndX][b.SlideEndY] = who;
    s.lastEvent = kind == KindCopyBox ? "copy" : kKindWords[kind];

    bool moved = r.exitOpened;
    bool now[kBoardSize][kBoardSize];
    Reachable(b, now);
    for (int x = 0; x < kBoardSize; ++x) {
      for (int y = 0; y < kBoardSize; ++y) {
        if (now[x][y] && !seen[x][y]) {
          seen[x][y] = true;
          moved = true;
        }
      }
    }
    const int dist = PartnerDistance(b);
    if (dist >= 0 && (closest < 0 || dist < closest)) {
      closest = dist;
      moved = true;
    }
    progress.push_back(moved);
  }
  bool inRun = false;
  for (size_t i = 0; i + 1 < progress.size(); ++i) {
    const bool quiet = !progress[i] && !progress[i + 1];
    if (quiet && !inRun) ++s.ideaMoments;
    inRun = quiet;
  }
  for (int k = KindPairBox; k <= KindBombBox; ++k) {
    if (!kindPushed[k]) continue;
    if (!s.kindsPushed.empty()) s.kindsPushed += ",";
    s.kindsPushed += kKindWords[k];
  }

  auto floorAt = [&](int x, int y) { return InGrid(x, y) && area.in[x][y]; };
  for (int x = -1; x < kBoardSize; ++x) {
    for (int y = -1; y < kBoardSize; ++y) {
      const bool a = floorAt(x, y), bb = floorAt(x + 1, y), c = floorAt(x, y + 1),
                 dd = floorAt(x + 1, y + 1);
      const int n = a + bb + c + dd;
      if (n == 1 || n == 3) ++s.outlineCorners;
      if (n == 2 && a == dd) s.outlineCorners += 2;
    }
  }
  for (int x = 0; x < kBoardSize; ++x) {
    for (int y = 0; y < kBoardSize; ++y) {
      if (area.in[x][y]) {
        s.used += s.usedCell[x][y];
        continue;
      }
      int floorNear = 0;
      bool usedNear = false;
      for (int d = 0; d < 4; ++d) floorNear += floorAt(x + kDirDX[d], y + kDirDY[d]);
      // "Next to" takes the diagonals in: a wall at the corner of a path
      // still frames it.
      for (int dx = -1; dx <= 1; ++dx)
        for (int dy = -1; dy <= 1; ++dy)
          usedNear = usedNear || (floorAt(x + dx, y + dy) && s.usedCell[x + dx][y + dy]);
      if (floorNear >= 3) ++s.stubs;
      if (floorNear > 0) {
        ++s.wallsBeside;
        s.wallsBesideIdle += !usedNear;
      }
    }
  }
  return s;
}

std::vector<int32_t> KindsNamedIn(const std::string& idea) {
  std::string text;
  for (char c : idea) text += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  std::vector<int32_t> kinds;
  const std::pair<const char*, int32_t> words[] = {
      {"pair box", KindPairBox},   {"break box", KindBreakBox}, {"vanish box", KindVanishBox},
      {"step box", KindStepBox},   {"slide box", KindSlideBox}, {"copy box", KindCopyBox},
      {"bomb", KindBombBox}};
  for (const auto& [word, kind] : words)
    if (text.find(word) != std::string::npos) kinds.push_back(kind);
  return kinds;
}

Outcome OutcomeOf(const Board& changed, const std::vector<int32_t>& shortest, uint64_t maxStates,
                  double maxSeconds) {
  const SolveResult r = Solve(changed, SearchLimits{maxStates, maxSeconds});
  Outcome o;
  if (r.status == SolveStatus::Unsolvable) {
    o.change = Change::Unsolvable;
  } else if (r.status == SolveStatus::Solved) {
    o.delta = static_cast<int>(r.facings.size()) - static_cast<int>(shortest.size());
    o.change = o.delta > 0 ? Change::Longer : o.delta < 0 ? Change::Shorter : Change::Same;
  }
  return o;
}

StageMeasure MeasureStage(const StageFile& file, const Board& start, const MeasureLimits& limits) {
  const auto t0 = std::chrono::steady_clock::now();
  StageMeasure m;
  m.area = AreaOf(start);
  for (int x = 0; x < kBoardSize; ++x)
    for (int y = 0; y < kBoardSize; ++y)
      if (file.cells[x][y] >= 0 && file.cells[x][y] <= 10) ++m.kindCount[file.cells[x][y]];
  m.solve = Solve(start, limits.solve);
  if (!limits.light && !limits.shapeOnly) m.deadEnds = DeadEnds(start, limits.deadEnds);
  if (m.solve.status != SolveStatus::Solved) return m;
  const std::vector<int32_t>& shortest = m.solve.facings;
  m.facts = FactsOf(start, shortest);
  m.shape = ShapeOf(start, m.area, shortest);
  if (!limits.shapeOnly) {
    m.fewestPushes = SolveFewestPushes(start, limits.solve);
    if (m.fewestPushes.status == SolveStatus::Solved) {
      const std::vector<int32_t>& fewest = m.fewestPushes.facings;
      m.fewestPushKinds = ShapeOf(start, m.area, fewest).kindsPushed;
      m.fewestPushStory = FactsOf(start, fewest).story;
      const SolutionUse use = AnalyseSolution(start, fewest);
      for (int k = KindPairBox; k <= KindBombBox; ++k) {
        if (!use.usedKind[k]) continue;
        m.fewestPushUses += (m.fewestPushUses.empty() ? "" : ",") + std::string(kKindWords[k]);
      }
    }
  }
  const uint64_t cap = std::max<uint64_t>(
      limits.variantFloor, static_cast<uint64_t>(limits.variantFactor * m.solve.states));
  const double secs = limits.solve.maxSeconds;

  for (int x = 0; x < kBoardSize && !limits.light && !limits.shapeOnly; ++x) {
    for (int y = 0; y < kBoardSize; ++y) {
      if (!IsObject(start.Map[x][y])) continue;
      Board b = start;
      b.Map[x][y] = KindEmpty;
      m.objects.push_back({x, y, start.Map[x][y], OutcomeOf(b, shortest, cap, secs)});
    }
  }
  const std::vector<int32_t> named = KindsNamedIn(file.idea);
  for (int32_t k = KindBreakBox; k <= KindBombBox && !limits.shapeOnly; ++k) {
    if (k == KindSolidBox || m.kindCount[k] == 0) continue;
    Board b = start;
    for (auto& col : b.Map)
      for (auto& c : col)
        if (c == k) c = KindEmpty;
    KindOutcome ko;
    ko.kind = k;
    ko.named = std::find(named.begin(), named.end(), k) != named.end();
    ko.outcome = OutcomeOf(b, shortest, cap, secs);
    m.kinds.push_back(ko);
  }
  if (limits.walls && !limits.light && !limits.shapeOnly) {
    for (int x = m.area.x0; x <= m.area.x1; ++x) {
      for (int y = m.area.y0; y <= m.area.y1; ++y) {
        if (start.Map[x][y] != KindSolidBox) continue;
        ++m.wallsInBox;
        bool touches = false;
        for (int d = 0; d < 4; ++d) {
          const int nx = x + kDirDX[d], ny = y + kDirDY[d];
          touches = touches || (InGrid(nx, ny) && m.area.in[nx][ny]);
        }
        Board b = start;
        b.Map[x][y] = KindEmpty;
        // A cell nothing can reach changes nothing; a solution that no
        // longer clears, or a shorter one, means the wall does work.
        if (!touches) ++m.wallsBuried;
        bool irrelevant = !touches;
        if (touches && ReplayClears(b, shortest, nullptr)) {
          const Outcome o = OutcomeOf(b, shortest, cap, secs);
          if (o.change == Change::Unknown) ++m.wallsUnknown;
          irrelevant = o.change == Change::Same;
        }
        if (irrelevant) {
          ++m.wallsIrrelevant;
          m.irrelevantWalls.push_back({x, y});
        }
      }
    }
  }
  m.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
  return m;
}

std::string MeasureJson(int number, const StageFile& file, const StageMeasure& m) {
  // The words go in whole: an idea longer than a line of figures must not
  // be cut off, or the line is no JSON at all.
  std::string j = "{\"stage\":" + std::to_string(number) + ",\"title\":\"" + Escape(file.title) +
                  "\",\"idea\":\"" + Escape(file.idea) + "\",";
  char buf[256];
  const PlayArea& a = m.area;
  std::snprintf(buf, sizeof buf,
                "\"box\":[%d,%d,%d,%d],\"width\":%d,\"height\":%d,\"open\":%d,"
                "\"centre\":[%.1f,%.1f],\"door\":%s,",
                a.x0, a.y0, a.x1, a.y1, a.Width(), a.Height(), a.cells, a.CentreX(), a.CentreY(),
                a.hasDoor ? "true" : "false");
  j += buf;
  // The shape: the area's cells within its bounding box, row by row.
  std::string shape;
  for (int y = a.y0; y <= a.y1; ++y) {
    for (int x = a.x0; x <= a.x1; ++x) shape += a.in[x][y] ? 'o' : '#';
    if (y < a.y1) shape += '/';
  }
  j += "\"shape\":\"" + shape + "\",\"area\":[";
  bool first = true;
  for (int x = 0; x < kBoardSize; ++x)
    for (int y = 0; y < kBoardSize; ++y)
      if (a.in[x][y]) {
        std::snprintf(buf, sizeof buf, "%s%d", first ? "" : ",", y * kBoardSize + x);
        j += buf;
        first = false;
      }
  j += "],\"kinds\":{";
  first = true;
  for (int k = 1; k <= 8; ++k) {
    if (m.kindCount[k] == 0) continue;
    std::snprintf(buf, sizeof buf, "%s\"%s\":%d", first ? "" : ",", kKindWords[k], m.kindCount[k]);
    j += buf;
    first = false;
  }
  const SolutionFacts& f = m.facts;
  const char* status = m.solve.status == SolveStatus::Solved       ? "solved"
                       : m.solve.status == SolveStatus::Unsolvable ? "unsolvable"
                                                                   : "gave up";
  std::snprintf(buf, sizeof buf,
                "},\"status\":\"%s\",\"moves\":%d,\"pushes\":%d,\"boxChanges\":%d,"
                "\"distinctBoxes\":%d,\"states\":%llu,\"solveSeconds\":%.3f,",
                status, f.moves, f.pushes, f.boxChanges, f.distinctBoxes,
                static_cast<unsigned long long>(m.solve.states), m.solve.seconds);
  j += buf;
  std::snprintf(buf, sizeof buf,
                "\"events\":{\"pairing\":%d,\"vanish\":%d,\"copy\":%d,\"blast\":%d,\"step\":%d,"
                "\"slide\":%d},",
                f.pairings, f.vanishes, f.copyChanges, f.blasts, f.steps, f.slides);
  j += buf;
  // null when the search was not run or gave up.
  if (m.fewestPushes.status == SolveStatus::Solved) {
    std::snprintf(buf, sizeof buf, "\"fewestPushes\":%d,\"fewestPushMoves\":%zu,",
                  m.fewestPushes.pushes, m.fewestPushes.facings.size());
    j += buf;
  } else {
    j += "\"fewestPushes\":null,\"fewestPushMoves\":null,";
  }
  std::snprintf(buf, sizeof buf, "\"fewestPushStates\":%llu,",
                static_cast<unsigned long long>(m.fewestPushes.states));
  j += buf + ("\"fewestPushKinds\":\"" + m.fewestPushKinds + "\",\"fewestPushUses\":\"" +
              m.fewestPushUses + "\",\"fewestPushStory\":[");
  for (size_t i = 0; i < m.fewestPushStory.size(); ++i)
    j += (i ? ",\"" : "\"") + m.fewestPushStory[i] + "\"";
  j += "],";
  if (m.deadEnds.complete) {
    std::snprintf(buf, sizeof buf, "\"deadShare\":%.4f,\"reachable\":%llu,", m.deadEnds.Share(),
                  static_cast<unsigned long long>(m.deadEnds.states));
  } else {
    std::snprintf(buf, sizeof buf, "\"deadShare\":null,\"reachable\":%llu,",
                  static_cast<unsigned long long>(m.deadEnds.states));
  }
  j += buf;
  j += "\"objects\":[";
  for (size_t i = 0; i < m.objects.size(); ++i) {
    const ObjectOutcome& o = m.objects[i];
    std::snprintf(buf, sizeof buf, "%s{\"x\":%d,\"y\":%d,\"kind\":\"%s\",\"without\":\"%s\",\"delta\":%d}",
                  i ? "," : "", o.x, o.y, kKindWords[o.kind], ChangeName(o.outcome.change),
                  o.outcome.delta);
    j += buf;
  }
  j += "],\"kindsWithout\":[";
  for (size_t i = 0; i < m.kinds.size(); ++i) {
    const KindOutcome& k = m.kinds[i];
    std::snprintf(buf, sizeof buf,
                  "%s{\"kind\":\"%s\",\"named\":%s,\"without\":\"%s\",\"delta\":%d}", i ? "," : "",
                  kKindWords[k.kind], k.named ? "true" : "false", ChangeName(k.outcome.change),
                  k.outcome.delta);
    j += buf;
  }
  std::snprintf(buf, sizeof buf,
                "],\"namedKinds\":%zu,\"wallsInBox\":%d,\"wallsBuried\":%d,\"wallsIrrelevant\":%d,"
                "\"wallsUnknown\":%d,"
                "\"seconds\":%.2f,\"story\":[",
                KindsNamedIn(file.idea).size(), m.wallsInBox, m.wallsBuried, m.wallsIrrelevant,
                m.wallsUnknown,
                m.seconds);
  j += buf;
  for (size_t i = 0; i < f.story.size(); ++i) j += (i ? ",\"" : "\"") + f.story[i] + "\"";
  j += "],";
  const ShapeFacts& s = m.shape;
  std::snprintf(buf, sizeof buf,
                "\"floor\":%d,\"used\":%d,\"outlineCorners\":%d,\"stubs\":%d,"
                "\"wallsBeside\":%d,\"wallsBesideIdle\":%d,\"haulage\":%d,\"ideaMoments\":%d,",
                s.floor, s.used, s.outlineCorners, s.stubs, s.wallsBeside, s.wallsBesideIdle,
                s.haulage, s.ideaMoments);
  j += buf;
  j += "\"lastEvent\":\"" + s.lastEvent + "\",\"kindsPushed\":\"" + s.kindsPushed +
       "\",\"choices\":[";
  for (size_t i = 0; i < s.choices.size(); ++i) j += (i ? "," : "") + std::to_string(s.choices[i]);
  j += "],\"usedCells\":[";
  first = true;
  for (int x = 0; x < kBoardSize; ++x)
    for (int y = 0; y < kBoardSize; ++y)
      if (a.in[x][y] && s.usedCell[x][y]) {
        j += (first ? "" : ",") + std::to_string(y * kBoardSize + x);
        first = false;
      }
  j += "]}";
  return j;
}

}  // namespace rara3::solve
