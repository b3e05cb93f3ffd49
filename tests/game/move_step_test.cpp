// The timer tick: music keep-alive, poll, and the move step with its
// direction, its record and the walk or push it starts.
#include <gtest/gtest.h>

#include <tuple>

#include "game/replay_file.h"
#include "support/game_fixture.h"
#include "game/move_step.h"

namespace rara3 {
namespace {

using test::GameFixture;

// Marks a field that the move must leave as it was.
constexpr int32_t kKept = -7;

struct ResolveCase {
  const char* name;
  std::vector<std::string> board;
  int32_t facing;
  int16_t scene;
  int32_t targetX, targetY;
  int32_t pushKind = kKept;
  int32_t slideEndX = kKept, slideEndY = kKept;
  int32_t hitX = kKept, hitY = kKept, hitKind = kKept;
  int32_t slideDistance = kKept;
  bool clearSfxDone = true;
};

void PrintTo(const ResolveCase& c, std::ostream* os) { *os << c.name; }

class ResolveMoveTest : public GameFixture, public testing::WithParamInterface<ResolveCase> {};

TEST_P(ResolveMoveTest, SetsTheSceneAndThePush) {
  const ResolveCase& c = GetParam();
  PlayBoard(c.board, c.facing);
  g.PushKind = g.SlideEndX = g.SlideEndY = kKept;
  g.HitX = g.HitY = g.HitKind = g.SlideDistance = kKept;
  // Leftovers of an earlier push, which only StartPush resets.
  g.pace.AnimStep = 5;
  g.push.SlideOffset = 48;
  g.push.PushPoseDone = g.push.SlideDone = g.push.EventDone = g.latches.PushSfxDone = true;
  g.push.PairTick = g.push.VanishTick = g.push.CopyTick = g.push.BlastTick = 9;
  g.latches.PairSfxDone = g.latches.VanishSfxDone = g.latches.CopySfxDone = g.latches.BlastSfxDone = true;
  g.latches.ClearSfxDone = true;

  ResolveMove(g);

  EXPECT_EQ(g.flow.Scene, c.scene);
  EXPECT_EQ(g.Facing, c.facing);
  EXPECT_EQ(std::tie(g.TargetX, g.TargetY), std::tie(c.targetX, c.targetY));
  EXPECT_EQ(g.PushKind, c.pushKind);
  EXPECT_EQ(std::tie(g.SlideEndX, g.SlideEndY), std::tie(c.slideEndX, c.slideEndY));
  EXPECT_EQ(std::tie(g.HitX, g.HitY, g.HitKind), std::tie(c.hitX, c.hitY, c.hitKind));
  EXPECT_EQ(g.SlideDistance, c.slideDistance);
  EXPECT_EQ(g.latches.ClearSfxDone, c.clearSfxDone);
  EXPECT_EQ(g.pace.AnimStep, c.scene == SceneIdle ? 5 : 0);
  EXPECT_TRUE(g.push.EventDone) << "the push scene owns it";

  const bool push = c.scene == ScenePush;
  EXPECT_EQ(g.push.SlideOffset, push ? 0 : 48);
  EXPECT_EQ(g.push.PushPoseDone, !push);
  EXPECT_EQ(g.push.SlideDone, !push);
  EXPECT_EQ(g.latches.PushSfxDone, !push);
  // Each kind resets its own event counter and latch, no other.
  const auto reset = [&](int32_t kind) { return push && c.pushKind == kind; };
  EXPECT_EQ(std::tie(g.push.PairTick, g.latches.PairSfxDone),
            std::make_tuple(reset(KindPairBox) ? 0 : 9, !reset(KindPairBox)));
  EXPECT_EQ(std::tie(g.push.VanishTick, g.latches.VanishSfxDone),
            std::make_tuple(reset(KindVanishBox) ? 0 : 9, !reset(KindVanishBox)));
  EXPECT_EQ(std::tie(g.push.CopyTick, g.latches.CopySfxDone),
            std::make_tuple(reset(KindCopyBox) ? 0 : 9, !reset(KindCopyBox)));
  EXPECT_EQ(std::tie(g.push.BlastTick, g.latches.BlastSfxDone),
            std::make_tuple(reset(KindBombBox) ? 0 : 9, !reset(KindBombBox)));
}

// The first 18 cells of a row: a player drawn after them stands in column 18,
// with the board's edge right behind the cell in front of it.
const std::string kAtEdge(18, '.');

const ResolveCase kResolveCases[] = {
    {"WalkOntoFloor", {"####", "#@.#", "####"}, FacingRight, SceneWalk, 2, 1},
    {"WalkOntoTheOpenExitClearsTheClearLatch", {"####", "#@X#", "####"}, FacingRight, SceneWalk,
     2, 1, kKept, kKept, kKept, kKept, kKept, kKept, kKept, false},
    {"ClosedExitPositionIsAnOrdinaryWalk", {"####", "#@E#", "####"}, FacingRight, SceneWalk, 2,
     1},
    {"PairSlidesThreeCells", {"#########", "#@P...##"}, FacingRight, ScenePush, 2, 1,
     KindPairBox, 5, 1, 6, 1, KindSolidBox, 72},
    {"PairAgainstPairPushesInPlace", {"#####", "#@PP#"}, FacingRight, ScenePush, 2, 1,
     KindPairBox, 2, 1, 3, 1, KindPairBox, 0},
    {"PairAgainstAnythingElseDoesNothing", {"#####", "#@PC#"}, FacingRight, SceneIdle, 2, 1,
     KindPairBox, 2, 1, 3, 1, KindCopyBox, 0},
    {"PairAgainstTheBoardEdgeDoesNothing", {kAtEdge + "@P"}, FacingRight, SceneIdle, 19, 0,
     KindPairBox, 19, 0, 20, 0, KindOutside, 0},
    {"VanishAgainstAnObstacleVanishesInPlace", {"####", "#@V#"}, FacingRight, ScenePush, 2, 1,
     KindVanishBox, 2, 1, kKept, kKept, kKept, 0},
    {"VanishSlides", {"######", "#@V..#"}, FacingRight, ScenePush, 2, 1, KindVanishBox, 4, 1,
     kKept, kKept, kKept, 48},
    {"VanishAtTheBoardEdgeVanishesInPlace", {kAtEdge + "@V"}, FacingRight, ScenePush, 19, 0,
     KindVanishBox, 19, 0, kKept, kKept, kKept, 0},
    {"StepAtTheBoardEdgeDoesNothing", {kAtEdge + "@T"}, FacingRight, SceneIdle, 19, 0,
     KindStepBox},
    {"SlideSlidesUpToTheBoardEdge", {"@S"}, FacingRight, ScenePush, 1, 0, KindSlideBox, 19, 0,
     kKept, kKept, kKept, 432},
    {"CopyAgainstTheBoardEdgeDoesNothing", {kAtEdge + "@C"}, FacingRight, SceneIdle, 19, 0,
     KindCopyBox, 19, 0, 20, 0, KindOutside, 0},
    {"StepMovesOneCell", {"######", "#@T..#"}, FacingRight, ScenePush, 2, 1, KindStepBox, 3, 1,
     kKept, kKept, kKept, 24},
    {"StepAgainstAnObstacleDoesNothing", {"#####", "#@TP#"}, FacingRight, SceneIdle, 2, 1,
     KindStepBox},
    {"SlideSlides", {"#####", "#@S.#"}, FacingRight, ScenePush, 2, 1, KindSlideBox, 3, 1, kKept,
     kKept, kKept, 24},
    {"SlideAgainstAnObstacleDoesNothing", {"####", "#@S#"}, FacingRight, SceneIdle, 2, 1,
     KindSlideBox, 2, 1, kKept, kKept, kKept, 0},
    {"CopyAgainstTheOpenExitDoesNothing", {"#####", "#@CX#"}, FacingRight, SceneIdle, 2, 1,
     KindCopyBox, 2, 1, 3, 1, KindExit, 0},
    {"CopySlidesUpToTheOpenExit", {"######", "#@C.X#"}, FacingRight, ScenePush, 2, 1,
     KindCopyBox, 3, 1, 4, 1, KindExit, 24},
    {"CopyAgainstABoxPushesInPlace", {"#####", "#@CT#"}, FacingRight, ScenePush, 2, 1,
     KindCopyBox, 2, 1, 3, 1, KindStepBox, 0},
    {"BombAgainstSolidDoesNothing", {"####", "#@B#"}, FacingRight, SceneIdle, 2, 1, KindBombBox,
     2, 1, 3, 1, KindSolidBox, 0},
    {"BombAgainstTheOpenExitDoesNothing", {"#####", "#@BX#"}, FacingRight, SceneIdle, 2, 1,
     KindBombBox, 2, 1, 3, 1, KindExit, 0},
    {"BombAgainstBreakPushesInPlace", {"#####", "#@B%#"}, FacingRight, ScenePush, 2, 1,
     KindBombBox, 2, 1, 3, 1, KindBreakBox, 0},
    {"BombAgainstTheBoardEdgeDoesNothing", {kAtEdge + "@B"}, FacingRight, SceneIdle, 19, 0,
     KindBombBox, 19, 0, 20, 0, KindOutside, 0},
    {"BombSlidesUpToTheBoardEdge", {"", "@B"}, FacingRight, ScenePush, 1, 1, KindBombBox, 19, 1,
     20, 1, KindOutside, 432},
    {"BreakBlocks", {"####", "#@%#"}, FacingRight, SceneIdle, 2, 1},
    {"SolidBlocks", {"####", "#@##"}, FacingRight, SceneIdle, 2, 1},
    {"AnotherPlayerCellBlocks", {"####", "#@@#"}, FacingLeft, SceneIdle, 1, 1},
    {"AnUnknownKindBlocks", {"####", "#@?#"}, FacingRight, SceneIdle, 2, 1},
    {"TheBoardEdgeBlocks", {"@."}, FacingUp, SceneIdle, 0, -1},
};

INSTANTIATE_TEST_SUITE_P(Kinds, ResolveMoveTest, testing::ValuesIn(kResolveCases),
                         [](const auto& info) { return std::string(info.param.name); });

class MoveStepTest : public GameFixture {};

TEST_F(MoveStepTest, HeldArrowsResolveDownLeftRightUp) {
  struct Case {
    std::vector<int> held;
    int32_t facing;
    int32_t code;
  };
  const Case cases[] = {
      {{KeyStateDown}, FacingDown, MoveCodeDown},
      {{KeyStateLeft}, FacingLeft, MoveCodeLeft},
      {{KeyStateRight}, FacingRight, MoveCodeRight},
      {{KeyStateUp}, FacingUp, MoveCodeUp},
      {{KeyStateDown, KeyStateRight}, FacingDown, MoveCodeDown},
      {{KeyStateLeft, KeyStateUp}, FacingLeft, MoveCodeLeft},
      {{KeyStateRight, KeyStateUp}, FacingRight, MoveCodeRight},
      {{KeyStateLeft, KeyStateRight}, FacingLeft, MoveCodeLeft},
      {{KeyStateUp, KeyStateRight, KeyStateLeft, KeyStateDown}, FacingDown, MoveCodeDown},
  };
  for (const Case& c : cases) {
    // Boxed in, so every move is blocked and only turns the player.
    PlayBoard({"###", "#@#", "###"}, FacingUp);
    g.Facing = 0;
    g.record.RecordCount = 0;
    for (int k : {KeyStateDown, KeyStateLeft, KeyStateRight, KeyStateUp}) Hold(k, false);
    for (int k : c.held) Hold(k);
    HandleTimerTick(g, p);
    EXPECT_EQ(g.Facing, c.facing) << c.code;
    // A turn in place changes no board: neither recorded nor undoable.
    EXPECT_EQ(g.record.RecordCount, 0);
    EXPECT_EQ(g.Undo.Moves(), 0);
  }
}

TEST_F(MoveStepTest, HoldingAnArrowAgainstAWallRecordsNothing) {
  PlayBoard({"####", "#@##", "####"});
  Hold(KeyStateRight);
  for (int tick = 0; tick < 3; ++tick) HandleTimerTick(g, p);
  EXPECT_EQ(g.flow.Scene, SceneIdle);
  EXPECT_EQ(g.Facing, FacingRight);
  EXPECT_EQ(g.record.RecordCount, 0);
  EXPECT_EQ(g.Undo.Moves(), 0);
  // A walk is recorded, with the facing it started from kept for undo.
  PlayBoard({"####", "#@.#", "####"}, FacingUp);
  HandleTimerTick(g, p);
  ASSERT_EQ(g.record.RecordCount, 1);
  EXPECT_EQ(g.record.RecordMoves[0], MoveCodeRight);
  ASSERT_EQ(g.Undo.Moves(), 1);
  EXPECT_EQ(g.Undo.steps[0].facingBefore, FacingUp);
  EXPECT_FALSE(g.Undo.steps[0].push);
  // Recording is not looked at: the record keeps every move regardless.
  EXPECT_FALSE(g.record.Recording);
}

TEST_F(MoveStepTest, TheMoveStepRunsOnlyInTheIdleSceneWithAnArrowHeld) {
  PlayBoard({"####", "#@.#", "####"}, FacingUp);
  HandleTimerTick(g, p);
  EXPECT_EQ(g.Facing, FacingUp) << "no arrow held";
  EXPECT_EQ(g.record.RecordCount, 0);

  Hold(KeyStateRight);
  for (const int16_t scene : {SceneTitle, SceneWalk, ScenePush, SceneClear, SceneRetire,
                              SceneEnding, SceneEditor}) {
    g.flow.Scene = scene;
    g.HeldArrows = 0;
    HandleTimerTick(g, p);
    EXPECT_EQ(g.HeldArrows, HeldBit(FacingRight)) << "the poll runs in every scene";
    EXPECT_EQ(g.flow.Scene, scene);
    EXPECT_EQ(g.record.RecordCount, 0);
  }
  g.flow.Scene = SceneIdle;
  HandleTimerTick(g, p);
  EXPECT_EQ(g.flow.Scene, SceneWalk);
  EXPECT_EQ(g.record.RecordCount, 1);
}

TEST_F(MoveStepTest, AFullRecordKeepsItsCodesAndTheMovesStillPlay) {
  PlayBoard({"#####", "#@..#", "#####"});
  g.record.RecordMoves[RecordCapacity - 1] = 0;
  g.record.RecordCount = RecordCapacity - 1;
  Hold(KeyStateRight);
  HandleTimerTick(g, p);
  EXPECT_EQ(g.record.RecordCount, RecordCapacity);
  EXPECT_EQ(g.record.RecordMoves[RecordCapacity - 1], MoveCodeRight);
  EXPECT_EQ(g.flow.Scene, SceneWalk);

  g.flow.Scene = SceneIdle;
  Hold(KeyStateRight, false);
  Hold(KeyStateDown);
  HandleTimerTick(g, p);
  EXPECT_EQ(g.record.RecordCount, RecordCapacity);
  EXPECT_EQ(g.record.RecordMoves[RecordCapacity - 1], MoveCodeRight);
  EXPECT_EQ(g.Facing, FacingDown) << "the move beyond the record still plays";
}

// --- Replay ---

class ReplayStepTest : public GameFixture {
 public:
  void Replay(const std::vector<int32_t>& codes) {
    mem.files["/game/001.PBD"] =
        FormatReplay(codes.data(), static_cast<int32_t>(codes.size()));
    g.flow.StageNo = 1;
    Key(KeyF11, ModCtrlShift);
  }
};

TEST_F(ReplayStepTest, ACountOfZeroRetiresOnTheFirstIdleTickWithoutTheRetireSound) {
  Replay({});
  ASSERT_EQ(g.flow.Scene, SceneIdle);
  ASSERT_TRUE(g.record.ReplayMode);
  g.pace.RetireTick = 30;
  HandleTimerTick(g, p);
  EXPECT_EQ(g.flow.Scene, SceneRetire);
  EXPECT_EQ(g.pace.RetireTick, 0);
  EXPECT_TRUE(hp.audio.sfxStarted.empty());
  EXPECT_EQ(g.PlayerY, 1) << "no move";
}

TEST_F(ReplayStepTest, CodesDriveThePlayerInPlaceOfTheKeyboard) {
  // The synthetic stage: player at (1, 1) in a closed room.
  Replay({99, 28, 30});
  Hold(KeyStateLeft);  // ignored while replaying
  HandleTimerTick(g, p);
  EXPECT_EQ(g.Facing, FacingDown) << "an unknown code keeps the facing";
  EXPECT_EQ(g.flow.Scene, SceneWalk);
  EXPECT_EQ(std::tie(g.TargetX, g.TargetY), std::make_tuple(1, 2));
  EXPECT_EQ(g.record.ReplayPos, 1);

  CompleteWalk(g);
  g.flow.Scene = SceneIdle;
  HandleTimerTick(g, p);
  EXPECT_EQ(g.Facing, FacingRight);
  EXPECT_EQ(g.flow.Scene, SceneWalk);
  EXPECT_EQ(g.record.ReplayPos, 2);

  CompleteWalk(g);
  g.flow.Scene = SceneIdle;
  HandleTimerTick(g, p);
  EXPECT_EQ(g.Facing, FacingUp);
  EXPECT_EQ(g.flow.Scene, SceneWalk);
  EXPECT_EQ(g.record.ReplayPos, 3);
  EXPECT_EQ(g.record.RecordCount, 0) << "a replay records nothing";

  CompleteWalk(g);
  g.flow.Scene = SceneIdle;
  HandleTimerTick(g, p);
  EXPECT_EQ(g.flow.Scene, SceneRetire);
  EXPECT_EQ(g.record.ReplayPos, 3);
}

TEST_F(ReplayStepTest, ABlockedCodeIsUsedUpLikeAnyOther) {
  Replay({30, 30});
  HandleTimerTick(g, p);
  EXPECT_EQ(g.flow.Scene, SceneIdle);
  EXPECT_EQ(g.Facing, FacingUp);
  EXPECT_EQ(g.record.ReplayPos, 1);
  HandleTimerTick(g, p);
  EXPECT_EQ(g.record.ReplayPos, 2);
  HandleTimerTick(g, p);
  EXPECT_EQ(g.flow.Scene, SceneRetire);
}

// --- Music keep-alive ---

TEST_F(MoveStepTest, TheKeepAliveRestartsTheTuneOnlyWhenAllowedAndSilent) {
  struct Case {
    bool musicOn, loopStarted, formActive, playing, restarts;
  };
  const Case cases[] = {
      {true, true, true, false, true},   {true, true, true, true, false},
      {false, true, true, false, false}, {true, false, true, false, false},
      {true, true, false, false, false},
  };
  for (const Case& c : cases) {
    hp.audio.tuneOps.clear();
    hp.system.pauses.clear();
    g.switches.MusicOn = c.musicOn;
    g.lifecycle.LoopStarted = c.loopStarted;
    g.lifecycle.FormActive = c.formActive;
    hp.audio.tunePlaying = c.playing;
    HandleTimerTick(g, p);
    EXPECT_EQ(hp.audio.tuneOps, c.restarts ? std::vector<std::string>{"play"}
                                           : std::vector<std::string>{});
    EXPECT_EQ(hp.system.pauses, c.restarts ? std::vector<int>{500} : std::vector<int>{});
  }
}

}  // namespace
}  // namespace rara3
