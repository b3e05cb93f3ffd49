#include "rooms_layout.h"

#include <algorithm>
#include <iterator>
#include <stdexcept>

namespace rara3::stagegen {

int U(Rng& rng, int lo, int hi) { return lo >= hi ? lo : std::uniform_int_distribution<int>(lo, hi)(rng); }

namespace {

// Two rooms side by side (or one above the other) and the band of three
// cells between their slots: a wall, the corridor's middle, a wall.
Corridor Join(Rng& rng, const Room& a, const Room& b, bool across, int band, bool straight) {
  Corridor c;
  // across: a and b side by side, the band a column; else a row.
  auto at = [&](int along, int across_) -> Cell {
    return across ? Cell{along, across_} : Cell{across_, along};
  };
  const int a0 = across ? a.y0 : a.x0, a1 = across ? a.y1 : a.x1;
  const int b0 = across ? b.y0 : b.x0, b1 = across ? b.y1 : b.x1;
  const int aEdge = across ? (a.x1 < b.x0 ? a.x1 : a.x0) : (a.y1 < b.y0 ? a.y1 : a.y0);
  const int bEdge = across ? (a.x1 < b.x0 ? b.x0 : b.x1) : (a.y1 < b.y0 ? b.y0 : b.y1);
  const int step = bEdge > aEdge ? 1 : -1;
  int ya = 0, yb = 0;
  const int lo = std::max(a0, b0), hi = std::min(a1, b1);
  if (straight && lo <= hi) {
    // A straight corridor: a door through the band, no bends to leave
    // stubs beside the rooms.
    ya = yb = U(rng, lo, hi);
    for (int v = aEdge + step; v != band; v += step) c.outSide.push_back(at(v, ya));
    c.outBend = c.inBend = at(band, ya);
    c.outSide.push_back(c.outBend);
    c.inSide.push_back(c.inBend);
    for (int v = band + step; v != bEdge; v += step) c.inSide.push_back(at(v, yb));
    return c;
  }
  do {
    ya = U(rng, a0, a1);
    yb = U(rng, b0, b1);
  } while (ya == yb);
  for (int v = aEdge + step; v != band; v += step) c.outSide.push_back(at(v, ya));
  c.outBend = at(band, ya);
  c.outSide.push_back(c.outBend);
  for (int w = std::min(ya, yb) + 1; w < std::max(ya, yb); ++w) c.middle.push_back(at(band, w));
  c.inBend = at(band, yb);
  c.inSide.push_back(c.inBend);
  for (int v = band + step; v != bEdge; v += step) c.inSide.push_back(at(v, yb));
  return c;
}

// Slots: columns x rows. The first seven are the draw of the deep stages.
constexpr int kShapes[][2] = {{3, 2}, {2, 3}, {2, 2}, {3, 2}, {2, 3}, {3, 1}, {1, 3}, {2, 1}, {1, 2}};
constexpr int kAnyShapes = 7;

std::vector<int> ShapesOf(int roomCount) {
  std::vector<int> fits;
  for (int i = 0; i < static_cast<int>(std::size(kShapes)); ++i)
    if (kShapes[i][0] * kShapes[i][1] == roomCount) fits.push_back(i);
  return fits;
}

}  // namespace

bool IsRoomCount(int roomCount) { return roomCount == 0 || !ShapesOf(roomCount).empty(); }

Layout MakeLayout(Rng& rng, int roomCount, bool straight, int maxRoomSize) {
  // The slots are visited in a snake.
  if (!IsRoomCount(roomCount)) throw std::invalid_argument("no grid of slots holds that many rooms");
  if (maxRoomSize < 4) throw std::invalid_argument("a room needs at least 4 cells each way");
  const std::vector<int> fits = ShapesOf(roomCount);
  const int pick = roomCount == 0 ? U(rng, 0, kAnyShapes - 1) : fits[U(rng, 0, static_cast<int>(fits.size()) - 1)];
  const int cols = kShapes[pick][0], rows = kShapes[pick][1];
  auto sizes = [&](int n, int minSize, int maxSize) {
    std::vector<int> s(n, minSize);
    int room = 18 - 3 * (n - 1) - minSize * n;
    // Not always the whole board: some stages leave a margin.
    room -= U(rng, 0, std::min(room, 3));
    while (room > 0) {
      const int i = U(rng, 0, n - 1);
      if (s[i] < maxSize) {
        ++s[i];
        --room;
      } else if (std::all_of(s.begin(), s.end(), [&](int v) { return v >= maxSize; })) {
        break;
      }
    }
    return s;
  };
  const std::vector<int> w = sizes(cols, 4, maxRoomSize), h = sizes(rows, 4, maxRoomSize);
  int totalW = 3 * (cols - 1), totalH = 3 * (rows - 1);
  for (int v : w) totalW += v;
  for (int v : h) totalH += v;
  const int ox = 1 + U(rng, 0, 18 - totalW), oy = 1 + U(rng, 0, 18 - totalH);
  std::vector<int> sx(cols), sy(rows);
  for (int i = 0, x = ox; i < cols; x += w[i] + 3, ++i) sx[i] = x;
  for (int j = 0, y = oy; j < rows; y += h[j] + 3, ++j) sy[j] = y;
  // The snake: by rows or by columns, from any corner.
  const bool byRows = U(rng, 0, 1);
  const bool flipX = U(rng, 0, 1), flipY = U(rng, 0, 1);
  std::vector<Cell> order;
  const int outer = byRows ? rows : cols, inner = byRows ? cols : rows;
  for (int o = 0; o < outer; ++o)
    for (int k = 0; k < inner; ++k) {
      const int i = o % 2 ? inner - 1 - k : k;
      int c = byRows ? i : o, r = byRows ? o : i;
      if (flipX) c = cols - 1 - c;
      if (flipY) r = rows - 1 - r;
      order.push_back({c, r});
    }
  Layout L;
  for (const auto& [c, r] : order) {
    Room room{sx[c], sy[r], sx[c] + w[c] - 1, sy[r] + h[r] - 1};
    // A room may keep off one side of its slot, so that the rooms differ.
    if (room.x1 - room.x0 >= 4 && U(rng, 0, 2) == 0) (U(rng, 0, 1) ? room.x0 : room.x1) += U(rng, 0, 1) ? 1 : -1;
    if (room.y1 - room.y0 >= 4 && U(rng, 0, 2) == 0) (U(rng, 0, 1) ? room.y0 : room.y1) += U(rng, 0, 1) ? 1 : -1;
    room.x0 = std::max(room.x0, sx[c]);
    room.x1 = std::min(room.x1, sx[c] + w[c] - 1);
    room.y0 = std::max(room.y0, sy[r]);
    room.y1 = std::min(room.y1, sy[r] + h[r] - 1);
    L.rooms.push_back(room);
  }
  for (size_t i = 1; i < order.size(); ++i) {
    const auto [ca, ra] = order[i - 1];
    const auto [cb, rb] = order[i];
    const bool across = ra == rb;
    int band;
    if (across) band = sx[std::min(ca, cb)] + w[std::min(ca, cb)] + 1;
    else band = sy[std::min(ra, rb)] + h[std::min(ra, rb)] + 1;
    L.corridors.push_back(Join(rng, L.rooms[i - 1], L.rooms[i], across, band, straight));
  }
  return L;
}

}  // namespace rara3::stagegen
