#include "platform/compose/test_sheets.h"

#include "core/sheets.h"

namespace rara3 {
namespace {

struct Canvas {
  SDL_Surface* s;

  void Put(int x, int y, uint32_t rgb) {
    if (x < 0 || y < 0 || x >= s->w || y >= s->h) return;
    auto* p = static_cast<uint8_t*>(s->pixels) + y * s->pitch + x * 3;
    // SDL_PIXELFORMAT_RGB24 keeps the bytes in R, G, B order.
    p[0] = static_cast<uint8_t>(rgb >> 16);
    p[1] = static_cast<uint8_t>(rgb >> 8);
    p[2] = static_cast<uint8_t>(rgb);
  }

  void Fill(int x0, int y0, int w, int h, uint32_t rgb) {
    for (int y = y0; y < y0 + h; ++y)
      for (int x = x0; x < x0 + w; ++x) Put(x, y, rgb);
  }

  // The cell's colour inside a darker 1-px border.
  void Box(int x0, int y0, int w, int h, uint32_t rgb) {
    Fill(x0, y0, w, h, (rgb >> 1) & 0x7f7f7f);
    Fill(x0 + 1, y0 + 1, w - 2, h - 2, rgb);
  }

  // An ellipse of the cell's colour, for the round pictures.
  void Oval(int x0, int y0, int w, int h, uint32_t rgb) {
    const double cx = x0 + w / 2.0, cy = y0 + h / 2.0;
    const double rx = w / 2.0, ry = h / 2.0;
    for (int y = y0; y < y0 + h; ++y) {
      for (int x = x0; x < x0 + w; ++x) {
        const double dx = (x + 0.5 - cx) / rx, dy = (y + 0.5 - cy) / ry;
        const double d = dx * dx + dy * dy;
        if (d <= 1.0) Put(x, y, d > 0.8 ? (rgb >> 1) & 0x7f7f7f : rgb);
      }
    }
  }
};

constexpr uint32_t kWhite = 0xf8fcf8;

// Digits of 3 x 5 dots, one row per entry, the high bit on the left.
constexpr uint8_t kDigitDots[10][5] = {
    {7, 5, 5, 5, 7}, {2, 6, 2, 2, 7}, {7, 1, 7, 4, 7}, {7, 1, 7, 1, 7}, {5, 5, 7, 1, 1},
    {7, 4, 7, 1, 7}, {7, 4, 7, 5, 7}, {7, 1, 2, 2, 2}, {7, 5, 7, 5, 7}, {7, 5, 7, 1, 7},
};

// Corner triangles of the editor markers, legs of 8 px.
void Corners(Canvas& c, int x0, int y0, uint32_t topLeft, uint32_t topRight, uint32_t outline) {
  constexpr int kLeg = 8;
  for (int i = 0; i < kLeg; ++i) {
    for (int j = 0; i + j < kLeg; ++j) {
      const bool edge = i + j == kLeg - 1 || i == 0 || j == 0;
      const uint32_t tl = outline != 0 && edge ? outline : topLeft;
      const uint32_t tr = outline != 0 && edge ? outline : topRight;
      c.Put(x0 + i, y0 + j, tl);                // top left
      c.Put(x0 + 23 - i, y0 + 35 - j, tl);      // bottom right
      c.Put(x0 + 23 - i, y0 + j, tr);           // top right
      c.Put(x0 + i, y0 + 35 - j, tr);           // bottom left
    }
  }
}

void Draw(Canvas& c, int sheet) {
  const auto colour = [sheet](int cell) { return TestCellColour(sheet, cell); };
  switch (sheet) {
    case 1:  // a figure standing on the cell, 30 px wide
      for (int r = 0; r < 16; ++r)
        for (int col = 0; col < 7; ++col) c.Box(89 * col + 30, 80 * r + 16, 30, 52, colour(7 * r + col));
      break;
    case 2:
      c.Box(0, 0, 640, 480, colour(0));
      for (int y = 16; y < 480; y += 32) c.Fill(0, y, 640, 1, (colour(0) >> 1) & 0x7f7f7f);
      break;
    case 3:
      for (int r = 0; r < 2; ++r)
        for (int col = 0; col < 8; ++col) c.Box(24 * col, 36 * r + 6, 24, 30, colour(9 * r + col));
      Corners(c, 192, 0, 0x0000ff, 0xff0000, 0);
      Corners(c, 192, 36, 0x808080, 0x808080, 0xffffff);
      break;
    case 4:  // the glow: an oval standing on the cell
      for (int s = 0; s < 10; ++s) c.Oval(37 * s + 2, 32, 33, 56, colour(s));
      break;
    case 5:
      for (int n = 0; n < 10; ++n) {
        c.Box(48 * n, 0, 48, 60, colour(n));
        for (int row = 0; row < 5; ++row)
          for (int dot = 0; dot < 3; ++dot)
            if ((kDigitDots[n][row] >> (2 - dot)) & 1) c.Fill(48 * n + 12 + 8 * dot, 10 + 8 * row, 8, 8, kWhite);
      }
      c.Box(0, 60, 168, 60, colour(10));
      c.Box(0, 120, 468, 102, colour(11));
      c.Box(0, 222, 565, 70, colour(12));
      break;
    case 6:
      for (int t = 0; t < 10; ++t) c.Box(44 * t, 0, 44, 44, colour(t));
      break;
    case 7:  // a ball that grows frame by frame
      for (int f = 0; f < 12; ++f) {
        const int r = 8 + 2 * f;
        c.Oval(59 * (f % 6) + 29 - r, 71 * (f / 6) + 35 - r, 2 * r + 1, 2 * r + 1, colour(f));
      }
      break;
    case 8:
      for (int f = 0; f < 2; ++f) c.Box(96 * f, 0, 96, 180, colour(f));
      c.Fill(96 + 40, 100, 16, 8, 0);  // the open mouth shows the background
      break;
    default:  // kSheetBlack: the black clear
      break;
  }
}

}  // namespace

uint32_t TestCellColour(int sheet, int cell) {
  if (sheet == 3 && cell == 8) return 0x0000ff;
  if (sheet == 3 && cell == 17) return 0x808080;
  // Red counts the cell within sixteen, blue the sixteens, green the sheet:
  // distinct for every cell in use, and every channel a multiple that
  // RGB565 keeps exactly.
  const uint32_t r = 8u * (10 + cell % 16);
  const uint32_t g = 4u * (16 + 5 * sheet);
  const uint32_t b = 8u * (8 + 3 * (cell / 16));
  return r << 16 | g << 8 | b;
}

SDL_Surface* MakeTestSheet(int sheet) {
  if (sheet < 0 || sheet >= kSheetCount) return nullptr;
  SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, kSheetSize[sheet].w, kSheetSize[sheet].h, 24,
                                                  SDL_PIXELFORMAT_RGB24);
  if (s == nullptr) return nullptr;
  SDL_memset(s->pixels, 0, static_cast<size_t>(s->pitch) * s->h);
  Canvas c{s};
  Draw(c, sheet);
  return s;
}

bool LoadTestSheets(Compositor& compositor, std::string& error) {
  SDL_Surface* images[kSheetCount] = {};
  for (int i = 0; i < kSheetCount; ++i) images[i] = MakeTestSheet(i);
  const bool ok = compositor.SetSheets(images, error);
  for (SDL_Surface* s : images) SDL_FreeSurface(s);
  return ok;
}

}  // namespace rara3
