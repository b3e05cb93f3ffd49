// The editor: the cursor at the board's edges, and the save into the data
// file and the export file, including the saves that fail.
#include <gtest/gtest.h>

#include <tuple>

#include "game/replay_file.h"
#include "support/game_fixture.h"

namespace rara3 {
namespace {

using test::GameFixture;

class EditorTest : public GameFixture {
 public:
  void OpenEditor(int32_t stageNo) {
    g.flow.StageNo = stageNo;
    g.flow.MaxStage = 100;
    g.flow.Scene = SceneTitle;
    Key(KeyF9, ModCtrlShift);
    ASSERT_EQ(g.flow.Scene, SceneEditor);
  }

  std::vector<uint8_t> StageBytes(int32_t stageNo) {
    const auto first = Data().begin() + StageCellOffset(stageNo, 0, 0);
    return std::vector<uint8_t>(first, first + kStageSize);
  }
};

TEST_F(EditorTest, TheCursorStopsAtTheEdgesAndKeepsTheRefusedPosition) {
  struct Case {
    int32_t x, y;
    int16_t key;
    int32_t cursorX, cursorY, targetX, targetY;
  };
  const Case cases[] = {
      {0, 5, KeyLeft, 0, 5, -1, 5},     {19, 5, KeyRight, 19, 5, 20, 5},
      {5, 0, KeyUp, 5, 0, 5, -1},       {5, 19, KeyDown, 5, 19, 5, 20},
      {0, 0, KeyUp, 0, 0, 0, -1},       {19, 19, KeyRight, 19, 19, 20, 19},
      {1, 5, KeyLeft, 0, 5, 0, 5},      {18, 19, KeyRight, 19, 19, 19, 19},
      {5, 5, KeyDown, 5, 6, 5, 6},      {5, 5, KeyUp, 5, 4, 5, 4},
  };
  OpenEditor(2);
  for (const Case& c : cases) {
    g.PlayerX = c.x;
    g.PlayerY = c.y;
    Key(c.key);
    EXPECT_EQ(std::tie(g.PlayerX, g.PlayerY, g.TargetX, g.TargetY),
              std::tie(c.cursorX, c.cursorY, c.targetX, c.targetY))
        << "from " << c.x << "," << c.y << " key " << c.key;
  }
}

TEST_F(EditorTest, SavingWritesTheStageAndItsExportAndNothingElse) {
  struct Case {
    int32_t stageNo;
    const char* exportName;
  };
  for (const Case& c : {Case{1, "001.LVL"}, Case{12, "012.LVL"}, Case{100, "100.LVL"}}) {
    SCOPED_TRACE(c.exportName);
    mem.files[test::kDataPath] = test::SyntheticDataFile(5);
    const std::vector<uint8_t> before = Data();
    OpenEditor(c.stageNo);
    // Any kind on any cell, the outer ring included; a second player cell.
    g.PlayerX = 0;
    g.PlayerY = 0;
    Key(Key8);
    g.PlayerX = 7;
    g.PlayerY = 3;
    Key(KeyA);
    g.PlayerX = 19;
    g.PlayerY = 19;
    Key(KeyZ);
    Key(KeyEnter);
    EXPECT_EQ(g.flow.Scene, SceneTitle);
    EXPECT_EQ(g.flow.StageNo, c.stageNo);

    std::vector<uint8_t> stage = StageBytes(c.stageNo);
    EXPECT_EQ(stage[0], KindBombBox);
    EXPECT_EQ(stage[20 * 3 + 7], KindPlayer);
    EXPECT_EQ(stage[20 * 1 + 1], KindPlayer);
    EXPECT_EQ(stage[399], KindExit);
    EXPECT_EQ(stage[20 * 18 + 18], KindExit);
    std::vector<uint8_t> expected = before;
    std::copy(stage.begin(), stage.end(), expected.begin() + StageCellOffset(c.stageNo, 0, 0));
    EXPECT_TRUE(Data() == expected) << "only the 400 bytes of the stage change";
    EXPECT_EQ(mem.files[test::kAppDir + c.exportName], stage);
    EXPECT_TRUE(hp.system.errors.empty());
  }
}

TEST_F(EditorTest, TheExportKeepsTheBytesOfALongerFileBeyondTheStage) {
  std::vector<uint8_t> old(450);
  for (size_t i = 0; i < old.size(); ++i) old[i] = static_cast<uint8_t>(i);
  mem.files["/game/003.LVL"] = old;
  mem.files["/game/004.LVL"] = std::vector<uint8_t>(10, 0xAA);
  for (const int32_t stageNo : {3, 4}) {
    OpenEditor(stageNo);
    Key(KeyEnter);
  }
  std::vector<uint8_t> expected = old;
  const std::vector<uint8_t> stage = StageBytes(3);
  std::copy(stage.begin(), stage.end(), expected.begin());
  EXPECT_EQ(mem.files["/game/003.LVL"], expected);
  EXPECT_EQ(mem.files["/game/004.LVL"], StageBytes(4)) << "a shorter file is replaced";
}

TEST_F(EditorTest, EscDiscardsTheEditsAndTheSavedStagePlays) {
  OpenEditor(2);
  g.PlayerX = 5;
  g.PlayerY = 5;
  Key(KeyA);
  Key(KeyEscape);
  EXPECT_EQ(g.flow.Scene, SceneTitle);
  EXPECT_EQ(mem.files.count("/game/002.LVL"), 0u);
  Key(KeyF9, ModCtrlShift);
  EXPECT_EQ(g.Map[5][5], KindEmpty) << "the stage as stored";
  EXPECT_EQ(std::tie(g.PlayerX, g.PlayerY), std::make_tuple(1, 1));

  // Saved with the player moved: Enter on the title plays it as edited.
  Key(KeyQ);
  g.PlayerX = 5;
  g.PlayerY = 5;
  Key(KeyA);
  Key(KeyEnter);
  Key(KeyEnter);
  EXPECT_EQ(g.flow.Scene, SceneIdle);
  EXPECT_EQ(std::tie(g.PlayerX, g.PlayerY), std::make_tuple(5, 5));
  EXPECT_EQ(g.Map[1][1], KindEmpty);
}

TEST_F(EditorTest, AFailedSaveKeepsTheEditorOpenAndLosesNothing) {
  struct Case {
    const char* name;
    FileOp op;
    const char* path;
    bool stageSaved;
  };
  const Case cases[] = {
      {"data file cannot be written", FileOp::WriteAt, "TOVAK.DAT", false},
      {"export cannot be written", FileOp::ReplaceWhole, ".LVL", true},
      {"old export cannot be read", FileOp::ReadAll, ".LVL", true},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    mem.files[test::kDataPath] = test::SyntheticDataFile(5);
    mem.files["/game/002.LVL"] = std::vector<uint8_t>(420, 0x55);
    const std::vector<uint8_t> before = Data();
    files.Clear();
    hp.system.errors.clear();
    OpenEditor(2);
    g.PlayerX = 5;
    g.PlayerY = 5;
    Key(Key1);
    files.FailEvery(c.op, c.path);

    Key(KeyEnter);

    EXPECT_EQ(g.flow.Scene, SceneEditor);
    EXPECT_EQ(g.Map[5][5], KindPairBox) << "the edits stay";
    ASSERT_EQ(hp.system.errors.size(), 1u);
    EXPECT_NE(hp.system.errors[0].find(c.path), std::string::npos) << hp.system.errors[0];
    EXPECT_EQ(mem.files["/game/002.LVL"], std::vector<uint8_t>(420, 0x55));
    std::vector<uint8_t> expected = before;
    if (c.stageSaved) expected[StageCellOffset(2, 5, 5)] = KindPairBox;
    EXPECT_TRUE(Data() == expected);

    // Once the fault is gone, Enter saves both.
    files.Clear();
    Key(KeyEnter);
    EXPECT_EQ(g.flow.Scene, SceneTitle);
    EXPECT_EQ(mem.files["/game/002.LVL"][20 * 5 + 5], KindPairBox);
  }
}

}  // namespace
}  // namespace rara3

