// The kill soak: the saves of the game on a real disk, each in a child
// process killed with SIGKILL at a random moment, over and over: the
// start-up's following of a new shipped data file, the editor's save (stage
// and export) and the save after a clear (progress byte and replay). After
// every kill each file is whole, either as before or as after, and nothing
// the player made is lost: the next start finishes an interrupted follow.
//
// Not part of the default run: RARA3_KILL_SOAK sets the number of kills of
// each kind (make soak-kill runs 300 of each), RARA3_KILL_SOAK_SEED the seed.
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <memory>
#include <random>
#include <string>
#include <vector>

#include "data/data_file.h"
#include "data/data_place.h"
#include "game/editor.h"
#include "game/file_work.h"
#include "game/game.h"
#include "game/replay_file.h"
#include "platform/headless/headless_platform.h"
#include "platform/posix/posix_files.h"
#include "support/temp_folder.h"

namespace rara3 {
namespace {

using test::TempFolder;

int KillsWanted() {
  const char* v = std::getenv("RARA3_KILL_SOAK");
  return v != nullptr ? std::atoi(v) : 0;
}

std::vector<uint8_t> Shipped(uint8_t seed) {
  std::vector<uint8_t> v(static_cast<size_t>(kDataFileSize));
  for (size_t i = 0; i < v.size(); ++i) v[i] = static_cast<uint8_t>((i * 13 + seed) % 9);
  v[kProgressOffset] = 1;
  return v;
}

// Runs body in a child and kills it after delayUs microseconds; true when
// the kill landed (the child had not finished).
bool RunAndKill(const std::function<void()>& body, int delayUs) {
  const pid_t child = fork();
  if (child < 0) return false;
  if (child == 0) {
    body();
    _exit(0);
  }
  const timespec pause{0, static_cast<long>(delayUs) * 1000};
  nanosleep(&pause, nullptr);
  kill(child, SIGKILL);
  int status = 0;
  waitpid(child, &status, 0);
  return WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL;
}

class KillSoak : public testing::Test {
 protected:
  void SetUp() override {
    kills_ = KillsWanted();
    if (kills_ <= 0) GTEST_SKIP() << "set RARA3_KILL_SOAK to the number of kills (make soak-kill)";
    const char* seed = std::getenv("RARA3_KILL_SOAK_SEED");
    rng_.seed(seed != nullptr ? std::strtoul(seed, nullptr, 10) : 1);
  }
  // A delay up to about the length of one run of the operation, so that
  // kills fall all over it.
  int Delay(int spanUs) { return std::uniform_int_distribution<int>(0, spanUs)(rng_); }

