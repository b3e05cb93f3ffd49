// The preparation at start: the program folder, the progress byte and the
// initial values, and a data file that is missing or too short.
#include <gtest/gtest.h>

#include "support/game_fixture.h"

namespace rara3 {
namespace {

struct FolderCase {
  const char* programDir;
  const char* appDir;
};

TEST(PrepareGameStateTest, TheProgramFolderGetsExactlyOneTrailingSlash) {
  const FolderCase cases[] = {
      {"/opt/rara3", "/opt/rara3/"},
      {"/opt/rara3/", "/opt/rara3/"},
      {"/opt/rara3//", "/opt/rara3/"},
      {"/", "/"},
  };
  for (const FolderCase& c : cases) {
    MemoryFiles files;
    files.files[std::string(c.appDir) + "TOVAK.DAT"] = test::SyntheticDataFile(7);
    auto g = std::make_unique<GameState>();
    std::string error;
    ASSERT_TRUE(OpenGameFolder(*g, files, c.programDir, error)) << c.programDir << ": " << error;
    EXPECT_EQ(g->lifecycle.AppDir, c.appDir);
    EXPECT_EQ(g->flow.MaxStage, 7);
  }
}

TEST(PrepareGameStateTest, GivesTheInitialValues) {
  MemoryFiles files;
  files.files["/g/TOVAK.DAT"] = test::SyntheticDataFile(100);
  auto g = std::make_unique<GameState>();
  g->flow.StageNo = 40;
  g->flow.Scene = SceneRetire;
  g->switches.StepFrames = 3;
  std::string error;
  ASSERT_TRUE(OpenGameFolder(*g, files, "/g", error)) << error;
  EXPECT_EQ(g->flow.MaxStage, 100);
  EXPECT_EQ(g->flow.StageNo, 1);
  EXPECT_EQ(g->flow.Scene, SceneTitle);
  EXPECT_EQ(g->switches.StepFrames, 2);
  EXPECT_FALSE(g->switches.MusicOn || g->switches.SoundOn || g->lifecycle.LoopStarted || g->lifecycle.FormActive || g->record.ReplayMode);
}

// A damaged progress byte still gives a title where stages can be chosen.
TEST(PrepareGameStateTest, AProgressByteOutsideTheStagesIsBroughtIntoThem) {
  const std::pair<uint8_t, int32_t> cases[] = {{0, 1}, {1, 1}, {57, 57}, {100, 100},
                                               {101, 100}, {255, 100}};
  for (const auto& [byte, maxStage] : cases) {
    MemoryFiles files;
    files.files["/g/TOVAK.DAT"] = test::SyntheticDataFile(byte);
    auto g = std::make_unique<GameState>();
    std::string error;
    ASSERT_TRUE(OpenGameFolder(*g, files, "/g", error)) << error;
    EXPECT_EQ(g->flow.MaxStage, maxStage) << int{byte};
    EXPECT_EQ(files.files["/g/TOVAK.DAT"][kProgressOffset], byte) << "nothing is written";
  }
}

TEST(PrepareGameStateTest, AMissingOrShortDataFileIsRefusedByName) {
  const size_t sizes[] = {0, 1000, static_cast<size_t>(kTuneOffset),
                          static_cast<size_t>(kDataFileSize - 1)};
  for (const size_t size : sizes) {
    MemoryFiles files;
    if (size > 0) files.files["/g/TOVAK.DAT"].resize(size, 3);
    auto g = std::make_unique<GameState>();
    std::string error;
    EXPECT_FALSE(OpenGameFolder(*g, files, "/g", error)) << size;
    EXPECT_NE(error.find("/g/TOVAK.DAT"), std::string::npos) << error;
    EXPECT_EQ(g->lifecycle.AppDir, "") << "the state is left alone";
    EXPECT_EQ(g->switches.StepFrames, 0);
  }
}

}  // namespace
}  // namespace rara3
