// Whole frames in pixels: the renderer's blits through the headless display
// into the compositor, with the generated test sheets, read back by colour.
#include <gtest/gtest.h>

#include <memory>

#include "game/game.h"
#include "platform/compose/compositor.h"
#include "platform/compose/test_sheets.h"
#include "platform/headless/compose_sink.h"
#include "platform/headless/headless_platform.h"
#include "support/memory_files.h"
#include "app/main_loop.h"

namespace rara3 {
namespace {

struct PixelRig {
  PixelRig() {
    std::string error;
    if (!LoadTestSheets(compositor, error)) ADD_FAILURE() << error;
    hp.display.sink = &sink;
    SetStartingValues(*g);
    g->lifecycle.LoopStarted = true;
  }

  MemoryFiles files;
  HeadlessPlatform hp{files};
  Compositor compositor;
  ComposeSink sink{compositor};
  std::unique_ptr<GameState> g = std::make_unique<GameState>();
};

// The stage number on the title: right-aligned on the units place at x 448,
// 64 px per place, no leading zeros. Each place shows a digit cell of
// kSheetLettering or the title background.
TEST(FramePixels, TitleShowsTheStageNumberRightAligned) {
  struct Case {
    int32_t stage;
    int hundreds, tens, units;  // -1: the place is empty
  };
  const Case cases[] = {{7, -1, -1, 7}, {9, -1, -1, 9}, {10, -1, 1, 0},
                        {42, -1, 4, 2}, {99, -1, 9, 9}, {100, 1, 0, 0}};
  PixelRig rig;
  for (const Case& k : cases) {
    SCOPED_TRACE(testing::Message() << "stage " << k.stage);
    rig.g->flow.Scene = SceneTitle;
    rig.g->flow.StageNo = k.stage;
    RunFrame(*rig.g, rig.hp.platform);
    const int places[3][2] = {{320, k.hundreds}, {384, k.tens}, {448, k.units}};
    for (const auto& [x, digit] : places) {
      const uint32_t want = digit < 0 ? TestCellColour(2, 0) : TestCellColour(5, digit);
      EXPECT_EQ(rig.compositor.PixelAt(x + kTestProbeX[5], 320 + kTestProbeY[5]), Rgb565(want))
          << "place at x " << x;
    }
    // The floor label stands left of the number.
    EXPECT_EQ(rig.compositor.PixelAt(128 + kTestProbeX[5], 320 + kTestProbeY[5]),
              Rgb565(TestCellColour(5, 10)));
  }
}

// The play view: black strips at both sides, the floor over the board.
TEST(FramePixels, BoardFillsOnlyTheMiddleOfTheScreen) {
  PixelRig rig;
  rig.g->flow.Scene = SceneIdle;
  rig.g->Facing = FacingDown;
  RunFrame(*rig.g, rig.hp.platform);
  for (int y : {0, 240, 479}) {
    EXPECT_EQ(rig.compositor.PixelAt(79, y), 0) << y;
    EXPECT_EQ(rig.compositor.PixelAt(560, y), 0) << y;
    EXPECT_EQ(rig.compositor.PixelAt(639, y), 0) << y;
    EXPECT_NE(rig.compositor.PixelAt(80 + 4, y == 0 ? 4 : y), 0) << y;
    EXPECT_NE(rig.compositor.PixelAt(559, y), 0) << y;
  }
}

}  // namespace
}  // namespace rara3