namespace rara3 {
namespace {

// Closing the window in the editor: unsaved edits are saved to the stage
// and its export first; nothing is written without edits; a save that fails
// keeps the game open with the edits until the player decides.
TEST_F(EditorTest, ClosingTheWindowKeepsUnsavedEdits) {
  OpenEditor(2);
  g.PlayerX = 5;
  g.PlayerY = 5;
  Key(Key1 + 2);
  HandleClose(g, hp.platform);
  EXPECT_TRUE(hp.system.ended);
  EXPECT_EQ(StageBytes(2)[20 * 5 + 5], KindVanishBox);
  EXPECT_EQ(mem.files["/game/002.LVL"][20 * 5 + 5], KindVanishBox);
  EXPECT_TRUE(hp.system.messages.empty());
}

TEST_F(EditorTest, ClosingTheWindowWithoutEditsWritesNothing) {
  OpenEditor(3);
  g.PlayerX = 5;
  g.PlayerY = 5;
  Key(Key1 + 2);
  Key(KeyQ);  // and back: the stage is as stored
  const std::vector<uint8_t> before = Data();
  files.Clear();
  HandleClose(g, hp.platform);
  EXPECT_TRUE(hp.system.ended);
  EXPECT_TRUE(Data() == before);
  EXPECT_EQ(mem.files.count("/game/003.LVL"), 0u);
  for (const std::string& op : files.Log()) EXPECT_EQ(op.rfind("Read", 0), 0u) << op;
}

TEST_F(EditorTest, ClosingTheWindowWhenTheSaveFailsKeepsTheGameOpen) {
  OpenEditor(2);
  g.PlayerX = 5;
  g.PlayerY = 5;
  Key(Key1);
  files.FailEvery(FileOp::WriteAt, "TOVAK.DAT");
  HandleClose(g, hp.platform);
  EXPECT_FALSE(hp.system.ended);
  EXPECT_EQ(g.flow.Scene, SceneEditor);
  EXPECT_EQ(g.Map[5][5], KindPairBox);
  ASSERT_EQ(hp.system.messages.size(), 1u);
  EXPECT_NE(hp.system.messages[0].find("stays open"), std::string::npos) << hp.system.messages[0];
  // Esc leaves the edits; then the window closes at once.
  Key(KeyEscape);
  HandleClose(g, hp.platform);
  EXPECT_TRUE(hp.system.ended);
  EXPECT_EQ(StageBytes(2)[20 * 5 + 5], test::SyntheticDataFile(5)[StageCellOffset(2, 5, 5)]);
}

TEST_F(EditorTest, ClosingTheWindowWhenOnlyTheExportFailsEnds) {
  OpenEditor(2);
  g.PlayerX = 5;
  g.PlayerY = 5;
  Key(Key1);
  files.FailEvery(FileOp::ReplaceWhole, ".LVL");
  HandleClose(g, hp.platform);
  EXPECT_TRUE(hp.system.ended) << "the stage itself is saved";
  EXPECT_EQ(StageBytes(2)[20 * 5 + 5], KindPairBox);
  EXPECT_EQ(hp.system.messages.size(), 1u);
}

}  // namespace
}  // namespace rara3
