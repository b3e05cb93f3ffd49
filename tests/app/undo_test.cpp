// Undo and restart in the idle scene: the earlier board comes back exactly,
// however long the stage has been played, the record loses the undone
// moves, and the replay written at the clear still replays to the clear.
#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <string>
#include <tuple>
#include <vector>

#include "game/replay_file.h"
#include "game/undo.h"
#include "support/game_fixture.h"
#include "app/main_loop.h"

namespace rara3 {
namespace {

using test::BoardRows;
using test::GameFixture;

// What a player sees of the board: the cells, the player, the facing and
// the exit.
struct Seen {
  std::vector<std::string> rows;
  int32_t playerX, playerY, facing, exitX, exitY;
  bool exitOpen;
  friend bool operator==(const Seen&, const Seen&) = default;
};

void PrintTo(const Seen& s, std::ostream* os) {
  for (const std::string& r : s.rows) *os << "\n" << r;
  *os << "\nplayer " << s.playerX << "," << s.playerY << " facing " << s.facing << " exit "
      << s.exitX << "," << s.exitY << (s.exitOpen ? " open" : " closed");
}

Seen SeenOf(const Board& b) {
  return {BoardRows(b, 12, 8), b.PlayerX, b.PlayerY, b.Facing, b.ExitX, b.ExitY, b.ExitOpen};
}

// Every kind of box within reach: a copy box that becomes a pair box and
// opens the exit, a bomb against a break box, a vanish box, a step box.
const std::vector<std::string> kStage = {
    "############",
    "#@...C....P#",
    "#.........##",
    "#.B.%.....E#",
    "#..........#",
    "#.V....T...#",
    "#..........#",
    "############",
};

class UndoTest : public GameFixture {
 public:
  UndoTest() {
    PutStage(1, kStage);
    Key(KeyEnter);  // the stage starts from the title, recorded
  }

  void Pass(std::vector<WindowEvent> events = {}) { RunPass(g, p, events); }
  void Press(int16_t key) { Pass({{WindowEventKind::KeyDown, key, 0}}); }

  // The arrow held for one tick, then released; runs until the game is
  // idle again.
  void Step(int keyStateIndex) {
    Hold(keyStateIndex);
    Pass();
    Hold(keyStateIndex, false);
    for (int i = 0; i < 2000 && g.flow.Scene != SceneIdle; ++i) Pass();
  }

