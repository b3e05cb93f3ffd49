// ClipToView: the cuts at the left, top, right (x 560) and bottom edges.
#include <gtest/gtest.h>

#include <cctype>
#include <memory>

#include "render/blit.h"
#include "render/clip_to_view.h"
#include "support/render_rig.h"

namespace rara3 {
namespace {

struct ClipCase {
  const char* name;
  Rect rect;
  int16_t x, y;
  Rect src;
  int32_t clipX, clipY;
};

const ClipCase kClipCases[] = {
    {"tile in row 0 loses its top 12 rows", {24, 36, 48, 72}, 80, -12, {24, 48, 48, 72}, 80, 0},
    {"sprite at x 504 is drawn 56 wide", {0, 1200, 89, 1280}, 504, 100, {0, 1200, 56, 1280}, 504, 100},
    {"sprite ending at x 560 is whole", {89, 1200, 178, 1280}, 471, 100, {89, 1200, 178, 1280}, 471, 100},
    {"bottom exactly at 480 is whole", {0, 0, 24, 36}, 200, 444, {0, 0, 24, 36}, 200, 444},
    {"bottom at 492 loses 12 rows", {0, 0, 24, 36}, 200, 456, {0, 0, 24, 24}, 200, 456},
    {"left cut does not test the right edge", {0, 0, 640, 10}, -10, 0, {10, 0, 640, 10}, 0, 0},
    {"top cut does not test the bottom edge", {0, 0, 10, 600}, 0, -5, {0, 5, 10, 600}, 0, 0},
    {"both cuts at once", {100, 100, 200, 200}, -30, -40, {130, 140, 200, 200}, 0, 0},
    {"cursor in the last column is whole", {192, 18, 216, 54}, 536, 0, {192, 18, 216, 54}, 536, 0},
    {"width and height are taken as 16 bits", {0, 0, 70000, 65546}, 0, 0, {0, 0, 66096, 65546}, 0, 0},
};

class ClipToViewTest : public testing::TestWithParam<ClipCase> {};

TEST_P(ClipToViewTest, CutsAsTheViewRequires) {
  const ClipCase& c = GetParam();
  const ClippedBlit cut = ClipToView(c.rect, c.x, c.y);
  EXPECT_EQ(cut.src, c.src);
  EXPECT_EQ(cut.x, c.clipX);
  EXPECT_EQ(cut.y, c.clipY);
}

INSTANTIATE_TEST_SUITE_P(Cases, ClipToViewTest, testing::ValuesIn(kClipCases),
                         [](const testing::TestParamInfo<ClipCase>& info) {
                           std::string name = info.param.name;
                           for (char& ch : name)
                             if (!isalnum(static_cast<unsigned char>(ch))) ch = '_';
                           return name;
                         });

TEST(ClippedBlit, NarrowsThePositionTo16BitsAndBlitsKeyed) {
  test::RenderRig rig;
  DrawClipped(rig.hp.display, kSheetTiles, TileRect(0, 0), 65536 + 100, 65536 + 24);
  ASSERT_EQ(rig.hp.display.frame.size(), 1u);
  EXPECT_EQ(rig.hp.display.frame[0], (BlitRecord{100, 24, kSheetTiles, TileRect(0, 0), true}));
}

TEST(ClippedBlit, APieceWhollyBeyondTheViewIsNotBlitted) {
  test::RenderRig rig;
  DrawClipped(rig.hp.display, kSheetTiles, TileRect(0, 0), 600, 0);
  DrawClipped(rig.hp.display, kSheetTiles, TileRect(0, 0), 100, 500);
  EXPECT_TRUE(rig.hp.display.frame.empty());
}

}  // namespace
}  // namespace rara3
