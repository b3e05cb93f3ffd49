// What a second start of the desktop game does and says: the running copy's
// window is asked forward, or, when it cannot be, the player is told in a
// message box too; a lock that cannot be had never keeps the game from
// starting.
#include "app/desktop/one_copy.h"

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

namespace rara3 {
namespace {

struct Outcome {
  bool startsGame = false;
  std::string said;  // standard error
};

// TakeOneCopyLock in a child process with this environment; what it
// returned and wrote on standard error.
Outcome SecondStart(const std::string& runtimeDir, const std::string& tmpDir, const std::string& gameDir) {
  int out[2];
  if (pipe(out) != 0) return {};
  const pid_t child = fork();
  if (child == 0) {
    dup2(out[1], 2);
    close(out[0]);
    setenv("XDG_RUNTIME_DIR", runtimeDir.c_str(), 1);
    setenv("TMPDIR", tmpDir.c_str(), 1);
    // No display: the message box is tried and given up at once.
    setenv("SDL_VIDEODRIVER", "offscreen", 1);
    unsetenv("DISPLAY");
    InstanceLock lock;
    _exit(TakeOneCopyLock(gameDir, lock) ? 0 : 1);
  }
  close(out[1]);
  Outcome o;
  char buffer[4096];
  for (ssize_t n; (n = read(out[0], buffer, sizeof buffer)) > 0;) o.said.append(buffer, n);
  close(out[0]);
  int status = 0;
  waitpid(child, &status, 0);
  o.startsGame = WIFEXITED(status) && WEXITSTATUS(status) == 0;
  return o;
}

class OneCopy : public testing::Test {
 protected:
  void SetUp() override {
    std::string pattern = testing::TempDir() + "rara3-one-copy-XXXXXX";
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    base_ = pattern;
    run_ = base_ + "/run";
    ASSERT_EQ(mkdir(run_.c_str(), 0700), 0);
    std::filesystem::create_directories(base_ + "/games/h7/share");
  }
  void TearDown() override {
    std::error_code ec;
    std::filesystem::remove_all(base_, ec);
  }
  std::string base_;
  std::string run_;
};

TEST_F(OneCopy, ASecondStartRaisesTheRunningCopyOrSaysItCannot) {
  const std::string game = base_ + "/games/h7/share/";
  InstanceLock running;
  std::string error;
  ASSERT_EQ(AcquireInstanceLock(run_, InstanceLockKey(game), running, error),
            InstanceLockResult::Acquired) << error;

  // Written another way, the same folder: the running copy comes forward.
  Outcome o = SecondStart(run_, base_, base_ + "/games/h7//share");
  EXPECT_FALSE(o.startsGame);
  EXPECT_NE(o.said.find("already running on " + game), std::string::npos) << o.said;
  EXPECT_NE(o.said.find("brought to the front"), std::string::npos) << o.said;
  EXPECT_TRUE(TakeRaiseRequests(running.raiseFd));

  // A running copy that does not answer: the player is told so.
  close(running.raiseFd);
  o = SecondStart(run_, base_, game);
  EXPECT_FALSE(o.startsGame);
  EXPECT_NE(o.said.find("could not be brought to the front"), std::string::npos) << o.said;

  // Another folder is another game.
  o = SecondStart(run_, base_, base_ + "/games/other/");
  EXPECT_TRUE(o.startsGame) << o.said;
  close(running.lockFd);
}

TEST_F(OneCopy, ALockThatCannotBeHadNeverKeepsTheGameFromStarting) {
  // No usable runtime folder, and the fallback's place taken by a file.
  ASSERT_EQ(chmod(run_.c_str(), 0777), 0);
  const std::string squat = base_ + "/rara3-" + std::to_string(geteuid());
  ASSERT_TRUE(std::ofstream(squat).good());
  const Outcome o = SecondStart(run_, base_, base_ + "/games/h7/share/");
  EXPECT_TRUE(o.startsGame);
  EXPECT_NE(o.said.find("runs without its one-copy lock"), std::string::npos) << o.said;
}

}  // namespace
}  // namespace rara3
