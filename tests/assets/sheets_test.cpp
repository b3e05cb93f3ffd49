// The sprite sheets in assets/sheets: sizes, the exact editor markers, art in
// every cell the renderer cuts, nothing in the cells it never cuts, and no
// visible colour that the 16-bit colour key would swallow.
#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <ostream>
#include <cstdint>
#include <string>
#include <vector>

#include "core/sheets.h"

namespace rara3 {
namespace {

struct Rgb {
  uint8_t r, g, b;
  friend bool operator==(const Rgb&, const Rgb&) = default;
};

std::ostream& operator<<(std::ostream& os, const Rgb& c) {
  return os << "(" << int(c.r) << ", " << int(c.g) << ", " << int(c.b) << ")";
}

struct Image {
  int w = 0, h = 0;
  std::vector<Rgb> px;
  Rgb at(int x, int y) const { return px[static_cast<size_t>(y) * w + x]; }
};

bool IsBlack(Rgb c) { return c.r == 0 && c.g == 0 && c.b == 0; }

// The 16-bit display keeps 5 bits of red and blue and 6 of green.
bool TurnsToZeroIn565(Rgb c) { return c.r < 8 && c.g < 4 && c.b < 8; }

Image Load(int sheet) {
  const std::string path =
      std::string(RARA3_SOURCE_DIR) + "/assets/sheets/Picture" + std::to_string(sheet) + ".png";
  Image img;
  SDL_Surface* loaded = IMG_Load(path.c_str());
  if (loaded == nullptr) {
    ADD_FAILURE() << path << ": " << IMG_GetError();
    return img;
  }
  SDL_Surface* rgb = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_RGB24, 0);
  SDL_FreeSurface(loaded);
  if (rgb == nullptr) {
    ADD_FAILURE() << path << ": " << SDL_GetError();
    return img;
  }
  img.w = rgb->w;
  img.h = rgb->h;
  img.px.resize(static_cast<size_t>(img.w) * img.h);
  for (int y = 0; y < img.h; ++y) {
    const auto* row = static_cast<const uint8_t*>(rgb->pixels) + y * rgb->pitch;
    for (int x = 0; x < img.w; ++x) img.px[static_cast<size_t>(y) * img.w + x] = {row[3 * x], row[3 * x + 1], row[3 * x + 2]};
  }
  SDL_FreeSurface(rgb);
  return img;
}

class SheetsTest : public testing::Test {
 protected:
  static void SetUpTestSuite() {
    for (int s = 0; s < kSheetCount; ++s) sheets_[s] = Load(s);
  }
  static const Image& Sheet(int s) { return sheets_[s]; }

  static int VisibleIn(int s, const Rect& r) {
    int n = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x) n += !IsBlack(Sheet(s).at(x, y));
    return n;
  }
  static long BrightnessIn(int s, const Rect& r) {
    long sum = 0;
    for (int y = r.Top; y < r.Bottom; ++y)
      for (int x = r.Left; x < r.Right; ++x) {
        const Rgb c = Sheet(s).at(x, y);
        sum += c.r + c.g + c.b;
      }
    return sum;
  }

 private:
  static inline std::array<Image, kSheetCount> sheets_;
};

TEST_F(SheetsTest, EverySheetHasItsExactSize) {
  for (int s = 0; s < kSheetCount; ++s) {
    EXPECT_EQ(Sheet(s).w, kSheetSize[s].w) << "Picture" << s;
    EXPECT_EQ(Sheet(s).h, kSheetSize[s].h) << "Picture" << s;
  }
}

TEST_F(SheetsTest, NoVisiblePixelVanishesUnderTheColourKey) {
  for (int s = 0; s < kSheetCount; ++s) {
    const Image& img = Sheet(s);
    int lost = 0;
    for (const Rgb& c : img.px) lost += !IsBlack(c) && TurnsToZeroIn565(c);
    EXPECT_EQ(lost, 0) << "Picture" << s << " has colours that become transparent";
  }
}

TEST_F(SheetsTest, ClearSheetIsSolidBlack) {
  EXPECT_EQ(VisibleIn(kSheetBlack, kWholeScreen), 0);
}

