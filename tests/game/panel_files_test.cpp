// The side panels' files: the player's settings (F1 remembered) and the best
// clear read from the floor's replay file, which keeps only the best.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/file_work.h"
#include "game/replay_file.h"
#include "game/undo.h"
#include "game/frame_step.h"
#include "support/game_fixture.h"

namespace rara3 {
namespace {

using test::GameFixture;

const std::string kSettings = "/game/settings.txt";

std::vector<uint8_t> Bytes(const std::string& s) { return {s.begin(), s.end()}; }

TEST(ParseSettings, ReadsWhatTheGameWritesAndNamesWhatItCannot) {
  struct Case {
    const char* text;
    bool shown;       // the result when good (starting from true)
    const char* error;  // "" when good
  };
  const Case cases[] = {
      {"", true, ""},
      {"panels off\n", false, ""},
      {"# Rara3 settings\r\npanels on\r\n", true, ""},
      {"panels off", false, ""},
      {"volume 11\npanels off\n", false, ""},  // a later version's setting
      {"panels maybe\n", true, "line 1: \"panels\" is \"on\" or \"off\", not \"maybe\""},
      {"\npanels\n", true, "line 2: \"panels\" is \"on\" or \"off\", not \"\""},
  };
  for (const Case& c : cases) {
    bool shown = true;
    EXPECT_EQ(ParseSettings(c.text, shown), c.error) << c.text;
    if (std::string(c.error).empty()) {
      EXPECT_EQ(shown, c.shown) << c.text;
    }
  }
}

class PanelFilesTest : public GameFixture {};

TEST_F(PanelFilesTest, F1IsRememberedAcrossRuns) {
  // No file: the panels are on, nothing is said or written.
  EXPECT_TRUE(ReadSettings(g, p.files, p.system));
  EXPECT_TRUE(g.Panel.shown);
  EXPECT_EQ(mem.files.count(kSettings), 0u);

  Key(KeyF1);
  EXPECT_FALSE(g.Panel.shown);
  EXPECT_EQ(mem.files[kSettings], Bytes("# Rara3 settings, written by the game\npanels off\n"));
  g.Panel.shown = true;
  EXPECT_TRUE(ReadSettings(g, p.files, p.system));
  EXPECT_FALSE(g.Panel.shown);

  Key(KeyF1);
  EXPECT_TRUE(g.Panel.shown);
  EXPECT_EQ(mem.files[kSettings], Bytes("# Rara3 settings, written by the game\npanels on\n"));
  EXPECT_TRUE(hp.system.messages.empty());
}

TEST_F(PanelFilesTest, ABadSettingsFileIsReportedAndGivesTheDefaults) {
  mem.files[kSettings] = Bytes("panels sometimes\n");
  EXPECT_FALSE(ReadSettings(g, p.files, p.system));
  EXPECT_TRUE(g.Panel.shown);
  ASSERT_EQ(hp.system.messages.size(), 1u);
  EXPECT_NE(hp.system.messages[0].find("/game/settings.txt: line 1"), std::string::npos);
  // The file stays as it was until the player presses F1.
  EXPECT_EQ(mem.files[kSettings], Bytes("panels sometimes\n"));

  files.FailEvery(FileOp::ReadAll, "settings");
  EXPECT_FALSE(ReadSettings(g, p.files, p.system));
  EXPECT_TRUE(g.Panel.shown);
  EXPECT_EQ(hp.system.messages.size(), 2u);
}

TEST_F(PanelFilesTest, AFailedSettingsWriteIsReportedAndPlayGoesOn) {
  files.FailEvery(FileOp::ReplaceWhole, "settings");
  g.Panel.shown = true;
  Key(KeyF1);
  EXPECT_FALSE(g.Panel.shown);
  EXPECT_EQ(hp.system.messages.size(), 1u);
}

// Floor 1: a pair box pushed right meets its partner and opens the exit.
class BestClearTest : public GameFixture {
 public:
  BestClearTest() {
    PutStage(1, {"########", "#@P...P#", "#......#", "#.....E#", "########"});
    g.flow.StageNo = 1;
    EXPECT_TRUE(LoadStage(g, p.files, p.system));
    g.flow.Scene = SceneTitle;
  }

