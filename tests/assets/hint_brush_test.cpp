// The hint's mark is drawn with a patch of the shipped lettering sheet: it
// must stay one plain, visible colour whatever the art becomes.
#include <gtest/gtest.h>

#include <string>

#include "core/sheets.h"
#include "platform/compose/compositor.h"
#include "render/hint_mark.h"

namespace rara3 {
namespace {

TEST(HintBrush, IsOnePlainColour) {
  Compositor compositor;
  std::string error;
  ASSERT_TRUE(compositor.LoadEmbeddedSheets(error)) << error;
  compositor.Blit(0, 0, kSheetBlack, kWholeScreen, false);
  compositor.Blit(10, 10, kHintBrushSheet, kHintBrushRect, true);
  const uint16_t first = compositor.PixelAt(10, 10);
  EXPECT_NE(first, 0) << "the brush is black, which the colour key skips";
  for (int y = 0; y < kHintBrushRect.Bottom - kHintBrushRect.Top; ++y)
    for (int x = 0; x < kHintBrushRect.Right - kHintBrushRect.Left; ++x)
      EXPECT_EQ(compositor.PixelAt(10 + x, 10 + y), first) << x << "," << y;
}

}  // namespace
}  // namespace rara3