// Column 8 of kSheetTiles: right triangles with 10-pixel legs in the corners of
// each 24 x 36 tile. Exit marker: blue top-left and bottom-right, red the
// other two. Start marker: mid grey with a white edge on all three sides.
Rgb ExpectedMarker(int x, int y) {
  const int row = y / kTileH;
  const int ty = y % kTileH;
  constexpr int kLeg = 10;
  for (const bool left : {true, false})
    for (const bool top : {true, false}) {
      const int dx = left ? x : kTileW - 1 - x;
      const int dy = top ? ty : kTileH - 1 - ty;
      if (dx + dy >= kLeg) continue;
      if (row == 0) return left == top ? Rgb{0, 0, 255} : Rgb{255, 0, 0};
      const bool edge = dx == 0 || dy == 0 || dx + dy == kLeg - 1;
      return edge ? Rgb{255, 255, 255} : Rgb{128, 128, 128};
    }
  return Rgb{0, 0, 0};
}

TEST_F(SheetsTest, EditorMarkersAreExact) {
  for (int y = 0; y < 2 * kTileH; ++y)
    for (int x = 0; x < kTileW; ++x)
      ASSERT_EQ(Sheet(kSheetTiles).at(192 + x, y), ExpectedMarker(x, y)) << "at " << 192 + x << ", " << y;
}

TEST_F(SheetsTest, CursorShowsATrianglePointingInAtEachSide) {
  // Its left and right columns are lit over one unbroken run that crosses
  // the seam between the two marker rows; the middle column stays empty.
  for (const int x : {kCursorRect.Left, kCursorRect.Right - 1}) {
    int first = -1, last = -1;
    for (int y = kCursorRect.Top; y < kCursorRect.Bottom; ++y)
      if (!IsBlack(Sheet(kSheetTiles).at(x, y))) {
        if (first < 0) first = y;
        last = y;
      }
    ASSERT_GE(first, 0) << "column " << x;
    EXPECT_LT(first, kTileH);
    EXPECT_GE(last, kTileH);
    EXPECT_EQ(VisibleIn(kSheetTiles, Rect{x, first, x + 1, last + 1}), last - first + 1);
  }
  EXPECT_EQ(VisibleIn(kSheetTiles, Rect{203, kCursorRect.Top, 205, kCursorRect.Bottom}), 0);
}

struct Region {
  int sheet;
  Rect rect;
  std::string what;
};

std::vector<Region> RegionsInUse() {
  std::vector<Region> out;
  const char* dirs[] = {"down", "left", "right", "up"};
  for (int d = 0; d < 4; ++d) {
    for (int f = 0; f < kWalkFrames; ++f)
      out.push_back({kSheetPlayer, WalkRect(d, f), std::string("walk ") + dirs[d] + " " + std::to_string(f)});
    for (int f = 0; f < kPushFrames; ++f)
      out.push_back({kSheetPlayer, PushPoseRect(d, f), std::string("push ") + dirs[d] + " " + std::to_string(f)});
    out.push_back({kSheetPlayer, StandRect(d), std::string("stand ") + dirs[d]});
  }
  for (int f = 0; f < kRetireFrames; ++f) out.push_back({kSheetPlayer, RetireRect(f), "collapse " + std::to_string(f)});
  for (int f = 0; f < kCheerFrames; ++f) out.push_back({kSheetPlayer, CheerRect(f), "cheer " + std::to_string(f)});
  for (int row = 0; row < 2; ++row)
    for (int c = 0; c < kBoxColumns; ++c)
      out.push_back({kSheetTiles, TileRect(c, row), "box " + std::to_string(c) + " set " + std::to_string(row)});
  for (int set = 0; set < 2; ++set)
    for (int s = 0; s < kGlowSteps; ++s)
      out.push_back({kSheetGlow, GlowRect(s, set), "glow " + std::to_string(s) + " set " + std::to_string(set)});
  for (int n = 0; n < 10; ++n) out.push_back({kSheetLettering, DigitRect(n), "digit " + std::to_string(n)});
  out.push_back({kSheetLettering, kFloorLabelRect, "floor label"});
  out.push_back({kSheetLettering, kTitleLogoRect, "title logo"});
  out.push_back({kSheetLettering, kBannerRect, "banner"});
  for (int t = 0; t < kFloorTextures; ++t) out.push_back({kSheetFloors, FloorRect(t), "floor " + std::to_string(t)});
  for (int f = 0; f < kBlastFrames; ++f) out.push_back({kSheetBlast, BlastRect(f), "blast " + std::to_string(f)});
  for (int f = 0; f < 2; ++f) out.push_back({kSheetPortrait, PortraitRect(f), "portrait " + std::to_string(f)});
  out.push_back({kSheetTitle, kWholeScreen, "title background"});
  return out;
}

