// The floor plan of a deep stage: rooms in a grid of slots across the
// board, visited in a snake, each joined to the next by a corridor bent
// twice, so that a box pushed out of a room along its passage jams at the
// first bend and never reaches the next room.
#pragma once

#include <random>
#include <utility>
#include <vector>

namespace rara3::stagegen {

using Rng = std::mt19937_64;
using Cell = std::pair<int, int>;

// A number in lo..hi from the generator.
int U(Rng& rng, int lo, int hi);

struct Room {
  int x0 = 0, y0 = 0, x1 = 0, y1 = 0;  // inside, inclusive
  std::vector<Cell> Inside() const {
    std::vector<Cell> c;
    for (int x = x0; x <= x1; ++x)
      for (int y = y0; y <= y1; ++y) c.push_back({x, y});
    return c;
  }
};

// The way from one room to the next: the passage out of the first room
// ends at a bend (out), the passage into the second starts at a bend (in).
struct Corridor {
  std::vector<Cell> outSide;  // the first room's passage and its bend
  std::vector<Cell> middle;   // between the bends
  std::vector<Cell> inSide;   // the second room's bend and passage
  Cell outBend, inBend;
};

struct Layout {
  std::vector<Room> rooms;          // in the order the player visits them
  std::vector<Corridor> corridors;  // corridors[i] joins room i and i + 1
};

// Rooms and corridors from the generator; rooms[0] is where the player
// starts, the last room holds the pairing. roomCount: 2, 3, 4 or 6 rooms,
// or 0 for any of 3, 4 and 6; any other count throws std::invalid_argument.
// straight: corridors run straight through the band where the two rooms
// face each other (a box pushed out of one room may reach the next).
// maxRoomSize: the most cells a room's slot spans each way (at least 4;
// larger rooms carry more floor for the corners and stubs of their
// corridors); under 4 throws std::invalid_argument.
Layout MakeLayout(Rng& rng, int roomCount = 0, bool straight = false, int maxRoomSize = 7);

// Whether MakeLayout takes that room count.
bool IsRoomCount(int roomCount);

}  // namespace rara3::stagegen
