// The one place that touches the game's files: requests carried out in the
// order asked, what a failure drops, and what a success leads to.
#include <gtest/gtest.h>

#include "game/file_work.h"
#include "support/game_fixture.h"

namespace rara3 {
namespace {

using test::GameFixture;

class FileWorkTest : public GameFixture {};

TEST_F(FileWorkTest, AFailedWriteIsReportedAndTheWorkAfterItGoesOn) {
  files.FailEvery(FileOp::ReplaceWhole, ".PBD");
  g.flow.StageNo = 2;
  g.record.RecordCount = 0;
  RequestFileWork(g, {FileWork::WriteReplay, 2, 0});
  RequestFileWork(g, {FileWork::WriteProgress, 2, 3});
  RequestFileWork(g, {FileWork::LoadStage, 2});
  CarryOutFileWork(g, p.files, p.system);
  ASSERT_EQ(hp.system.messages.size(), 1u);
  EXPECT_NE(hp.system.messages[0].find("replay of stage 2 was not saved"), std::string::npos);
  EXPECT_EQ(Data()[kProgressOffset], 3);
  EXPECT_EQ(g.flow.Scene, SceneIdle);
  EXPECT_EQ(g.fileWork.FileRequestCount, 0);
}

TEST_F(FileWorkTest, AReplayThatCannotStartDropsTheRestAndStaysOnTheTitle) {
  g.record.ReplayMode = true;
  FileRequest read{FileWork::ReadReplay, 1};
  read.abandonsReplay = true;
  RequestFileWork(g, read);
  RequestFileWork(g, {FileWork::WriteProgress, 1, 4});
  CarryOutFileWork(g, p.files, p.system);
  EXPECT_EQ(hp.system.messages.size(), 1u) << "no replay of stage 1";
  EXPECT_FALSE(g.record.ReplayMode);
  EXPECT_EQ(g.flow.Scene, SceneTitle);
  EXPECT_EQ(Data()[kProgressOffset], 5) << "the request after the failure was dropped";
}

TEST_F(FileWorkTest, TheEditorClosesOnlyOnceItsStageIsSaved) {
  for (const bool fails : {true, false}) {
    files.Clear();
    if (fails) files.FailEvery(FileOp::WriteAt);
    g.flow.Scene = SceneEditor;
    FileRequest save{FileWork::SaveEditedStage, 1};
    save.closesEditor = true;
    RequestFileWork(g, save);
    CarryOutFileWork(g, p.files, p.system);
    EXPECT_EQ(g.flow.Scene, fails ? SceneEditor : SceneTitle) << (fails ? "failed" : "saved");
  }
}

TEST_F(FileWorkTest, RequestsBeyondTheQueueAreDropped) {
  for (int32_t i = 0; i < kFileRequestCapacity + 2; ++i) {
    RequestFileWork(g, {FileWork::WriteProgress, 1, 1 + i});
  }
  EXPECT_EQ(g.fileWork.FileRequestCount, kFileRequestCapacity);
  CarryOutFileWork(g, p.files, p.system);
  EXPECT_EQ(Data()[kProgressOffset], kFileRequestCapacity);
}

}  // namespace
}  // namespace rara3
