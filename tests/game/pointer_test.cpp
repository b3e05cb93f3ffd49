// Play by pointer and the buffered arrow tap: every pointer action ends in
// the moves, records and scenes the arrows and Enter give.
#include <gtest/gtest.h>

#include <functional>
#include <tuple>
#include <vector>

#include "game/frame_step.h"
#include "game/move_step.h"
#include "game/pointer.h"
#include "game/undo.h"
#include "support/game_fixture.h"

namespace rara3 {
namespace {

using test::GameFixture;

// Picture pixels of the middle of board cell (x, y).
int32_t PixelX(int32_t x) { return kBoardLeft + x * kCellPixels + kCellPixels / 2; }
int32_t PixelY(int32_t y) { return kBoardTop + y * kCellPixels + kCellPixels / 2; }

class PointerTest : public GameFixture {
 public:
  // One pass of the loop as far as the game goes: the frame's steps, then
  // the tick.
  void Pass() {
    StepBeforeDraw(g, p.audio);
    StepAfterFlip(g);
    HandleTimerTick(g, p);
  }
  void Passes(int n) {
    for (int i = 0; i < n; ++i) Pass();
  }
  // Passes until the player stands idle with nothing more asked for.
  void Settle() {
    for (int i = 0; i < 5000; ++i) {
      Pass();
      if (g.flow.Scene != SceneWalk && g.flow.Scene != ScenePush) {
        Pass();
        if (g.flow.Scene != SceneWalk && g.flow.Scene != ScenePush) return;
      }
    }
    FAIL() << "the moves never ended";
  }
  void Pointer(WindowEventKind kind, int32_t x, int32_t y) { HandlePointer(g, p, kind, x, y); }
  void Click(int32_t px, int32_t py) {
    Pointer(WindowEventKind::PointerDown, px, py);
    Pointer(WindowEventKind::PointerUp, px, py);
  }
  void ClickCell(int32_t x, int32_t y) { Click(PixelX(x), PixelY(y)); }
  void Swipe(int32_t dx, int32_t dy) {
    Pointer(WindowEventKind::PointerDown, 320, 240);
    Pointer(WindowEventKind::PointerMove, 320 + dx, 240 + dy);
    Pointer(WindowEventKind::PointerUp, 320 + dx, 240 + dy);
  }
  std::vector<int32_t> Record() const {
    return {g.record.RecordMoves, g.record.RecordMoves + g.record.RecordCount};
  }
  void StartRecording() {
    g.record.Recording = true;
    g.record.RecordCount = 0;
    g.record.StageStart = g;
  }
};

// --- The path finding ---

struct WalkCase {
  const char* name;
  std::vector<std::string> board;
  int32_t x, y;
  int32_t length;  // -1 unreachable
};

void PrintTo(const WalkCase& c, std::ostream* os) { *os << c.name; }

class FindWalkTest : public testing::TestWithParam<WalkCase> {};

TEST_P(FindWalkTest, IsShortestAndWalksToTheCell) {
  const WalkCase& c = GetParam();
  Board b;
  test::FillBoard(b, c.board);
  int32_t path[kBoardSize * kBoardSize] = {};
  ASSERT_EQ(FindWalk(b, c.x, c.y, path), c.length);
  // Played by the rules, every step walks and the last one ends on the cell.
  for (int32_t i = 0; i < c.length; ++i) {
    const MoveResult r = ApplyMove(b, path[i]);
    ASSERT_TRUE(r.kind == MoveKind::Walk || r.kind == MoveKind::WalkExit) << "step " << i;
    EXPECT_EQ(r.cleared, i == c.length - 1 && b.ExitOpen && c.x == b.ExitX && c.y == b.ExitY);
  }
  if (c.length > 0) {
    EXPECT_EQ(std::tie(b.PlayerX, b.PlayerY), std::tie(c.x, c.y));
  }
}

INSTANTIATE_TEST_SUITE_P(
    Boards, FindWalkTest,
    testing::Values(
        WalkCase{"StraightLine", {"@....."}, 5, 0, 5},
        WalkCase{"AroundAWall", {"@.#...", "..#...", "......"}, 4, 0, 8},
        WalkCase{"OwnCell", {"@"}, 0, 0, 0},
        WalkCase{"WalledOff", {"@#..", "##.."}, 3, 0, -1},
        WalkCase{"OntoABox", {"@.P"}, 2, 0, -1},
        WalkCase{"BoxesBlockTheWay", {"@P.", "TS."}, 2, 0, -1},
        WalkCase{"OffTheGrid", {"@"}, 20, 0, -1},
        WalkCase{"TheOpenExitAsTheGoal", {"@..X"}, 3, 0, 3},
        // Stepping on the open exit ends the stage: never on the way.
        WalkCase{"AroundTheOpenExit", {"@X.", "..."}, 2, 0, 4},
        WalkCase{"OverTheClosedExit", {"@E."}, 2, 0, 2},
        WalkCase{"AnotherPlayerCellBlocks", {".@@", "###"}, 0, 0, -1},
        WalkCase{"CornerToCorner",
                 {"@", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "",
                  "..................."},
                 19, 19, 38}));

// --- Taps on the board ---

TEST_F(PointerTest, BoardCellsUnderPixels) {
  struct {
    int32_t px, py;
    bool on;
    int32_t x, y;
  } const cases[] = {{80, 0, true, 0, 0},     {79, 0, false, 0, 0},   {559, 479, true, 19, 19},
                     {560, 10, false, 0, 0},  {103, 24, true, 0, 1},  {104, 23, true, 1, 0},
                     {300, -1, false, 0, 0},  {300, 480, false, 0, 0}};
  for (const auto& c : cases) {
    int32_t x = -1;
    int32_t y = -1;
    EXPECT_EQ(BoardCellAt(c.px, c.py, x, y), c.on) << c.px << "," << c.py;
    if (c.on) {
      EXPECT_EQ(std::tie(x, y), std::tie(c.x, c.y)) << c.px << "," << c.py;
    }
  }
}

struct TapCase {
  const char* name;
  std::vector<std::string> board;
  int32_t px, py;  // picture pixels
  int16_t scene;   // once everything has moved
  int32_t playerX, playerY;
  std::vector<int32_t> record;
};

void PrintTo(const TapCase& c, std::ostream* os) { *os << c.name; }

class TapTest : public PointerTest, public testing::WithParamInterface<TapCase> {};

TEST_P(TapTest, MovesAsTheArrowsWould) {
  const TapCase& c = GetParam();
  PlayBoard(c.board);
  StartRecording();
  Click(c.px, c.py);
  Settle();
  EXPECT_EQ(g.flow.Scene, c.scene);
  EXPECT_EQ(std::tie(g.PlayerX, g.PlayerY), std::tie(c.playerX, c.playerY));
  EXPECT_EQ(Record(), c.record);
}

constexpr int32_t R = MoveCodeRight, L = MoveCodeLeft, U = MoveCodeUp, D = MoveCodeDown;

INSTANTIATE_TEST_SUITE_P(
    Board, TapTest,
    testing::Values(
        TapCase{"WalksToAReachableCell", {".@.#", "...#", "#..."}, PixelX(3), PixelY(2),
                SceneIdle, 3, 2, {D, D, R, R}},
        TapCase{"UnreachableDoesNothing", {"@#.", "##."}, PixelX(2), PixelY(0), SceneIdle, 0, 0,
                {}},
        TapCase{"OwnCellDoesNothing", {"@.."}, PixelX(0), PixelY(0), SceneIdle, 0, 0, {}},
        TapCase{"OffTheBoardDoesNothing", {"@.."}, 40, 10, SceneIdle, 0, 0, {}},
        TapCase{"BoxBesidePushes", {"@S..#"}, PixelX(1), PixelY(0), SceneIdle, 0, 0, {R}},
        TapCase{"BoxAboveBesidePushes", {"...", ".S.", ".@."}, PixelX(1), PixelY(1), SceneIdle, 1,
                2, {U}},
        // A box that cannot move turns the player, as the arrow does; a
        // turn is no move, so nothing is recorded.
        TapCase{"BlockedBoxOnlyTurns", {"@#"}, PixelX(1), PixelY(0), SceneIdle, 0, 0, {}},
        TapCase{"BoxFartherAwayDoesNothing", {"@.S.."}, PixelX(2), PixelY(0), SceneIdle, 0, 0, {}},
        TapCase{"DiagonalBoxDoesNothing", {"@.", ".S"}, PixelX(1), PixelY(1), SceneIdle, 0, 0,
                {}},
        TapCase{"TheOpenExitClears", {"@.", ".X"}, PixelX(1), PixelY(1), SceneClear, 1, 1,
                {D, R}}));

TEST_F(PointerTest, EveryStepIsAMoveUndoneAlone) {
  PlayBoard({"@...."});
  StartRecording();
  ClickCell(4, 0);
  Settle();
  ASSERT_EQ(g.PlayerX, 4);
  for (int32_t x = 3; x >= 0; --x) {
    ASSERT_TRUE(TakeBackMove(g, p.audio));
    EXPECT_EQ(g.PlayerX, x);
  }
}

TEST_F(PointerTest, TheFirstStepStartsInTheTickOfTheClick) {
  // A walk of 30 cells.
  PlayBoard({"@", "", "", "", "", "", "", "", "", "", "", "", "", "", "", "................"});
  StartRecording();
  int32_t path[kBoardSize * kBoardSize];
  ASSERT_EQ(FindWalk(g, 15, 15, path), 30);
  ClickCell(15, 15);
  HandleTimerTick(g, p);
  EXPECT_EQ(g.flow.Scene, SceneWalk);
  EXPECT_EQ(g.record.RecordCount, 1);
}

struct CancelCase {
  const char* name;
  std::function<void(PointerTest&)> during;
  int32_t playerX;
};

void PrintTo(const CancelCase& c, std::ostream* os) { *os << c.name; }

class CancelTest : public PointerTest, public testing::WithParamInterface<CancelCase> {};

// The walk to x 10 is interrupted during its second step.
TEST_P(CancelTest, StopsTheRestOfTheWalk) {
  PlayBoard({"@..........", "..........."});
  StartRecording();
  ClickCell(10, 0);
  Pass();
  Settle();
  ASSERT_EQ(g.PlayerX, 10) << "uninterrupted";
  PlayBoard({"@..........", "..........."});
  StartRecording();
  ClickCell(10, 0);
  Passes(15);
  ASSERT_EQ(g.flow.Scene, SceneWalk);
  GetParam().during(*this);
  Settle();
  EXPECT_EQ(g.PlayerX, GetParam().playerX);
}

INSTANTIATE_TEST_SUITE_P(
    During, CancelTest,
    testing::Values(CancelCase{"AnyKey", [](PointerTest& t) { t.Key(KeyM); }, 2},
                    CancelCase{"AnArrowTapped", [](PointerTest& t) { t.Key(KeyDown); }, 2},
                    CancelCase{"APressAlone",
                               [](PointerTest& t) {
                                 t.Pointer(WindowEventKind::PointerDown, 10, 10);
                                 t.Pointer(WindowEventKind::PointerUp, 10, 10);
                               },
                               2},
                    CancelCase{"ANewTarget", [](PointerTest& t) { t.ClickCell(5, 0); }, 5}));

// --- Swipes ---

struct SwipeCase {
  const char* name;
  int32_t dx, dy;
  std::vector<int32_t> record;
};

void PrintTo(const SwipeCase& c, std::ostream* os) { *os << c.name; }

class SwipeTest : public PointerTest, public testing::WithParamInterface<SwipeCase> {};

TEST_P(SwipeTest, IsOneArrow) {
  const SwipeCase& c = GetParam();
  PlayBoard({"", "", "", "...", "...@...", "...", ""});
  StartRecording();
  Swipe(c.dx, c.dy);
  Settle();
  EXPECT_EQ(Record(), c.record);
}

INSTANTIATE_TEST_SUITE_P(Ways, SwipeTest,
                         testing::Values(SwipeCase{"Right", 40, 5, {R}},
                                         SwipeCase{"Left", -30, -10, {L}},
                                         SwipeCase{"Up", 8, -25, {U}},
                                         SwipeCase{"Down", 0, 60, {D}},
                                         SwipeCase{"JustLongEnough", 20, 19, {R}}));

TEST_F(PointerTest, AHeldSwipeWalksOnUntilReleased) {
  PlayBoard({"@..................."});
  StartRecording();
  Pointer(WindowEventKind::PointerDown, 300, 300);
  Pointer(WindowEventKind::PointerMove, 340, 300);
  Passes(kSwipeHoldTicks - 2);
  EXPECT_EQ(g.PlayerX, 1) << "one step before the hold starts";
  Passes(60);
  const int32_t whileHeld = g.PlayerX;
  EXPECT_GT(whileHeld, 3);
  Pointer(WindowEventKind::PointerUp, 340, 300);
  Settle();
  EXPECT_LE(g.PlayerX, whileHeld + 1) << "the step under way ends, no more";
  EXPECT_EQ(g.record.RecordCount, g.PlayerX);
}

TEST_F(PointerTest, TurningWhileHeldIsANewSwipe) {
  PlayBoard({"", "", "..@.."});
  StartRecording();
  Pointer(WindowEventKind::PointerDown, 300, 300);
  Pointer(WindowEventKind::PointerMove, 330, 300);
  Pointer(WindowEventKind::PointerMove, 360, 300);  // still right: the same swipe
  Settle();
  Pointer(WindowEventKind::PointerMove, 360, 260);
  Pointer(WindowEventKind::PointerUp, 360, 260);
  Settle();
  EXPECT_EQ(Record(), (std::vector<int32_t>{R, U}));
}

// --- The buffered arrow tap ---

// Taps 100 ms apart (six frames), each held for a frame; a walk takes 12.
TEST_F(PointerTest, QuickTapsAreNotLost) {
  const struct {
    int taps;
    int32_t cells;
  } cases[] = {{1, 1}, {2, 2}, {4, 4}, {5, 4}};  // two kept at most
  for (const auto& c : cases) {
    PlayBoard({"@......."});
    StartRecording();
    for (int i = 0; i < c.taps; ++i) {
      Key(KeyRight);
      Hold(KeyStateRight);
      Pass();
      Hold(KeyStateRight, false);
      Passes(5);
    }
    Settle();
    EXPECT_EQ(g.PlayerX, c.cells) << c.taps << " taps";
    EXPECT_EQ(g.record.RecordCount, c.cells) << c.taps << " taps";
  }
}

struct BufferCase {
  const char* name;
  std::function<void(PointerTest&)> during;
  int32_t playerX;
  int32_t playerY;
};

void PrintTo(const BufferCase& c, std::ostream* os) { *os << c.name; }

class BufferTest : public PointerTest, public testing::WithParamInterface<BufferCase> {};

// During a walk right from (1, 1).
TEST_P(BufferTest, KeepsTheTapsMadeDuringAWalk) {
  PlayBoard({"....", ".@..", "...."});
  StartRecording();
  Hold(KeyStateRight);
  Pass();
  Hold(KeyStateRight, false);
  Pass();
  ASSERT_EQ(g.flow.Scene, SceneWalk);
  GetParam().during(*this);
  Settle();
  EXPECT_EQ(std::tie(g.PlayerX, g.PlayerY), std::tie(GetParam().playerX, GetParam().playerY));
}

INSTANTIATE_TEST_SUITE_P(
    During, BufferTest,
    testing::Values(BufferCase{"OneTap", [](PointerTest& t) { t.Key(KeyDown); }, 2, 2},
                    BufferCase{"TwoInTheirOrder",
                               [](PointerTest& t) {
                                 t.Key(KeyDown);
                                 t.Key(KeyUp);
                               },
                               2, 1},
                    BufferCase{"ThreeKeepTheFirstAndTheLast",
                               [](PointerTest& t) {
                                 t.Key(KeyDown);
                                 t.Key(KeyUp);
                                 t.Key(KeyLeft);
                               },
                               1, 2},
                    // Still held as its turn comes: one move, then held no more.
                    BufferCase{"StillHeld",
                               [](PointerTest& t) {
                                 t.Key(KeyDown);
                                 t.Hold(KeyStateDown);
                                 while (t.g.Facing != FacingDown) t.Pass();
                                 t.Hold(KeyStateDown, false);
                               },
                               2, 2},
                    // A key-down of a held arrow is a repeat, never one more step.
                    BufferCase{"ARepeat",
                               [](PointerTest& t) {
                                 t.Hold(KeyStateRight);
                                 t.Pass();
                                 t.Key(KeyRight);
                                 t.Hold(KeyStateRight, false);
                               },
                               2, 1},
                    BufferCase{"OtherKeysDropIt",
                               [](PointerTest& t) {
                                 t.Key(KeyDown);
                                 t.Key(KeyS);
                               },
                               2, 1},
                    BufferCase{"ASwipeIsATap",
                               [](PointerTest& t) { t.Swipe(0, 30); },
                               2, 2}));

TEST_F(PointerTest, ReplaysTakeNoTapsOrClicks) {
  PlayBoard({"@....", "....."});
  g.record.ReplayMode = true;
  g.record.ReplayCount = 1;
  g.record.ReplayMoves[0] = MoveCodeRight;
  Key(KeyDown);
  ClickCell(4, 1);
  Settle();
  EXPECT_EQ(g.PlayerX, 1);
  EXPECT_EQ(g.PlayerY, 0);
}

// --- The other scenes: what Enter, or the scene's own key, does ---

TEST_F(PointerTest, TitleTapsStartOrChooseTheFloor) {
  g.flow.MaxStage = 5;
  g.flow.StageNo = 2;
  Click(400, 320);  // the number's upper half
  EXPECT_EQ(g.flow.StageNo, 3);
  Click(400, 380);  // its lower half
  Click(400, 380);
  EXPECT_EQ(g.flow.StageNo, 1);
  Swipe(0, -40);
  Swipe(40, 0);
  EXPECT_EQ(g.flow.StageNo, 3);
  Swipe(-40, 0);
  EXPECT_EQ(g.flow.StageNo, 2);
  EXPECT_EQ(g.flow.Scene, SceneTitle);
  Click(100, 100);
  EXPECT_EQ(g.flow.Scene, SceneIdle);
  EXPECT_EQ(g.flow.StageNo, 2);
  EXPECT_TRUE(g.record.Recording);
}

TEST_F(PointerTest, TapsInTheHeldScenes) {
  struct {
    int16_t scene;
    int16_t after;
  } const cases[] = {{SceneClear, SceneIdle},    // on to the next stage
                     {SceneRetire, SceneTitle},  // back to the title
                     {SceneEditor, SceneEditor}};
  for (const auto& c : cases) {
    g.flow.StageNo = 1;
    if (c.scene == SceneEditor) {
      ASSERT_TRUE(LoadStageForEditor(g, p.files, p.system));
    } else {
      ASSERT_TRUE(LoadStage(g, p.files, p.system));
    }
    g.flow.Scene = c.scene;
    g.pace.ClearTick = kClearHold;
    g.pace.RetireTick = kRetireHold;
    Click(300, 200);
    EXPECT_EQ(g.flow.Scene, c.after) << "scene " << c.scene;
  }
  g.flow.Scene = SceneEnding;
  g.pace.EndingPhase = kEndingLastPhase;
  Click(300, 200);
  EXPECT_TRUE(hp.system.ended);
}

}  // namespace
}  // namespace rara3
