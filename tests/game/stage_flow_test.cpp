// Loading stages, the selection on the title, the road from one stage to the
// next with its replay file and progress byte, replays that cannot start,
// and the toggles.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "game/replay_file.h"
#include "support/game_fixture.h"

namespace rara3 {
namespace {

using test::GameFixture;

class StageFlowTest : public GameFixture {
 public:
  // Operations that wrote something, of any file.
  size_t Writes() const {
    return std::count_if(files.Log().begin(), files.Log().end(), [](const std::string& op) {
      return op.rfind("WriteAt", 0) == 0 || op.rfind("ReplaceWhole", 0) == 0;
    });
  }
};

TEST_F(StageFlowTest, TheTitleSelectsWithinTheUnlockedStages) {
  struct Case {
    int32_t stageNo, maxStage;
    int16_t key;
    int32_t expected;
  };
  const Case cases[] = {
      {2, 5, KeyUp, 3},     {5, 5, KeyUp, 5},       {99, 100, KeyUp, 100},
      {100, 100, KeyUp, 100}, {1, 5, KeyDown, 1},   {2, 5, KeyDown, 1},
      {100, 100, KeyDown, 99}, {1, 1, KeyUp, 1},
  };
  for (const Case& c : cases) {
    g.flow.StageNo = c.stageNo;
    g.flow.MaxStage = c.maxStage;
    Key(c.key);
    EXPECT_EQ(g.flow.StageNo, c.expected) << c.stageNo << " of " << c.maxStage << ", key " << c.key;
  }
}

TEST_F(StageFlowTest, LoadStageTakesTheLastPlayerAndExitInRowOrder) {
  PutStage(3, {"#####", "#@.E#", "#.E.#", "#..@#", "#####"});
  Data()[StageCellOffset(3, 1, 2)] = 255;  // any byte is a kind the board handles
  g.flow.StageNo = 3;
  g.switches.StepFrames = 3;
  g.switches.AltColors = 1;
  g.pace.WalkFrame = 6;
  g.ExitOpen = true;
  g.Facing = FacingUp;
  ASSERT_TRUE(LoadStage(g, p.files, p.system));
  EXPECT_EQ(std::tie(g.PlayerX, g.PlayerY), std::make_tuple(3, 3));
  EXPECT_EQ(g.Map[1][1], KindPlayer) << "every player cell stays";
  EXPECT_EQ(g.Map[3][3], KindPlayer);
  EXPECT_EQ(std::tie(g.ExitX, g.ExitY), std::make_tuple(2, 2));
  EXPECT_EQ(g.Map[3][1], KindEmpty) << "exit cells become floor";
  EXPECT_EQ(g.Map[2][2], KindEmpty);
  EXPECT_EQ(g.Map[1][2], 255);
  EXPECT_FALSE(g.ExitOpen);
  EXPECT_EQ(g.Facing, FacingDown);
  EXPECT_EQ(g.flow.Scene, SceneIdle);
  EXPECT_EQ(std::tie(g.switches.StepFrames, g.switches.AltColors, g.pace.WalkFrame), std::make_tuple(3, 1, 6));

  // Without a player or an exit cell the positions of the last stage stay.
  PutStage(4, {"#####", "#...#", "#####"});
  g.flow.StageNo = 4;
  ASSERT_TRUE(LoadStage(g, p.files, p.system));
  EXPECT_EQ(std::tie(g.PlayerX, g.PlayerY), std::make_tuple(3, 3));
  EXPECT_EQ(std::tie(g.ExitX, g.ExitY), std::make_tuple(2, 2));
}

TEST_F(StageFlowTest, TheEditorLoadsTheStageAsStored) {
  PutStage(3, {"#####", "#@.E#", "#####"});
  g.flow.StageNo = 3;
  g.ExitX = 7;
  g.ExitY = 8;
  g.ExitOpen = true;
  g.Facing = FacingLeft;
  ASSERT_TRUE(LoadStageForEditor(g, p.files, p.system));
  EXPECT_EQ(g.flow.Scene, SceneEditor);
  EXPECT_EQ(g.Map[3][1], KindExit);
  EXPECT_EQ(std::tie(g.PlayerX, g.PlayerY), std::make_tuple(1, 1));
  EXPECT_EQ(std::tie(g.ExitX, g.ExitY, g.ExitOpen, g.Facing),
            std::make_tuple(7, 8, true, FacingLeft));
}

struct ClearCase {
  const char* name;
  int32_t stageNo, maxStage;
  bool recording, replayMode;
  int16_t scene;
  int32_t stageAfter, maxAfter;
  uint8_t progressByte;
  bool replayWritten;
};

void PrintTo(const ClearCase& c, std::ostream* os) { *os << c.name; }

class ClearTest : public StageFlowTest, public testing::WithParamInterface<ClearCase> {};

TEST_P(ClearTest, ContinuesAsTheRulesSay) {
  const ClearCase& c = GetParam();
  Data()[kProgressOffset] = static_cast<uint8_t>(c.maxStage);
  const std::vector<uint8_t> before = Data();
  g.flow.StageNo = c.stageNo;
  g.flow.MaxStage = c.maxStage;
  ASSERT_TRUE(LoadStage(g, p.files, p.system));
  g.record.Recording = c.recording;
  g.record.ReplayMode = c.replayMode;
  const int32_t moves[] = {31, 28, 28};
  std::copy(std::begin(moves), std::end(moves), g.record.RecordMoves);
  g.record.RecordCount = 3;
  g.flow.Scene = SceneClear;
  g.pace.ClearTick = 95;

  Key(KeyEnter);

  EXPECT_EQ(g.flow.Scene, c.scene);
  EXPECT_EQ(g.flow.StageNo, c.stageAfter);
  EXPECT_EQ(g.flow.MaxStage, c.maxAfter);
  EXPECT_FALSE(g.record.ReplayMode);
  EXPECT_EQ(g.record.Recording, c.recording) << "recording goes on into the next stage";
  std::vector<uint8_t> expected = before;
  expected[kProgressOffset] = c.progressByte;
  EXPECT_TRUE(Data() == expected) << "only the progress byte may change";
  const std::string replayPath = StageFilePath(test::kAppDir, c.stageNo, ".PBD");
  if (c.replayWritten) {
    const std::string text = "3\r\n31\r\n28\r\n28\r\n";
    EXPECT_EQ(mem.files[replayPath], std::vector<uint8_t>(text.begin(), text.end()));
    EXPECT_EQ(g.record.RecordCount, 0);
  } else {
    EXPECT_EQ(mem.files.count(replayPath), 0u);
  }
  EXPECT_TRUE(hp.system.errors.empty());
}

const ClearCase kClearCases[] = {
    {"BelowTheHighestStage", 2, 5, true, false, SceneIdle, 3, 5, 5, true},
    {"JustBelowTheHighestStage", 4, 5, true, false, SceneIdle, 5, 5, 5, true},
    {"AtTheHighestStageRaisesProgress", 5, 5, true, false, SceneIdle, 6, 6, 6, true},
    {"At99UnlocksTheLastStage", 99, 99, true, false, SceneIdle, 100, 100, 100, true},
    {"Stage100StartsTheEnding", 100, 100, true, false, SceneEnding, 100, 100, 100, true},
    {"NotRecordingWritesNoReplay", 5, 5, false, false, SceneIdle, 6, 6, 6, false},
    {"AReplayWritesNothing", 5, 5, false, true, SceneTitle, 5, 5, 5, false},
    {"AReplayOfStage100ReturnsToTheTitle", 100, 100, false, true, SceneTitle, 100, 100, 100,
     false},
};

INSTANTIATE_TEST_SUITE_P(Clears, ClearTest, testing::ValuesIn(kClearCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(StageFlowTest, ClearingStage100SwitchesTheMusicOff) {
  g.flow.StageNo = 100;
  g.flow.MaxStage = 100;
  g.flow.Scene = SceneClear;
  g.pace.ClearTick = 95;
  Key(KeyEnter);
  EXPECT_EQ(g.flow.Scene, SceneEnding);
  EXPECT_FALSE(g.switches.MusicOn);
  EXPECT_EQ(hp.audio.tuneOps, std::vector<std::string>{"stop"});
}

// --- Failures the game survives ---

TEST_F(StageFlowTest, AReplayThatCannotBeReadStartsNothing) {
  struct Case {
    const char* name;
    std::string content;  // empty: no file
    bool unreadable = false;
  };
  const Case cases[] = {
      {"missing", ""},
      {"unreadable", "1\r\n31\r\n", true},
      {"not numbers", "x\r\n"},
      {"shorter than its count", "3\r\n31\r\n28\r\n"},
      {"count above the capacity", std::to_string(ReplayCapacity + 1) + "\r\n"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    mem.files.erase("/game/002.PBD");
    if (!c.content.empty()) mem.files["/game/002.PBD"].assign(c.content.begin(), c.content.end());
    files.Clear();
    if (c.unreadable) files.FailEvery(FileOp::ReadAll, ".PBD");
    hp.system.errors.clear();
    g.flow.Scene = SceneTitle;
    g.flow.StageNo = 2;
    g.record.Recording = true;
    g.record.ReplayCount = 7;
    g.Map[4][4] = KindBombBox;
    const size_t writes = Writes();

    Key(KeyF11, ModCtrlShift);

    EXPECT_EQ(g.flow.Scene, SceneTitle);
    EXPECT_FALSE(g.record.ReplayMode);
    EXPECT_FALSE(g.record.Recording);
    EXPECT_EQ(g.record.ReplayCount, 7);
    EXPECT_EQ(g.Map[4][4], KindBombBox) << "no stage loaded";
    EXPECT_EQ(hp.system.errors.size(), 1u);
    EXPECT_EQ(Writes(), writes);
  }
}

TEST_F(StageFlowTest, AFailedProgressWriteIsReportedAndPlayGoesOn) {
  const std::vector<uint8_t> before = Data();
  files.FailEvery(FileOp::WriteAt, "TOVAK.DAT");
  g.flow.StageNo = 5;
  g.flow.MaxStage = 5;
  g.flow.Scene = SceneClear;
  g.pace.ClearTick = 95;
  Key(KeyEnter);
  EXPECT_EQ(g.flow.Scene, SceneIdle);
  EXPECT_EQ(g.flow.StageNo, 6);
  EXPECT_EQ(g.flow.MaxStage, 6) << "stage 6 stays open for this run";
  ASSERT_EQ(hp.system.errors.size(), 1u);
  EXPECT_NE(hp.system.errors[0].find("TOVAK.DAT"), std::string::npos) << hp.system.errors[0];
  EXPECT_TRUE(Data() == before);
}

TEST_F(StageFlowTest, AFailedReplayWriteIsReportedAndPlayGoesOn) {
  files.FailEvery(FileOp::ReplaceWhole, ".PBD");
  mem.files["/game/005.PBD"] = {'0', '\r', '\n'};
  g.flow.StageNo = 5;
  g.flow.MaxStage = 5;
  g.record.Recording = true;
  g.record.RecordCount = 2;
  g.flow.Scene = SceneClear;
  g.pace.ClearTick = 95;
  Key(KeyEnter);
  EXPECT_EQ(g.flow.Scene, SceneIdle);
  EXPECT_EQ(g.flow.StageNo, 6);
  EXPECT_EQ(Data()[kProgressOffset], 6);
  EXPECT_EQ(hp.system.errors.size(), 1u);
  EXPECT_EQ(mem.files["/game/005.PBD"], (std::vector<uint8_t>{'0', '\r', '\n'}));
}

TEST_F(StageFlowTest, AStageThatCannotBeLoadedKeepsTheTitle) {
  struct Case {
    const char* name;
    int32_t dataSize;  // 0: no data file at all
    int16_t scene;
  };
  const Case cases[] = {
      {"start, no data file", 0, SceneTitle},
      {"start, short data file", 600, SceneTitle},
      {"after a clear, no data file", 0, SceneClear},
      {"after a clear, short data file", 600, SceneClear},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    mem.files[test::kDataPath] = test::SyntheticDataFile(5);
    // Stage 2 is the one to load; a file of 600 bytes ends inside it.
    g.flow.StageNo = c.scene == SceneClear ? 1 : 2;
    g.flow.MaxStage = 5;
    ASSERT_TRUE(LoadStage(g, p.files, p.system));
    g.Map[4][4] = KindBombBox;
    if (c.dataSize == 0) {
      mem.files.erase(test::kDataPath);
    } else {
      Data().resize(static_cast<size_t>(c.dataSize));
    }
    hp.system.errors.clear();
    g.flow.Scene = c.scene;
    g.pace.ClearTick = 95;
    Key(KeyEnter);
    EXPECT_EQ(g.flow.Scene, SceneTitle);
    EXPECT_EQ(g.Map[4][4], KindBombBox) << "no half-loaded board";
    ASSERT_EQ(hp.system.errors.size(), 1u);
    EXPECT_NE(hp.system.errors.back().find("TOVAK.DAT"), std::string::npos);
  }
}

// Esc during a replay, Esc on the retire screen, then Enter on the title
// starts a normal recorded play of the same stage.
TEST_F(StageFlowTest, ARetiredReplayLeavesTheTitleReadyForPlay) {
  const int32_t codes[] = {31, 31};
  mem.files["/game/002.PBD"] = FormatReplay(codes, 2);
  g.flow.StageNo = 2;
  Key(KeyF11, ModCtrlShift);
  ASSERT_EQ(g.flow.Scene, SceneIdle);
  Key(KeyEscape);
  EXPECT_EQ(g.flow.Scene, SceneRetire);
  EXPECT_EQ(hp.audio.sfxStarted, std::vector<int>{8});
  g.pace.RetireTick = 47;
  Key(KeyEscape);
  EXPECT_EQ(g.flow.Scene, SceneTitle);
  EXPECT_TRUE(g.record.ReplayMode) << "until the next start";
  Key(KeyEnter);
  EXPECT_EQ(g.flow.Scene, SceneIdle);
  EXPECT_FALSE(g.record.ReplayMode);
  EXPECT_TRUE(g.record.Recording);
  EXPECT_EQ(g.flow.StageNo, 2);
}

TEST_F(StageFlowTest, RetireWithSoundOffIsSilent) {
  g.switches.SoundOn = false;
  ASSERT_TRUE(LoadStage(g, p.files, p.system));
  Key(KeyEscape);
  EXPECT_EQ(g.flow.Scene, SceneRetire);
  EXPECT_TRUE(hp.audio.sfxStarted.empty());
}

// --- Toggles ---

TEST_F(StageFlowTest, MusicOnRestartsTheTuneAndPausesOnlyOnTitleAndEditor) {
  struct Case {
    int16_t scene;
    bool stillPlaying;
    std::vector<std::string> ops;
    std::vector<int> pauses;
  };
  const Case cases[] = {
      {SceneTitle, false, {"play"}, {500}},  {SceneEditor, false, {"play"}, {500}},
      {SceneTitle, true, {"stop", "play"}, {500}}, {SceneIdle, false, {"play"}, {}},
      {SceneWalk, true, {"stop", "play"}, {}}, {ScenePush, false, {"play"}, {}},
      {SceneClear, false, {"play"}, {}},     {SceneRetire, false, {"play"}, {}},
  };
  for (const Case& c : cases) {
    g.flow.Scene = c.scene;
    g.switches.MusicOn = false;
    hp.audio.tunePlaying = c.stillPlaying;
    hp.audio.tuneOps.clear();
    hp.system.pauses.clear();
    Key(KeyM);
    EXPECT_TRUE(g.switches.MusicOn);
    EXPECT_EQ(hp.audio.tuneOps, c.ops) << "scene " << c.scene;
    EXPECT_EQ(hp.system.pauses, c.pauses) << "scene " << c.scene;
    hp.audio.tuneOps.clear();
    hp.system.pauses.clear();
    Key(KeyM);
    EXPECT_FALSE(g.switches.MusicOn);
    EXPECT_EQ(hp.audio.tuneOps, std::vector<std::string>{"stop"});
    EXPECT_TRUE(hp.system.pauses.empty());
  }
}

// The README warns of it: the second Enter of a double press on a cleared
// stage reaches the next stage's board, where Enter changes the speed.
TEST_F(StageFlowTest, ADoubleEnterOnAClearedStageAlsoChangesTheSpeed) {
  g.flow.StageNo = 1;
  g.flow.MaxStage = 5;
  ASSERT_TRUE(LoadStage(g, p.files, p.system));
  g.flow.Scene = SceneClear;
  g.pace.ClearTick = 40;
  Key(KeyEnter);
  EXPECT_EQ(std::tie(g.flow.Scene, g.flow.StageNo, g.switches.StepFrames), std::make_tuple(SceneClear, 1, 2))
      << "Enter waits for the cheering";
  g.pace.ClearTick = 95;
  Key(KeyEnter);
  Key(KeyEnter);
  EXPECT_EQ(std::tie(g.flow.Scene, g.flow.StageNo, g.switches.StepFrames), std::make_tuple(SceneIdle, 2, 1));
}

TEST_F(StageFlowTest, SoundColoursAndSpeedCycleAndCarryOver) {
  ASSERT_TRUE(LoadStage(g, p.files, p.system));
  std::vector<int32_t> speeds;
  std::vector<int32_t> colours;
  for (int i = 0; i < 3; ++i) {
    Key(KeyEnter);
    speeds.push_back(g.switches.StepFrames);
    Key(KeySpace);
    colours.push_back(g.switches.AltColors);
  }
  EXPECT_EQ(speeds, (std::vector<int32_t>{1, 3, 2}));
  EXPECT_EQ(colours, (std::vector<int32_t>{1, 0, 1}));
  Key(KeyS);
  EXPECT_FALSE(g.switches.SoundOn);
  Key(KeyS);
  EXPECT_TRUE(g.switches.SoundOn);
  Key(KeyS);
  // A retire and the next stage start keep every switch.
  Key(KeyEscape);
  g.pace.RetireTick = 47;
  Key(KeyEscape);
  Key(KeyEnter);
  EXPECT_EQ(std::tie(g.switches.StepFrames, g.switches.AltColors, g.switches.SoundOn, g.switches.MusicOn),
            std::make_tuple(2, 1, false, true));
}

}  // namespace
}  // namespace rara3