TEST_F(SheetsTest, EveryCellInUseShowsSomething) {
  for (const Region& r : RegionsInUse()) EXPECT_GT(VisibleIn(r.sheet, r.rect), 0) << r.what;
}

TEST_F(SheetsTest, PlayerSheetIsBlackOutsideTheCellsInUse) {
  std::vector<bool> used(640 * 1280, false);
  for (const Region& r : RegionsInUse()) {
    if (r.sheet != kSheetPlayer) continue;
    for (int y = r.rect.Top; y < r.rect.Bottom; ++y)
      for (int x = r.rect.Left; x < r.rect.Right; ++x) used[static_cast<size_t>(y) * 640 + x] = true;
  }
  for (int row = 0; row < 16; ++row)
    for (int col = 0; col * kPlayerW < 640; ++col) {
      const Rect cell{kPlayerW * col, kPlayerH * row, std::min(640, kPlayerW * (col + 1)), kPlayerH * (row + 1)};
      if (used[static_cast<size_t>(cell.Top) * 640 + cell.Left]) continue;
      EXPECT_EQ(VisibleIn(kSheetPlayer, cell), 0) << "cell column " << col << " row " << row;
    }
}

TEST_F(SheetsTest, FloorTexturesHaveNoHoles) {
  for (int t = 0; t < kFloorTextures; ++t)
    EXPECT_EQ(VisibleIn(kSheetFloors, FloorRect(t)), kFloorSquare * kFloorSquare) << "floor " << t;
}

TEST_F(SheetsTest, FloorTexturesTileWithoutASeam) {
  // Across the wrap-around the colour changes no more than inside the square.
  for (int t = 0; t < kFloorTextures; ++t) {
    const Rect r = FloorRect(t);
    auto diff = [&](int x0, int y0, int x1, int y1) {
      const Rgb a = Sheet(kSheetFloors).at(x0, y0), b = Sheet(kSheetFloors).at(x1, y1);
      return std::abs(a.r - b.r) + std::abs(a.g - b.g) + std::abs(a.b - b.b);
    };
    long inside = 0, across = 0;
    for (int i = 0; i < kFloorSquare; ++i) {
      inside += diff(r.Left + 21, r.Top + i, r.Left + 22, r.Top + i) + diff(r.Left + i, r.Top + 21, r.Left + i, r.Top + 22);
      across += diff(r.Right - 1, r.Top + i, r.Left, r.Top + i) + diff(r.Left + i, r.Bottom - 1, r.Left + i, r.Top);
    }
    EXPECT_LE(across, 2 * inside + 40 * kFloorSquare) << "floor " << t;
  }
}

// The board places a 24 x 36 box tile 12 px above its cell, so the box's
// body must fill the tile's lower 24 x 24 to sit on its cell.
TEST_F(SheetsTest, BoxBodiesFillTheirCell) {
  for (int row = 0; row < 2; ++row)
    for (int c = 0; c < kBoxColumns; ++c) {
      const Rect t = TileRect(c, row);
      EXPECT_EQ(VisibleIn(kSheetTiles, Rect{t.Left, t.Top + 12, t.Right, t.Bottom}), 24 * 24)
          << "box " << c << " set " << row;
    }
}

// The player cell is drawn 32 px left of and 44 px above the board cell, so
// the board cell is x 32-55, y 44-67 of it: the figure stands on y 67.
TEST_F(SheetsTest, PlayerStandsOnItsCell) {
  std::vector<Region> figures;
  for (const Region& r : RegionsInUse())
    if (r.sheet == kSheetPlayer && r.what.rfind("collapse", 0) != 0) figures.push_back(r);
  for (const Region& r : figures) {
    int lowest = -1, left = kPlayerW, right = -1;
    for (int y = 0; y < kPlayerH; ++y)
      for (int x = 0; x < kPlayerW; ++x)
        if (!IsBlack(Sheet(kSheetPlayer).at(r.rect.Left + x, r.rect.Top + y))) {
          lowest = y;
          left = std::min(left, x);
          right = std::max(right, x);
        }
    EXPECT_GE(lowest, 65) << r.what;
    EXPECT_LE(lowest, 68) << r.what;
    EXPECT_NEAR((left + right) / 2.0, 43.5, 12) << r.what;
  }
}

