// Real frames with the art built into the program: what stands behind or
// above the player must stay readable. The exit's glow must not hide a
// player standing just above it, and the player must not hide a box in the
// row above.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "game/game.h"
#include "platform/compose/compositor.h"
#include "platform/compose/embedded_sheets.h"
#include "platform/headless/compose_sink.h"
#include "platform/headless/headless_platform.h"
#include "support/memory_files.h"
#include "app/main_loop.h"
#include "core/sheets.h"
#include "render/play_view.h"
#include "support/test_boards.h"

namespace rara3 {
namespace {

using Pixels = std::vector<uint16_t>;

struct ArtRig {
  ArtRig() {
    std::string error;
    EXPECT_TRUE(compositor.LoadEmbeddedSheets(error)) << error;
    hp.display.sink = &sink;
    SetStartingValues(*g);
    g->lifecycle.LoopStarted = true;
  }

  // One idle frame of the board, read back.
  Pixels Idle(const std::vector<std::string>& rows, int32_t facing, int32_t colors,
              int32_t glowTick) {
    test::FillBoard(*g, rows);
    g->flow.Scene = SceneIdle;
    g->Facing = facing;
    g->switches.AltColors = colors;
    g->pace.GlowTick = glowTick;
    RunFrame(*g, hp.platform);
    return Read();
  }

  // The one blit of `sheet` in the last frame.
  BlitRecord OnlyBlitOf(int sheet) const {
    BlitRecord found;
    int n = 0;
    for (const BlitRecord& b : hp.display.lastFrame)
      if (b.sheet == sheet) {
        found = b;
        ++n;
      }
    EXPECT_EQ(n, 1) << "blits of Picture" << sheet;
    return found;
  }

  // The picture of that blit alone on black.
  Pixels Alone(const BlitRecord& b) {
    compositor.Blit(0, 0, kSheetBlack, kWholeScreen, false);
    compositor.Blit(b.x, b.y, b.sheet, b.src, true);
    return Read();
  }

  // Where that blit puts something visible.
  std::vector<bool> Drawn(const BlitRecord& b) {
    const Pixels alone = Alone(b);
    std::vector<bool> out(alone.size());
    for (size_t i = 0; i < alone.size(); ++i) out[i] = alone[i] != 0;
    return out;
  }

  Pixels Read() const {
    Pixels px(640 * 480);
    for (int y = 0; y < 480; ++y)
      for (int x = 0; x < 640; ++x) px[static_cast<size_t>(y) * 640 + x] = compositor.PixelAt(x, y);
    return px;
  }

