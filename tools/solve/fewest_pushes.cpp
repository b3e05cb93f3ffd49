#include "fewest_pushes.h"

#include <algorithm>
#include <chrono>
#include <vector>

#include "game/solver_state_table.h"
#include "measure.h"

namespace rara3::solve {

namespace {

constexpr int32_t kFacings[4] = {FacingDown, FacingLeft, FacingRight, FacingUp};
constexpr int kCells = kBoardSize * kBoardSize;

int CellOf(int x, int y) { return x * kBoardSize + y; }

// Puts the player on a cell the way a finished walk does (an exit that
// opened under them shows again once they leave it).
void Stand(Board& b, int cell) {
  if (cell == CellOf(b.PlayerX, b.PlayerY)) return;
  b.TargetX = cell / kBoardSize;
  b.TargetY = cell % kBoardSize;
  CompleteWalk(b);
}

// Every cell the player can walk to, found with the rules' own walk, with
// the way back to the start; the pushes that could be made from them; and
// whether the open exit is a step away.
struct Walks {
  std::vector<int> cells;  // in the order reached, the player's own first
  int from[kCells];        // the cell each was reached from
  int8_t facing[kCells];   // the facing of that step; -1 where not reached
  std::vector<std::pair<int, int>> pushes;  // (cell, direction index)
  int exitFrom = -1, exitDir = -1;

  explicit Walks(Board b) {
    std::fill(std::begin(facing), std::end(facing), int8_t{-1});
    const int start = CellOf(b.PlayerX, b.PlayerY);
    cells.push_back(start);
    facing[start] = 0;
    from[start] = -1;
    for (size_t i = 0; i < cells.size(); ++i) {
      Stand(b, cells[i]);
      for (int d = 0; d < 4; ++d) {
        b.Facing = kFacings[d];
        const MoveKind kind = PrepareMove(b);
        const int to = CellOf(b.TargetX, b.TargetY);
        if (kind == MoveKind::Push) {
          pushes.push_back({cells[i], d});
        } else if (kind == MoveKind::WalkExit && exitFrom < 0) {
          exitFrom = cells[i];
          exitDir = d;
        } else if (kind == MoveKind::Walk && facing[to] < 0) {
          facing[to] = static_cast<int8_t>(d);
          from[to] = cells[i];
          cells.push_back(to);
        }
      }
    }
  }

  int Lowest() const { return *std::min_element(cells.begin(), cells.end()); }

  // The facings that walk from the start to the cell.
  std::vector<int32_t> PathTo(int cell) const {
    std::vector<int32_t> path;
    for (int c = cell; from[c] >= 0; c = from[c]) path.push_back(kFacings[facing[c]]);
    std::reverse(path.begin(), path.end());
    return path;
  }
};

// A push board: four bits for each cell of the playing area (the exit's
// cell with it), the player put on the lowest cell they can walk to, and
// the exit's flag.
struct PushBoardKey {
  Board base;
  std::vector<int> cells;
  size_t keyBytes;

  explicit PushBoardKey(const Board& start) : base(start) {
    const PlayArea area = AreaOf(start);
    for (int x = 0; x < kBoardSize; ++x)
      for (int y = 0; y < kBoardSize; ++y)
        if (area.in[x][y] || (x == start.ExitX && y == start.ExitY)) {
          cells.push_back(CellOf(x, y));
          base.Map[x][y] = KindEmpty;
        }
    keyBytes = (cells.size() + 1) / 2 + 1;
  }

  void Encode(const Board& b, uint8_t* key) const {
    std::fill(key, key + keyBytes, 0);
    const int32_t* map = &b.Map[0][0];
    for (size_t i = 0; i < cells.size(); ++i)
      key[i >> 1] |= static_cast<uint8_t>((map[cells[i]] & 15) << ((i & 1) * 4));
    key[keyBytes - 1] = b.ExitOpen ? 1 : 0;
  }