  // The codes given, then down to the exit's row and right onto it.
  std::vector<int32_t> ClearPath(std::vector<int32_t> codes) const {
    Board b = g.record.StageStart;
    for (int32_t c : codes) ApplyMove(b, FacingOfMoveCode(c, b.Facing));
    while (b.PlayerY < 3) {
      ApplyMove(b, FacingDown);
      codes.push_back(MoveCodeDown);
    }
    for (int i = 0; i < 10; ++i) {
      codes.push_back(MoveCodeRight);
      if (ApplyMove(b, FacingRight).cleared) return codes;
    }
    ADD_FAILURE() << "the path does not clear";
    return codes;
  }

  void PutReplay(const std::vector<int32_t>& codes) {
    mem.files["/game/001.PBD"] = FormatReplay(codes.data(), static_cast<int32_t>(codes.size()));
  }
};

TEST_F(BestClearTest, TheReplayFileGivesTheBestClear) {
  const std::vector<int32_t> clear = ClearPath({MoveCodeRight});
  const auto moves = static_cast<int32_t>(clear.size());
  std::vector<int32_t> withTurns = clear;
  withTurns.insert(withTurns.begin(), {MoveCodeUp, MoveCodeUp});  // against the wall
  struct Case {
    const char* name;
    std::vector<int32_t> codes;
    bool file;
    int32_t moves, pushes;
  };
  const Case cases[] = {
      {"no file", {}, false, -1, -1},
      {"a clear", clear, true, moves, 1},
      {"a clear with turns in place", withTurns, true, moves, 1},
      {"codes that never clear", {MoveCodeDown, MoveCodeRight}, true, -1, -1},
  };
  for (const Case& c : cases) {
    mem.files.erase("/game/001.PBD");
    if (c.file) PutReplay(c.codes);
    ASSERT_TRUE(LoadStage(g, p.files, p.system));
    EXPECT_EQ(g.Panel.bestMoves, c.moves) << c.name;
    EXPECT_EQ(g.Panel.bestPushes, c.pushes) << c.name;
  }
  mem.files["/game/001.PBD"] = Bytes("3\r\n28\r\n");  // fewer codes than its count
  ASSERT_TRUE(LoadStage(g, p.files, p.system));
  EXPECT_EQ(g.Panel.bestMoves, -1);
  EXPECT_TRUE(hp.system.messages.empty());
}

// Plays codes on floor 1 from the title through the real game up to the
// clear and Enter, then back to the title on floor 1.
void Frame(GameFixture& t) {
  StepBeforeDraw(t.g, t.p.audio);
  StepAfterFlip(t.g);
}

void PlayToClear(GameFixture& t, const std::vector<int32_t>& codes) {
  t.g.switches.StepFrames = 1;
  t.g.flow.StageNo = 1;
  t.Key(KeyEnter);
  ASSERT_EQ(t.g.flow.Scene, SceneIdle);
  for (int32_t code : codes) {
    const int key = code == MoveCodeDown ? KeyStateDown : code == MoveCodeRight ? KeyStateRight
                    : code == MoveCodeLeft ? KeyStateLeft : KeyStateUp;
    t.Hold(key);
    Frame(t);
    HandleTimerTick(t.g, t.p);
    t.Hold(key, false);
    for (int i = 0; i < 500 && t.g.flow.Scene != SceneIdle && t.g.flow.Scene != SceneClear; ++i) {
      Frame(t);
      HandleTimerTick(t.g, t.p);
    }
  }
  ASSERT_EQ(t.g.flow.Scene, SceneClear);
  for (int i = 0; i < 500 && t.g.pace.ClearTick != kClearHold; ++i) Frame(t);
  t.Key(KeyEnter);
  t.g.flow.Scene = SceneTitle;
}

TEST_F(BestClearTest, OnlyAClearWithNoMoreMovesReplacesTheReplay) {
  const std::vector<int32_t> clear = ClearPath({MoveCodeRight});
  const std::vector<int32_t> detour = ClearPath({MoveCodeRight, MoveCodeDown, MoveCodeUp});
  const std::vector<uint8_t> best = FormatReplay(clear.data(), static_cast<int32_t>(clear.size()));
  const std::vector<uint8_t> worse = FormatReplay(detour.data(), static_cast<int32_t>(detour.size()));

  mem.files["/game/001.PBD"] = worse;
  PlayToClear(*this, clear);
  EXPECT_EQ(mem.files["/game/001.PBD"], best);
  PlayToClear(*this, detour);
  EXPECT_EQ(mem.files["/game/001.PBD"], best);
  // Equal to the best: the newer clear is kept.
  PlayToClear(*this, clear);
  EXPECT_EQ(mem.files["/game/001.PBD"], best);
  EXPECT_TRUE(hp.system.messages.empty());
}

// The hints taken on the best clear, kept in a file of their own beside it.
TEST_F(BestClearTest, TheHintsFileKeepsTheHintsOfTheBestClear) {
  const std::vector<int32_t> clear = ClearPath({MoveCodeRight});
  const std::vector<int32_t> detour = ClearPath({MoveCodeRight, MoveCodeDown, MoveCodeUp});
  const std::string kHints = "/game/hints.txt";
  struct Case {
    const char* name;
    const char* file;  // nullptr: no file
    int32_t hints;
  };
  const Case cases[] = {
      {"no file", nullptr, -1},
      {"the floor's line", "# comment\n1 3\n7 1\n", 3},
      {"other floors only", "2 5\n", -1},
      {"a bad line", "1 3\n7 x\n", -1},
      {"a floor out of range", "1 3\n101 1\n", -1},
      {"a negative count", "1 -3\n", -1},
      {"trailing words", "1 3 hints\n", -1},
  };
  PutReplay(clear);
  for (const Case& c : cases) {
    mem.files.erase(kHints);
    if (c.file) mem.files[kHints] = Bytes(c.file);
    ASSERT_TRUE(LoadStage(g, p.files, p.system));
    EXPECT_EQ(g.Panel.bestHints, c.hints) << c.name;
  }
  EXPECT_TRUE(hp.system.messages.empty());  // a bad file never stops play

  // Written at a best clear, the other floors' counts kept, read back.
  mem.files[kHints] = Bytes("7 1\n");
  mem.files.erase("/game/001.PBD");
  g.flow.Scene = SceneTitle;
  PlayToClear(*this, clear);
  EXPECT_EQ(mem.files[kHints], Bytes("# Hints taken on each floor's best clear, written by the game\n1 0\n7 1\n"));
  g.flow.StageNo = 1;
  ASSERT_TRUE(LoadStage(g, p.files, p.system));
  EXPECT_EQ(g.Panel.bestHints, 0);
  g.flow.Scene = SceneTitle;
  // A bad file is replaced whole by the count of this clear.
  mem.files[kHints] = Bytes("garbage");
  PlayToClear(*this, clear);
  EXPECT_EQ(mem.files[kHints], Bytes("# Hints taken on each floor's best clear, written by the game\n1 0\n"));
  // A worse clear leaves the count of the best one.
  mem.files[kHints] = Bytes("1 2\n");
  PlayToClear(*this, detour);
  EXPECT_EQ(mem.files[kHints], Bytes("1 2\n"));
  EXPECT_TRUE(hp.system.messages.empty());
  // A file that is there but cannot be read is reported and never
  // overwritten, so the other floors' counts are not lost.
  files.FailEvery(FileOp::ReadAll, "hints");
  PlayToClear(*this, clear);
  EXPECT_EQ(mem.files[kHints], Bytes("1 2\n"));
  EXPECT_FALSE(hp.system.messages.empty());
}

}  // namespace
}  // namespace rara3
