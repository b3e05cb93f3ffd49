// Replays that cannot be played are told to the player on screen: the hidden
// replay key on a floor without a usable replay shows a message naming the
// file, and the game stays on the title.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <functional>
#include <memory>
#include <string>

#include "core/data_layout.h"
#include "game/game.h"
#include "support/game_fixture.h"
#include "platform/headless/headless_platform.h"
#include "platform/posix/posix_files.h"
#include "app/headless_bring_up.h"
#include "app/main_loop.h"
#include "support/temp_folder.h"

namespace rara3 {
namespace {

using test::TempFolder;

struct ReplayNoticeCase {
  const char* name;
  std::function<void(const TempFolder&)> prepare;
  const char* messagePart;
};

void PrintTo(const ReplayNoticeCase& c, std::ostream* os) { *os << c.name; }

class ReplayNotice : public testing::TestWithParam<ReplayNoticeCase> {};

TEST_P(ReplayNotice, TellsThePlayerAndStaysOnTheTitle) {
  const ReplayNoticeCase& c = GetParam();
  TempFolder dir;
  dir.Write(kDataFileName, test::SyntheticDataFile(5));
  c.prepare(dir);
  PosixFiles files;
  HeadlessPlatform hp(files);
  auto g = std::make_unique<GameState>();
  std::string error;
  ASSERT_TRUE(StartHeadless(*g, hp.platform, dir.path(), error)) << error;
  ::alarm(20);  // a FIFO that blocked would end the test program here
  RunPass(*g, hp.platform, {{WindowEventKind::KeyDown, KeyF11, ModCtrlShift}});
  ::alarm(0);
  EXPECT_EQ(g->flow.Scene, SceneTitle);
  EXPECT_FALSE(g->record.ReplayMode);
  EXPECT_FALSE(hp.system.Ended());
  ASSERT_EQ(hp.system.messages.size(), 1u);
  EXPECT_EQ(hp.system.messages, hp.system.errors);
  const std::string& m = hp.system.messages[0];
  EXPECT_NE(m.find(dir / "001.PBD"), std::string::npos) << m;
  EXPECT_NE(m.find("stage 1"), std::string::npos) << m;
  EXPECT_NE(m.find(c.messagePart), std::string::npos) << m;

  // The game goes on: Enter still starts the stage.
  RunPass(*g, hp.platform, {{WindowEventKind::KeyDown, KeyEnter, 0}});
  EXPECT_EQ(g->flow.Scene, SceneIdle);
}

INSTANTIATE_TEST_SUITE_P(
    Replays, ReplayNotice,
    testing::Values(
        ReplayNoticeCase{"missing", [](const TempFolder&) {}, "No replay of stage 1"},
        ReplayNoticeCase{"damaged", [](const TempFolder& d) { d.Write("001.PBD", "3\r\n28\r\n"); },
                         "cannot be played"},
        ReplayNoticeCase{"fifo",
                         [](const TempFolder& d) {
                           ASSERT_EQ(::mkfifo((d / "001.PBD").c_str(), 0600), 0);
                         },
                         "not a regular file"}),
    [](const testing::TestParamInfo<ReplayNoticeCase>& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace rara3
