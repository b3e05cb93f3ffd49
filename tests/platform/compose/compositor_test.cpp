// The pixel compositor: sheet conversion, the colour key, clipping of any
// rectangle, and the snapshot.
#include "platform/compose/compositor.h"

#include <SDL_image.h>
#include <gtest/gtest.h>
#include <unistd.h>

#include <climits>
#include <cstring>
#include <filesystem>
#include <vector>

#include "platform/compose/embedded_sheets.h"
#include "core/sheets.h"
#include "platform/compose/test_sheets.h"

namespace rara3 {
namespace {

constexpr uint32_t kBackground = 0x2040c0;  // not a colour of any test sheet

class CompositorTest : public ::testing::Test {
 protected:
  void SetUp() override {
    std::string error;
    ASSERT_TRUE(LoadTestSheets(c, error)) << error;
    Paint(kBackground);
  }

  // Fills the back buffer with one colour, as a clear from an opaque sheet
  // of that colour would.
  void Paint(uint32_t rgb) {
    auto* back = const_cast<SDL_Surface*>(c.BackBuffer());
    SDL_FillRect(back, nullptr, Rgb565(rgb));
  }

  std::vector<uint16_t> Frame() const {
    std::vector<uint16_t> px;
    for (int y = 0; y < kScreenHeight; ++y)
      for (int x = 0; x < kScreenWidth; ++x) px.push_back(c.PixelAt(x, y));
    return px;
  }

