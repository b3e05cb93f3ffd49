// The push: pose, slide, each kind's event, the resting box and the commit,
// frame by frame.
#include <gtest/gtest.h>

#include <set>

#include "support/render_rig.h"

namespace rara3 {
namespace {

using test::BoardRows;
using test::RenderRig;
using test::Room;

// Inner row 0 of a room after the push, in stage characters.
std::string FirstRow(const GameState& g) { return BoardRows(g, 19, 2)[1].substr(1); }

struct OutcomeCase {
  const char* name;
  const char* row;  // the player pushes right
  int frames;       // frames of the push scene
  std::vector<int> sfx;
  const char* after;
  bool exitOpens;
};

const OutcomeCase kOutcomes[] = {
    {"pair_pairs_after_three_cells", "@P...P", 105, {0, 1}, "@...PP", true},
    {"pair_against_pair_pairs_at_once", "@PP", 97, {0, 1}, "@PP", true},
    {"pair_without_partner", "@P.#", 14, {0}, "@.P#", false},
    {"vanish_blinks_and_goes", "@V.#", 67, {0, 7}, "@..#", false},
    {"vanish_blocked_blinks_in_place", "@V#", 65, {0, 7}, "@.#", false},
    {"step_box_moves_one_cell", "@T..", 14, {0}, "@.T.", false},
    {"slide_box_short", "@S..#", 14, {0}, "@..S#", false},
    {"slide_box_long", "@S...............#", 46, {0}, "@...............S#", false},
    {"copy_becomes_break", "@C.%", 99, {0, 4}, "@.%%", false},
    {"copy_becomes_bomb", "@C.B", 99, {0, 4}, "@.BB", false},
    {"copy_into_copy_stays", "@C.C", 99, {0, 4}, "@.CC", false},
    {"copy_stops_before_open_exit", "@C.X", 14, {0}, "@.CX", false},
    {"copy_into_pair_pairs", "@C..P", 198, {0, 4, 1}, "@..PP", true},
    {"bomb_destroys_break", "@B.%", 75, {0, 5}, "@.B.", false},
    {"bomb_destroys_pair", "@B.P", 75, {0, 5}, "@.B.", false},
    {"bomb_destroys_bomb", "@B.B", 75, {0, 5}, "@.B.", false},
    {"bomb_into_solid_just_moves", "@B.#", 14, {0}, "@.B#", false},
};

class PushOutcome : public testing::TestWithParam<OutcomeCase> {};

TEST_P(PushOutcome, LastsItsFramesAndCommitsTheRules) {
  const OutcomeCase& c = GetParam();
  RenderRig rig;
  rig.Play(Room({c.row, "", "", "   E"}));
  const bool exitWasOpen = rig.g.ExitOpen;
  ASSERT_TRUE(rig.Move(FacingRight));
  ASSERT_EQ(rig.g.flow.Scene, ScenePush);
  EXPECT_EQ(rig.FramesWhile(ScenePush), c.frames);
  EXPECT_EQ(rig.g.flow.Scene, SceneIdle);
  EXPECT_EQ(rig.Sfx(), c.sfx);
  std::string after = FirstRow(rig.g).substr(0, std::string(c.after).size());
  EXPECT_EQ(after, c.after);
  EXPECT_EQ(rig.g.ExitOpen, exitWasOpen || c.exitOpens);
  if (c.exitOpens) {
    EXPECT_EQ(rig.g.Map[4][4], KindExit);
  }

  // The board and the pure rules agree.
  RenderRig pure;
  pure.Play(Room({c.row, "", "", "   E"}));
  ApplyMove(pure.g, FacingRight);
  for (int x = 0; x < 20; ++x)
    for (int y = 0; y < 20; ++y) EXPECT_EQ(rig.g.Map[x][y], pure.g.Map[x][y]) << x << "," << y;
}

INSTANTIATE_TEST_SUITE_P(Kinds, PushOutcome, testing::ValuesIn(kOutcomes),
                         [](const auto& info) { return std::string(info.param.name); });

// The tile blits of the last frame on kSheetTiles.
std::vector<BlitRecord> Tiles(const RenderRig& rig) { return rig.OfSheet(kSheetTiles); }
bool HasTile(const RenderRig& rig, const BlitRecord& want) {
  for (const BlitRecord& b : Tiles(rig))
    if (b == want) return true;
  return false;
}
BlitRecord TileBlit(int32_t x, int32_t y, int32_t column, int32_t row = 0) {
  return BlitRecord{x, y, kSheetTiles, TileRect(column, row), true};
}

TEST(PushExample, PairBoxSlidingThreeCellsIntoAPairing) {
  RenderRig rig;
  rig.Play(Room({"@P...P", "", "", "   E"}));  // box at (2, 1), partner at (6, 1)
  ASSERT_TRUE(rig.Move(FacingRight));
  EXPECT_EQ(rig.g.SlideDistance, 72);
  for (int frame = 1; frame <= 106; ++frame) {
    SCOPED_TRACE(frame);
    ASSERT_EQ(rig.g.flow.Scene, frame <= 105 ? ScenePush : SceneIdle);
    rig.Frame();
    if (frame <= 9) {
      // Straight at its travelling position, the whole tile.
      EXPECT_TRUE(HasTile(rig, TileBlit(80 + 48 + 8 * (frame - 1), 12, 0)));
      EXPECT_EQ(rig.g.push.SlideDone, frame == 9);
    } else if (frame <= 105) {
      EXPECT_EQ(rig.g.push.PairTick, frame - 9);
      EXPECT_EQ(rig.g.HitX, 6);
    }
    const auto player = rig.OfSheet(kSheetPlayer);
    ASSERT_EQ(player.size(), 1u);
    const Rect pose = frame <= 14 ? PushPoseRect(2, (frame - 1) / 2) : StandRect(2);
    EXPECT_EQ(player[0].src.Left, pose.Left);
    EXPECT_EQ(player[0].src.Bottom, pose.Bottom);
    EXPECT_EQ(rig.g.push.PushPoseDone, frame >= 14);
    if (frame == 1 || frame == 10) {
      EXPECT_EQ(rig.Sfx().size(), frame == 1 ? 1u : 2u);
    }
    // The box stays in its cell in the grid until the commit.
    EXPECT_EQ(rig.g.Map[2][1], frame < 105 ? KindPairBox : KindEmpty);
  }
  // Frame 106 is the idle view with the open exit glowing.
  EXPECT_EQ(rig.OfSheet(kSheetGlow).size(), 1u);
  EXPECT_EQ(rig.Sfx(), (std::vector<int>{0, 1}));
}

TEST(PushPairing, FlickersThroughBothColourSetsAtTheStop) {
  RenderRig rig;
  rig.Play(Room({"@PP"}));
  ASSERT_TRUE(rig.Move(FacingRight));
  rig.Frame();  // the one slide frame at offset 0
  std::set<std::pair<int32_t, int32_t>> seen;
  for (int i = 0; i < 96; ++i) {
    rig.Frame();
    const auto tiles = Tiles(rig);
    // The partner's tile, the flicker at (2, 1) and the rest of the ring.
    int atStop = 0;
    for (const BlitRecord& b : tiles) {
      if (b.x != 80 + 48 || b.y != 12) continue;
      ++atStop;
      EXPECT_EQ(b.src.Right - b.src.Left, 24);
      EXPECT_EQ(b.src.Bottom - b.src.Top, 36);
      seen.insert({b.src.Left / 24, b.src.Top / 36});
    }
    EXPECT_EQ(atStop, 1);
  }
  EXPECT_GT(seen.size(), 8u);  // random tiles of both rows
  for (const auto& [column, row] : seen) {
    EXPECT_LT(column, 8);
    EXPECT_LT(row, 2);
  }
}

TEST(PushRestingBox, OneCellWithoutPartnerRestsFromFrame4To14) {
  RenderRig rig;
  rig.Play(Room({"@P.#"}));
  ASSERT_TRUE(rig.Move(FacingRight));
  for (int frame = 1; frame <= 14; ++frame) {
    SCOPED_TRACE(frame);
    ASSERT_EQ(rig.g.flow.Scene, ScenePush);
    rig.Frame();
    if (frame <= 3) {
      EXPECT_TRUE(HasTile(rig, TileBlit(128 + 8 * (frame - 1), 12, 0)));
    } else {
      EXPECT_TRUE(HasTile(rig, TileBlit(152, 12, 0)));
      EXPECT_FALSE(HasTile(rig, TileBlit(128, 12, 0)));
      EXPECT_TRUE(rig.g.push.EventDone);
    }
  }
  EXPECT_EQ(rig.g.flow.Scene, SceneIdle);
  EXPECT_EQ(rig.Sfx(), std::vector<int>{0});
}

TEST(PushCopyToPair, ColourChangeThenPairingThenTheExitOpens) {
  RenderRig rig;
  rig.Play(Room({"@C..P", "", "", "   E"}));  // stops at (4, 1), hits (5, 1)
  ASSERT_TRUE(rig.Move(FacingRight));
  rig.Frames(6);
  EXPECT_TRUE(rig.g.push.SlideDone);
  EXPECT_EQ(rig.g.Map[5][1], KindEmpty);  // the event draws the hit box now
  for (int i = 0; i < 96; ++i) {
    rig.Frame();
    const int32_t j = i / 12;
    EXPECT_TRUE(HasTile(rig, TileBlit(80 + 24 * 4, 12, j))) << i;
    EXPECT_TRUE(HasTile(rig, TileBlit(80 + 24 * 5, 12, j))) << i;
  }
  // The hand-over: still pushing, the hit box is a pair box again.
  EXPECT_EQ(rig.g.flow.Scene, ScenePush);
  EXPECT_EQ(rig.g.PushKind, KindPairBox);
  EXPECT_EQ(rig.g.Map[5][1], KindPairBox);
  EXPECT_EQ(rig.g.Map[2][1], KindCopyBox);
  EXPECT_TRUE(rig.g.push.SlideDone);
  EXPECT_FALSE(rig.g.push.EventDone);
  EXPECT_EQ(rig.g.push.PairTick, 0);
  EXPECT_FALSE(rig.g.ExitOpen);
  EXPECT_EQ(rig.Sfx(), (std::vector<int>{0, 4}));
  EXPECT_EQ(rig.FramesWhile(ScenePush), 96);
  EXPECT_EQ(rig.Sfx(), (std::vector<int>{0, 4, 1}));
  EXPECT_TRUE(rig.g.ExitOpen);
  EXPECT_EQ(rig.g.Map[4][4], KindExit);
  EXPECT_EQ(FirstRow(rig.g).substr(0, 5), "@..PP");
}

TEST(PushCopy, PushingUpDrawsTheHitBoxFirst) {
  for (int32_t facing : {FacingUp, FacingDown}) {
    RenderRig rig;
    // Column 2: the player with a copy box and a break box on each side.
    rig.Play(Room({" %", "", " C", " @", " C", "", " %"}));
    ASSERT_TRUE(rig.Move(facing));
    rig.Frames(4);  // three slide frames, then the first colour change frame
    const int32_t hitY = facing == FacingUp ? 1 : 7;
    const int32_t stopY = facing == FacingUp ? 2 : 6;
    const int hit = rig.IndexOf([&](const BlitRecord& b) {
      return b.sheet == kSheetTiles && b.x == 128 && b.y == 24 * hitY - 12;
    });
    const int stop = rig.IndexOf([&](const BlitRecord& b) {
      return b.sheet == kSheetTiles && b.x == 128 && b.y == 24 * stopY - 12;
    });
    ASSERT_GE(hit, 0);
    ASSERT_GE(stop, 0);
    EXPECT_EQ(hit < stop, facing == FacingUp) << "facing " << facing;
  }
}

TEST(PushVanish, BlinksEightShownEightHidden) {
  RenderRig rig;
  rig.Play(Room({"@V#"}));  // blocked at once: blinks in its own cell
  ASSERT_TRUE(rig.Move(FacingRight));
  rig.Frame();
  for (int i = 0; i < 64; ++i) {
    rig.Frame();
    EXPECT_EQ(HasTile(rig, TileBlit(128, 12, 2)), (i / 8) % 2 == 0) << i;
  }
  EXPECT_EQ(rig.g.flow.Scene, SceneIdle);
  EXPECT_EQ(rig.g.Map[2][1], KindEmpty);
}

TEST(PushBomb, ExplosionOverTheHitCellInTwelvePictures) {
  RenderRig rig;
  rig.Play(Room({"", "", "@B.%"}));  // stops at (3, 3), destroys (4, 3)
  ASSERT_TRUE(rig.Move(FacingRight));
  rig.Frames(3);
  EXPECT_EQ(rig.g.Map[4][3], KindEmpty);
  for (int i = 0; i < 72; ++i) {
    rig.Frame();
    const auto blast = rig.OfSheet(kSheetBlast);
    ASSERT_EQ(blast.size(), 1u) << i;
    EXPECT_EQ(blast[0], (BlitRecord{24 * 4 + 65, 24 * 3 - 30, kSheetBlast, BlastRect(i / 6), true}));
    EXPECT_TRUE(HasTile(rig, TileBlit(80 + 72, 60, 7)));
    EXPECT_TRUE(HasTile(rig, TileBlit(80 + 96, 60, 1)));
    // The explosion covers both boxes.
    EXPECT_GT(rig.IndexOf([](const BlitRecord& b) { return b.sheet == kSheetBlast; }),
              rig.IndexOf([](const BlitRecord& b) { return b.sheet == kSheetTiles && b.x == 176; }));
  }
  EXPECT_EQ(rig.g.flow.Scene, SceneIdle);
  EXPECT_EQ(BlastRect(11), (Rect{295, 71, 354, 142}));
}

TEST(PushSound, LatchesAreSetWithSoundOffAndStaySilent) {
  RenderRig rig;
  rig.Play(Room({"@P.P"}));
  rig.g.switches.SoundOn = false;
  ASSERT_TRUE(rig.Move(FacingRight));
  rig.Frames(10);  // into the pairing
  EXPECT_TRUE(rig.g.latches.PushSfxDone);
  EXPECT_TRUE(rig.g.latches.PairSfxDone);
  rig.g.switches.SoundOn = true;
  rig.FramesWhile(ScenePush);
  EXPECT_TRUE(rig.Sfx().empty());
}

// Boards that the editor allows, or that a bomb has opened.

TEST(PushOnTheEdge, TilesInRowZeroAreCutNotDrawnAboveTheScreen) {
  RenderRig rig;
  rig.Play({"@P...P"});  // no ring: row 0
  ASSERT_TRUE(rig.Move(FacingRight));
  rig.Frame();
  EXPECT_TRUE(HasTile(rig, BlitRecord{104, 0, kSheetTiles, {0, 12, 24, 36}, true}));
  for (const BlitRecord& b : rig.hp.display.lastFrame) EXPECT_GE(b.y, 0);
  rig.FramesWhile(ScenePush);
  EXPECT_EQ(rig.g.Map[4][0], KindPairBox);
  EXPECT_EQ(rig.g.Map[5][0], KindPairBox);
}

TEST(PushOnTheEdge, AHitBeyondTheGridIsNeverDrawnOrWritten) {
  for (const char* row : {"@C..", "@B.."}) {
    RenderRig rig;
    std::vector<std::string> rows(20, "");
    rows[5] = std::string(16, '.') + row;  // slides to column 19
    rig.Play(rows);
    ASSERT_TRUE(rig.Move(FacingRight)) << row;
    EXPECT_EQ(rig.g.HitKind, KindOutside);
    EXPECT_EQ(rig.g.HitX, 20);
    int frames = 0;
    while (rig.g.flow.Scene == ScenePush && frames < 100) {
      rig.Frame();
      ++frames;
      EXPECT_TRUE(rig.OfSheet(kSheetBlast).empty());
      for (const BlitRecord& b : rig.Shown()) EXPECT_LT(b.x, 560) << row;
    }
    EXPECT_EQ(frames, 14) << row;
    EXPECT_EQ(rig.g.Map[19][5], test::KindOfChar(row[1])) << row;
  }
}

TEST(PushOnTheEdge, AnUnusualHitKindDrawsNoTileForIt) {
  RenderRig rig;
  rig.Play(Room({"@B."}));
  rig.g.Map[4][1] = 200;
  ASSERT_TRUE(rig.Move(FacingRight));
  rig.Frames(4);  // into the explosion
  EXPECT_EQ(rig.OfSheet(kSheetBlast).size(), 1u);
  for (const BlitRecord& b : Tiles(rig)) EXPECT_FALSE(b.x == 176 && b.y == 12) << "hit cell";
  rig.FramesWhile(ScenePush);
  EXPECT_EQ(rig.g.Map[4][1], KindEmpty);
}

TEST(PushPose, ThePlayerOnTheExitOpenedUnderThemGlows) {
  RenderRig rig;
  rig.Play(Room({"@PP"}));
  rig.g.ExitX = 1;
  rig.g.ExitY = 1;  // the player's own cell
  ASSERT_TRUE(rig.Move(FacingRight));
  rig.FramesWhile(ScenePush);
  EXPECT_TRUE(rig.g.ExitOpen);
  EXPECT_EQ(rig.g.Map[1][1], KindPlayer);
  rig.Frame();
  const int glow = rig.IndexOf([](const BlitRecord& b) { return b.sheet == kSheetGlow; });
  const int player = rig.IndexOf([](const BlitRecord& b) { return b.sheet == kSheetPlayer; });
  ASSERT_GE(glow, 0);
  EXPECT_LT(glow, player);
}

}  // namespace
}  // namespace rara3