  int Bumps() const {
    int n = 0;
    for (int e : hp.audio.sfxStarted) n += e == EffectIndex(Effect::Bump);
    return n;
  }
};

TEST_F(UndoTest, EachUndoRestoresTheBoardBeforeTheLastMove) {
  // Snapshots before every move that changes the board, turns in place
  // between them.
  const int kPath[] = {
      KeyStateRight, KeyStateRight, KeyStateRight,
      KeyStateRight,                              // copy box into the pair box: exit opens
      KeyStateUp,                                 // against the wall: a turn
      KeyStateDown, KeyStateLeft, KeyStateLeft, KeyStateLeft, KeyStateDown,
      KeyStateRight,                              // bomb into the break box
      KeyStateDown, KeyStateRight,
      KeyStateDown,                               // vanish box down to the wall
      KeyStateRight, KeyStateRight, KeyStateRight, KeyStateRight, KeyStateDown,
      KeyStateRight,                              // step box one cell
      KeyStateLeft, KeyStateDown,
      KeyStateDown,                               // against the wall: a turn
  };
  std::vector<Seen> before;
  std::vector<int32_t> recordBefore;
  for (int arrow : kPath) {
    const Seen now = SeenOf(g);
    const int32_t count = g.record.RecordCount;
    Step(arrow);
    ASSERT_EQ(g.flow.Scene, SceneIdle);
    if (SeenOf(g).rows != now.rows || g.PlayerX != now.playerX || g.PlayerY != now.playerY) {
      before.push_back(now);
      recordBefore.push_back(count);
    }
  }
  ASSERT_EQ(before.size(), 21u);
  ASSERT_TRUE(g.ExitOpen);

  const int16_t keys[] = {KeyBackspace, KeyZ, KeyU};
  for (size_t i = before.size(); i-- > 0;) {
    Press(keys[i % 3]);
    EXPECT_EQ(SeenOf(g), before[i]) << "undo " << before.size() - i;
    EXPECT_EQ(g.record.RecordCount, recordBefore[i]);
    EXPECT_EQ(g.flow.Scene, SceneIdle);
  }
  EXPECT_EQ(SeenOf(g), SeenOf(g.record.StageStart));
  EXPECT_EQ(Bumps(), static_cast<int>(before.size()));

  // At the start with an empty record there is nothing to take back.
  Press(KeyBackspace);
  EXPECT_EQ(Bumps(), static_cast<int>(before.size()));
}

TEST_F(UndoTest, TurnsInPlaceAfterTheMoveGoWithIt) {
  Step(KeyStateRight);
  const Seen walked = SeenOf(g);
  Step(KeyStateUp);  // against the wall: only turns, never recorded
  Step(KeyStateUp);
  EXPECT_EQ(g.record.RecordCount, 1);
  EXPECT_EQ(g.Facing, FacingUp);
  Press(KeyBackspace);
  EXPECT_NE(SeenOf(g), walked);
  EXPECT_EQ(SeenOf(g), SeenOf(g.record.StageStart));
  EXPECT_EQ(g.record.RecordCount, 0);

  // Turns alone are taken back to the start as well.
  Step(KeyStateUp);
  EXPECT_EQ(g.Facing, FacingUp);
  Press(KeyBackspace);
  EXPECT_EQ(g.Facing, FacingDown);
  EXPECT_EQ(g.record.RecordCount, 0);
}

TEST_F(UndoTest, DoesNothingOutsideTheIdleSceneOrDuringAReplay) {
  Step(KeyStateRight);
  const int32_t count = g.record.RecordCount;
  // A walk under way.
  Hold(KeyStateRight);
  Pass();
  Hold(KeyStateRight, false);
  ASSERT_EQ(g.flow.Scene, SceneWalk);
  Press(KeyBackspace);
  Press(KeyR);
  for (int i = 0; i < 100 && g.flow.Scene != SceneIdle; ++i) Pass();
  EXPECT_EQ(g.PlayerX, 3);
  EXPECT_EQ(g.record.RecordCount, count + 1);
  EXPECT_EQ(Bumps(), 0);

  g.record.ReplayMode = true;
  EXPECT_FALSE(TakeBackMove(g, p.audio));
  EXPECT_FALSE(RestartStage(g));
  EXPECT_EQ(g.PlayerX, 3);
}

// Undo takes back exactly one move however long the stage has gone on: past
// thousands of codes held against a wall, at the record's capacity and
// beyond it, after a push, after a restart.
struct LongPlayCase {
  const char* name;
  void (*before)(UndoTest&);  // played up to the board undo must bring back
  void (*last)(UndoTest&);    // the move taken back, with what follows it
};

void HeldAgainstTheWall(UndoTest& t) {
  // One code a tick while the arrow is held; the player stays.
  t.Hold(KeyStateUp);
  for (int i = 0; i < 9000; ++i) HandleTimerTick(t.g, t.p);
  t.Hold(KeyStateUp, false);
}

// Walks to and fro on row 2 until the history holds `moves` moves.
void WalkUntil(UndoTest& t, int32_t moves) {
  t.Step(KeyStateDown);
  while (t.g.Undo.Moves() < moves) t.Step(t.g.PlayerX == 1 ? KeyStateRight : KeyStateLeft);
}

const LongPlayCase kLongPlay[] = {
    {"a walk after 9000 codes against the wall",
     [](UndoTest& t) {
       HeldAgainstTheWall(t);
       t.Step(KeyStateRight);
     },
     [](UndoTest& t) { t.Step(KeyStateRight); }},
    {"9000 codes against the wall after the walk",
     [](UndoTest& t) { t.Step(KeyStateRight); },
     [](UndoTest& t) {
       t.Step(KeyStateRight);
       HeldAgainstTheWall(t);
     }},
    {"the move that fills the record",
     [](UndoTest& t) { WalkUntil(t, RecordCapacity - 1); },
     [](UndoTest& t) { t.Step(KeyStateUp); }},
    {"a push long after the record is full",
     [](UndoTest& t) {
       WalkUntil(t, RecordCapacity + 500);
       if (t.g.PlayerX != 1) t.Step(KeyStateLeft);
       t.Step(KeyStateUp);
       t.Step(KeyStateRight);
       t.Step(KeyStateRight);
       t.Step(KeyStateRight);
     },
     [](UndoTest& t) { t.Step(KeyStateRight); }},  // the copy box into the pair box
    {"a walk after a restart",
     [](UndoTest& t) {
       t.Step(KeyStateRight);
       t.Step(KeyStateDown);
       t.Press(KeyR);
     },
     [](UndoTest& t) { t.Step(KeyStateDown); }},
};

class LongPlayTest : public UndoTest, public testing::WithParamInterface<LongPlayCase> {};

TEST_P(LongPlayTest, OneUndoTakesBackExactlyTheLastMove) {
  g.switches.StepFrames = 1;
  GetParam().before(*this);
  const Seen before = SeenOf(g);
  const int32_t moves = g.Undo.Moves();
  const int32_t pushes = g.Undo.pushes;
  GetParam().last(*this);
  ASSERT_EQ(g.flow.Scene, SceneIdle);
  ASSERT_EQ(g.Undo.Moves(), moves + 1);
  Press(KeyBackspace);
  EXPECT_EQ(SeenOf(g), before);
  EXPECT_EQ(g.Undo.Moves(), moves);
  EXPECT_EQ(g.Undo.pushes, pushes);
  EXPECT_EQ(g.record.RecordCount, std::min(moves, RecordCapacity));
  EXPECT_EQ(Bumps(), 1);
}

INSTANTIATE_TEST_SUITE_P(Cases, LongPlayTest, testing::ValuesIn(kLongPlay),
                         [](const testing::TestParamInfo<LongPlayCase>& info) {
                           std::string name;
                           for (const char* c = info.param.name; *c != '\0'; ++c) {
                             if (std::isalnum(static_cast<unsigned char>(*c))) name += *c;
                           }
                           return name;
                         });

TEST_F(UndoTest, SoundOffUndoesSilently) {
  Step(KeyStateRight);
  Press(KeyS);
  Press(KeyBackspace);
  EXPECT_EQ(g.PlayerX, 1);
  EXPECT_EQ(Bumps(), 0);
}

TEST_F(UndoTest, RestartGoesBackToTheStartAndRecordsAfresh) {
  for (int i = 0; i < 4; ++i) Step(KeyStateRight);
  ASSERT_TRUE(g.ExitOpen);
  Press(KeyR);
  EXPECT_EQ(SeenOf(g), SeenOf(g.record.StageStart));
  EXPECT_EQ(g.flow.Scene, SceneIdle);
  EXPECT_EQ(g.record.RecordCount, 0);
  EXPECT_TRUE(g.record.Recording);
  EXPECT_FALSE(g.ExitOpen);
}

TEST_F(UndoTest, TheReplayWrittenAfterUndosReplaysToTheClear) {
  // A wrong push first: the copy box pushed down would be lost.
  for (int i = 0; i < 3; ++i) Step(KeyStateRight);
  Step(KeyStateDown);   // walk down beside it
  Step(KeyStateRight);  // walk
  Step(KeyStateUp);     // push the copy box up: into the wall, it stays
  Press(KeyBackspace);
  Press(KeyBackspace);
  Press(KeyBackspace);
  EXPECT_EQ(std::tie(g.PlayerX, g.PlayerY), std::make_tuple(4, 1));
  // The right path: push the copy box into the pair box, walk to the exit.
  Step(KeyStateRight);
  ASSERT_TRUE(g.ExitOpen);
  const int kToExit[] = {KeyStateDown,  KeyStateRight, KeyStateRight, KeyStateRight,
                         KeyStateRight, KeyStateRight, KeyStateDown,  KeyStateRight};
  for (int arrow : kToExit) Step(arrow);
  ASSERT_EQ(g.flow.Scene, SceneClear);
  const std::vector<int32_t> record(g.record.RecordMoves, g.record.RecordMoves + g.record.RecordCount);
  for (int i = 0; i < 200 && g.pace.ClearTick != kClearHold; ++i) Pass();
  Press(KeyEnter);
  ASSERT_EQ(g.flow.StageNo, 2);

  // The file holds the path that cleared, and its replay clears the stage.
  const std::vector<uint8_t>& file = mem.files["/game/001.PBD"];
  std::string expected = std::to_string(record.size()) + "\r\n";
  for (int32_t c : record) expected += std::to_string(c) + "\r\n";
  EXPECT_EQ(std::string(file.begin(), file.end()), expected);
  EXPECT_EQ(record.size(), 12u);

  Press(KeyEscape);
  for (int i = 0; i < 100 && g.pace.RetireTick != kRetireHold; ++i) Pass();
  Press(KeyEscape);
  Press(KeyDown);
  ASSERT_EQ(g.flow.StageNo, 1);
  Pass({{WindowEventKind::KeyDown, KeyF11, ModCtrlShift}});
  for (int i = 0; i < 5000 && g.flow.Scene != SceneClear && g.flow.Scene != SceneRetire; ++i) Pass();
  EXPECT_EQ(g.flow.Scene, SceneClear);
}

}  // namespace
}  // namespace rara3