// The row above the player's cell is y 20-43 of the player cell. Standing,
// walking and pushing, the figure reaches at most 10 px into it, so a box
// there stays in sight; the cheer and the fall may go higher.
TEST_F(SheetsTest, PlayerReachesAtMostTenPixelsIntoTheRowAbove) {
  for (const Region& r : RegionsInUse()) {
    if (r.sheet != kSheetPlayer || r.what.rfind("cheer", 0) == 0 || r.what.rfind("collapse", 0) == 0) continue;
    int highest = kPlayerH;
    for (int y = 0; y < kPlayerH && highest == kPlayerH; ++y)
      if (VisibleIn(kSheetPlayer, Rect{r.rect.Left, r.rect.Top + y, r.rect.Right, r.rect.Top + y + 1}) > 0) highest = y;
    EXPECT_GE(highest, 44 - 10) << r.what;
  }
}

// The glow is drawn 7 px left of the exit cell with its bottom on the cell's
// bottom, so the cell is x 7-30, y 64-87 of it. The light sits on the cell
// and fills it; above it, over the row where a player or a box may stand,
// it is a thin, mostly see-through column.
TEST_F(SheetsTest, ExitGlowFillsItsCellBrightensStepByStepAndStaysThinAbove) {
  for (int set = 0; set < 2; ++set) {
    for (int s = 0; s < kGlowSteps; ++s) {
      SCOPED_TRACE(testing::Message() << "glow " << s << " set " << set);
      const Rect r = GlowRect(s, set);
      const Rect cell{r.Left + 7, r.Top + 64, r.Left + 31, r.Bottom};
      const Rect above{r.Left, r.Top, r.Right, r.Top + 64};
      const Rect overRowAbove{cell.Left, r.Top + 40, cell.Right, r.Top + 64};
      EXPECT_GT(VisibleIn(kSheetGlow, Rect{r.Left, r.Bottom - 1, r.Right, r.Bottom}), 0)
          << "does not reach the cell's bottom";
      EXPECT_GE(3 * VisibleIn(kSheetGlow, cell), 2 * 24 * 24) << "does not fill its cell";
      EXPECT_GT(BrightnessIn(kSheetGlow, cell), 2 * BrightnessIn(kSheetGlow, above))
          << "is not brightest on its cell";
      EXPECT_LE(5 * VisibleIn(kSheetGlow, overRowAbove), 24 * 24) << "hides the row above";
      if (s > 0) {
        EXPECT_GT(BrightnessIn(kSheetGlow, r), BrightnessIn(kSheetGlow, GlowRect(s - 1, set)));
      }
    }
  }
}

TEST_F(SheetsTest, ExplosionGrowsThenFades) {
  for (int f = 1; f < kBlastFrames / 2; ++f)
    EXPECT_GT(VisibleIn(kSheetBlast, BlastRect(f)), VisibleIn(kSheetBlast, BlastRect(f - 1))) << "frame " << f;
  EXPECT_LT(BrightnessIn(kSheetBlast, BlastRect(kBlastFrames - 1)), BrightnessIn(kSheetBlast, BlastRect(5)) / 4);
  // The hit cell is x 15-38, y 30-53 of the frame: the fire starts there.
  const Rect first = BlastRect(0);
  EXPECT_EQ(VisibleIn(kSheetBlast, first), VisibleIn(kSheetBlast, Rect{first.Left + 15, first.Top + 30, first.Left + 39, first.Top + 54}));
}

TEST_F(SheetsTest, PortraitFramesDifferOnlyInAnOpenBlackMouth) {
  int left = 96, right = -1, top = 180, bottom = -1, black = 0;
  for (int y = 0; y < 180; ++y)
    for (int x = 0; x < 96; ++x) {
      const Rgb shut = Sheet(kSheetPortrait).at(x, y), open = Sheet(kSheetPortrait).at(96 + x, y);
      if (shut == open) continue;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
      black += IsBlack(open);
    }
  ASSERT_GE(right, 0) << "the two frames are the same";
  EXPECT_LE(right - left, 32);
  EXPECT_LE(bottom - top, 32);
  EXPECT_GT(black, 20) << "the open mouth must be see-through";
  EXPECT_FALSE(IsBlack(Sheet(kSheetPortrait).at((left + right) / 2, (top + bottom) / 2)))
      << "the closed mouth must not be see-through";
}

}  // namespace
}  // namespace rara3