  Compositor c;
};

struct CellCase {
  int sheet;
  int cell;
  Rect src;
};

// One cell of every sheet, drawn whole at (100, 100): the probe point shows
// the cell's own colour, converted exactly.
TEST_F(CompositorTest, EveryCellKeepsItsColour) {
  const CellCase cases[] = {
      {1, 0, {0, 0, 89, 80}},          {1, 7 * 15 + 3, {267, 1200, 356, 1280}},
      {1, 7 * 8 + 6, {534, 640, 623, 720}}, {2, 0, {0, 0, 640, 480}},
      {3, 0, {0, 0, 24, 36}},          {3, 9 + 7, {168, 36, 192, 72}},
      {4, 4, {148, 0, 185, 88}},       {4, 9, {333, 0, 370, 88}},
      {5, 7, {336, 0, 384, 60}},       {5, 10, {0, 60, 168, 120}},
      {5, 12, {0, 222, 565, 292}},     {6, 9, {396, 0, 440, 44}},
      {7, 11, {295, 71, 354, 142}},    {8, 1, {96, 0, 192, 180}},
  };
  for (const CellCase& k : cases) {
    SCOPED_TRACE(testing::Message() << "sheet " << k.sheet << " cell " << k.cell);
    const int32_t x = k.sheet == 2 ? 0 : 100, y = k.sheet == 2 ? 0 : 100;
    c.Blit(x, y, k.sheet, k.src, true);
    EXPECT_EQ(c.PixelAt(x + kTestProbeX[k.sheet], y + kTestProbeY[k.sheet]),
              Rgb565(TestCellColour(k.sheet, k.cell)));
  }
}

TEST_F(CompositorTest, KeyedBlitSkipsBlackAndPlainBlitCopiesIt) {
  // A box tile: its top 6 rows are black.
  const Rect tile{0, 0, 24, 36};
  c.Blit(100, 100, 3, tile, true);
  EXPECT_EQ(c.PixelAt(110, 102), Rgb565(kBackground));
  EXPECT_EQ(c.PixelAt(112, 124), Rgb565(TestCellColour(3, 0)));
  c.Blit(200, 100, 3, tile, false);
  EXPECT_EQ(c.PixelAt(210, 102), 0);
  EXPECT_EQ(c.PixelAt(212, 124), Rgb565(TestCellColour(3, 0)));
}

TEST_F(CompositorTest, TheClearSheetHasNoKey) {
  c.Blit(0, 0, 0, {0, 0, 640, 480}, true);
  EXPECT_EQ(Frame(), std::vector<uint16_t>(kScreenWidth * kScreenHeight, 0));
}

// Every colour that converts to 0 is transparent on the keyed sheets; the
// darkest colours that do not are drawn.
TEST(CompositorKey, DarkColoursThatBecomeZeroAreTransparent) {
  struct Case {
    uint32_t rgb;
    bool transparent;
  };
  const Case cases[] = {{0x000000, true}, {0x070307, true}, {0x080000, false},
                        {0x000400, false}, {0x000008, false}, {0x101010, false}};
  for (const Case& k : cases) {
    SCOPED_TRACE(testing::Message() << std::hex << k.rgb);
    SDL_Surface* images[kSheetCount] = {};
    for (int i = 0; i < kSheetCount; ++i) images[i] = MakeTestSheet(i);
    for (int sheet : {0, 6}) {  // sheet 0 unkeyed, sheet 6 keyed
      SDL_FillRect(images[sheet], nullptr,
                   SDL_MapRGB(images[sheet]->format, k.rgb >> 16, (k.rgb >> 8) & 0xff, k.rgb & 0xff));
    }
    SDL_FillRect(images[2], nullptr, SDL_MapRGB(images[2]->format, 0x20, 0x40, 0xc0));
    Compositor c;
    std::string error;
    ASSERT_TRUE(c.SetSheets(images, error)) << error;
    for (SDL_Surface* s : images) SDL_FreeSurface(s);
    c.Blit(0, 0, 2, {0, 0, 640, 480}, true);
    c.Blit(10, 10, 6, {0, 0, 44, 44}, true);
    EXPECT_EQ(c.PixelAt(20, 20), k.transparent ? Rgb565(0x2040c0) : Rgb565(k.rgb));
    // Unkeyed, the same pixel is always copied.
    c.Blit(100, 10, 6, {0, 0, 44, 44}, false);
    EXPECT_EQ(c.PixelAt(110, 20), Rgb565(k.rgb));
  }
}

// Rectangles beyond the sheet or the screen, empty or turned over, and
// extreme coordinates: only the part on both is drawn, the source pixel
// (sx, sy) always lands at (x + sx - Left, y + sy - Top); keyed, its black
// pixels are skipped, also where the rectangle spans several bands of a
// tall sheet.
TEST_F(CompositorTest, AnyRectangleIsSafeAndOnlyItsVisiblePartIsDrawn) {
  struct Case {
    const char* what;
    int32_t x, y;
    int sheet;
    Rect src;
    bool keyed;
    int drawnX, drawnY, drawnW, drawnH;  // the screen area expected to change
  };
  const Case cases[] = {
      {"whole texture", 10, 20, 6, {0, 0, 44, 44}, false, 10, 20, 44, 44},
      {"source left of and above the sheet", 0, 0, 6, {-10, -6, 44, 44}, false, 10, 6, 44, 44},
      {"source beyond the sheet's right and bottom", 50, 50, 6, {400, 20, 480, 90}, false, 50, 50, 40, 24},
      {"destination left of and above the screen", -30, -40, 6, {0, 0, 44, 44}, false, 0, 0, 14, 4},
      {"destination past the right and bottom", 630, 470, 6, {0, 0, 44, 44}, false, 630, 470, 10, 10},
      {"keyed across three bands", 100, 100, 1, {60, 70, 150, 250}, true, 100, 100, 90, 180},
      {"keyed across bands, cut at the top", 300, -50, 1, {0, 1100, 200, 1280}, true, 300, 0, 200, 130},
      {"keyed past the bottom of the sheet", 0, 400, 1, {500, 1250, 700, 1400}, true, 0, 400, 140, 30},
      {"plain across bands", 100, 100, 1, {60, 70, 150, 250}, false, 100, 100, 90, 180},
      {"keyed inside one cell", 200, 200, 3, {24, 36, 48, 72}, true, 200, 200, 24, 36},
      {"keyed inside one cell, cut at the top", 200, -12, 3, {48, 0, 72, 36}, true, 200, 0, 24, 24},
      {"keyed across two cells (the editor cursor)", 200, 200, 3, {192, 18, 216, 54}, true, 200, 200, 24, 36},
      {"keyed in the sheet's last, narrow column", 10, 10, 1, {623, 80, 640, 160}, true, 10, 10, 17, 80},
      {"keyed across two cells side by side", 300, 300, 7, {30, 10, 90, 60}, true, 300, 300, 60, 50},
      {"keyed texture cut by the screen's edge", 610, 100, 6, {88, 0, 132, 44}, true, 610, 100, 30, 44},
      {"negative width", 10, 10, 6, {44, 0, 0, 44}, false, 0, 0, 0, 0},
      {"negative height", 10, 10, 1, {0, 44, 44, 0}, true, 0, 0, 0, 0},
      {"empty", 10, 10, 6, {5, 5, 5, 40}, false, 0, 0, 0, 0},
      {"source wholly outside the sheet", 10, 10, 6, {500, 0, 600, 44}, true, 0, 0, 0, 0},
      {"destination wholly off screen", 640, 0, 6, {0, 0, 44, 44}, false, 0, 0, 0, 0},
      {"destination far below", 0, INT32_MAX, 6, {0, 0, 44, 44}, false, 0, 0, 0, 0},
      {"destination far left", INT32_MIN, 0, 6, {0, 0, 44, 44}, true, 0, 0, 0, 0},
      {"extreme source", 0, 0, 6, {INT32_MIN, INT32_MIN, INT32_MAX, INT32_MAX}, false, 0, 0, 0, 0},
      {"extreme both", INT32_MAX, INT32_MIN, 1, {INT32_MIN, 0, INT32_MAX, 5}, true, 0, 0, 0, 0},
      {"no such sheet", 0, 0, 9, {0, 0, 44, 44}, false, 0, 0, 0, 0},
      {"negative sheet", 0, 0, -1, {0, 0, 44, 44}, true, 0, 0, 0, 0},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    Paint(kBackground);
    c.Blit(k.x, k.y, k.sheet, k.src, k.keyed);
    // The sheet as it should land: pixel (sx, sy) of the sheet at
    // (x + sx - Left, y + sy - Top).
    SDL_Surface* sheet = MakeTestSheet(k.sheet >= 0 && k.sheet < kSheetCount ? k.sheet : 6);
    SDL_Surface* expected565 = SDL_ConvertSurfaceFormat(sheet, SDL_PIXELFORMAT_RGB565, 0);
    for (int y = 0; y < kScreenHeight; ++y) {
      for (int x = 0; x < kScreenWidth; ++x) {
        const bool inside = x >= k.drawnX && x < k.drawnX + k.drawnW && y >= k.drawnY &&
                            y < k.drawnY + k.drawnH;
        uint16_t want = Rgb565(kBackground);
        if (inside) {
          const int64_t sx = int64_t{x} - k.x + k.src.Left, sy = int64_t{y} - k.y + k.src.Top;
          const uint16_t source = reinterpret_cast<const uint16_t*>(
              static_cast<const uint8_t*>(expected565->pixels) + sy * expected565->pitch)[sx];
          if (!k.keyed || source != 0) want = source;
        }
        if (c.PixelAt(x, y) != want) {
          ADD_FAILURE() << "pixel (" << x << ", " << y << ")";
          y = kScreenHeight;
          break;
        }
      }
    }
    SDL_FreeSurface(expected565);
    SDL_FreeSurface(sheet);
  }
}

TEST_F(CompositorTest, RefusesSheetsOfTheWrongSizeAndKeepsTheOldOnes) {
  SDL_Surface* images[kSheetCount] = {};
  for (int i = 0; i < kSheetCount; ++i) images[i] = MakeTestSheet(i);
  SDL_FreeSurface(images[4]);
  images[4] = SDL_CreateRGBSurfaceWithFormat(0, 370, 87, 24, SDL_PIXELFORMAT_RGB24);
  std::string error;
  EXPECT_FALSE(c.SetSheets(images, error));
  EXPECT_EQ(error, "Picture4: expected 370 x 88 pixels, found 370 x 87");
  SDL_FreeSurface(images[4]);
  images[4] = nullptr;
  EXPECT_FALSE(c.SetSheets(images, error));
  EXPECT_EQ(error, "Picture4: no image");
  for (SDL_Surface* s : images) SDL_FreeSurface(s);
  c.Blit(0, 0, 6, {0, 0, 44, 44}, true);
  EXPECT_EQ(c.PixelAt(4, 4), Rgb565(TestCellColour(6, 0)));
}

TEST_F(CompositorTest, SnapshotHoldsTheFrame) {
  c.Blit(0, 0, 2, {0, 0, 640, 480}, true);
  c.Blit(320, 320, 5, {48, 0, 96, 60}, true);
  const std::string path =
      (std::filesystem::temp_directory_path() / ("rara3-snap-" + std::to_string(getpid()) + ".png"))
          .string();
  std::string error;
  ASSERT_TRUE(c.SavePng(path, error)) << error;
  SDL_Surface* loaded = IMG_Load(path.c_str());
  std::filesystem::remove(path);
  ASSERT_NE(loaded, nullptr);
  EXPECT_EQ(loaded->w, 640);
  EXPECT_EQ(loaded->h, 480);
  SDL_Surface* xrgb = SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_XRGB8888, 0);
  std::vector<uint32_t> mine(640 * 480);
  c.CopyXrgb8888(mine.data(), 640 * 4);
  for (int y = 0; y < 480; y += 7) {
    for (int x = 0; x < 640; x += 5) {
      const uint32_t got =
          reinterpret_cast<const uint32_t*>(static_cast<const uint8_t*>(xrgb->pixels) + y * xrgb->pitch)[x];
      ASSERT_EQ(got & 0xffffff, mine[y * 640 + x] & 0xffffff) << x << ", " << y;
    }
  }
  // Each 565 channel is widened by repeating its top bits.
  const uint32_t digit = mine[(320 + kTestProbeY[5]) * 640 + 320 + kTestProbeX[5]] & 0xffffff;
  const uint32_t want = TestCellColour(5, 1);
  EXPECT_EQ(digit & 0xf8fcf8, want);
  SDL_FreeSurface(xrgb);
  SDL_FreeSurface(loaded);
  EXPECT_FALSE(c.SavePng("/nonexistent-folder/x.png", error));
  EXPECT_NE(error.find("/nonexistent-folder/x.png"), std::string::npos);
}

TEST(CompositorEmbedded, BuiltInArtDecodesToSheetsOfTheRightSize) {
  if (EmbeddedSheetPng(0).size == 0) GTEST_SKIP() << "this build carries no sheet art";
  Compositor c;
  std::string error;
  EXPECT_TRUE(c.LoadEmbeddedSheets(error)) << error;
  EXPECT_TRUE(c.HasSheets());
}

// Frames that repeat the blits of earlier ones are drawn partly from a kept
// copy of the back buffer: every frame must come out as if drawn blit by
// blit, however the frames differ, and whether or not each one is read.
struct FrameBlit {
  int32_t x, y;
  int sheet;
  Rect src;
  bool keyed;
};
using TestFrame = std::vector<FrameBlit>;

// A board frame: the clear, a floor of texture t, a row of tiles of kind
// k (0: none), and the player's standing picture at column px.
TestFrame BoardFrame(int t, int k, int px) {
  TestFrame f{{0, 0, 0, {0, 0, 640, 480}, false}};
  for (int i = 0; i < 11; ++i)
    for (int j = 0; j < 11; ++j) f.push_back({80 + 44 * j, 44 * i, 6, {44 * t, 0, 44 * t + 44, 44}, true});
  if (k > 0) {
    for (int x = 0; x < 20; ++x) f.push_back({80 + 24 * x, 24 * 5 - 12, 3, {24 * (k - 1), 0, 24 * k, 36}, true});
  }
  f.push_back({24 * px + 48, 24 * 8 - 44, 1, {0, 1200, 89, 1280}, true});
  return f;
}

// The title: the clear, the whole background sheet keyed, the logo.
TestFrame TitleFrame(int digit) {
  return {{0, 0, 0, {0, 0, 640, 480}, false},
          {0, 0, 2, {0, 0, 640, 480}, true},
          {86, 43, 5, {0, 120, 468, 222}, true},
          {448, 320, 5, {48 * digit, 0, 48 * digit + 48, 60}, true}};
}

std::vector<uint16_t> FramePixels(const Compositor& c) {
  std::vector<uint16_t> px;
  for (int y = 0; y < kScreenHeight; ++y)
    for (int x = 0; x < kScreenWidth; ++x) px.push_back(c.PixelAt(x, y));
  return px;
}

// The frame drawn blit by blit by a compositor that has seen no other.
std::vector<uint16_t> DrawnAlone(const TestFrame& f) {
  Compositor fresh;
  std::string error;
  EXPECT_TRUE(LoadTestSheets(fresh, error)) << error;
  for (const FrameBlit& b : f) fresh.Blit(b.x, b.y, b.sheet, b.src, b.keyed);
  return FramePixels(fresh);
}

TEST(CompositorFrameCache, EveryFrameIsAsIfDrawnBlitByBlit) {
  struct Case {
    const char* what;
    std::vector<TestFrame> frames;
    std::vector<bool> read;  // per frame; the last frame is always read
    bool copyUsed;           // some blits must come from the kept copy
  };
  const TestFrame board = BoardFrame(2, 3, 5);
  TestFrame longer = board;
  longer.push_back({300, 300, 7, {0, 0, 59, 71}, true});
  TestFrame noFirstTile = board;
  noFirstTile.erase(noFirstTile.begin() + 122);
  const Case cases[] = {
      {"a still picture", {board, board, board, board}, {true, true, true, true}, true},
      {"the last blit moves", {BoardFrame(2, 3, 5), BoardFrame(2, 3, 6), BoardFrame(2, 3, 7)}, {true, true, true}, true},
      {"the first blit after the clear changes", {BoardFrame(2, 3, 5), BoardFrame(4, 3, 5), BoardFrame(2, 3, 5)},
       {true, true, true}, false},
      {"frames alternate where they part", {board, BoardFrame(2, 4, 5), board, BoardFrame(2, 4, 5), board},
       {true, true, true, true, true}, true},
      {"a frame longer, then shorter", {board, board, longer, longer, board, board}, {true, true, true, true, true, true},
       true},
      {"a blit left out in the middle", {board, board, noFirstTile, board}, {true, true, true, true}, true},
      {"frames never read in between", {board, BoardFrame(2, 4, 5), board, BoardFrame(2, 3, 9), board},
       {false, false, true, false, false}, true},
      {"the title, its background covering the clear", {TitleFrame(1), TitleFrame(1), TitleFrame(2), TitleFrame(2)},
       {true, true, true, true}, true},
      {"from the title to a board and back", {TitleFrame(1), TitleFrame(1), board, board, board, TitleFrame(1)},
       {true, true, true, true, true, true}, true},
  };
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    Compositor c;
    std::string error;
    ASSERT_TRUE(LoadTestSheets(c, error)) << error;
    for (size_t i = 0; i < k.frames.size(); ++i) {
      for (const FrameBlit& b : k.frames[i]) c.Blit(b.x, b.y, b.sheet, b.src, b.keyed);
      if (k.read[i] || i + 1 == k.frames.size()) {
        ASSERT_EQ(FramePixels(c), DrawnAlone(k.frames[i])) << "frame " << i;
      }
    }
    EXPECT_EQ(c.BlitsFromCopy() > 0, k.copyUsed);
  }
}

