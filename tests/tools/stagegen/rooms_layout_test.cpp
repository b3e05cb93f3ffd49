// The floor plans of the deep stages: every room's puzzle is searched on the
// room alone, which is only sound when nothing of one room can reach the
// next. These check that over many seeds. Straight corridors (plain
// rooms) give that up for a door that reads as one: the whole stage is
// searched again anyway.
#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <stdexcept>

#include "core/cell_kinds.h"
#include "game/board.h"
#include "rooms_layout.h"

namespace rara3::stagegen {
namespace {

// The layout's floor on a board of walls.
Board FloorOf(const Layout& L) {
  Board b;
  for (auto& col : b.Map)
    for (auto& c : col) c = KindSolidBox;
  for (const Room& r : L.rooms)
    for (const auto& [x, y] : r.Inside()) b.Map[x][y] = KindEmpty;
  for (const Corridor& c : L.corridors)
    for (const auto* part : {&c.outSide, &c.middle, &c.inSide})
      for (const auto& [x, y] : *part) b.Map[x][y] = KindEmpty;
  return b;
}

int FacingOf(Cell from, Cell to) {
  if (to.first > from.first) return FacingRight;
  if (to.first < from.first) return FacingLeft;
  return to.second > from.second ? FacingDown : FacingUp;
}

// A slide box in the first cell of a passage, pushed by the player from the
// room cell behind it, out along the passage: where does it stop?
Cell PushOut(Board b, Cell room, Cell first) {
  const int f = FacingOf(room, first);
  b.Map[room.first][room.second] = KindPlayer;
  b.PlayerX = room.first;
  b.PlayerY = room.second;
  b.Map[first.first][first.second] = KindSlideBox;
  const MoveResult r = ApplyMove(b, f);
  if (r.kind != MoveKind::Push) return {-1, -1};
  return {b.SlideEndX, b.SlideEndY};
}

// Layouts of every room count the tool takes (0: any of the deep stages'),
// over many seeds.
struct Plan {
  uint64_t seed;
  int count;
  Layout layout;
  bool straight = false;
  int roomSize = 7;
};
std::vector<Plan> Plans() {
  std::vector<Plan> plans;
  for (int size : {7, 11})
    for (bool straight : {false, true})
      for (int count : {0, 2, 3, 4, 6})
        for (uint64_t seed = 1; seed <= 300; ++seed) {
          Rng rng(seed);
          plans.push_back({seed, count, MakeLayout(rng, count, straight, size), straight, size});
        }
  return plans;
}

// The room cell a passage leaves from: the cell before its first, against
// the direction of the passage.
Cell Behind(const std::vector<Cell>& passage, Cell next) {
  const Cell a = passage.front();
  return {2 * a.first - next.first, 2 * a.second - next.second};
}

TEST(RoomsLayoutTest, EveryRoomAndCorridorLiesInsideTheRing) {
  for (const auto& [seed, count, L, straight, size] : Plans()) {
    if (count == 0) ASSERT_GE(L.rooms.size(), 3u) << "seed " << seed << " rooms " << count;
    else ASSERT_EQ(L.rooms.size(), static_cast<size_t>(count)) << "seed " << seed << " rooms " << count;
    ASSERT_EQ(L.corridors.size() + 1, L.rooms.size()) << "seed " << seed << " rooms " << count;
    std::set<Cell> seen;
    for (const Room& r : L.rooms) {
      EXPECT_GE(r.x0, 1);
      EXPECT_GE(r.y0, 1);
      EXPECT_LE(r.x1, 18);
      EXPECT_LE(r.y1, 18);
      EXPECT_GE(r.x1 - r.x0, 2) << "seed " << seed << " rooms " << count;
      EXPECT_GE(r.y1 - r.y0, 2) << "seed " << seed << " rooms " << count;
      for (const Cell& c : r.Inside()) EXPECT_TRUE(seen.insert(c).second) << "rooms overlap, seed " << seed;
    }
    for (const Corridor& c : L.corridors)
      for (const auto* part : {&c.outSide, &c.middle, &c.inSide})
        for (const auto& [x, y] : *part) {
          EXPECT_TRUE(x >= 1 && x <= 18 && y >= 1 && y <= 18) << "seed " << seed << " rooms " << count;
        }
  }
}

// Rooms touch nothing but their own passages: a room's inside has no floor
// beside it that is not its own or one of its two corridors' ends.
TEST(RoomsLayoutTest, RoomsMeetOnlyThroughTheirCorridors) {
  for (const auto& [seed, count, L, straight, size] : Plans()) {
    const Board b = FloorOf(L);
    for (size_t i = 0; i < L.rooms.size(); ++i) {
      const Room& r = L.rooms[i];
      std::set<Cell> allowed;
      if (i > 0) allowed.insert(L.corridors[i - 1].inSide.back());
      if (i + 1 < L.rooms.size()) allowed.insert(L.corridors[i].outSide.front());
      for (const auto& [x, y] : r.Inside())
        for (int d = 0; d < 4; ++d) {
          const int nx = x + kDirDX[d], ny = y + kDirDY[d];
          const bool inside = nx >= r.x0 && nx <= r.x1 && ny >= r.y0 && ny <= r.y1;
          if (inside || b.Map[nx][ny] != KindEmpty) continue;
          EXPECT_TRUE(allowed.count({nx, ny})) << "seed " << seed << " rooms " << count << " room " << i << " opens at " << nx
                                               << "," << ny;
        }
    }
  }
}

// The point of the bends: a box pushed out of either room along its
// passage stops at that passage's bend, never in the other room.
TEST(RoomsLayoutTest, ABoxPushedOutOfARoomJamsAtTheFirstBend) {
  for (const auto& [seed, count, L, straight, size] : Plans()) {
    if (straight) continue;
    const Board b = FloorOf(L);
    for (const Corridor& c : L.corridors) {
      ASSERT_GE(c.outSide.size(), 2u) << "seed " << seed << " rooms " << count;
      ASSERT_GE(c.inSide.size(), 2u) << "seed " << seed << " rooms " << count;
      EXPECT_NE(c.outBend, c.inBend) << "seed " << seed << " rooms " << count;
      EXPECT_EQ(PushOut(b, Behind(c.outSide, c.outSide[1]), c.outSide.front()), c.outBend) << "seed " << seed << " rooms " << count;
      // The second room's passage, walked from the room back to its bend.
      std::vector<Cell> back(c.inSide.rbegin(), c.inSide.rend());
      EXPECT_EQ(PushOut(b, Behind(back, back[1]), back.front()), c.inBend) << "seed " << seed << " rooms " << count;
    }
  }
}

// Asked for straight corridors, rooms that face each other get a door
// straight through the band, in one line with both rooms' cells beside it;
// rooms that do not face each other still get the bent corridor.
TEST(RoomsLayoutTest, StraightCorridorsRunInOneLine) {
  int straightOnes = 0;
  for (const auto& [seed, count, L, straight, size] : Plans()) {
    if (!straight) continue;
    for (const Corridor& c : L.corridors) {
      if (c.outBend != c.inBend) {
        EXPECT_FALSE(c.middle.empty()) << "seed " << seed << " rooms " << count;
        continue;
      }
      ++straightOnes;
      EXPECT_TRUE(c.middle.empty()) << "seed " << seed << " rooms " << count;
      std::vector<Cell> line(c.outSide);
      line.insert(line.end(), c.inSide.begin() + 1, c.inSide.end());
      const bool sameColumn = std::all_of(line.begin(), line.end(), [&](Cell v) { return v.first == line[0].first; });
      const bool sameRow = std::all_of(line.begin(), line.end(), [&](Cell v) { return v.second == line[0].second; });
      EXPECT_TRUE(sameColumn || sameRow) << "seed " << seed << " rooms " << count;
      EXPECT_GE(line.size(), 3u) << "seed " << seed << " rooms " << count;
    }
  }
  EXPECT_GT(straightOnes, 0);
}

// Larger rooms are what the room size is for; none spans more than asked.
TEST(RoomsLayoutTest, RoomsSpanNoMoreThanTheRoomSize) {
  bool wider = false;
  for (const auto& [seed, count, L, straight, size] : Plans())
    for (const Room& r : L.rooms) {
      EXPECT_LE(r.x1 - r.x0 + 1, size) << "seed " << seed << " rooms " << count;
      EXPECT_LE(r.y1 - r.y0 + 1, size) << "seed " << seed << " rooms " << count;
      wider = wider || std::max(r.x1 - r.x0, r.y1 - r.y0) + 1 > 7;
    }
  EXPECT_TRUE(wider);
  Rng rng(1);
  EXPECT_THROW(MakeLayout(rng, 3, false, 3), std::invalid_argument);
}

TEST(RoomsLayoutTest, ACountNoGridHoldsIsRefused) {
  for (int count : {-1, 1, 5, 7, 9}) {
    Rng rng(1);
    EXPECT_FALSE(IsRoomCount(count)) << count;
    EXPECT_THROW(MakeLayout(rng, count), std::invalid_argument) << count;
  }
  for (int count : {0, 2, 3, 4, 6}) EXPECT_TRUE(IsRoomCount(count)) << count;
}

TEST(RoomsLayoutTest, TheSameSeedGivesTheSamePlan) {
  for (uint64_t seed : {1u, 25u, 977u}) {
    Rng a(seed), b(seed);
    const Layout la = MakeLayout(a), lb = MakeLayout(b);
    ASSERT_EQ(la.rooms.size(), lb.rooms.size());
    for (size_t i = 0; i < la.rooms.size(); ++i) {
      EXPECT_EQ(la.rooms[i].x0, lb.rooms[i].x0);
      EXPECT_EQ(la.rooms[i].y1, lb.rooms[i].y1);
    }
    for (size_t i = 0; i < la.corridors.size(); ++i) {
      EXPECT_EQ(la.corridors[i].outSide, lb.corridors[i].outSide);
      EXPECT_EQ(la.corridors[i].inSide, lb.corridors[i].inSide);
    }
  }
}

}  // namespace
}  // namespace rara3::stagegen