  void Decode(const uint8_t* key, Board& b) const {
    b = base;
    int32_t* map = &b.Map[0][0];
    for (size_t i = 0; i < cells.size(); ++i) {
      const int32_t kind = (key[i >> 1] >> ((i & 1) * 4)) & 15;
      map[cells[i]] = kind;
      if (kind == KindPlayer) {
        b.PlayerX = cells[i] / kBoardSize;
        b.PlayerY = cells[i] % kBoardSize;
      }
    }
    b.ExitOpen = key[keyBytes - 1] != 0;
  }
};

double SecondsSince(std::chrono::steady_clock::time_point t0) {
  return std::chrono::duration<double>(std::chrono::steady_clock::now() - t0).count();
}

}  // namespace

SolveResult FewestPushes(const Board& start, const SearchLimits& limits) {
  const auto t0 = std::chrono::steady_clock::now();
  SolveResult result;
  const PushBoardKey codec(start);
  StateTable table(codec.keyBytes);
  std::vector<uint32_t> parent;
  std::vector<uint16_t> pushCell;
  std::vector<uint8_t> pushDir;
  std::vector<uint8_t> key(codec.keyBytes);
  bool isNew = false;

  auto add = [&](Board& b, uint32_t from, int cell, int dir) {
    Stand(b, Walks(b).Lowest());
    codec.Encode(b, key.data());
    table.Insert(key.data(), isNew);
    if (!isNew) return;
    parent.push_back(from);
    pushCell.push_back(static_cast<uint16_t>(cell));
    pushDir.push_back(static_cast<uint8_t>(dir));
  };
  auto finish = [&](SolveStatus status, const std::string& limit) {
    result.status = status;
    result.limitHit = limit;
    result.states = table.size();
    result.seconds = SecondsSince(t0);
    return result;
  };

  Board here = start;
  add(here, StateTable::kNone, 0, 0);
  for (uint32_t i = 0; i < table.size(); ++i) {
    if ((i & 1023) == 0 && limits.cancel && limits.cancel->load(std::memory_order_relaxed))
      return finish(SolveStatus::GaveUp, "cancelled");
    if ((i & 1023) == 0 && SecondsSince(t0) > limits.maxSeconds)
      return finish(SolveStatus::GaveUp, std::to_string(limits.maxSeconds) + " s");
    if (table.size() > limits.maxStates)
      return finish(SolveStatus::GaveUp, std::to_string(limits.maxStates) + " states");
    if (table.size() * (codec.keyBytes + 24.0) > limits.maxMegabytes * 1e6)
      return finish(SolveStatus::GaveUp,
                    std::to_string(static_cast<long long>(limits.maxMegabytes)) + " MB");

    codec.Decode(table.Key(i), here);
    const Walks walks(here);
    if (walks.exitFrom >= 0) {
      // Play the chain of pushes again from the start, walking between them.
      std::vector<std::pair<int, int>> chain{{walks.exitFrom, walks.exitDir}};
      for (uint32_t s = i; parent[s] != StateTable::kNone; s = parent[s])
        chain.push_back({pushCell[s], pushDir[s]});
      std::reverse(chain.begin(), chain.end());
      Board b = start;
      for (const auto& [cell, dir] : chain) {
        std::vector<int32_t> steps = Walks(b).PathTo(cell);
        steps.push_back(kFacings[dir]);
        for (int32_t f : steps) ApplyMove(b, f);
        result.facings.insert(result.facings.end(), steps.begin(), steps.end());
      }
      if (!ReplayClears(start, result.facings, &result.pushes))
        return finish(SolveStatus::GaveUp, "replay");
      return finish(SolveStatus::Solved, "");
    }
    for (const auto& [cell, dir] : walks.pushes) {
      Board next = here;
      Stand(next, cell);
      ApplyMove(next, kFacings[dir]);
      add(next, i, cell, dir);
    }
  }
  return finish(SolveStatus::Unsolvable, "");
}

}  // namespace rara3::solve