TEST(CompositorFrameCache, AReadInTheMiddleOfAFrameSeesTheBlitsSoFar) {
  const TestFrame board = BoardFrame(2, 3, 5);
  Compositor c;
  std::string error;
  ASSERT_TRUE(LoadTestSheets(c, error)) << error;
  for (int frame = 0; frame < 3; ++frame) {
    for (size_t i = 0; i < board.size(); ++i) {
      const FrameBlit& b = board[i];
      c.Blit(b.x, b.y, b.sheet, b.src, b.keyed);
      if (i == 121) {
        ASSERT_EQ(FramePixels(c), DrawnAlone(TestFrame(board.begin(), board.begin() + 122))) << frame;
      }
    }
    ASSERT_EQ(FramePixels(c), DrawnAlone(board)) << frame;
  }
}

TEST(CompositorFrameCache, NewSheetsAreUsedForTheSameBlits) {
  const TestFrame board = BoardFrame(2, 3, 5);
  Compositor c;
  std::string error;
  ASSERT_TRUE(LoadTestSheets(c, error)) << error;
  for (int frame = 0; frame < 3; ++frame)
    for (const FrameBlit& b : board) c.Blit(b.x, b.y, b.sheet, b.src, b.keyed);
  ASSERT_EQ(FramePixels(c), DrawnAlone(board));
  // Blits held back when the sheets change are drawn with the old ones.
  for (const FrameBlit& b : board) c.Blit(b.x, b.y, b.sheet, b.src, b.keyed);
  SDL_Surface* images[kSheetCount] = {};
  for (int i = 0; i < kSheetCount; ++i) images[i] = MakeTestSheet(i);
  SDL_FillRect(images[6], nullptr, SDL_MapRGB(images[6]->format, 0x30, 0xa0, 0x50));
  ASSERT_TRUE(c.SetSheets(images, error)) << error;
  for (SDL_Surface* s : images) SDL_FreeSurface(s);
  ASSERT_EQ(FramePixels(c), DrawnAlone(board));
  for (const FrameBlit& b : board) c.Blit(b.x, b.y, b.sheet, b.src, b.keyed);
  EXPECT_EQ(c.PixelAt(80 + 2, 2), Rgb565(0x30a050));
}