  MemoryFiles files;
  HeadlessPlatform hp{files};
  Compositor compositor;
  ComposeSink sink{compositor};
  std::unique_ptr<GameState> g = std::make_unique<GameState>();
};

// The share of the drawn pixels that look the same in `with` as in `without`.
double ShareKept(const std::vector<bool>& drawn, const Pixels& with, const Pixels& without) {
  int total = 0, kept = 0;
  for (size_t i = 0; i < drawn.size(); ++i) {
    if (!drawn[i]) continue;
    ++total;
    kept += with[i] == without[i];
  }
  EXPECT_GT(total, 0);
  return total == 0 ? 0.0 : static_cast<double>(kept) / total;
}

constexpr int32_t kFacings[] = {FacingDown, FacingLeft, FacingRight, FacingUp};

std::vector<std::string> Rows(const std::string& row8, const std::string& row9) {
  std::vector<std::string> rows(20, std::string(20, '.'));
  rows[8] = row8;
  rows[9] = row9;
  return rows;
}

class ArtReadability : public testing::Test {
 protected:
  void SetUp() override {
    if (EmbeddedSheetPng(0).size == 0) GTEST_FAIL() << "this build carries no sheet art";
  }
};

// A player one row above the open exit: the glow is drawn after the player's
// row and over it, so its column above the cell must be thin.
TEST_F(ArtReadability, PlayerAboveTheOpenExitStaysVisibleInEveryGlowStep) {
  ArtRig rig;
  const auto withExit = Rows("..........@", "..........X");
  const auto noExit = Rows("..........@", "");
  double least = 1.0;
  for (int32_t colors : {0, 1})
    for (int32_t facing : kFacings)
      for (int32_t step = 0; step < kGlowSteps; ++step) {
        SCOPED_TRACE(testing::Message() << "colours " << colors << " facing " << facing << " step " << step);
        // GlowTick 16s shows step s on the way up.
        const Pixels with = rig.Idle(withExit, facing, colors, 16 * step);
        const Pixels without = rig.Idle(noExit, facing, colors, 16 * step);
        const double kept = ShareKept(rig.Drawn(rig.OnlyBlitOf(kSheetPlayer)), with, without);
        least = std::min(least, kept);
        EXPECT_GE(kept, 0.70);
      }
  RecordProperty("least_player_share_kept_percent", std::to_string(least * 100.0));
  std::printf("player above the exit: at least %.1f %% of its pixels visible\n", least * 100.0);
}

// A box in the row above the player: the player's row is drawn after it, so
// the figure must stay low.
TEST_F(ArtReadability, BoxAboveThePlayerStaysMostlyVisibleInEachFacing) {
  ArtRig rig;
  double least = 1.0;
  for (int32_t colors : {0, 1})
    for (int32_t kind = KindPairBox; kind <= KindBombBox; ++kind)
      for (int32_t facing : kFacings) {
        SCOPED_TRACE(testing::Message() << "colours " << colors << " kind " << kind << " facing " << facing);
        const std::string box = std::string(10, '.') + test::CharOfKind(kind);
        const Pixels with = rig.Idle(Rows(box, "..........@"), facing, colors, 0);
        const Pixels without = rig.Idle(Rows(box, ""), facing, colors, 0);
        const double kept = ShareKept(rig.Drawn(rig.OnlyBlitOf(kSheetTiles)), with, without);
        least = std::min(least, kept);
        EXPECT_GE(kept, 2.0 / 3.0);
      }
  RecordProperty("least_box_share_kept_percent", std::to_string(least * 100.0));
  std::printf("box above the player: at least %.1f %% of its pixels visible\n", least * 100.0);
}

// What stands in a row above a wall or a box: the tile below reaches up
// into its cell, so the picture above must keep nearly all of itself.
// Counted on the sheets, every frame of every animation, both colour sets.
struct Picture {
  const char* what;
  int sheet;
  Rect src;
  int32_t dx, dy;  // against the cell's top-left corner
};

std::vector<Picture> PicturesThatStandOnACell() {
  std::vector<Picture> out;
  for (int32_t colors : {0, 1}) {
    for (int32_t column = 0; column < kBoxColumns; ++column)
      out.push_back({"box", kSheetTiles, TileRect(column, colors), 0, TileTop(0) - CellTop(0)});
    for (int32_t step = 0; step < kGlowSteps; ++step)
      out.push_back({"exit", kSheetGlow, GlowRect(step, colors), kGlowDX, kGlowDY});
  }
  std::vector<Rect> player;
  for (int32_t d = 0; d < 4; ++d) {
    for (int32_t f = 0; f < kWalkFrames; ++f) player.push_back(WalkRect(d, f));
    for (int32_t f = 0; f < kPushFrames; ++f) player.push_back(PushPoseRect(d, f));
    player.push_back(StandRect(d));
  }
  for (int32_t f = 0; f < kRetireFrames; ++f) player.push_back(RetireRect(f));
  for (int32_t f = 0; f < kCheerFrames; ++f) player.push_back(CheerRect(f));
  for (const Rect& r : player) out.push_back({"player", kSheetPlayer, r, kPlayerDX, kPlayerDY});
  return out;
}

TEST_F(ArtReadability, WhatStandsAboveAWallOrABoxKeepsNinetyPercentOfItself) {
  ArtRig rig;
  constexpr int32_t kX = 10, kY = 8;
  std::map<std::string, double> least;
  for (const Picture& p : PicturesThatStandOnACell()) {
    const BlitRecord picture{CellLeft(kX) + p.dx, CellTop(kY) + p.dy, p.sheet, p.src, true};
    const Pixels alone = rig.Alone(picture);
    const std::vector<bool> drawn = rig.Drawn(picture);
    for (int32_t colors : {0, 1})
      for (int32_t below = 0; below < kBoxColumns; ++below) {
        rig.Alone(picture);
        rig.compositor.Blit(CellLeft(kX), TileTop(kY + 1), kSheetTiles, TileRect(below, colors), true);
        const double kept = ShareKept(drawn, rig.Read(), alone);
        auto [it, fresh] = least.try_emplace(p.what, kept);
        if (!fresh) it->second = std::min(it->second, kept);
        EXPECT_GE(kept, 0.90) << p.what << " from (" << p.src.Left << ", " << p.src.Top
                              << ") over the tile of column " << below << ", colours " << colors;
      }
  }
  for (const auto& [what, share] : least) {
    RecordProperty("least_kept_percent_" + what, std::to_string(share * 100.0));
    std::printf("%s above a wall or a box: at least %.1f %% of its pixels visible\n", what.c_str(),
                share * 100.0);
  }
}

}  // namespace
}  // namespace rara3