  int kills_ = 0;
  std::mt19937 rng_;
  PosixFiles files_;
};

TEST_F(KillSoak, FollowingANewShippedFile) {
  const std::vector<uint8_t> oldShipped = Shipped(1);
  const std::vector<uint8_t> newShipped = Shipped(2);
  std::vector<uint8_t> player = oldShipped;
  player[kProgressOffset] = 9;
  for (int i = 0; i < kStageSize; ++i) player[StageCellOffset(5, 0, 0) + i] = 7;  // an edit
  std::vector<int32_t> kept;
  const std::vector<uint8_t> followed = FollowShippedData(player, &oldShipped, newShipped, kept);
  ASSERT_EQ(kept, std::vector<int32_t>{5});

  int landed = 0;
  for (int n = 0; n < kills_; ++n) {
    TempFolder t;
    t.Write("TOVAK.DAT", player);
    t.Write("TOVAK.DAT.shipped", oldShipped);
    const std::string playerPath = t / "TOVAK.DAT";
    landed += RunAndKill(
        [&] {
          FollowReport report;
          std::string error;
          FollowShippedDataFile(files_, newShipped, playerPath, report, error);
        },
        Delay(40000));
    // Each file is whole: old or new.
    const auto now = t.Read("TOVAK.DAT");
    ASSERT_TRUE(now == player || now == followed) << "kill " << n;
    const auto copy = t.Read("TOVAK.DAT.shipped");
    ASSERT_TRUE(copy == oldShipped || copy == newShipped) << "kill " << n;
    // The next start finishes the follow; the edit and the progress stay.
    FollowReport report;
    std::string error;
    ASSERT_TRUE(FollowShippedDataFile(files_, newShipped, playerPath, report, error)) << error;
    ASSERT_EQ(t.Read("TOVAK.DAT"), followed) << "kill " << n;
    ASSERT_EQ(t.Read("TOVAK.DAT.shipped"), newShipped) << "kill " << n;
  }
  std::printf("kill soak: follow, %d kills, %d during the work\n", kills_, landed);
}

TEST_F(KillSoak, EditorSavesAndClearSaves) {
  const std::vector<uint8_t> data = Shipped(3);
  int landed = 0;
  for (int n = 0; n < kills_; ++n) {
    TempFolder t;
    t.Write("TOVAK.DAT", data);
    const bool editor = n % 2 == 0;
    // The child saves again and again, alternating two versions, until the
    // kill: it lands anywhere in a save.
    landed += RunAndKill(
        [&] {
          PosixFiles files;
          HeadlessPlatform hp(files);
          auto g = std::make_unique<GameState>();
          g->lifecycle.AppDir = t.path();
          g->flow.StageNo = 7;
          for (uint8_t v = 0;; v ^= 1) {
            if (editor) {
              for (auto& column : g->Map) {
                for (auto& cell : column) cell = 1 + v;
              }
              SaveEditedStage(*g, hp.platform.files, hp.platform.system);
            } else {
              std::string error;
              WriteProgress(files, DataFilePath(g->lifecycle.AppDir), static_cast<uint8_t>(20 + v), error);
              g->record.RecordCount = 2 + v;
              for (int i = 0; i < g->record.RecordCount; ++i) g->record.RecordMoves[i] = 28 + v;
              WriteReplayFile(*g, hp.platform.files, hp.platform.system);
            }
          }
        },
        Delay(30000));
    const auto now = t.Read("TOVAK.DAT");
    ASSERT_EQ(now.size(), data.size()) << "kill " << n;
    for (size_t i = 0; i < now.size(); ++i) {
      const bool stage7 = i >= static_cast<size_t>(StageCellOffset(7, 0, 0)) &&
                          i < static_cast<size_t>(StageCellOffset(8, 0, 0));
      const bool changed = editor ? stage7 : i == static_cast<size_t>(kProgressOffset);
      if (!changed) {
        ASSERT_EQ(now[i], data[i]) << "kill " << n << " byte " << i;
      }
    }
    const std::string saved = editor ? "007.LVL" : "007.PBD";
    if (editor) {
      const uint8_t first = now[StageCellOffset(7, 0, 0)];
      ASSERT_TRUE(first == data[StageCellOffset(7, 0, 0)] || first == 1 || first == 2);
      if (t.Exists(saved)) {
        const auto lvl = t.Read(saved);
        ASSERT_EQ(lvl.size(), static_cast<size_t>(kStageSize)) << "kill " << n;
        ASSERT_TRUE(lvl == std::vector<uint8_t>(kStageSize, 1) ||
                    lvl == std::vector<uint8_t>(kStageSize, 2))
            << "kill " << n;
      }
    } else {
      const uint8_t progress = now[kProgressOffset];
      ASSERT_TRUE(progress == data[kProgressOffset] || progress == 20 || progress == 21);
      if (t.Exists(saved)) {
        int32_t codes[16];
        int32_t count = 0;
        std::string error;
        ASSERT_TRUE(ParseReplay(t.Read(saved), 16, codes, count, error)) << "kill " << n << ": " << error;
        ASSERT_TRUE(count == 2 || count == 3) << "kill " << n;
        for (int i = 0; i < count; ++i) ASSERT_EQ(codes[i], 26 + count) << "kill " << n;
      }
    }
  }
  std::printf("kill soak: editor and clear saves, %d kills, %d during the work\n", kills_, landed);
}

}  // namespace
}  // namespace rara3