// A window skips showing a frame again only when it surely is the one it
// last took.
TEST(CompositorFrameCache, AFrameCountsAsShownOnlyWhenItIsTheSameBlitForBlit) {
  const TestFrame board = BoardFrame(2, 3, 5);
  TestFrame moved = BoardFrame(2, 3, 6);
  TestFrame withoutClear(board.begin() + 1, board.end());
  struct Case {
    const char* what;
    TestFrame next;
    bool writeThroughPointer;
    bool same;
  };
  const Case cases[] = {
      {"the same blits", board, false, true},
      {"the player moved", moved, false, false},
      {"the same blits without the clear before them", withoutClear, false, false},
      {"the same blits, the back buffer written between", board, true, false},
      {"nothing drawn since", {}, false, true},
  };
  std::vector<uint32_t> pixels(640 * 480);
  for (const Case& k : cases) {
    SCOPED_TRACE(k.what);
    Compositor c;
    std::string error;
    ASSERT_TRUE(LoadTestSheets(c, error)) << error;
    EXPECT_FALSE(c.SameAsLastCopy());
    for (const FrameBlit& b : board) c.Blit(b.x, b.y, b.sheet, b.src, b.keyed);
    c.CopyXrgb8888(pixels.data(), 640 * 4);
    if (k.writeThroughPointer) c.BackBuffer();
    for (const FrameBlit& b : k.next) c.Blit(b.x, b.y, b.sheet, b.src, b.keyed);
    EXPECT_EQ(c.SameAsLastCopy(), k.same);
  }
  // New sheets: never the same.
  Compositor c;
  std::string error;
  ASSERT_TRUE(LoadTestSheets(c, error)) << error;
  for (const FrameBlit& b : board) c.Blit(b.x, b.y, b.sheet, b.src, b.keyed);
  c.CopyXrgb8888(pixels.data(), 640 * 4);
  ASSERT_TRUE(LoadTestSheets(c, error)) << error;
  for (const FrameBlit& b : board) c.Blit(b.x, b.y, b.sheet, b.src, b.keyed);
  EXPECT_FALSE(c.SameAsLastCopy());
}

}  // namespace
}  // namespace rara3
